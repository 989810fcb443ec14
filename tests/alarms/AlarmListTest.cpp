// The alarm file's line rules and failures, the time parser, the list's queries and the minute
// rule of the alarm check, on in-memory files.

#include "alarms/core/AlarmList.h"

#include "common/Error.h"
#include "platform/fake/FakeFileStore.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace veskor {

void PrintTo(const AlarmEvent& event, std::ostream* out) {
    *out << '{' << event.time << '|' << event.message << '|' << event.active << '|' << event.sound
         << '}';
}

namespace {

namespace fs = std::filesystem;
using Events = std::vector<AlarmEvent>;

AlarmFileContent parse(std::string_view text) {
    return parseAlarmFile(std::as_bytes(std::span(text.data(), text.size())));
}

using test::errorOf;

const std::string kExample = "07:05\r\nMeeting\r\n1\r\n0\r\n12:30\r\nLunch\r\n0\r\n-1\r\n";
const Events kExampleEvents{{"07:05", "Meeting", true, 0}, {"12:30", "Lunch", false, -1}};

TEST(AlarmFile, LineRules) {
    EXPECT_EQ(parse(kExample).events, kExampleEvents);
    EXPECT_FALSE(parse(kExample).failed());
    // Any line end; only "1" is active; any integer is kept as the sound; bytes stay as read.
    const AlarmFileContent loose = parse("7:5\n\xe8\x61j \r1 \r+5\r\n\r\n\ntrue\n-0\n"
                                         "x\r\n\r\n\r\n-2147483648");
    EXPECT_FALSE(loose.failed());
    EXPECT_EQ(loose.events, (Events{{"7:5", "\xe8\x61j ", false, 5},
                                    {"", "", false, 0},
                                    {"x", "", false, -2147483648}}));
    EXPECT_EQ(parse("").events, Events{});
    // A UTF-8 file (its byte order mark first) is turned into the file's own code page.
    const AlarmFileContent utf8 = parse("\xef\xbb\xbf"
                                        "07:05\r\nP\xc5\x99"
                                        "edn\xc3\xa1\xc5\xa1"
                                        "ka\r\n1\r\n0\r\n"
                                        "08:00\r\n\xe2\x98\x83\r\n1\r\n0\r\n");
    EXPECT_EQ(utf8.events.at(0), AlarmEvent("07:05",
                                            "P\xf8"
                                            "edn\xe1\x9a"
                                            "ka",
                                            true, 0));
    EXPECT_EQ(utf8.events.at(1).message, "?");
    EXPECT_EQ(utf8.faults.size(), 1U); // the snowman was lost
}

// A bad row costs that row only: every row after it is read, and each fault is written back as
// it was, so nothing the file held is lost by reading and writing it.
TEST(AlarmFile, FaultyRowsAreKeptAndWrittenBackAsTheyWere) {
    const std::string text = "07:05\r\nMeeting\r\n1\r\n0\r\n"
                             "24:00\r\nMidnight\r\n1\r\n0\r\n"
                             "08:00\r\nWalk\r\n1\r\nx\r\n"
                             "12:30\r\nLunch\r\n1\r\n-1\r\n"
                             "13:00\r\nCut";
    const AlarmFileContent content = parse(text);
    ASSERT_EQ(content.events.size(), 5U);
    EXPECT_EQ(content.events[3], AlarmEvent("12:30", "Lunch", true, -1));
    EXPECT_EQ(content.events[2].unreadSound, "x");
    EXPECT_EQ(content.events[4].unreadSound, "");
    EXPECT_EQ(alarmRowProblems(content, kAlarmFileName),
              (std::vector<std::string>{"Veskor32.aev, event 3: 'x' is not a valid integer value",
                                        "Veskor32.aev, event 5: the file ends inside the event",
                                        "Veskor32.aev, event 2: '24:00' is not a valid time"}));
    // The cut row gains its missing lines; the rest is byte for byte the file.
    EXPECT_EQ(formatAlarmFile(content.events), text + "\r\n0\r\n\r\n");
}

TEST(AlarmFile, WritesFourCrLfLinesPerEvent) {
    EXPECT_EQ(formatAlarmFile(kExampleEvents), kExample);
    EXPECT_EQ(formatAlarmFile({}), "");
    EXPECT_EQ(formatAlarmFile({{"", "", false, 5}}), "\r\n\r\n0\r\n5\r\n");
}

class AlarmFileStore : public ::testing::Test {
protected:
    FakeFileStore m_files;
    fs::path m_file = fs::path("/data") / kAlarmFileName;
    fs::path m_copy = fs::path("/data") / "Veskor32.aev.bak";
    AlarmList m_list;
};

TEST_F(AlarmFileStore, LoadReplacesTheListOrKeepsItWhenNothingWasRead) {
    m_list.append({"09:00", "old", true, 0});
    EXPECT_EQ(m_list.load(m_files, m_file).status, AlarmLoad::Status::Missing);
    EXPECT_EQ(m_list.count(), 1);

    m_files.files[m_file] = std::string(kAlarmFileMaxBytes + 1, '\n');
    AlarmLoad load = m_list.load(m_files, m_file);
    EXPECT_EQ(load.status, AlarmLoad::Status::Failed);
    EXPECT_EQ(load.problems,
              std::vector<std::string>{"/data/Veskor32.aev: larger than 4194304 bytes"});
    m_files.files[m_file] = kExample;
    m_files.unreadable.insert(m_file);
    EXPECT_EQ(m_list.load(m_files, m_file).problems,
              std::vector<std::string>{"/data/Veskor32.aev: Permission denied"});
    EXPECT_EQ(m_list.at(0).message, "old");

    m_files.unreadable.clear();
    load = m_list.load(m_files, m_file);
    EXPECT_EQ(load.status, AlarmLoad::Status::Read);
    EXPECT_TRUE(load.problems.empty());
    EXPECT_EQ(m_list.events(), kExampleEvents);
}

TEST_F(AlarmFileStore, ClosingWithoutAnEditChangesNothing) {
    m_files.files[m_file] = kExample;
    m_list.load(m_files, m_file);
    EXPECT_FALSE(m_list.changed());
    m_list.setActive(0, false);
    EXPECT_TRUE(m_list.changed());
    m_list.setActive(0, true);
    EXPECT_FALSE(m_list.changed());
    m_list.remove(1);
    ASSERT_TRUE(m_list.save(m_files, m_file).ok);
    EXPECT_FALSE(m_list.changed());
    EXPECT_FALSE(m_files.files.contains(m_copy)); // read whole: no copy wanted
}

TEST_F(AlarmFileStore, AnEditAfterAPartialLoadKeepsTheOriginalFirst) {
    const std::string original = "07:05\r\nMeeting\r\ntrue\r\n5\r\n08:00\r\nWalk\r\n1\r\n";
    m_files.files[m_file] = original;
    m_files.files[m_copy] = "an older copy";
    EXPECT_EQ(m_list.load(m_files, m_file).status, AlarmLoad::Status::Partial);
    m_list.append({"09:00", "New", true, 0});
    const AlarmSave saved = m_list.save(m_files, m_file);
    ASSERT_TRUE(saved.ok);
    EXPECT_EQ(saved.kept, "/data/Veskor32.aev.bak.2");
    EXPECT_EQ(m_files.files[saved.kept], original);
    EXPECT_EQ(m_files.files[m_copy], "an older copy");
    EXPECT_EQ(m_files.files[m_file], "07:05\r\nMeeting\r\n0\r\n5\r\n08:00\r\nWalk\r\n1\r\n\r\n"
                                     "09:00\r\nNew\r\n1\r\n0\r\n");
    // Saved whole now: the next save keeps nothing more.
    m_list.append({"10:00", "Later", true, 0});
    EXPECT_TRUE(m_list.save(m_files, m_file).kept.empty());

    // A file too large to read is kept too; without the copy nothing is written.
    FakeFileStore files;
    files.files[m_file] = std::string(kAlarmFileMaxBytes + 1, 'x');
    AlarmList list;
    list.load(files, m_file);
    list.append({"07:00", "Up", true, 0});
    files.noPermission = true;
    const AlarmSave refused = list.save(files, m_file);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.problem, "/data/Veskor32.aev could not be kept as /data/Veskor32.aev.bak: "
                               "Permission denied; nothing was saved");
    EXPECT_EQ(files.files[m_file].size(), kAlarmFileMaxBytes + 1);
    EXPECT_TRUE(files.saves.empty());
}

