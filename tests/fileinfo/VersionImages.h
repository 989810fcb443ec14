#pragma once
// Builds small executable images with a version resource: PE32, PE32+ (one resource section,
// optionally behind a zero-filled section) and 16-bit NE.

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace veskor::testimages {

using Bytes = std::vector<std::uint8_t>;

inline void put16(Bytes& b, std::size_t at, std::uint32_t v) {
    if (b.size() < at + 2)
        b.resize(at + 2);
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
inline void put32(Bytes& b, std::size_t at, std::uint32_t v) {
    put16(b, at, v & 0xFFFF);
    put16(b, at + 2, v >> 16);
}
inline void pad4(Bytes& b) {
    b.resize((b.size() + 3) & ~std::size_t{3});
}

struct Table {
    std::u16string key; // eight hex digits, e.g. u"040904E4"
    std::vector<std::pair<std::u16string, std::u16string>> strings;
};

struct Version {
    std::uint32_t fileMS = 0x00040000, fileLS = 0x05650001;
    std::uint32_t productMS = 0x00010002, productLS = 0x00030004;
    std::uint32_t fileOS = 0x00040004, fileType = 1, fileSubType = 0;
    std::vector<Table> tables;
    std::vector<std::uint32_t> translations; // language << 16 | code page
};

// One node: wide nodes have UTF-16 keys and a type word (1 = text), narrow ones 8-bit keys.
inline Bytes node(const std::u16string& key, const Bytes& value, std::uint16_t valueLength,
                  bool text, const std::vector<Bytes>& children, bool wide) {
    Bytes b(wide ? 6 : 4, 0);
    for (const char16_t c : key) {
        b.push_back(static_cast<std::uint8_t>(c));
        if (wide)
            b.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    b.resize(b.size() + (wide ? 2 : 1));
    pad4(b);
    b.insert(b.end(), value.begin(), value.end());
    for (const Bytes& child : children) {
        pad4(b);
        b.insert(b.end(), child.begin(), child.end());
    }
    put16(b, 0, static_cast<std::uint32_t>(b.size()));
    put16(b, 2, valueLength);
    if (wide)
        put16(b, 4, text ? 1 : 0);
    return b;
}

inline Bytes stringNode(const std::u16string& key, const std::u16string& value, bool wide) {
    Bytes v;
    for (const char16_t c : value) {
        v.push_back(static_cast<std::uint8_t>(c));
        if (wide)
            v.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    v.resize(v.size() + (wide ? 2 : 1));
    return node(key, v, static_cast<std::uint16_t>(value.size() + 1), true, {}, wide);
}

// The version resource itself; narrow for NE images (their texts are bytes: char16_t < 256).
inline Bytes versionResource(const Version& v, bool wide = true) {
    Bytes fixed;
    put32(fixed, 0, 0xFEEF04BD);
    put32(fixed, 4, 0x00010000);
    const std::uint32_t fields[] = {v.fileMS, v.fileLS,   v.productMS,   v.productLS, 0x3F, 0,
                                    v.fileOS, v.fileType, v.fileSubType, 0,           0};
    for (std::size_t i = 0; i < std::size(fields); ++i)
        put32(fixed, 8 + 4 * i, fields[i]);
    std::vector<Bytes> tables;
    for (const Table& t : v.tables) {
        std::vector<Bytes> strings;
        for (const auto& [key, value] : t.strings)
            strings.push_back(stringNode(key, value, wide));
        tables.push_back(node(t.key, {}, 0, true, strings, wide));
    }
    std::vector<Bytes> children{node(u"StringFileInfo", {}, 0, true, tables, wide)};
    if (!v.translations.empty()) {
        Bytes list;
        for (std::size_t i = 0; i < v.translations.size(); ++i) {
            put16(list, 4 * i, v.translations[i] >> 16);
            put16(list, 4 * i + 2, v.translations[i] & 0xFFFF);
        }
        children.push_back(node(
            u"VarFileInfo", {}, 0, true,
            {node(u"Translation", list, static_cast<std::uint16_t>(list.size()), false, {}, wide)},
            wide));
    }
    return node(u"VS_VERSION_INFO", fixed, static_cast<std::uint16_t>(fixed.size()), false,
                children, wide);
}

struct PeOptions {
    bool plus = false;
    bool withResource = true;
    std::size_t zeroSection = 0; // bytes of a zero-filled section before the resource section
};

constexpr std::size_t kPeHeader = 0x40;
constexpr std::size_t kOptionalHeader = kPeHeader + 24;
constexpr std::size_t kHeadersSize = 0x400;

// A PE image whose resource section holds one version resource per language.
inline Bytes peImage(const std::vector<std::pair<std::uint16_t, Bytes>>& resources,
                     const PeOptions& o = {}) {
    Bytes b(kHeadersSize, 0);
    put16(b, 0, 0x5A4D);
    put16(b, 2, 0x90); // bytes on the last page and pages of the DOS program, as linkers write
    put16(b, 4, 3);
    put32(b, 0x3C, kPeHeader);
    put32(b, kPeHeader, 0x00004550);
    const std::uint16_t sections = o.zeroSection > 0 ? 2 : 1;
    const std::uint16_t optionalSize = o.plus ? 240 : 224;
    put16(b, kPeHeader + 4, o.plus ? 0x8664 : 0x14C);
    put16(b, kPeHeader + 6, sections);
    put16(b, kPeHeader + 20, optionalSize);
    put16(b, kOptionalHeader, o.plus ? 0x20B : 0x10B);
    put32(b, kOptionalHeader + 60, kHeadersSize);
    const std::size_t directories = kOptionalHeader + (o.plus ? 112 : 96);
    put32(b, directories - 4, 16);

    // Resource tree: type 16 -> name 1 -> one entry per language -> data entries -> data.
    const std::size_t languages = resources.size();
    Bytes tree(16, 0);
    put16(tree, 14, 1);
    put32(tree, 16, 16);
    put32(tree, 20, 0x80000000U | 32);
    put16(tree, 32 + 14, 1);
    put32(tree, 48, 1);
    put32(tree, 52, 0x80000000U | 64);
    put16(tree, 64 + 14, static_cast<std::uint32_t>(languages));
    const std::size_t entries = 80 + 8 * languages;
    tree.resize(entries + 16 * languages);
    std::vector<std::size_t> dataAt;
    for (const auto& resource : resources) {
        pad4(tree);
        dataAt.push_back(tree.size());
        tree.insert(tree.end(), resource.second.begin(), resource.second.end());
    }
    pad4(tree);

    const std::uint32_t zeroVa = 0x1000;
    const auto zeroRaw = static_cast<std::uint32_t>((o.zeroSection + 0xFFF) & ~std::size_t{0xFFF});
    const std::uint32_t resourceVa = zeroVa + zeroRaw;
    for (std::size_t i = 0; i < languages; ++i) {
        put32(tree, 80 + 8 * i, resources[i].first);
        put32(tree, 80 + 8 * i + 4, static_cast<std::uint32_t>(entries + 16 * i));
        put32(tree, entries + 16 * i, resourceVa + static_cast<std::uint32_t>(dataAt[i]));
        put32(tree, entries + 16 * i + 4, static_cast<std::uint32_t>(resources[i].second.size()));
    }

    std::size_t section = kOptionalHeader + optionalSize;
    if (o.zeroSection > 0) {
        put32(b, section + 8, zeroRaw);
        put32(b, section + 12, zeroVa);
        put32(b, section + 16, zeroRaw);
        put32(b, section + 20, kHeadersSize);
        section += 40;
    }
    put32(b, section + 8, static_cast<std::uint32_t>(tree.size()));
    put32(b, section + 12, resourceVa);
    put32(b, section + 16, static_cast<std::uint32_t>(tree.size()));
    put32(b, section + 20, static_cast<std::uint32_t>(kHeadersSize + zeroRaw));
    if (o.withResource) {
        put32(b, directories + 16, resourceVa);
        put32(b, directories + 20, static_cast<std::uint32_t>(tree.size()));
    }
    b.resize(kHeadersSize + zeroRaw, 0);
    b.insert(b.end(), tree.begin(), tree.end());
    return b;
}

constexpr std::size_t kNeHeader = 0x40;
constexpr std::size_t kNeTable = 0x80;
constexpr std::size_t kNeResource = 0x100;

// A 16-bit NE image with one (narrow) version resource, in 16-byte units.
inline Bytes neImage(const Bytes& resource) {
    Bytes b(kNeResource, 0);
    put16(b, 0, 0x5A4D);
    put32(b, 0x3C, kNeHeader);
    put16(b, kNeHeader, 0x454E);
    put16(b, kNeHeader + 0x24, kNeTable - kNeHeader);
    put16(b, kNeTable, 4);
    // An icon type first, so the walk has to step over a type.
    put16(b, kNeTable + 2, 0x8003);
    put16(b, kNeTable + 4, 1);
    const std::size_t version = kNeTable + 2 + 8 + 12;
    put16(b, version, 0x8010);
    put16(b, version + 2, 1);
    put16(b, version + 8, kNeResource >> 4);
    put16(b, version + 10, static_cast<std::uint32_t>((resource.size() + 15) >> 4));
    put16(b, version + 12, 0x0030);
    put16(b, version + 14, 0x8001);
    put16(b, version + 20, 0);
    b.insert(b.end(), resource.begin(), resource.end());
    b.resize((b.size() + 15) & ~std::size_t{15});
    return b;
}

} // namespace veskor::testimages
