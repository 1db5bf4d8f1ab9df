#include "compiler/gbk_stream.h"

#include <gtest/gtest.h>

#include <string>

#include "text/encoding.h"

namespace quillet {
namespace {

// "中文，好啊 ok" in GBK; "啊" (B0 A1) has a trail byte in the lead range.
const std::string kGbk = "\xD6\xD0\xCE\xC4\xA3\xAC\xBA\xC3\xB0\xA1 ok\n";
const std::string kUtf8 = "中文，好啊 ok\n";

TEST(GbkToUtf8Stream, WholeTextConverts) {
    GbkToUtf8Stream stream;
    EXPECT_EQ(stream.feed(kGbk) + stream.finish(), kUtf8);
}

TEST(GbkToUtf8Stream, EverySplitGivesTheSameText) {
    for (std::size_t a = 0; a <= kGbk.size(); ++a) {
        for (std::size_t b = a; b <= kGbk.size(); ++b) {
            GbkToUtf8Stream stream;
            std::string out = stream.feed(kGbk.substr(0, a));
            out += stream.feed(kGbk.substr(a, b - a));
            out += stream.feed(kGbk.substr(b));
            out += stream.finish();
            EXPECT_EQ(out, kUtf8) << a << ' ' << b;
        }
    }
}

TEST(GbkToUtf8Stream, LeadByteWaitsForItsTrail) {
    GbkToUtf8Stream stream;
    EXPECT_EQ(stream.feed("ab\xD6"), "ab");
    EXPECT_EQ(stream.feed("\xD0"), "中");
    EXPECT_EQ(stream.feed("\xB0"), "");
    EXPECT_EQ(stream.feed("\xA1\xB0"), "啊");
}

TEST(GbkToUtf8Stream, LoneLeadByteAtTheEndConvertsAsTheBridgeDoes) {
    GbkToUtf8Stream stream;
    EXPECT_EQ(stream.feed("x\xD6"), "x");
    EXPECT_EQ(stream.finish(), unitsToUtf8(ansiToUnits("\xD6")));
    EXPECT_EQ(stream.finish(), "");
}

TEST(GbkToUtf8Stream, AsciiAndControlBytesPassUnchanged) {
    const std::string ascii = "plain \x1B[1mbold\x1B[0m\r\n\t\x01";
    GbkToUtf8Stream stream;
    EXPECT_EQ(stream.feed(ascii), ascii);
}

}  // namespace
}  // namespace quillet
