#include "compiler/terminal_relay.h"

#include <fcntl.h>
#include <langinfo.h>
#include <locale.h>
#include <poll.h>
#include <pty.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "compiler/gbk_stream.h"

namespace quillet {
namespace {

// How long the relay waits for more output at the end once the script is
// done: only a child process that keeps the terminal open makes it wait.
constexpr int kGraceMillis = 100;

void writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;  // the terminal is gone; nobody can read it now
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

bool nameSaysUtf8(std::string_view name) {
    std::string lower;
    for (char c : name) lower += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    return lower.find("utf-8") != std::string::npos || lower.find("utf8") != std::string::npos;
}

std::string localeName() {
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') return value;
    }
    return "C";
}

bool sameDevice(int a, int b) {
    struct stat sa, sb;
    return ::fstat(a, &sa) == 0 && ::fstat(b, &sb) == 0 && sa.st_rdev == sb.st_rdev;
}

}  // namespace

bool environmentLocaleIsUtf8() {
    const locale_t locale = ::newlocale(LC_CTYPE_MASK, "", locale_t(nullptr));
    if (locale == locale_t(nullptr)) return nameSaysUtf8(localeName());  // not installed
    const bool utf8 = std::string_view(::nl_langinfo_l(CODESET, locale)) == "UTF-8";
    ::freelocale(locale);
    return utf8;
}

std::unique_ptr<TerminalRelay> TerminalRelay::startIfNeeded() {
    const bool outIsTerminal = ::isatty(STDOUT_FILENO) == 1;
    const bool errIsTerminal = ::isatty(STDERR_FILENO) == 1;
    if ((!outIsTerminal && !errIsTerminal) || !environmentLocaleIsUtf8()) return nullptr;
    // One relay serves one terminal; stderr on another terminal stays as it is.
    const int real = outIsTerminal ? STDOUT_FILENO : STDERR_FILENO;
    const bool coversOut = outIsTerminal;
    const bool coversErr = errIsTerminal && (!outIsTerminal || sameDevice(real, STDERR_FILENO));

    struct termios raw;
    ::cfmakeraw(&raw);
    struct winsize size {};
    ::ioctl(real, TIOCGWINSZ, &size);
    Descriptors fds;
    int slave = -1;
    if (::openpty(&fds.master, &slave, nullptr, &raw, &size) != 0) return nullptr;
    ::fcntl(fds.master, F_SETFD, FD_CLOEXEC);
    fds.terminal = ::fcntl(real, F_DUPFD_CLOEXEC, 3);
    fds.wake = ::eventfd(0, EFD_CLOEXEC);
    if (coversOut) fds.savedStdout = ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3);
    if (coversErr) fds.savedStderr = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
    if (fds.terminal < 0 || fds.wake < 0 || (coversOut && fds.savedStdout < 0) ||
        (coversErr && fds.savedStderr < 0)) {
        ::close(slave);
        closeAll(fds);
        return nullptr;  // the script's bytes then go out unconverted
    }
    std::fflush(stdout);
    std::fflush(stderr);
    if (coversOut) ::dup2(slave, STDOUT_FILENO);
    if (coversErr) ::dup2(slave, STDERR_FILENO);
    ::close(slave);
    return std::unique_ptr<TerminalRelay>(new TerminalRelay(fds));
}

TerminalRelay::TerminalRelay(Descriptors fds)
    : fds_(fds), owner_(::getpid()), thread_(std::make_unique<std::thread>([this] { pump(); })) {}

void TerminalRelay::closeAll(const Descriptors& fds) {
    for (int fd : {fds.master, fds.terminal, fds.wake, fds.savedStdout, fds.savedStderr}) {
        if (fd >= 0) ::close(fd);
    }
}

TerminalRelay::~TerminalRelay() {
    if (::getpid() != owner_) {
        // A forked child: its output goes on through the parent's relay, and
        // the thread object is a copy of the parent's, not to be joined here.
        [[maybe_unused]] std::thread* notOurs = thread_.release();
        return;
    }
    std::fflush(stdout);
    std::fflush(stderr);
    // Putting the real descriptors back closes our last hold on the
    // pseudo-terminal, so the pump sees its end once it has read everything.
    if (fds_.savedStdout >= 0) ::dup2(fds_.savedStdout, STDOUT_FILENO);
    if (fds_.savedStderr >= 0) ::dup2(fds_.savedStderr, STDERR_FILENO);
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = ::write(fds_.wake, &one, sizeof one);
    thread_->join();
    closeAll(fds_);
}

void TerminalRelay::pump() {
    GbkToUtf8Stream decoder;
    char buffer[65536];
    bool stopping = false;
    for (;;) {
        struct pollfd watch[2] = {{fds_.master, POLLIN, 0}, {fds_.wake, POLLIN, 0}};
        const int ready = ::poll(watch, stopping ? 1 : 2, stopping ? kGraceMillis : -1);
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) break;  // a child process still holds the terminal
        if (watch[0].revents != 0) {
            const ssize_t n = ::read(fds_.master, buffer, sizeof buffer);
            if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
            if (n <= 0) break;  // EIO: every writer has closed it
            writeAll(fds_.terminal,
                     decoder.feed(std::string_view(buffer, static_cast<std::size_t>(n))));
        }
        if (!stopping && (watch[1].revents & POLLIN) != 0) stopping = true;
    }
    writeAll(fds_.terminal, decoder.finish());
}

}  // namespace quillet
