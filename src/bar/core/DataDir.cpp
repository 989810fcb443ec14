#include "bar/core/DataDir.h"

#include "namedays/core/SaintTable.h"
#include "platform/Paths.h"

namespace veskor {

std::filesystem::path ChooseDataDir(const DataDirFacts& facts) {
    if (facts.commandLine) {
        return *facts.commandLine;
    }
    if (facts.environment) {
        return *facts.environment;
    }
    if (facts.holdsDataFiles(facts.executableDir) || facts.isWritable(facts.executableDir)) {
        return facts.executableDir;
    }
    return facts.xdgDataHome / "Orvane" / "Veskor Pro";
}

DataDirFacts SystemDataDirFacts(std::optional<std::filesystem::path> commandLine) {
    DataDirFacts facts;
    facts.commandLine = std::move(commandLine);
    if (auto env = EnvValue("VESKOR_DATA_DIR")) {
        facts.environment = *env;
    }
    facts.executableDir = ExecutableDir();
    facts.xdgDataHome = XdgDataHome();
    facts.holdsDataFiles = [](const std::filesystem::path& dir) {
        std::error_code ec;
        return std::filesystem::exists(dir / kSaintFileName, ec) ||
               std::filesystem::exists(dir / "Veskor32.aev", ec);
    };
    facts.isWritable = IsWritableDir;
    return facts;
}

} // namespace veskor
