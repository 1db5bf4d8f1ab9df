#include "app/build_pipeline.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>

#include "app/batch_file.h"
#include "text/encoding.h"

namespace quillet {
namespace {

std::string onDisk(const Text& path) {
    return bytesToText(ansiToUtf8(path));
}

// Creates or truncates the file and writes all bytes; the reason on failure.
std::string writeFile(const std::string& path, std::span<const std::uint8_t> bytes, mode_t mode) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (fd < 0) return std::strerror(errno);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const std::string reason = std::strerror(errno);
            close(fd);
            return reason;
        }
        done += static_cast<std::size_t>(n);
    }
    // An existing file keeps its old mode through O_CREAT: set it.
    const bool modeSet = fchmod(fd, mode) == 0;
    const std::string reason = modeSet ? "" : std::strerror(errno);
    if (close(fd) != 0) return std::strerror(errno);
    return reason;
}

std::span<const std::uint8_t> bytesOf(const Text& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

bool holdsLineBreak(const Text& text) {
    return text.find_first_of(std::string("\r\n\0", 3)) != Text::npos;
}

class Build {
  public:
    explicit Build(BuildReport& report) : report_(report) {}

    bool write(const Text& path, std::span<const std::uint8_t> bytes, mode_t mode) {
        const std::string reason = writeFile(onDisk(path), bytes, mode);
        if (reason.empty()) return true;
        say("无法写入 " + onDisk(path) + "：" + reason);
        return false;
    }

    void remove(const Text& path) {
        if (unlink(onDisk(path).c_str()) != 0 && errno != ENOENT)
            say("无法删除 " + onDisk(path) + "：" + std::strerror(errno));
    }

    void say(const std::string& line) { report_.messages.push_back(line); }

  private:
    BuildReport& report_;
};

}  // namespace

Text executableName(const Text& sourceFileName) {
    const std::size_t stem = sourceFileName.size() >= 4 ? sourceFileName.size() - 4 : 0;
    Text extension = sourceFileName.substr(stem);
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == ".php" ? sourceFileName.substr(0, stem) : sourceFileName;
}

BuildReport buildProject(const BuildInput& input, const RunBatch& runBatch) {
    BuildReport report;
    Build build(report);
    if (input.debugDir.empty()) {
        build.say("还没有工程：请先用“文件 → 新建工程”建立工程，再生成。");
        return report;
    }
    if (holdsLineBreak(input.debugDir) || holdsLineBreak(input.sourceFileName)) {
        build.say("工程路径或文件名含有换行符，无法生成。");
        return report;
    }
    const Text executable = executableName(input.sourceFileName);
    if (executable == "c.exe" || executable == "c.bat") {
        // The build deletes both when it ends: the executable would go with them.
        build.say("文件名 " + onDisk(input.sourceFileName) +
                  " 会与生成时的临时文件同名，请换一个工程名。");
        return report;
    }

    const Text script = input.debugDir + "/" + input.sourceFileName;
    if (!build.write(script, bytesOf(input.script), 0644)) return report;
    const Text compiler = input.debugDir + "/c.exe";
    if (!build.write(compiler, input.compilerImage, 0755)) {
        build.remove(compiler);
        return report;
    }
    const Text batch = input.debugDir + "/c.bat";
    if (!build.write(batch, bytesOf(batchText(input.debugDir, input.sourceFileName)), 0644)) {
        build.remove(batch);
        build.remove(compiler);
        return report;
    }

    const BatchRun run = runBatch(onDisk(batch));
    report.ran = run.started;
    report.compilerOutput = run.output;
    if (!run.error.empty()) build.say("无法运行编译器：" + run.error);

    build.remove(batch);
    build.remove(compiler);

    report.executablePath = onDisk(input.debugDir + "/" + executable);
    struct stat info {};
    report.executableWritten = run.started && run.exitStatus == 0 &&
                               stat(report.executablePath.c_str(), &info) == 0 &&
                               S_ISREG(info.st_mode);
    build.say(report.executableWritten ? "已生成可执行文件：" + report.executablePath
                                       : "没有生成可执行文件。");
    return report;
}

}  // namespace quillet
