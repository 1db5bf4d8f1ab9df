#pragma once

#include <string>
#include <vector>

#include "text/text_types.h"

namespace quillet {

// What the runner did with a batch file.
struct BatchRun {
    bool started = false;  // the program line's program was started
    int exitStatus = -1;   // its status, or -1 when it did not end normally
    std::string output;    // what it wrote to stdout and stderr, in order
    std::string error;     // why it could not run, when it did not
};

// One line split into words: blanks separate them, double quotes group them,
// and a doubled quote inside quotes stands for one quote. GBK double-byte
// characters are never split.
std::vector<Text> splitBatchLine(const Text& line);

// Runs a batch file of the three lines the build writes, without any shell:
// a drive line (nothing to do here), "cd DIR", and "PROGRAM ARGS", which is
// started in DIR with those arguments and waited for. Paths and arguments are
// GBK in the file and reach the system as UTF-8. Anything else is refused.
BatchRun runBatchFile(const std::string& batchPath);

}  // namespace quillet
