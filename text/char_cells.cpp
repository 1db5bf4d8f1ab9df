#include "text/char_cells.h"

#include <algorithm>

namespace quillet {

ByteSet toCharCells(const Text& text) {
    ByteSet cells;
    cells.reserve(2 * text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto b = static_cast<std::uint8_t>(text[i]);
        cells.push_back(b);
        if (b >= 0x80 && i + 1 < text.size()) {
            cells.push_back(static_cast<std::uint8_t>(text[++i]));
        } else {
            // One-byte character, or a lead byte cut off by the end of the text.
            cells.push_back(0);
        }
    }
    return cells;
}

Text midChars(const ByteSet& cells, int start, int count) {
    const long total = static_cast<long>(cells.size() / 2);
    long n = count > total ? total : count;
    if (start < 1 || start > total) return {};
    if (n <= 0) return {};
    const std::size_t from = 2 * static_cast<std::size_t>(start - 1);
    const std::size_t length = std::min(2 * static_cast<std::size_t>(n), cells.size() - from);
    Text text;
    for (std::size_t i = from; i < from + length; ++i) {
        if (cells[i] != 0) text.push_back(static_cast<char>(cells[i]));
    }
    return text;
}

Text cellsToText(const ByteSet& bytes) {
    Text text;
    text.reserve(bytes.size());
    for (auto b : bytes) {
        if (b != 0) text.push_back(static_cast<char>(b));
    }
    return text;
}

}  // namespace quillet
