#include "accounts/useradministration.h"

#include "adminsupport.h"
#include "core/userlist.h"
#include "schedule/seasongames.h"
#include "session/login.h"
#include "tests/support/testsupport.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <unistd.h>

namespace gs {
namespace {

namespace fs = std::filesystem;
using test::dumpLists;
using test::userListLines;

const std::vector<std::string> kNotAdmin = {"Error: You do not have administrator control"};

class Panel : public testing::Test {
protected:
    test::PoolFixture program;
    Pool& pool = program.pool;
    UserAdministrationPanel panel{program.pool, program.dialogs};

    void SetUp() override { test::writePoolOfFive(pool); }

    void openAs(const std::string& user) {
        pool.setCurrentUser(user);
        ASSERT_TRUE(panel.open());
        program.dialogs.clear();
    }
    static int indexOf(const ListModel& list, const std::string& name) {
        auto it = std::find(list.entries.begin(), list.entries.end(), name);
        return it == list.entries.end() ? -1 : static_cast<int>(it - list.entries.begin());
    }
    void selectOnFile(const std::string& name) {
        panel.selectPlayerOnFile(indexOf(panel.playersOnFile(), name));
    }
    void selectActive(const std::string& name) {
        panel.selectActivePlayer(indexOf(panel.activePlayers(), name));
    }
    const UserSlot& slotOf(const std::string& name) { return pool.users()[pool.userSlot(name)]; }
};

TEST_F(Panel, OpeningFillsTheListsAndShowsTheAdministrator) {
    pool.setSeasonYear("2011");
    pool.setCurrentUser("admin");
    ASSERT_TRUE(panel.open());
    // admin has no preference file yet: that is no news.
    EXPECT_TRUE(program.dialogs.messages().empty());
    EXPECT_EQ(dumpLists(panel),
              "onFile: admin PC ann bob carl | active: admin PC ann bob | selected: -1 -1");
    const UserAdministrationModel& m = panel.model();
    EXPECT_EQ(m.administratorButton.caption, "admin");
    for (const ControlModel* c :
         {&m.playersOnFileHeading, &m.activePlayersHeading, &m.currentAdminHeading,
          &m.administratorButton, &m.removeButton, &m.addButton, &m.deactivateButton,
          &m.activateButton, &m.upButton, &m.downButton, &m.saveChangesButton,
          &m.changePasswordButton, &m.changeUserNameButton})
        EXPECT_TRUE(c->visible) << c->caption;
    EXPECT_EQ(pool.seasonYear(), "2011"); // reading the list does not change the season

    for (const ControlModel* c : {&m.administratorButton, &m.removeButton, &m.addButton,
                                  &m.deactivateButton, &m.activateButton, &m.saveChangesButton})
        EXPECT_TRUE(c->enabled && c->toolTip.empty()) << c->caption;

    openAs("ann");
    EXPECT_FALSE(panel.model().changePasswordButton.visible);
    EXPECT_FALSE(panel.model().changeUserNameButton.visible);
    for (const ControlModel* c :
         {&m.administratorButton, &m.removeButton, &m.addButton, &m.addRatingPlayerButton,
          &m.deactivateButton, &m.activateButton, &m.saveChangesButton}) {
        EXPECT_TRUE(c->visible) << c->caption;
        EXPECT_FALSE(c->enabled) << c->caption;
        EXPECT_EQ(c->toolTip, "Administrator rights are needed to change the user list.");
    }
    EXPECT_TRUE(m.upButton.enabled && m.downButton.enabled);
}

struct GuardCase {
    const char* name;
    std::function<void(UserAdministrationPanel&)> press;
};

void PrintTo(const GuardCase& c, std::ostream* os) {
    *os << c.name;
}

class Guard : public Panel, public testing::WithParamInterface<GuardCase> {};

TEST_P(Guard, APlayerWithoutRightsChangesNothing) {
    openAs("ann");
    selectOnFile("carl");
    selectActive("bob");
    program.dialogs.inputAnswers = {"dave"};
    const std::string before = dumpLists(panel);
    const std::string onDisk = test::userListBytes(pool);
    const UserTable table = pool.users();

    GetParam().press(panel);

    EXPECT_EQ(program.dialogs.messages(), kNotAdmin);
    EXPECT_EQ(dumpLists(panel), before);
    EXPECT_EQ(test::userListBytes(pool), onDisk);
    for (int k = 1; k <= kUserSlots; ++k) {
        EXPECT_EQ(pool.users()[k].name, table[k].name);
        EXPECT_EQ(pool.users()[k].active, table[k].active);
        EXPECT_EQ(pool.users()[k].admin, table[k].admin);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, Guard,
    testing::Values(GuardCase{"Remove", &UserAdministrationPanel::remove},
                    GuardCase{"Add", &UserAdministrationPanel::add},
                    GuardCase{"Deactivate", &UserAdministrationPanel::deactivate},
                    GuardCase{"Activate", &UserAdministrationPanel::activate},
                    GuardCase{"HandOver", &UserAdministrationPanel::handOverAdministrator},
                    GuardCase{"SaveChanges", &UserAdministrationPanel::saveChanges}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Panel, UpAndDownMoveTheSelectedActivePlayerForAnyUser) {
    openAs("ann");
    selectActive("ann");
    panel.moveUp();
    EXPECT_EQ(dumpLists(panel),
              "onFile: admin PC ann bob carl | active: admin ann PC bob | selected: -1 1");
    panel.moveUp();
    EXPECT_EQ(dumpLists(panel),
              "onFile: admin PC ann bob carl | active: ann admin PC bob | selected: -1 0");
    panel.moveUp(); // the first stays first
    EXPECT_EQ(dumpLists(panel),
              "onFile: admin PC ann bob carl | active: ann admin PC bob | selected: -1 0");
    selectActive("bob");
    panel.moveDown(); // the last stays last
    panel.moveUp();
    EXPECT_EQ(dumpLists(panel),
              "onFile: admin PC ann bob carl | active: ann admin bob PC | selected: -1 2");
    panel.selectActivePlayer(-1);
    panel.moveDown();
    EXPECT_EQ(dumpLists(panel),
              "onFile: admin PC ann bob carl | active: ann admin bob PC | selected: -1 -1");
    EXPECT_TRUE(program.dialogs.shown.empty());
}

TEST_F(Panel, AddPutsThePlayerOnFileAndArrowMakesHimActive) {
    openAs("admin");
    program.dialogs.inputAnswers = {"dave"};
    panel.add();
    EXPECT_EQ(program.dialogs.shown, (std::vector<test::FakeDialogs::Shown>{
                                         {"input", "Enter the user's name", "User Name"}}));
    EXPECT_EQ(dumpLists(panel),
              "onFile: admin PC ann bob carl dave | active: admin PC ann bob | selected: -1 -1");
    const UserSlot& dave = pool.users()[6];
    EXPECT_EQ(dave.name, "dave");
    EXPECT_EQ(dave.active, 0);
    EXPECT_EQ(dave.colorScheme, 9);
    EXPECT_EQ(dave.admin, 0);
    EXPECT_EQ(dave.password, "");
    EXPECT_EQ(dave.folder, pool.programFolderText());

    selectOnFile("dave");
    panel.activate();
    EXPECT_EQ(dumpLists(panel), "onFile: admin PC ann bob carl dave | active: admin PC ann bob "
                                "dave | selected: -1 -1");
    EXPECT_EQ(dave.active, 1);
}

struct NameCase {
    const char* name;
    std::string answer;
    std::string message;     // empty: the player is added
    std::string stored = {}; // as the list keeps it, when not as typed
};

void PrintTo(const NameCase& c, std::ostream* out) {
    *out << c.name;
}

class AddName : public Panel, public testing::WithParamInterface<NameCase> {};

TEST_P(AddName, IsCheckedBeforeItReachesTheFiles) {
    openAs("admin");
    program.dialogs.inputAnswers = {GetParam().answer};
    panel.add();
    const NameCase& c = GetParam();
    bool added = panel.playersOnFile().entries.back() == (c.stored.empty() ? c.answer : c.stored);
    if (GetParam().message.empty()) {
        EXPECT_TRUE(added);
        EXPECT_TRUE(program.dialogs.messages().empty());
    } else {
        EXPECT_EQ(panel.playersOnFile().entries.size(), 5u);
        EXPECT_EQ(program.dialogs.messages(), std::vector<std::string>{GetParam().message});
    }
}

INSTANTIATE_TEST_SUITE_P(
    Names, AddName,
    testing::Values(NameCase{"Taken", "bob", "Error: User Name Already Taken"},
                    NameCase{"TakenButForSpaces", " b ob", "Error: User Name Already Taken"},
                    NameCase{"TrimmedOfSpaces", "  zed ", "", "zed"},
                    NameCase{"Empty", "", "Error: User Name Not Allowed"},
                    NameCase{"OnlySpaces", "   ", "Error: User Name Not Allowed"},
                    NameCase{"Comma", "a,b", "Error: User Name Not Allowed"},
                    NameCase{"Slash", "a/b", "Error: User Name Not Allowed"},
                    NameCase{"Backslash", "a\\b", "Error: User Name Not Allowed"},
                    NameCase{"Tab", "a\tb", "Error: User Name Not Allowed"},
                    NameCase{"Delete", "a\x7F", "Error: User Name Not Allowed"},
                    NameCase{"OutsideTheCodePage", "a\x1A", "Error: User Name Not Allowed"},
                    NameCase{"UndefinedByte", "a\x81", "Error: User Name Not Allowed"},
                    NameCase{"TwoDots", "..", "Error: User Name Not Allowed"},
                    NameCase{"ThreeDots", "...", "Error: User Name Not Allowed"},
                    NameCase{"FortyOneCharacters", std::string(41, 'x'),
                             "Error: User Name Not Allowed"},
                    NameCase{"FortyCharacters", std::string(40, 'x'), ""},
                    NameCase{"Accented", "Zo\xEB", ""}, NameCase{"DotsInside", "j.r.", ""},
                    NameCase{"SpaceInside", "mary ann", ""}, NameCase{"PcOnceRemoved", "pc", ""},
                    NameCase{"RatingPlayersName", "ELO", "Error: User Name Not Allowed"},
                    NameCase{"RatingPlayersNameInAnyCase", "eLo", "Error: User Name Not Allowed"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Panel, AddRatingPlayerPutsEloOnBothListsOnce) {
    openAs("admin");
    EXPECT_TRUE(panel.model().addRatingPlayerButton.visible);
    EXPECT_EQ(panel.addRatingPlayer(), AddOutcome::Added);
    EXPECT_EQ(dumpLists(panel),
              "onFile: admin PC ann bob carl ELO | active: admin PC ann bob ELO | selected: -1 -1");
    EXPECT_TRUE(pool.hasRatingPlayer());
    ASSERT_TRUE(panel.saveChanges());
    EXPECT_EQ(userListLines(pool),
              (std::vector<std::string>{"admin,1,9,1,,0,F", "PC,1,1,0,Z,0,F", "ann,1,5,0,,0,F",
                                        "bob,1,9,0,,0,F", "ELO,1,1,0,,1,F", "carl,0,9,0,,0,F"}));

    // Read back as a new run reads it, the rating player is still itself.
    ASSERT_TRUE(panel.open());
    EXPECT_TRUE(pool.hasRatingPlayer());
    program.dialogs.clear();
    EXPECT_EQ(panel.addRatingPlayer(), AddOutcome::Refused);
    EXPECT_EQ(
        program.dialogs.messages(),
        std::vector<std::string>{"Error: The rating player ELO is already on the user list."});
}

TEST_F(Panel, AddRatingPlayerIsRefusedBesideAPersonNamedElo) {
    test::writeUserList(pool, {"admin,1,9,1,,0,F", "PC,1,1,0,Z,0,F", "ELO,1,9,0,,0,F"});
    openAs("admin");
    EXPECT_FALSE(pool.hasRatingPlayer());
    EXPECT_EQ(panel.addRatingPlayer(), AddOutcome::Refused);
    EXPECT_EQ(program.dialogs.messages(),
              std::vector<std::string>{"Error: A player named ELO is already on the user list, so "
                                       "the rating player cannot be added."});
    EXPECT_EQ(dumpLists(panel), "onFile: admin PC ELO | active: admin PC ELO | selected: -1 -1");

    openAs("ELO");
    EXPECT_EQ(panel.addRatingPlayer(), AddOutcome::Refused);
    EXPECT_EQ(program.dialogs.messages(), kNotAdmin);
}

TEST_F(Panel, AddWithAFullListDoesNothingAndSaysNothing) {
    std::vector<std::string> users = {"admin,1,9,1,,0,F"};
    for (int i = 2; i <= kUserSlots; ++i)
        users.push_back("p" + std::to_string(i) + ",1,9,0,,0,F");
    test::writeUserList(pool, users);
    openAs("admin");
    program.dialogs.inputAnswers = {"dave"};
    panel.add();
    EXPECT_TRUE(program.dialogs.shown.empty());
    EXPECT_EQ(panel.playersOnFile().entries.size(), 100u);
    EXPECT_EQ(panel.addPlayer("dave"), AddOutcome::ListFull);
}

TEST_F(Panel, DeactivateLeavesAdminAndPcAndTheListsAlone) {
    openAs("admin");
    for (const char* builtIn : {"admin", "PC"}) {
        selectOnFile("carl");
        selectActive(builtIn);
        panel.deactivate();
        EXPECT_EQ(dumpLists(panel),
                  "onFile: admin PC ann bob carl | active: admin PC ann bob | selected: -1 -1");
        EXPECT_EQ(slotOf(builtIn).active, 1);
    }
    selectActive("bob");
    panel.deactivate();
    EXPECT_EQ(dumpLists(panel),
              "onFile: admin PC ann bob carl | active: admin PC ann | selected: -1 -1");
    EXPECT_EQ(slotOf("bob").active, 0);
    EXPECT_TRUE(program.dialogs.shown.empty());
}

TEST_F(Panel, ActivateCases) {
    openAs("admin");
    // Already active: the matching active entry is selected.
    selectOnFile("bob");
    panel.activate();
    EXPECT_EQ(dumpLists(panel),
              "onFile: admin PC ann bob carl | active: admin PC ann bob | selected: 3 3");
    // PC selected among the active players: only the selections go.
    selectOnFile("carl");
    selectActive("PC");
    panel.activate();
    EXPECT_EQ(dumpLists(panel),
              "onFile: admin PC ann bob carl | active: admin PC ann bob | selected: -1 -1");
    EXPECT_EQ(slotOf("carl").active, 0);
    // Nothing selected: likewise.
    panel.activate();
    EXPECT_EQ(slotOf("carl").active, 0);
    selectOnFile("carl");
    panel.activate();
    EXPECT_EQ(dumpLists(panel),
              "onFile: admin PC ann bob carl | active: admin PC ann bob carl | selected: -1 -1");
    EXPECT_EQ(slotOf("carl").active, 1);
}

// Logs in on a fresh pool of the same home, as a new run of the program does.
struct ProgramRun {
    explicit ProgramRun(const fs::path& home) : pool(home) {}
    Pool pool;
    test::FakeDialogs dialogs;
    MainWindowModel window;
    Session session{pool, dialogs, window};
    UserAdministrationPanel panel{pool, dialogs};

    bool logIn(const std::string& name, const std::string& password = "") {
        window.userName = name;
        window.password = password;
        return session.logIn();
    }
};

TEST_F(Panel, ARemovedPlayerStaysRemovedAfterASaveAndANewLogin) {
    ASSERT_TRUE(ensureGamesTable(pool));
    openAs("admin");
    selectOnFile("bob");
    panel.remove();
    EXPECT_EQ(dumpLists(panel),
              "onFile: admin PC ann carl | active: admin PC ann | selected: -1 -1");
    ASSERT_TRUE(panel.saveChanges());
    EXPECT_EQ(program.dialogs.messages(), std::vector<std::string>{"Gridslate: User list saved."});
    EXPECT_EQ(userListLines(pool), (std::vector<std::string>{"admin,1,9,1,,0,F", "PC,1,1,0,Z,0,F",
                                                             "ann,1,5,0,,0,F", "carl,0,9,0,,0,F"}));

    ProgramRun bob(program.home.path());
    EXPECT_FALSE(bob.logIn("bob"));
    EXPECT_EQ(bob.dialogs.messages(),
              std::vector<std::string>{"Error: You are not in the Active Player List."});

    // Within the same run, opening the panel again does not bring him back.
    ASSERT_TRUE(panel.open());
    EXPECT_EQ(dumpLists(panel),
              "onFile: admin PC ann carl | active: admin PC ann | selected: -1 -1");
}

TEST_F(Panel, HandingOverTheRights) {
    openAs("admin");
    struct Attempt {
        std::string answer;
        std::string message;
    };
    for (const Attempt& a : {Attempt{"carl", "Error: User Not Found or Not Active"},
                             Attempt{"nobody", "Error: User Not Found or Not Active"},
                             Attempt{"PC", "Error: User Name Not Allowed"},
                             Attempt{"", "Error: User Name Not Allowed"}}) {
        program.dialogs.clear();
        program.dialogs.inputAnswers = {a.answer};
        panel.handOverAdministrator();
        EXPECT_EQ(program.dialogs.messages(), std::vector<std::string>{a.message}) << a.answer;
        EXPECT_EQ(panel.model().administratorButton.caption, "admin");
        EXPECT_EQ(slotOf("admin").admin, 1);
    }

    program.dialogs.clear();
    program.dialogs.inputAnswers = {"ann"};
    panel.handOverAdministrator();
    EXPECT_TRUE(program.dialogs.messages().empty());
    EXPECT_EQ(panel.model().administratorButton.caption, "ann");
    EXPECT_EQ(slotOf("ann").admin, 1);
    EXPECT_EQ(slotOf("admin").admin, 0);

    // The giver has given the rights away; saving is still his to do.
    program.dialogs.inputAnswers = {"dave"};
    panel.add();
    EXPECT_EQ(program.dialogs.messages(), kNotAdmin);
    ASSERT_TRUE(panel.saveChanges());
    EXPECT_EQ(userListLines(pool),
              (std::vector<std::string>{"admin,1,9,0,,0,F", "PC,1,1,0,Z,0,F", "ann,1,5,1,,0,F",
                                        "bob,1,9,0,,0,F", "carl,0,9,0,,0,F"}));
}

TEST_F(Panel, HandingOverAsksFirstAndSaysTheGiversRightsGo) {
    openAs("admin");
    program.dialogs.inputAnswers = {"ann"};
    program.dialogs.confirmAnswers = {false};
    panel.handOverAdministrator();
    ASSERT_EQ(program.dialogs.shown.size(), 2u);
    const test::FakeDialogs::Shown& question = program.dialogs.shown[1];
    EXPECT_EQ(question.kind, "confirm");
    EXPECT_EQ(question.title, "Hand Over Administrator Rights");
    EXPECT_EQ(question.text, handOverQuestion("ann"));
    EXPECT_NE(question.text.find("Yours go with them"), std::string::npos) << question.text;
    // Cancelled: nothing changed.
    EXPECT_EQ(panel.model().administratorButton.caption, "admin");
    EXPECT_EQ(slotOf("admin").admin, 1);
    EXPECT_EQ(slotOf("ann").admin, 0);

    program.dialogs.inputAnswers = {"ann"};
    program.dialogs.confirmAnswers = {true};
    panel.handOverAdministrator();
    EXPECT_EQ(slotOf("ann").admin, 1);
    EXPECT_EQ(slotOf("admin").admin, 0);
}

TEST_F(Panel, TheOrderSurvivesASaveAndANewLogin) {
    ASSERT_TRUE(ensureGamesTable(pool));
    ProgramRun first(program.home.path());
    ASSERT_TRUE(first.logIn("admin"));
    ASSERT_TRUE(first.panel.open());
    first.dialogs.inputAnswers = {"dave"};
    first.panel.add();
    first.panel.selectPlayerOnFile(5);
    first.panel.activate();
    first.panel.selectActivePlayer(4);
    first.panel.moveUp();
    first.panel.moveUp();
    ASSERT_TRUE(first.panel.saveChanges());
    EXPECT_EQ(
        dumpLists(first.panel),
        "onFile: admin PC ann bob carl dave | active: admin PC dave ann bob | selected: -1 2");

    ProgramRun second(program.home.path());
    ASSERT_TRUE(second.logIn("dave"));
    ASSERT_TRUE(second.panel.open());
    EXPECT_EQ(
        dumpLists(second.panel),
        "onFile: admin PC dave ann bob carl | active: admin PC dave ann bob | selected: -1 -1");
    EXPECT_TRUE(second.dialogs.messages().empty());
}

TEST_F(Panel, AnOrderKeptInThePickFileFollowsTheSavedOne) {
    ASSERT_TRUE(ensureGamesTable(pool));
    // admin saved his picks when bob still came before ann.
    std::vector<std::string> lines(kWeeks, test::weekLine());
    lines[0] = test::weekLine({3, 7});
    for (const char* name : {"admin", "PC", "bob", "ann"})
        lines.push_back(name);
    const fs::path picks = pool.folders().program / "admin2010.dat";
    test::writeBytes(picks, test::crlf(lines));

    ProgramRun first(program.home.path());
    ASSERT_TRUE(first.logIn("admin"));
    ASSERT_TRUE(first.panel.open());
    EXPECT_EQ(dumpLists(first.panel),
              "onFile: admin PC ann bob carl | active: admin PC bob ann | selected: -1 -1");
    first.panel.selectActivePlayer(3);
    first.panel.moveUp();
    ASSERT_TRUE(first.panel.saveChanges());
    ASSERT_TRUE(first.panel.open());
    EXPECT_EQ(dumpLists(first.panel),
              "onFile: admin PC ann bob carl | active: admin PC ann bob | selected: -1 -1");

    ProgramRun second(program.home.path());
    ASSERT_TRUE(second.logIn("admin"));
    ASSERT_TRUE(second.panel.open());
    EXPECT_EQ(dumpLists(second.panel),
              "onFile: admin PC ann bob carl | active: admin PC ann bob | selected: -1 -1");
    // The picks themselves are kept.
    std::vector<std::string> expected(lines.begin(), lines.begin() + kWeeks);
    for (const char* name : {"admin", "PC", "ann", "bob"})
        expected.push_back(name);
    EXPECT_EQ(test::readBytes(picks), test::crlf(expected));
}

TEST_F(Panel, AFailedSaveSaysSoAndKeepsTheOldFiles) {
    openAs("admin");
    const std::string before = test::userListBytes(pool);
    // The user list can be written but admin's preference file cannot.
    fs::create_directories(preferencePath(pool.folders(), "admin"));
    selectOnFile("bob");
    panel.remove();
    EXPECT_FALSE(panel.saveChanges());
    ASSERT_EQ(program.dialogs.messages().size(), 1u);
    EXPECT_TRUE(program.dialogs.messages()[0].starts_with("Error: The file could not be saved."))
        << program.dialogs.messages()[0];
    EXPECT_TRUE(program.dialogs.messages()[0].ends_with("The user list on file is unchanged."));
    EXPECT_EQ(test::userListBytes(pool), before);
}

TEST_F(Panel, ASaveInAFolderThatCannotBeWrittenSaysSo) {
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser writes into read-only folders";
    openAs("admin");
    const std::string before = test::userListBytes(pool);
    fs::permissions(pool.folders().program, fs::perms::owner_write, fs::perm_options::remove);
    bool saved = panel.saveChanges();
    fs::permissions(pool.folders().program, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_FALSE(saved);
    ASSERT_EQ(program.dialogs.messages().size(), 1u);
    EXPECT_TRUE(program.dialogs.messages()[0].starts_with("Error: The file could not be saved."));
    EXPECT_EQ(test::userListBytes(pool), before);
}

} // namespace
} // namespace gs
