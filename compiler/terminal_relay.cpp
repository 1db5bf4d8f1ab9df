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
    int master = -1;
    int slave = -1;
    if (::openpty(&master, &slave, nullptr, &raw, &size) != 0) return nullptr;
    ::fcntl(master, F_SETFD, FD_CLOEXEC);
    const int terminal = ::fcntl(real, F_DUPFD_CLOEXEC, 3);
    const int savedOut = coversOut ? ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3) : -1;
    const int savedErr = coversErr ? ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3) : -1;
    std::fflush(stdout);
    std::fflush(stderr);
    if (coversOut) ::dup2(slave, STDOUT_FILENO);
    if (coversErr) ::dup2(slave, STDERR_FILENO);
    ::close(slave);
    return std::unique_ptr<TerminalRelay>(
        new TerminalRelay(master, terminal, coversOut, coversErr, savedOut, savedErr));
}

TerminalRelay::TerminalRelay(int master, int terminal, bool coversStdout, bool coversStderr,
                             int savedStdout, int savedStderr)
    : master_(master),
      terminal_(terminal),
      wake_(::eventfd(0, EFD_CLOEXEC)),
      coversStdout_(coversStdout),
      coversStderr_(coversStderr),
      savedStdout_(savedStdout),
      savedStderr_(savedStderr),
      thread_([this] { pump(); }) {}

TerminalRelay::~TerminalRelay() {
    std::fflush(stdout);
    std::fflush(stderr);
    // Putting the real descriptors back closes our last hold on the
    // pseudo-terminal, so the pump sees its end once it has read everything.
    if (coversStdout_) ::dup2(savedStdout_, STDOUT_FILENO);
    if (coversStderr_) ::dup2(savedStderr_, STDERR_FILENO);
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = ::write(wake_, &one, sizeof one);
    thread_.join();
    for (int fd : {savedStdout_, savedStderr_, master_, terminal_, wake_}) {
        if (fd >= 0) ::close(fd);
    }
}

void TerminalRelay::pump() {
    GbkToUtf8Stream decoder;
    char buffer[65536];
    bool stopping = false;
    for (;;) {
        struct pollfd watch[2] = {{master_, POLLIN, 0}, {wake_, POLLIN, 0}};
        const int ready = ::poll(watch, stopping ? 1 : 2, stopping ? kGraceMillis : -1);
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) break;  // a child process still holds the terminal
        if (watch[0].revents != 0) {
            const ssize_t n = ::read(master_, buffer, sizeof buffer);
            if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
            if (n <= 0) break;  // EIO: every writer has closed it
            writeAll(terminal_,
                     decoder.feed(std::string_view(buffer, static_cast<std::size_t>(n))));
        }
        if (!stopping && (watch[1].revents & POLLIN) != 0) stopping = true;
    }
    writeAll(terminal_, decoder.finish());
}

}  // namespace quillet
