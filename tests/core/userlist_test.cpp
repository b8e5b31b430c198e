#include "core/userlist.h"

#include "core/state.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

using test::readBytes;
using test::writeBytes;

// name|active|scheme|admin|password|flag|folder|address
std::string slotText(const UserSlot& u) {
    return u.name + "|" + std::to_string(u.active) + "|" + std::to_string(u.colorScheme) + "|" +
           std::to_string(u.admin) + "|" + u.password + "|" + (u.flag ? "1" : "0") + "|" +
           u.folder + "|" + u.exchangeAddress;
}

class UserList : public testing::Test {
protected:
    test::ProgramFixture program;
    std::string folder() const { return programFolderText(); }
    void load(const std::string& bytes, const std::string& user) {
        writeBytes(userListPath(), bytes);
        State.CurrentUser = user;
        ASSERT_TRUE(LoadUserList());
    }
};

TEST_F(UserList, MissingFileIsCreatedWithTheDefaults) {
    State.CurrentUser = "admin";
    ASSERT_TRUE(LoadUserList());
    EXPECT_EQ(State.CurrentUser, NewListSentinel);
    EXPECT_EQ(readBytes(userListPath()),
              "2010\r\nadmin,1,9,1,,0," + folder() + "\r\nPC,1,1,0,Z,0," + folder() + "\r\n");
}

TEST_F(UserList, LoadsFieldsAndForcesTheSeason) {
    writeBytes(preferencePath("admin"), "klm,ftp://example/pool\r\n");
    load("2012\r\nadmin,1,9,1,,0,/x\r\nbob,1,5,0,,1,\r\n", "admin");
    EXPECT_EQ(State.SeasonYear, "2010");
    EXPECT_EQ(State.CurrentUser, "admin");
    EXPECT_EQ(slotText(State.UserTable[1]), "admin|1|9|1|abc|0|/x|ftp://example/pool");
    // An empty folder means the data folder; other users' preferences are not read.
    EXPECT_EQ(slotText(State.UserTable[2]), "bob|1|5|0||1|" + folder() + "|");
    EXPECT_TRUE(program.dialogs.shown.empty());
}

TEST_F(UserList, OddNumbersAndEmptyLines) {
    State.UserTable[5].name = "ghost"; // the table is emptied first
    load("2010\nann,1.5,2.5,99999,,x,\n\ncarl,1,3,0,,0,/c,extra,fields\n", "nobody");
    EXPECT_EQ(State.CurrentUser, NotFoundSentinel);
    // Halves go to even, a number out of range reads as 0, the empty line
    // leaves a free slot and extra fields are ignored.
    EXPECT_EQ(slotText(State.UserTable[1]), "ann|2|2|0||0|" + folder() + "|");
    EXPECT_EQ(State.UserTable[2].name + "|" + State.UserTable[5].name, "|");
    EXPECT_EQ(slotText(State.UserTable[3]), "carl|1|3|0||0|/c|");
    FillUserLists();
    EXPECT_EQ(State.List4.entries, (std::vector<std::string>{"ann", "carl"}));
    EXPECT_EQ(State.List5.entries, (std::vector<std::string>{"carl"}));
}

TEST_F(UserList, MoreThanAHundredUsersLoadsTheFirstHundredAndSaysSo) {
    std::string bytes = "2010\r\n";
    for (int i = 1; i <= 105; ++i)
        bytes += "u" + std::to_string(i) + ",1,1,0,,0,\r\n";
    load(bytes, "u105");
    EXPECT_EQ(State.UserTable[100].name, "u100");
    EXPECT_EQ(State.CurrentUser, NotFoundSentinel);
    EXPECT_EQ(program.dialogs.messages(),
              std::vector<std::string>{
                  "Gridslate: The user list holds 105 lines of users; only the first 100 "
                  "were loaded."});
}

struct PreferenceCase {
    const char* name;
    const char* bytes; // nullptr: no file
    const char* password;
    const char* address; // "": the data folder
    bool defaults;
};

class Preferences : public UserList, public testing::WithParamInterface<PreferenceCase> {};

TEST_P(Preferences, ReadOrDefault) {
    if (GetParam().bytes)
        writeBytes(preferencePath("ann"), GetParam().bytes);
    load("2010\r\nann,1,9,0,klm,0,\r\n", "ann");
    EXPECT_EQ(State.UserTable[1].password, GetParam().password);
    std::string address = GetParam().address;
    EXPECT_EQ(State.UserTable[1].exchangeAddress, address.empty() ? folder() : address);
    std::vector<std::string> expected;
    if (GetParam().defaults)
        expected.push_back("Gridslate: Error reading User Preferences. Defaults set.");
    EXPECT_EQ(program.dialogs.messages(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, Preferences,
    testing::Values(PreferenceCase{"Good", "nop,/lan/pool\r\n", "def", "/lan/pool", false},
                    PreferenceCase{"EmptyAddress", "nop,\r\n", "def", "", false},
                    PreferenceCase{"NoComma", "nop\r\n", "", "", true},
                    PreferenceCase{"Missing", nullptr, "", "", true},
                    PreferenceCase{"Undecodable", "\x05,x\r\n", "", "", true}),
    [](const auto& info) { return std::string(info.param.name); });

// Active players in pool order (the order saved with the picks), then the rest.
TEST_F(UserList, SaveWritesActiveThenInactiveUsers) {
    writeBytes(preferencePath("admin"), "klm,ftp://h/d\r\n");
    load("2010\r\nbob,0,3,0,,1,/b\r\nadmin,1,9,1,,0,/a\r\nPC,1,1,0,Z,0,/a\r\n"
         "ann,1,4,0,klm,0,/a\r\n",
         "admin");
    State.SavedActivePlayers = {"ann", "admin"};
    FillUserLists();
    ASSERT_TRUE(SaveUserList());
    EXPECT_EQ(readBytes(userListPath()), "2010\r\nann,1,4,0,klm,0,/a\r\nadmin,1,9,1,klm,0,/a\r\n"
                                         "PC,1,1,0,Z,0,/a\r\nbob,0,3,0,,1,/b\r\n");
    EXPECT_EQ(readBytes(preferencePath("admin")), "klm,ftp://h/d\r\n");
}

TEST_F(UserList, RemovedUserStaysRemoved) {
    writeBytes(preferencePath("admin"), ",\r\n");
    load("2010\r\nadmin,1,9,1,,0,/a\r\nbob,1,3,0,,0,/b\r\n", "admin");
    State.List4.entries = {"admin"};
    State.List5.entries = {"admin"};
    ASSERT_TRUE(SaveUserList());
    ASSERT_TRUE(LoadUserList());
    FillUserLists();
    EXPECT_EQ(State.List4.entries, (std::vector<std::string>{"admin"}));
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
