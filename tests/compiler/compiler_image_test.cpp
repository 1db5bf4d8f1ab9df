#include "resources/compiler_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "process.h"

namespace quillet::testing {
namespace {

TEST(CompilerImage, IsTheBuiltCompilerByteForByte) {
    const auto image = compilerImage();
    const std::string built = readText(QUILLET_PHPC_FILE);
    const std::string embedded(image.begin(), image.end());
    ASSERT_EQ(embedded.size(), built.size());
    const auto differ = std::mismatch(embedded.begin(), embedded.end(), built.begin()).first;
    EXPECT_EQ(differ - embedded.begin(), std::ptrdiff_t(embedded.size())) << "first difference";
    EXPECT_EQ(built.substr(0, 4),
              "\x7F"
              "ELF");
}

}  // namespace
}  // namespace quillet::testing
