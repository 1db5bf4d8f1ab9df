#pragma once

#include <sys/types.h>

#include <memory>
#include <thread>

namespace quillet {

// Shows a script's GBK output readably on a UTF-8 terminal. While a relay
// lives, stdout and stderr (those that are terminals) point at a
// pseudo-terminal of our own; a thread reads it, converts GBK to UTF-8 and
// writes the result to the real terminal. The script still sees a terminal,
// and stdout and stderr stay in order when they share one. Pipes and files
// are left alone: they get the script's bytes unchanged.
class TerminalRelay {
  public:
    // A running relay, or nothing when no stream needs one (no terminal, or
    // the locale's charset is not UTF-8) or the pseudo-terminal cannot be made.
    static std::unique_ptr<TerminalRelay> startIfNeeded();

    TerminalRelay(const TerminalRelay&) = delete;
    TerminalRelay& operator=(const TerminalRelay&) = delete;
    // Puts stdout and stderr back and writes out everything still on its way.
    ~TerminalRelay();

  private:
    struct Descriptors {
        int master = -1;       // our side of the pseudo-terminal
        int terminal = -1;     // the real terminal, where converted output goes
        int wake = -1;         // tells the pump that the script has finished
        int savedStdout = -1;  // the real stdout and stderr to put back, when covered
        int savedStderr = -1;
    };
    explicit TerminalRelay(Descriptors fds);
    static void closeAll(const Descriptors& fds);
    void pump();

    Descriptors fds_;
    pid_t owner_;  // a child made by fork() inherits this object, not the thread
    std::unique_ptr<std::thread> thread_;
};

// Whether the locale the environment names (LC_ALL, LC_CTYPE, LANG) uses
// UTF-8. The process's own locale is left as it is.
bool environmentLocaleIsUtf8();

}  // namespace quillet
