#include "fileinfo/core/VersionResource.h"

#include "common/ByteReader.h"
#include "common/Cp1250.h"

#include <QFile>
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace veskor {

namespace {

constexpr std::size_t align4(std::size_t offset) {
    return (offset + 3) & ~std::size_t{3};
}

// ---- Locating the resource -------------------------------------------------------------------

constexpr std::uint32_t kVersionType = 16;
constexpr std::uint32_t kHighBit = 0x80000000U;
constexpr std::size_t kCoffHeaderSize = 20;
constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::uint32_t kResourceDirectoryIndex = 2;

struct Located {
    ImageFormat format = ImageFormat::Unknown;
    std::optional<ByteReader> resource;
};

class PeImage final {
public:
    PeImage(ByteReader image, std::size_t sections, std::uint16_t sectionCount,
            std::uint32_t headersSize)
        : m_image(image), m_sections(sections), m_sectionCount(sectionCount),
          m_headersSize(headersSize) {}

    // The file bytes behind an address, up to the end of its section's raw data.
    [[nodiscard]] std::optional<ByteReader> at(std::uint32_t rva) const {
        for (std::uint16_t i = 0; i < m_sectionCount; ++i) {
            const std::size_t header = m_sections + i * kSectionHeaderSize;
            const auto address = m_image.u32(header + 12);
            const auto rawSize = m_image.u32(header + 16);
            const auto rawOffset = m_image.u32(header + 20);
            if (!address || !rawSize || !rawOffset)
                return std::nullopt;
            if (rva >= *address && rva - *address < *rawSize) {
                const std::uint32_t into = rva - *address;
                return m_image.part(std::size_t{*rawOffset} + into, *rawSize - into);
            }
        }
        if (rva < m_headersSize)
            return m_image.part(rva, m_headersSize - rva);
        return std::nullopt;
    }

private:
    ByteReader m_image;
    std::size_t m_sections;
    std::uint16_t m_sectionCount;
    std::uint32_t m_headersSize;
};

// The entry of a resource directory with this identifier, or its first entry when wanted is
// empty; preferred, when given, is taken over the first entry if present.
std::optional<std::uint32_t> pickEntry(const ByteReader& tree, std::uint32_t directory,
                                       std::optional<std::uint32_t> wanted,
                                       std::optional<std::uint32_t> preferred) {
    const auto named = tree.u16(std::size_t{directory} + 12);
    const auto numbered = tree.u16(std::size_t{directory} + 14);
    if (!named || !numbered)
        return std::nullopt;
    const std::size_t count = std::size_t{*named} + *numbered;
    std::optional<std::uint32_t> first;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = std::size_t{directory} + 16 + i * 8;
        const auto name = tree.u32(entry);
        const auto target = tree.u32(entry + 4);
        if (!name || !target)
            return first;
        const bool isId = (*name & kHighBit) == 0;
        if (wanted) {
            if (isId && *name == *wanted)
                return *target;
            continue;
        }
        if (!first)
            first = *target;
        if (!preferred)
            return first;
        if (isId && *name == *preferred)
            return *target;
    }
    return first;
}

std::optional<ByteReader> peResource(const ByteReader& image, std::size_t pe,
                                     std::uint16_t language) {
    const auto sectionCount = image.u16(pe + 4 + 2);
    const auto optionalSize = image.u16(pe + 4 + 16);
    const std::size_t optional = pe + 4 + kCoffHeaderSize;
    const auto magic = image.u16(optional);
    if (!sectionCount || !optionalSize || !magic)
        return std::nullopt;
    const bool plus = *magic == 0x20B;
    const std::size_t countField = optional + (plus ? 108 : 92);
    const std::size_t directories = countField + 4;
    const auto directoryCount = image.u32(countField);
    const std::size_t resourceEntry = directories + std::size_t{kResourceDirectoryIndex} * 8;
    if (!directoryCount || *directoryCount <= kResourceDirectoryIndex ||
        resourceEntry + 8 > optional + *optionalSize)
        return std::nullopt;
    const auto resourceRva = image.u32(resourceEntry);
    const auto headersSize = image.u32(optional + 60);
    if (!resourceRva || *resourceRva == 0 || !headersSize)
        return std::nullopt;

    const PeImage pei(image, optional + *optionalSize, *sectionCount, *headersSize);
    const std::optional<ByteReader> tree = pei.at(*resourceRva);
    if (!tree)
        return std::nullopt;
    // Type, then name, then language; subdirectories have the high bit set, data entries not.
    const auto byType = pickEntry(*tree, 0, kVersionType, std::nullopt);
    if (!byType || (*byType & kHighBit) == 0)
        return std::nullopt;
    const auto byName = pickEntry(*tree, *byType & ~kHighBit, std::nullopt, std::nullopt);
    if (!byName || (*byName & kHighBit) == 0)
        return std::nullopt;
    const auto byLanguage = pickEntry(*tree, *byName & ~kHighBit, std::nullopt, language);
    if (!byLanguage || (*byLanguage & kHighBit) != 0)
        return std::nullopt;
    const auto dataRva = tree->u32(*byLanguage);
    const auto dataSize = tree->u32(std::size_t{*byLanguage} + 4);
    if (!dataRva || !dataSize)
        return std::nullopt;
    const std::optional<ByteReader> data = pei.at(*dataRva);
    if (!data)
        return std::nullopt;
    // A size past the section keeps what the section holds.
    return data->part(0, *dataSize);
}

std::optional<ByteReader> neResource(const ByteReader& image, std::size_t ne) {
    const auto tableOffset = image.u16(ne + 0x24);
    if (!tableOffset)
        return std::nullopt;
    const std::size_t table = ne + *tableOffset;
    const auto shift = image.u16(table);
    if (!shift || *shift >= 32)
        return std::nullopt;
    std::size_t at = table + 2;
    // Every type costs at least 8 bytes, so the walk ends at the image's end.
    while (const auto type = image.u16(at)) {
        if (*type == 0)
            return std::nullopt;
        const auto count = image.u16(at + 2);
        if (!count)
            return std::nullopt;
        if (*type == (0x8000 | kVersionType)) {
            if (*count == 0)
                return std::nullopt;
            const auto offset = image.u16(at + 8);
            const auto length = image.u16(at + 10);
            if (!offset || !length)
                return std::nullopt;
            return image.part(std::size_t{*offset} << *shift, std::size_t{*length} << *shift);
        }
        at += 8 + std::size_t{*count} * 12;
    }
    return std::nullopt;
}

Located locate(const ByteReader& image, std::uint16_t language) {
    Located found;
    if (image.u16(0) != 0x5A4D) // "MZ"
        return found;
    const auto header = image.u32(0x3C);
    if (!header)
        return found;
    if (image.u32(*header) == 0x00004550) { // "PE\0\0"
        const auto magic = image.u16(std::size_t{*header} + 4 + kCoffHeaderSize);
        if (magic == 0x10B)
            found.format = ImageFormat::Pe32;
        else if (magic == 0x20B)
            found.format = ImageFormat::Pe32Plus;
        else
            return found;
        found.resource = peResource(image, *header, language);
    } else if (image.u16(*header) == 0x454E) { // "NE"
        found.format = ImageFormat::Ne;
        found.resource = neResource(image, *header);
    }
    return found;
}

// ---- The version blocks ----------------------------------------------------------------------

// One node of the version tree. Wide trees (32-bit images) have UTF-16 keys and a type word;
// 16-bit images have 8-bit keys and values.
struct Block {
    QString key;
    ByteReader value{std::span<const std::uint8_t>{}};
    std::size_t valueLength = 0; // as written: bytes, or characters for wide text values
    std::size_t childrenBegin = 0;
    std::size_t end = 0;
};

// The block at offset of data (offsets are relative to the resource start, where alignment is
// counted); nothing when its header does not fit. A length past limit is cut to limit.
std::optional<Block> blockAt(const ByteReader& data, std::size_t offset, std::size_t limit,
                             bool wide) {
    const auto length = data.u16(offset);
    const auto valueLength = data.u16(offset + 2);
    const std::size_t headerSize = wide ? 6 : 4;
    if (!length || !valueLength || *length < headerSize)
        return std::nullopt;
    Block block;
    block.end = std::min({offset + *length, limit, data.size()});
    if (offset + headerSize > block.end)
        return std::nullopt;
    std::size_t at = offset + headerSize;
    bool text = false;
    if (wide)
        text = data.u16(offset + 4) == 1;
    std::u16string key;
    for (;;) {
        std::optional<std::uint16_t> unit = data.u8(at);
        if (wide)
            unit = data.u16(at);
        if (!unit || at >= block.end)
            return std::nullopt;
        at += wide ? 2 : 1;
        if (*unit == 0)
            break;
        key.push_back(static_cast<char16_t>(*unit));
    }
    block.key = QString::fromStdU16String(key);
    const std::size_t valueBegin = std::min(align4(at), block.end);
    const std::size_t valueBytes = text ? std::size_t{*valueLength} * 2 : *valueLength;
    block.valueLength = *valueLength;
    block.value = data.part(valueBegin, std::min(valueBytes, block.end - valueBegin));
    block.childrenBegin = std::min(align4(valueBegin + valueBytes), block.end);
    return block;
}

// Calls visit for each child of parent until it returns false.
template <typename Visit>
void forEachChild(const ByteReader& data, const Block& parent, bool wide, Visit visit) {
    std::size_t at = parent.childrenBegin;
    while (at < parent.end) {
        const std::optional<Block> child = blockAt(data, at, parent.end, wide);
        if (!child || !visit(*child))
            return;
        // Each block's length is at least its header, so the walk always moves on.
        at = align4(child->end);
    }
}

std::optional<Block> findChild(const ByteReader& data, const Block& parent, bool wide,
                               QStringView key) {
    std::optional<Block> found;
    forEachChild(data, parent, wide, [&](const Block& child) {
        if (child.key.compare(key, Qt::CaseInsensitive) != 0)
            return true;
        found = child;
        return false;
    });
    return found;
}

// Windows-1252 differs from Latin-1 only in 0x80-0x9F.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

QString decodeNarrow(std::string_view bytes, std::uint16_t page) {
    if (page == 1250)
        return QString::fromStdString(cp1250ToUtf8(bytes));
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char c : bytes) {
        const auto byte = static_cast<std::uint8_t>(c);
        text.append(QChar(byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : byte));
    }
    return text;
}

