#pragma once

#include <string>
#include <string_view>

namespace quillet {

// Turns a stream of GBK bytes, arriving in pieces of any size, into UTF-8.
// A lead byte that ends a piece waits for the next piece, so a character
// split between two writes still converts as one.
class GbkToUtf8Stream {
  public:
    // The UTF-8 for every complete character received so far.
    std::string feed(std::string_view gbk);
    // The UTF-8 for a lead byte still waiting, at the end of the stream.
    std::string finish();

  private:
    std::string pending_;
};

}  // namespace quillet
