#include "editor/test_memo.h"

#include <algorithm>
#include <cstring>

namespace quillet {
namespace {

constexpr std::size_t kSlots = 1 << 15;

// The index of a one- or two-byte GBK character, or -1 for a longer text.
long characterIndex(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    if (text.size() == 1) return lead;
    if (text.size() == 2 && lead >= 0x80) return lead << 8 | static_cast<unsigned char>(text[1]);
    return -1;
}

// Eight bytes at a time: the words are short and looked up once per token.
std::size_t hashOf(std::string_view text) {
    std::uint64_t h = text.size() * 0x9E3779B97F4A7C15ull;
    for (std::size_t at = 0; at < text.size(); at += 8) {
        std::uint64_t chunk = 0;
        std::memcpy(&chunk, text.data() + at, std::min<std::size_t>(8, text.size() - at));
        h = (h ^ chunk) * 0xFF51AFD7ED558CCDull;
        h ^= h >> 29;
    }
    return static_cast<std::size_t>(h ^ (h >> 32));
}

}  // namespace

std::uint8_t& TestMemo::slowAnswers(std::string_view text) {
    const long index = characterIndex(text);
    if (index < 0) return wordAnswers(text);
    if (chars_.empty()) chars_.assign(1 << 16, 0);
    return chars_[static_cast<std::size_t>(index)];
}

std::uint8_t& TestMemo::wordAnswers(std::string_view text) {
    if (words_.empty() || used_ >= kSlots / 2) {
        words_.assign(kSlots, Word{});
        used_ = 0;
    }
    for (std::size_t i = hashOf(text);; ++i) {
        Word& slot = words_[i & (kSlots - 1)];
        if (slot.length == 0) {
            slot.length = static_cast<std::uint8_t>(text.size());
            slot.answers = 0;
            std::memcpy(slot.bytes, text.data(), text.size());
            ++used_;
            return slot.answers;
        }
        if (slot.length == text.size() && std::memcmp(slot.bytes, text.data(), text.size()) == 0)
            return slot.answers;
    }
}

void TestMemo::clear() {
    chars_.clear();
    words_.clear();
    used_ = 0;
}

}  // namespace quillet