// A value up to its first NUL.
QString textOf(const Block& block, bool wide, std::uint16_t page) {
    if (block.valueLength == 0)
        return {};
    const std::span<const std::uint8_t> bytes = block.value.bytes();
    if (!wide) {
        std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        return decodeNarrow(text.substr(0, text.find('\0')), page);
    }
    std::u16string text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto unit = static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8);
        if (unit == 0)
            break;
        text.push_back(unit);
    }
    return QString::fromStdU16String(text);
}

std::optional<std::uint32_t> tableKeyOf(const QString& key) {
    if (key.size() != 8)
        return std::nullopt;
    bool ok = false;
    const std::uint32_t value = key.toUInt(&ok, 16);
    return ok ? std::optional(value) : std::nullopt;
}

QString versionText(std::uint32_t high, std::uint32_t low) {
    return QStringLiteral("%1.%2.%3.%4")
        .arg(high >> 16)
        .arg(high & 0xFFFF)
        .arg(low >> 16)
        .arg(low & 0xFFFF);
}

constexpr std::uint32_t kFixedSignature = 0xFEEF04BD;
constexpr std::size_t kFixedSize = 52;

struct StringKey {
    QStringView name;
    QString VersionInfo::*field = nullptr;
};

const std::array<StringKey, 10> kStringKeys = {{
    {u"CompanyName", &VersionInfo::companyName},
    {u"FileDescription", &VersionInfo::fileDescription},
    {u"InternalName", &VersionInfo::internalName},
    {u"LegalCopyright", &VersionInfo::legalCopyright},
    {u"LegalTradeMarks", &VersionInfo::legalTradeMarks},
    {u"OriginalFileName", &VersionInfo::originalFileName},
    {u"PrivateBuild", &VersionInfo::privateBuild},
    {u"ProductName", &VersionInfo::productName},
    {u"ProductVersion", &VersionInfo::productVersion},
    {u"SpecialBuild", &VersionInfo::specialBuild},
}};

