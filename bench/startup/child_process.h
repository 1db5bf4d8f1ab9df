#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace quillet::bench {

// A program started with posix_spawn and reaped when this goes out of scope
// (killed first if it still runs), so no run of a benchmark leaves a process
// behind.
class ChildProcess {
  public:
    struct Options {
        std::vector<std::string> environment;  // "NAME=value"; the program sees only these
        std::string outputPath;                // stdout and stderr go here; empty: inherited
        int keepOpenFd = -1;                   // a descriptor the program inherits (-1: none)
    };

    // Starts `argv[0]`, searched in PATH when it has no '/'. Throws on failure.
    ChildProcess(const std::vector<std::string>& argv, const Options& options);
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();

    bool running();

    // The exit status once the program has ended within `timeout`; a
    // program killed by a signal reports 128 + the signal.
    std::optional<int> waitFor(std::chrono::milliseconds timeout);

    // Ends the program at once (SIGKILL) and reaps it.
    void kill();

  private:
    bool reap(int flags);

    pid_t pid_ = -1;
    std::optional<int> status_;
};

// This process's environment without the variables named in `names`.
std::vector<std::string> environmentWithout(const std::vector<std::string>& names);

}  // namespace quillet::bench
