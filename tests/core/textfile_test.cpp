#include "core/textfile.h"

#include "tests/support/namedcases.h"
#include "tests/support/testsupport.h"

#include <csignal>
#include <fcntl.h>
#include <functional>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace gs {
namespace {

TEST(TextFile, ReplacesWithCrLfLinesAndReadsEveryLineEnd) {
    test::TempDir dir;
    fs::path file = dir.path() / "f.dat";
    test::writeBytes(file, "old\r\n");
    Status written = writeLinesAtomic(file, {"one", "", "tw\xE9"});
    ASSERT_TRUE(written) << written.error().message;
    EXPECT_EQ(readBytes(file), "one\r\n\r\ntw\xE9\r\n");
    EXPECT_EQ(folderEntries(dir.path()), std::vector<std::string>{"f.dat"});
    EXPECT_FALSE(writeLinesAtomic(dir.path() / "no" / "f.dat", {"x"})); // a missing folder

    test::writeBytes(file, "a\r\nb\nc\rd\r\n\r\n");
    EXPECT_EQ(readTextFile(file), (std::vector<std::string>{"a", "b", "c", "d", ""}));
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
    EXPECT_THAT(written.error().message, testing::StartsWith("The file could not be saved. "));
    EXPECT_EQ(readBytes(file), "old\r\n");
    EXPECT_EQ(folderEntries(dir.path()), std::vector<std::string>{"f.dat"});
}

struct OddFile : test::NamedCase {
    std::function<void(const fs::path&)> make;
    bool exists;
    std::optional<ErrorKind> kind; // none: the file is read
    std::string error;
};

class OddFiles : public testing::TestWithParam<OddFile> {};

// Only a regular file of a size a pool's file can have is read: a pipe would
// wait for a writer for ever, a device never ends, a huge file fills memory.
// Whether it exists is told at once, without opening it: nobody writes to the pipe.
TEST_P(OddFiles, AreReadOnlyWhenRegularAndOfARealSize) {
    test::TempDir dir;
    fs::path file = dir.path() / "f.dat";
    GetParam().make(file);
    EXPECT_EQ(fileExists(file), GetParam().exists);
    Result<std::string> bytes = readFileBytes(file);
    Result<std::vector<std::string>> lines = readTextFile(file);
    ASSERT_EQ(bytes.has_value(), !GetParam().kind);
    ASSERT_EQ(lines.has_value(), !GetParam().kind);
    if (!GetParam().kind)
        return;
    EXPECT_EQ(bytes.error(), (Error{*GetParam().kind, GetParam().error}));
    EXPECT_EQ(lines.error(), bytes.error());
}

void sizedFile(const fs::path& file, std::uintmax_t size) {
    test::writeBytes(file, "");
    fs::resize_file(file, size); // sparse: no disk space is used
}

constexpr const char* kNotRegular = "it is not a regular file (a pipe, a device or the like)";
constexpr const char* kTooLarge = "it is larger than 4 MB, more than any file of a pool holds";

INSTANTIATE_TEST_SUITE_P(
    Cases, OddFiles,
    testing::Values(
        OddFile{"Pipe", [](const fs::path& f) { ASSERT_EQ(::mkfifo(f.c_str(), 0600), 0); }, true,
                ErrorKind::Unreadable, kNotRegular},
        OddFile{"LinkToDevZero", [](const fs::path& f) { fs::create_symlink("/dev/zero", f); },
                true, ErrorKind::Unreadable, kNotRegular},
        OddFile{"Folder", [](const fs::path& f) { fs::create_directory(f); }, false,
                ErrorKind::Unreadable, "it is a folder"},
        OddFile{"PastFourMegabytes", [](const fs::path& f) { sizedFile(f, kMaxDataFileBytes + 1); },
                true, ErrorKind::Unreadable, kTooLarge},
        OddFile{"FourMegabytes", [](const fs::path& f) { sizedFile(f, kMaxDataFileBytes); }, true,
                std::nullopt, ""},
        OddFile{"LinkToNothing",
                [](const fs::path& f) { fs::create_symlink(f.parent_path() / "none", f); }, false,
                ErrorKind::NotFound, "No such file or directory"},
        OddFile{"Nothing", [](const fs::path&) {}, false, ErrorKind::NotFound,
                "No such file or directory"}),
    test::caseName);

// The games table is copied whole whatever its size, but never from a pipe.
TEST(TextFile, CopiesAreNotLimitedInSizeButOnlyOfRegularFiles) {
    test::TempDir dir;
    fs::path big = dir.path() / "big.mdb";
    std::string bytes(kMaxDataFileBytes + 100, 'x');
    bytes[12345] = '\0';
    test::writeBytes(big, bytes);
    Status copied = copyFileAtomic(big, dir.path() / "copy.mdb");
    ASSERT_TRUE(copied) << copied.error().message;
    EXPECT_EQ(readBytes(dir.path() / "copy.mdb"), bytes);

    fs::path pipe = dir.path() / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    copied = copyFileAtomic(pipe, dir.path() / "copy.mdb");
    ASSERT_FALSE(copied);
    EXPECT_EQ(copied.error().message,
              "Cannot read " + pipe.string() + ": it is not a regular file");
    EXPECT_EQ(readBytes(dir.path() / "copy.mdb"), bytes);
}

// What a killed program leaves goes at the next start; the live table's
// journal and other files stay.
TEST(TextFile, LeftoverTemporariesAreRemovedAndNothingElse) {
    test::TempDir dir;
    const fs::path& folder = dir.path();
    for (const char* name :
         {".PC2010.dat.a1B2c3", ".scoresheet97.mdb.Zz09Qx", ".scoresheet97.mdb.Zz09Qx-journal",
          "scoresheet97.mdb", "scoresheet97.mdb-journal", "PC2010.dat", "PC2010.dat.damaged",
          ".hidden", ".PC2010.dat.short", ".PC2010.dat.a1-2c3"})
        test::writeBytes(folder / name, "x");
    fs::create_directory(folder / ".folder.ABCDEF");
    EXPECT_EQ(removeStaleTemporaries(folder), 3);
    EXPECT_EQ(folderEntries(folder),
              (std::vector<std::string>{".PC2010.dat.a1-2c3", ".PC2010.dat.short", ".folder.ABCDEF",
                                        ".hidden", "PC2010.dat", "PC2010.dat.damaged",
                                        "scoresheet97.mdb", "scoresheet97.mdb-journal"}));
}

// A write of another running program holds its temporary file open.
TEST(TextFile, ATemporaryHeldByAnotherProcessStays) {
    test::TempDir dir;
    fs::path temporary = dir.path() / ".PC2010.dat.Wr1t3s";
    test::writeBytes(temporary, "half a file");
    int held = ::open(temporary.c_str(), O_RDWR);
    int release[2];
    ASSERT_EQ(::pipe(release), 0);
    pid_t writer = ::fork(); // holds the file from here on
    if (writer == 0) {
        char byte;
        ::_exit(::read(release[0], &byte, 1) == 1 ? 0 : 1);
    }
    ::close(held);
    EXPECT_EQ(removeStaleTemporaries(dir.path()), 0);
    ASSERT_EQ(::write(release[1], "x", 1), 1);
    ::waitpid(writer, nullptr, 0);
    EXPECT_EQ(removeStaleTemporaries(dir.path()), 1); // its writer is gone now
    EXPECT_FALSE(fs::exists(temporary));
}

// A file that another program made meanwhile is never replaced by a new
// empty one.
TEST(TextFile, WritingIfAbsentKeepsAFileThatStands) {
    test::TempDir dir;
    fs::path file = dir.path() / "admin2010.dat";
    Result<Placement> placed = writeLinesIfAbsent(file, {"new"});
    ASSERT_TRUE(placed) << placed.error().message;
    EXPECT_EQ(*placed, Placement::Placed);
    EXPECT_EQ(readBytes(file), "new\r\n");
    placed = writeLinesIfAbsent(file, {"newer"});
    ASSERT_TRUE(placed) << placed.error().message;
    EXPECT_EQ(*placed, Placement::AlreadyThere);
    EXPECT_EQ(readBytes(file), "new\r\n");
    EXPECT_EQ(folderEntries(dir.path()), std::vector<std::string>{"admin2010.dat"});
}

} // namespace
} // namespace gs
