#include "resources/compiler_image.h"

// Both ends are defined by the assembler file that includes the program.
extern "C" const std::uint8_t quillet_compiler_image_begin[];
extern "C" const std::uint8_t quillet_compiler_image_end[];

namespace quillet {

std::span<const std::uint8_t> compilerImage() {
    return {quillet_compiler_image_begin, quillet_compiler_image_end};
}

}  // namespace quillet
