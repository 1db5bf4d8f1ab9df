#pragma once

#include <string_view>
#include <vector>

#include "text/text_types.h"

namespace quillet {

// One line of the box (UTF-8, without its line end) as the tokenizer sees
// it in GBK, with each character's place on both sides. Characters that GBK
// lacks keep their UTF-8 bytes here even though their GBK form is "?".
struct LineImage {
    struct Piece {
        int utf8Start;
        int utf8Length;
        int gbkStart;
        int gbkLength;
    };
    std::string_view utf8;
    Text gbk;
    std::vector<Piece> pieces;  // left empty for a line of ASCII alone, where both sides agree
    bool ascii = false;
};

LineImage makeLineImage(std::string_view utf8);

}  // namespace quillet
