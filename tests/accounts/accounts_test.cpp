#include "accounts/accounts.h"

#include "accounts/useradministration.h"
#include "adminsupport.h"
#include "core/userlist.h"
#include "tests/support/testsupport.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <tuple>
#include <unistd.h>

namespace gs {
namespace {

namespace fs = std::filesystem;
using test::dumpLists;
using test::dumpSlots;
using test::readBytes;
using test::userListLines;
using test::writeBytes;

const std::string kNotAllowed = "Error: User Name Not Allowed";

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
    // One line a file: name=bytes, line ends as "|", the program folder as "F".
    std::string folderDump(const fs::path& where) const {
        std::string text;
        for (const std::string& name : test::folderEntries(where)) {
            std::string bytes =
                fs::is_directory(where / name) ? "<folder>" : readBytes(where / name);
            for (size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n"))
                bytes.replace(at, 2, "|");
            for (size_t at = bytes.find(pool.programFolderText()); at != std::string::npos;
                 at = bytes.find(pool.programFolderText()))
                bytes.replace(at, pool.programFolderText().size(), "F");
            text += name + "=" + bytes + "\n";
        }
        return text;
    }
};

struct RefusalCase {
    const char* name;
    std::string oldName;
    std::string newName;
    std::string message;
};

void PrintTo(const RefusalCase& c, std::ostream* out) {
    *out << c.name;
}

class RenameRefusal : public Accounts, public testing::WithParamInterface<RefusalCase> {};

TEST_P(RenameRefusal, ChangesNothing) {
    const std::string before = folderDump(folder) + dumpLists(pool) + dumpSlots(pool);
    UserNameChange change(pool, program.dialogs, GetParam().oldName);
    change.newName = GetParam().newName;
    EXPECT_FALSE(change.save());
    EXPECT_EQ(messages(), std::vector<std::string>{GetParam().message});
    EXPECT_EQ(folderDump(folder) + dumpLists(pool) + dumpSlots(pool), before);
}

INSTANTIATE_TEST_SUITE_P(
    Names, RenameRefusal,
    testing::Values(RefusalCase{"LowerCasePc", "bob", "pc", kNotAllowed},
                    RefusalCase{"RatingPlayersName", "bob", "Elo", kNotAllowed},
                    RefusalCase{"Slash", "bob", "../bob", kNotAllowed},
                    RefusalCase{"AnotherUsersName", "bob", "ann", "Error: User Name Already Taken"},
                    RefusalCase{"OwnName", "bob", "bob", "Error: User Name Already Taken"},
                    RefusalCase{"PlayerNotOnTheUserList", "dave", "david",
                                "Error: The player dave is not on the user list."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Accounts, RenamingCopiesThePickFilesAndPreferencesAndLeavesTheOldOnes) {
    writeBytes(preferencePath(pool.folders, "bob"), "klm,ftp://pool.example/\r\n");
    fs::permissions(preferencePath(pool.folders, "bob"), fs::perms(0644));
    UserNameChange change(pool, program.dialogs, "bob");
    EXPECT_EQ(change.currentName.caption, "bob");
    change.newName = "robert";
    ASSERT_TRUE(change.save());
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(dumpLists(pool),
              "onFile: admin PC ann carl robert | active: admin PC ann robert | selected: -1 -1");
    EXPECT_EQ(folderDump(folder), "UserList.db=2010|admin,1,9,1,,0,F|PC,1,1,0,Z,0,F|ann,1,5,0,,0,F|"
                                  "robert,1,9,0,,0,F|carl,0,9,0,,0,F|\n"
                                  "admin_UserPref.dbu=,|\n"
                                  "bob2009.dat=picks of 2009|\n"
                                  "bob2010.dat=picks of 2010|\n"
                                  "bob_UserPref.dbu=klm,ftp://pool.example/|\n"
                                  "bobby2010.dat=another player's picks|\n"
                                  "robert2009.dat=picks of 2009|\n"
                                  "robert2010.dat=picks of 2010|\n"
                                  "robert_UserPref.dbu=klm,ftp://pool.example/|\n");
    // The copy holds a password: it is the owner's only.
    EXPECT_EQ(fs::status(preferencePath(pool.folders, "robert")).permissions(), fs::perms(0600));
    EXPECT_EQ(pool.currentUser, "admin");
}

TEST_F(Accounts, RenamingAPlayerWithoutFilesStillRenames) {
    // A stale preference file of a former "dave" must not become carl's.
    writeBytes(preferencePath(pool.folders, "dave"), "old,address\r\n");
    UserNameChange change(pool, program.dialogs, "carl");
    change.newName = "dave";
    ASSERT_TRUE(change.save());
    EXPECT_EQ(userListLines(pool).back(), "dave,0,9,0,,0,F");
    EXPECT_FALSE(fs::exists(folder / "dave2010.dat"));
    EXPECT_FALSE(fs::exists(preferencePath(pool.folders, "dave")));
}

TEST_F(Accounts, RenamingTheAdministratorRenamesTheCurrentUser) {
    UserNameChange change(pool, program.dialogs, "admin");
    change.newName = "boss";
    ASSERT_TRUE(change.save());
    panel.playerRenamed(change.oldName(), change.newName);
    EXPECT_EQ(pool.currentUser + " " + panel.model().administratorButton.caption, "boss boss");
    EXPECT_EQ(userListLines(pool)[3], "boss,1,9,1,,0,F");
    // The save wrote the renamed user's own preference file.
    EXPECT_EQ(readBytes(preferencePath(pool.folders, "boss")), ",\r\n");
}

TEST_F(Accounts, ARenameThatFailsHalfwayPutsEverythingBack) {
    writeBytes(preferencePath(pool.folders, "bob"), "klm,address\r\n");
    // A folder where the change writes: the copy of bob's 2009 picks, or
    // admin's preference file, which every save of the list writes.
    for (const fs::path& blocked :
         {folder / "robert2009.dat", preferencePath(pool.folders, "admin")}) {
        SCOPED_TRACE(blocked.filename().string());
        fs::create_directories(blocked);
        const std::string before = folderDump(folder) + dumpLists(pool) + dumpSlots(pool);
        program.dialogs.clear();
        UserNameChange change(pool, program.dialogs, "bob");
        change.newName = "robert";
        EXPECT_FALSE(change.save());
        ASSERT_EQ(messages().size(), 1u);
        EXPECT_TRUE(messages()[0].ends_with("Nothing was changed.")) << messages()[0];
        EXPECT_EQ(folderDump(folder) + dumpLists(pool) + dumpSlots(pool), before);
        fs::remove(blocked);
    }
}

// A password goes into the files shifted by ten, and a quote would end its
// field: what cannot be carried, or two entries that differ, write nothing.
TEST_F(Accounts, ARefusedPasswordWritesNothing) {
    const std::string files = folderDump(folder);
    const std::string cannotContain = "Error: The password cannot contain ";
    for (const auto& [password, verification, message] :
         std::vector<std::tuple<std::string, std::string, std::string>>{
             {"abc", "abd", "Error: Password entries do not match. "},
             {"k\xFC", "k\xFC", cannotContain + "the character \"\xFC\"."},
             {"a\"b", "a\"b", cannotContain + "the character \"\"\"."},
             {"a\x1A", "a\x1A",
              cannotContain + "control characters or characters outside the Windows-1252 "
                              "code page."}}) {
        program.dialogs.clear();
        PasswordChange change(pool, program.dialogs, "ann");
        change.password = password;
        change.verification = verification;
        EXPECT_FALSE(change.save());
        EXPECT_EQ(messages(), std::vector<std::string>{message});
    }
    EXPECT_EQ(folderDump(folder), files);
    EXPECT_EQ(slotOf("ann").password, "");
    EXPECT_TRUE(checkPassword("\xF5")); // õ: 245 + 10 = 255, the highest that fits
}

TEST_F(Accounts, TheCurrentUsersPasswordGoesToTheListAndHisPreferences) {
    PasswordChange change(pool, program.dialogs, "admin");
    EXPECT_EQ(change.user.caption, "admin");
    change.password = change.verification = "abc";
    ASSERT_TRUE(change.save());
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(userListLines(pool)[0], "admin,1,9,1,klm,0,F");
    EXPECT_EQ(readBytes(preferencePath(pool.folders, "admin")), "klm,\r\n");
}

TEST_F(Accounts, AnotherPlayersPasswordReachesHisPreferenceFileWhenHeHasOne) {
    writeBytes(preferencePath(pool.folders, "ann"), "old,ftp://ann.example/picks\r\n");
    fs::permissions(preferencePath(pool.folders, "ann"), fs::perms(0644));
    PasswordChange forAnn(pool, program.dialogs, "ann");
    forAnn.password = forAnn.verification = "abc";
    ASSERT_TRUE(forAnn.save());
    EXPECT_EQ(userListLines(pool)[2], "ann,1,5,0,klm,0,F");
    EXPECT_EQ(readBytes(preferencePath(pool.folders, "ann")), "klm,ftp://ann.example/picks\r\n");
    EXPECT_EQ(fs::status(preferencePath(pool.folders, "ann")).permissions(), fs::perms(0600));

    // bob has none: the list alone carries it until he changes his account.
    PasswordChange forBob(pool, program.dialogs, "bob");
    forBob.password = forBob.verification = "xyz";
    ASSERT_TRUE(forBob.save());
    EXPECT_EQ(userListLines(pool)[3], "bob,1,9,0,\x82\x83\x84,0,F");
    EXPECT_FALSE(fs::exists(preferencePath(pool.folders, "bob")));
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
    EXPECT_EQ(folderDump(target), "bob2009.dat=picks of 2009|\nbob2010.dat=picks of 2010|\n");
    EXPECT_TRUE(fs::exists(folder / "bob2010.dat"));
    EXPECT_EQ(userListLines(pool)[3], "bob,1,9,0,,0," + target.string());
}

// A player without a preference file logs in on the list's password; the
// next account change writes the file with that password kept.
TEST_F(Folder, WithoutAPreferenceFileTheListsPasswordIsKept) {
    test::writeUserList(pool, {"admin,1,9,1,,0,F", "PC,1,1,0,Z,0,F", "ann,1,5,0,klm,0,F"});
    pool.currentUser = "ann";
    ASSERT_TRUE(panel.open());
    FolderChange change(pool, program.dialogs);
    ASSERT_TRUE(change.select(elsewhere.path().string()));
    EXPECT_EQ(readBytes(preferencePath(pool.folders, "ann")), "klm,\r\n");
    EXPECT_EQ(userListLines(pool)[2], "ann,1,5,0,klm,0," + elsewhere.path().string());
}

TEST_F(Folder, RefusalsChangeNothing) {
    fs::create_directories(elsewhere.path() / "a,b");
    const std::string here = "Gridslate: Your pick files are already in this folder. The folder "
                             "setting stays as it was.";
    const std::string missing = (elsewhere.path() / "missing").string();
    for (const auto& [chosen, message] : std::vector<std::pair<std::string, std::string>>{
             {pool.programFolderText(), here},
             {pool.programFolderText() + "/", here},
             {missing, "Error: The folder " + missing +
                           " cannot be written (it is not a folder). The folder setting was not "
                           "changed."},
             {(elsewhere.path() / "a,b").string(),
              "Error: The user list cannot store the name of this folder: it holds a comma or a "
              "control character. The folder setting was not changed."}}) {
        program.dialogs.clear();
        const std::string before = test::userListBytes(pool);
        FolderChange change(pool, program.dialogs);
        EXPECT_FALSE(change.select(chosen));
        EXPECT_EQ(messages(), std::vector<std::string>{message});
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
