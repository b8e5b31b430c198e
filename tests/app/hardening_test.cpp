// The command line against odd homes, damaged files and a second copy of the
// program: each case ends with a reason and a fitting exit status, and leaves
// every file as it was unless the command's job is to change it.

#include "tests/support/commandrun.h"

#include "core/textfile.h"
#include "tests/support/testsupport.h"

#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace gs {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

using Outcome = test::CommandRun;

Outcome runGridslate(const std::vector<std::string>& args) {
    return test::runGridslate(args, 0);
}

// Restores the working folder of the test process, even when the folder
// the test moved into is gone.
class WorkingFolder {
public:
    WorkingFolder() : m_saved(fs::current_path()) {}
    ~WorkingFolder() { fs::current_path(m_saved); }

private:
    fs::path m_saved;
};

TEST(OddHome, ARelativeHomeInADeletedWorkingFolderIsRefused) {
    TempDir dir;
    fs::path gone = dir.path() / "gone";
    fs::create_directory(gone);
    WorkingFolder restore;
    ASSERT_EQ(::chdir(gone.c_str()), 0);
    ASSERT_EQ(::rmdir(gone.c_str()), 0);
    Outcome outcome;
    ASSERT_NO_THROW(outcome = runGridslate({"--home", "pool", "project"}));
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "gridslate: the folder \"pool\" cannot be found from the working "
                           "folder: No such file or directory\n");
    EXPECT_EQ(outcome.out, "");
}

// A fresh home for each case, run as `gridslate --home HOME ...`.
class Home : public testing::Test {
protected:
    Outcome run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--home", home.path().string()});
        return runGridslate(args);
    }
    fs::path data() const { return home.path() / "data"; }
    fs::path table() const { return data() / "scoresheet97.mdb"; }
    fs::path csv() const { return home.path() / "s.csv"; }
    TempDir home;
};

// A games table file of 0 bytes is no empty season: the command fails, says
// which file and how to recover, and the file stays as it was.
TEST_F(Home, AnEmptyGamesTableFileIsRefusedAndKept) {
    writeBytes(table(), "");
    Outcome outcome = run({"project"});
    EXPECT_EQ(outcome.status, 1);
    std::string expected("gridslate: The games table ");
    expected += table().string();
    expected += " cannot be read: it holds no table \"Scoresheet\". The file was left as it is: "
                "remove it to have the bundled seasons restored, or import a schedule into it.\n";
    EXPECT_EQ(outcome.err, expected);
    EXPECT_EQ(readBytes(table()), "");
}

// The recovery the refusal names: an import fills the file.
TEST_F(Home, AnImportIntoAnEmptyGamesTableFileFillsIt) {
    writeBytes(table(), "");
    writeBytes(csv(), "TeamA,TeamB,Date,Visitor,Home,Year\r\n"
                      "Dallas Cowboys,N.Y. Giants,9/8/2011,,,2011\r\n");
    Outcome outcome = run({"import-schedule", csv().string()});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(test::dumpRecords(test::tableRecords(Pool(home.path()))),
              "Dallas Cowboys|N.Y. Giants|9/8/2011|||2011\n");
}

