#include "core/textfile.h"

#include "tests/support/testsupport.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace gs {
namespace {

namespace fs = std::filesystem;
using test::readBytes;

std::vector<std::string> folderEntries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

TEST(TextFile, ReplacesWithCrLfLinesAndLeavesNoTemporary) {
    test::TempDir dir;
    fs::path file = dir.path() / "f.dat";
    test::writeBytes(file, "old\r\n");
    Status written = writeLinesAtomic(file, {"one", "", "tw\xE9"});
    ASSERT_TRUE(written) << written.error();
    EXPECT_EQ(readBytes(file), "one\r\n\r\ntw\xE9\r\n");
    EXPECT_EQ(folderEntries(dir.path()), std::vector<std::string>{"f.dat"});
}

TEST(TextFile, ReadsEveryKindOfLineEnd) {
    test::TempDir dir;
    fs::path file = dir.path() / "f.dat";
    test::writeBytes(file, "a\r\nb\nc\rd\r\n\r\n");
    TextFile read = readTextFile(file);
    EXPECT_EQ(read.status, ReadStatus::Ok);
    EXPECT_EQ(read.lines, (std::vector<std::string>{"a", "b", "c", "d", ""}));
    EXPECT_EQ(readTextFile(dir.path() / "none").status, ReadStatus::Missing);
}

TEST(TextFile, AFolderIsNotAFile) {
    test::TempDir dir;
    EXPECT_FALSE(fileExists(dir.path()));
}

// A file size limit makes the write fail halfway, even for root.
TEST(TextFile, FailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
    test::TempDir dir;
    fs::path file = dir.path() / "f.dat";
    test::writeBytes(file, "old\r\n");
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 16;
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    Status written = writeLinesAtomic(file, {std::string(100, 'x')});
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    ASSERT_FALSE(written);
    EXPECT_TRUE(written.error().starts_with("The file could not be saved. ")) << written.error();
    EXPECT_EQ(readBytes(file), "old\r\n");
    EXPECT_EQ(folderEntries(dir.path()), std::vector<std::string>{"f.dat"});
}

TEST(TextFile, WriteIntoAMissingFolderFails) {
    test::TempDir dir;
    Status written = writeLinesAtomic(dir.path() / "no" / "f.dat", {"x"});
    ASSERT_FALSE(written);
    EXPECT_NE(written.error(), "");
}

} // namespace
} // namespace gs
