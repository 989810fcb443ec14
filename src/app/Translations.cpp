#include "app/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace veskor {

Translations::Translations() : Translations(QLocale::system().uiLanguages()) {}

Translations::Translations(const QStringList& languages) {
    // In the order of preference: English before a language the program has keeps the English
    // texts, although QTranslator would load the later one.
    for (const QString& name : languages) {
        const QLocale language(name);
        if (name == QLatin1String("C") || language.language() == QLocale::English) {
            return;
        }
        if (language.language() == QLocale::C) {
            continue; // a name the toolkit does not know
        }
        if (m_program.load(language, QStringLiteral("veskor"), QStringLiteral("_"),
                           QStringLiteral(":/i18n"))) {
            m_language = QLocale::languageToCode(language.language());
            // The toolkit's own texts come from a package of their own; without it, its dialogs
            // stay English.
            (void)m_toolkit.load(language, QStringLiteral("qtbase"), QStringLiteral("_"),
                                 QLibraryInfo::path(QLibraryInfo::TranslationsPath));
            return;
        }
    }
}

void Translations::install() {
    if (m_language.isEmpty()) {
        return;
    }
    QCoreApplication::installTranslator(&m_toolkit);
    QCoreApplication::installTranslator(&m_program);
}

} // namespace veskor