TEST_F(AlarmFileStore, FailedSaveLeavesTheOldFileWholeAndTheEditsPending) {
    for (bool FakeFileStore::*fault :
         {&FakeFileStore::diskFull, &FakeFileStore::noPermission, &FakeFileStore::renameFails}) {
        FakeFileStore files;
        files.files[m_file] = kExample;
        files.*fault = true;
        m_list.append({"23:59", "late", true, -1});
        const AlarmSave saved = m_list.save(files, m_file);
        EXPECT_FALSE(saved.ok);
        EXPECT_TRUE(saved.problem.starts_with("/data/Veskor32.aev: ")) << saved.problem;
        EXPECT_EQ(files.files[m_file], kExample);
        EXPECT_TRUE(m_list.changed());
    }
}

TEST(TimeOfDay, AcceptedForms) {
    const auto same = [](int hour, int minute, int second, std::vector<const char*> texts) {
        for (const char* text : texts) {
            EXPECT_EQ(parseTimeOfDay(text), encodeTime(hour, minute, second, 0)) << text;
        }
    };
    same(7, 5, 0, {"7:5", "07:05", "07:05:00", "  7:05  ", "7:05 AM", "am7:5"});
    same(7, 5, 30, {"7:05:30", "07:5:30 "});
    same(0, 0, 0, {"0:0", "12:00 AM", "12:00am", "am 12:00"});
    same(12, 30, 0, {"12:30 pm", "PM 12:30"});
    same(13, 0, 0, {"PM1:00", "1:00 pm  "});
    same(23, 59, 59, {"23:59:59", "11:59:59 Pm "});
    same(1, 2, 3, {" aM  1:2:3", "01:02:03 AM"});
}

