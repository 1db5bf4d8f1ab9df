#include "compiler/gbk_stream.h"

#include "text/encoding.h"

namespace quillet {
namespace {

bool isLeadByte(unsigned char b) {
    return b >= 0x81 && b <= 0xFE;
}

// How many bytes of `bytes` end on a character boundary, walking from the
// start (trail bytes share the lead range, so only a walk can tell).
std::size_t completePrefix(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t width = isLeadByte(static_cast<unsigned char>(bytes[i])) ? 2 : 1;
        if (i + width > bytes.size()) break;
        i += width;
    }
    return i;
}

std::string toUtf8(std::string_view gbk) {
    return gbk.empty() ? std::string() : unitsToUtf8(ansiToUnits(gbk));
}

}  // namespace

std::string GbkToUtf8Stream::feed(std::string_view gbk) {
    pending_.append(gbk);
    const std::size_t complete = completePrefix(pending_);
    std::string out = toUtf8(std::string_view(pending_).substr(0, complete));
    pending_.erase(0, complete);
    return out;
}

std::string GbkToUtf8Stream::finish() {
    std::string out = toUtf8(pending_);
    pending_.clear();
    return out;
}

}  // namespace quillet
