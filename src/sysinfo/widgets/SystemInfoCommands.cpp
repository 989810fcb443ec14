#include "sysinfo/widgets/SystemInfoCommands.h"

#include "sysinfo/core/CpuInfo.h"
#include "sysinfo/core/SystemTree.h"

#include <QCoreApplication>

namespace veskor {

std::vector<CommandDescription> systemInfoCommands() {
    CommandDescription cpu{
        .word = "cpu",
        .usage = "cpu",
        .summary = QCoreApplication::translate("SystemInfoCommands",
                                               "the processor: vendor, name, MMX, speed")
                       .toStdString(),
        .example = "cpu",
        .manual = "The processor: vendor, name, full name, MMX and measured speed.\n",
        .options = {},
        .parse = [](const CommandArgs& args) -> CommandRun {
            noArguments(args);
            return [](CommandContext& context) {
                CpuInfo info(context.processor());
                info.measureSpeed();
                context.out() << cpuReport(info);
                return 0;
            };
        },
    };
    CommandDescription sysinfo{
        .word = "sysinfo",
        .usage = "sysinfo",
        .summary = QCoreApplication::translate("SystemInfoCommands", "the system information tree")
                       .toStdString(),
        .example = "sysinfo",
        .manual = "The system information tree, two spaces of indent per level.\n",
        .options = {},
        .parse = [](const CommandArgs& args) -> CommandRun {
            noArguments(args);
            return [](CommandContext& context) {
                // The display, when one answers, is opened before the facts are collected.
                IScreenFacts& screen = context.screenFacts();
                return runSystemInfoCommand(context.systemFacts(), screen, context.processor(),
                                            context.locale().thousandsSeparator, context.out(),
                                            context.err());
            };
        },
    };
    return {cpu, sysinfo};
}

} // namespace veskor
