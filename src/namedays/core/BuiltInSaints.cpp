// The default name-day calendar, one entry per day of a leap year from 1 January.
// Kept as Windows-1250 bytes (hex escapes keep this file ASCII): the table and the file hold
// single-byte text, and only display converts it.

#include "namedays/core/SaintTable.h"

namespace veskor {

const std::vector<std::string>& builtInSaints() {
    // One block per month, to be checked against the calendar at a glance.
    // A name split after a hex escape ("\xc8" "estm\xedr") is one entry, not a missing comma.
    // clang-format off
    // NOLINTBEGIN(bugprone-suspicious-missing-comma)
    static const std::vector<std::string> saints{
        // January
        "Nov\xfd rok", "Karina", "Radmila", "Diana", "Dalimil", "T\xf8i kr\xe1lov\xe9", "Vilma",
        "\xc8" "estm\xedr", "Vladan", "B\xf8" "etislav", "Bohdana", "Pravoslav", "Edita", "Radovan",
        "Alice", "Ctirad", "Drahoslav", "Vladislav", "Doubravka", "Ilona", "B\xecla", "Slavom\xedr",
        "Zden\xeck", "Milena", "Milo\x9a", "Zora", "Ingrid", "Ot\xfdlie", "Zdislava", "Robin",
        "Marika",
        // February
        "Hynek", "Nela", "Bla\x9e" "ej", "Jarmila", "Dobromila", "Vanda", "Veronika", "Milada",
        "Apolena", "Mojm\xedr", "Bo\x9e" "ena", "Slav\xecna", "V\xecnceslav", "Valent\xfdn",
        "Ji\xf8ina", "Ljuba", "Miloslava", "Gizela", "Patrik", "Old\xf8ich", "Lenka", "Petr",
        "Svatopluk", "Mat\xecj", "Liliana", "Dorota", "Alexandr", "Lum\xedr", "Horym\xedr",
        // March
        "Bed\xf8ich", "Ane\x9eka", "Kamil", "Stela", "Kazim\xedr", "Miroslav", "Tom\xe1\x9a",
        "Gabriela", "Franti\x9aka", "Viktorie", "And\xecla", "\xd8" "eho\xf8", "R\xf9\x9e" "ena",
        "R\xf9t/Matylda", "Ida", "Elena/Herbert", "Vlastimil", "Eduard", "Josef", "Sv\xectlana",
        "Radek", "Leona", "Ivona", "Gabriel", "Mari\xe1n", "Emanuel", "Dita", "So\xf2" "a",
        "Ta\x9d\xe1na", "Arno\x9at", "Kvido",
        // April
        "Hugo", "Erika", "Richard", "Ivana", "Miroslava", "Vendula", "He\xf8man", "Ema",
        "Du\x9a" "an", "Darja", "Izabela", "Julius", "Ale\x9a", "Vincenc", "Anast\xe1zie", "Irena",
        "Rudolf", "Val\xe9rie", "Rostislav", "Marcela", "Alexandra", "Ev\x9e" "enie",
        "Vojt\xec" "ch", "Ji\xf8\xed", "Marek", "Oto", "Jaroslav", "Vlastislav", "Robert",
        "Blahoslav",
        // May
        "Sv\xe1tek pr\xe1" "ce", "Zikmund", "Alexej", "Kv\xectoslav", "Klaudie", "Radoslav",
        "Stanislav", "St\xe1tn\xed sv\xe1tek", "Ctibor", "Bla\x9e" "ena", "Svatava",
        "Pankr\xe1" "c", "Serv\xe1" "c", "Bonif\xe1" "c", "\x8eofie", "P\xf8" "emysl", "Aneta",
        "Nata\x9a" "a", "Ivo", "Zby\x9a" "ek", "Monika", "Emil", "Vladim\xedr", "Jana", "Viola",
        "Filip", "Valdemar", "Vil\xe9m", "Maxim", "Ferdinand", "Kamila",
        // June
        "Laura", "Jarmil", "Tamara", "Dalibor", "Dobroslav", "Norbert", "Iveta", "Medard",
        "Stanislava", "Gita", "Fl\xf3ra", "Antonie", "Anton\xedn", "Vasil", "V\xedt", "Zbyn\xeck",
        "Adolf", "Milan", "Leo\x9a", "Kv\xecta", "Alois", "Pavla", "Zde\xf2ka", "Jan", "Ivan",
        "Adriana", "Ladislav", "Lubom\xedr", "Petr a Pavel", "\x8a\xe1rka",
        // July
        "Jaroslava", "Patricie", "Radom\xedr", "Prokop", "Cyril", "Jan Hus", "Bohuslava", "Nora",
        "Drahoslava", "Libu\x9a" "e", "Olga", "Bo\xe8" "ek", "Mark\xe9ta", "Karol\xedna",
        "Jind\xf8ich", "Lubo\x9a", "Martina", "Drahom\xedra", "\xc8" "en\xeck", "Ilja",
        "V\xedt\xeczslav", "Magdal\xe9na", "Libor", "Krist\xfdna", "Jakub", "Anna", "V\xecroslav",
        "Viktor", "Marta", "Bo\xf8ivoj", "Ign\xe1" "c",
        // August
        "Oskar", "Gustav", "Milu\x9a" "e", "Dominik", "Milivoj", "Old\xf8i\x9aka", "Lada",
        "Sob\xecslav", "Roman", "Vav\xf8inec", "Zuzana", "Kl\xe1ra", "Alena", "Alan", "Hana",
        "J\xe1" "chym", "Petra", "Helena", "Ludv\xedk", "Bernard", "Johana", "Bohuslav", "Sandra",
        "Bartolom\xecj", "Radim", "Lud\xeck", "Otakar", "August\xfdn", "Evel\xedna",
        "\x8at\xecp\xe1n", "Pavl\xedna",
        // September
        "Linda", "Ad\xe9la", "Bronislav", "Jind\xf8i\x9aka", "Boris", "Boleslav", "Regina",
        "Mariana", "Daniela", "Irma", "Denisa", "Marie", "Lubor", "Radka", "Jolana", "Ludmila",
        "Nad\xec\x9e" "da", "Kry\x9atof", "Zita", "Oleg", "Matou\x9a", "Darina", "Berta",
        "Jarom\xedr", "Zlata", "Andrea", "Jon\xe1\x9a", "V\xe1" "clav", "Michal", "Jeron\xfdm",
        // October
        "Igor", "Galina", "Bohumil", "Franti\x9a" "ek", "Eli\x9aka", "Hanu\x9a", "Sergej",
        "V\xecra", "\x8atefan", "Marina", "Andrej", "Marcel", "Ren\xe1ta", "Ag\xe1ta", "Tereza",
        "Havel", "Hedvika", "Luk\xe1\x9a", "Michaela", "Vendel\xedn", "Brigita", "Sabina", "Teodor",
        "Nina", "Be\xe1ta", "Erik", "Zoja", "St\xe1tn\xed sv\xe1tek", "Silvie", "Tade\xe1\x9a",
        "\x8at\xecp\xe1nka",
        // November
        "Felix", "Du\x9ai\xe8ky", "Hubert", "Karel", "Miriam", "Lib\xecna", "Saskie", "Bohum\xedr",
        "Bohdan", "Ev\x9e" "en", "Martin", "Benedikt", "Tibor", "S\xe1va", "Leopold", "Otmar",
        "Mahulena", "Romana", "Al\x9e" "b\xecta", "Nikola", "Albert", "Cec\xedlie", "Klement",
        "Em\xedlie", "Kate\xf8ina", "Artur", "Xenie", "Ren\xe9", "Zina", "Ond\xf8" "ej",
        // December
        "Iva", "Blanka", "Svatoslav", "Barbora", "Jitka", "Mikul\xe1\x9a", "Ambro\x9e",
        "Kv\xectoslava", "Vratislav", "Julie", "Dana", "Simona", "Lucie", "L\xfd" "die", "Radana",
        "Alb\xedna", "Daniel", "Miloslav", "Ester", "Dagmar", "Nat\xe1lie", "\x8aimon", "Vlasta",
        "Adam a Eva", "1.v\xe1no\xe8n\xed", "2.v\xe1no\xe8n\xed", "\x8e" "aneta", "Bohumila",
        "Judita", "David", "Silvestr",
    };
    // NOLINTEND(bugprone-suspicious-missing-comma)
    // clang-format on
    return saints;
}

} // namespace veskor
