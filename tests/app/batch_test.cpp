#include <gtest/gtest.h>

#include "app/batch_file.h"
#include "app/batch_runner.h"
#include "support/temp_dir.h"
#include "text/gbk_literal.h"

namespace quillet {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

TEST(TextBefore, StepsOverDoubleByteCharacters) {
    struct Case {
        Text text, separator;
        int start;
        bool ignoreCase;
        Text expected;
    } cases[] = {
        {"C:\\work", ":", 1, false, "C"},
        {"/tmp/x", ":", 1, false, ""},
        {"a:b:c", ":", 3, false, "a:b"},
        {"a:b:c", ":", -5, false, "a"},
        {"a:b", ":", 9, false, ""},
        {"abXcd", "x", 1, true, "ab"},
        {"abXcd", "x", 1, false, ""},
        {"\x95\x5C"
         "ab\\c",
         "\\", 1, false,
         "\x95\x5C"
         "ab"},  // 955C is one character
        {"", ":", 1, false, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(textBefore(c.text, c.separator, c.start, c.ignoreCase), c.expected) << c.text;
}

TEST(BatchText, OrdinaryNamesAreByteExact) {
    const Text batch = batchText("C:\\work\\demo\\Debug", "demo.php");
    EXPECT_EQ(batch, "C:\r\ncd C:\\work\\demo\\Debug\r\nc.exe demo.php\r\n");
    EXPECT_EQ(batch.size(), 43u);
    EXPECT_EQ(batchText("/tmp/x/demo/Debug", "demo.php"),
              "\r\ncd /tmp/x/demo/Debug\r\nc.exe demo.php\r\n");
    EXPECT_EQ(batchText(gbk("/home/王/演示/Debug"), gbk("演示.php")),
              gbk("\r\ncd /home/王/演示/Debug\r\nc.exe 演示.php\r\n"));
}

TEST(BatchText, NamesThatNeedQuotingComeBackWhole) {
    const Text names[] = {"my demo.php", "a&b;c|d.php", "$(touch x).php", "q\"uote\".php",
                          "'s'.php",     "`x`.php",     "tab\there.php",  gbk("中 文.php"),
                          "\"\".php",    "a\\\"b.php"};
    for (const Text& name : names) {
        const Text line = "c.exe " + batchArgument(name);
        EXPECT_EQ(splitBatchLine(line), (std::vector<Text>{"c.exe", name})) << line;
    }
    EXPECT_EQ(batchArgument("demo.php"), "demo.php");
    EXPECT_EQ(batchArgument("my demo.php"), "\"my demo.php\"");
}

class Runner : public ::testing::Test {
  protected:
    // A stand-in program that shows its arguments and where it runs.
    void SetUp() override {
        fs::create_directories(dir.path() / "De bug");
        testing::writeFile(dir.path() / "De bug" / "c.exe",
                           "#!/bin/sh\nfor a in \"$@\"; do echo \"[$a]\"; done\npwd\necho err >&2\n"
                           "exit 3\n",
                           true);
    }
    BatchRun run(const Text& batch) {
        testing::writeFile(dir.path() / "c.bat", batch);
        return runBatchFile((dir.path() / "c.bat").string());
    }
    TempDir dir;
};

TEST_F(Runner, RunsTheProgramInTheFolderWithItsArguments) {
    const Text debugDir = dir.str() + "/De bug";
    const BatchRun result = run(batchText(debugDir, "a;b $(touch pwned) \"q\".php"));
    ASSERT_TRUE(result.started) << result.error;
    EXPECT_EQ(result.exitStatus, 3);
    EXPECT_EQ(result.output, "[a;b $(touch pwned) \"q\".php]\n" + debugDir + "\nerr\n");
    EXPECT_FALSE(fs::exists(dir.path() / "De bug" / "pwned"));
    EXPECT_FALSE(fs::exists("pwned"));
}

TEST_F(Runner, RefusesAnythingButTheThreeLines) {
    const Text cd = "cd \"" + dir.str() + "/De bug\"\r\n";
    const Text shapes[] = {
        "",
        "\r\n" + cd,
        "\r\n" + cd + "c.exe x.php\r\nc.exe y.php\r\n",
        "\r\nchdir /tmp\r\nc.exe x.php\r\n",
        "rm -rf x\r\n" + cd + "c.exe x.php\r\n",
        "\r\n" + cd + "\r\n",
    };
    for (const Text& batch : shapes) {
        const BatchRun result = run(batch);
        EXPECT_FALSE(result.started) << batch;
        EXPECT_FALSE(result.error.empty()) << batch;
    }
}

TEST_F(Runner, MissingProgramOrFolderIsReported) {
    BatchRun result = run("\r\ncd \"" + dir.str() + "/De bug\"\r\nnothing.exe x\r\n");
    EXPECT_FALSE(result.started);
    EXPECT_NE(result.error.find("nothing.exe"), std::string::npos);
    // A bare name is never looked up on PATH.
    result = run("\r\ncd \"" + dir.str() + "/De bug\"\r\nls\r\n");
    EXPECT_FALSE(result.started);
    result = run("\r\ncd " + dir.str() + "/missing\r\nc.exe x\r\n");
    EXPECT_FALSE(result.started);
    EXPECT_FALSE(runBatchFile(dir.str() + "/no.bat").started);
}

}  // namespace
}  // namespace quillet
