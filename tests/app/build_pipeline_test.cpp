#include "app/build_pipeline.h"

#include <gtest/gtest.h>

#include "app/batch_file.h"
#include "support/temp_dir.h"
#include "text/gbk_literal.h"

namespace quillet {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

// A stand-in compiler: writes NAME for NAME.php unless the script says "fail".
const std::string kFakeCompiler =
    "#!/bin/sh\n"
    "grep -q fail \"$1\" && { echo \"bad script $1\"; exit 255; }\n"
    "cp \"$1\" \"${1%.php}\" && chmod +x \"${1%.php}\" && echo \"wrote ${1%.php}\"\n";

std::span<const std::uint8_t> bytesOf(const std::string& s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

class Build : public ::testing::Test {
  protected:
    void SetUp() override { fs::create_directories(debug()); }
    fs::path debug() const { return dir.path() / "demo" / "Debug"; }

    BuildReport build(const Text& script, const Text& name = "demo.php") {
        BuildInput input{script, dir.str() + "/demo/Debug", name, bytesOf(kFakeCompiler)};
        return buildProject(input, [&](const std::string& batch) {
            batchSeen = testing::readFile(batch);
            exeSeen = testing::readFile(debug() / "c.exe");
            exeMode = fs::status(debug() / "c.exe").permissions();
            return runBatchFile(batch);
        });
    }

    TempDir dir;
    std::string batchSeen, exeSeen;
    fs::perms exeMode{};
};

TEST_F(Build, WritesRunsAndCleansUp) {
    testing::writeFile(debug() / "c.exe", "old");
    testing::writeFile(debug() / "c.bat", "old");
    const Text script = gbk("<?php\r\necho \"中\";\r\n");
    const BuildReport report = build(script);
    EXPECT_TRUE(report.ran);
    EXPECT_TRUE(report.executableWritten);
    EXPECT_EQ(report.executablePath, debug() / "demo");
    EXPECT_EQ(testing::readFile(debug() / "demo.php"), script);  // no terminator, no BOM
    EXPECT_EQ(batchSeen, batchText(dir.str() + "/demo/Debug", "demo.php"));
    EXPECT_EQ(exeSeen, kFakeCompiler);
    EXPECT_NE(exeMode & fs::perms::owner_exec, fs::perms::none);
    EXPECT_FALSE(fs::exists(debug() / "c.exe"));
    EXPECT_FALSE(fs::exists(debug() / "c.bat"));
    EXPECT_EQ(report.compilerOutput, "wrote demo\n");
    EXPECT_EQ(report.messages.back(), "已生成可执行文件：" + (debug() / "demo").string());

    // An empty box makes an empty script; the next build overwrites it.
    build("");
    EXPECT_EQ(fs::file_size(debug() / "demo.php"), 0u);
}

TEST_F(Build, CompilerFailureWritesNoExecutable) {
    const BuildReport report = build("<?php fail");
    EXPECT_TRUE(report.ran);
    EXPECT_FALSE(report.executableWritten);
    EXPECT_NE(report.compilerOutput.find("bad script"), std::string::npos);
    EXPECT_EQ(report.messages.back(), "没有生成可执行文件。");
    EXPECT_FALSE(fs::exists(debug() / "c.exe"));
}

// Builds with a runner that only notes whether it was asked to run.
BuildReport buildNoting(const BuildInput& input, bool& ran) {
    ran = false;
    return buildProject(input, [&](const std::string&) {
        ran = true;
        return BatchRun{};
    });
}

TEST_F(Build, NoProjectIsRefused) {
    BuildInput input{"<?php", "", "", bytesOf(kFakeCompiler)};
    bool ran = true;
    const BuildReport report = buildNoting(input, ran);
    EXPECT_FALSE(ran);
    ASSERT_EQ(report.messages.size(), 1u);
    EXPECT_NE(report.messages[0].find("新建工程"), std::string::npos);
}

TEST_F(Build, FailedWritesStopTheBuild) {
    BuildInput input{"<?php", dir.str() + "/missing/Debug", "demo.php", bytesOf(kFakeCompiler)};
    bool ran = true;
    const BuildReport report = buildNoting(input, ran);
    EXPECT_FALSE(ran);
    ASSERT_EQ(report.messages.size(), 1u);
    EXPECT_EQ(report.messages[0].rfind("无法写入 " + dir.str() + "/missing/Debug/demo.php", 0), 0u);

    input.debugDir = dir.str() + "/demo/Debug\r\nc.exe x";
    EXPECT_NE(buildProject(input, nullptr).messages.at(0).find("换行"), std::string::npos);
}

TEST_F(Build, NamesThatClashWithTheBuildFilesAreRefused) {
    for (const Text name : {"c.exe.php", "c.bat.php"}) {
        const BuildReport report = build("<?php", name);
        EXPECT_FALSE(report.ran);
        EXPECT_NE(report.messages.at(0).find("临时文件"), std::string::npos);
        EXPECT_FALSE(fs::exists(debug() / name));
    }
}

TEST_F(Build, ShellCharactersInNamesRunNothing) {
    const Text odd = "a b;touch pwned&$(touch pwned2)\"'";
    fs::create_directories(dir.path() / odd / "Debug");
    BuildInput input{"<?php", dir.str() + "/" + odd + "/Debug", odd + ".php",
                     bytesOf(kFakeCompiler)};
    const BuildReport report = buildProject(input, runBatchFile);
    EXPECT_TRUE(report.executableWritten) << report.compilerOutput;
    EXPECT_TRUE(fs::exists(dir.path() / odd / "Debug" / odd));
    for (const auto& entry : fs::recursive_directory_iterator(dir.path())) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name != "pwned" && name != "pwned2") << entry.path();
    }
}

TEST(ExecutableName, DropsThePhpExtension) {
    EXPECT_EQ(executableName("demo.php"), "demo");
    EXPECT_EQ(executableName("Demo.PHP"), "Demo");
    EXPECT_EQ(executableName(".php"), "");
    EXPECT_EQ(executableName("x"), "x");
}

}  // namespace
}  // namespace quillet
