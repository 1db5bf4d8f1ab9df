#pragma once

#include <cstdint>
#include <span>

namespace quillet {

// CRC-32 as zlib computes it (reflected polynomial 0xEDB88320). Pass an
// earlier result as `crc` to continue over a further block.
std::uint32_t crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc = 0);

}  // namespace quillet
