// Fuzz target for the alarm file: any bytes must parse; a file read without failure must write
// back and read again to the same events; loading keeps what was parsed and fails exactly when
// parsing did; every time text either parses to a time of day or makes the search fail with
// its message.

#include "alarms/core/AlarmList.h"
#include "common/Error.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>

namespace {

namespace fs = std::filesystem;

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// One file held in memory; the alarm core links no fakes.
class OneFile final : public veskor::IFileStore {
public:
    explicit OneFile(std::string_view bytes) : m_bytes(bytes) {}
    veskor::FileRead read(const fs::path& /*path*/, std::size_t maxBytes) override {
        if (m_bytes.size() > maxBytes) {
            return {veskor::FileRead::Status::TooLarge, {}};
        }
        return {veskor::FileRead::Status::Ok, std::string(m_bytes)};
    }
    veskor::FileSave save(const fs::path& /*path*/, std::string_view bytes) override {
        m_bytes = bytes;
        return veskor::FileSave::Ok;
    }

private:
    std::string m_bytes;
};

veskor::AlarmFileContent parse(std::string_view text) {
    return veskor::parseAlarmFile(std::as_bytes(std::span(text.data(), text.size())));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const veskor::AlarmFileContent content = parse(text);

    std::size_t total = 0;
    for (const veskor::AlarmEvent& event : content.events) {
        check(event.time.find_first_of("\r\n") == std::string::npos);
        check(event.message.find_first_of("\r\n") == std::string::npos);
        total += event.time.size() + event.message.size();
    }
    check(total <= size);

    if (!content.failed) {
        const std::string written = veskor::formatAlarmFile(content.events);
        const veskor::AlarmFileContent again = parse(written);
        check(!again.failed && again.events == content.events);
        check(content.events.empty() == written.empty());
    }

    OneFile file(text);
    veskor::AlarmList list;
    bool loadFailed = false;
    try {
        check(list.load(file, "/fuzz/Veskor32.aev"));
    } catch (const veskor::Error& e) {
        check(std::string_view(e.what()) == "Load failed.");
        loadFailed = true;
    }
    check(loadFailed == content.failed);
    check(list.events() == content.events);

    // The search never fails past a match, and fails only naming a row that is not a time.
    // Only the first rows are tried: each thrown error costs the sanitizer a system call, and
    // a file of hundreds of bad rows made every run slow; mutations put any row first.
    constexpr std::size_t kRowsTried = 16;
    const auto tried = std::span(content.events).first(std::min(content.events.size(), kRowsTried));
    for (const veskor::AlarmEvent& event : tried) {
        const std::optional<veskor::DateTime> time = veskor::parseTimeOfDay(event.time);
        check(!time || (*time >= 0.0 && *time < 1.0));
        try {
            // A row that is not a time has the search look for midnight.
            const veskor::DateTime wanted = time.value_or(0.0);
            const int found = list.findEvent(wanted);
            check(found == -1 ||
                  (list.at(found).active && veskor::parseTimeOfDay(list.at(found).time) == wanted));
        } catch (const veskor::Error& e) {
            // what() ends at a NUL the row may hold.
            const auto names = [&e](const veskor::AlarmEvent& row) {
                const std::string expected = "'" + row.time + "' is not a valid time";
                return !veskor::parseTimeOfDay(row.time) &&
                       std::string_view(e.what()) == std::string_view(expected.c_str());
            };
            check(std::ranges::any_of(content.events, names));
        }
        try {
            static_cast<void>(veskor::editableTime(event.time));
        } catch (const veskor::Error& e) {
            const auto names = [&e, &event](std::size_t start) {
                const std::string expected =
                    "'" + event.time.substr(std::min(start, event.time.size()), 2) +
                    "' is not a valid integer value";
                return std::string_view(e.what()) == std::string_view(expected.c_str());
            };
            check(names(0) || names(3));
        }
    }
    std::string active;
    check(list.activeEvents(active) <= list.count());
    return 0;
}
