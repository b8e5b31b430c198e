#include "core/filerollback.h"
#include "core/startup.h"
#include "core/textfile.h"
#include "core/userlist.h"
#include "tests/support/namedcases.h"
#include "tests/support/testsupport.h"

#include <sys/stat.h>

namespace gs {
namespace {

class UserList : public testing::Test {
protected:
    test::PoolFixture fixture;
    Pool& pool = fixture.pool;
    UserListLoad loaded;

    std::string folder() const { return pool.programFolderText(); }
    std::filesystem::path listPath() const { return userListPath(pool.folders()); }
    std::filesystem::path preferences(const std::string& user) const {
        return preferencePath(pool.folders(), user);
    }
    // Loads the list as the login does: the notices of the load are shown.
    void load(const std::string& bytes, const std::string& user) {
        writeBytes(listPath(), bytes);
        pool.setCurrentUser(user);
        Result<UserListLoad> result = loadUserList(pool);
        ASSERT_TRUE(result) << result.error();
        loaded = *result;
        tellLoadNotices(loaded, fixture.dialogs);
    }
};

TEST_F(UserList, MissingFileIsCreatedWithTheDefaults) {
    pool.setCurrentUser("admin");
    Result<UserListLoad> created = loadUserList(pool);
    ASSERT_TRUE(created) << created.error();
    EXPECT_EQ(created->outcome, UserListOutcome::Created);
    EXPECT_EQ(readBytes(listPath()),
              "2010\r\nadmin,1,9,1,,0," + folder() + "\r\nPC,1,1,0,Z,0," + folder() + "\r\n");
}

struct LoadCase : test::NamedCase {
    std::string list;
    const char* preferences; // the user's file; nullptr for none
    const char* user;
    std::string expected; // see the test
};

class Loads : public UserList, public testing::WithParamInterface<LoadCase> {};

// The outcome, the season and what became of the preference file; each
// named slot as "slot name|active|scheme|admin|password|flag|folder|address"
// (the data folder as "."); the two lists; the messages.
TEST_P(Loads, FillTheTableTheSeasonAndTheUsersPreferences) {
    test::editUser(pool, 5,
                   [](UserSlot& ghost) { ghost.name = "ghost"; }); // the table is emptied first
    pool.setSeasonYear(2013);
    if (GetParam().preferences)
        writeBytes(preferences(GetParam().user), GetParam().preferences);
    load(GetParam().list, GetParam().user);
    refreshPoolOrder(pool);
    static const char* const kOutcomes[] = {"loaded", "created", "not found"};
    std::string text = kOutcomes[static_cast<int>(loaded.outcome)] +
                       (" " + std::to_string(pool.seasonYear())) +
                       (pool.preferencesRead() ? " read" : "") +
                       (loaded.preferencesDefaulted ? " defaulted" : "") + "\n";
    for (size_t s = 0; s < pool.users().size(); ++s) {
        const UserSlot& u = pool.users()[s];
        if (!u.name.empty())
            text += std::to_string(s) + " " + u.name + "|" + std::to_string(u.active) + "|" +
                    std::to_string(u.colorScheme) + "|" + std::to_string(u.admin) + "|" +
                    u.password + "|" + (u.flag ? "1" : "0") + "|" +
                    (u.folder == folder() ? "." : u.folder) + "|" + u.exchangeAddress + "\n";
    }
    for (const std::string& name : playersOnFile(pool))
        text += name + " ";
    text += "|";
    for (const std::string& name : activePlayersInPoolOrder(pool))
        text += " " + name;
    for (const std::string& message : fixture.dialogs.messages())
        text += "\n" + message;
    EXPECT_EQ(text, GetParam().expected);
}

const std::string kAnn = "2010\r\nann,1,9,0,klm,0,\r\n";
const std::string kDefaulted = "Gridslate: Error reading User Preferences. Defaults set.";

// Halves go to even, a number out of range reads as 0, an empty line leaves
// a free slot and extra fields are ignored. Other users' preferences are
// not read. A user who never changed his account has no preference file:
// the defaults, silently, keeping the user list's password.
INSTANTIATE_TEST_SUITE_P(
    Lists, Loads,
    testing::Values(
        LoadCase{"FieldsAndTheStoredSeason", "2012\r\nadmin,1,9,1,,0,/x\r\nbob,1,5,0,,1,\r\n",
                 "klm,ftp://example/pool\r\n", "admin",
                 "loaded 2012 read\n1 admin|1|9|1|abc|0|/x|ftp://example/pool\n2 bob|1|5|0||1|.|\n"
                 "admin bob | admin bob"},
        LoadCase{"OddNumbersAndEmptyLines",
                 "2010\nann,1.5,2.5,99999,,x,\n\ncarl,1,3,0,,0,/c,extra,fields\n", nullptr,
                 "nobody",
                 "not found 2010\n1 ann|2|2|0||0|.|\n3 carl|1|3|0||0|/c|\nann carl | carl"},
        LoadCase{"GoodPreferences", kAnn, "nop,/lan/pool\r\n", "ann",
                 "loaded 2010 read\n1 ann|1|9|0|def|0|.|/lan/pool\nann | ann"},
        LoadCase{"NoExchangePlace", kAnn, "nop,\r\n", "ann",
                 "loaded 2010 read\n1 ann|1|9|0|def|0|.|\nann | ann"},
        LoadCase{"PreferencesWithoutComma", kAnn, "nop\r\n", "ann",
                 "loaded 2010 defaulted\n1 ann|1|9|0||0|.|\nann | ann\n" + kDefaulted},
        LoadCase{"NoPreferenceFile", kAnn, nullptr, "ann",
                 "loaded 2010\n1 ann|1|9|0|abc|0|.|\nann | ann"},
        LoadCase{"UndecodablePassword", kAnn, "\x05,x\r\n", "ann",
                 "loaded 2010 defaulted\n1 ann|1|9|0||0|.|\nann | ann\n" + kDefaulted},
        LoadCase{"EmptyPreferenceFile", kAnn, "", "ann",
                 "loaded 2010 defaulted\n1 ann|1|9|0||0|.|\nann | ann\n" + kDefaulted}),
    test::caseName);

TEST_F(UserList, MoreThanAHundredUsersLoadsTheFirstHundredAndSaysSo) {
    std::string bytes = "2010\r\n";
    for (int i = 1; i <= 105; ++i)
        bytes += "u" + std::to_string(i) + ",1,1,0,,0,\r\n";
    load(bytes, "u105");
    EXPECT_EQ(pool.users()[100].name, "u100");
    EXPECT_EQ(loaded.outcome, UserListOutcome::UserNotFound);
    // u105 is on no slot: he gets none, not the last one.
    EXPECT_EQ(pool.currentSlot(), nullptr);
    EXPECT_EQ(fixture.dialogs.messages(),
              std::vector<std::string>{
                  "Gridslate: The user list holds 105 lines of users; only the first 100 "
                  "were loaded."});
}

// Active players in pool order (the order saved with the picks), then the
// rest; a user taken off the list stays off it.
TEST_F(UserList, SaveWritesActiveThenInactiveUsers) {
    writeBytes(preferences("admin"), "klm,ftp://h/d\r\n");
    load("2010\r\nbob,0,3,0,,1,/b\r\nadmin,1,9,1,,0,/a\r\nPC,1,1,0,Z,0,/a\r\n"
         "ann,1,4,0,klm,0,/a\r\ncarl,0,2,0,,0,/c\r\n",
         "admin");
    pool.setSavedPoolOrder({"ann", "admin"});
    refreshPoolOrder(pool);
    test::editUser(pool, pool.userSlot("carl"), [](UserSlot& carl) { carl.removed = true; });
    Status saved = saveUserList(pool);
    ASSERT_TRUE(saved) << saved.error();
    EXPECT_EQ(readBytes(listPath()), "2010\r\nann,1,4,0,klm,0,/a\r\nadmin,1,9,1,klm,0,/a\r\n"
                                     "PC,1,1,0,Z,0,/a\r\nbob,0,3,0,,1,/b\r\n");
    EXPECT_EQ(readBytes(preferences("admin")), "klm,ftp://h/d\r\n");
}

// A save keeps what another program saved since the load: a player added
// or changed there stands beside one changed here (the table and the pool
// order take them), another password and address of the user stand when
// this save leaves them as read. A player or the preference file changed on
// both sides refuses the save, naming it, and writes nothing.
TEST_F(UserList, SaveKeepsWhatAnotherProgramSavedMeanwhile) {
    writeBytes(preferences("admin"), "klm,\r\n");
    load("2010\r\nadmin,1,9,1,klm,0,/a\r\nPC,1,1,0,Z,0,/a\r\nann,1,4,0,,0,/a\r\n"
         "bob,0,3,0,,0,/a\r\n",
         "admin");
    refreshPoolOrder(pool);
    auto scheme = [&](const char* name, int16_t scheme) {
        test::editUser(pool, pool.userSlot(name), [&](UserSlot& u) { u.colorScheme = scheme; });
    };
    const std::string elsewhere = "2010\r\nadmin,1,9,1,klm,0,/a\r\nPC,1,1,0,Z,0,/a\r\n"
                                  "ann,1,4,0,,0,/a\r\nZoe,1,9,0,,0,/a\r\nbob,0,7,0,,0,/a\r\n";
    writeBytes(listPath(), elsewhere);
    writeBytes(preferences("admin"), "nop,ftp://h\r\n");
    scheme("ann", 5);
    Status saved = saveUserList(pool);
    ASSERT_TRUE(saved) << saved.error();
    const std::string merged = "2010\r\nadmin,1,9,1,klm,0,/a\r\nPC,1,1,0,Z,0,/a\r\n"
                               "ann,1,5,0,,0,/a\r\nZoe,1,9,0,,0,/a\r\nbob,0,7,0,,0,/a\r\n";
    EXPECT_EQ(readBytes(listPath()) + readBytes(preferences("admin")), merged + "nop,ftp://h\r\n");
    EXPECT_EQ(pool.poolOrder(), (std::vector<std::string>{"admin", "PC", "ann", "Zoe"}));
    EXPECT_EQ(pool.currentSlot()->exchangeAddress, "ftp://h");

    writeBytes(listPath(), elsewhere);
    scheme("ann", 8);
    EXPECT_EQ(saveUserList(pool).error().message,
              "The user list " + listPath().string() +
                  " was changed by another program since it was read here, and these players "
                  "were changed both there and here: ann; open the user list again and make the "
                  "change once more.");
    scheme("ann", 4);
    writeBytes(preferences("admin"), "qrs,\r\n");
    test::editUser(pool, pool.userSlot("admin"), [](UserSlot& u) { u.password = "xyz"; });
    EXPECT_EQ(saveUserList(pool).error().kind, ErrorKind::Changed);
    EXPECT_EQ(readBytes(listPath()) + readBytes(preferences("admin")), elsewhere + "qrs,\r\n");
}

// A list whose folders are all this home's data folder is written back byte
// for byte.
TEST_F(UserList, AListOfThisHomeIsSavedAsItWasLoaded) {
    const std::string list = "2011\r\nadmin,1,9,1,klm,0," + folder() + "\r\nPC,1,1,0,Z,0," +
                             folder() + "\r\nann,0,4,0,,0," + folder() + "\r\n";
    load(list, "admin");
    ASSERT_TRUE(saveUserList(pool));
    EXPECT_EQ(readBytes(listPath()), list);
}

// The files that hold passwords are their owner's only, whatever the umask:
// the data folder 0700, "UserList.db" and every preference file 0600; and
// what a start does to the folders of a pool.

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
    pool.setSeasonYear(2011);
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

TEST(Rollback, PutsChangedFilesBackAndLeavesAloneWhatTheChangeNeverReached) {
    test::TempDir dir;
    const fs::path kept = dir.path() / "kept.txt";
    const fs::path untouched = dir.path() / "untouched.txt";
    writeBytes(kept, "old");
    writeBytes(untouched, "old");
    const auto modified = fs::last_write_time(untouched);
    FileRollback changes;
    for (const char* name : {"kept.txt", "untouched.txt", "new.txt", "never.txt"})
        ASSERT_TRUE(changes.remember(dir.path() / name));
    ASSERT_TRUE(writeFileAtomic(kept, "changed"));
    ASSERT_TRUE(writeFileAtomic(dir.path() / "new.txt", "made"));
    // Remembering again keeps the first state.
    ASSERT_TRUE(changes.remember(kept));
    ASSERT_TRUE(changes.restore());
    EXPECT_EQ(readBytes(kept), "old");
    EXPECT_EQ(fs::last_write_time(untouched), modified);
    EXPECT_EQ(test::folderEntries(dir.path()),
              (std::vector<std::string>{"kept.txt", "untouched.txt"}));
}

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
