#include "accounts/useradministration.h"

#include "accounts/accounts.h"
#include "adminsupport.h"
#include "core/userlist.h"
#include "schedule/seasongames.h"
#include "session/login.h"
#include "tests/support/testsupport.h"

#include <algorithm>
#include <functional>
#include <ostream>
#include <unistd.h>

namespace gs {
namespace {

using test::dumpLists;
using test::dumpSlots;
using test::userListLines;

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
    test::FakeDialogs& dialogs = program.dialogs;
    UserAdministrationPanel panel{program.pool, program.dialogs};

    void SetUp() override { test::writePoolOfFive(pool); }
    Lines said() const { return dialogs.messages(); }

    void openAs(const std::string& user) {
        pool.setCurrentUser(user);
        ASSERT_TRUE(panel.open());
        dialogs.clear();
    }
    const UserSlot& slotOf(const std::string& name) { return pool.users()[pool.userSlot(name)]; }
    // Selects a player in each list ("" for none).
    void select(const std::string& onFile, const std::string& active = "") {
        panel.selectPlayerOnFile(indexOf(panel.playersOnFile(), onFile));
        panel.selectActivePlayer(indexOf(panel.activePlayers(), active));
    }
};

TEST_F(Panel, APlayerWithoutRightsChangesNothing) {
    openAs("ann");
    const std::vector<std::pair<const char*, std::function<void()>>> buttons = {
        {"Remove", [&] { panel.remove(); }},
        {"Add", [&] { panel.add(); }},
        {"AddRatingPlayer", [&] { panel.addRatingPlayer(); }},
        {"Deactivate", [&] { panel.deactivate(); }},
        {"Activate", [&] { panel.activate(); }},
        {"HandOver", [&] { panel.handOverAdministrator(); }},
        {"SaveChanges", [&] { panel.saveChanges(); }}};
    for (const auto& [name, press] : buttons) {
        SCOPED_TRACE(name);
        dialogs.clear();
        dialogs.inputAnswers = {"dave"};
        select("carl", "bob");
        const std::string before = dumpLists(panel) + dumpSlots(pool) + test::userListBytes(pool);
        press();
        EXPECT_EQ(said(), kNotAdmin);
        EXPECT_EQ(dumpLists(panel) + dumpSlots(pool) + test::userListBytes(pool), before);
    }
    // The order is everybody's: it also goes into the player's own pick file.
    dialogs.clear();
    select("", "ann");
    panel.moveUp();
    EXPECT_EQ(dumpLists(panel),
              "onFile: admin PC ann bob carl | active: admin ann PC bob | selected: -1 1");
    EXPECT_TRUE(said().empty());
}

// The lists after each press: "Up" and "Down" stay within the list, "<-"
// leaves admin and PC active, "->" with PC selected among the active players
// or with nothing selected only clears the selections, and "->" of an active
// player selects his active entry.
TEST_F(Panel, TheButtonsMoveThePlayersBetweenTheLists) {
    openAs("admin");
    using Press = void (UserAdministrationPanel::*)();
    const Press up = &UserAdministrationPanel::moveUp, down = &UserAdministrationPanel::moveDown;
    const Press off = &UserAdministrationPanel::deactivate, on = &UserAdministrationPanel::activate;
    struct Step {
        const char* onFile; // the players selected
        const char* active;
        Press press;
        const char* lists; // the active players and the selections after the press
    };
    for (const Step& step :
         {Step{"", "ann", up, "admin ann PC bob | selected: -1 1"},
          Step{"", "ann", up, "ann admin PC bob | selected: -1 0"},
          Step{"", "ann", up, "ann admin PC bob | selected: -1 0"},
          Step{"", "bob", down, "ann admin PC bob | selected: -1 3"},
          Step{"", "", down, "ann admin PC bob | selected: -1 -1"},
          Step{"carl", "admin", off, "ann admin PC bob | selected: -1 -1"},
          Step{"carl", "PC", off, "ann admin PC bob | selected: -1 -1"},
          Step{"carl", "bob", off, "ann admin PC | selected: -1 -1"},
          Step{"ann", "", on, "ann admin PC | selected: 2 0"},
          Step{"carl", "PC", on, "ann admin PC | selected: -1 -1"},
          Step{"", "", on, "ann admin PC | selected: -1 -1"},
          Step{"carl", "", on, "ann admin PC carl | selected: -1 -1"},
          Step{"ann", "", &UserAdministrationPanel::remove, "admin PC carl | selected: -1 -1"}}) {
        select(step.onFile, step.active);
        (panel.*step.press)();
        const std::string lists = dumpLists(panel);
        EXPECT_EQ(lists.substr(lists.find("active: ") + 8), step.lists)
            << step.onFile << " / " << step.active;
    }
    EXPECT_EQ(dumpSlots(pool), "admin:1,1 PC:1,0 ann:1,0 bob:0,0 carl:1,0");
    EXPECT_TRUE(dialogs.shown.empty());
    // Saved, the removed player stays removed.
    ASSERT_TRUE(panel.saveChanges());
    EXPECT_EQ(said(), Lines{"Gridslate: User list saved."});
    EXPECT_EQ(userListLines(pool),
              (Lines{"admin,1,9,1,,0,F", "PC,1,1,0,Z,0,F", "carl,1,9,0,,0,F", "bob,0,9,0,,0,F"}));
}

TEST_F(Panel, AddChecksTheNameBeforeItReachesTheFiles) {
    openAs("admin");
    const std::string forty(40, 'x');
    auto add = [&](const std::string& typed, const Lines& expected) {
        dialogs.clear();
        dialogs.inputAnswers = {typed};
        panel.add();
        EXPECT_EQ(dialogs.shown.front(),
                  (test::FakeDialogs::Shown{"input", "Enter the user's name", "User Name"}));
        EXPECT_EQ(said(), expected) << typed;
    };
    for (const std::string& typed : Lines{"bob", " b ob", "BOB"}) // also taken but for spaces, case
        add(typed, {kTaken});
    // Empty, a comma, slashes, a control character, one outside the code page
    // and one undefined in it, only dots, 41 characters, the reserved names in
    // another letter case, what Windows refuses in a file name, and device
    // names (also before a dot).
    for (const std::string& typed :
         Lines{"   ", "a,b", "a/b", "a\\b", "a\x7F", "a\x1A", "a\x81", "..", forty + "x", "eLo",
               "pc", "Admin", "a*b", "a|b", "CON", "lpt1.x", "com\xB9"})
        add(typed, {kNotAllowed});
    for (const std::string& typed : Lines{"  zed ", forty, "Zo\xEB", "j.r.", "mary ann", "COM10"})
        add(typed, {});
    EXPECT_EQ(panel.playersOnFile().entries, (Lines{"admin", "PC", "ann", "bob", "carl", "zed",
                                                    forty, "Zo\xEB", "j.r.", "mary ann", "COM10"}));
    ASSERT_TRUE(panel.saveChanges());
    EXPECT_EQ(userListLines(pool).back(), "COM10,0,9,0,,0,F");
}

TEST_F(Panel, AddRatingPlayerPutsEloOnBothListsOnce) {
    openAs("admin");
    EXPECT_EQ(panel.addRatingPlayer(), AddOutcome::Added);
    EXPECT_EQ(dumpLists(panel),
              "onFile: admin PC ann bob carl ELO | active: admin PC ann bob ELO | selected: -1 -1");
    ASSERT_TRUE(panel.saveChanges());
    EXPECT_EQ(userListLines(pool)[4], "ELO,1,1,0,,1,F");
    // Read back as a new run reads it, the rating player is still itself.
    openAs("admin");
    EXPECT_TRUE(pool.hasRatingPlayer());
    EXPECT_EQ(panel.addRatingPlayer(), AddOutcome::Refused);
    EXPECT_EQ(said(), Lines{"Error: The rating player ELO is already on the user list."});

    // A person named ELO keeps the rating player out.
    test::writeUserList(pool, {"admin,1,9,1,,0,F", "ELO,1,9,0,,0,F"});
    openAs("admin");
    EXPECT_FALSE(pool.hasRatingPlayer());
    EXPECT_EQ(panel.addRatingPlayer(), AddOutcome::Refused);
    EXPECT_EQ(said(),
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
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(panel.addPlayer("dave"), AddOutcome::ListFull);
    EXPECT_EQ(panel.playersOnFile().entries.size(), 100u);
}

TEST_F(Panel, HandingOverTheRights) {
    openAs("admin");
    using Said = std::pair<std::string, std::string>; // the answer and what it brings
    for (const auto& [answer, message] : {Said{"carl", "Error: User Not Found or Not Active"},
                                          Said{"PC", kNotAllowed}, Said{"", kNotAllowed}}) {
        dialogs.clear();
        dialogs.inputAnswers = {answer};
        panel.handOverAdministrator();
        EXPECT_EQ(said(), Lines{message}) << answer;
    }
    // Asked first, saying that the giver's rights go; cancelled, nothing changes.
    dialogs.inputAnswers = {"ann"};
    dialogs.confirmAnswers = {false};
    panel.handOverAdministrator();
    EXPECT_EQ(dialogs.shown.back(), (test::FakeDialogs::Shown{"confirm", handOverQuestion("ann"),
                                                              "Hand Over Administrator Rights"}));
    EXPECT_EQ(panel.model().administratorButton.caption + " " + dumpSlots(pool),
              "admin admin:1,1 PC:1,0 ann:1,0 bob:1,0 carl:0,0");
    dialogs.inputAnswers = {"ann"};
    panel.handOverAdministrator();
    EXPECT_EQ(panel.model().administratorButton.caption + " " + dumpSlots(pool),
              "ann admin:1,0 PC:1,0 ann:1,1 bob:1,0 carl:0,0");

    // The giver has given the rights away; saving is still his to do.
    dialogs.clear();
    panel.add();
    EXPECT_EQ(said(), kNotAdmin);
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
    const fs::path picks = pool.folders().program / "admin2010.dat";
    test::writeBytes(picks, test::crlf(weeks) + test::crlf({"admin", "PC", "bob", "ann"}));

    ProgramRun first(program.home.path());
    first.logInAndOpen("admin");
    EXPECT_EQ(dumpLists(first.panel),
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
        EXPECT_EQ(dumpLists(next.panel), "onFile: admin PC dave bob ann carl | active: admin PC "
                                         "dave bob ann | selected: -1 -1")
            << name;
        EXPECT_TRUE(next.dialogs.messages().empty());
    }
}

TEST_F(Panel, AFailedSaveSaysSoAndKeepsTheOldFiles) {
    openAs("admin");
    const std::string before = test::userListBytes(pool);
    // The user list can be written but admin's preference file cannot.
    fs::create_directories(preferencePath(pool.folders(), "admin"));
    select("bob");
    panel.remove();
    EXPECT_FALSE(panel.saveChanges());
    EXPECT_THAT(said(), testing::ElementsAre(testing::AllOf(
                            testing::StartsWith("Error: The file could not be saved."),
                            testing::EndsWith("The user list on file is unchanged."))));
    EXPECT_EQ(test::userListBytes(pool), before);
}

// The account changes: the pool of five opened by admin, with bob's pick
// files of two seasons in the program folder.
class Accounts : public Panel {
protected:
    fs::path folder;
    test::TempDir elsewhere;

    void SetUp() override {
        Panel::SetUp();
        folder = pool.folders().program;
        writeBytes(folder / "bob2010.dat", "picks of 2010\r\n");
        writeBytes(folder / "bob2009.dat", "picks of 2009\r\n");
        writeBytes(folder / "bobby2010.dat", "another player's picks\r\n");
        openAs("admin");
    }
    // One line a file: name=bytes, line ends as "|", the program folder as "F".
    std::string folderDump(const fs::path& where) const {
        std::string text;
        for (const std::string& name : test::folderEntries(where))
            text += name + "=" +
                    (fs::is_directory(where / name) ? "<folder>" : readBytes(where / name)) + "\n";
        return test::replaceAll(test::replaceAll(text, "\r\n", "|"), pool.programFolderText(), "F");
    }
    // The files, the lists and the slots, passwords and folders too.
    std::string everything() {
        return folderDump(folder) + dumpLists(panel) + dumpSlots(pool) + slotOf("ann").password +
               slotOf("admin").folder;
    }
    bool rename(const std::string& from, const std::string& to) {
        UserNameChange change(pool, dialogs, from);
        change.newName = to;
        return change.save();
    }
    bool setPassword(const std::string& user, const std::string& password,
                     const std::string& verification) {
        PasswordChange change(pool, dialogs, user);
        change.password = password;
        change.verification = verification;
        return change.save();
    }
    bool moveTo(const std::string& chosen) { return FolderChange(pool, dialogs).select(chosen); }
};

// A password goes into the files shifted by ten, and a quote would end its
// field: what cannot be carried, or two entries that differ, write nothing.
TEST_F(Accounts, ARefusedChangeSaysWhyAndChangesNothing) {
    fs::create_directories(elsewhere.path() / "a,b");
    const std::string commaFolder = (elsewhere.path() / "a,b").string();
    const std::string missing = (elsewhere.path() / "missing").string();
    const std::string here = "Gridslate: Your pick files are already in this folder. The folder "
                             "setting stays as it was.";
    const std::string unchanged = " The folder setting was not changed.";
    const std::string cannotContain = "Error: The password cannot contain ";
    const std::string before = everything();
    struct Case {
        const char* name;
        std::function<bool()> change;
        std::string said;
    };
    for (const Case& c :
         {Case{"RenameToLowerCasePc", [&] { return rename("bob", "pc"); }, kNotAllowed},
          Case{"RenameToTheRatingPlayer", [&] { return rename("bob", "Elo"); }, kNotAllowed},
          Case{"RenameWithASlash", [&] { return rename("bob", "../bob"); }, kNotAllowed},
          Case{"RenameToAnotherUser", [&] { return rename("bob", "Ann"); }, kTaken},
          Case{"RenameToTheOwnName", [&] { return rename("bob", "bob"); }, kTaken},
          Case{"RenameOfAPlayerNotOnTheList", [&] { return rename("dave", "david"); },
               "Error: The player dave is not on the user list."},
          Case{"PasswordsThatDiffer", [&] { return setPassword("ann", "abc", "abd"); },
               "Error: Password entries do not match. "},
          Case{"PasswordPastTheShift", [&] { return setPassword("ann", "k\xFC", "k\xFC"); },
               cannotContain + "the character \"\xFC\"."},
          Case{"PasswordWithAQuote", [&] { return setPassword("ann", "a\"b", "a\"b"); },
               cannotContain + "the character \"\"\"."},
          Case{"PasswordWithAControl", [&] { return setPassword("ann", "a\x1A", "a\x1A"); },
               cannotContain +
                   "control characters or characters outside the Windows-1252 code page."},
          Case{"TheFolderItself", [&] { return moveTo(pool.programFolderText()); }, here},
          Case{"TheFolderWithASlash", [&] { return moveTo(pool.programFolderText() + "/"); }, here},
          Case{"AMissingFolder", [&] { return moveTo(missing); },
               "Error: The folder " + missing + " cannot be written (it is not a folder)." +
                   unchanged},
          Case{"AFolderNamedWithAComma", [&] { return moveTo(commaFolder); },
               "Error: The user list cannot store the name of this folder: it holds a comma "
               "or a control character." +
                   unchanged}}) {
        SCOPED_TRACE(c.name);
        dialogs.clear();
        EXPECT_FALSE(c.change());
        EXPECT_EQ(said(), Lines{c.said});
        EXPECT_EQ(everything(), before);
    }
    EXPECT_TRUE(checkPassword("\xF5")); // õ: 245 + 10 = 255, the highest that fits
}

// bob's files are copied; carl has none, and a stale preference file of a
// former "dave" must not become his; ann's new letter case is no name of
// another. The renamed administrator is the current user still, and the save
// writes his own preference file.
TEST_F(Accounts, RenamingCopiesThePickFilesAndPreferencesAndLeavesTheOldOnes) {
    writeBytes(preferencePath(pool.folders(), "bob"), "klm,ftp://pool.example/\r\n");
    fs::permissions(preferencePath(pool.folders(), "bob"), fs::perms(0644));
    writeBytes(preferencePath(pool.folders(), "dave"), "old,address\r\n");
    UserNameChange change(pool, dialogs, "bob");
    EXPECT_EQ(change.currentName.caption, "bob");
    change.newName = "robert";
    ASSERT_TRUE(change.save());
    EXPECT_EQ(pool.currentUser(), "admin");
    for (const auto& [from, to] :
         {std::pair{"carl", "dave"}, std::pair{"admin", "boss"}, std::pair{"ann", "Ann"}}) {
        ASSERT_TRUE(rename(from, to));
        panel.playerRenamed(from, to);
    }
    EXPECT_TRUE(said().empty());
    EXPECT_EQ(pool.currentUser() + " " + panel.model().administratorButton.caption, "boss boss");
    EXPECT_EQ(dumpLists(panel),
              "onFile: PC robert dave boss Ann | active: PC robert boss Ann | selected: -1 -1");
    EXPECT_EQ(folderDump(folder),
              "UserList.db=2010|PC,1,1,0,Z,0,F|robert,1,9,0,,0,F|boss,1,9,1,,0,F|Ann,1,5,0,,0,F|"
              "dave,0,9,0,,0,F|\n"
              "admin_UserPref.dbu=,|\n"
              "bob2009.dat=picks of 2009|\n"
              "bob2010.dat=picks of 2010|\n"
              "bob_UserPref.dbu=klm,ftp://pool.example/|\n"
              "bobby2010.dat=another player's picks|\n"
              "boss_UserPref.dbu=,|\n"
              "robert2009.dat=picks of 2009|\n"
              "robert2010.dat=picks of 2010|\n"
              "robert_UserPref.dbu=klm,ftp://pool.example/|\n");
    // The copy holds a password: it is the owner's only.
    EXPECT_EQ(fs::status(preferencePath(pool.folders(), "robert")).permissions(), fs::perms(0600));
}

TEST_F(Accounts, ARenameThatFailsHalfwayPutsEverythingBack) {
    writeBytes(preferencePath(pool.folders(), "bob"), "klm,address\r\n");
    // A folder where the change writes: the copy of bob's 2009 picks, or
    // admin's preference file, which every save of the list writes.
    for (const fs::path& blocked :
         {folder / "robert2009.dat", preferencePath(pool.folders(), "admin")}) {
        SCOPED_TRACE(blocked.filename().string());
        fs::create_directories(blocked);
        const std::string before = everything();
        dialogs.clear();
        EXPECT_FALSE(rename("bob", "robert"));
        EXPECT_THAT(said(), testing::ElementsAre(testing::EndsWith("Nothing was changed.")));
        EXPECT_EQ(everything(), before);
        fs::remove(blocked);
    }
}

// The current user's preference file is written with the list; another
// player's only when he has one: until he changes his account, the list
// alone carries it.
TEST_F(Accounts, APasswordGoesToTheListAndToThePreferenceFileThatExists) {
    writeBytes(preferencePath(pool.folders(), "ann"), "old,ftp://ann.example/picks\r\n");
    fs::permissions(preferencePath(pool.folders(), "ann"), fs::perms(0644));
    EXPECT_EQ(PasswordChange(pool, dialogs, "ann").user.caption, "ann");
    for (const char* name : {"admin", "ann", "bob"})
        ASSERT_TRUE(setPassword(name, "abc", "abc"));
    EXPECT_TRUE(said().empty());
    EXPECT_EQ(userListLines(pool),
              (Lines{"admin,1,9,1,klm,0,F", "PC,1,1,0,Z,0,F", "ann,1,5,0,klm,0,F",
                     "bob,1,9,0,klm,0,F", "carl,0,9,0,,0,F"}));
    EXPECT_EQ(readBytes(preferencePath(pool.folders(), "admin")), "klm,\r\n");
    EXPECT_EQ(readBytes(preferencePath(pool.folders(), "ann")), "klm,ftp://ann.example/picks\r\n");
    EXPECT_EQ(fs::status(preferencePath(pool.folders(), "ann")).permissions(), fs::perms(0600));
    EXPECT_FALSE(fs::exists(preferencePath(pool.folders(), "bob")));
}

// bob has no preference file: he logged in on the list's password, which
// the change keeps in the file it writes.
TEST_F(Accounts, SelectingAFolderCopiesThePickFilesAndSavesTheFolder) {
    test::writeUserList(pool, {"admin,1,9,1,,0,F", "PC,1,1,0,Z,0,F", "bob,1,9,0,klm,0,F"});
    pool.setCurrentUser("bob");
    ASSERT_TRUE(panel.open());
    EXPECT_EQ(FolderChange(pool, dialogs).startFolder(), pool.programFolderText());
    // Only bob's season pick files go: a name and four digits.
    for (const char* name :
         {"bob2010.bak", "bob201.dat", "bob20100.dat", "Bob2010.dat", "bobx010.dat"})
        writeBytes(folder / name, "");
    const fs::path target = elsewhere.path() / "picks";
    fs::create_directories(target);
    ASSERT_TRUE(moveTo(target.string() + "/"));
    EXPECT_TRUE(said().empty());
    // The mark tells this home's chosen folder from one a copied list names.
    EXPECT_EQ(folderDump(target), ".gridslate-picks=F|\nbob2009.dat=picks of 2009|\n"
                                  "bob2010.dat=picks of 2010|\n");
    EXPECT_TRUE(fs::exists(folder / "bob2010.dat"));
    EXPECT_EQ(userListLines(pool)[2], "bob,1,9,0,klm,0," + target.string());
    EXPECT_EQ(readBytes(preferencePath(pool.folders(), "bob")), "klm,\r\n");
}

TEST_F(Accounts, AFolderThatCannotBeWrittenIsRefused) {
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser writes into read-only folders";
    fs::permissions(elsewhere.path(), fs::perms::owner_write, fs::perm_options::remove);
    bool changed = moveTo(elsewhere.path().string());
    fs::permissions(elsewhere.path(), fs::perms::owner_write, fs::perm_options::add);
    EXPECT_FALSE(changed);
    EXPECT_THAT(said(),
                testing::ElementsAre(testing::EndsWith("The folder setting was not changed.")));
}

} // namespace
} // namespace gs
