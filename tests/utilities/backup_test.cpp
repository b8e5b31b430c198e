#include "utilities/backup.h"

#include "core/userlist.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::writeBytes;

class Backups : public testing::Test {
protected:
    test::PoolFixture program;
    Pool& pool = program.pool;
    BackupCommands commands{program.pool, program.dialogs};
    fs::path picks;
    fs::path picksBackup;
    fs::path list;
    fs::path listBackup;
    fs::path games;
    fs::path gamesBackup;

    void SetUp() override {
        test::addUser(pool, 1, "admin", 1);
        test::addUser(pool, 2, "ann");
        pool.setCurrentUser("ann");
        picks = pool.folders().program / "ann2010.dat";
        picksBackup = pool.folders().program / "ann2010.bak";
        list = pool.folders().program / "UserList.db";
        listBackup = pool.folders().program / "UserList.bak";
        games = pool.folders().program / "scoresheet97.mdb";
        gamesBackup = pool.folders().program / "scoresheet97.bak";
        writeBytes(picks, "picks of the week\r\n");
        writeBytes(list, "2010\r\nadmin,1,9,1,,0,\r\n");
        writeBytes(games, test::binaryBytes());
    }
};

TEST_F(Backups, PicksGoToTheirBackupAndComeBackAfterTheQuestion) {
    commands.backUpPicks();
    EXPECT_EQ(readBytes(picksBackup), "picks of the week\r\n");
    EXPECT_EQ(program.dialogs.messages(),
              std::vector<std::string>{"Backup Picks Data: ann2010.dat has been backed up to " +
                                       picksBackup.string() + "."});

    writeBytes(picks, "picks changed since\r\n");
    program.dialogs.clear();
    commands.restorePicks();
    EXPECT_EQ(program.dialogs.shown,
              (std::vector<test::FakeDialogs::Shown>{
                  {"confirm", "Proceed with restore?", "Restore Picks Data"},
                  {"message", "ann2010.dat has been restored from " + picksBackup.string() + ".",
                   "Restore Picks Data"}}));
    EXPECT_EQ(readBytes(picks), "picks of the week\r\n");
}

TEST_F(Backups, CancelLeavesEveryFileAsItIs) {
    commands.backUpPicks();
    commands.backUpAdminData();
    writeBytes(picks, "picks changed since\r\n");
    program.dialogs.clear();
    program.dialogs.confirmAnswers = {false, false};
    pool.setCurrentUser("admin");
    commands.restoreAdminData();
    pool.setCurrentUser("ann");
    commands.restorePicks();
    EXPECT_EQ(program.dialogs.shown.size(), 2u);
    EXPECT_EQ(readBytes(picks), "picks changed since\r\n");
    EXPECT_EQ(readBytes(list), "2010\r\nadmin,1,9,1,,0,\r\n");
}

TEST_F(Backups, TheUserListIsRestoredToTheFileTheProgramReads) {
    pool.setCurrentUser("admin");
    commands.backUpAdminData();
    EXPECT_EQ(readBytes(listBackup), "2010\r\nadmin,1,9,1,,0,\r\n");
    writeBytes(list, "2010\r\nadmin,1,9,1,,0,\r\nbob,1,1,0,,0,\r\n");
    program.dialogs.clear();
    commands.restoreAdminData();
    EXPECT_EQ(program.dialogs.shown,
              (std::vector<test::FakeDialogs::Shown>{
                  {"confirm", "Proceed with restore?", "Restore Admin Data"},
                  {"message",
                   "UserList.db has been restored from " + listBackup.string() +
                       ".\nscoresheet97.mdb has been restored from " + gamesBackup.string() + ".",
                   "Restore Admin Data"}}));
    EXPECT_EQ(readBytes(list), "2010\r\nadmin,1,9,1,,0,\r\n");
    EXPECT_FALSE(fs::exists(pool.folders().program / "UserList.dat"));
    // The list in memory waits for the next load.
    EXPECT_EQ(pool.users()[2].name, "ann");
}

// The user list holds passwords: its backup and the list it restores are
// the owner's only, whatever mode an older copy had.
TEST_F(Backups, TheUserListAndItsBackupAreTheOwnersOnly) {
    pool.setCurrentUser("admin");
    fs::permissions(list, fs::perms(0644));
    commands.backUpAdminData();
    EXPECT_EQ(fs::status(listBackup).permissions(), fs::perms(0600));
    fs::permissions(listBackup, fs::perms(0644));
    commands.restoreAdminData();
    EXPECT_EQ(fs::status(list).permissions(), fs::perms(0600));
    EXPECT_EQ(readBytes(list), "2010\r\nadmin,1,9,1,,0,\r\n");
}

