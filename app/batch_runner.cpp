#include "app/batch_runner.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include "text/encoding.h"

namespace quillet {
namespace {

std::string utf8Of(const Text& gbkText) {
    return bytesToText(ansiToUtf8(gbkText));
}

// The file's lines, each without its CR LF (or lone LF).
bool readLines(const std::string& path, std::vector<Text>& lines) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    const std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::size_t at = 0;
    while (at < all.size()) {
        std::size_t end = all.find('\n', at);
        if (end == std::string::npos) end = all.size();
        std::string line = all.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        at = end + 1;
    }
    return true;
}

bool isDriveLine(const Text& line) {
    return line.empty() || line.back() == ':';
}

std::string systemError(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

void readAll(int fd, std::string& into) {
    std::array<char, 4096> buffer;
    for (;;) {
        const ssize_t n = read(fd, buffer.data(), buffer.size());
        if (n > 0) {
            into.append(buffer.data(), static_cast<std::size_t>(n));
        } else if (n == 0 || errno != EINTR) {
            return;
        }
    }
}

// Starts args[0] in dir with its output on one pipe, and waits for it. A
// program named without a "/" is looked for in dir only, never on PATH.
BatchRun startAndWait(const std::string& dir, const std::vector<std::string>& args) {
    BatchRun run;
    const bool bare = args[0].find('/') == std::string::npos;
    const std::string program = bare ? "./" + args[0] : args[0];
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    int output[2];
    int failure[2];  // carries errno when chdir or exec fails in the child
    if (pipe2(output, O_CLOEXEC) != 0) {
        run.error = systemError("pipe");
        return run;
    }
    if (pipe2(failure, O_CLOEXEC) != 0) {
        run.error = systemError("pipe");
        close(output[0]);
        close(output[1]);
        return run;
    }
    const pid_t child = fork();
    if (child == 0) {
        // Only async-signal-safe calls between fork and exec.
        const int devNull = open("/dev/null", O_RDONLY);
        if (devNull >= 0) dup2(devNull, STDIN_FILENO);
        dup2(output[1], STDOUT_FILENO);
        dup2(output[1], STDERR_FILENO);
        if (chdir(dir.c_str()) == 0) execv(program.c_str(), argv.data());
        const int error = errno;
        (void)!write(failure[1], &error, sizeof error);
        _exit(127);
    }
    close(output[1]);
    close(failure[1]);
    if (child < 0) {
        run.error = systemError("fork");
        close(output[0]);
        close(failure[0]);
        return run;
    }
    readAll(output[0], run.output);
    close(output[0]);
    std::string childError;
    readAll(failure[0], childError);
    close(failure[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (childError.size() == sizeof(int)) {
        int error = 0;
        std::memcpy(&error, childError.data(), sizeof error);
        run.error = "cannot start " + args[0] + " in " + dir + ": " + std::strerror(error);
        return run;
    }
    run.started = true;
    run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}  // namespace

std::vector<Text> splitBatchLine(const Text& line) {
    std::vector<Text> words;
    Text word;
    bool inWord = false;
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (static_cast<unsigned char>(c) >= 0x80 && i + 1 < line.size()) {
            word += line.substr(i++, 2);
            inWord = true;
        } else if (c == '"') {
            if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                word += '"';
                ++i;
            } else {
                quoted = !quoted;
            }
            inWord = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inWord) words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) words.push_back(word);
    return words;
}

BatchRun runBatchFile(const std::string& batchPath) {
    BatchRun run;
    std::vector<Text> lines;
    if (!readLines(batchPath, lines)) {
        run.error = systemError(batchPath);
        return run;
    }
    if (lines.size() != 3 || !isDriveLine(lines[0])) {
        run.error = "unexpected batch file " + batchPath;
        return run;
    }
    const std::vector<Text> cd = splitBatchLine(lines[1]);
    const std::vector<Text> program = splitBatchLine(lines[2]);
    if (cd.size() != 2 || cd[0] != "cd" || program.empty()) {
        run.error = "unexpected batch file " + batchPath;
        return run;
    }
    std::vector<std::string> args;
    for (const auto& word : program) args.push_back(utf8Of(word));
    return startAndWait(utf8Of(cd[1]), args);
}

}  // namespace quillet
