#include "editor/syntax_editor.h"
#include "text/gbk_literal.h"

namespace quillet {
namespace {

constexpr int kLineNumberMargin = 1;
constexpr int kLineNumberType = 1;

// The patterns behind the token tests, as ECMAScript reads them.
constexpr std::string_view kDelimiterPattern = R"([\s\=\+\-\*\/\,\)\(\<\>\[\]\≠\－\＝\!])";
constexpr std::string_view kBlankPattern = R"(\s*)";
constexpr std::string_view kCommentPattern = R"([\s]*[\*\/]+/.*)";
constexpr std::string_view kQuotePattern = R"([\"]+)";
constexpr std::string_view kStringPattern = R"re("(.*)")re";
constexpr std::string_view kNumberPattern = R"(^\d*(\.?)\d$)";
constexpr std::string_view kLettersPattern = R"(^[a-z\<\>]*$)";

}  // namespace

void SyntaxEditor::attach(std::intptr_t window, BoxId control,
                          std::optional<int> style1SizeIncrease, std::optional<Text> fontName,
                          std::optional<int> fontSize, std::optional<Colour> style2Fore,
                          std::optional<Colour> style2Back, std::optional<Colour> commentColour,
                          std::optional<Colour> stringColour,
                          std::optional<Colour> delimiterColour) {
    windowId = window;
    controlId = control;
    const CodeBox b = box();
    b.setUtf8Mode(true);

    const int increase = style1SizeIncrease.value_or(4);
    const Text font = fontName.value_or(gbk("宋体"));
    const int size = fontSize.value_or(9);

    auto fontAndSize = [&](int style, int points) {
        b.setStyleFont(style, font);
        b.setStyleSize(style, points);
    };
    fontAndSize(1, size + increase);
    fontAndSize(2, size);
    b.setStyleFore(2, style2Fore.value_or(0x000000));
    b.setStyleBack(2, style2Back.value_or(0xECECEC));
    fontAndSize(4, size);
    b.setStyleFore(4, commentColour.value_or(0x008000));
    fontAndSize(3, size);
    b.setStyleFore(3, stringColour.value_or(0x000080));
    fontAndSize(7, size);
    b.setStyleFore(7, delimiterColour.value_or(0x0000FF));
    fontAndSize(5, size);
    b.setStyleFore(5, 0xFF0000);
    fontAndSize(6, size);
    b.setStyleFore(6, 0x000000);
    fontAndSize(8, size);
    b.setStyleFore(8, 0xFF0090);

    b.setMarginType(kLineNumberMargin, kLineNumberType);
    b.setMarginWidth(kLineNumberMargin, 24);
    b.setLeftMargin(6);
    b.setRightMargin(6);

    delimiterPattern = gbk(kDelimiterPattern);
    delimiterRegex.create(delimiterPattern);
    blankPattern = gbk(kBlankPattern);
    blankRegex.create(blankPattern);
    commentPattern = gbk(kCommentPattern);
    commentRegex.create(commentPattern);
    quotePattern = gbk(kQuotePattern);
    quoteRegex.create(quotePattern);
    stringRegex.create(gbk(kStringPattern));
    numberRegex.create(gbk(kNumberPattern));
    lettersRegex.create(gbk(kLettersPattern));
    memo_.clear();

    // Whatever the box holds already is coloured at the next update.
    changes_.markLines(0, b.getLineCount() - 1, true);
    ready = true;
}

}  // namespace quillet
