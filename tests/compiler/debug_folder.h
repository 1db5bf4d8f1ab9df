#pragma once

#include <string>
#include <vector>

#include "process.h"

namespace quillet::testing {

// A project's Debug folder as the build leaves it: the compiler image written
// out as "c.exe", ready to be run on a script there.
class DebugFolder {
  public:
    DebugFolder();
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

    // Copies a script (or any file) from tests/compiler/scripts into the folder.
    void copyScript(const std::string& name) const;
    // "./c.exe NAME" in the folder, as the build's batch file runs it.
    ProcessResult compile(const std::string& scriptName) const;
    // A program in the folder ("./demo") or in PATH ("php"), run in the folder.
    ProcessResult run(const std::vector<std::string>& argv, const std::string& input = {},
                      const std::vector<std::string>& environment = {}) const;
    // The names in the folder, sorted.
    std::vector<std::string> listing() const;

  private:
    TempFolder project_;
    std::string path_;
};

std::string scriptSource(const std::string& name);

}  // namespace quillet::testing
