#include "text/gbk_search.h"

namespace quillet {
namespace {

unsigned char foldAscii(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; }

bool matchesAt(std::string_view text, std::size_t at, std::string_view needle, bool ignoreCase) {
    if (text.size() - at < needle.size()) return false;
    if (!ignoreCase) return text.compare(at, needle.size(), needle) == 0;
    for (std::size_t k = 0; k < needle.size(); ++k) {
        auto a = static_cast<unsigned char>(text[at + k]);
        auto b = static_cast<unsigned char>(needle[k]);
        if (foldAscii(a) != foldAscii(b)) return false;
    }
    return true;
}

// A lead byte of 0x80 or above takes the byte after it along.
std::size_t charWidth(std::string_view text, std::size_t at) {
    return static_cast<unsigned char>(text[at]) >= 0x80 && at + 1 < text.size() ? 2 : 1;
}

}  // namespace

std::size_t findGbk(std::string_view haystack, std::string_view needle, std::size_t from,
                    bool ignoreCase) {
    if (needle.empty()) return std::string_view::npos;
    for (std::size_t at = from; at < haystack.size(); at += charWidth(haystack, at)) {
        if (matchesAt(haystack, at, needle, ignoreCase)) return at;
    }
    return std::string_view::npos;
}

Text replaceGbk(std::string_view subject, std::string_view needle, std::string_view replacement,
                bool ignoreCase) {
    if (needle.empty()) return Text(subject);
    Text out;
    out.reserve(subject.size());
    std::size_t at = 0;
    while (at < subject.size()) {
        if (matchesAt(subject, at, needle, ignoreCase)) {
            out += replacement;
            at += needle.size();
        } else {
            std::size_t width = charWidth(subject, at);
            out.append(subject.substr(at, width));
            at += width;
        }
    }
    return out;
}

}  // namespace quillet
