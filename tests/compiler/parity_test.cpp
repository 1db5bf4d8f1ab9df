// Each script is compiled the way the build does it (c.exe in the Debug
// folder), then the executable and `php` run it in that folder with the same
// arguments and input; stdout, stderr and the exit status must be identical.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "debug_folder.h"

namespace quillet::testing {
namespace {

struct ParityCase {
    std::string script;
    int expectedStatus;
    std::vector<std::string> args = {};
    std::string input = {};
    std::vector<std::string> companions = {};  // files copied beside the script
};

void PrintTo(const ParityCase& c, std::ostream* os) {
    *os << c.script;
}

class Parity : public ::testing::TestWithParam<ParityCase> {};

std::string stem(const std::string& script) {
    return script.substr(0, script.size() - 4);
}

TEST_P(Parity, ExecutableBehavesLikePhp) {
    if (!inPath("php")) GTEST_SKIP() << "php is not installed: the parity suite compares with it";
    const ParityCase& c = GetParam();
    DebugFolder debug;
    debug.copyScript(c.script);
    for (const std::string& file : c.companions) debug.copyScript(file);

    const ProcessResult built = debug.compile(c.script);
    ASSERT_EQ(built.status, 0) << built.out << built.err;
    ASSERT_EQ(built.err, "");
    ASSERT_EQ(built.out.rfind("Wrote " + stem(c.script) + " (", 0), 0u) << built.out;

    std::vector<std::string> exe = {"./" + stem(c.script)};
    std::vector<std::string> php = {"php", c.script};
    exe.insert(exe.end(), c.args.begin(), c.args.end());
    php.insert(php.end(), c.args.begin(), c.args.end());
    const std::vector<std::string> env = {"QUILLET_PARITY=yes"};
    const ProcessResult mine = debug.run(exe, c.input, env);
    const ProcessResult theirs = debug.run(php, c.input, env);

    EXPECT_EQ(theirs.status, c.expectedStatus) << "php itself: " << theirs.err;
    EXPECT_EQ(mine.status, theirs.status);
    EXPECT_EQ(mine.out, theirs.out);
    EXPECT_EQ(mine.err, theirs.err);
}

const std::string kStdin = "first line\nalpha\nbeta\n中文\nEND\ntail 1\ntail 2";

INSTANTIATE_TEST_SUITE_P(
    Scripts, Parity,
    ::testing::Values(
        ParityCase{"classes.php", 0}, ParityCase{"closures.php", 0},
        ParityCase{"generators.php", 0}, ParityCase{"exceptions.php", 0},
        ParityCase{"exit_status.php", 3}, ParityCase{"fatal.php", 255},
        ParityCase{"uncaught.php", 255},
        ParityCase{"argv.php", 0, {"-v", "--name", "two words", "", "中文", "--", "x"}},
        ParityCase{"stdin.php", 0, {}, kStdin},
        ParityCase{"include_main.php", 255, {}, {}, {"include_lib.php", "include_bad.php"}},
        ParityCase{"chinese.php", 255}, ParityCase{"warnings.php", 255},
        ParityCase{"strict_types.php", 255}, ParityCase{"shebang.php", 255},
        ParityCase{"output_buffering.php", 0}, ParityCase{"std_streams.php", 0},
        ParityCase{"settings.php", 0}, ParityCase{"server_vars.php", 0},
        ParityCase{"fibers.php", 0}, ParityCase{"language_edges.php", 0}),
    [](const ::testing::TestParamInfo<ParityCase>& info) {
        std::string name = stem(info.param.script);
        for (char& ch : name) {
            if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
        }
        return name;
    });

}  // namespace
}  // namespace quillet::testing
