#include "session/login.h"

#include "core/userlist.h"
#include "schedule/seasongames.h"
#include "settings/colors.h"
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

    void writeList(const std::string& users) {
        std::string bytes("2010\r\n");
        bytes += users;
        writeBytes(userListPath(pool.folders), bytes);
    }
    void writePreferences(const std::string& user, const std::string& bytes) {
        writeBytes(preferencePath(pool.folders, user), bytes);
    }
    bool login(const std::string& name, const std::string& password = "") {
        window.userName = name;
        window.password = password;
        return session.logIn();
    }
    bool loggedIn() const { return !window.loginVisible; }
    // A fresh home: a first login by another name only creates the list.
    void createList() {
        ASSERT_TRUE(ensureGamesTable(pool));
        ASSERT_FALSE(login("ann"));
        program.dialogs.clear();
    }
};

TEST_F(Login, ComputerPlayersAreRefusedBeforeTheListIsRead) {
    struct Refusal {
        const char* name;
        const char* message;
    };
    for (const Refusal& r : {Refusal{"pc", "Error: You are not the PC, I am."},
                             Refusal{"Pc", "Error: You are not the PC, I am."},
                             Refusal{"PC", "Error: You are not the PC, I am."},
                             Refusal{"elo", "Error: You are not the ELO, I am."},
                             Refusal{"ELO", "Error: You are not the ELO, I am."}}) {
        const char* name = r.name;
        program.dialogs.clear();
        EXPECT_FALSE(login(name, "x"));
        EXPECT_EQ(program.dialogs.messages(), std::vector<std::string>{r.message});
        EXPECT_EQ(program.dialogs.kinds, std::vector<MessageKind>{MessageKind::Error});
        EXPECT_EQ(window.userName, "");
        EXPECT_EQ(window.password, "");
    }
    EXPECT_FALSE(fs::exists(userListPath(pool.folders)));
}

TEST_F(Login, FirstLoginOnlyCreatesTheList) {
    ASSERT_TRUE(ensureGamesTable(pool));
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
        EXPECT_FALSE(freshWindow.loginVisible);
        EXPECT_EQ(fresh.pool.currentUser, "admin");
        EXPECT_TRUE(freshWindow.scoreEntryEntry.enabled);
        EXPECT_TRUE(fs::exists(userListPath(fresh.pool.folders)));

        first.logOut();
        freshWindow.userName = "admin";
        EXPECT_TRUE(first.logIn());
        EXPECT_FALSE(first.isFirstStart());
    }
}

TEST_F(Login, ABlankNameEntersAsAdmin) {
    createList();
    EXPECT_TRUE(login("   "));
    EXPECT_TRUE(loggedIn());
    EXPECT_EQ(pool.currentUser, "admin");
    EXPECT_EQ(window.caption, "Gridslate for admin \x96 2010 season");
    EXPECT_TRUE(window.fileMenuEnabled);
    EXPECT_TRUE(window.viewMenuEnabled);
    EXPECT_TRUE(window.adminBackupEntry.enabled);
    EXPECT_TRUE(window.adminRestoreEntry.enabled);
}

TEST_F(Login, LoginTakesTheUsersSchemeAndSeason) {
    createList();
    ASSERT_TRUE(login("admin"));
    EXPECT_EQ(pool.colorScheme, 9);
    EXPECT_EQ(colorSlots(pool.colorScheme).background, 0x000040u);
    Result<Season> season = rebuildSeasonGames(pool);
    ASSERT_TRUE(season) << season.error().message;
    EXPECT_EQ(season->games.size(), 256u); // the bundled 2010 season
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
    EXPECT_FALSE(window.fileMenuEnabled);
    EXPECT_FALSE(window.viewMenuEnabled);
    EXPECT_EQ(window.userName, "");
    EXPECT_EQ(window.password, "");
}

struct RefusalCase {
    const char* name;
    const char* typedName;
    const char* typedPassword;
    const char* message;
};

void PrintTo(const RefusalCase& c, std::ostream* os) {
    *os << c.name << " (\"" << c.typedName << "\" / \"" << c.typedPassword << "\")";
}

class LoginRefusal : public Login, public testing::WithParamInterface<RefusalCase> {};

TEST_P(LoginRefusal, StaysLoggedOutWithEmptyBoxes) {
    // ann's preference file holds the password "abc"; carl has none and his
    // user list entry holds "xyz"; bob is not active.
    writeList(
        "admin,1,9,1,,0,\r\nann,1,4,0,,0,\r\nbob,0,4,0,,0,\r\ncarl,1,4,0,\x82\x83\x84,0,\r\n");
    writePreferences("ann", "klm,\r\n");
    EXPECT_FALSE(login(GetParam().typedName, GetParam().typedPassword));
    EXPECT_FALSE(loggedIn());
    EXPECT_EQ(window.userName, "");
    EXPECT_EQ(window.password, "");
    auto messages = program.dialogs.messages();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), GetParam().message);
    EXPECT_EQ(program.dialogs.kinds.back(), MessageKind::Error);
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

class LoginPassword : public Login {
protected:
    void SetUp() override {
        ASSERT_TRUE(ensureGamesTable(pool));
        writeList("admin,1,9,1,,0,\r\nann,1,4,0,,0,\r\ncarl,1,4,0,\x82\x83\x84,0,\r\n");
        writePreferences("ann", "klm,\r\n");
        writePreferences("admin", ",\r\n");
    }
};

TEST_F(LoginPassword, ThePreferenceFilesPasswordAdmitsItsOwner) {
    EXPECT_TRUE(login("ann", "abc"));
    EXPECT_FALSE(window.adminBackupEntry.enabled);
    EXPECT_FALSE(window.adminRestoreEntry.enabled);
    EXPECT_EQ(window.caption, "Gridslate for ann \x96 2010 season");
}

TEST_F(LoginPassword, WithoutPreferencesTheListsPasswordCounts) {
    EXPECT_TRUE(login("carl", "xyz"));
}

TEST_F(LoginPassword, WithoutAPasswordAnyEntryIsAdmitted) {
    EXPECT_TRUE(login("admin", "anything"));
    EXPECT_TRUE(window.adminBackupEntry.enabled);
}

TEST_F(Login, TheOldAdministratorCodeIsNoBackDoor) {
    ASSERT_TRUE(ensureGamesTable(pool));
    writeList("admin,1,9,1,,0,\r\n593027614858,1,4,0,,0,\r\n");
    EXPECT_TRUE(login("593027614858"));
    EXPECT_EQ(pool.currentUser, "593027614858");
    EXPECT_FALSE(window.adminBackupEntry.enabled);
}

} // namespace
} // namespace gs
