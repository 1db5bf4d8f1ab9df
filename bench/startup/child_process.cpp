#include "startup/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace quillet::bench {

namespace {

std::vector<char*> pointers(const std::vector<std::string>& strings) {
    std::vector<char*> result;
    for (const std::string& s : strings) result.push_back(const_cast<char*>(s.c_str()));
    result.push_back(nullptr);
    return result;
}

// posix_spawn's file actions as an RAII value.
class FileActions {
  public:
    FileActions() { posix_spawn_file_actions_init(&actions_); }
    FileActions(const FileActions&) = delete;
    FileActions& operator=(const FileActions&) = delete;
    ~FileActions() { posix_spawn_file_actions_destroy(&actions_); }

    void redirectOutput(const std::string& path) {
        posix_spawn_file_actions_addopen(&actions_, STDOUT_FILENO, path.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_adddup2(&actions_, STDOUT_FILENO, STDERR_FILENO);
    }
    const posix_spawn_file_actions_t* get() const { return &actions_; }

  private:
    posix_spawn_file_actions_t actions_;
};

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const Options& options) {
    FileActions actions;
    if (!options.outputPath.empty()) actions.redirectOutput(options.outputPath);
    // Clear close-on-exec so the program keeps it; the caller closes its own copy.
    if (options.keepOpenFd >= 0) fcntl(options.keepOpenFd, F_SETFD, 0);
    std::vector<char*> args = pointers(argv);
    std::vector<char*> env = pointers(options.environment);
    const int error = posix_spawnp(&pid_, args[0], actions.get(), nullptr, args.data(), env.data());
    if (error != 0) {
        pid_ = -1;
        throw std::runtime_error("cannot start " + argv[0] + ": " + std::strerror(error));
    }
}

ChildProcess::~ChildProcess() {
    if (running()) kill();
}

bool ChildProcess::reap(int flags) {
    if (pid_ < 0 || status_) return false;
    int raw = 0;
    pid_t got;
    do {
        got = waitpid(pid_, &raw, flags);
    } while (got < 0 && errno == EINTR);
    if (got != pid_) return false;
    status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    return true;
}

bool ChildProcess::running() {
    reap(WNOHANG);
    return pid_ >= 0 && !status_;
}

std::optional<int> ChildProcess::waitFor(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (running() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return status_;
}

void ChildProcess::kill() {
    if (!running()) return;
    ::kill(pid_, SIGKILL);
    reap(0);
}

std::vector<std::string> environmentWithout(const std::vector<std::string>& names) {
    std::vector<std::string> result;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        const std::string name = text.substr(0, text.find('='));
        if (std::find(names.begin(), names.end(), name) == names.end()) result.push_back(text);
    }
    return result;
}

}  // namespace quillet::bench
