#include "compiler/script_name.h"

namespace quillet {
namespace {

bool endsWithPhp(std::string_view name) {
    constexpr std::string_view kSuffix = ".php";
    if (name.size() < kSuffix.size()) return false;
    const std::string_view tail = name.substr(name.size() - kSuffix.size());
    for (std::size_t i = 0; i < kSuffix.size(); ++i) {
        const char c = tail[i];
        const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        if (lower != kSuffix[i]) return false;
    }
    return true;
}

}  // namespace

std::string_view baseName(std::string_view path) {
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string folderOf(std::string_view path) {
    const auto slash = path.rfind('/');
    if (slash == std::string_view::npos) return ".";
    if (slash == 0) return "/";
    return std::string(path.substr(0, slash));
}

std::optional<std::string> executableNameFor(std::string_view scriptPath) {
    if (!endsWithPhp(scriptPath) || baseName(scriptPath).size() <= 4) return std::nullopt;
    return std::string(scriptPath.substr(0, scriptPath.size() - 4));
}

}  // namespace quillet
