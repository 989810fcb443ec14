// The parsers' bounds-checked reader: values little-endian, nothing that reaches past the end,
// however large the offset or length.

#include "common/ByteReader.h"

#include <array>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>

namespace veskor {
namespace {

constexpr std::array<std::uint8_t, 9> kBytes{0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09};
constexpr std::uint64_t kHuge = std::numeric_limits<std::uint64_t>::max();

TEST(ByteReader, ReadsLittleEndianOnlyWhollyInside) {
    const ByteReader reader{std::span<const std::uint8_t>(kBytes)};
    EXPECT_EQ(reader.u8(8), 0x09);
    EXPECT_EQ(reader.u16(7), 0x0908);
    EXPECT_EQ(reader.u32(5), 0x09080706U);
    EXPECT_EQ(reader.u64(1), 0x0908070605040302ULL);
    EXPECT_EQ(reader.u8(9), std::nullopt);
    EXPECT_EQ(reader.u16(8), std::nullopt);
    EXPECT_EQ(reader.u64(2), std::nullopt);
    // Offsets and lengths whose sum wraps around are outside too.
    EXPECT_EQ(reader.u32(kHuge - 1), std::nullopt);
    EXPECT_FALSE(reader.has(1, kHuge));
    EXPECT_TRUE(reader.has(9, 0));
    EXPECT_FALSE(reader.has(10, 0));
}

TEST(ByteReader, PartsAreCutAtTheEnd) {
    const std::array<std::byte, 4> bytes{std::byte{1}, std::byte{2}, std::byte{3}, std::byte{4}};
    const ByteReader reader{std::span<const std::byte>(bytes)};
    const ByteReader tail = reader.part(1, kHuge);
    EXPECT_EQ(tail.size(), 3U);
    EXPECT_EQ(tail.u16(0), 0x0302);
    EXPECT_EQ(reader.part(2, 1).size(), 1U);
    EXPECT_EQ(reader.part(4, 5).size(), 0U);
    EXPECT_EQ(reader.part(kHuge, 1).size(), 0U);
    // A part reads from its own start and ends where it ends.
    EXPECT_EQ(reader.part(1, 2).u16(0), 0x0302);
    EXPECT_EQ(reader.part(1, 2).u16(1), std::nullopt);
}

} // namespace
} // namespace veskor
