// The compiler as the build runs it: the time to compile a 1,000-line script,
// and the start-up time of a produced executable beside `php` on the same
// trivial script, measured in the same run.

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "resources/compiler_image.h"

namespace {

namespace fs = std::filesystem;

constexpr int kCompileRuns = 20;
constexpr int kStartRuns = 40;

void writeFile(const fs::path& path, const std::string& bytes, fs::perms perms) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    fs::permissions(path, perms);
}

// A script of exactly 1,000 lines: functions, a class, loops, arrays and
// Chinese strings in GBK, as a user's script might look.
std::string thousandLines() {
    std::vector<std::string> lines = {"<?php", "declare(strict_types=1);"};
    for (int f = 0; lines.size() < 900; ++f) {
        const std::string n = std::to_string(f);
        for (const std::string& line : std::vector<std::string>{
                 "/** Adds up part " + n + ". */", "function part" + n + "(array $xs, int $k): int",
                 "{", "    $sum = 0;", "    foreach ($xs as $i => $x) {",
                 "        if ($x % 2 === 0 && $i < $k) {", "            $sum += $x * " + n + ";",
                 "        } else {", "            $sum -= intdiv($x, 3);", "        }", "    }",
                 "    $label = \"\xB2\xBF\xB7\xD6" + n + "\xA3\xBA{$sum}\";",
                 "    return strlen($label) + $sum;", "}", ""}) {
            lines.push_back(line);
        }
    }
    lines.insert(lines.end(), {"final class Totals", "{", "    private array $seen = [];",
                               "    public function add(string $k, int $v): void", "    {",
                               "        $this->seen[$k] = ($this->seen[$k] ?? 0) + $v;", "    }",
                               "}", "$t = new Totals();"});
    for (int i = 0; lines.size() < 999; ++i) {
        lines.push_back("$t->add('k" + std::to_string(i % 7) + "', part" + std::to_string(i % 50) +
                        "([1, 2, 3, " + std::to_string(i) + "], 3));");
    }
    lines.push_back("echo \"done\\n\";");
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

// Seconds from starting a program in `folder` to its end; output discarded.
double timeRun(const std::vector<std::string>& argv, const fs::path& folder) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    int status = -1;
    if (posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ) == 0) {
        waitpid(pid, &status, 0);
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    posix_spawn_file_actions_destroy(&actions);
    if (status != 0) std::printf("  (%s ended with status %d)\n", argv[0].c_str(), status);
    return took.count();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

bool phpAvailable() {
    return std::system("php -v > /dev/null 2>&1") == 0;
}

}  // namespace

int main() {
    char pattern[] = "/tmp/quillet-bench-XXXXXX";
    if (mkdtemp(pattern) == nullptr) return 1;
    const fs::path debug = pattern;
    const auto image = quillet::compilerImage();
    writeFile(debug / "c.exe", std::string(image.begin(), image.end()), fs::perms(0755));
    writeFile(debug / "big.php", thousandLines(), fs::perms(0644));
    writeFile(debug / "hello.php", "<?php echo \"hi\\n\";\n", fs::perms(0644));
    std::printf("bench_compiler: compiler image %zu bytes\n", image.size());

    std::vector<double> compile;
    for (int i = 0; i < kCompileRuns; ++i)
        compile.push_back(timeRun({"./c.exe", "big.php"}, debug));
    std::printf("compile 1,000 lines:  median %6.1f ms, best %6.1f ms  (goal <= 50 ms)\n",
                1e3 * median(compile), 1e3 * *std::min_element(compile.begin(), compile.end()));
    std::printf("  executable: %ju bytes\n", std::uintmax_t(fs::file_size(debug / "big")));

    timeRun({"./c.exe", "hello.php"}, debug);
    if (!phpAvailable()) {
        std::printf("start-up: php is not installed, no comparison\n");
    } else {
        std::vector<double> exe, php;
        for (int i = 0; i < kStartRuns; ++i) {  // interleaved, so both see the same load
            exe.push_back(timeRun({"./hello"}, debug));
            php.push_back(timeRun({"php", "hello.php"}, debug));
        }
        std::printf("start-up, trivial script: executable %5.1f ms, php %5.1f ms (medians of %d)\n",
                    1e3 * median(exe), 1e3 * median(php), kStartRuns);
        std::printf("  ratio executable/php: %.2fx  (goal <= 1.0x)\n", median(exe) / median(php));
    }
    fs::remove_all(debug);
    return 0;
}
