#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "text/text_types.h"

namespace quillet {

// The four pattern tests that depend on nothing but the text.
enum class TokenTest : std::uint8_t { Comment, String, Delimiter, Number };

// Remembered answers of the token tests for short texts. The tokenizer asks
// the delimiter test once per character and the classifier asks up to five
// tests per token, over the same few characters and words again and again; a
// look-up costs a fraction of a pattern match. Each answer is the pattern's
// own, asked the first time the text comes by.
class TestMemo {
  public:
    static constexpr std::size_t kLongest = 22;

    // Longer texts (whole comment lines, say) are asked afresh each time.
    static bool remembers(std::string_view text) {
        return !text.empty() && text.size() <= kLongest;
    }

    // Two bits per test: known, then the answer. The reference points into
    // the memo's own storage, which lives as long as the memo. Inline: the
    // tokenizer asks once per character.
    std::uint8_t& answers(std::string_view text) {
        const auto lead = static_cast<unsigned char>(text[0]);
        if (text.size() == 1 && !chars_.empty()) return chars_[lead];
        if (text.size() == 2 && lead >= 0x80 && !chars_.empty())
            return chars_[lead << 8 | static_cast<unsigned char>(text[1])];
        return slowAnswers(text);
    }
    void clear();

  private:
    // Open addressing over whole slots; emptied when half full.
    struct Word {
        std::uint8_t length = 0;  // 0: a free slot
        std::uint8_t answers = 0;
        char bytes[kLongest];
    };

    std::uint8_t& slowAnswers(std::string_view text);
    std::uint8_t& wordAnswers(std::string_view text);

    std::vector<std::uint8_t> chars_;  // one-character texts, indexed by their bytes
    std::vector<Word> words_;
    std::size_t used_ = 0;
};

}  // namespace quillet