TEST(TimeOfDay, RefusedForms) {
    for (const char* text :
         {"",         " ",          "7",      "7:",       ":05",      "7:05:",    "24:00",
          "7:60",     "7:05:60",    "99:99",  "007:05",   "7:005",    "7:05x",    "7 :05",
          "7: 05",    "7.05",       "+7:05",  "-1:05",    "\t7:05",   "7:05\t",   "0:00 AM",
          "13:00 PM", "AM 7:05 PM", "7:05 P", "7:05 AMX", "A M 7:05", "7:05 A.M."}) {
        EXPECT_EQ(parseTimeOfDay(text), std::nullopt) << '"' << text << '"';
    }
}

TEST(AlarmList, FindEventTakesTheFirstActiveMatchAndPassesOverRowsThatCannotFire) {
    AlarmList list;
    list.append({"7h05", "bad", true, 0});
    list.append({"7:5", "off", false, 0});
    list.append({"07:05:30", "half", true, 0});
    list.append({"07:05", "first", true, 0});
    list.append({"7:05", "second", true, 0});
    const DateTime five = *parseTimeOfDay("7:5");
    EXPECT_EQ(list.findEvent(five), 3);
    EXPECT_EQ(list.findEvent(encodeTime(7, 5, 30, 0)), 2);
    EXPECT_EQ(list.findEvent(encodeTime(8, 0, 0, 0)), -1);

    AlarmEvent unread("08:00", "no sound line", true, 0);
    unread.unreadSound = "";
    list.append(unread);
    EXPECT_EQ(list.findEvent(encodeTime(8, 0, 0, 0)), -1);
}

TEST(AlarmList, ActiveEventsAndGetEvent) {
    AlarmList list;
    std::string text = "stale";
    EXPECT_EQ(list.activeEvents(text), 0);
    EXPECT_EQ(text, "");
    list.append({"07:05", "Meeting", true, 0});
    list.append({"08:00", "Walk", false, 0});
    list.append({"12:30", "Lunch", true, 5});
    EXPECT_EQ(list.activeEvents(text), 2);
    EXPECT_EQ(text, "07:05 - Meeting\n\r12:30 - Lunch");
    // The hint: a few entries, each short and printable, then how many more.
    list.append({"13:00", std::string(150, 'x') + "\x1b[2J", true, 0});
    EXPECT_EQ(activeEventsHint(list, 2, 100),
              "07:05 - Meeting\n\r12:30 - Lunch\n\r\u2026 and 1 more");
    EXPECT_EQ(activeEventsHint(list, 3, 150),
              "07:05 - Meeting\n\r12:30 - Lunch\n\r13:00 - " + std::string(150, 'x') + "\u2026");
    list.replace(3, {"13:00", "\x1b[2J", true, 0});
    EXPECT_TRUE(activeEventsHint(list).ends_with("13:00 - \\x1b[2J"));

    std::string message;
    EXPECT_TRUE(list.getEvent(0, message));
    EXPECT_EQ(message, "Meeting");
    EXPECT_FALSE(list.getEvent(2, message)); // any sound but 0 is silent
    EXPECT_EQ(message, "Lunch");
    EXPECT_FALSE(list.getEvent(-1, message));
    EXPECT_EQ(message, "");
}

