#include "common/DatePattern.h"

#include <QDate>
#include <QLocale>
#include <gtest/gtest.h>

namespace {

using namespace veskor;

// Monday 6 July 1998, 07:05:09.045.
DateTime sample() {
    return encodeDateTime(CivilDate{1998, 7, 6}, ClockTime{7, 5, 9, 45});
}

LocaleFormat czechLike() {
    LocaleFormat f;
    f.longDayNames = {"neděle", "pondělí", "úterý", "středa", "čtvrtek", "pátek", "sobota"};
    f.shortDayNames = {"ne", "po", "út", "st", "čt", "pá", "so"};
    f.longMonthNames = {"ledna",    "února", "března", "dubna", "května",    "června",
                        "července", "srpna", "září",   "října", "listopadu", "prosince"};
    f.shortMonthNames = {"led", "úno", "bře", "dub", "kvě", "čvn",
                         "čvc", "srp", "zář", "říj", "lis", "pro"};
    f.timeSeparator = ".";
    f.thousandsSeparator = "\u00A0";
    f.decimalSeparator = ",";
    return f;
}

TEST(FormatDateTime, BarPatternsInEnglish) {
    const LocaleFormat en = LocaleFormat::english();
    EXPECT_EQ(formatDateTime("dddd", sample(), en), "Monday");
    EXPECT_EQ(formatDateTime("d.m. yyyy", sample(), en), "6.7. 1998");
    EXPECT_EQ(formatDateTime("hh:mm:ss", sample(), en), "07:05:09");
    EXPECT_EQ(formatDateTime("d.m. yyyy", encodeDate(2024, 12, 31), en), "31.12. 2024");
    EXPECT_EQ(formatDateTime("hh:mm:ss", encodeDateTime({2024, 12, 31}, {23, 59, 59, 999}), en),
              "23:59:59");
}

TEST(FormatDateTime, EveryField) {
    const LocaleFormat en = LocaleFormat::english();
    EXPECT_EQ(formatDateTime("dd/mm/yy", sample(), en), "06/07/98");
    EXPECT_EQ(formatDateTime("ddd, d mmm yyyy", sample(), en), "Mon, 6 Jul 1998");
    EXPECT_EQ(formatDateTime("mmmm", sample(), en), "July");
    EXPECT_EQ(formatDateTime("h:m:s", sample(), en), "7:5:9");
    EXPECT_EQ(formatDateTime("hh:nn:ss.zzz", sample(), en), "07:05:09.045");
    EXPECT_EQ(formatDateTime("n z", sample(), en), "5 45");
    EXPECT_EQ(formatDateTime("yyyy", encodeDate(1, 1, 1), en), "0001");
    EXPECT_EQ(formatDateTime("yy", encodeDate(2005, 1, 1), en), "05");
}

TEST(FormatDateTime, MinutesOnlyDirectlyAfterAnHour) {
    const LocaleFormat en = LocaleFormat::english();
    EXPECT_EQ(formatDateTime("hhmm", sample(), en), "0705");
    EXPECT_EQ(formatDateTime("h:mm", sample(), en), "7:05");
    EXPECT_EQ(formatDateTime("hh mm", sample(), en), "07 07"); // a blank breaks the link
    EXPECT_EQ(formatDateTime("mm:ss", sample(), en), "07:09"); // month: no hour before it
    EXPECT_EQ(formatDateTime("hh:mm d.m.", sample(), en), "07:05 6.7.");
    EXPECT_EQ(formatDateTime("hh:mmm", sample(), en), "07:Jul");
}

TEST(FormatDateTime, QuotedTextIsLiteral) {
    const LocaleFormat en = LocaleFormat::english();
    EXPECT_EQ(formatDateTime("'day' d", sample(), en), "day 6");
    EXPECT_EQ(formatDateTime("\"hh:mm\" hh", sample(), en), "hh:mm 07");
    EXPECT_EQ(formatDateTime("d 'unclosed mm", sample(), en), "6 unclosed mm");
    EXPECT_EQ(formatDateTime("", sample(), en), "");
    // Letters that are not fields, and bytes of other scripts, pass through.
    EXPECT_EQ(formatDateTime("W: d., č.", sample(), en), "W: 6., č.");
}

TEST(FormatDateTime, LocaleNamesAndTimeSeparator) {
    const LocaleFormat cz = czechLike();
    EXPECT_EQ(formatDateTime("dddd d. mmmm yyyy", sample(), cz), "pondělí 6. července 1998");
    EXPECT_EQ(formatDateTime("ddd mmm", sample(), cz), "po čvc");
    EXPECT_EQ(formatDateTime("hh:mm:ss", sample(), cz), "07.05.09");
    EXPECT_EQ(formatDateTime("dddd", encodeDate(1998, 7, 5), cz), "neděle");
    EXPECT_EQ(formatDateTime("dddd", encodeDate(1998, 7, 11), cz), "sobota");
}

TEST(FormatDateTime, WeekdayNamesFollowTheCalendar) {
    // Each day of a year against Qt's own calendar and names for the C locale.
    const LocaleFormat en = LocaleFormat::english();
    const QDate epoch(1899, 12, 30);
    for (QDate q(1999, 12, 1); q <= QDate(2001, 3, 31); q = q.addDays(1)) {
        const auto value = static_cast<double>(epoch.daysTo(q)) + 0.3;
        ASSERT_EQ(formatDateTime("dddd d mmmm yyyy", value, en),
                  q.toString(u"dddd d MMMM yyyy").toStdString());
    }
}

TEST(LocaleFormat, SystemUnderTheCLocaleIsEnglish) {
    // The tests run with LC_ALL=C.
    const LocaleFormat sys = LocaleFormat::system();
    const LocaleFormat en = LocaleFormat::english();
    EXPECT_EQ(sys.longDayNames, en.longDayNames);
    EXPECT_EQ(sys.shortDayNames, en.shortDayNames);
    EXPECT_EQ(sys.longMonthNames, en.longMonthNames);
    EXPECT_EQ(sys.shortMonthNames, en.shortMonthNames);
    EXPECT_EQ(sys.timeSeparator, ":");
    EXPECT_EQ(sys.thousandsSeparator, ",");
    EXPECT_EQ(sys.decimalSeparator, ".");
    EXPECT_EQ(formatDateTime("dddd", sample(), sys), "Monday");
}

// Registered on their own with LC_ALL=cs_CZ.UTF-8 and fi_FI.UTF-8.
TEST(CzechSystemLocale, NamesAndSeparators) {
    const LocaleFormat sys = LocaleFormat::system();
    EXPECT_EQ(sys.longDayNames[0], "neděle");
    EXPECT_EQ(sys.longDayNames[1], "pondělí");
    EXPECT_EQ(sys.longDayNames[6], "sobota");
    EXPECT_EQ(sys.longMonthNames[6], "července");
    EXPECT_EQ(sys.timeSeparator, ":");
    EXPECT_EQ(sys.thousandsSeparator, "\u00A0");
    EXPECT_EQ(sys.decimalSeparator, ",");
    EXPECT_EQ(formatDateTime("dddd d.m. yyyy hh:mm", sample(), sys), "pondělí 6.7. 1998 07:05");
}

TEST(FinnishSystemLocale, DotTimeSeparator) {
    const LocaleFormat sys = LocaleFormat::system();
    EXPECT_EQ(sys.timeSeparator, ".");
    EXPECT_EQ(formatDateTime("hh:mm:ss", sample(), sys), "07.05.09");
}

} // namespace