// The administrator's data is the user list and the games table: both go
// to their backups and come back together.
TEST_F(Backups, AdminDataTakesTheGamesTableAlong) {
    pool.setCurrentUser("admin");
    commands.backUpAdminData();
    EXPECT_EQ(program.dialogs.messages(),
              std::vector<std::string>{
                  "Backup Admin Data: UserList.db has been backed up to " + listBackup.string() +
                  ".\nscoresheet97.mdb has been backed up to " + gamesBackup.string() + "."});
    EXPECT_EQ(readBytes(gamesBackup), test::binaryBytes());
    writeBytes(games, "scores entered since");
    commands.restoreAdminData();
    EXPECT_EQ(readBytes(games), test::binaryBytes());

    // A backup made before the games table was backed up restores the list
    // alone and says so.
    fs::remove(gamesBackup);
    writeBytes(games, "scores entered since");
    program.dialogs.clear();
    commands.restoreAdminData();
    EXPECT_EQ(readBytes(games), "scores entered since");
    ASSERT_EQ(program.dialogs.messages().size(), 1u);
    EXPECT_NE(program.dialogs.messages()[0].find("There is no backup " + gamesBackup.string() +
                                                 "; scoresheet97.mdb is as it was."),
              std::string::npos)
        << program.dialogs.messages()[0];
}

TEST_F(Backups, AMissingBackupIsReportedAndNothingChanges) {
    commands.restorePicks();
    pool.setCurrentUser("admin");
    commands.restoreAdminData();
    EXPECT_EQ(
        program.dialogs.messages(),
        (std::vector<std::string>{"Restore Picks Data: There is no backup " + picksBackup.string() +
                                      " to restore. Nothing has been changed.",
                                  "Restore Admin Data: There is no backup " + listBackup.string() +
                                      " to restore. Nothing has been changed."}));
    EXPECT_EQ(readBytes(picks), "picks of the week\r\n");
    EXPECT_EQ(readBytes(list), "2010\r\nadmin,1,9,1,,0,\r\n");
}

TEST_F(Backups, AdminDataIsForAdministratorsOnly) {
    commands.backUpAdminData();
    commands.restoreAdminData();
    EXPECT_EQ(program.dialogs.messages(),
              (std::vector<std::string>(2, "Error: You do not have administrator control")));
    EXPECT_FALSE(fs::exists(listBackup));
}

TEST_F(Backups, EachSeasonAndEachUserOfASharedFolderHasItsOwnBackup) {
    test::addUser(pool, 3, "bob");
    writeBytes(pool.folders().program / "bob2010.dat", "bob's picks\r\n");
    writeBytes(pool.folders().program / "ann2011.dat", "ann's 2011 picks\r\n");
    commands.backUpPicks();
    pool.setCurrentUser("bob");
    commands.backUpPicks();
    EXPECT_EQ(readBytes(picksBackup), "picks of the week\r\n");
    EXPECT_EQ(readBytes(pool.folders().program / "bob2010.bak"), "bob's picks\r\n");

    pool.setCurrentUser("ann");
    pool.setSeasonYear("2011");
    writeBytes(pool.folders().program / "ann2011.bak", "ann's older 2011 picks\r\n");
    commands.restorePicks();
    EXPECT_EQ(readBytes(pool.folders().program / "ann2011.dat"), "ann's older 2011 picks\r\n");
    EXPECT_EQ(readBytes(picks), "picks of the week\r\n");
}

TEST_F(Backups, AFailedCopyIsReported) {
    fs::remove(picks);
    commands.backUpPicks();
    // A folder in the place of the pick file cannot be replaced by a copy.
    writeBytes(picksBackup, "old picks\r\n");
    fs::create_directories(picks);
    program.dialogs.clear();
    commands.restorePicks();
    ASSERT_EQ(program.dialogs.shown.size(), 2u);
    EXPECT_EQ(program.dialogs.shown[1].title, "Restore Picks Data");
    EXPECT_TRUE(program.dialogs.shown[1].text.starts_with("The restore failed; " + picks.string()))
        << program.dialogs.shown[1].text;
    EXPECT_TRUE(fs::is_directory(picks));
}

} // namespace
} // namespace gs
