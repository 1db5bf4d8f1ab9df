#include "compiler/file_io.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace quillet {
namespace {

namespace fs = std::filesystem;

class FileIo : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = fs::temp_directory_path() / "quillet-io-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder = pattern;
    }
    void TearDown() override { fs::remove_all(folder); }
    std::size_t entries() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
    }
    std::string folder;
};

const ByteSet kBytes = {'#', '!', 0, 0xFF, '\n'};

TEST_F(FileIo, ReplaceWritesTheBytesWithTheModeWhateverTheUmask) {
    const std::string path = folder + "/demo";
    const mode_t old = ::umask(077);
    const auto error = replaceFile(path, kBytes, 0755);
    ::umask(old);
    ASSERT_FALSE(error) << *error;
    EXPECT_EQ(readWholeFile(path), kBytes);
    struct stat info;
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0755u);
    EXPECT_EQ(entries(), 1u);
}

TEST_F(FileIo, ReplaceTakesThePlaceOfAnOlderFile) {
    const std::string path = folder + "/demo";
    ASSERT_FALSE(replaceFile(path, ByteSet(100000, 'a'), 0600));
    ASSERT_FALSE(replaceFile(path, kBytes, 0755));
    EXPECT_EQ(readWholeFile(path), kBytes);
    EXPECT_EQ(entries(), 1u);
}

TEST_F(FileIo, FailedReplaceSaysWhyAndLeavesNothing) {
    EXPECT_EQ(replaceFile(folder + "/missing/demo", kBytes, 0755), "No such file or directory");
    fs::create_directory(folder + "/taken");
    EXPECT_EQ(replaceFile(folder + "/taken", kBytes, 0755), "Is a directory");
    EXPECT_EQ(entries(), 1u);
}

TEST_F(FileIo, ReadGivesNothingForMissingFilesAndFolders) {
    EXPECT_EQ(readWholeFile(folder + "/missing"), std::nullopt);
    EXPECT_EQ(readWholeFile(folder), std::nullopt);
    ASSERT_FALSE(replaceFile(folder + "/empty", {}, 0644));
    EXPECT_EQ(readWholeFile(folder + "/empty"), ByteSet{});
}

}  // namespace
}  // namespace quillet
