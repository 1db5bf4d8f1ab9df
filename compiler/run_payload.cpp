#include <unistd.h>

#include <climits>
#include <string>

#include "compiler/engine.h"
#include "compiler/engine_settings.h"
#include "compiler/modes.h"
#include "compiler/script_name.h"
#include "compiler/terminal_relay.h"

namespace quillet {
namespace {

std::string ownPath() {
    char path[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path);
    return n > 0 ? std::string(path, static_cast<std::size_t>(n)) : std::string();
}

}  // namespace

int runPayload(const Payload& payload, int argc, char** argv) {
    // `php demo.php` names the script by its full path; the executable runs
    // it as the demo.php that sits next to it, so messages, __FILE__ and
    // includes are what they would be there.
    const std::string fileName = folderOf(ownPath()) + "/" + payload.scriptName;
    const std::string ini = engineIniEntries();
    const char* self = argc > 0 ? argv[0] : fileName.c_str();
    const quillet_script request{
        ini.c_str(), payload.script.data(), payload.script.size(), fileName.c_str(), self, argc,
        argv};
    const auto relay = TerminalRelay::startIfNeeded();
    return quillet_run(&request);
}

}  // namespace quillet
