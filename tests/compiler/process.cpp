#include "process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace quillet::testing {
namespace {

void closeQuietly(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

std::vector<char*> pointersTo(const std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (const std::string& s : strings) pointers.push_back(const_cast<char*>(s.c_str()));
    pointers.push_back(nullptr);
    return pointers;
}

// This process's environment with the given entries put over it.
std::vector<std::string> mergedEnvironment(const std::vector<std::string>& extra) {
    std::vector<std::string> merged;
    auto nameOf = [](const std::string& entry) { return entry.substr(0, entry.find('=')); };
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        bool replaced = false;
        for (const std::string& x : extra) replaced = replaced || nameOf(x) == nameOf(entry);
        if (!replaced) merged.push_back(entry);
    }
    merged.insert(merged.end(), extra.begin(), extra.end());
    return merged;
}

// Only async-signal-safe calls between fork and exec.
[[noreturn]] void execChild(char* const* argv, char* const* envp, const char* folder, int in,
                            int out, int err) {
    ::dup2(in, 0);
    ::dup2(out, 1);
    ::dup2(err, 2);
    if (::chdir(folder) != 0) ::_exit(125);
    ::execvpe(argv[0], argv, envp);
    ::_exit(127);
}

// Writes the input and reads both outputs together, so that neither side
// blocks on a full pipe.
void exchange(int in, int out, int err, const std::string& input, ProcessResult& result) {
    std::size_t written = 0;
    if (input.empty()) closeQuietly(in);
    char buffer[65536];
    while (out >= 0 || err >= 0) {
        std::vector<pollfd> watch;
        if (in >= 0) watch.push_back({in, POLLOUT, 0});
        if (out >= 0) watch.push_back({out, POLLIN, 0});
        if (err >= 0) watch.push_back({err, POLLIN, 0});
        if (::poll(watch.data(), watch.size(), -1) < 0) {
            if (errno == EINTR) continue;
            throw std::runtime_error("poll failed");
        }
        for (const pollfd& p : watch) {
            if (p.revents == 0) continue;
            if (p.fd == in) {
                const ssize_t n = ::write(in, input.data() + written, input.size() - written);
                if (n > 0) written += static_cast<std::size_t>(n);
                if (n <= 0 || written == input.size()) closeQuietly(in);
                continue;
            }
            const ssize_t n = ::read(p.fd, buffer, sizeof buffer);
            std::string& sink = p.fd == out ? result.out : result.err;
            if (n > 0) {
                sink.append(buffer, static_cast<std::size_t>(n));
            } else if (p.fd == out) {
                closeQuietly(out);
            } else {
                closeQuietly(err);
            }
        }
    }
    closeQuietly(in);
}

}  // namespace

ProcessResult runProcess(const std::vector<std::string>& argv, const std::string& folder,
                         const std::string& input, const std::vector<std::string>& environment) {
    int in[2], out[2], err[2];
    if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0 ||
        ::pipe2(err, O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe failed");
    }
    // A child that stops reading its input must not end the test.
    ::signal(SIGPIPE, SIG_IGN);
    const std::vector<std::string> envStrings = mergedEnvironment(environment);
    const std::vector<char*> args = pointersTo(argv);
    const std::vector<char*> envp = pointersTo(envStrings);
    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) execChild(args.data(), envp.data(), folder.c_str(), in[0], out[1], err[1]);
    ::close(in[0]);
    ::close(out[1]);
    ::close(err[1]);
    ProcessResult result;
    exchange(in[1], out[0], err[0], input, result);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

bool inPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "");
    for (std::string folder; std::getline(folders, folder, ':');) {
        if (!folder.empty() && ::access((folder + "/" + program).c_str(), X_OK) == 0) return true;
    }
    return false;
}

TempFolder::TempFolder() {
    std::string pattern = std::filesystem::temp_directory_path() / "quillet-test-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string readText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw std::runtime_error("cannot read " + path);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

void writeText(const std::string& path, const std::string& bytes, int mode) {
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        if (!file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
            throw std::runtime_error("cannot write " + path);
        }
    }
    ::chmod(path.c_str(), static_cast<mode_t>(mode));
}

}  // namespace quillet::testing
