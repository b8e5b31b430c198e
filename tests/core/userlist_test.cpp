#include "core/userlist.h"

#include "tests/support/testsupport.h"

#include <gtest/gtest.h>
#include <ostream>

namespace gs {
namespace {

using test::readBytes;
using test::writeBytes;

// name|active|scheme|admin|password|flag|folder|address
std::string slotText(const UserSlot& u) {
    std::string text = u.name;
    for (const std::string& field :
         {std::to_string(u.active), std::to_string(u.colorScheme), std::to_string(u.admin),
          u.password, std::string(u.flag ? "1" : "0"), u.folder, u.exchangeAddress}) {
        text += '|';
        text += field;
    }
    return text;
}

class UserList : public testing::Test {
protected:
    test::PoolFixture fixture;
    Pool& pool = fixture.pool;
    UserListLoad loaded;

    std::string folder() const { return pool.programFolderText(); }
    std::filesystem::path listPath() const { return userListPath(pool.folders); }
    std::filesystem::path preferences(const std::string& user) const {
        return preferencePath(pool.folders, user);
    }
    // Loads the list as the login does: the notices of the load are shown.
    void load(const std::string& user) {
        pool.currentUser = user;
        Result<UserListLoad> result = loadUserList(pool);
        ASSERT_TRUE(result) << result.error().message;
        loaded = *result;
        tellLoadNotices(loaded, fixture.dialogs);
    }
    void load(const std::string& bytes, const std::string& user) {
        writeBytes(listPath(), bytes);
        load(user);
    }
};

TEST_F(UserList, MissingFileIsCreatedWithTheDefaults) {
    load("admin");
    EXPECT_EQ(loaded.outcome, UserListOutcome::Created);
    std::string expected("2010\r\nadmin,1,9,1,,0,");
    expected += folder();
    expected += "\r\nPC,1,1,0,Z,0,";
    expected += folder();
    expected += "\r\n";
    EXPECT_EQ(readBytes(listPath()), expected);
}

TEST_F(UserList, LoadsFieldsAndTheStoredSeason) {
    pool.seasonYear = "2013";
    writeBytes(preferences("admin"), "klm,ftp://example/pool\r\n");
    load("2012\r\nadmin,1,9,1,,0,/x\r\nbob,1,5,0,,1,\r\n", "admin");
    EXPECT_EQ(loaded.outcome, UserListOutcome::Loaded);
    EXPECT_EQ(pool.seasonYear, "2012");
    EXPECT_EQ(pool.currentUser, "admin");
    EXPECT_TRUE(pool.preferencesRead);
    EXPECT_EQ(slotText(pool.users[1]), "admin|1|9|1|abc|0|/x|ftp://example/pool");
    // An empty folder means the data folder; other users' preferences are not read.
    EXPECT_EQ(slotText(pool.users[2]), std::string("bob|1|5|0||1|") + folder() + "|");
    EXPECT_TRUE(fixture.dialogs.shown.empty());
}

TEST_F(UserList, OddNumbersAndEmptyLines) {
    pool.users[5].name = "ghost"; // the table is emptied first
    load("2010\nann,1.5,2.5,99999,,x,\n\ncarl,1,3,0,,0,/c,extra,fields\n", "nobody");
    EXPECT_EQ(loaded.outcome, UserListOutcome::UserNotFound);
    EXPECT_EQ(pool.currentUser, "nobody");
    // Halves go to even, a number out of range reads as 0, the empty line
    // leaves a free slot and extra fields are ignored.
    EXPECT_EQ(slotText(pool.users[1]), std::string("ann|2|2|0||0|") + folder() + "|");
    EXPECT_EQ(pool.users[2].name + "|" + pool.users[5].name, "|");
    EXPECT_EQ(slotText(pool.users[3]), "carl|1|3|0||0|/c|");
}

TEST_F(UserList, ListsHoldEveryUserOnFileAndTheActiveOnes) {
    load("2010\nann,1.5,2.5,99999,,x,\n\ncarl,1,3,0,,0,/c\n", "nobody");
    fillUserLists(pool);
    EXPECT_EQ(pool.playersOnFile.entries, (std::vector<std::string>{"ann", "carl"}));
    EXPECT_EQ(pool.activePlayers.entries, (std::vector<std::string>{"carl"}));
}

TEST_F(UserList, MoreThanAHundredUsersLoadsTheFirstHundredAndSaysSo) {
    std::string bytes = "2010\r\n";
    for (int i = 1; i <= 105; ++i) {
        bytes += 'u';
        bytes += std::to_string(i);
        bytes += ",1,1,0,,0,\r\n";
    }
    load(bytes, "u105");
    EXPECT_EQ(pool.users[100].name, "u100");
    EXPECT_EQ(loaded.outcome, UserListOutcome::UserNotFound);
    EXPECT_EQ(loaded.droppedUserLines, 5u);
    EXPECT_EQ(fixture.dialogs.messages(),
              std::vector<std::string>{
                  "Gridslate: The user list holds 105 lines of users; only the first 100 "
                  "were loaded."});
}

struct PreferenceCase {
    const char* name;
    const char* bytes; // nullptr: no file
    const char* password;
    const char* address; // "": no exchange place
    bool defaults;       // told "Error reading User Preferences. Defaults set."
    bool read;           // the preference file was read
};

void PrintTo(const PreferenceCase& c, std::ostream* os) {
    *os << c.name;
}

class Preferences : public UserList, public testing::WithParamInterface<PreferenceCase> {};

TEST_P(Preferences, ReadOrDefault) {
    if (GetParam().bytes)
        writeBytes(preferences("ann"), GetParam().bytes);
    load("2010\r\nann,1,9,0,klm,0,\r\n", "ann");
    EXPECT_EQ(pool.users[1].password, GetParam().password);
    EXPECT_EQ(pool.users[1].exchangeAddress, GetParam().address);
    EXPECT_EQ(loaded.preferencesDefaulted, GetParam().defaults);
    EXPECT_EQ(pool.preferencesRead, GetParam().read);
    std::vector<std::string> expected;
    if (GetParam().defaults)
        expected.push_back("Gridslate: Error reading User Preferences. Defaults set.");
    EXPECT_EQ(fixture.dialogs.messages(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, Preferences,
    testing::Values(PreferenceCase{"Good", "nop,/lan/pool\r\n", "def", "/lan/pool", false, true},
                    PreferenceCase{"EmptyAddress", "nop,\r\n", "def", "", false, true},
                    PreferenceCase{"NoComma", "nop\r\n", "", "", true, false},
                    // A user who never changed his account has no file: the
                    // defaults, silently, keeping the user list's password.
                    PreferenceCase{"Missing", nullptr, "abc", "", false, false},
                    PreferenceCase{"Undecodable", "\x05,x\r\n", "", "", true, false}),
    [](const auto& info) { return std::string(info.param.name); });

// Active players in pool order (the order saved with the picks), then the rest.
TEST_F(UserList, SaveWritesActiveThenInactiveUsers) {
    writeBytes(preferences("admin"), "klm,ftp://h/d\r\n");
    load("2010\r\nbob,0,3,0,,1,/b\r\nadmin,1,9,1,,0,/a\r\nPC,1,1,0,Z,0,/a\r\n"
         "ann,1,4,0,klm,0,/a\r\n",
         "admin");
    pool.savedActivePlayers = {"ann", "admin"};
    fillUserLists(pool);
    Status saved = saveUserList(pool);
    ASSERT_TRUE(saved) << saved.error().message;
    EXPECT_EQ(readBytes(listPath()), "2010\r\nann,1,4,0,klm,0,/a\r\nadmin,1,9,1,klm,0,/a\r\n"
                                     "PC,1,1,0,Z,0,/a\r\nbob,0,3,0,,1,/b\r\n");
    EXPECT_EQ(readBytes(preferences("admin")), "klm,ftp://h/d\r\n");
}

TEST_F(UserList, RemovedUserStaysRemoved) {
    writeBytes(preferences("admin"), ",\r\n");
    load("2010\r\nadmin,1,9,1,,0,/a\r\nbob,1,3,0,,0,/b\r\n", "admin");
    pool.playersOnFile.entries = {"admin"};
    pool.activePlayers.entries = {"admin"};
    Status saved = saveUserList(pool);
    ASSERT_TRUE(saved) << saved.error().message;
    load("admin");
    fillUserLists(pool);
    EXPECT_EQ(pool.playersOnFile.entries, (std::vector<std::string>{"admin"}));
}

TEST(PasswordCode, ShiftsByTen) {
    EXPECT_EQ(encodePassword("abc"), "klm");
    std::string clear;
    EXPECT_TRUE(decodePassword("klm", clear));
    EXPECT_EQ(clear, "abc");
    EXPECT_FALSE(decodePassword("\x03", clear));
}

} // namespace
} // namespace gs
