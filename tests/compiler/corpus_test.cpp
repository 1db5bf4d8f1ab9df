// Real-world PHP files (Debian packages) through the compiler and beside it.

#include <gtest/gtest.h>

#include <string>

#include "debug_folder.h"

namespace quillet::testing {
namespace {

std::string corpusFile(const std::string& name) {
    return readText(std::string(QUILLET_SHARED_DIR) + "/corpus/php/" + name);
}

std::string withCrLf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

void expectSameAsPhp(const DebugFolder& debug, const std::string& script) {
    const std::string stem = script.substr(0, script.size() - 4);
    const ProcessResult built = debug.compile(script);
    ASSERT_EQ(built.status, 0) << script << ": " << built.out << built.err;
    const ProcessResult mine = debug.run({"./" + stem});
    const ProcessResult theirs = debug.run({"php", script});
    EXPECT_EQ(mine.status, theirs.status) << script;
    EXPECT_EQ(mine.out, theirs.out) << script;
    EXPECT_EQ(mine.err, theirs.err) << script;
}

TEST(Corpus, LargeFilesCompileAndLoadAsWithPhp) {
    if (!inPath("php")) GTEST_SKIP() << "php is not installed: this test compares with it";
    DebugFolder debug;
    for (const char* name :
         {"tcpdf.php", "qrcode.php", "module.tag.id3v2.php", "module.audio-video.quicktime.php"}) {
        writeText(debug.file(name), corpusFile(name));
        expectSameAsPhp(debug, name);
    }
    writeText(debug.file("crlf.php"), withCrLf(corpusFile("qrcode.php")));
    expectSameAsPhp(debug, "crlf.php");
}

TEST(Corpus, ScriptUsingALibraryBesideTheExecutable) {
    if (!inPath("php")) GTEST_SKIP() << "php is not installed: this test compares with it";
    DebugFolder debug;
    writeText(debug.file("qrcode.php"), corpusFile("qrcode.php"));
    debug.copyScript("qr_driver.php");
    expectSameAsPhp(debug, "qr_driver.php");
    const ProcessResult ran = debug.run({"./qr_driver"});
    EXPECT_EQ(ran.out.rfind("29x29\n#######", 0), 0u) << ran.out;
}

}  // namespace
}  // namespace quillet::testing
