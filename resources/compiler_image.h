#pragma once

#include <cstdint>
#include <span>

namespace quillet {

// The PHP compiler program, byte for byte, as the build writes it out as
// "c.exe". It lives in the read-only data of the program that links it.
std::span<const std::uint8_t> compilerImage();

}  // namespace quillet
