#pragma once
// A command's context for tests: files in memory, a fixed day, the English locale, and the
// output kept as text. Services a test does not give fail the test when asked for.

#include "feature/Command.h"
#include "platform/fake/FakeFileStore.h"

#include <gtest/gtest.h>
#include <sstream>
#include <stdexcept>

namespace veskor::test {

class FakeCommandContext final : public CommandContext {
public:
    explicit FakeCommandContext(DateTime now, std::filesystem::path dataDir = "/d")
        : m_now(now), m_dataDir(std::move(dataDir)) {}

    [[nodiscard]] std::filesystem::path dataDir() const override { return m_dataDir; }
    IFileStore& files() override { return fileStore; }
    DateTime now() override { return m_now; }
    LocaleFormat locale() override { return LocaleFormat::english(); }
    IProcessor& processor() override { return missing<IProcessor>("processor"); }
    ISystemFacts& systemFacts() override { return missing<ISystemFacts>("system facts"); }
    IScreenFacts& screenFacts() override { return missing<IScreenFacts>("screen facts"); }
    const IMappedFiles& mappedFiles() override { return missing<IMappedFiles>("mapped files"); }
    std::ostream& out() override { return output; }
    std::ostream& err() override { return errors; }

    FakeFileStore fileStore;
    std::ostringstream output;
    std::ostringstream errors;

private:
    template <typename T> T& missing(const char* what) {
        ADD_FAILURE() << "the command asked for the " << what;
        throw std::logic_error(what);
    }

    DateTime m_now;
    std::filesystem::path m_dataDir;
};

} // namespace veskor::test
