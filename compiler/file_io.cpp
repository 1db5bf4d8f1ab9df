#include "compiler/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "compiler/script_name.h"

namespace quillet {
namespace {

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    // Closes now, so that a failing close can be reported.
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

bool writeAll(int fd, const ByteSet& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string lastError() {
    return std::strerror(errno);
}

}  // namespace

std::optional<ByteSet> readWholeFile(const std::string& path) {
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info;
    if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    // One spare byte shows whether the file grew since fstat.
    ByteSet bytes(static_cast<std::size_t>(info.st_size) + 1);
    std::size_t done = 0;
    for (;;) {
        if (done == bytes.size()) bytes.resize(2 * bytes.size());
        const ssize_t n = ::read(fd.get(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::nullopt;
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
    return bytes;
}

std::optional<std::string> replaceFile(const std::string& path, const ByteSet& bytes, mode_t mode) {
    std::string temp = folderOf(path) + "/." + std::string(baseName(path)) + ".XXXXXX";
    Descriptor fd(::mkostemp(temp.data(), O_CLOEXEC));
    if (fd.get() < 0) return lastError();
    std::optional<std::string> error;
    if (!writeAll(fd.get(), bytes) || ::fchmod(fd.get(), mode) != 0) error = lastError();
    // Closed before the rename: a file still open for writing cannot be run.
    if (!fd.close() && !error) error = lastError();
    if (!error && ::rename(temp.c_str(), path.c_str()) != 0) error = lastError();
    if (error) ::unlink(temp.c_str());
    return error;
}

}  // namespace quillet
