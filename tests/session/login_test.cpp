#include "session/login.h"

#include "core/poolmachine.h"
#include "core/userlist.h"
#include "schedule/seasongames.h"
#include "tests/support/testsupport.h"

#include <ostream>

namespace gs {
namespace {

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
};

TEST_F(Login, ComputerPlayersAreRefusedBeforeTheListIsCreated) {
    using Said = std::pair<std::string, std::string>; // the name typed and what it brings
    for (const auto& [name, message] : {Said{"pc", "Error: You are not the PC, I am."},
                                        Said{"elo", "Error: You are not the ELO, I am."}}) {
        program.dialogs.clear();
        EXPECT_FALSE(login(name, "x"));
        EXPECT_EQ(program.dialogs.messages(), std::vector<std::string>{message});
        EXPECT_EQ(program.dialogs.kinds, std::vector<MessageKind>{MessageKind::Error});
        EXPECT_EQ(window.userName + window.password, "");
    }
    EXPECT_FALSE(fs::exists(userListPath(pool.folders())));

    // The first login by another name than admin only creates the list.
    program.dialogs.clear();
    EXPECT_FALSE(login("ann"));
    EXPECT_EQ(program.dialogs.messages(),
              std::vector<std::string>{"Welcome!: User List established.  Please Login as admin."});
    EXPECT_EQ(program.dialogs.kinds, std::vector<MessageKind>{MessageKind::Information});
    EXPECT_FALSE(loggedIn());
    EXPECT_TRUE(fs::exists(userListPath(pool.folders())));
}

// The first start, by a blank name, creates the list and logs admin in at
// once.
TEST_F(Login, ABlankNameEntersAsAdminAndLogoutShowsTheLoginAgain) {
    EXPECT_TRUE(login("   "));
    EXPECT_TRUE(session.isFirstStart());
    EXPECT_TRUE(loggedIn());
    EXPECT_EQ(pool.currentUser(), "admin");
    EXPECT_EQ(window.caption, "Gridslate for admin \x96 2010 season");
    EXPECT_TRUE(window.fileMenuEnabled && window.viewMenuEnabled);
    EXPECT_TRUE(window.adminBackupEntry.enabled && window.adminRestoreEntry.enabled);
    EXPECT_TRUE(window.scoreEntryEntry.enabled);
    EXPECT_EQ(pool.colorScheme(), 9);
    EXPECT_TRUE(fs::exists(pool.folders().program / "admin2010.dat"));
    // The new admin has no preference file yet: the defaults, silently.
    EXPECT_EQ(program.dialogs.messages(), std::vector<std::string>{});

    window.panel = Panel::WeeklyPicks;
    session.logOut();
    EXPECT_FALSE(loggedIn());
    EXPECT_EQ(window.panel, Panel::None);
    EXPECT_EQ(window.caption, "Gridslate");
    EXPECT_FALSE(window.fileMenuEnabled || window.viewMenuEnabled);
    EXPECT_FALSE(window.adminBackupEntry.enabled);
    EXPECT_EQ(window.userName + window.password, "");
    EXPECT_TRUE(login("admin"));
    EXPECT_FALSE(session.isFirstStart());
    // On a player's machine the scores and the schedule are not his either.
    ASSERT_TRUE(markPlayersMachine(pool, "ann"));
    session.followPool();
    for (const ControlModel* entry : {&window.scoreEntryEntry, &window.updateGamesEntry})
        EXPECT_EQ(std::pair(entry->enabled, entry->toolTip),
                  std::pair(false, std::string(kPlayersMachineMessage)));
}

// ann's preference file holds the password "abc"; carl has none and his user
// list entry holds "xyz"; bob is not active; the old administrator code is an
// ordinary name. A refusal leaves the login with empty boxes.
TEST_F(Login, EachAttemptIsAdmittedOrRefused) {
    writeBytes(userListPath(pool.folders()),
               "2010\r\nadmin,1,9,1,,0,\r\nann,1,4,0,,0,\r\nbob,0,4,0,,0,\r\n"
               "carl,1,4,0,\x82\x83\x84,0,\r\n593027614858,1,4,0,,0,\r\n");
    writeBytes(preferencePath(pool.folders(), "ann"), "klm,\r\n");
    writeBytes(preferencePath(pool.folders(), "admin"), ",\r\n");
    const std::string notActive = "Error: You are not in the Active Player List.";
    const std::string wrongPassword = "Error: Incorrect password.";
    struct Case {
        const char* name;
        const char* password;
        std::string said;   // "": admitted
        bool admin = false; // admitted with the administrator's entries
    };
    for (const Case& c :
         {Case{"zed", "", notActive}, Case{"bob", "", notActive}, Case{"ann ", "abc", notActive},
          Case{"Ann", "abc", notActive}, Case{"ann", "abd", wrongPassword},
          Case{"ann", "", wrongPassword}, Case{"carl", "", wrongPassword}, Case{"ann", "abc", ""},
          Case{"carl", "xyz", ""}, Case{"admin", "anything", "", true}, Case{" ", "", "", true},
          Case{"593027614858", "", ""}}) {
        SCOPED_TRACE(std::string(c.name) + " / " + c.password);
        program.dialogs.clear();
        session.logOut();
        EXPECT_EQ(login(c.name, c.password), c.said.empty());
        EXPECT_EQ(program.dialogs.messages(),
                  c.said.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.said});
        EXPECT_EQ(loggedIn(), c.said.empty());
        EXPECT_EQ(window.adminBackupEntry.enabled, c.admin);
        if (!c.said.empty()) {
            EXPECT_EQ(window.userName + window.password, "");
        }
    }
}

// The login still admits, and names the file that lost its table.
TEST_F(Login, AGamesTableWithoutTheTableIsNamedAtLogin) {
    fs::resize_file(pool.gamesDatabasePath(), 0);
    EXPECT_TRUE(login("admin"));
    EXPECT_THAT(program.dialogs.messages(),
                testing::Contains(testing::HasSubstr("scoresheet97.mdb")));
}

} // namespace
} // namespace gs