// The string table to read: the chosen one, else the first translation's, else the first.
std::optional<Block> chooseTable(const ByteReader& data, const Block& root, bool wide,
                                 std::uint32_t wanted, VersionReading& reading) {
    const std::optional<Block> strings = findChild(data, root, wide, u"StringFileInfo");
    if (!strings)
        return std::nullopt;
    const auto tableFor = [&](std::uint32_t key) {
        std::optional<Block> found;
        forEachChild(data, *strings, wide, [&](const Block& table) {
            if (tableKeyOf(table.key) != key)
                return true;
            found = table;
            return false;
        });
        return found;
    };
    if (std::optional<Block> table = tableFor(wanted))
        return table;
    reading.usedFallbackTable = true;
    if (const std::optional<Block> vars = findChild(data, root, wide, u"VarFileInfo")) {
        if (const std::optional<Block> list = findChild(data, *vars, wide, u"Translation")) {
            const auto language = list->value.u16(0);
            const auto page = list->value.u16(2);
            if (language && page) {
                if (std::optional<Block> table = tableFor(std::uint32_t{*language} << 16 | *page))
                    return table;
            }
        }
    }
    std::optional<Block> first;
    forEachChild(data, *strings, wide, [&](const Block& table) {
        first = table;
        return false;
    });
    return first;
}

