// The six token tests, the line tokenizer and the classifier, on an editor
// whose patterns are in place (no box needed for these).
#include <gtest/gtest.h>

#include "editor/syntax_editor.h"
#include "text/gbk_literal.h"

namespace quillet {
namespace {

class TokenRules : public ::testing::Test {
  protected:
    void SetUp() override { e.attach(0, BoxId{}); }

    TokenList tokens(const std::string& utf8Line) {
        Text line = gbk(utf8Line);
        TokenList list{"left over"};
        e.tokenizeLine(line, list);
        return list;
    }
    std::vector<int> styles(const TokenList& list) {
        std::vector<StyleRun> runs;
        e.classifyTokens(list, runs);
        std::vector<int> out;
        for (std::size_t i = 0; i < runs.size(); ++i) {
            EXPECT_EQ(runs[i].text, list[i]);
            out.push_back(runs[i].style);
        }
        return out;
    }

    SyntaxEditor e;
};

TEST_F(TokenRules, PatternTests) {
    struct Case {
        const char* text;
        bool delimiter, comment, string, number;
    } cases[] = {
        {" ", true, false, false, false},        {"\t", true, false, false, false},
        {"(", true, false, false, false},        {"≠", true, false, false, false},
        {"＝", true, false, false, false},       {"－", true, false, false, false},
        {"　", true, false, false, false},       {"a b", true, false, false, false},
        {"a", false, false, false, false},       {";", false, false, false, false},
        {".", false, false, false, false},       {"\"", false, false, false, false},
        {"；", false, false, false, false},      {"，", false, false, false, false},
        {"// note", true, true, false, false},   {"x = 1; // y", true, true, false, false},
        {"a */", true, true, false, false},      {"\"a//b\"", true, true, true, false},
        {"/* a", true, false, false, false},     {"/", true, false, false, false},
        {"a / b", true, false, false, false},    {"\"a\"", false, false, true, false},
        {"x\"a b\";", true, false, true, false}, {"0", false, false, false, true},
        {"42", false, false, false, true},       {"12.5", false, false, false, true},
        {".5", false, false, false, true},       {"3.14", false, false, false, false},
        {"5.", false, false, false, false},      {"1;", false, false, false, false},
        {"-1", true, false, false, false},       {"", false, false, false, false},
        {"１", false, false, false, false},      {"1.2.3", false, false, false, false},
    };
    for (const auto& c : cases) {
        const Text t = gbk(c.text);
        EXPECT_EQ(e.isDelimiter(t), c.delimiter) << c.text;
        EXPECT_EQ(e.isComment(t), c.comment) << c.text;
        EXPECT_EQ(e.isString(t), c.string) << c.text;
        EXPECT_EQ(e.isNumber(t), c.number) << c.text;
        EXPECT_TRUE(e.isBlank(t)) << c.text;
    }
}

TEST_F(TokenRules, FollowedByParen) {
    EXPECT_TRUE(e.isFollowedByParen(1, {"foo", "(", ")"}));
    EXPECT_FALSE(e.isFollowedByParen(1, {"foo", " ", "("}));
    EXPECT_TRUE(e.isFollowedByParen(1, {"a", "b", "("}));
    EXPECT_FALSE(e.isFollowedByParen(3, {"a", "b", "("}));
    EXPECT_FALSE(e.isFollowedByParen(1, {"a"}));
    EXPECT_TRUE(e.isFollowedByParen(-4, {"("}));  // the scan starts at the first token
}

TEST_F(TokenRules, Tokenizer) {
    struct Case {
        const char* line;
        TokenList expected;
        const char* normalised;
    } cases[] = {
        {"", {}, ""},
        {"\r\n", {}, ""},
        {"foo(1, 2);\r\n", {"foo", "(", "1", ",", " ", "2", ")", ";"}, "foo(1, 2);"},
        {"echo “hi”；", {"echo", " ", "\"hi\";"}, "echo \"hi\";"},
        {"name=\"a b\";", {"name", "=", "\"a b\";"}, nullptr},
        {"$a = 1; // note", {"$a = 1; // note"}, nullptr},
        {"x = \"a//b\" + 1", {"x = \"a//b\" + 1"}, nullptr},
        {"a */ b", {"a */ b"}, nullptr},
        {"/* start", {"/", "*", " ", "start"}, nullptr},
        {"a\"b c", {"a\"b c"}, nullptr},
        {"x≠1", {"x", "≠", "1"}, nullptr},
        {"a－b＝c", {"a", "－", "b", "＝", "c"}, nullptr},
        {"说。：好", {"说。：好"}, nullptr},
        {"f（a，b）", {"f", "(", "a", ",", "b", ")"}, "f(a,b)"},
        {"  x", {" ", " ", "x"}, nullptr},
        {"a\tb", {"a", "\t", "b"}, nullptr},
        {"'a b'", {"'a", " ", "b'"}, nullptr},
        {"a\r\nb\r\n", {"ab"}, "ab"},
    };
    for (const auto& c : cases) {
        Text line = gbk(c.line);
        TokenList list{"left over"};
        e.tokenizeLine(line, list);
        TokenList expected;
        for (const auto& t : c.expected) expected.push_back(gbk(t));
        EXPECT_EQ(list, expected) << c.line;
        EXPECT_EQ(line, gbk(c.normalised ? c.normalised : c.line)) << c.line;
        Text joined;
        for (const auto& t : list) joined += t;
        EXPECT_EQ(joined, line) << c.line;
    }
}

TEST_F(TokenRules, Classifier) {
    struct Case {
        TokenList tokens;
        std::vector<int> styles;
    } cases[] = {
        {{"foo", "(", ")", ";"}, {5, 7, 7, 6}},
        {{"if", " ", "("}, {6, 7, 7}},
        {{"$a", " ", "=", " ", "1;"}, {6, 7, 7, 7, 6}},
        {{"$a", "=", "1"}, {6, 7, 8}},
        {{"3", "("}, {5, 7}},
        {{"\"a b\";"}, {3}},
        {{"echo"}, {6}},
        {{"function", "("}, {5, 7}},
        {{"x", "=", "\"a b"}, {6, 7, 7}},
        {{"x", "=", "\"ab"}, {6, 7, 6}},
        {{}, {}},
        {{"$a = \"x\"; // c"}, {4}},
    };
    for (const auto& c : cases) EXPECT_EQ(styles(c.tokens), c.styles);

    std::vector<StyleRun> runs{{"kept", 1}};
    e.classifyTokens({"a"}, runs);  // appends, does not empty the list first
    EXPECT_EQ(runs.size(), 2u);
}

TEST(TokenRulesWithoutPatterns, EverythingIsOneOtherToken) {
    SyntaxEditor bare;
    Text line = gbk("foo(1，2);\r\n");
    TokenList list;
    bare.tokenizeLine(line, list);
    ASSERT_EQ(list, TokenList{"foo(1,2);"});
    std::vector<StyleRun> runs;
    bare.classifyTokens(list, runs);
    EXPECT_EQ(runs, (std::vector<StyleRun>{{"foo(1,2);", 6}}));
}

}  // namespace
}  // namespace quillet
