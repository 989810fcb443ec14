#include "namedays/core/SaintTable.h"

#include "common/DateTime.h"
#include "common/Error.h"
#include "support/TestSupport.h"

#include <array>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace veskor {
namespace {

using test::Cp1250;

// The default calendar as UTF-8 text, one line per month; iconv, not the program, converts it.
// clang-format off
constexpr std::array<std::string_view, 12> kCalendarMonths{
    "Nový rok, Karina, Radmila, Diana, Dalimil, Tři králové, Vilma, Čestmír, Vladan, Břetislav, Bohdana, Pravoslav, Edita, Radovan, Alice, Ctirad, Drahoslav, Vladislav, Doubravka, Ilona, Běla, Slavomír, Zdeněk, Milena, Miloš, Zora, Ingrid, Otýlie, Zdislava, Robin, Marika",
    "Hynek, Nela, Blažej, Jarmila, Dobromila, Vanda, Veronika, Milada, Apolena, Mojmír, Božena, Slavěna, Věnceslav, Valentýn, Jiřina, Ljuba, Miloslava, Gizela, Patrik, Oldřich, Lenka, Petr, Svatopluk, Matěj, Liliana, Dorota, Alexandr, Lumír, Horymír",
    "Bedřich, Anežka, Kamil, Stela, Kazimír, Miroslav, Tomáš, Gabriela, Františka, Viktorie, Anděla, Řehoř, Růžena, Růt/Matylda, Ida, Elena/Herbert, Vlastimil, Eduard, Josef, Světlana, Radek, Leona, Ivona, Gabriel, Marián, Emanuel, Dita, Soňa, Taťána, Arnošt, Kvido",
    "Hugo, Erika, Richard, Ivana, Miroslava, Vendula, Heřman, Ema, Dušan, Darja, Izabela, Julius, Aleš, Vincenc, Anastázie, Irena, Rudolf, Valérie, Rostislav, Marcela, Alexandra, Evženie, Vojtěch, Jiří, Marek, Oto, Jaroslav, Vlastislav, Robert, Blahoslav",
    "Svátek práce, Zikmund, Alexej, Květoslav, Klaudie, Radoslav, Stanislav, Státní svátek, Ctibor, Blažena, Svatava, Pankrác, Servác, Bonifác, Žofie, Přemysl, Aneta, Nataša, Ivo, Zbyšek, Monika, Emil, Vladimír, Jana, Viola, Filip, Valdemar, Vilém, Maxim, Ferdinand, Kamila",
    "Laura, Jarmil, Tamara, Dalibor, Dobroslav, Norbert, Iveta, Medard, Stanislava, Gita, Flóra, Antonie, Antonín, Vasil, Vít, Zbyněk, Adolf, Milan, Leoš, Květa, Alois, Pavla, Zdeňka, Jan, Ivan, Adriana, Ladislav, Lubomír, Petr a Pavel, Šárka",
    "Jaroslava, Patricie, Radomír, Prokop, Cyril, Jan Hus, Bohuslava, Nora, Drahoslava, Libuše, Olga, Boček, Markéta, Karolína, Jindřich, Luboš, Martina, Drahomíra, Čeněk, Ilja, Vítězslav, Magdaléna, Libor, Kristýna, Jakub, Anna, Věroslav, Viktor, Marta, Bořivoj, Ignác",
    "Oskar, Gustav, Miluše, Dominik, Milivoj, Oldřiška, Lada, Soběslav, Roman, Vavřinec, Zuzana, Klára, Alena, Alan, Hana, Jáchym, Petra, Helena, Ludvík, Bernard, Johana, Bohuslav, Sandra, Bartoloměj, Radim, Luděk, Otakar, Augustýn, Evelína, Štěpán, Pavlína",
    "Linda, Adéla, Bronislav, Jindřiška, Boris, Boleslav, Regina, Mariana, Daniela, Irma, Denisa, Marie, Lubor, Radka, Jolana, Ludmila, Naděžda, Kryštof, Zita, Oleg, Matouš, Darina, Berta, Jaromír, Zlata, Andrea, Jonáš, Václav, Michal, Jeroným",
    "Igor, Galina, Bohumil, František, Eliška, Hanuš, Sergej, Věra, Štefan, Marina, Andrej, Marcel, Renáta, Agáta, Tereza, Havel, Hedvika, Lukáš, Michaela, Vendelín, Brigita, Sabina, Teodor, Nina, Beáta, Erik, Zoja, Státní svátek, Silvie, Tadeáš, Štěpánka",
    "Felix, Dušičky, Hubert, Karel, Miriam, Liběna, Saskie, Bohumír, Bohdan, Evžen, Martin, Benedikt, Tibor, Sáva, Leopold, Otmar, Mahulena, Romana, Alžběta, Nikola, Albert, Cecílie, Klement, Emílie, Kateřina, Artur, Xenie, René, Zina, Ondřej",
    "Iva, Blanka, Svatoslav, Barbora, Jitka, Mikuláš, Ambrož, Květoslava, Vratislav, Julie, Dana, Simona, Lucie, Lýdie, Radana, Albína, Daniel, Miloslav, Ester, Dagmar, Natálie, Šimon, Vlasta, Adam a Eva, 1.vánoční, 2.vánoční, Žaneta, Bohumila, Judita, David, Silvestr",
};
// clang-format on
constexpr std::array<int, 12> kLeapMonthDays{31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

std::string ListError(int index) {
    return "List index out of bounds (" + std::to_string(index) + ")";
}

TEST(BuiltInSaints, MatchTheCalendarTextByteForByte) {
    const std::vector<std::string>& saints = BuiltInSaints();
    ASSERT_EQ(saints.size(), 366U);
    std::size_t index = 0;
    for (std::size_t month = 0; month < kCalendarMonths.size(); ++month) {
        const std::string line = Cp1250(kCalendarMonths[month]);
        std::vector<std::string> names;
        for (std::size_t start = 0;;) {
            const std::size_t comma = line.find(", ", start);
            names.push_back(line.substr(start, comma - start));
            if (comma == std::string::npos) {
                break;
            }
            start = comma + 2;
        }
        ASSERT_EQ(names.size(), static_cast<std::size_t>(kLeapMonthDays[month]))
            << "month " << month + 1;
        for (const std::string& name : names) {
            EXPECT_EQ(saints[index], name) << "index " << index;
            ++index;
        }
    }
    EXPECT_EQ(index, saints.size());
    EXPECT_EQ(TStrHolder().Strings.Items(), saints);
}

TEST(TStrings, AccessOutsideTheListFailsWithTheListError) {
    TStrings list(std::vector<std::string>{"a", "b"});
    list.Put(1, "c");
    EXPECT_EQ(list.Get(1), "c");
    for (const int bad : {-1, 2, 366}) {
        try {
            static_cast<void>(list.Get(bad));
            ADD_FAILURE() << "Get(" << bad << ") did not fail";
        } catch (const Error& e) {
            EXPECT_EQ(e.what(), ListError(bad));
        }
        EXPECT_THROW(list.Put(bad, "x"), Error);
    }
    EXPECT_EQ(list.Items(), (std::vector<std::string>{"a", "c"}));
}

struct DaySaint {
    int month;
    int day;
    const char* saintUtf8;
};

TEST(SaintOfDate, YearEndsAndLeapDayInLeapAndCommonYears) {
    const TStrHolder holder;
    constexpr std::array<DaySaint, 8> kEveryYear{{{1, 1, "Nový rok"},
                                                  {1, 2, "Karina"},
                                                  {2, 28, "Lumír"},
                                                  {3, 1, "Bedřich"},
                                                  {5, 8, "Státní svátek"},
                                                  {10, 28, "Státní svátek"},
                                                  {12, 30, "David"},
                                                  {12, 31, "Silvestr"}}};
    for (const int year : {1900, 2000, 2023, 2024}) {
        for (const DaySaint& d : kEveryYear) {
            EXPECT_EQ(SaintOfDate(holder.Strings, EncodeDate(year, d.month, d.day)),
                      Cp1250(d.saintUtf8))
                << year << "-" << d.month << "-" << d.day;
        }
    }
    EXPECT_EQ(SaintOfDate(holder.Strings, EncodeDate(2024, 2, 29)), Cp1250("Horymír"));
    EXPECT_EQ(SaintOfDate(holder.Strings, EncodeDate(2000, 2, 29)), Cp1250("Horymír"));
    // The time of day does not move the date.
    const TDateTime lateEvening = EncodeDate(2023, 1, 6) + EncodeTime(23, 59, 59, 999);
    EXPECT_EQ(SaintOfDate(holder.Strings, lateEvening), Cp1250("Tři králové"));
}

TEST(SaintOfDate, ShortTableFailsOnlyPastItsLastEntry) {
    std::vector<std::string> lines(BuiltInSaints().begin(), BuiltInSaints().begin() + 59);
    const TStrings table(lines);
    EXPECT_EQ(SaintOfDate(table, EncodeDate(2023, 2, 28)), Cp1250("Lumír"));
    try {
        static_cast<void>(SaintOfDate(table, EncodeDate(2023, 3, 1)));
        ADD_FAILURE() << "1 March read past a 59-entry table";
    } catch (const Error& e) {
        EXPECT_EQ(e.what(), ListError(60));
    }
    try {
        static_cast<void>(SaintOfDate(table, EncodeDate(2024, 2, 29)));
        ADD_FAILURE() << "29 February read past a 59-entry table";
    } catch (const Error& e) {
        EXPECT_EQ(e.what(), ListError(59));
    }
}

TEST(SaintPositionToDate, WalksEveryPositionInLeapAndCommonYears) {
    for (int position = 1; position <= 366; ++position) {
        EXPECT_EQ(SaintPositionToDate(position, 2024), EncodeDate(2024, 1, 1) + position - 1)
            << position;
        const TDateTime common =
            position == 60 ? 0.0 : EncodeDate(2023, 1, 1) + position - (position > 60 ? 2 : 1);
        EXPECT_EQ(SaintPositionToDate(position, 2023), common) << position;
    }
    EXPECT_EQ(SaintPositionToDate(60, 1900), 0.0);
    EXPECT_EQ(SaintPositionToDate(60, 2000), EncodeDate(2000, 2, 29));
    EXPECT_THROW(SaintPositionToDate(0, 2024), Error);
    EXPECT_THROW(SaintPositionToDate(367, 2024), Error);
}

struct Search {
    const char* nameUtf8;
    int year;
    int month; // 0: not found, the reference date comes back
    int day;
};

TEST(FindSaintDate, FoldsAsciiOnlyAndComparesWholeEntries) {
    const TStrHolder holder;
    constexpr std::array<Search, 20> kSearches{{
        {"karina", 2023, 1, 2},        {"KARINA", 2024, 1, 2},        {"kArInA", 2023, 1, 2},
        {"Karina ", 2023, 0, 0},       {"čestmír", 2023, 0, 0}, // č is not folded to Č
        {"Čestmír", 2023, 1, 8},       {"ČESTMÍR", 2023, 0, 0}, // nor í to Í
        {"Petr", 2023, 2, 22},         {"Matylda", 2023, 0, 0},       {"Růt/Matylda", 2023, 3, 14},
        {"Státní svátek", 2023, 5, 8}, {"státní svátek", 2023, 5, 8}, {"Nový rok", 2023, 1, 1},
        {"Nový rok", 2024, 1, 1},      {"Silvestr", 2023, 12, 31},    {"Silvestr", 2024, 12, 31},
        {"Bedřich", 2023, 3, 1},       {"Horymír", 2024, 2, 29},      {"", 2023, 0, 0},
        {"Petr a", 2023, 0, 0},
    }};
    for (const Search& s : kSearches) {
        const TDateTime reference = EncodeDate(s.year, 7, 15) + 0.25;
        const TDateTime expected = s.month == 0 ? reference : EncodeDate(s.year, s.month, s.day);
        EXPECT_EQ(FindSaintDate(holder.Strings, Cp1250(s.nameUtf8), reference), expected)
            << s.nameUtf8 << " in " << s.year;
    }
    // 29 February has no date in a common year: day count 0, not the reference date.
    EXPECT_EQ(FindSaintDate(holder.Strings, Cp1250("Horymír"), EncodeDate(2023, 7, 15)), 0.0);
    EXPECT_EQ(FindSaintIndex(holder.Strings, Cp1250("Petr a Pavel")), 180);
}

TEST(FindSaintDate, EntriesPastTheYearHaveNoDate) {
    std::vector<std::string> lines = BuiltInSaints();
    lines.emplace_back("Extra");
    lines.emplace_back("");
    const TStrings table(lines);
    const TDateTime reference = EncodeDate(2024, 3, 3);
    EXPECT_EQ(FindSaintIndex(table, "EXTRA"), 366);
    EXPECT_EQ(FindSaintDate(table, "EXTRA", reference), reference);
    EXPECT_EQ(FindSaintDate(table, "", reference), reference);
    lines[10] = "";
    EXPECT_EQ(FindSaintDate(TStrings(lines), "", reference), EncodeDate(2024, 1, 11));
}

} // namespace
} // namespace veskor
