#pragma once

#include <cstdint>
#include <span>

#include "compiler/payload.h"

namespace quillet {

// Run as "c.exe NAME.php": checks the script and writes the executable NAME.
int compileScript(int argc, char** argv, std::span<const std::uint8_t> image);

// Run as a produced executable: runs the script it carries.
int runPayload(const Payload& payload, int argc, char** argv);

}  // namespace quillet
