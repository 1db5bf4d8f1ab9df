#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "text/text_types.h"

namespace quillet {

// A produced executable is the compiler's own image with the script after it:
//
//   [image][script][script name][trailer]
//
// The trailer is 32 bytes, little-endian: the magic below, the image size
// (8 bytes), the script size (8), the name size (4) and the CRC-32 of
// everything before the trailer (4).
inline constexpr std::size_t kTrailerSize = 32;
inline constexpr std::string_view kTrailerMagic{"QLTPHP\x00\x01", 8};

struct Payload {
    std::string script;      // the script's bytes, as written by the editor
    std::string scriptName;  // its file name without folder, e.g. "demo.php"
};

// Image, script, name and trailer joined: the bytes of an executable.
ByteSet appendPayload(std::span<const std::uint8_t> image, std::string_view script,
                      std::string_view scriptName);

// Where an ELF file's own content ends: the furthest of its headers and
// sections. Bytes after that were appended. Nothing when it is no ELF file.
std::optional<std::size_t> elfImageEnd(std::span<const std::uint8_t> file);

// What a program finds when it looks at its own file.
struct PayloadProbe {
    enum class Kind { None, Found, Damaged };
    Kind kind = Kind::None;
    Payload payload;            // when Found
    std::string problem;        // when Damaged: what is wrong, for the message
    std::size_t imageSize = 0;  // the size of the bare image (None and Found)
};

PayloadProbe probePayload(std::span<const std::uint8_t> file);

}  // namespace quillet
