#include "core/userlist.h"

#include "core/state.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::writeBytes;

class UserList : public testing::Test {
protected:
    test::ProgramFixture program;
    std::string folder() const { return programFolderText(); }
    void writeList(const std::string& bytes) { writeBytes(userListPath(), bytes); }
};

TEST_F(UserList, MissingFileIsCreatedWithTheDefaults) {
    State.CurrentUser = "admin";
    State.UserTable[1].name = "kept";
    ASSERT_TRUE(LoadUserList());
    EXPECT_EQ(State.CurrentUser, NewListSentinel);
    EXPECT_EQ(State.UserTable[1].name, "kept"); // the table is not filled by this call
    EXPECT_EQ(readBytes(userListPath()),
              "2010\r\nadmin,1,9,1,,0," + folder() + "\r\nPC,1,1,0,Z,0," + folder() + "\r\n");
}

TEST_F(UserList, LoadsFieldsAndForcesTheSeason) {
    writeList("2012\r\nadmin,1,9,1,,0,/x\r\nbob,1,5,0,,1,\r\n");
    writeBytes(preferencePath("admin"), "klm,ftp://example/pool\r\n");
    State.CurrentUser = "admin";
    ASSERT_TRUE(LoadUserList());
    EXPECT_EQ(State.SeasonYear, "2010");
    EXPECT_EQ(State.CurrentUser, "admin");
    const UserSlot& admin = State.UserTable[1];
    EXPECT_EQ(admin.password, "abc");
    EXPECT_EQ(admin.exchangeAddress, "ftp://example/pool");
    EXPECT_EQ(admin.folder, "/x");
    const UserSlot& bob = State.UserTable[2];
    EXPECT_EQ(bob.name, "bob");
    EXPECT_EQ(bob.active, 1);
    EXPECT_EQ(bob.colorScheme, 5);
    EXPECT_EQ(bob.admin, 0);
    EXPECT_EQ(bob.password, "");
    EXPECT_TRUE(bob.flag);
    EXPECT_EQ(bob.folder, folder());
    EXPECT_TRUE(program.dialogs.shown.empty());
}

TEST_F(UserList, OddNumbersAndEmptyLines) {
    writeList("2010\nann,1.5,2.5,99999,,x,\n\ncarl,1,3,0,,0,/c,extra,fields\n");
    State.CurrentUser = "nobody";
    ASSERT_TRUE(LoadUserList());
    EXPECT_EQ(State.CurrentUser, NotFoundSentinel);
    EXPECT_EQ(State.UserTable[1].active, 2);      // halves to even
    EXPECT_EQ(State.UserTable[1].colorScheme, 2); // halves to even
    EXPECT_EQ(State.UserTable[1].admin, 0);       // out of range reads as 0
    EXPECT_FALSE(State.UserTable[1].flag);
    EXPECT_EQ(State.UserTable[2].name, ""); // the empty line leaves a free slot
    EXPECT_EQ(State.UserTable[3].name, "carl");
    EXPECT_EQ(State.UserTable[3].folder, "/c");
    FillUserLists();
    EXPECT_EQ(State.List4.entries, (std::vector<std::string>{"ann", "carl"}));
    EXPECT_EQ(State.List5.entries, (std::vector<std::string>{"carl"}));
}

TEST_F(UserList, LoadEmptiesTheTableFirst) {
    State.UserTable[5].name = "ghost";
    writeList("2010\r\nadmin,1,9,1,,0,\r\n");
    State.CurrentUser = "x";
    LoadUserList();
    EXPECT_EQ(State.UserTable[5].name, "");
}

TEST_F(UserList, MoreThanAHundredUsersLoadsTheFirstHundredAndSaysSo) {
    std::string bytes = "2010\r\n";
    for (int i = 1; i <= 105; ++i)
        bytes += "u" + std::to_string(i) + ",1,1,0,,0,\r\n";
    writeList(bytes);
    State.CurrentUser = "u105";
    LoadUserList();
    EXPECT_EQ(State.UserTable[100].name, "u100");
    EXPECT_EQ(State.CurrentUser, NotFoundSentinel);
    ASSERT_EQ(program.dialogs.messages().size(), 1u);
    EXPECT_NE(program.dialogs.messages()[0].find("first 100"), std::string::npos);
}

struct PreferenceCase {
    const char* name;
    const char* bytes; // nullptr: no file
    const char* password;
    bool defaults;
};

class Preferences : public UserList, public testing::WithParamInterface<PreferenceCase> {};

