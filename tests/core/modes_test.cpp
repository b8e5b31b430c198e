// The files that hold passwords are their owner's only, whatever the umask:
// the data folder 0700, "UserList.db" and every preference file 0600; and
// what a start does to the folders of a pool.

#include "core/filerollback.h"
#include "core/startup.h"
#include "core/textfile.h"
#include "core/userlist.h"
#include "tests/support/namedcases.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace gs {
namespace {

namespace fs = std::filesystem;
using test::writeBytes;

// The permission bits of a file, as 0600 would be written.
unsigned modeOf(const fs::path& path) {
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
    return status.st_mode & 07777;
}

// Sets the umask for one test.
class ScopedUmask {
public:
    explicit ScopedUmask(mode_t mask) : m_saved(::umask(mask)) {}
    ~ScopedUmask() { ::umask(m_saved); }

private:
    mode_t m_saved;
};

struct Umask : test::NamedCase {
    mode_t mask;
    unsigned sharedMode; // what any other file gets
};

class Modes : public testing::TestWithParam<Umask> {
protected:
    test::TempDir home;
    Pool pool{home.path()};
    ScopedUmask umask{GetParam().mask};
    fs::path data() const { return pool.folders().program; }
};

// A new data folder and user list, and existing files at their next write.
TEST_P(Modes, FilesWithPasswordsAreTheOwnersOnly) {
    pool.setCurrentUser("admin");
    ASSERT_TRUE(loadUserList(pool));
    EXPECT_EQ(modeOf(data()), 0700u);
    EXPECT_EQ(modeOf(userListPath(pool.folders())), 0600u);
    writeBytes(preferencePath(pool.folders(), "admin"), "," + data().string() + "\r\n");
    fs::permissions(userListPath(pool.folders()), fs::perms(0644));
    fs::permissions(preferencePath(pool.folders(), "admin"), fs::perms(0666));
    ASSERT_TRUE(loadUserList(pool));
    refreshPoolOrder(pool);
    Status saved = saveUserList(pool);
    ASSERT_TRUE(saved) << saved.error();
    EXPECT_EQ(modeOf(userListPath(pool.folders())), 0600u);
    EXPECT_EQ(modeOf(preferencePath(pool.folders(), "admin")), 0600u);

    fs::permissions(userListPath(pool.folders()), fs::perms(0644));
    pool.setSeasonYear("2011");
    ASSERT_TRUE(storeSeasonInUserList(pool));
    EXPECT_EQ(modeOf(userListPath(pool.folders())), 0600u);
}

// Files without passwords keep the mode of any new file; a change that
// fails halfway puts a file back with the access it had.
TEST_P(Modes, OtherFilesFollowTheUmask) {
    fs::create_directories(data());
    ASSERT_TRUE(writeLinesAtomic(data() / "admin2010.dat", {"0"}));
    EXPECT_EQ(modeOf(data() / "admin2010.dat"), GetParam().sharedMode);
    ASSERT_TRUE(
        copyFileAtomic(data() / "admin2010.dat", data() / "UserList.bak", FileAccess::OwnerOnly));
    EXPECT_EQ(modeOf(data() / "UserList.bak"), 0600u);

    fs::path list = userListPath(pool.folders());
    ASSERT_TRUE(writeLinesAtomic(list, {"2010"}, FileAccess::OwnerOnly));
    FileRollback changes;
    ASSERT_TRUE(changes.remember(list));
    ASSERT_TRUE(writeLinesAtomic(list, {"2011"}));
    ASSERT_TRUE(changes.restore());
    EXPECT_EQ(test::readBytes(list), "2010\r\n");
    EXPECT_EQ(modeOf(list), 0600u);
}

INSTANTIATE_TEST_SUITE_P(Umasks, Modes,
                         testing::Values(Umask{"Permissive", 0, 0666}, Umask{"Usual", 022, 0644},
                                         Umask{"TakingTheOwnersWrite", 0277, 0400}),
                         test::caseName);

// A data folder that exists is not changed: the person may share it on purpose.
TEST(DataFolder, AnExistingFolderKeepsItsMode) {
    test::TempDir home;
    fs::path data = home.path() / "data";
    fs::create_directory(data);
    fs::permissions(data, fs::perms(0755));
    ASSERT_TRUE(createDataFolder(data));
    EXPECT_EQ(modeOf(data), 0755u);
    ASSERT_TRUE(createDataFolder(home.path() / "a" / "b" / "data"));
    EXPECT_EQ(modeOf(home.path() / "a" / "b" / "data"), 0700u);
}

// A pool made by an older version, which followed the umask, becomes
// private at the next start; files without passwords keep their mode.
// Exports and the exchange's staging folder are written the same way as
// the data files, so killed runs leave their temporaries there as well.
TEST(Start, MakesAnOlderPoolPrivateMarksItsDataFolderAndRemovesLeftovers) {
    test::PoolFixture program;
    const Folders& folders = program.pool.folders();
    fs::permissions(folders.program, fs::perms(0755));
    for (const char* name : {"UserList.db", "UserList.bak", "ann_UserPref.dbu", "ann2010.dat"}) {
        writeBytes(folders.program / name, "x\r\n");
        fs::permissions(folders.program / name, fs::perms(0644));
    }
    fs::create_directories(folders.staging);
    const std::vector<fs::path> leftovers = {folders.program / ".PC2010.dat.k1LLed",
                                             folders.install / ".AllUserPickResults.csv.a2B3c4",
                                             folders.staging / ".Al2010.dat.Zz9Yy8"};
    for (const fs::path& leftover : leftovers)
        writeBytes(leftover, "x");
    writeBytes(folders.install / ".notes.txt", "kept: not one of ours");
    prepareFolders(program.pool);
    EXPECT_EQ(modeOf(folders.program), 0700u);
    for (const char* name : {"UserList.db", "UserList.bak", "ann_UserPref.dbu"})
        EXPECT_EQ(modeOf(folders.program / name), 0600u) << name;
    EXPECT_EQ(modeOf(folders.program / "ann2010.dat"), 0644u);
    EXPECT_TRUE(fs::exists(folders.program / kDataFolderMarker));
    for (const fs::path& leftover : leftovers)
        EXPECT_FALSE(fs::exists(leftover)) << leftover;
    EXPECT_TRUE(fs::exists(folders.install / ".notes.txt"));
}

} // namespace
} // namespace gs
