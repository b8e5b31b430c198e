#include "core/textfile.h"

#include "tests/support/testsupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace gs {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

TEST(SplitLines, AcceptsEveryLineEnding) {
    EXPECT_EQ(splitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines("a\r\n"), (std::vector<std::string>{"a"}));
    EXPECT_EQ(splitLines("a\r\n\r\nb"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_TRUE(splitLines("").empty());
}

TEST(TextFile, WritesCrLfAndReadsBack) {
    TempDir dir;
    fs::path file = dir.path() / "f.dat";
    ASSERT_EQ(writeLinesAtomic(file, {"one", "", "tw\xE9"}), "");
    EXPECT_EQ(readBytes(file), "one\r\n\r\ntw\xE9\r\n");
    TextFile read = readTextFile(file);
    EXPECT_EQ(read.status, ReadStatus::Ok);
    EXPECT_EQ(read.lines, (std::vector<std::string>{"one", "", "tw\xE9"}));
    EXPECT_EQ(readTextFile(dir.path() / "none").status, ReadStatus::Missing);
}

TEST(TextFile, FailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    TempDir dir;
    fs::path file = dir.path() / "f.dat";
    writeBytes(file, "old\r\n");
    fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
    std::string error = writeLinesAtomic(file, {"new"});
    fs::permissions(dir.path(), fs::perms::owner_all);
    EXPECT_NE(error, "");
    EXPECT_EQ(readBytes(file), "old\r\n");
}

TEST(TextFile, WriteIntoAMissingFolderFailsCleanly) {
    TempDir dir;
    fs::path file = dir.path() / "no" / "such" / "f.dat";
    EXPECT_NE(writeLinesAtomic(file, {"x"}), "");
    EXPECT_FALSE(fs::exists(file));
}

TEST(TextFile, ReplacingLeavesNoTemporaryBehind) {
    TempDir dir;
    fs::path file = dir.path() / "f.dat";
    writeBytes(file, "old\r\n");
    ASSERT_EQ(writeLinesAtomic(file, {"new"}), "");
    EXPECT_EQ(readBytes(file), "new\r\n");
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(TextFile, FileExistsIsFalseForFolders) {
    TempDir dir;
    EXPECT_FALSE(FileExists(dir.path()));
    EXPECT_FALSE(FileExists(dir.path() / "x"));
    writeBytes(dir.path() / "x", "");
    EXPECT_TRUE(FileExists(dir.path() / "x"));
}

} // namespace
} // namespace gs
