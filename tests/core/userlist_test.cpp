#include "core/userlist.h"

#include "tests/support/namedcases.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

using test::readBytes;
using test::writeBytes;

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
    pool.setSeasonYear("2013");
    if (GetParam().preferences)
        writeBytes(preferences(GetParam().user), GetParam().preferences);
    load(GetParam().list, GetParam().user);
    refreshPoolOrder(pool);
    static const char* const kOutcomes[] = {"loaded", "created", "not found"};
    std::string text = kOutcomes[static_cast<int>(loaded.outcome)] + (" " + pool.seasonYear()) +
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

} // namespace
} // namespace gs
