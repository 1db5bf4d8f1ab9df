#pragma once

#include <string>
#include <vector>

namespace quillet::testing {

struct ProcessResult {
    std::string out;
    std::string err;
    int status = -1;  // the exit status, or 128 + the signal that ended it
};

// Runs a program (looked up in PATH when it has no "/") in `folder`, feeds it
// `input` on stdin and collects stdout and stderr. `environment` entries
// ("NAME=value") are added to this process's environment.
ProcessResult runProcess(const std::vector<std::string>& argv, const std::string& folder,
                         const std::string& input = {},
                         const std::vector<std::string>& environment = {});

// Whether a program of that name is found in PATH.
bool inPath(const std::string& program);

// A fresh folder under the temporary folder, removed with everything in it
// when the object goes.
class TempFolder {
  public:
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

std::string readText(const std::string& path);
void writeText(const std::string& path, const std::string& bytes, int mode = 0644);

}  // namespace quillet::testing
