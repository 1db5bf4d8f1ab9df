#include "text/gbk_literal.h"

#include "text/encoding.h"

namespace quillet {

Text gbk(std::string_view utf8) {
    return unitsToAnsi(utf8ToUnits(utf8));
}

}  // namespace quillet