TEST_P(Preferences, ReadOrDefault) {
    writeList("2010\r\nann,1,9,0,klm,0,\r\n");
    if (GetParam().bytes)
        writeBytes(preferencePath("ann"), GetParam().bytes);
    State.CurrentUser = "ann";
    LoadUserList();
    EXPECT_EQ(State.UserTable[1].password, GetParam().password);
    std::vector<std::string> expected;
    if (GetParam().defaults) {
        expected.push_back("Gridslate: Error reading User Preferences. Defaults set.");
        EXPECT_EQ(State.UserTable[1].exchangeAddress, folder());
    }
    EXPECT_EQ(program.dialogs.messages(), expected);
}

INSTANTIATE_TEST_SUITE_P(Files, Preferences,
                         testing::Values(PreferenceCase{"Good", "nop,/lan/pool\r\n", "def", false},
                                         PreferenceCase{"EmptyAddress", "nop,\r\n", "def", false},
                                         PreferenceCase{"NoComma", "nop\r\n", "", true},
                                         PreferenceCase{"Missing", nullptr, "", true},
                                         PreferenceCase{"Undecodable", "\x05,x\r\n", "", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(UserList, EmptyAddressBecomesTheProgramFolder) {
    writeList("2010\r\nann,1,9,0,,0,\r\n");
    writeBytes(preferencePath("ann"), "nop,\r\n");
    State.CurrentUser = "ann";
    LoadUserList();
    EXPECT_EQ(State.UserTable[1].exchangeAddress, folder());
}

TEST_F(UserList, SaveWritesActiveThenInactiveUsers) {
    writeList("2010\r\nadmin,1,9,1,,0,/a\r\nPC,1,1,0,Z,0,/a\r\nann,1,4,0,klm,0,/a\r\n"
              "bob,0,3,0,,1,/b\r\n");
    writeBytes(preferencePath("admin"), "klm,ftp://h/d\r\n");
    State.CurrentUser = "admin";
    LoadUserList();
    FillUserLists();
    EXPECT_EQ(State.List5.entries, (std::vector<std::string>{"admin", "PC", "ann"}));
    State.CurrentColorScheme = 12;
    ASSERT_TRUE(SaveUserList());
    EXPECT_EQ(readBytes(userListPath()), "2010\r\nadmin,1,9,1,klm,0,/a\r\nPC,1,1,0,Z,0,/a\r\n"
                                         "ann,1,4,0,klm,0,/a\r\nbob,0,3,0,,1,/b\r\n");
    EXPECT_EQ(readBytes(preferencePath("admin")), "klm,ftp://h/d\r\n");
}

TEST_F(UserList, RemovedUserStaysRemoved) {
    writeList("2010\r\nadmin,1,9,1,,0,/a\r\nbob,1,3,0,,0,/b\r\n");
    writeBytes(preferencePath("admin"), ",\r\n");
    State.CurrentUser = "admin";
    LoadUserList();
    FillUserLists();
    State.List4.entries = {"admin"};
    State.List5.entries = {"admin"};
    ASSERT_TRUE(SaveUserList());
    LoadUserList();
    FillUserLists();
    EXPECT_EQ(State.List4.entries, (std::vector<std::string>{"admin"}));
}

TEST_F(UserList, SavedActiveOrderComesBack) {
    writeList("2010\r\nadmin,1,9,1,,0,\r\nPC,1,1,0,,0,\r\nann,1,4,0,,0,\r\n");
    State.CurrentUser = "admin";
    LoadUserList();
    State.SavedActivePlayers = {"ann", "admin"};
    FillUserLists();
    EXPECT_EQ(State.List5.entries, (std::vector<std::string>{"ann", "admin", "PC"}));
    EXPECT_EQ(State.List5.selected, -1);
}

TEST_F(UserList, SaveWithNoActivePlayersWritesNothing) {
    State.CurrentUser = "admin";
    EXPECT_FALSE(SaveUserList());
    EXPECT_FALSE(fs::exists(userListPath()));
}

TEST_F(UserList, FailedSaveIsReportedAndKeepsTheOldFile) {
    writeList("2010\r\nadmin,1,9,1,,0,\r\n");
    State.CurrentUser = "admin";
    LoadUserList();
    FillUserLists();
    // A folder in the way of the temporary file's rename target.
    fs::remove(userListPath());
    fs::create_directory(userListPath());
    program.dialogs.clear();
    EXPECT_FALSE(SaveUserList());
    ASSERT_EQ(program.dialogs.shown.size(), 1u);
    EXPECT_EQ(program.dialogs.shown[0].title, "Error");
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
