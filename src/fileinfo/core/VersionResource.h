#pragma once
// Reads the version resource (fixed file information and string table) of PE32, PE32+ and
// 16-bit NE executables held in memory, and keeps the texts of one chosen file.

#include "platform/MappedFile.h"

#include <QObject>
#include <QString>
#include <cstdint>
#include <span>

namespace veskor {

// The fifteen texts of a version resource; all empty when the file has none.
struct VersionInfo {
    QString comment, companyName, fileDescription, fileVersion, internalName, legalCopyright,
        legalTradeMarks, originalFileName, privateBuild, productName, productVersion, specialBuild,
        fileOS, fileType, fileSubType;

    bool operator==(const VersionInfo&) const = default;
};

// Language half of a string table's key.
enum class Language {
    Arabic,
    Bulgarian,
    Catalan,
    TraditionalChinese,
    Czech,
    Danish,
    German,
    Greek,
    USEnglish,
    CastilianSpanish,
    Finnish,
    French,
    Hebrew,
    Hungarian,
    Icelandic,
    Italian,
    Japanese,
    Korean,
    Dutch,
    NorwegianBokmal,
    Polish,
    BrazilianPortuguese,
    RhaetoRomanic,
    Romanian,
    Russian,
    CroatoSerbian,
    Slovak,
    Albanian,
    Swedish,
    Thai,
    Turkish,
    Urdu,
    Bahasa,
    SimplifiedChinese,
    SwissGerman,
    UKEnglish,
    MexicanSpanish,
    BelgianFrench,
    SwissItalian,
    BelgianDutch,
    NorwegianNynorsk,
    Portuguese,
    SerboCroatian,
    CanadianFrench,
    SwissFrench,
};
inline constexpr int kLanguageCount = 45;

// Code-page half of a string table's key.
enum class CharacterSet {
    Ascii,
    Japan,
    Korea,
    Taiwan,
    Unicode,
    Latin2,
    Cyrillic,
    Multilingual,
    Greek,
    Turkish,
    Hebrew,
    Arabic,
};
inline constexpr int kCharacterSetCount = 12;

std::uint16_t languageId(Language language); // 0x0409 for USEnglish
std::uint16_t codePage(CharacterSet set);    // 1252 for Multilingual

// The file-OS, file-type and file-subtype texts of the fixed file information; the subtype is
// empty for types other than drivers (3) and fonts (4).
QString fileOSText(std::uint32_t fileOS);
QString fileTypeText(std::uint32_t fileType);
QString fileSubTypeText(std::uint32_t fileType, std::uint32_t fileSubType);

enum class ImageFormat { Unknown, Ne, Pe32, Pe32Plus };

// What was found on the way to the texts, for callers and tests that need more than the texts.
struct VersionReading {
    VersionInfo info;
    ImageFormat format = ImageFormat::Unknown;
    bool hasResource = false;  // a version resource lies inside the image
    bool hasFixedInfo = false; // its fixed file information was valid; no texts otherwise
    // Language (high 16 bits) and code page (low 16 bits) of the string table read; 0 for none.
    std::uint32_t tableKey = 0;
    // The chosen table was missing and the first listed translation (or first table) was read.
    bool usedFallbackTable = false;
};

// Decodes the version resource of an executable image held in memory (never reads outside it).
// Strings come from the table of the chosen language and code page; when the resource has no
// such table, from its first translation's table, else from its first table.
VersionReading readVersionResource(std::span<const std::uint8_t> image, Language language,
                                   CharacterSet set);
VersionInfo readVersionInfo(std::span<const std::uint8_t> image, Language language,
                            CharacterSet set);

// The version texts of one file. Setting any property re-reads the file (even when the value is
// unchanged) and then emits changed().
class VersionResource final : public QObject {
    Q_OBJECT
public:
    // Starts with `fileName` (the program's own executable, as the caller knows it), US English
    // and code page 1252, read at once (without changed()). Files are opened through `files`,
    // which must outlive this object.
    VersionResource(const IMappedFiles& files, QString fileName, QObject* parent = nullptr);

    void setFileName(const QString& path);
    void setLanguage(Language language);
    void setCharacterSet(CharacterSet set);

    [[nodiscard]] const QString& fileName() const { return m_fileName; }
    [[nodiscard]] Language language() const { return m_language; }
    [[nodiscard]] CharacterSet characterSet() const { return m_characterSet; }
    [[nodiscard]] const VersionInfo& versionInfo() const { return m_info; }

signals:
    // Once for every property set, after the file was read again.
    void changed();

private:
    void read();
    void reread();

    const IMappedFiles& m_files;
    QString m_fileName;
    Language m_language = Language::USEnglish;
    CharacterSet m_characterSet = CharacterSet::Multilingual;
    VersionInfo m_info;
};

} // namespace veskor
