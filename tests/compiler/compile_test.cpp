// The compiler's side: what it writes, what it refuses, and what a damaged
// executable does.

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compiler/payload.h"
#include "debug_folder.h"

namespace quillet::testing {
namespace {

using Names = std::vector<std::string>;

const std::string kHello = "<?php\necho 'hello ', $argc, \"\\n\";\n";

TEST(Compile, WritesAnExecutableBesideTheScript) {
    DebugFolder debug;
    writeText(debug.file("demo.php"), kHello);
    const ProcessResult built = debug.compile("demo.php");
    ASSERT_EQ(built.status, 0) << built.err;
    struct stat info;
    ASSERT_EQ(::stat(debug.file("demo").c_str(), &info), 0);
    EXPECT_EQ(built.out, "Wrote demo (" + std::to_string(info.st_size) + " bytes)\n");
    EXPECT_EQ(info.st_mode & 07777, 0755u);
    EXPECT_EQ(debug.listing(), (Names{"c.exe", "demo", "demo.php"}));

    const ProcessResult ran = debug.run({"./demo", "a", "b"});
    EXPECT_EQ(ran.out, "hello 3\n");
    EXPECT_EQ(ran.status, 0);
}

TEST(Compile, ExecutableCarriesTheScriptBytesAndName) {
    DebugFolder debug;
    writeText(debug.file("demo.php"), kHello);
    ASSERT_EQ(debug.compile("demo.php").status, 0);
    const std::string exe = readText(debug.file("demo"));
    const PayloadProbe probe =
        probePayload({reinterpret_cast<const std::uint8_t*>(exe.data()), exe.size()});
    ASSERT_EQ(probe.kind, PayloadProbe::Kind::Found) << probe.problem;
    EXPECT_EQ(probe.payload.script, kHello);
    EXPECT_EQ(probe.payload.scriptName, "demo.php");
    EXPECT_EQ(exe.substr(0, probe.imageSize), readText(debug.file("c.exe")));
}

TEST(Compile, ReplacesAnEarlierBuildAndFixesItsMode) {
    DebugFolder debug;
    writeText(debug.file("demo"), "old build", 0600);
    writeText(debug.file("demo.php"), "<?php echo 'second';");
    ASSERT_EQ(debug.compile("demo.php").status, 0);
    struct stat info;
    ASSERT_EQ(::stat(debug.file("demo").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0755u);
    EXPECT_EQ(debug.run({"./demo"}).out, "second");
    EXPECT_EQ(debug.listing(), (Names{"c.exe", "demo", "demo.php"}));
}

TEST(Compile, ScriptInASubfolderGivesAnExecutableThere) {
    DebugFolder debug;
    ::mkdir(debug.file("sub").c_str(), 0755);
    writeText(debug.file("sub/Tool.PHP"), "<?php echo basename(__FILE__), ' ', basename(__DIR__);");
    const ProcessResult built = debug.compile("sub/Tool.PHP");
    ASSERT_EQ(built.status, 0) << built.err;
    EXPECT_EQ(built.out.rfind("Wrote sub/Tool (", 0), 0u) << built.out;
    EXPECT_EQ(debug.run({"sub/Tool"}).out, "Tool.PHP sub");
}

TEST(Compile, SyntaxErrorIsReportedAsPhpReportsItAndNothingIsWritten) {
    DebugFolder debug;
    debug.copyScript("include_bad.php");
    const ProcessResult built = debug.compile("include_bad.php");
    EXPECT_EQ(built.status, 255);
    EXPECT_EQ(built.err,
              "PHP Parse error:  syntax error, unexpected variable \"$x\", expecting \",\" or "
              "\";\" in include_bad.php on line 3\n");
    EXPECT_EQ(built.out, "Errors parsing include_bad.php\n");
    EXPECT_EQ(debug.listing(), (Names{"c.exe", "include_bad.php"}));
    if (inPath("php")) {
        const ProcessResult lint = debug.run({"php", "-l", "include_bad.php"});
        EXPECT_EQ(built.err, lint.err);
        EXPECT_EQ(built.out, lint.out);
        EXPECT_EQ(built.status, lint.status);
    }
}

TEST(Compile, CompileErrorsCountAsErrorsToo) {
    DebugFolder debug;
    writeText(debug.file("twice.php"), "<?php\nfunction f() {}\nfunction f() {}\n");
    const ProcessResult built = debug.compile("twice.php");
    EXPECT_EQ(built.status, 255);
    EXPECT_EQ(built.err,
              "PHP Fatal error:  Cannot redeclare f() (previously declared in "
              "twice.php:2) in twice.php on line 3\n");
    EXPECT_EQ(debug.listing(), (Names{"c.exe", "twice.php"}));
}

TEST(Compile, LintDoesNotRunTheScript) {
    DebugFolder debug;
    writeText(debug.file("side.php"), "<?php file_put_contents('touched', 'x'); echo 'ran';");
    const ProcessResult built = debug.compile("side.php");
    EXPECT_EQ(built.status, 0);
    EXPECT_EQ(built.out.find("ran"), std::string::npos);
    EXPECT_EQ(debug.listing(), (Names{"c.exe", "side", "side.php"}));
}

TEST(Compile, RefusesNamesThatGiveNoSeparateExecutable) {
    struct Refusal {
        std::vector<std::string> args;
        int status;
        std::string out;
        std::string err;
    };
    const std::vector<Refusal> refusals = {
        {{}, 2, "", "usage: ./c.exe NAME.php\n"},
        {{"a.php", "b.php"}, 2, "", "usage: ./c.exe NAME.php\n"},
        {{"demo"}, 2, "", "demo: the script's name must end in .php\n"},
        {{"demo.txt"}, 2, "", "demo.txt: the script's name must end in .php\n"},
        {{".php"}, 2, "", ".php: the script's name must end in .php\n"},
        {{"sub/.php"}, 2, "", "sub/.php: the script's name must end in .php\n"},
        {{"missing.php"}, 1, "Could not open input file: missing.php\n", ""},
        {{"folder.php"}, 1, "Could not open input file: folder.php\n", ""},
    };
    DebugFolder debug;
    writeText(debug.file("demo"), "<?php echo 1;");
    writeText(debug.file("demo.txt"), "<?php echo 1;");
    ::mkdir(debug.file("folder.php").c_str(), 0755);
    const Names before = debug.listing();
    for (const Refusal& r : refusals) {
        std::vector<std::string> argv = {"./c.exe"};
        argv.insert(argv.end(), r.args.begin(), r.args.end());
        const ProcessResult result = debug.run(argv);
        const std::string what = r.args.empty() ? "(none)" : r.args[0];
        EXPECT_EQ(result.status, r.status) << what;
        EXPECT_EQ(result.out, r.out) << what;
        EXPECT_EQ(result.err, r.err) << what;
    }
    EXPECT_EQ(debug.listing(), before);
    EXPECT_EQ(readText(debug.file("demo")), "<?php echo 1;");
}

TEST(Compile, FailedWriteLeavesNoTemporaryFile) {
    DebugFolder debug;
    writeText(debug.file("demo.php"), kHello);
    ::mkdir(debug.file("demo").c_str(), 0755);  // a folder where the executable should go
    const ProcessResult built = debug.compile("demo.php");
    EXPECT_EQ(built.status, 1);
    EXPECT_EQ(built.err.rfind("cannot write demo: ", 0), 0u) << built.err;
    EXPECT_EQ(debug.listing(), (Names{"c.exe", "demo", "demo.php"}));
}

TEST(Run, IncludesAreFoundBesideTheExecutableFromAnotherFolder) {
    if (!inPath("php")) GTEST_SKIP() << "php is not installed: this test compares with it";
    DebugFolder debug;
    for (const char* file : {"include_main.php", "include_lib.php", "include_bad.php"}) {
        debug.copyScript(file);
    }
    ASSERT_EQ(debug.compile("include_main.php").status, 0);
    const std::string project = debug.path() + "/..";
    const ProcessResult mine = runProcess({"Debug/include_main"}, project);
    const ProcessResult theirs = runProcess({"php", "Debug/include_main.php"}, project);
    EXPECT_NE(mine.out.find("helper(x) from include_lib.php"), std::string::npos) << mine.out;
    EXPECT_EQ(mine.out, theirs.out);
    EXPECT_EQ(mine.err, theirs.err);
    EXPECT_EQ(mine.status, theirs.status);
}

// $argv[0] and PHP_SELF are the program as it was started, where php has the
// script's name.
TEST(Run, ScriptSeesTheNameItWasStartedWith) {
    DebugFolder debug;
    writeText(debug.file("self.php"),
              "<?php echo $argv[0], ' ', $_SERVER['PHP_SELF'], ' ', $_SERVER['SCRIPT_FILENAME'], "
              "' ', basename(__FILE__), ' ', $argc;");
    ASSERT_EQ(debug.compile("self.php").status, 0);
    EXPECT_EQ(debug.run({"./self", "x"}).out, "./self ./self ./self self.php 2");
    // Found through PATH, it is started as plain "self".
    const std::string path = "PATH=" + debug.path() + ":/usr/bin:/bin";
    EXPECT_EQ(debug.run({"env", path, "self"}).out, "self self self self.php 1");
}

// A byte changed or cut anywhere in a produced executable is reported.
TEST(Damaged, ExecutableSaysSoAndFails) {
    DebugFolder debug;
    writeText(debug.file("demo.php"), kHello);
    ASSERT_EQ(debug.compile("demo.php").status, 0);
    const std::string good = readText(debug.file("demo"));
    const std::size_t scriptAt = good.size() - kTrailerSize - 8 - kHello.size();
    struct Damage {
        std::string name;
        std::string bytes;
        std::string problem;
    };
    std::string flippedScript = good;
    flippedScript[scriptAt + 6] ^= 0x20;
    std::string flippedSize = good;
    flippedSize[good.size() - kTrailerSize + 16] ^= 1;
    std::string flippedMagic = good;
    flippedMagic[good.size() - kTrailerSize] ^= 1;
    const std::vector<Damage> damages = {
        {"script byte", flippedScript, "its checksum does not match"},
        {"script size", flippedSize, "its sizes do not match the file"},
        {"magic", flippedMagic, "its trailer is missing or broken"},
        {"cut short", good.substr(0, good.size() - 1), "its trailer is missing or broken"},
        {"extra byte", good + "x", "its trailer is missing or broken"},
        {"no trailer", good.substr(0, good.size() - kTrailerSize),
         "its trailer is missing or broken"},
    };
    for (const Damage& d : damages) {
        writeText(debug.file("broken"), d.bytes, 0755);
        const ProcessResult ran = debug.run({"./broken"});
        EXPECT_EQ(ran.status, 126) << d.name;
        EXPECT_EQ(ran.out, "") << d.name;
        EXPECT_EQ(ran.err, "./broken: this executable is damaged: " + d.problem + "\n") << d.name;
    }
}

}  // namespace
}  // namespace quillet::testing
