#include "fileinfo/widgets/FileInfoCommands.h"

#include "fileinfo/core/FileInfoCommand.h"

#include <QCoreApplication>

namespace veskor {

std::vector<CommandDescription> fileInfoCommands() {
    return {{
        .word = "fileinfo",
        .usage = "fileinfo FILE",
        .summary = QCoreApplication::translate("FileInfoCommands",
                                               "the version resource and document summary")
                       .toStdString(),
        .example = "fileinfo setup.msi",
        .manual =
            R"(The version resource of an executable and the summary of a compound document, one row per line:
key, a tab, the value.
.RS
Example: \fBveskor fileinfo setup.msi\fR
.RE
)",
        .options = {},
        .parse = [](const CommandArgs& args) -> CommandRun {
            const std::filesystem::path file = requiredArgument(
                args, QCoreApplication::translate("FileInfoCommands", "fileinfo needs a FILE")
                          .toStdString());
            return [file](CommandContext& context) {
                return runFileInfoCommand(file, context.mappedFiles(), context.out(),
                                          context.err());
            };
        },
    }};
}

} // namespace veskor
