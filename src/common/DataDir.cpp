#include "common/DataDir.h"

namespace veskor {

std::filesystem::path chooseDataDir(const DataDirFacts& facts) {
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

} // namespace veskor
