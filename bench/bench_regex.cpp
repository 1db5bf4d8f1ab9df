// The tokenizer asks the delimiter pattern about every character of a line:
// ns per one-character test, through RegexObject (GBK in) and the engine
// alone (UTF-16 in), beside Node's RegExp.test when node is on PATH.

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "text/regex_engine.h"
#include "text/regex_object.h"

namespace {

using quillet::Text;

// The delimiter pattern as the editor stores it (GBK: ≠ － ＝).
const Text kDelimiter =
    "[\\s\\=\\+\\-\\*\\/\\,\\)\\(\\<\\>\\[\\]\\\xA1\xD9\\\xA3\xAD\\\xA3\xBD\\!]";
const std::u16string kDelimiterUnits =
    u"[\\s\\=\\+\\-\\*\\/\\,\\)\\(\\<\\>\\[\\]\\\u2260\\\uff0d\\\uff1d\\!]";

// One-character texts as a line of code gives them, four in ten delimiters.
const std::vector<Text> kChars = {"a", " ", "$", "=", "1", "(", ";", "\xD6\xD0", "\xA3\xBD", "x"};
const std::vector<std::u16string> kCharUnits = {u"a", u" ", u"$",      u"=",      u"1",
                                                u"(", u";", u"\u4e2d", u"\uff1d", u"x"};

constexpr int kTests = 2'000'000;
constexpr int kRuns = 5;

// Best of several runs, in ns per test.
double nsPerTest(const std::function<int()>& run) {
    double best = 1e30;
    int sink = 0;
    for (int r = 0; r < kRuns; ++r) {
        const auto start = std::chrono::steady_clock::now();
        sink += run();
        const std::chrono::duration<double, std::nano> took =
            std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count() / kTests);
    }
    if (sink != kRuns * (kTests / 10) * 4) std::printf("(unexpected answers: %d)\n", sink);
    return best;
}

// The same measurement in Node; empty when node cannot be run.
std::string nodeFigure() {
    const std::filesystem::path script =
        std::filesystem::temp_directory_path() / "quillet_bench_regex.js";
    std::ofstream(script) << R"(const re = /[\s\=\+\-\*\/\,\)\(\<\>\[\]\≠\－\＝\!]/gi;
const chars = ['a', ' ', '$', '=', '1', '(', ';', '中', '＝', 'x'];
const n = )" << kTests << R"(;
let best = Infinity, sink = 0;
for (let r = 0; r < )" << kRuns + 2
                          << R"(; r++) {
  const t = process.hrtime.bigint();
  for (let i = 0; i < n; i++) { re.lastIndex = 0; sink += re.test(chars[i % 10]) ? 1 : 0; }
  best = Math.min(best, Number(process.hrtime.bigint() - t) / n);
}
console.log(best.toFixed(1), sink > 0 ? '' : '(no match)');
)";
    const std::string command = "node '" + script.string() + "' 2>/dev/null";
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        std::array<char, 128> buffer{};
        while (fgets(buffer.data(), buffer.size(), pipe)) out += buffer.data();
        if (pclose(pipe) != 0) out.clear();
    }
    std::filesystem::remove(script);
    while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
    return out;
}

}  // namespace

int main() {
    quillet::RegexObject object;
    object.create(kDelimiter);
    const double viaObject = nsPerTest([&] {
        int hits = 0;
        for (int i = 0; i < kTests; ++i)
            hits += object.test(kChars[static_cast<std::size_t>(i % 10)]);
        return hits;
    });

    quillet::RegexEngine engine(kDelimiterUnits, true, true);
    const double viaEngine = nsPerTest([&] {
        int hits = 0;
        for (int i = 0; i < kTests; ++i) {
            hits += engine.test(kCharUnits[static_cast<std::size_t>(i % 10)]);
        }
        return hits;
    });

    std::printf(
        "delimiter test, one character: RegexObject (GBK) %.1f ns, engine (UTF-16) %.1f ns\n",
        viaObject, viaEngine);
    const std::string node = nodeFigure();
    if (node.empty()) {
        std::printf("node: not run (not on PATH)\n");
    } else {
        std::printf("node RegExp.test, same pattern and characters: %s ns\n", node.c_str());
    }
    return 0;
}
