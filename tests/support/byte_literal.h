#pragma once

#include <initializer_list>

#include "text/text_types.h"

namespace quillet::testing {

// A byte set written as its byte values: bytes({0xE4, 0xB8, 0xAD, 0}).
inline ByteSet bytes(std::initializer_list<int> values) {
    ByteSet set;
    for (int v : values) set.push_back(static_cast<std::uint8_t>(v));
    return set;
}

}  // namespace quillet::testing
