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

namespace gs {
namespace {

namespace fs = std::filesystem;
using test::dumpLists;
using test::dumpSlots;
using test::userListLines;
using Lines = std::vector<std::string>;

const Lines kNotAdmin = {"Error: You do not have administrator control"};
const std::string kNotAllowed = "Error: User Name Not Allowed";
const std::string kTaken = "Error: User Name Already Taken";

int indexOf(const ListModel& list, const std::string& name) {
    auto it = std::find(list.entries.begin(), list.entries.end(), name);
    return it == list.entries.end() ? -1 : static_cast<int>(it - list.entries.begin());
}

// admin (administrator), PC, ann and bob active, carl on file only.
class Panel : public testing::Test {
protected:
    test::PoolFixture program;
    Pool& pool = program.pool;
    UserAdministrationPanel panel{program.pool, program.dialogs};

    void SetUp() override { test::writePoolOfFive(pool); }

    void openAs(const std::string& user) {
        pool.currentUser = user;
        ASSERT_TRUE(panel.open());
        program.dialogs.clear();
    }
    // Selects a player in each list ("" for none).
    void select(const std::string& onFile, const std::string& active = "") {
        panel.selectPlayerOnFile(indexOf(pool.playersOnFile, onFile));
        panel.selectActivePlayer(indexOf(pool.activePlayers, active));
    }
};

// Each control as caption:vet, v shown, e enabled, t with a tool tip.
std::string controls(const UserAdministrationModel& m) {
    std::string text;
    for (const ControlModel* c :
         {&m.playersOnFileHeading, &m.activePlayersHeading, &m.currentAdminHeading,
          &m.administratorButton, &m.removeButton, &m.addButton, &m.addRatingPlayerButton,
          &m.deactivateButton, &m.activateButton, &m.upButton, &m.downButton, &m.saveChangesButton,
          &m.changePasswordButton, &m.changeUserNameButton})
        text += c->caption + ":" + (c->visible ? "v" : "-") + (c->enabled ? "e" : "-") +
                (c->toolTip.empty() ? "" : "t") + " ";
    return text;
}

TEST_F(Panel, OpeningFillsTheListsAndShowsTheAdministrator) {
    pool.seasonYear = "2011";
    openAs("admin");
    EXPECT_EQ(pool.seasonYear, "2011"); // reading the list does not change the season
    EXPECT_EQ(dumpLists(pool),
              "onFile: admin PC ann bob carl | active: admin PC ann bob | selected: -1 -1");
    EXPECT_EQ(controls(panel.model()),
              "Players on File:ve Active Players:ve Current Admin::ve admin:ve Remove:ve Add:ve "
              "Add Rating Player:ve <-:ve ->:ve Up:ve Down:ve Save Changes:ve "
              "Change Password:ve Change User Name:ve ");
    openAs("ann");
    EXPECT_EQ(controls(panel.model()),
              "Players on File:ve Active Players:ve Current Admin::ve admin:v-t Remove:v-t "
              "Add:v-t Add Rating Player:v-t <-:v-t ->:v-t Up:ve Down:ve Save Changes:v-t "
              "Change Password:-e Change User Name:-e ");
    EXPECT_EQ(panel.model().removeButton.toolTip,
              "Administrator rights are needed to change the user list.");
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
    select("carl", "bob");
    program.dialogs.inputAnswers = {"dave"};
    const std::string before = dumpLists(pool) + dumpSlots(pool) + test::userListBytes(pool);
    GetParam().press(panel);
    EXPECT_EQ(program.dialogs.messages(), kNotAdmin);
    EXPECT_EQ(dumpLists(pool) + dumpSlots(pool) + test::userListBytes(pool), before);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, Guard,
    testing::Values(GuardCase{"Remove", &UserAdministrationPanel::remove},
                    GuardCase{"Add", &UserAdministrationPanel::add},
                    GuardCase{"AddRatingPlayer", &UserAdministrationPanel::addRatingPlayer},
                    GuardCase{"Deactivate", &UserAdministrationPanel::deactivate},
                    GuardCase{"Activate", &UserAdministrationPanel::activate},
                    GuardCase{"HandOver", &UserAdministrationPanel::handOverAdministrator},
                    GuardCase{"SaveChanges", &UserAdministrationPanel::saveChanges}),
    [](const auto& info) { return std::string(info.param.name); });

// The lists after each press: "Up" and "Down" stay within the list, "<-"
// leaves admin and PC active, "->" with PC selected among the active players
// or with nothing selected only clears the selections, and "->" of an active
// player selects his active entry.
TEST_F(Panel, TheButtonsMoveThePlayersBetweenTheLists) {
    openAs("admin");
    using Press = void (UserAdministrationPanel::*)();
    std::string walk;
    auto press = [&](const std::string& onFile, const std::string& active, Press button) {
        select(onFile, active);
        (panel.*button)();
        walk += dumpLists(pool).substr(8) + "\n";
    };
    press("", "ann", &UserAdministrationPanel::moveUp);
    press("", "ann", &UserAdministrationPanel::moveUp);
    press("", "ann", &UserAdministrationPanel::moveUp);
    press("", "bob", &UserAdministrationPanel::moveDown);
    press("", "", &UserAdministrationPanel::moveDown);
    press("carl", "admin", &UserAdministrationPanel::deactivate);
    press("carl", "PC", &UserAdministrationPanel::deactivate);
    press("carl", "bob", &UserAdministrationPanel::deactivate);
    press("ann", "", &UserAdministrationPanel::activate);
    press("carl", "PC", &UserAdministrationPanel::activate);
    press("", "", &UserAdministrationPanel::activate);
    press("carl", "", &UserAdministrationPanel::activate);
    press("ann", "", &UserAdministrationPanel::remove);
    EXPECT_EQ(walk, "admin PC ann bob carl | active: admin ann PC bob | selected: -1 1\n"
                    "admin PC ann bob carl | active: ann admin PC bob | selected: -1 0\n"
                    "admin PC ann bob carl | active: ann admin PC bob | selected: -1 0\n"
                    "admin PC ann bob carl | active: ann admin PC bob | selected: -1 3\n"
                    "admin PC ann bob carl | active: ann admin PC bob | selected: -1 -1\n"
                    "admin PC ann bob carl | active: ann admin PC bob | selected: -1 -1\n"
                    "admin PC ann bob carl | active: ann admin PC bob | selected: -1 -1\n"
                    "admin PC ann bob carl | active: ann admin PC | selected: -1 -1\n"
                    "admin PC ann bob carl | active: ann admin PC | selected: 2 0\n"
                    "admin PC ann bob carl | active: ann admin PC | selected: -1 -1\n"
                    "admin PC ann bob carl | active: ann admin PC | selected: -1 -1\n"
                    "admin PC ann bob carl | active: ann admin PC carl | selected: -1 -1\n"
                    "admin PC bob carl | active: admin PC carl | selected: -1 -1\n");
    EXPECT_EQ(dumpSlots(pool), "admin:1,1 PC:1,0 ann:1,0 bob:0,0 carl:1,0");
    EXPECT_TRUE(program.dialogs.shown.empty());
    // Saved, the removed player stays removed, also for the panel opened again.
    ASSERT_TRUE(panel.saveChanges());
    EXPECT_EQ(program.dialogs.messages(), Lines{"Gridslate: User list saved."});
    EXPECT_EQ(userListLines(pool),
              (Lines{"admin,1,9,1,,0,F", "PC,1,1,0,Z,0,F", "carl,1,9,0,,0,F", "bob,0,9,0,,0,F"}));
    ASSERT_TRUE(panel.open());
    EXPECT_EQ(dumpLists(pool),
              "onFile: admin PC carl bob | active: admin PC carl | selected: -1 -1");
}

TEST_F(Panel, AddAsksForTheNameAndPutsThePlayerOnFile) {
    openAs("admin");
    program.dialogs.inputAnswers = {"dave"};
    panel.add();
    EXPECT_EQ(program.dialogs.shown, (std::vector<test::FakeDialogs::Shown>{
                                         {"input", "Enter the user's name", "User Name"}}));
    EXPECT_EQ(dumpLists(pool),
              "onFile: admin PC ann bob carl dave | active: admin PC ann bob | selected: -1 -1");
    ASSERT_TRUE(panel.saveChanges());
    EXPECT_EQ(userListLines(pool).back(), "dave,0,9,0,,0,F");
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
    const NameCase& c = GetParam();
    openAs("admin");
    program.dialogs.inputAnswers = {c.answer};
    panel.add();
    const std::string added = c.message.empty() ? (c.stored.empty() ? c.answer : c.stored) : "carl";
    EXPECT_EQ(pool.playersOnFile.entries.back(), added);
    EXPECT_EQ(program.dialogs.messages(), c.message.empty() ? Lines{} : Lines{c.message});
}

INSTANTIATE_TEST_SUITE_P(
    Names, AddName,
    testing::Values(
        NameCase{"Taken", "bob", kTaken}, NameCase{"TakenButForSpaces", " b ob", kTaken},
        NameCase{"TrimmedOfSpaces", "  zed ", "", "zed"},
        NameCase{"OnlySpaces", "   ", kNotAllowed}, NameCase{"Comma", "a,b", kNotAllowed},
        NameCase{"Slash", "a/b", kNotAllowed}, NameCase{"Backslash", "a\\b", kNotAllowed},
        NameCase{"Delete", "a\x7F", kNotAllowed},
        NameCase{"OutsideTheCodePage", "a\x1A", kNotAllowed},
        NameCase{"UndefinedByte", "a\x81", kNotAllowed}, NameCase{"TwoDots", "..", kNotAllowed},
        NameCase{"FortyOneCharacters", std::string(41, 'x'), kNotAllowed},
        NameCase{"FortyCharacters", std::string(40, 'x'), ""}, NameCase{"Accented", "Zo\xEB", ""},
        NameCase{"DotsInside", "j.r.", ""}, NameCase{"SpaceInside", "mary ann", ""},
        NameCase{"PcOnceRemoved", "pc", ""},
        NameCase{"RatingPlayersNameInAnyCase", "eLo", kNotAllowed}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Panel, AddRatingPlayerPutsEloOnBothListsOnce) {
    openAs("admin");
    EXPECT_EQ(panel.addRatingPlayer(), AddOutcome::Added);
    EXPECT_EQ(dumpLists(pool),
              "onFile: admin PC ann bob carl ELO | active: admin PC ann bob ELO | selected: -1 -1");
    ASSERT_TRUE(panel.saveChanges());
    EXPECT_EQ(userListLines(pool)[4], "ELO,1,1,0,,1,F");
    // Read back as a new run reads it, the rating player is still itself.
    openAs("admin");
    EXPECT_TRUE(pool.hasRatingPlayer());
    EXPECT_EQ(panel.addRatingPlayer(), AddOutcome::Refused);
    EXPECT_EQ(program.dialogs.messages(),
              Lines{"Error: The rating player ELO is already on the user list."});

    // A person named ELO keeps the rating player out.
    test::writeUserList(pool, {"admin,1,9,1,,0,F", "ELO,1,9,0,,0,F"});
    openAs("admin");
    EXPECT_FALSE(pool.hasRatingPlayer());
    EXPECT_EQ(panel.addRatingPlayer(), AddOutcome::Refused);
    EXPECT_EQ(program.dialogs.messages(),
              Lines{"Error: A player named ELO is already on the user list, so the rating player "
                    "cannot be added."});
}

TEST_F(Panel, AddWithAFullListDoesNothingAndSaysNothing) {
    Lines users = {"admin,1,9,1,,0,F"};
    for (int i = 2; i <= kUserSlots; ++i)
        users.push_back("p" + std::to_string(i) + ",1,9,0,,0,F");
    test::writeUserList(pool, users);
    openAs("admin");
    panel.add();
    EXPECT_TRUE(program.dialogs.shown.empty());
    EXPECT_EQ(panel.addPlayer("dave"), AddOutcome::ListFull);
    EXPECT_EQ(pool.playersOnFile.entries.size(), 100u);
}

TEST_F(Panel, HandingOverTheRights) {
    openAs("admin");
    for (const auto& [answer, message] : std::vector<std::pair<std::string, std::string>>{
             {"carl", "Error: User Not Found or Not Active"},
             {"PC", kNotAllowed},
             {"", kNotAllowed}}) {
        program.dialogs.clear();
        program.dialogs.inputAnswers = {answer};
        panel.handOverAdministrator();
        EXPECT_EQ(program.dialogs.messages(), Lines{message}) << answer;
    }
    // Asked first, saying that the giver's rights go; cancelled, nothing changes.
    program.dialogs.inputAnswers = {"ann"};
    program.dialogs.confirmAnswers = {false};
    panel.handOverAdministrator();
    EXPECT_EQ(program.dialogs.shown.back(),
              (test::FakeDialogs::Shown{"confirm", handOverQuestion("ann"),
                                        "Hand Over Administrator Rights"}));
    EXPECT_NE(handOverQuestion("ann").find("Yours go with them"), std::string::npos);
    EXPECT_EQ(panel.model().administratorButton.caption + " " + dumpSlots(pool),
              "admin admin:1,1 PC:1,0 ann:1,0 bob:1,0 carl:0,0");
    program.dialogs.inputAnswers = {"ann"};
    panel.handOverAdministrator();
    EXPECT_EQ(panel.model().administratorButton.caption + " " + dumpSlots(pool),
              "ann admin:1,0 PC:1,0 ann:1,1 bob:1,0 carl:0,0");

    // The giver has given the rights away; saving is still his to do.
    program.dialogs.clear();
    panel.add();
    EXPECT_EQ(program.dialogs.messages(), kNotAdmin);
    ASSERT_TRUE(panel.saveChanges());
    EXPECT_EQ(userListLines(pool)[0] + " " + userListLines(pool)[2],
              "admin,1,9,0,,0,F ann,1,5,1,,0,F");
}

// A new run of the program on the same home: its login reads the order
// that the player's own pick file keeps, which a save of the list rewrites.
struct ProgramRun {
    explicit ProgramRun(const fs::path& home) : pool(home) {}
    Pool pool;
    test::FakeDialogs dialogs;
    MainWindowModel window;
    Session session{pool, dialogs, window};
    UserAdministrationPanel panel{pool, dialogs};

    void logInAndOpen(const std::string& name) {
        window.userName = name;
        ASSERT_TRUE(session.logIn());
        ASSERT_TRUE(panel.open());
    }
};

TEST_F(Panel, TheOrderSurvivesASaveAndANewLogin) {
    ASSERT_TRUE(ensureGamesTable(pool));
    // admin saved his picks when bob still came before ann.
    Lines weeks(kWeeks, test::weekLine());
    weeks[0] = test::weekLine({3, 7});
    const fs::path picks = pool.folders.program / "admin2010.dat";
    test::writeBytes(picks, test::crlf(weeks) + test::crlf({"admin", "PC", "bob", "ann"}));

    ProgramRun first(program.home.path());
    first.logInAndOpen("admin");
    EXPECT_EQ(dumpLists(first.pool),
              "onFile: admin PC ann bob carl | active: admin PC bob ann | selected: -1 -1");
    first.dialogs.inputAnswers = {"dave"};
    first.panel.add();
    first.panel.selectPlayerOnFile(5);
    first.panel.activate();
    first.panel.selectActivePlayer(4);
    first.panel.moveUp();
    first.panel.moveUp();
    ASSERT_TRUE(first.panel.saveChanges());
    // The picks themselves are kept.
    EXPECT_EQ(test::readBytes(picks),
              test::crlf(weeks) + test::crlf({"admin", "PC", "dave", "bob", "ann"}));

    for (const char* name : {"admin", "dave"}) {
        ProgramRun next(program.home.path());
        next.logInAndOpen(name);
        EXPECT_EQ(dumpLists(next.pool), "onFile: admin PC dave bob ann carl | active: admin PC "
                                        "dave bob ann | selected: -1 -1")
            << name;
        EXPECT_TRUE(next.dialogs.messages().empty());
    }
}

TEST_F(Panel, AFailedSaveSaysSoAndKeepsTheOldFiles) {
    openAs("admin");
    const std::string before = test::userListBytes(pool);
    // The user list can be written but admin's preference file cannot.
    fs::create_directories(preferencePath(pool.folders, "admin"));
    select("bob");
    panel.remove();
    EXPECT_FALSE(panel.saveChanges());
    ASSERT_EQ(program.dialogs.messages().size(), 1u);
    EXPECT_TRUE(program.dialogs.messages()[0].starts_with("Error: The file could not be saved."))
        << program.dialogs.messages()[0];
    EXPECT_TRUE(program.dialogs.messages()[0].ends_with("The user list on file is unchanged."));
    EXPECT_EQ(test::userListBytes(pool), before);
}

} // namespace
} // namespace gs
