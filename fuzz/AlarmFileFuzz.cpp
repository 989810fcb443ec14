// Fuzz target for the alarm file: any bytes must parse; the rows, faulty ones too, must write
// back and read again to the same events; loading keeps what was parsed and fails exactly when
// parsing did; the search finds only an active row that can fire at the time looked for.

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
            return {veskor::FileRead::Status::TooLarge, {}, "too large"};
        }
        return {veskor::FileRead::Status::Ok, std::string(m_bytes), {}};
    }
    veskor::SaveResult save(const fs::path& /*path*/, std::string_view bytes) override {
        m_bytes = bytes;
        return {};
    }
    veskor::CopyResult keepCopy(const fs::path& /*path*/, const fs::path& /*copy*/) override {
        return {veskor::CopyResult::Status::Kept, {}};
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

    const std::string written = veskor::formatAlarmFile(content.events);
    check(parse(written).events == content.events);
    check(content.events.empty() == written.empty());

    OneFile file(text);
    veskor::AlarmList list;
    const veskor::AlarmLoad load = list.load(file, "/fuzz/Veskor32.aev");
    check(load.status == (content.failed() ? veskor::AlarmLoad::Status::Partial
                                           : veskor::AlarmLoad::Status::Read));
    check(load.problems.size() >= content.faults.size());
    check(list.events() == content.events);

    // The search finds an active row that can fire at exactly that time, or none.
    constexpr std::size_t kRowsTried = 16;
    const auto tried = std::span(content.events).first(std::min(content.events.size(), kRowsTried));
    for (const veskor::AlarmEvent& event : tried) {
        const std::optional<veskor::DateTime> time = veskor::parseTimeOfDay(event.time);
        check(!time || (*time >= 0.0 && *time < 1.0));
        const veskor::DateTime wanted = time.value_or(0.0);
        const int found = list.findEvent(wanted);
        check(found == -1 || (list.at(found).active && !list.at(found).unreadSound &&
                              veskor::parseTimeOfDay(list.at(found).time) == wanted));
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
