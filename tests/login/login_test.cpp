#include "login/login.h"

#include "core/state.h"
#include "core/userlist.h"
#include "schedule/seasongames.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

namespace fs = std::filesystem;
using test::writeBytes;

class Login : public testing::Test {
protected:
    test::ProgramFixture program;

    void writeList(const std::string& users) { writeBytes(userListPath(), "2010\r\n" + users); }
    void login(const std::string& name, const std::string& password = "") {
        State.Window.Text1 = name;
        State.Window.Text2 = password;
        Command12_Click();
    }
    bool loggedIn() const { return !State.Window.loginVisible; }
};

TEST_F(Login, PcIsRefusedBeforeTheListIsRead) {
    for (const char* name : {"pc", "Pc", "PC"}) {
        program.dialogs.clear();
        login(name, "x");
        EXPECT_EQ(program.dialogs.messages(),
                  std::vector<std::string>{"Error: You are not the PC, I am."});
        EXPECT_EQ(State.Window.Text1, "");
        EXPECT_EQ(State.Window.Text2, "");
    }
    EXPECT_FALSE(fs::exists(userListPath()));
}

TEST_F(Login, FirstLoginCreatesTheListThenAdminEnters) {
    ASSERT_TRUE(ensureGamesTable());
    login("ann");
    EXPECT_EQ(program.dialogs.messages(),
              std::vector<std::string>{"Welcome!: User List established.  Please Login as admin."});
    EXPECT_FALSE(loggedIn());
    EXPECT_TRUE(fs::exists(userListPath()));

    program.dialogs.clear();
    login("   ");
    EXPECT_TRUE(loggedIn());
    EXPECT_EQ(State.CurrentUser, "admin");
    EXPECT_EQ(State.Window.caption, "Gridslate for admin");
    EXPECT_TRUE(State.Window.fileMenuEnabled);
    EXPECT_TRUE(State.Window.viewMenuEnabled);
    EXPECT_TRUE(State.Window.backupAdminEnabled);
    EXPECT_TRUE(State.Window.restoreAdminEnabled);
    EXPECT_EQ(State.CurrentColorScheme, 9);
    EXPECT_EQ(State.Colors.background, 0x000040u);
    EXPECT_EQ(State.SeasonGames.size(), 256u); // the bundled 2010 season
    EXPECT_TRUE(fs::exists(State.ProgramFolder / "admin2010.dat"));
    // The new admin has no preference file yet.
    EXPECT_EQ(program.dialogs.messages(),
              std::vector<std::string>{"Gridslate: Error reading User Preferences. Defaults set."});

    mnuItemLogout_Click();
    EXPECT_FALSE(loggedIn());
    EXPECT_EQ(State.Window.caption, "Gridslate");
    EXPECT_FALSE(State.Window.fileMenuEnabled);
    EXPECT_FALSE(State.Window.viewMenuEnabled);
    EXPECT_EQ(State.Window.Text1, "");
}

struct RefusalCase {
    const char* name;
    const char* typedName;
    const char* typedPassword;
    const char* message;
};

class LoginRefusal : public Login, public testing::WithParamInterface<RefusalCase> {};

TEST_P(LoginRefusal, StaysLoggedOutWithEmptyBoxes) {
    // ann's preference file holds the password "abc"; carl has none and his
    // user list entry holds "xyz"; bob is not active.
    writeList(
        "admin,1,9,1,,0,\r\nann,1,4,0,,0,\r\nbob,0,4,0,,0,\r\ncarl,1,4,0,\x82\x83\x84,0,\r\n");
    writeBytes(preferencePath("ann"), "klm,\r\n");
    login(GetParam().typedName, GetParam().typedPassword);
    EXPECT_FALSE(loggedIn());
    EXPECT_EQ(State.Window.Text1, "");
    EXPECT_EQ(State.Window.Text2, "");
    auto messages = program.dialogs.messages();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoginRefusal,
    testing::Values(
        RefusalCase{"Unknown", "zed", "", "Error: You are not in the Active Player List."},
        RefusalCase{"Inactive", "bob", "", "Error: You are not in the Active Player List."},
        RefusalCase{"TrailingSpace", "ann ", "abc",
                    "Error: You are not in the Active Player List."},
        RefusalCase{"WrongCase", "Ann", "abc", "Error: You are not in the Active Player List."},
        RefusalCase{"WrongPassword", "ann", "abd", "Error: Incorrect password."},
        RefusalCase{"EmptyPassword", "ann", "", "Error: Incorrect password."},
        RefusalCase{"ListPasswordWithoutPreferences", "carl", "", "Error: Incorrect password."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Login, PasswordsAdmitTheirOwners) {
    ASSERT_TRUE(ensureGamesTable());
    writeList("admin,1,9,1,,0,\r\nann,1,4,0,,0,\r\ncarl,1,4,0,\x82\x83\x84,0,\r\n");
    writeBytes(preferencePath("ann"), "klm,\r\n");
    writeBytes(preferencePath("admin"), ",\r\n");
    login("ann", "abc");
    EXPECT_TRUE(loggedIn());
    EXPECT_FALSE(State.Window.backupAdminEnabled);
    EXPECT_FALSE(State.Window.restoreAdminEnabled);
    EXPECT_EQ(State.Window.caption, "Gridslate for ann");
    mnuItemLogout_Click();
    login("carl", "xyz"); // no preference file: the user list's password counts
    EXPECT_TRUE(loggedIn());
    mnuItemLogout_Click();
    login("admin", "anything"); // no password set: any entry is admitted
    EXPECT_TRUE(loggedIn());
    EXPECT_TRUE(State.Window.backupAdminEnabled);
}

TEST_F(Login, TheOldAdministratorCodeIsNoBackDoor) {
    ASSERT_TRUE(ensureGamesTable());
    writeList("admin,1,9,1,,0,\r\n593027614858,1,4,0,,0,\r\n");
    login("593027614858");
    EXPECT_TRUE(loggedIn());
    EXPECT_EQ(State.CurrentUser, "593027614858");
    EXPECT_FALSE(State.Window.backupAdminEnabled);
}

} // namespace
} // namespace gs
