#include <gtest/gtest.h>

#include "editor/syntax_editor.h"
#include "text/gbk_literal.h"

namespace quillet {
namespace {

class EntryTable : public ::testing::Test {
  protected:
    void SetUp() override { e.attach(0, BoxId{}); }
    SyntaxEditor e;
};

TEST_F(EntryTable, PinyinInitials) {
    struct Case {
        const char* text;
        const char* initials;
    } cases[] = {
        {"字符串", "zf<ch>"}, {"中文", "<zh>w"}, {"二维码", "<er>wm"}, {"代码", "dm"},
        {"安", "<an>"},       {"行", "x"},       {"长", "<ch>"},       {"a中", "a<zh>"},
        {"PHP中", "PHP<zh>"}, {"中1", ""},       {"中 文", ""},        {"", ""},
        {"<a>中", "<a><zh>"}, {"a>b", "a>b"},    {"中，", ""},         {"Ａ", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(e.pinyinInitials(gbk(c.text)), c.initials) << c.text;
}

TEST_F(EntryTable, AddEntry) {
    EXPECT_TRUE(e.addEntry(gbk("代码"), 7, 8));
    EXPECT_TRUE(e.addEntry(gbk("代码")));
    ASSERT_EQ(e.entries.size(), 2u);
    EXPECT_EQ(e.entries[0], e.entries[1]);
    EXPECT_EQ(e.entries[0].word, "\xE4\xBB\xA3\xE7\xA0\x81");  // UTF-8 of 代码
    EXPECT_EQ(e.entries[0].initials, "dm");
    EXPECT_EQ(e.entries[0].reserved1, 0);
    EXPECT_EQ(e.entries[0].reserved2, 0);

    EXPECT_FALSE(e.addEntry(""));
    EXPECT_FALSE(e.addEntry(gbk("中1")));
    EXPECT_EQ(e.entries.size(), 2u);
    EXPECT_TRUE(e.addEntry("echo"));
    EXPECT_EQ(e.entries.back().word, "echo");
}

TEST(EntryTableWithoutPatterns, NothingPassesTheGate) {
    SyntaxEditor bare;
    EXPECT_EQ(bare.pinyinInitials("abc"), "");
    EXPECT_FALSE(bare.addEntry("abc"));
    EXPECT_TRUE(bare.entries.empty());
}

}  // namespace
}  // namespace quillet
