#include "accounts/accounts.h"

#include "accounts/useradministration.h"
#include "adminsupport.h"
#include "core/codepage.h"
#include "core/userlist.h"
#include "tests/support/testsupport.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <unistd.h>

namespace gs {
namespace {

namespace fs = std::filesystem;
using test::dumpLists;
using test::readBytes;
using test::userListLines;
using test::writeBytes;

// A pool of five opened in the administration panel by admin, with bob's
// pick files of two seasons in the program folder.
class Accounts : public testing::Test {
protected:
    test::PoolFixture program;
    Pool& pool = program.pool;
    UserAdministrationPanel panel{program.pool, program.dialogs};
    fs::path folder;

    void SetUp() override {
        test::writePoolOfFive(pool);
        folder = pool.folders.program;
        writeBytes(folder / "bob2010.dat", "picks of 2010\r\n");
        writeBytes(folder / "bob2009.dat", "picks of 2009\r\n");
        writeBytes(folder / "bobby2010.dat", "another player's picks\r\n");
        pool.currentUser = "admin";
        ASSERT_TRUE(panel.open());
        program.dialogs.clear();
    }
    const UserSlot& slotOf(const std::string& name) { return pool.users[pool.userSlot(name)]; }
    std::vector<std::string> messages() const { return program.dialogs.messages(); }
    // Every file of the program folder with its bytes.
    std::string folderDump(const fs::path& where) const {
        std::vector<std::string> lines;
        for (const std::string& name : test::folderEntries(where))
            lines.push_back(
                name + "=" +
                (fs::is_directory(where / name) ? "<folder>" : readBytes(where / name)));
        std::sort(lines.begin(), lines.end());
        std::string text;
        for (const auto& line : lines)
            text += line + "\n";
        return text;
    }
};

struct RefusalCase {
    const char* name;
    std::string newName;
    std::string message;
};

void PrintTo(const RefusalCase& c, std::ostream* out) {
    *out << c.name;
}

class RenameRefusal : public Accounts, public testing::WithParamInterface<RefusalCase> {};

TEST_P(RenameRefusal, ChangesNothing) {
    const std::string files = folderDump(folder);
    const std::string lists = dumpLists(pool);
    UserNameChange change(pool, program.dialogs, "bob");
    change.newName = GetParam().newName;
    EXPECT_FALSE(change.save());
    EXPECT_EQ(messages(), std::vector<std::string>{GetParam().message});
    EXPECT_EQ(folderDump(folder), files);
    EXPECT_EQ(dumpLists(pool), lists);
    EXPECT_EQ(pool.userSlot("bob"), 4);
}

INSTANTIATE_TEST_SUITE_P(
    Names, RenameRefusal,
    testing::Values(RefusalCase{"LowerCasePc", "pc", "Error: User Name Not Allowed"},
                    RefusalCase{"Pc", "PC", "Error: User Name Not Allowed"},
                    RefusalCase{"RatingPlayersName", "Elo", "Error: User Name Not Allowed"},
                    RefusalCase{"Empty", "", "Error: User Name Not Allowed"},
                    RefusalCase{"Slash", "../bob", "Error: User Name Not Allowed"},
                    RefusalCase{"OutsideTheCodePage", "b\x1A", "Error: User Name Not Allowed"},
                    RefusalCase{"AnotherUsersName", "ann", "Error: User Name Already Taken"},
                    RefusalCase{"OwnName", "bob", "Error: User Name Already Taken"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Accounts, RenamingAPlayerNotOnTheUserListIsRefused) {
    const std::string lists = dumpLists(pool);
    UserNameChange change(pool, program.dialogs, "dave");
    change.newName = "david";
    EXPECT_FALSE(change.save());
    EXPECT_EQ(messages(),
              std::vector<std::string>{"Error: The player dave is not on the user list."});
    EXPECT_EQ(dumpLists(pool), lists);
    EXPECT_FALSE(fs::exists(folder / "david2010.dat"));
}

TEST_F(Accounts, RenamingCopiesThePickFilesAndPreferencesAndLeavesTheOldOnes) {
    writeBytes(preferencePath(pool.folders, "bob"), "klm,ftp://pool.example/\r\n");
    UserNameChange change(pool, program.dialogs, "bob");
    EXPECT_EQ(change.currentName.caption, "bob");
    change.newName = "robert";
    ASSERT_TRUE(change.save());
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(dumpLists(pool),
              "onFile: admin PC ann carl robert | active: admin PC ann robert | selected: -1 -1");
    EXPECT_EQ(userListLines(pool),
              (std::vector<std::string>{"admin,1,9,1,,0,F", "PC,1,1,0,Z,0,F", "ann,1,5,0,,0,F",
                                        "robert,1,9,0,,0,F", "carl,0,9,0,,0,F"}));
    EXPECT_EQ(readBytes(folder / "robert2010.dat"), "picks of 2010\r\n");
    EXPECT_EQ(readBytes(folder / "robert2009.dat"), "picks of 2009\r\n");
    EXPECT_EQ(readBytes(folder / "bob2010.dat"), "picks of 2010\r\n");
    EXPECT_EQ(readBytes(preferencePath(pool.folders, "robert")), "klm,ftp://pool.example/\r\n");
    EXPECT_TRUE(fs::exists(preferencePath(pool.folders, "bob")));
    EXPECT_FALSE(fs::exists(folder / "robertby2010.dat"));
    EXPECT_EQ(pool.currentUser, "admin");
}

TEST_F(Accounts, RenamingAPlayerWithoutFilesStillRenames) {
    // A stale preference file of a former "dave" must not become carl's.
    writeBytes(preferencePath(pool.folders, "dave"), "old,address\r\n");
    UserNameChange change(pool, program.dialogs, "carl");
    change.newName = "dave";
    ASSERT_TRUE(change.save());
    EXPECT_EQ(dumpLists(pool),
              "onFile: admin PC ann bob dave | active: admin PC ann bob | selected: -1 -1");
    EXPECT_EQ(userListLines(pool).back(), "dave,0,9,0,,0,F");
    EXPECT_FALSE(fs::exists(folder / "dave2010.dat"));
    EXPECT_FALSE(fs::exists(preferencePath(pool.folders, "dave")));
}

TEST_F(Accounts, RenamingTheAdministratorRenamesTheCurrentUser) {
    UserNameChange change(pool, program.dialogs, "admin");
    change.newName = "boss";
    ASSERT_TRUE(change.save());
    panel.playerRenamed(change.oldName(), change.newName);
    EXPECT_EQ(pool.currentUser, "boss");
    EXPECT_EQ(panel.model().administratorButton.caption, "boss");
    EXPECT_EQ(userListLines(pool),
              (std::vector<std::string>{"PC,1,1,0,Z,0,F", "ann,1,5,0,,0,F", "bob,1,9,0,,0,F",
                                        "boss,1,9,1,,0,F", "carl,0,9,0,,0,F"}));
    // The save wrote the renamed user's own preference file.
    EXPECT_EQ(readBytes(preferencePath(pool.folders, "boss")), ",\r\n");
}

TEST_F(Accounts, ARenameThatCannotCopyChangesNothing) {
    // robert2009.dat cannot be written: a folder stands in its place.
    fs::create_directories(folder / "robert2009.dat");
    const std::string files = folderDump(folder);
    const std::string lists = dumpLists(pool);
    UserNameChange change(pool, program.dialogs, "bob");
    change.newName = "robert";
    EXPECT_FALSE(change.save());
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(messages()[0].ends_with("Nothing was changed.")) << messages()[0];
    EXPECT_EQ(folderDump(folder), files);
    EXPECT_EQ(dumpLists(pool), lists);
    EXPECT_EQ(pool.userSlot("robert"), 0);
}

TEST_F(Accounts, ARenameThatCannotSaveTheListPutsTheCopiesBack) {
    writeBytes(preferencePath(pool.folders, "bob"), "klm,address\r\n");
    // admin's preference file, written by every save, cannot be written.
    fs::create_directories(preferencePath(pool.folders, "admin"));
    const std::string files = folderDump(folder);
    UserNameChange change(pool, program.dialogs, "bob");
    change.newName = "robert";
    EXPECT_FALSE(change.save());
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(messages()[0].starts_with("Error: The file could not be saved.")) << messages()[0];
    EXPECT_EQ(folderDump(folder), files);
    EXPECT_EQ(pool.userSlot("bob"), 4);
    EXPECT_EQ(pool.currentUser, "admin");
}

TEST_F(Accounts, PasswordsThatDifferAreRefusedAndNothingIsSaved) {
    const std::string before = test::userListBytes(pool);
    PasswordChange change(pool, program.dialogs, "ann");
    EXPECT_EQ(change.user.caption, "ann");
    change.password = "abc";
    change.verification = "abd";
    EXPECT_FALSE(change.save());
    EXPECT_EQ(messages(), std::vector<std::string>{"Error: Password entries do not match. "});
    EXPECT_EQ(test::userListBytes(pool), before);
    EXPECT_EQ(slotOf("ann").password, "");
}

struct PasswordCase {
    const char* name;
    std::string password;
    std::string message; // empty: accepted
};

void PrintTo(const PasswordCase& c, std::ostream* out) {
    *out << c.name;
}

class PasswordCheck : public testing::TestWithParam<PasswordCase> {};

TEST_P(PasswordCheck, RefusesWhatTheFilesCannotCarry) {
    Status checked = checkPassword(GetParam().password);
    EXPECT_EQ(checked ? std::string() : cp1252ToUtf8(checked.error().message), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Passwords, PasswordCheck,
    testing::Values(
        PasswordCase{"Plain", "s3cret word", ""}, PasswordCase{"Empty", "", ""},
        PasswordCase{"HighestThatFits", "\xF5", ""}, // õ: 245 + 10 = 255
        PasswordCase{"AboveTheCodePage", "k\xFC",
                     "The password cannot contain the character \"ü\"."},
        PasswordCase{"QuoteBecomesAComma", "a\"b",
                     "The password cannot contain the character \"\"\"."},
        PasswordCase{"LineBreak", "a\rb",
                     "The password cannot contain control characters or characters outside the "
                     "Windows-1252 code page."},
        PasswordCase{"MarkedOutsideTheCodePage", "a\x1A",
                     "The password cannot contain control characters or characters outside the "
                     "Windows-1252 code page."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Accounts, ARefusedPasswordWritesNothing) {
    const std::string files = folderDump(folder);
    PasswordChange change(pool, program.dialogs, "admin");
    change.password = change.verification = "gr\xFC\xDF";
    EXPECT_FALSE(change.save());
    EXPECT_EQ(messages().size(), 1u);
    EXPECT_EQ(folderDump(folder), files);
}

TEST_F(Accounts, TheCurrentUsersPasswordGoesToTheListAndHisPreferences) {
    PasswordChange change(pool, program.dialogs, "admin");
    change.password = change.verification = "abc";
    ASSERT_TRUE(change.save());
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(userListLines(pool)[0], "admin,1,9,1,klm,0,F");
    EXPECT_EQ(readBytes(preferencePath(pool.folders, "admin")), "klm,\r\n");
}

TEST_F(Accounts, AnotherPlayersPasswordReachesHisPreferenceFileWhenHeHasOne) {
    writeBytes(preferencePath(pool.folders, "ann"), "old,ftp://ann.example/picks\r\n");
    PasswordChange forAnn(pool, program.dialogs, "ann");
    forAnn.password = forAnn.verification = "abc";
    ASSERT_TRUE(forAnn.save());
    EXPECT_EQ(userListLines(pool)[2], "ann,1,5,0,klm,0,F");
    EXPECT_EQ(readBytes(preferencePath(pool.folders, "ann")), "klm,ftp://ann.example/picks\r\n");

    // bob has none: the list alone carries it until he changes his account.
    PasswordChange forBob(pool, program.dialogs, "bob");
    forBob.password = forBob.verification = "xyz";
    ASSERT_TRUE(forBob.save());
    EXPECT_EQ(userListLines(pool)[3], "bob,1,9,0,\x82\x83\x84,0,F");
    EXPECT_FALSE(fs::exists(preferencePath(pool.folders, "bob")));
}

// Preference files hold passwords: an account change leaves each one its
// owner's only, whatever mode it had.
TEST_F(Accounts, PreferenceFilesOfAccountChangesAreTheOwnersOnly) {
    writeBytes(preferencePath(pool.folders, "ann"), "old,ftp://ann.example/picks\r\n");
    writeBytes(preferencePath(pool.folders, "bob"), "klm,address\r\n");
    fs::permissions(preferencePath(pool.folders, "ann"), fs::perms(0644));
    fs::permissions(preferencePath(pool.folders, "bob"), fs::perms(0644));
    PasswordChange forAnn(pool, program.dialogs, "ann");
    forAnn.password = forAnn.verification = "abc";
    ASSERT_TRUE(forAnn.save());
    UserNameChange rename(pool, program.dialogs, "bob");
    rename.newName = "robert";
    ASSERT_TRUE(rename.save());
    for (const char* name : {"ann", "robert", "admin"})
        EXPECT_EQ(fs::status(preferencePath(pool.folders, name)).permissions(), fs::perms(0600))
            << name;
    EXPECT_EQ(fs::status(userListPath(pool.folders)).permissions(), fs::perms(0600));
}

class Folder : public Accounts {
protected:
    test::TempDir elsewhere;
};

TEST_F(Folder, SelectingAFolderCopiesThePickFilesAndSavesTheFolder) {
    pool.currentUser = "bob";
    FolderChange change(pool, program.dialogs);
    EXPECT_EQ(change.startFolder(), pool.programFolderText());
    const fs::path target = elsewhere.path() / "picks";
    fs::create_directories(target);
    ASSERT_TRUE(change.select(target.string() + "/"));
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(folderDump(target), "bob2009.dat=picks of 2009\r\n\nbob2010.dat=picks of 2010\r\n\n");
    EXPECT_TRUE(fs::exists(folder / "bob2010.dat"));
    EXPECT_EQ(slotOf("bob").folder, target.string());
    EXPECT_EQ(userListLines(pool)[3], "bob,1,9,0,,0," + target.string());
}

TEST_F(Folder, RefusalsChangeNothing) {
    fs::create_directories(elsewhere.path() / "a,b");
    struct Attempt {
        std::string folder;
        std::string message;
    };
    const std::string missing = (elsewhere.path() / "missing").string();
    for (const Attempt& a :
         {Attempt{pool.programFolderText(), "Gridslate: Your pick files are already in this "
                                            "folder. The folder setting stays as it was."},
          Attempt{pool.programFolderText() + "/", "Gridslate: Your pick files are already in "
                                                  "this folder. The folder setting stays as it "
                                                  "was."},
          Attempt{missing, "Error: The folder " + missing +
                               " cannot be written (it is not a folder). The folder setting was "
                               "not changed."},
          Attempt{(elsewhere.path() / "a,b").string(),
                  "Error: The user list cannot store the name of this folder: it holds a comma "
                  "or a control character. The folder setting was not changed."}}) {
        program.dialogs.clear();
        const std::string before = test::userListBytes(pool);
        FolderChange change(pool, program.dialogs);
        EXPECT_FALSE(change.select(a.folder));
        EXPECT_EQ(messages(), std::vector<std::string>{a.message});
        EXPECT_EQ(test::userListBytes(pool), before);
        EXPECT_EQ(slotOf("admin").folder, pool.programFolderText());
    }
}

TEST_F(Folder, AFolderThatCannotBeWrittenIsRefused) {
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser writes into read-only folders";
    fs::permissions(elsewhere.path(), fs::perms::owner_write, fs::perm_options::remove);
    FolderChange change(pool, program.dialogs);
    bool changed = change.select(elsewhere.path().string());
    fs::permissions(elsewhere.path(), fs::perms::owner_write, fs::perm_options::add);
    EXPECT_FALSE(changed);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(messages()[0].ends_with("The folder setting was not changed."));
}

TEST(SeasonPickFiles, MatchNameAndFourDigitsOnly) {
    test::TempDir dir;
    for (const char* name : {"ann2010.dat", "ann2009.dat", "ann2010.bak", "anna2010.dat",
                             "ann201.dat", "ann20100.dat", "Ann2010.dat", "annx010.dat"})
        writeBytes(dir.path() / name, "");
    std::vector<std::string> found;
    for (const fs::path& p : seasonPickFiles(dir.path(), "ann"))
        found.push_back(p.filename().string());
    EXPECT_EQ(found, (std::vector<std::string>{"ann2009.dat", "ann2010.dat"}));
}

} // namespace
} // namespace gs
