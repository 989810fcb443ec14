#pragma once
// The user's language: the program's own texts and the toolkit's (its dialogs and buttons), in the
// first of the desktop's languages the program has. English, the texts in the code, needs none.

#include <QString>
#include <QStringList>
#include <QTranslator>

namespace veskor {

class Translations final {
public:
    // Loads the translations for QLocale::system()'s languages, which follow LANGUAGE, LC_ALL,
    // LC_MESSAGES and LANG. Needs no application object yet.
    Translations();
    // The same for `languages` ("cs-CZ", "en"), the preferred first.
    explicit Translations(const QStringList& languages);
    Translations(const Translations&) = delete;
    Translations& operator=(const Translations&) = delete;

    // Installs them in the application object that runs now; a later one needs them again.
    void install();
    // The language chosen ("cs"), or empty for English.
    [[nodiscard]] QString language() const { return m_language; }

private:
    QTranslator m_program;
    QTranslator m_toolkit;
    QString m_language;
};

} // namespace veskor
