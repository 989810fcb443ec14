// The Czech translation, chosen from the environment as the program chooses it (ctest runs this
// with LANGUAGE=cs): texts of several features and of the toolkit, and English where the user
// prefers it.

#include "app/Translations.h"

#include "app/Features.h"
#include "app/Help.h"
#include "common/Error.h"
#include "namedays/core/SaintFile.h"
#include "platform/fake/FakeFileStore.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace veskor {
namespace {

class TranslationsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "app_translation_tests";
        static char* argv[] = {name, nullptr};
        static QCoreApplication app(argc, argv);
    }
};

TEST_F(TranslationsTest, CzechDesktopReadsCzech) {
    Translations translations;
    ASSERT_EQ(translations.language(), QStringLiteral("cs"));
    translations.install();

    const std::vector<Feature> features = allFeatures();
    const CommandWords words = commandWords(features);
    EXPECT_TRUE(usage(words).starts_with("Užití: veskor [--at")) << usage(words);
    try {
        parseCommandLine({"day", "1998-02-30"}, words);
        ADD_FAILURE() << "no error";
    } catch (const UsageError& e) {
        EXPECT_STREQ(e.what(), "neplatné datum (očekává se YYYY-MM-DD) '1998-02-30'");
    }
    // A menu item, from the features' side panels.
    EXPECT_EQ(sidePanels(features).front().menuText, QStringLiteral("Kalendář"));
    // A message of the logic, made where the file is read.
    FakeFileStore files;
    files.files["/data/Veskor32.sd"] = "Jan\r\n";
    files.unreadable.insert("/data/Veskor32.sd");
    SaintTable table;
    try {
        loadSaints(table, files, "/data/Veskor32.sd");
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Nelze otevřít soubor /data/Veskor32.sd: Permission denied");
    }
    // The toolkit's own buttons, from its own translations.
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Ano"));
}

TEST_F(TranslationsTest, EnglishPreferredBeforeCzechStaysEnglish) {
    EXPECT_EQ(Translations({"en-GB", "cs-CZ"}).language(), QString());
    EXPECT_EQ(Translations({"de-DE", "cs-CZ"}).language(), QStringLiteral("cs"));
}

} // namespace
} // namespace veskor
