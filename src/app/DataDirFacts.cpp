#include "app/DataDirFacts.h"

#include "namedays/core/SaintFile.h"
#include "platform/linux/LinuxPaths.h"

namespace veskor {

DataDirFacts systemDataDirFacts(std::optional<std::filesystem::path> commandLine) {
    DataDirFacts facts;
    facts.commandLine = std::move(commandLine);
    if (auto env = envValue("VESKOR_DATA_DIR")) {
        facts.environment = *env;
    }
    facts.executableDir = executableDir();
    facts.xdgDataHome = xdgDataHome();
    facts.holdsDataFiles = [](const std::filesystem::path& dir) {
        std::error_code ec;
        return std::filesystem::exists(dir / kSaintFileName, ec) ||
               std::filesystem::exists(dir / "Veskor32.aev", ec);
    };
    facts.isWritable = isWritableDir;
    return facts;
}

} // namespace veskor
