// The command line against odd homes, damaged files and a second copy of the
// program: each case ends with a reason and a fitting exit status, and leaves
// every file as it was unless the command's job is to change it.

#include "tests/support/commandrun.h"
#include "tests/support/namedcases.h"

#include "tests/support/testsupport.h"

#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace gs {
namespace {

using Outcome = test::CommandRun;

// A fresh home for each case, run as `gridslate --home HOME ...`.
class Home : public testing::Test {
protected:
    Outcome run(const std::vector<std::string>& args) {
        return test::runGridslateIn(home.path(), args);
    }
    fs::path data() const { return home.path() / "data"; }
    TempDir home;
};

// What stands at a path, without following a link; the size of a regular
// file.
std::string standing(const fs::path& path) {
    fs::file_status status = fs::symlink_status(path);
    std::string text = std::to_string(static_cast<int>(status.type()));
    if (status.type() == fs::file_type::regular)
        text += " of " + std::to_string(fs::file_size(path)) + " bytes";
    return text;
}

struct PlantedFile : test::NamedCase {
    const char* file; // in the data folder, replaced after a first run
    std::string what; // "pipe", "link" (to /dev/zero), "huge" (3 GB) or the bytes
    const char* command;
    int status;
    const char* told; // part of the one line on standard error
};

class Planted : public Home, public testing::WithParamInterface<PlantedFile> {};

constexpr const char* kDamaged = " was damaged. It is kept as PC2010.dat.damaged";

// A pipe in the place of a data file would hang the program, a link to
// /dev/zero or a huge file exhaust its memory, an empty games table lose
// every season; a damaged computer player's file, the program's own, is
// kept aside and written afresh. Failures print no summary that reads as
// success, and notices stay apart from what a command prints.
TEST_P(Planted, EndsWithItsReasonAndKeepsTheFile) {
    const PlantedFile& c = GetParam();
    ASSERT_EQ(run({"project"}).status, 0);
    fs::path file = data() / c.file;
    fs::remove(file);
    if (c.what == "pipe")
        ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
    else if (c.what == "link")
        fs::create_symlink("/dev/zero", file);
    else
        writeBytes(file, c.what == "huge" ? "" : c.what);
    if (c.what == "huge")
        fs::resize_file(file, 3ull << 30); // sparse: no disk space is used
    std::string planted = standing(file);
    Outcome outcome = run({c.command});
    EXPECT_EQ(outcome.status, c.status);
    EXPECT_TRUE(outcome.err.starts_with("gridslate: ")) << outcome.err;
    EXPECT_NE(outcome.err.find(file.string()), std::string::npos) << outcome.err;
    EXPECT_NE(outcome.err.find(c.told), std::string::npos) << outcome.err;
    EXPECT_EQ(outcome.out.empty(), c.status != 0) << outcome.out;
    EXPECT_EQ(outcome.out.find("damaged"), std::string::npos) << outcome.out;
    EXPECT_EQ(
        standing(std::string(c.told) == kDamaged ? file.string() + ".damaged" : file.string()),
        planted);
}

constexpr const char* kNotRegular = "it is not a regular file (a pipe, a device or the like)";

INSTANTIATE_TEST_SUITE_P(
    Cases, Planted,
    testing::Values(
        PlantedFile{"EmptyGamesTable", "scoresheet97.mdb", "", "project", 1, "holds no table"},
        PlantedFile{"PipeForTheGamesTable", "scoresheet97.mdb", "pipe", "project", 1, kNotRegular},
        PlantedFile{"PipeForAPickFile", "admin2010.dat", "pipe", "project", 1, kNotRegular},
        PlantedFile{"DamagedComputerFile", "PC2010.dat",
                    std::string("\x8f\x00\xd3Q\r\x91\n\xfe\x07,,9", 12), "project", 0, kDamaged},
        PlantedFile{"DamagedComputerFileBesideTheStandings", "PC2010.dat", "garbage\r\n",
                    "standings", 0, kDamaged},
        PlantedFile{"LinkToDevZeroForTheComputerFile", "PC2010.dat", "link", "project", 0,
                    kDamaged},
        PlantedFile{"HugeOldScoresFile", "oldscores2009.dat", "huge", "project", 0,
                    "it is larger than 4 MB"}),
    test::caseName);

// The recovery an empty games table's refusal names: an import fills it.
TEST_F(Home, AnImportIntoAnEmptyGamesTableFileFillsIt) {
    writeBytes(data() / "scoresheet97.mdb", "");
    writeBytes(home.path() / "s.csv", "TeamA,TeamB,Date,Visitor,Home,Year\r\n"
                                      "Dallas Cowboys,N.Y. Giants,9/8/2011,,,2011\r\n");
    Outcome outcome = run({"import-schedule", (home.path() / "s.csv").string()});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "Imported " + (home.path() / "s.csv").string() + "\n");
    EXPECT_EQ(test::dumpRecords(test::tableRecords(Pool(home.path()))),
              "Dallas Cowboys|N.Y. Giants|9/8/2011|||2011\n");
}

// Runs each job in a child process, all of them released at the same
// moment; true when all of them exited 0.
bool allSucceedTogether(const std::vector<std::function<Outcome()>>& jobs) {
    int start[2];
    if (::pipe(start) != 0)
        return false;
    std::vector<pid_t> children;
    for (const auto& job : jobs) {
        if (pid_t child = ::fork(); child != 0) {
            children.push_back(child);
            continue;
        }
        // Released when every writer closed its end: the end of the pipe.
        ::close(start[1]);
        char go = 0;
        ::_exit(::read(start[0], &go, 1) == 0 && job().status == 0 ? 0 : 1);
    }
    ::close(start[0]);
    ::close(start[1]);
    bool all = true;
    for (pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        all = all && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    return all;
}

// Two commands that both find admin's pick file missing both succeed, and
// neither replaces the file the other made.
TEST_F(Home, TwoRunsMakingTheSamePickFileBothSucceed) {
    ASSERT_EQ(run({"players"}).status, 0);
    auto project = [&] { return run({"project"}); };
    for (int round = 0; round < 20; ++round) {
        fs::remove(data() / "admin2010.dat");
        EXPECT_TRUE(allSucceedTogether({project, project})) << "round " << round;
    }
}

// Two scripts adding a player each at the same moment: both players stay,
// since the second one reads the list again once the first saved it. A
// temporary that a killed run left goes at the next start.
TEST_F(Home, TwoPlayersAddedAtOnceAreBothKept) {
    ASSERT_EQ(run({"players"}).status, 0);
    const std::string list = readBytes(data() / "UserList.db");
    writeBytes(data() / ".PC2010.dat.k1LLed", std::string(1000, 'x'));
    auto add = [&](const std::string& name) {
        return [&, name] { return run({"add-player", name, "--active"}); };
    };
    for (int pair = 0; pair < 100; ++pair) {
        std::string ann = "ann" + std::to_string(pair);
        std::string bob = "bob" + std::to_string(pair);
        ASSERT_TRUE(allSucceedTogether({add(ann), add(bob)})) << "pair " << pair;
        Outcome players = run({"players"});
        EXPECT_NE(players.out.find(ann + ",1,0,"), std::string::npos) << players.out;
        EXPECT_NE(players.out.find(bob + ",1,0,"), std::string::npos) << players.out;
        writeBytes(data() / "UserList.db", list);
    }
    EXPECT_FALSE(fs::exists(data() / ".PC2010.dat.k1LLed"));
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

} // namespace
} // namespace gs
