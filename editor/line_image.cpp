#include "editor/line_image.h"

#include <algorithm>

#include "text/encoding.h"

namespace quillet {
namespace {

bool isContinuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

// Length of the well-formed UTF-8 character at `at`, or 1 for a stray byte.
int utf8CharLength(std::string_view s, std::size_t at) {
    const auto lead = static_cast<unsigned char>(s[at]);
    int length = 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    if (at + static_cast<std::size_t>(length) > s.size()) return 1;
    for (int k = 1; k < length; ++k) {
        if (!isContinuation(static_cast<unsigned char>(s[at + static_cast<std::size_t>(k)])))
            return 1;
    }
    return length;
}

}  // namespace

LineImage makeLineImage(std::string_view utf8) {
    LineImage image;
    image.utf8 = utf8;
    image.ascii = std::all_of(utf8.begin(), utf8.end(),
                              [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (image.ascii) {
        image.gbk = Text(utf8);
        return image;
    }
    image.gbk.reserve(utf8.size());
    image.pieces.reserve(utf8.size());
    std::size_t at = 0;
    while (at < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[at]);
        const int length = lead < 0x80 ? 1 : utf8CharLength(utf8, at);
        const int gbkStart = static_cast<int>(image.gbk.size());
        if (lead < 0x80) {
            image.gbk.push_back(static_cast<char>(lead));
        } else {
            image.gbk +=
                unitsToAnsi(utf8ToUnits(utf8.substr(at, static_cast<std::size_t>(length))));
        }
        image.pieces.push_back({static_cast<int>(at), length, gbkStart,
                                static_cast<int>(image.gbk.size()) - gbkStart});
        at += static_cast<std::size_t>(length);
    }
    return image;
}

}  // namespace quillet
