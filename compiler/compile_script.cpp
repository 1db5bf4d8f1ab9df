#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "compiler/engine.h"
#include "compiler/engine_settings.h"
#include "compiler/file_io.h"
#include "compiler/modes.h"
#include "compiler/script_name.h"

namespace quillet {
namespace {

constexpr mode_t kExecutableMode = 0755;

// PHP's own syntax check, with the messages `php -l` gives.
bool scriptCompiles(const std::string& path, const ByteSet& script) {
    const std::string ini = engineIniEntries();
    char* argv[] = {const_cast<char*>(path.c_str()), nullptr};
    const quillet_script request{ini.c_str(),   reinterpret_cast<const char*>(script.data()),
                                 script.size(), path.c_str(),
                                 path.c_str(),  1,
                                 argv};
    if (quillet_lint(&request) == 0) return true;
    std::printf("Errors parsing %s\n", path.c_str());
    std::fflush(stdout);
    return false;
}

}  // namespace

int compileScript(int argc, char** argv, std::span<const std::uint8_t> image) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s NAME.php\n", argc > 0 ? argv[0] : "c.exe");
        return 2;
    }
    const std::string scriptPath = argv[1];
    const auto executable = executableNameFor(scriptPath);
    if (!executable) {
        std::fprintf(stderr, "%s: the script's name must end in .php\n", scriptPath.c_str());
        return 2;
    }
    const auto script = readWholeFile(scriptPath);
    if (!script) {
        std::printf("Could not open input file: %s\n", scriptPath.c_str());
        return 1;
    }
    if (!scriptCompiles(scriptPath, *script)) return 255;

    const std::string_view text(reinterpret_cast<const char*>(script->data()), script->size());
    const ByteSet bytes = appendPayload(image, text, baseName(scriptPath));
    if (const auto error = replaceFile(*executable, bytes, kExecutableMode)) {
        std::fprintf(stderr, "cannot write %s: %s\n", executable->c_str(), error->c_str());
        return 1;
    }
    std::printf("Wrote %s (%zu bytes)\n", executable->c_str(), bytes.size());
    return 0;
}

}  // namespace quillet
