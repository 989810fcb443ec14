// Fuzz target for the command line's parser: any words (the input cut at NUL bytes, as the
// program receives them) are understood or refused with a usage error and nothing else, and
// --help before them wins whatever follows. The commands asked for are parsed, never run.

#include "app/CommandLine.h"
#include "app/Features.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// The program's own commands, panels and windows.
const veskor::CommandWords& knownWords() {
    static const veskor::CommandWords words = veskor::commandWords(veskor::allFeatures());
    return words;
}

std::vector<std::string> splitWords(std::string_view bytes) {
    std::vector<std::string> words;
    if (bytes.empty()) {
        return words;
    }
    for (std::size_t end = bytes.find('\0'); end != std::string_view::npos;
         end = bytes.find('\0')) {
        words.emplace_back(bytes.substr(0, end));
        bytes.remove_prefix(end + 1);
    }
    words.emplace_back(bytes);
    return words;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> words =
        splitWords(std::string_view(reinterpret_cast<const char*>(data), size));
    try {
        static_cast<void>(veskor::parseCommandLine(words, knownWords()));
    } catch (const veskor::UsageError& e) {
        check(*e.what() != '\0');
    }
    words.insert(words.begin(), "--help");
    check(veskor::parseCommandLine(words, knownWords()).mode == veskor::CommandLine::Mode::Help);
    return 0;
}
