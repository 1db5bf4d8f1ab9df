#include "compiler/crc32.h"

#include <zlib.h>

namespace quillet {

// zlib is loaded with PHP anyway, and its CRC is twice as fast as a plain
// table loop: the check runs over the whole file at every start.
std::uint32_t crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc) {
    return static_cast<std::uint32_t>(::crc32_z(crc, bytes.data(), bytes.size()));
}

}  // namespace quillet
