#include "debug_folder.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "resources/compiler_image.h"

namespace quillet::testing {

std::string scriptSource(const std::string& name) {
    return readText(std::string(QUILLET_SOURCE_DIR) + "/tests/compiler/scripts/" + name);
}

DebugFolder::DebugFolder() : path_(project_.path() + "/Debug") {
    ::mkdir(path_.c_str(), 0755);
    const auto image = compilerImage();
    writeText(file("c.exe"), std::string(image.begin(), image.end()), 0755);
}

void DebugFolder::copyScript(const std::string& name) const {
    writeText(file(name), scriptSource(name));
}

ProcessResult DebugFolder::compile(const std::string& scriptName) const {
    return runProcess({"./c.exe", scriptName}, path_);
}

ProcessResult DebugFolder::run(const std::vector<std::string>& argv, const std::string& input,
                               const std::vector<std::string>& environment) const {
    return runProcess(argv, path_, input, environment);
}

std::vector<std::string> DebugFolder::listing() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
        names.push_back(entry.path().filename());
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace quillet::testing
