#include "utilities/backup.h"

#include "core/userlist.h"
#include "tests/support/testsupport.h"

namespace gs {
namespace {

using Shown = std::vector<test::FakeDialogs::Shown>;

const std::string kList = "2010\r\nadmin,1,9,1,,0,\r\n";

// ann's picks, the user list and the games table, and their backups.
class Backups : public testing::Test {
protected:
    test::PoolFixture program;
    Pool& pool = program.pool;
    BackupCommands commands{program.pool, program.dialogs};
    const fs::path picks = file("ann2010.dat");
    const fs::path picksBackup = file("ann2010.bak");
    const fs::path list = file("UserList.db");
    const fs::path listBackup = file("UserList.bak");
    const fs::path games = file("scoresheet97.mdb");
    const fs::path gamesBackup = file("scoresheet97.bak");

    fs::path file(const char* name) const { return pool.folders().program / name; }

    void SetUp() override {
        test::addUser(pool, 1, "admin", 1);
        test::addUser(pool, 2, "ann");
        pool.setCurrentUser("ann");
        writeBytes(picks, "picks of the week\r\n");
        writeBytes(list, kList);
        test::writeGamesTable(games, test::seasonRecords(2010));
        gamesBytes = readBytes(games);
    }
    std::string gamesBytes;
};

// Each user of a shared folder, and each season, has a backup of his own.
TEST_F(Backups, PicksGoToTheirBackupAndComeBackAfterTheQuestion) {
    test::addUser(pool, 3, "bob");
    writeBytes(file("bob2010.dat"), "bob's picks\r\n");
    commands.backUpPicks();
    EXPECT_EQ(program.dialogs.messages(),
              std::vector<std::string>{"Backup Picks Data: ann2010.dat has been backed up to " +
                                       picksBackup.string() + "."});
    pool.setCurrentUser("bob");
    commands.backUpPicks();
    EXPECT_EQ(readBytes(picksBackup) + readBytes(file("bob2010.bak")),
              "picks of the week\r\nbob's picks\r\n");

    pool.setCurrentUser("ann");
    writeBytes(picks, "picks changed since\r\n");
    program.dialogs.confirmAnswers = {false}; // Cancel leaves the file as it is
    commands.restorePicks();
    EXPECT_EQ(readBytes(picks), "picks changed since\r\n");
    program.dialogs.clear();
    commands.restorePicks();
    EXPECT_EQ(program.dialogs.shown,
              (Shown{{"confirm", "Proceed with restore?", "Restore Picks Data"},
                     {"message", "ann2010.dat has been restored from " + picksBackup.string() + ".",
                      "Restore Picks Data"}}));
    EXPECT_EQ(readBytes(picks), "picks of the week\r\n");

    pool.setSeasonYear(2011);
    writeBytes(file("ann2011.bak"), "ann's 2011 picks\r\n");
    commands.restorePicks();
    EXPECT_EQ(readBytes(file("ann2011.dat")) + readBytes(picks),
              "ann's 2011 picks\r\npicks of the week\r\n");
}

// The administrator's data is the user list and the games table: both go
// to their backups and come back together, to the files the program reads.
// The user list holds passwords: its backup and the list it restores are the
// owner's only, whatever mode an older copy had.
TEST_F(Backups, AdminDataIsTheUserListAndTheGamesTable) {
    pool.setCurrentUser("admin");
    fs::permissions(list, fs::perms(0644));
    commands.backUpAdminData();
    EXPECT_EQ(program.dialogs.messages(),
              std::vector<std::string>{
                  "Backup Admin Data: UserList.db has been backed up to " + listBackup.string() +
                  ".\nscoresheet97.mdb has been backed up to " + gamesBackup.string() + "."});
    EXPECT_EQ(readBytes(listBackup) + readBytes(gamesBackup), kList + gamesBytes);
    EXPECT_EQ(fs::status(listBackup).permissions(), fs::perms(0600));

    fs::permissions(listBackup, fs::perms(0644));
    writeBytes(list, kList + "bob,1,1,0,,0,\r\n");
    writeBytes(games, "scores entered since");
    program.dialogs.confirmAnswers = {false}; // Cancel leaves both as they are
    commands.restoreAdminData();
    EXPECT_EQ(readBytes(list) + readBytes(games), kList + "bob,1,1,0,,0,\r\nscores entered since");
    program.dialogs.clear();
    commands.restoreAdminData();
    EXPECT_EQ(
        program.dialogs.shown,
        (Shown{{"confirm", "Proceed with restore?", "Restore Admin Data"},
               {"message",
                "UserList.db has been restored from " + listBackup.string() +
                    ".\nscoresheet97.mdb has been restored from " + gamesBackup.string() + ".",
                "Restore Admin Data"}}));
    EXPECT_EQ(readBytes(list) + readBytes(games), kList + gamesBytes);
    EXPECT_EQ(fs::status(list).permissions(), fs::perms(0600));
    EXPECT_FALSE(fs::exists(file("UserList.dat")));
    EXPECT_EQ(pool.users()[2].name, "ann"); // the list in memory waits for the next load

    // A backup of the games table that would run code of its own at the
    // next write is refused, and the list stays too.
    ASSERT_TRUE(test::runSql(gamesBackup, "CREATE TRIGGER t AFTER UPDATE ON Scoresheet BEGIN "
                                          "DELETE FROM Scoresheet; END"));
    writeBytes(list, kList + "bob,1,1,0,,0,\r\n");
    program.dialogs.clear();
    commands.restoreAdminData();
    EXPECT_EQ(program.dialogs.messages(),
              std::vector<std::string>{"Restore Admin Data: The backup " + gamesBackup.string() +
                                       " is not a games table that can be restored: it holds the "
                                       "trigger \"t\" besides the table \"Scoresheet\". Nothing "
                                       "has been changed."});
    EXPECT_EQ(readBytes(list) + readBytes(games), kList + "bob,1,1,0,,0,\r\n" + gamesBytes);

    // A backup made before the games table was backed up restores the list
    // alone and says so.
    fs::remove(gamesBackup);
    writeBytes(games, "scores entered since");
    program.dialogs.clear();
    commands.restoreAdminData();
    EXPECT_EQ(readBytes(games), "scores entered since");
    EXPECT_THAT(program.dialogs.messages(), testing::ElementsAre(testing::HasSubstr(
                                                "There is no backup " + gamesBackup.string() +
                                                "; scoresheet97.mdb is as it was.")));
}

// The administrator's data is his only; a missing backup changes nothing.
TEST_F(Backups, ARestoreWithoutRightsOrBackupChangesNothing) {
    commands.backUpAdminData();
    commands.restoreAdminData();
    commands.restorePicks();
    pool.setCurrentUser("admin");
    commands.restoreAdminData();
    const std::string notAdmin = "Error: You do not have administrator control";
    EXPECT_EQ(
        program.dialogs.messages(),
        (std::vector<std::string>{notAdmin, notAdmin,
                                  "Restore Picks Data: There is no backup " + picksBackup.string() +
                                      " to restore. Nothing has been changed.",
                                  "Restore Admin Data: There is no backup " + listBackup.string() +
                                      " to restore. Nothing has been changed."}));
    EXPECT_EQ(readBytes(picks) + readBytes(list), "picks of the week\r\n" + kList);
    EXPECT_FALSE(fs::exists(listBackup));
}

TEST_F(Backups, AFailedCopyIsReported) {
    // A folder in the place of the pick file cannot be replaced by a copy.
    writeBytes(picksBackup, "old picks\r\n");
    fs::remove(picks);
    fs::create_directories(picks);
    commands.restorePicks();
    EXPECT_THAT(program.dialogs.messages(),
                testing::ElementsAre(testing::StartsWith(
                    "Restore Picks Data: The restore failed; " + picks.string())));
    EXPECT_TRUE(fs::is_directory(picks));
}

} // namespace
} // namespace gs
