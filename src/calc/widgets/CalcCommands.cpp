#include "calc/widgets/CalcCommands.h"

#include "calc/core/CalcCommand.h"

#include <QCoreApplication>

namespace veskor {

std::vector<CommandDescription> calcCommands() {
    return {{
        .word = "calc",
        .usage = "calc [--value V] KEY...",
        .summary = QCoreApplication::translate("CalcCommands",
                                               "the calculator's keypad, e.g. calc 2 + 3 x 4 =")
                       .toStdString(),
        .example = "calc 2 + 3 x 4 =",
        .manual =
            R"(Runs the calculator's keypad: each argument is one key by its caption (0\-9, 00, the decimal
separator, +, \-, x, /, =, C, CA, M+, M\-, MR, MC) or BS and Esc.
.RS
Example: \fBveskor calc 2 + 3 x 4 =\fR prints 20.00
.RE
)",
        .options = {{"--value", ""}},
        .parse = [](const CommandArgs& args) -> CommandRun {
            return
                [value = args.option("--value"), keys = args.arguments](CommandContext& context) {
                    return runCalcCommand(value, keys, NumberSeparators::system(), context.out(),
                                          context.err());
                };
        },
    }};
}

} // namespace veskor
