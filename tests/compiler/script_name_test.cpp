#include "compiler/script_name.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(ScriptName, ExecutableNameDropsPhp) {
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"demo.php", "demo"},
        {"Demo.PHP", "Demo"},
        {"sub/dir/x.Php", "sub/dir/x"},
        {"/abs/a.b.php", "/abs/a.b"},
        {"中文.php", "中文"},
        {"demo", std::nullopt},
        {"demo.txt", std::nullopt},
        {"demo.php.bak", std::nullopt},
        {".php", std::nullopt},
        {"sub/.php", std::nullopt},
        {"", std::nullopt},
        {"php", std::nullopt},
    };
    for (const auto& [script, executable] : cases) {
        EXPECT_EQ(executableNameFor(script), executable) << script;
    }
}

TEST(ScriptName, BaseNameAndFolder) {
    EXPECT_EQ(baseName("sub/demo.php"), "demo.php");
    EXPECT_EQ(baseName("demo.php"), "demo.php");
    EXPECT_EQ(baseName("/demo"), "demo");
    EXPECT_EQ(folderOf("sub/demo"), "sub");
    EXPECT_EQ(folderOf("demo"), ".");
    EXPECT_EQ(folderOf("/demo"), "/");
    EXPECT_EQ(folderOf("/a/b/c"), "/a/b");
}

}  // namespace
}  // namespace quillet