void decode(const ByteReader& data, bool wide, std::uint32_t wanted, VersionReading& reading) {
    const std::optional<Block> root = blockAt(data, 0, data.size(), wide);
    if (!root || root->value.size() < kFixedSize || root->value.u32(0) != kFixedSignature)
        return;
    reading.hasFixedInfo = true;
    const ByteReader fixed = root->value;
    VersionInfo& info = reading.info;
    info.fileVersion = versionText(*fixed.u32(8), *fixed.u32(12));
    info.productVersion = versionText(*fixed.u32(16), *fixed.u32(20));
    const std::uint32_t fileType = *fixed.u32(36);
    info.fileOS = fileOSText(*fixed.u32(32));
    info.fileType = fileTypeText(fileType);
    info.fileSubType = fileSubTypeText(fileType, *fixed.u32(40));

    const std::optional<Block> table = chooseTable(data, *root, wide, wanted, reading);
    if (!table)
        return;
    reading.tableKey = tableKeyOf(table->key).value_or(0);
    const auto page = static_cast<std::uint16_t>(reading.tableKey & 0xFFFF);
    // Resource compilers write "Comments"; the singular is asked first.
    std::optional<Block> comment = findChild(data, *table, wide, u"Comment");
    if (!comment)
        comment = findChild(data, *table, wide, u"Comments");
    if (comment)
        info.comment = textOf(*comment, wide, page);
    for (const StringKey& key : kStringKeys) {
        const std::optional<Block> entry = findChild(data, *table, wide, key.name);
        // A value cut off entirely by the end of the data counts as missing, so a truncated
        // file keeps the fixed product version.
        if (entry && (entry->valueLength == 0 || entry->value.size() >= (wide ? 2U : 1U)))
            info.*key.field = textOf(*entry, wide, page);
    }
}

} // namespace

std::uint16_t languageId(Language language) {
    static constexpr std::array<std::uint16_t, 12> kOthers = {0x0804, 0x0807, 0x0809, 0x080A,
                                                              0x080C, 0x0810, 0x0813, 0x0814,
                                                              0x0816, 0x081A, 0x0C0C, 0x100C};
    const auto position = static_cast<std::size_t>(language);
    constexpr auto kFirstOther = static_cast<std::size_t>(Language::SimplifiedChinese);
    if (position < kFirstOther)
        return static_cast<std::uint16_t>(0x0401 + position);
    return kOthers.at(position - kFirstOther);
}

std::uint16_t codePage(CharacterSet set) {
    static constexpr std::array<std::uint16_t, kCharacterSetCount> kPages = {
        0, 932, 949, 950, 1200, 1250, 1251, 1252, 1253, 1254, 1255, 1256};
    return kPages.at(static_cast<std::size_t>(set));
}

