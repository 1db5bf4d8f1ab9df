// On a UTF-8 terminal the executable shows the script's GBK text as UTF-8.

#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "debug_folder.h"

namespace quillet::testing {
namespace {

struct TerminalRun {
    std::string screen;  // everything written to the terminal
    int status = -1;
    double seconds = 0;
};

// Runs a program with stdin, stdout and stderr on a new pseudo-terminal,
// reading the terminal until the program has ended and nothing more comes.
TerminalRun runOnTerminal(const std::string& folder, const std::string& program,
                          const std::string& locale) {
    const auto start = std::chrono::steady_clock::now();
    const std::string lang = "LANG=" + locale;
    char* const argv[] = {const_cast<char*>(program.c_str()), nullptr};
    char* const envp[] = {const_cast<char*>(lang.c_str()), const_cast<char*>("PATH=/usr/bin:/bin"),
                          nullptr};
    int master = -1;
    const pid_t pid = ::forkpty(&master, nullptr, nullptr, nullptr);
    if (pid == 0) {
        if (::chdir(folder.c_str()) == 0) ::execve(argv[0], argv, envp);
        ::_exit(127);
    }
    TerminalRun run;
    if (pid < 0) return run;
    bool ended = false;
    for (;;) {
        pollfd watch = {master, POLLIN, 0};
        const int ready = ::poll(&watch, 1, ended ? 50 : 200);
        if (ready > 0) {
            char buffer[4096];
            const ssize_t n = ::read(master, buffer, sizeof buffer);
            if (n > 0) {
                run.screen.append(buffer, static_cast<std::size_t>(n));
                continue;
            }
        }
        if (ended) break;
        if (std::chrono::steady_clock::now() - start > std::chrono::seconds(10)) {
            ::kill(-pid, SIGKILL);  // hung: forkpty made it a session leader
        }
        int status = 0;
        if (::waitpid(pid, &status, WNOHANG) == pid) {
            ended = true;
            run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            run.seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        }
    }
    ::close(master);
    return run;
}

// "中文" and "错误" in GBK and in UTF-8.
const std::string kGbkText = "\xD6\xD0\xCE\xC4";
const std::string kUtf8Text = "\xE4\xB8\xAD\xE6\x96\x87";
const std::string kGbkError = "\xB4\xED\xCE\xF3";
const std::string kUtf8Error = "\xE9\x94\x99\xE8\xAF\xAF";

class Terminal : public ::testing::Test {
  protected:
    void SetUp() override {
        // The first character goes out in two writes, split after its lead byte.
        const std::string script =
            "<?php\n"
            "echo \"\\xD6\"; flush(); usleep(50000); echo \"\\xD0\\xCE\\xC4\\n\";\n"
            "fwrite(STDERR, \"" +
            kGbkError +
            "\\n\");\n"
            "echo posix_isatty(STDOUT) ? \"tty\\n\" : \"no tty\\n\";\n"
            "echo $undefinedName;\n"
            "exit(4);\n";
        writeText(debug.file("show.php"), script);
        ASSERT_EQ(debug.compile("show.php").status, 0);
    }
    DebugFolder debug;
};

TEST_F(Terminal, Utf8TerminalSeesUtf8) {
    const TerminalRun run = runOnTerminal(debug.path(), "./show", "C.UTF-8");
    EXPECT_EQ(run.status, 4);
    // The outer terminal turns "\n" into "\r\n".
    EXPECT_NE(run.screen.find(kUtf8Text + "\r\n" + kUtf8Error + "\r\ntty\r\n"), std::string::npos)
        << run.screen;
    EXPECT_NE(run.screen.find("PHP Warning:  Undefined variable $undefinedName in " +
                              debug.file("show.php") + " on line 5"),
              std::string::npos)
        << run.screen;
    EXPECT_EQ(run.screen.find(kGbkText), std::string::npos);
}

TEST_F(Terminal, OtherLocalesGetTheScriptsBytes) {
    const TerminalRun run = runOnTerminal(debug.path(), "./show", "C");
    EXPECT_EQ(run.status, 4);
    EXPECT_NE(run.screen.find(kGbkText + "\r\n" + kGbkError + "\r\ntty\r\n"), std::string::npos)
        << run.screen;
}

TEST_F(Terminal, ChildThatKeepsTheTerminalDoesNotHoldUpTheEnd) {
    writeText(debug.file("child.php"),
              "<?php\nshell_exec('sleep 3 >&2 &');\necho \"" + kGbkText + "\\n\";\n");
    ASSERT_EQ(debug.compile("child.php").status, 0);
    const TerminalRun run = runOnTerminal(debug.path(), "./child", "C.UTF-8");
    EXPECT_EQ(run.status, 0);
    EXPECT_LT(run.seconds, 2.0);
    EXPECT_NE(run.screen.find(kUtf8Text), std::string::npos) << run.screen;
}

TEST_F(Terminal, ForkedChildWritesThroughTheParentsRelayAndEndsCleanly) {
    writeText(debug.file("fork.php"),
              "<?php\n$pid = pcntl_fork();\n"
              "if ($pid === 0) { echo \"child " +
                  kGbkText +
                  "\\n\"; exit(0); }\n"
                  "pcntl_waitpid($pid, $status);\nusleep(300000);\n"
                  "echo \"parent " +
                  kGbkError + " \", pcntl_wexitstatus($status), \"\\n\";\n");
    ASSERT_EQ(debug.compile("fork.php").status, 0);
    const TerminalRun run = runOnTerminal(debug.path(), "./fork", "C.UTF-8");
    EXPECT_EQ(run.status, 0);
    EXPECT_LT(run.seconds, 2.0);
    EXPECT_NE(run.screen.find("child " + kUtf8Text + "\r\nparent " + kUtf8Error + " 0\r\n"),
              std::string::npos)
        << run.screen;
}

}  // namespace
}  // namespace quillet::testing
