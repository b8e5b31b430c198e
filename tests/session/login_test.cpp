#include "session/login.h"

#include "core/userlist.h"
#include "schedule/seasongames.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>
#include <ostream>

namespace gs {
namespace {

namespace fs = std::filesystem;
using test::writeBytes;

class Login : public testing::Test {
protected:
    test::PoolFixture program;
    Pool& pool = program.pool;
    MainWindowModel window;
    Session session{program.pool, program.dialogs, window};

    void SetUp() override { ASSERT_TRUE(ensureGamesTable(pool)); }
    bool login(const std::string& name, const std::string& password = "") {
        window.userName = name;
        window.password = password;
        return session.logIn();
    }
    bool loggedIn() const { return !window.loginVisible; }
    // A fresh home: a first login by another name only creates the list.
    void createList() {
        ASSERT_FALSE(login("ann"));
        program.dialogs.clear();
    }
};

TEST_F(Login, ComputerPlayersAreRefusedBeforeTheListIsRead) {
    for (const auto& [name, message] : std::vector<std::pair<std::string, std::string>>{
             {"pc", "Error: You are not the PC, I am."},
             {"elo", "Error: You are not the ELO, I am."}}) {
        program.dialogs.clear();
        EXPECT_FALSE(login(name, "x"));
        EXPECT_EQ(program.dialogs.messages(), std::vector<std::string>{message});
        EXPECT_EQ(program.dialogs.kinds, std::vector<MessageKind>{MessageKind::Error});
        EXPECT_EQ(window.userName + window.password, "");
    }
    EXPECT_FALSE(fs::exists(userListPath(pool.folders)));
}

TEST_F(Login, FirstLoginOnlyCreatesTheList) {
    EXPECT_FALSE(login("ann"));
    EXPECT_EQ(program.dialogs.messages(),
              std::vector<std::string>{"Welcome!: User List established.  Please Login as admin."});
    EXPECT_EQ(program.dialogs.kinds, std::vector<MessageKind>{MessageKind::Information});
    EXPECT_FALSE(loggedIn());
    EXPECT_TRUE(fs::exists(userListPath(pool.folders)));
}

TEST_F(Login, FirstStartByAdminCreatesTheListAndLogsInAtOnce) {
    for (const char* name : {"", "admin"}) {
        SCOPED_TRACE(std::string("\"") + name + "\"");
        test::PoolFixture fresh;
        MainWindowModel freshWindow;
        Session first{fresh.pool, fresh.dialogs, freshWindow};
        ASSERT_TRUE(ensureGamesTable(fresh.pool));
        freshWindow.userName = name;
        EXPECT_TRUE(first.logIn());
        EXPECT_TRUE(first.isFirstStart());
        EXPECT_TRUE(fresh.dialogs.messages().empty());
        EXPECT_EQ(fresh.pool.currentUser, "admin");
        EXPECT_TRUE(freshWindow.scoreEntryEntry.enabled);

        first.logOut();
        freshWindow.userName = "admin";
        EXPECT_TRUE(first.logIn());
        EXPECT_FALSE(first.isFirstStart());
    }
}

TEST_F(Login, ABlankNameEntersAsAdminWithTheUsersSchemeAndPickFile) {
    createList();
    EXPECT_TRUE(login("   "));
    EXPECT_TRUE(loggedIn());
    EXPECT_EQ(pool.currentUser, "admin");
    EXPECT_EQ(window.caption, "Gridslate for admin \x96 2010 season");
    EXPECT_TRUE(window.fileMenuEnabled && window.viewMenuEnabled);
    EXPECT_TRUE(window.adminBackupEntry.enabled && window.adminRestoreEntry.enabled);
    EXPECT_EQ(pool.colorScheme, 9);
    EXPECT_TRUE(fs::exists(pool.folders.program / "admin2010.dat"));
    // The new admin has no preference file yet: the defaults, silently.
    EXPECT_EQ(program.dialogs.messages(), std::vector<std::string>{});
}

TEST_F(Login, LogoutShowsTheLoginAgain) {
    createList();
    ASSERT_TRUE(login("admin"));
    window.panel = Panel::WeeklyPicks;
    session.logOut();
    EXPECT_FALSE(loggedIn());
    EXPECT_EQ(window.panel, Panel::None);
    EXPECT_EQ(window.caption, "Gridslate");
    EXPECT_FALSE(window.fileMenuEnabled || window.viewMenuEnabled);
    EXPECT_EQ(window.userName + window.password, "");
}

TEST_F(Login, AnEmptyPreferenceFileIsReportedAndItsPasswordIgnored) {
    writeBytes(userListPath(pool.folders), "2010\r\nadmin,1,9,1,,0,\r\nann,1,4,0,klm,0,\r\n");
    writeBytes(preferencePath(pool.folders, "ann"), "");
    ASSERT_TRUE(login("ann", "abc"));
    EXPECT_EQ(program.dialogs.messages(),
              std::vector<std::string>{"Gridslate: Error reading User Preferences. Defaults set."});
    EXPECT_EQ(pool.users[2].password, "");
}

struct AttemptCase {
    const char* name;
    const char* typedName;
    const char* typedPassword;
    const char* message; // "": admitted
    bool admin = false;  // admitted with the administrator's entries
};

void PrintTo(const AttemptCase& c, std::ostream* os) {
    *os << c.name << " (\"" << c.typedName << "\" / \"" << c.typedPassword << "\")";
}

class LoginAttempt : public Login, public testing::WithParamInterface<AttemptCase> {};

// ann's preference file holds the password "abc"; carl has none and his user
// list entry holds "xyz"; bob is not active; the old administrator code is
// an ordinary name.
TEST_P(LoginAttempt, AdmitsOrStaysLoggedOutWithEmptyBoxes) {
    const AttemptCase& c = GetParam();
    writeBytes(userListPath(pool.folders),
               "2010\r\nadmin,1,9,1,,0,\r\nann,1,4,0,,0,\r\nbob,0,4,0,,0,\r\n"
               "carl,1,4,0,\x82\x83\x84,0,\r\n593027614858,1,4,0,,0,\r\n");
    writeBytes(preferencePath(pool.folders, "ann"), "klm,\r\n");
    writeBytes(preferencePath(pool.folders, "admin"), ",\r\n");
    if (std::string(c.message).empty()) {
        EXPECT_TRUE(login(c.typedName, c.typedPassword));
        EXPECT_EQ(window.adminBackupEntry.enabled, c.admin);
        EXPECT_EQ(pool.currentUser, c.typedName);
        return;
    }
    EXPECT_FALSE(login(c.typedName, c.typedPassword));
    EXPECT_FALSE(loggedIn());
    EXPECT_EQ(window.userName + window.password, "");
    ASSERT_FALSE(program.dialogs.messages().empty());
    EXPECT_EQ(program.dialogs.messages().back(), c.message);
    EXPECT_EQ(program.dialogs.kinds.back(), MessageKind::Error);
}

constexpr const char* kNotActive = "Error: You are not in the Active Player List.";
constexpr const char* kWrongPassword = "Error: Incorrect password.";

INSTANTIATE_TEST_SUITE_P(
    Cases, LoginAttempt,
    testing::Values(AttemptCase{"Unknown", "zed", "", kNotActive},
                    AttemptCase{"Inactive", "bob", "", kNotActive},
                    AttemptCase{"TrailingSpace", "ann ", "abc", kNotActive},
                    AttemptCase{"WrongCase", "Ann", "abc", kNotActive},
                    AttemptCase{"WrongPassword", "ann", "abd", kWrongPassword},
                    AttemptCase{"EmptyPassword", "ann", "", kWrongPassword},
                    AttemptCase{"ListPasswordWithoutPreferences", "carl", "", kWrongPassword},
                    AttemptCase{"PreferencePassword", "ann", "abc", ""},
                    AttemptCase{"ListPassword", "carl", "xyz", ""},
                    AttemptCase{"NoPasswordAdmitsAnyEntry", "admin", "anything", "", true},
                    AttemptCase{"OldAdministratorCodeIsNoBackDoor", "593027614858", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace gs