// A pick file of random bytes is not rewritten as a tidy-looking file full
// of garbage without a trace: it is kept beside, and the person told once.
TEST_F(Home, ADamagedComputerFileIsKeptAndToldOnce) {
    ASSERT_EQ(run({"project"}).status, 0);
    const std::string damage("\x8f\x00\xd3Q\r\x91\n\xfe\x07,,9", 12);
    writeBytes(data() / "PC2010.dat", damage);
    Outcome outcome = run({"project"});
    EXPECT_EQ(outcome.status, 0);
    std::string told("gridslate: The computer player's file ");
    told += (data() / "PC2010.dat").string();
    told += " was damaged. It is kept as PC2010.dat.damaged, and the file was written afresh.\n";
    EXPECT_EQ(outcome.err, told);
    EXPECT_EQ(readBytes(data() / "PC2010.dat.damaged"), damage);
    std::vector<std::string> rewritten = readTextFile(data() / "PC2010.dat").value();
    EXPECT_EQ(rewritten.size(), 17u + 256u);

    outcome = run({"project"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.err, "");
}

// The standings are CSV on standard output; the notice goes apart from them.
TEST_F(Home, ADamagedComputerFileIsToldApartFromTheStandings) {
    ASSERT_EQ(run({"project"}).status, 0);
    writeBytes(data() / "PC2010.dat", "garbage\r\n");
    Outcome outcome = run({"standings"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_TRUE(outcome.out.starts_with("User,Correct,Picks,% Correct\n")) << outcome.out;
    EXPECT_EQ(outcome.out.find("damaged"), std::string::npos) << outcome.out;
    std::string told("gridslate: The computer player's file ");
    told += (data() / "PC2010.dat").string();
    told += " was damaged. It is kept as PC2010.dat.damaged, and the file was written afresh.\n";
    EXPECT_EQ(outcome.err, told);
}

// A pipe in the place of a data file would hang the program, a link to
// /dev/zero exhaust its memory; each is refused with its reason instead.
TEST_F(Home, APipeInsteadOfAPickFileIsRefused) {
    ASSERT_EQ(run({"project"}).status, 0);
    fs::path picks = data() / "admin2010.dat";
    fs::remove(picks);
    ASSERT_EQ(::mkfifo(picks.c_str(), 0600), 0);
    Outcome outcome = run({"project"});
    EXPECT_EQ(outcome.status, 1);
    std::string expected("gridslate: The pick file ");
    expected += picks.string();
    expected += " cannot be read: it is not a regular file (a pipe, a device or the like)\n";
    EXPECT_EQ(outcome.err, expected);
    EXPECT_TRUE(fs::is_fifo(picks));
}

TEST_F(Home, APipeInsteadOfTheGamesTableIsRefused) {
    fs::create_directories(data());
    ASSERT_EQ(::mkfifo(table().c_str(), 0600), 0);
    Outcome outcome = run({"project"});
    EXPECT_EQ(outcome.status, 1);
    std::string expected("gridslate: The games table ");
    expected += table().string();
    expected += " cannot be read: it is not a regular file (a pipe, a device or the like)\n";
    EXPECT_EQ(outcome.err, expected);
    EXPECT_TRUE(fs::is_fifo(table()));
}

// The computer player's file is the program's own: a link to /dev/zero in
// its place is kept aside like any damaged file and the file written anew.
TEST_F(Home, ALinkToDevZeroInsteadOfTheComputersFileIsKeptAside) {
    ASSERT_EQ(run({"project"}).status, 0);
    fs::path pc = data() / "PC2010.dat";
    fs::remove(pc);
    fs::create_symlink("/dev/zero", pc);
    Outcome outcome = run({"project"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_TRUE(fs::is_symlink(data() / "PC2010.dat.damaged"));
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(pc)));
}

// A huge old-scores file is not read whole, nor replaced: the season before
// is counted from the games table, and the person is told.
TEST_F(Home, AHugeOldScoresFileIsLeftAloneWithAWarning) {
    ASSERT_EQ(run({"project"}).status, 0);
    fs::path oldScores = data() / "oldscores2009.dat";
    fs::resize_file(oldScores, 3ull << 30); // sparse: no disk space is used
    Outcome outcome = run({"project"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    std::string expected("gridslate: The old-scores file ");
    expected += oldScores.string();
    expected += " cannot be read: it is larger than 4 MB, more than any file of a pool holds. It "
                "was left as it is; the season before is counted from the games table instead.\n";
    EXPECT_EQ(outcome.err, expected);
    EXPECT_EQ(fs::file_size(oldScores), 3ull << 30);
    EXPECT_NE(outcome.out.find("Season 2010: week 9 is current"), std::string::npos);
}

// Temporaries that killed runs left in the data folder go at the next start.
TEST_F(Home, LeftoverTemporariesAreRemovedAtStart) {
    ASSERT_EQ(run({"project"}).status, 0);
    const std::vector<std::string> leftovers = {".PC2010.dat.k1LLed", ".scoresheet97.mdb.q8Rt2W",
                                                ".scoresheet97.mdb.q8Rt2W-journal"};
    for (const std::string& name : leftovers)
        writeBytes(data() / name, std::string(1000, 'x'));
    EXPECT_EQ(run({"players"}).status, 0);
    for (const std::string& name : leftovers)
        EXPECT_FALSE(fs::exists(data() / name)) << name;
}

// The summary line reads as success; a failed run prints none.
TEST_F(Home, AFailedProjectPrintsNoSummary) {
    writeBytes(table(), "");
    Outcome outcome = run({"project"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, "");
}

TEST_F(Home, AnEmptyUserNameIsRefusedBeforeAnythingIsLookedUp) {
    Outcome outcome = run({"--user", "", "project"});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.err,
              "gridslate: --user takes a user's name, not an empty one (see gridslate --help)\n");
    EXPECT_TRUE(fs::is_empty(home.path()));
}

// Two commands that both find admin's pick file missing both succeed, and
// neither replaces the file the other made.
TEST_F(Home, TwoRunsMakingTheSamePickFileBothSucceed) {
    ASSERT_EQ(run({"players"}).status, 0);
    for (int round = 0; round < 20; ++round) {
        fs::remove(data() / "admin2010.dat");
        std::vector<pid_t> runs;
        for (int k = 0; k < 2; ++k) {
            pid_t child = ::fork();
            if (child == 0) {
                Outcome outcome = run({"project"});
                ::_exit(outcome.status == 0 ? 0 : 1);
            }
            runs.push_back(child);
        }
        for (pid_t child : runs) {
            int status = 0;
            ::waitpid(child, &status, 0);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "round " << round;
        }
    }
}

// Runs each job in a child process at the same moment; true when all of
// them exited 0.
bool allSucceedTogether(const std::vector<std::function<Outcome()>>& jobs) {
    int start[2];
    if (::pipe(start) != 0)
        return false;
    std::vector<pid_t> children;
    for (const auto& job : jobs) {
        pid_t child = ::fork();
        if (child == 0) {
            char go = 0;
            bool started = ::read(start[0], &go, 1) == 1;
            ::_exit(started && job().status == 0 ? 0 : 1);
        }
        children.push_back(child);
    }
    std::string go(jobs.size(), 'g');
    bool released = ::write(start[1], go.data(), go.size()) == static_cast<ssize_t>(go.size());
    ::close(start[0]);
    ::close(start[1]);
    bool all = released;
    for (pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        all = all && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    return all;
}

// Two scripts adding a player each at the same moment: both players stay,
// since the second one reads the list again once the first saved it.
TEST_F(Home, TwoPlayersAddedAtOnceAreBothKept) {
    ASSERT_EQ(run({"players"}).status, 0);
    const std::string list = readBytes(data() / "UserList.db");
    for (int pair = 0; pair < 100; ++pair) {
        std::string ann = "ann" + std::to_string(pair);
        std::string bob = "bob" + std::to_string(pair);
        ASSERT_TRUE(allSucceedTogether({[&] {
                                            return run({"add-player", ann, "--active"});
                                        },
                                        [&] {
                                            return run({"add-player", bob, "--active"});
                                        }}))
            << "pair " << pair;
        Outcome players = run({"players"});
        EXPECT_NE(players.out.find(ann + ",1,0,"), std::string::npos) << players.out;
        EXPECT_NE(players.out.find(bob + ",1,0,"), std::string::npos) << players.out;
        writeBytes(data() / "UserList.db", list);
    }
}

// Two first starts on one new home: one builds the games table while the
// other, starting, looks for leftovers of killed runs. Neither takes the
// other's files for leftovers.
TEST(FirstStart, TwoProgramsStartingOnANewHomeBothSucceed) {
    TempDir dir;
    for (int pair = 0; pair < 100; ++pair) {
        fs::path home = dir.path() / std::to_string(pair);
        auto start = [&] { return test::runGridslateIn(home, {"players"}); };
        ASSERT_TRUE(allSucceedTogether({start, start})) << "pair " << pair;
    }
}

// `cp -a A C` copies a user list that names A's data folder: C's commands
// keep their files in C, also once A is gone.
TEST(CopiedHome, KeepsItsPickFilesInItsOwnDataFolder) {
    TempDir dir;
    fs::path a = dir.path() / "A";
    fs::path c = dir.path() / "C";
    ASSERT_EQ(runGridslate({"--home", a.string(), "project"}).status, 0);
    fs::copy(a, c, fs::copy_options::recursive);
    std::string userList = readBytes(c / "data" / "UserList.db");
    Outcome outcome = runGridslate({"--home", c.string(), "--season", "2011", "project"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    for (const char* name : {"PC2011.dat", "admin2011.dat"}) {
        EXPECT_TRUE(fs::exists(c / "data" / name)) << name;
        EXPECT_FALSE(fs::exists(a / "data" / name)) << name;
    }
    EXPECT_EQ(readBytes(c / "data" / "UserList.db"), userList); // its format stays

    fs::remove_all(a);
    outcome = runGridslate({"--home", c.string(), "--season", "2012", "project"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_TRUE(fs::exists(c / "data" / "admin2012.dat"));
    EXPECT_FALSE(fs::exists(a));
}

} // namespace
} // namespace gs