TEST(AlarmList, EditorTimes) {
    EXPECT_EQ(formatAlarmTime(7, 5), "07:05");
    EXPECT_EQ(formatAlarmTime(23, 59), "23:59");
    EXPECT_EQ(editableTime("07:05"), std::make_pair(7, 5));
    EXPECT_EQ(editableTime("23:59:30 PM"), std::make_pair(23, 59));
    EXPECT_EQ(editableTime("-1x+9"), std::make_pair(-1, 9));
    EXPECT_EQ(errorOf([] { editableTime("7:05"); }), "'7:' is not a valid integer value");
    EXPECT_EQ(errorOf([] { editableTime("07:x5"); }), "'x5' is not a valid integer value");
    EXPECT_EQ(errorOf([] { editableTime(" 7:05"); }), "' 7' is not a valid integer value");
    EXPECT_EQ(errorOf([] { editableTime("07"); }), "'' is not a valid integer value");
}

class MinuteRule : public ::testing::Test {
protected:
    // The minute checked at a tick on 2024-03-09 (plus extra days), as "h:m", or "".
    std::string tick(int hour, int minute, int second, int msec = 0, int day = 0) {
        const DateTime now = encodeDate(2024, 3, 9 + day) + encodeTime(hour, minute, second, msec);
        const std::optional<DateTime> checked = m_minutes.minuteToCheck(now);
        if (!checked) {
            return "";
        }
        const ClockTime time = decodeTime(*checked);
        EXPECT_EQ(time.second, 0);
        // The value must be the one the list compares against.
        const std::string text = std::to_string(time.hour) + ":" + std::to_string(time.minute);
        EXPECT_EQ(checked, parseTimeOfDay(text));
        return text;
    }
    AlarmMinutes m_minutes;
};

TEST_F(MinuteRule, SecondZeroChecksItsMinuteOnce) {
    EXPECT_EQ(tick(7, 5, 0), "7:5");
    EXPECT_EQ(tick(7, 5, 0, 600), "");
    EXPECT_EQ(tick(7, 5, 1), "");
    EXPECT_EQ(tick(7, 5, 59, 999), "");
    EXPECT_EQ(tick(7, 6, 0), "7:6");
}

TEST_F(MinuteRule, NothingIsMissedBeforeTheFirstTick) {
    EXPECT_EQ(tick(7, 5, 30), "");
    EXPECT_EQ(tick(7, 5, 31), "");
    EXPECT_EQ(tick(7, 6, 0), "7:6");
}

TEST_F(MinuteRule, DelayedTickChecksItsMinuteAndAGapOnlyTheCurrentOne) {
    EXPECT_EQ(tick(7, 5, 59), "");
    EXPECT_EQ(tick(7, 6, 1, 400), "7:6"); // second 0 never came
    EXPECT_EQ(tick(7, 6, 2), "");
    EXPECT_EQ(tick(7, 7, 2), "7:7");
    EXPECT_EQ(tick(9, 30, 40), "9:30"); // resumed after a suspend
    EXPECT_EQ(tick(9, 31, 0), "9:31");
    EXPECT_EQ(tick(23, 59, 30), "23:59");
    EXPECT_EQ(tick(0, 0, 0, 0, 1), "0:0");
}

TEST_F(MinuteRule, ClockGoingBack) {
    EXPECT_EQ(tick(7, 6, 0), "7:6");
    EXPECT_EQ(tick(7, 5, 20), ""); // back into an earlier minute: as at start
    EXPECT_EQ(tick(7, 6, 0), "");  // checked just before
    EXPECT_EQ(tick(7, 4, 59), "");
    EXPECT_EQ(tick(7, 5, 0), "7:5"); // set back on purpose: its minute comes again
}

} // namespace
} // namespace veskor