QString fileOSText(std::uint32_t fileOS) {
    static constexpr std::pair<std::uint32_t, const char*> kSystems[] = {
        {0x00000001, "Windows 3.0 or later"},
        {0x00000002, "16 bit OS/2 Presentation Manager"},
        {0x00000003, "32 bit OS/2 Presentation Manager"},
        {0x00000004, "32 bit Windows"},
        {0x00010000, "MS-Dos"},
        {0x00010001, "Windows 3.0 or later with MS-Dos"},
        {0x00010004, "32 bit Windows with MS-Dos"},
        {0x00020000, "16 bit OS/2"},
        {0x00020002, "16 bit OS/2 with Presentation Manager"},
        {0x00030000, "32 bit OS/2"},
        {0x00030003, "32 bit OS/2 with Presentation Manager"},
        {0x00040000, "Windows NT"},
        {0x00040004, "Windows NT with 32 bit Windows"}};
    for (const auto& [value, text] : kSystems) {
        if (value == fileOS)
            return QString::fromLatin1(text);
    }
    return QStringLiteral("Unknown");
}

QString fileTypeText(std::uint32_t fileType) {
    // Type 6 is unassigned.
    static constexpr std::array<const char*, 8> kTypes = {"Unknown",
                                                          "Application",
                                                          "Dynamic-Link Library",
                                                          "Device Driver",
                                                          "Font",
                                                          "Virtual Device Driver",
                                                          "Unknown",
                                                          "Static-Link Library"};
    return QString::fromLatin1(fileType < kTypes.size() ? kTypes.at(fileType) : "Unknown");
}

QString fileSubTypeText(std::uint32_t fileType, std::uint32_t fileSubType) {
    static const std::array<QString, 10> kDrivers = {
        QStringLiteral("Printer"),       QStringLiteral("Keyboard"),    QStringLiteral("Language"),
        QStringLiteral("Display"),       QStringLiteral("Mouse"),       QStringLiteral("Network"),
        QStringLiteral("System"),        QStringLiteral("Installable"), QStringLiteral("Sound"),
        QStringLiteral("Communications")};
    static const std::array<QString, 3> kFonts = {
        QStringLiteral("Raster"), QStringLiteral("Vector"), QStringLiteral("TrueType")};
    if (fileType == 3)
        return fileSubType >= 1 && fileSubType <= kDrivers.size() ? kDrivers.at(fileSubType - 1)
                                                                  : QStringLiteral("Unknown");
    if (fileType == 4)
        return fileSubType >= 1 && fileSubType <= kFonts.size() ? kFonts.at(fileSubType - 1)
                                                                : QStringLiteral("Unknown");
    return {};
}

VersionReading readVersionResource(std::span<const std::uint8_t> image, Language language,
                                   CharacterSet set) {
    VersionReading reading;
    const std::uint16_t id = languageId(language);
    const Located found = locate(ByteReader(image), id);
    reading.format = found.format;
    if (!found.resource || found.resource->size() == 0)
        return reading;
    reading.hasResource = true;
    decode(*found.resource, found.format != ImageFormat::Ne,
           std::uint32_t{id} << 16 | codePage(set), reading);
    return reading;
}

VersionInfo readVersionInfo(std::span<const std::uint8_t> image, Language language,
                            CharacterSet set) {
    return readVersionResource(image, language, set).info;
}

VersionResource::VersionResource(const IMappedFiles& files, QString fileName, QObject* parent)
    : QObject(parent), m_files(files), m_fileName(std::move(fileName)) {
    read();
}

void VersionResource::setFileName(const QString& path) {
    m_fileName = path;
    reread();
}

void VersionResource::setLanguage(Language language) {
    m_language = language;
    reread();
}

void VersionResource::setCharacterSet(CharacterSet set) {
    m_characterSet = set;
    reread();
}

void VersionResource::reread() {
    read();
    emit changed();
}

void VersionResource::read() {
    m_info = {};
    if (m_fileName.isEmpty())
        return;
    const std::optional<MappedBytes> file =
        m_files.map(std::filesystem::path(QFile::encodeName(m_fileName).toStdString()));
    if (file)
        m_info = readVersionInfo(file->bytes(), m_language, m_characterSet);
    // Cut short while it was read: some texts came from zeros, so none of them is trusted.
    if (file && file->truncatedWhileRead())
        m_info = {};
}

} // namespace veskor
