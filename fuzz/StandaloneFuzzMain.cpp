// Runs a fuzz target without libFuzzer, for the ordinary (g++) test build: every file of the seed
// corpus, then a reproducible stream of generated and mutated inputs until a run count or a time
// budget is used up. A failing input is written to <program>-crash.bin in the working folder.
//
//   fuzz_<name> [--seed=N] [--runs=N] [--seconds=S] [--max-len=N] FILE_OR_FOLDER...

#include <algorithm>
#include <array>
#include <chrono>
#include <csignal>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
// Present only when a sanitizer runtime is linked; its report ends the process without a signal.
extern "C" void
__sanitizer_set_death_callback(void (*callback)()) // NOLINT(bugprone-reserved-identifier)
    __attribute__((weak));

namespace {

namespace fs = std::filesystem;
using Input = std::vector<std::uint8_t>;

// What the crash handlers save; set before each run.
const Input* g_current = nullptr;
std::array<char, 4096> g_crashPath{};

void saveCurrentInput() {
    if (g_current == nullptr) {
        return;
    }
    const int fd = ::open(g_crashPath.data(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd >= 0) {
        static_cast<void>(::write(fd, g_current->data(), g_current->size()));
        ::close(fd);
    }
    constexpr std::string_view kNote = "fuzz: failing input saved to ";
    static_cast<void>(::write(STDERR_FILENO, kNote.data(), kNote.size()));
    static_cast<void>(::write(STDERR_FILENO, g_crashPath.data(), std::strlen(g_crashPath.data())));
    static_cast<void>(::write(STDERR_FILENO, "\n", 1));
    g_current = nullptr;
}

// UBSan's own runtime ignores the death callback; aborting hands its failures to the handler.
extern "C" const char* __ubsan_default_options() { // NOLINT(bugprone-reserved-identifier)
    return "abort_on_error=1:print_stacktrace=1";
}

extern "C" void onFatalSignal(int signal) {
    saveCurrentInput();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// Bytes that matter to line-oriented text parsers, offered more often than chance would.
constexpr std::array<std::uint8_t, 12> kInteresting{'\r', '\n', 0,    ' ',  '/',  'a',
                                                    'z',  'A',  0x1f, 0x7f, 0x80, 0xff};

class Generator final {
public:
    explicit Generator(std::uint64_t seed, std::size_t maxLen) : m_rng(seed), m_maxLen(maxLen) {}

    Input random() {
        Input input(below(m_maxLen + 1));
        std::ranges::generate(input, [this] { return byte(); });
        return input;
    }

    Input mutate(const std::vector<Input>& seeds) {
        Input input = seeds[below(seeds.size())];
        const std::size_t steps = 1 + below(8);
        for (std::size_t i = 0; i < steps; ++i) {
            mutateOnce(input, seeds);
        }
        if (input.size() > m_maxLen) {
            input.resize(m_maxLen);
        }
        return input;
    }

    bool coin() { return below(2) == 0; }

private:
    std::size_t below(std::size_t n) { return n == 0 ? 0 : static_cast<std::size_t>(m_rng() % n); }

    std::uint8_t byte() {
        return coin() ? kInteresting[below(kInteresting.size())]
                      : static_cast<std::uint8_t>(m_rng() & 0xffU);
    }

    void mutateOnce(Input& input, const std::vector<Input>& seeds) {
        const auto at = [&](std::size_t extra) {
            return input.begin() + static_cast<std::ptrdiff_t>(below(input.size() + extra));
        };
        switch (below(5)) {
        case 0: // overwrite a byte
            if (!input.empty()) {
                *at(0) = byte();
            }
            break;
        case 1: // insert a few bytes
            input.insert(at(1), 1 + below(4), byte());
            break;
        case 2: { // erase a range
            if (!input.empty()) {
                const auto from = at(0);
                const auto left = static_cast<std::size_t>(input.end() - from);
                input.erase(from, from + static_cast<std::ptrdiff_t>(1 + below(left)));
            }
            break;
        }
        case 3: { // repeat a chunk
            if (!input.empty()) {
                const std::size_t from = below(input.size());
                const std::size_t len = 1 + below(std::min<std::size_t>(input.size() - from, 64));
                const Input chunk(input.begin() + static_cast<std::ptrdiff_t>(from),
                                  input.begin() + static_cast<std::ptrdiff_t>(from + len));
                input.insert(at(1), chunk.begin(), chunk.end());
            }
            break;
        }
        default: { // splice in part of another seed
            const Input& other = seeds[below(seeds.size())];
            const std::size_t len = below(other.size() + 1);
            input.insert(at(1), other.begin(), other.begin() + static_cast<std::ptrdiff_t>(len));
            break;
        }
        }
    }

    std::mt19937_64 m_rng;
    std::size_t m_maxLen;
};

Input readInput(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<Input> loadSeeds(const std::vector<fs::path>& places) {
    std::vector<fs::path> files;
    for (const fs::path& place : places) {
        if (fs::is_directory(place)) {
            for (const auto& entry : fs::directory_iterator(place)) {
                if (entry.is_regular_file()) {
                    files.push_back(entry.path());
                }
            }
        } else {
            files.push_back(place);
        }
    }
    // Directory order differs between machines; sorting keeps a seed's stream reproducible.
    std::ranges::sort(files);
    std::vector<Input> seeds;
    seeds.reserve(files.size());
    for (const fs::path& file : files) {
        seeds.push_back(readInput(file));
    }
    return seeds;
}

void run(const Input& input) {
    g_current = &input;
    LLVMFuzzerTestOneInput(input.data(), input.size());
    g_current = nullptr;
}

bool option(std::string_view arg, std::string_view name, unsigned long long& value) {
    if (!arg.starts_with(name)) {
        return false;
    }
    value = std::strtoull(std::string(arg.substr(name.size())).c_str(), nullptr, 10);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    unsigned long long seed = 1;
    unsigned long long runs = 100000;
    unsigned long long seconds = 3;
    unsigned long long maxLen = 4096;
    std::vector<fs::path> places;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg(argv[i]);
        if (!option(arg, "--seed=", seed) && !option(arg, "--runs=", runs) &&
            !option(arg, "--seconds=", seconds) && !option(arg, "--max-len=", maxLen)) {
            places.emplace_back(arg);
        }
    }

    const std::string crashPath = fs::path(argv[0]).filename().string() + "-crash.bin";
    crashPath.copy(g_crashPath.data(), g_crashPath.size() - 1);
    // A sanitizer that already handles a signal reports it first and then calls back.
    for (const int signal : {SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL}) {
        struct sigaction current {};
        if (sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) {
            std::signal(signal, onFatalSignal);
        }
    }
    if (__sanitizer_set_death_callback != nullptr) {
        __sanitizer_set_death_callback(saveCurrentInput);
    }

    std::vector<Input> seeds = loadSeeds(places);
    const std::size_t seedCount = seeds.size();
    for (const Input& input : seeds) {
        run(input);
    }
    if (seeds.empty()) {
        seeds.emplace_back();
    }

    Generator generator(seed, static_cast<std::size_t>(maxLen));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    unsigned long long done = 0;
    for (; done < runs; ++done) {
        if (done % 256 == 0 && std::chrono::steady_clock::now() >= deadline) {
            break;
        }
        run(generator.coin() ? generator.mutate(seeds) : generator.random());
    }
    std::printf("fuzz: %zu seed inputs, %llu generated inputs (seed %llu), no failure\n", seedCount,
                done, seed);
    return 0;
}
