#include "text/text_types.h"

#include <algorithm>

namespace quillet {

Text bytesToText(const ByteSet& bytes) {
    auto end = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
    return Text(bytes.begin(), end);
}

}  // namespace quillet
