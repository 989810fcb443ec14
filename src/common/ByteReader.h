#pragma once
// The one way parsers read a file's bytes: little-endian values at absolute offsets, every read
// checked against the end, offsets and lengths of any size included, so a damaged file can only
// give "not there", never a read outside it.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace veskor {

class ByteReader final {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}
    explicit ByteReader(std::span<const std::byte> bytes)
        : m_bytes(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()) {}

    [[nodiscard]] std::size_t size() const { return m_bytes.size(); }
    [[nodiscard]] std::span<const std::uint8_t> bytes() const { return m_bytes; }

    // Whether `length` bytes from `offset` lie wholly inside.
    [[nodiscard]] bool has(std::uint64_t offset, std::uint64_t length) const {
        return offset <= m_bytes.size() && length <= m_bytes.size() - offset;
    }
    [[nodiscard]] std::optional<std::uint8_t> u8(std::uint64_t offset) const {
        return has(offset, 1) ? std::optional(m_bytes[offset]) : std::nullopt;
    }
    [[nodiscard]] std::optional<std::uint16_t> u16(std::uint64_t offset) const {
        const auto value = little(offset, 2);
        return value ? std::optional(static_cast<std::uint16_t>(*value)) : std::nullopt;
    }
    [[nodiscard]] std::optional<std::uint32_t> u32(std::uint64_t offset) const {
        const auto value = little(offset, 4);
        return value ? std::optional(static_cast<std::uint32_t>(*value)) : std::nullopt;
    }
    [[nodiscard]] std::optional<std::uint64_t> u64(std::uint64_t offset) const {
        return little(offset, 8);
    }
    // The bytes from `offset` on, at most `length` of them: fewer when the end comes first, none
    // when `offset` lies outside.
    [[nodiscard]] ByteReader part(std::uint64_t offset, std::uint64_t length) const {
        if (offset > m_bytes.size()) {
            return ByteReader(std::span<const std::uint8_t>{});
        }
        return ByteReader(
            m_bytes.subspan(offset, std::min<std::uint64_t>(length, m_bytes.size() - offset)));
    }

private:
    [[nodiscard]] std::optional<std::uint64_t> little(std::uint64_t offset,
                                                      std::size_t width) const {
        if (!has(offset, width)) {
            return std::nullopt;
        }
        std::uint64_t value = 0;
        for (std::size_t i = width; i-- > 0;) {
            value = (value << 8) | m_bytes[offset + i];
        }
        return value;
    }

    std::span<const std::uint8_t> m_bytes;
};

} // namespace veskor
