#include "compiler/crc32.h"

#include <gtest/gtest.h>

#include <string_view>

namespace quillet {
namespace {

std::span<const std::uint8_t> bytesOf(std::string_view s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

TEST(Crc32, KnownValues) {
    EXPECT_EQ(crc32(bytesOf("")), 0u);
    EXPECT_EQ(crc32(bytesOf("123456789")), 0xCBF43926u);
    EXPECT_EQ(crc32(bytesOf("The quick brown fox jumps over the lazy dog")), 0x414FA339u);
}

TEST(Crc32, ContinuesAcrossBlocksOfAnyLength) {
    const std::string_view text = "The quick brown fox jumps over the lazy dog";
    for (std::size_t cut = 0; cut <= text.size(); ++cut) {
        EXPECT_EQ(crc32(bytesOf(text.substr(cut)), crc32(bytesOf(text.substr(0, cut)))),
                  0x414FA339u)
            << cut;
    }
}

}  // namespace
}  // namespace quillet
