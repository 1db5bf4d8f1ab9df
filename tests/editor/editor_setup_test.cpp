#include <optional>

#include "editor/syntax_editor.h"
#include "support/box_fixture.h"
#include "text/gbk_literal.h"

namespace quillet {
namespace {

using EditorSetup = testing::BoxFixture;

// What the box reports for one style.
struct Look {
    std::string font;  // UTF-8, as the box holds it
    int size;
    int fore;
    int back;
};

Look lookOf(const CodeBox& b, int style) {
    char font[128] = {};
    const auto s = static_cast<std::uintptr_t>(style);
    b.send(2486 /* STYLEGETFONT */, s, reinterpret_cast<std::intptr_t>(font));
    return {font, static_cast<int>(b.send(2485 /* STYLEGETSIZE */, s)),
            static_cast<int>(b.send(2481 /* STYLEGETFORE */, s)),
            static_cast<int>(b.send(2482 /* STYLEGETBACK */, s))};
}

TEST_F(EditorSetup, DefaultsWithOnlyTheIdentities) {
    const CodeBox b = ops();
    const Look plain = lookOf(b, 0);
    editor.attach(7, box->boxId());
    EXPECT_EQ(editor.windowId, 7);
    EXPECT_EQ(b.send(2137 /* GETCODEPAGE */), 65001);
    struct Case {
        int style, size, fore;
    } cases[] = {{1, 13, plain.fore}, {2, 9, 0x000000}, {3, 9, 0x000080}, {4, 9, 0x008000},
                 {5, 9, 0xFF0000},    {6, 9, 0x000000}, {7, 9, 0x0000FF}, {8, 9, 0xFF0090}};
    for (const auto& c : cases) {
        const Look look = lookOf(b, c.style);
        EXPECT_EQ(look.font, "宋体") << c.style;
        EXPECT_EQ(look.size, c.size) << c.style;
        EXPECT_EQ(look.fore, c.fore) << c.style;
        EXPECT_EQ(look.back, c.style == 2 ? 0xECECEC : plain.back) << c.style;
    }
    // Style 0 keeps the box's own settings.
    EXPECT_EQ(lookOf(b, 0).font, plain.font);
    EXPECT_EQ(b.send(2241 /* GETMARGINTYPEN */, 1), 1);
    EXPECT_EQ(b.send(2243 /* GETMARGINWIDTHN */, 1), 24);
    EXPECT_EQ(b.send(2156 /* GETMARGINLEFT */), 6);
    EXPECT_EQ(b.send(2158 /* GETMARGINRIGHT */), 6);
    EXPECT_TRUE(editor.ready);
    EXPECT_FALSE(editor.busy);
}

TEST_F(EditorSetup, GivenArgumentsIncludingZero) {
    const CodeBox b = ops();
    editor.attach(1, box->boxId(), std::nullopt, gbk("黑体"), 15);
    EXPECT_EQ(lookOf(b, 1).font, "黑体");
    EXPECT_EQ(lookOf(b, 1).size, 19);
    for (int style = 2; style <= 8; ++style) {
        EXPECT_EQ(lookOf(b, style).font, "黑体");
        EXPECT_EQ(lookOf(b, style).size, 15);
    }

    editor.attach(1, box->boxId(), 0, std::nullopt, std::nullopt, std::nullopt, std::nullopt, 0);
    EXPECT_EQ(lookOf(b, 1).size, 9);         // a given 0 is used as 0
    EXPECT_EQ(lookOf(b, 4).fore, 0x000000);  // comments black, not green

    editor.attach(1, box->boxId(), -2, std::nullopt, 9);
    EXPECT_EQ(lookOf(b, 1).size, 7);

    editor.attach(1, box->boxId(), std::nullopt, std::nullopt, std::nullopt, 0x010203, 0x040506,
                  0x070809, 0x0A0B0C, 0x0D0E0F);
    EXPECT_EQ(lookOf(b, 2).fore, 0x010203);
    EXPECT_EQ(lookOf(b, 2).back, 0x040506);
    EXPECT_EQ(lookOf(b, 4).fore, 0x070809);
    EXPECT_EQ(lookOf(b, 3).fore, 0x0A0B0C);
    EXPECT_EQ(lookOf(b, 7).fore, 0x0D0E0F);
}

TEST_F(EditorSetup, PatternsAndTheirMembers) {
    EXPECT_EQ(editor.delimiterPattern, gbk(R"([\s\=\+\-\*\/\,\)\(\<\>\[\]\≠\－\＝\!])"));
    EXPECT_EQ(editor.blankPattern, R"(\s*)");
    EXPECT_EQ(editor.commentPattern, R"([\s]*[\*\/]+/.*)");
    EXPECT_EQ(editor.quotePattern, R"([\"]+)");
    for (RegexObject* r :
         {&editor.delimiterRegex, &editor.blankRegex, &editor.commentRegex, &editor.quoteRegex,
          &editor.stringRegex, &editor.numberRegex, &editor.lettersRegex})
        EXPECT_FALSE(r->regExp().empty());
    // Defaults of the regular-expression object: case ignored.
    EXPECT_TRUE(editor.lettersRegex.test("ABc"));
    EXPECT_TRUE(editor.quoteRegex.test("a\"b"));
}

}  // namespace
}  // namespace quillet
