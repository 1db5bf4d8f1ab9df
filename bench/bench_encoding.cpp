// Speed of the encoding bridge on 1 MB of PHP-like text that mixes ASCII code
// with Chinese strings and comments.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <string>

#include "text/encoding.h"

namespace {

using quillet::ByteSet;
using quillet::Text;

constexpr std::size_t kTextBytes = 1 << 20;
constexpr int kRuns = 30;

// Lines of code with a Chinese string or comment each; about half of the
// bytes are Chinese (GB2312 characters, two bytes each).
Text mixedText() {
    static const char* const kCode[] = {
        "$total = $price * $count;",
        "echo \"",
        "if ($row['name'] == '",
        "// ",
        "function show($a, $b) { return $a . $b; }",
        "$msg = '",
        "/* ",
        "print_r($list); # ",
    };
    std::mt19937 engine(7);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(engine); };
    Text text;
    while (text.size() < kTextBytes) {
        text += kCode[pick(0, std::size(kCode) - 1)];
        for (int n = pick(2, 16); n > 0; --n) {
            text += static_cast<char>(pick(0xB0, 0xF7));
            text += static_cast<char>(pick(0xA1, 0xFE));
        }
        text += "\";\n";
    }
    text.resize(kTextBytes);
    while (static_cast<unsigned char>(text.back()) >= 0x80) text.pop_back();  // no half character
    return text;
}

// Best of several runs, in MB of input per second.
double mbPerSecond(std::size_t inputBytes, const std::function<std::size_t()>& convert) {
    double best = 1e30;
    std::size_t sink = 0;
    for (int i = 0; i < kRuns; ++i) {
        const auto start = std::chrono::steady_clock::now();
        sink += convert();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    if (sink == 0) std::printf("(empty results)\n");
    return static_cast<double>(inputBytes) / (1 << 20) / best;
}

void report(const char* name, std::size_t inputBytes, const std::function<std::size_t()>& convert) {
    std::printf("%-14s %8.0f MB/s  (input %zu bytes)\n", name, mbPerSecond(inputBytes, convert),
                inputBytes);
}

}  // namespace

int main() {
    const Text gbk = mixedText();
    const std::size_t chinese = static_cast<std::size_t>(std::count_if(
        gbk.begin(), gbk.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }));
    const ByteSet utf8 = quillet::ansiToUtf8(gbk);
    const std::string utf8Text(utf8.begin(), utf8.end() - 1);
    const std::u16string units = quillet::ansiToUnits(gbk);
    std::printf("bench_encoding: %zu bytes of GBK, %.0f%% of them in Chinese characters\n",
                gbk.size(), 100.0 * static_cast<double>(chinese) / static_cast<double>(gbk.size()));

    report("ansiToUtf8", gbk.size(), [&] { return quillet::ansiToUtf8(gbk).size(); });
    report("utf8ToAnsi", utf8.size(), [&] { return quillet::utf8ToAnsi(utf8).size(); });
    report("ansiToUnits", gbk.size(), [&] { return quillet::ansiToUnits(gbk).size(); });
    report("unitsToAnsi", 2 * units.size(), [&] { return quillet::unitsToAnsi(units).size(); });
    report("utf8ToUnits", utf8Text.size(), [&] { return quillet::utf8ToUnits(utf8Text).size(); });
    report("unitsToUtf8", 2 * units.size(), [&] { return quillet::unitsToUtf8(units).size(); });
    return 0;
}
