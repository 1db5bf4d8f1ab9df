#include "startup/virtual_display.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <stdexcept>

namespace quillet::bench {

namespace {

// Owns both ends of a pipe.
struct Pipe {
    int read = -1;
    int write = -1;
    Pipe() {
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe2 failed");
        read = fds[0];
        write = fds[1];
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;
    ~Pipe() {
        closeWrite();
        close(read);
    }
    void closeWrite() {
        if (write >= 0) close(write);
        write = -1;
    }
};

// Xvfb writes the display number and a newline once it accepts clients.
std::string readDisplayNumber(int fd, int timeoutMs) {
    std::string number;
    pollfd watch{fd, POLLIN, 0};
    while (poll(&watch, 1, timeoutMs) > 0) {
        char c;
        if (::read(fd, &c, 1) != 1 || c == '\n') break;
        number += c;
    }
    return number;
}

}  // namespace

VirtualDisplay::VirtualDisplay() {
    Pipe ready;
    ChildProcess::Options options;
    options.environment = environmentWithout({});
    options.outputPath = "/dev/null";
    options.keepOpenFd = ready.write;
    server_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(ready.write), "-screen", "0",
                                 "1280x800x24", "-nolisten", "tcp", "-noreset"},
        options);
    ready.closeWrite();
    const std::string number = readDisplayNumber(ready.read, 10000);
    if (number.empty()) throw std::runtime_error("Xvfb did not start");
    name_ = ":" + number;
}

}  // namespace quillet::bench
