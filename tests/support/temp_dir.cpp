#include "support/temp_dir.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace quillet::testing {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quillet-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const std::filesystem::path& path, const std::string& bytes, bool executable) {
    std::ofstream(path, std::ios::binary) << bytes;
    if (executable) {
        using std::filesystem::perms;
        std::filesystem::permissions(path, perms::owner_all | perms::group_read |
                                               perms::group_exec | perms::others_read |
                                               perms::others_exec);
    }
}

}  // namespace quillet::testing
