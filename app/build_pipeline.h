#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "app/batch_runner.h"
#include "text/text_types.h"

namespace quillet {

struct BuildInput {
    Text script;          // the box's whole text, GBK
    Text debugDir;        // GBK
    Text sourceFileName;  // GBK
    std::span<const std::uint8_t> compilerImage;
};

// What a build did, for the "调试" tab.
struct BuildReport {
    std::vector<std::string> messages;  // UTF-8 lines of our own
    std::string compilerOutput;         // the compiler's own bytes
    bool ran = false;                   // the compiler was started
    bool executableWritten = false;
    std::string executablePath;  // as the file system spells it
};

using RunBatch = std::function<BatchRun(const std::string& batchPath)>;

// The name the compiler gives the executable it makes of a script: the
// script's name without ".php".
Text executableName(const Text& sourceFileName);

// Writes the script, the compiler as "c.exe" and "c.bat" into debugDir,
// runs the batch file and waits, then deletes "c.bat" and "c.exe". Stops at
// the first failure that makes the rest pointless, and says so.
BuildReport buildProject(const BuildInput& input, const RunBatch& runBatch);

}  // namespace quillet
