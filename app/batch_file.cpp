#include "app/batch_file.h"

#include <string_view>

#include "text/gbk_search.h"

namespace quillet {

Text textBefore(const Text& text, const Text& separator, int start, bool ignoreCase) {
    const std::size_t from = start < 1 ? 0 : static_cast<std::size_t>(start - 1);
    const std::size_t at = findGbk(text, separator, from, ignoreCase);
    return at == std::string_view::npos ? Text() : text.substr(0, at);
}

Text batchArgument(const Text& text) {
    constexpr std::string_view kSpecial = " \t\"&;|$()<>^%!'`*?[]{}~#=,";
    bool plain = !text.empty();
    for (char c : text) plain = plain && kSpecial.find(c) == std::string_view::npos;
    if (plain) return text;
    Text quoted = "\"";
    for (char c : text) {
        quoted += c;
        if (c == '"') quoted += c;
    }
    return quoted + "\"";
}

Text batchText(const Text& debugDir, const Text& sourceFileName) {
    Text drive = textBefore(debugDir, ":");
    if (findGbk(debugDir, ":") != std::string_view::npos) drive += ":";
    return drive + "\r\n" + "cd " + batchArgument(debugDir) + "\r\n" + "c.exe " +
           batchArgument(sourceFileName) + "\r\n";
}

}  // namespace quillet
