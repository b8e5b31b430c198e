#include "app/commandline.h"

#include "core/textfile.h"
#include "core/version.h"
#include "schedule/gamesdb.h"
#include "tests/support/testsupport.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <ostream>
#include <sstream>

namespace gs {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

struct ParseCase {
    const char* name;
    std::vector<std::string> args;
    bool ok;
    std::string expected; // the error, or a summary of what was parsed
};

void PrintTo(const ParseCase& c, std::ostream* os) {
    *os << c.name << " (";
    for (size_t i = 0; i < c.args.size(); ++i)
        *os << (i ? " " : "") << c.args[i];
    *os << ")";
}

std::string summary(const CommandLine& line) {
    std::string s;
    auto add = [&](const char* key, const std::optional<std::string>& value) {
        if (!value)
            return;
        s += key;
        s += '=';
        s += *value;
        s += ' ';
    };
    add("home", line.home);
    add("user", line.user);
    add("season", line.season);
    add("date", line.referenceDate);
    if (line.help)
        s += "help ";
    if (line.version)
        s += "version ";
    for (const auto& word : line.command) {
        s += '[';
        s += word;
        s += ']';
    }
    return s;
}

class Parse : public testing::TestWithParam<ParseCase> {};

TEST_P(Parse, Arguments) {
    Result<CommandLine> line = parseCommandLine(GetParam().args);
    EXPECT_EQ(line.has_value(), GetParam().ok);
    EXPECT_EQ(line ? summary(*line) : line.error().message, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Parse,
    testing::Values(
        ParseCase{"Nothing", {}, true, ""},
        ParseCase{"AllOptions",
                  {"--home", "/h", "--user", "ann", "--season", "2011", "--reference-date",
                   "9/9/2010", "project"},
                  true,
                  "home=/h user=ann season=2011 date=9/9/2010 [project]"},
        ParseCase{"EqualsForm",
                  {"--home=/h", "import-schedule", "f.csv"},
                  true,
                  "home=/h [import-schedule][f.csv]"},
        ParseCase{"OptionsAfterTheCommandBelongToIt",
                  {"project", "--user", "x"},
                  true,
                  "[project][--user][x]"},
        ParseCase{"Help", {"--help"}, true, "help "},
        ParseCase{"Version", {"--version"}, true, "version "},
        ParseCase{"MissingValue", {"--home"}, false, "--home needs a value"},
        ParseCase{"UnknownOption", {"--colour"}, false, "unknown option --colour"},
        ParseCase{
            "BadSeason", {"--season", "10"}, false, "--season takes a four-digit year, not \"10\""},
        ParseCase{"BadDate",
                  {"--reference-date", "2/30/2010"},
                  false,
                  "--reference-date takes a date M/D/YYYY or today, not \"2/30/2010\""}),
    [](const auto& info) { return std::string(info.param.name); });

class Commands : public testing::Test {
protected:
    TempDir home;
    std::ostringstream out, err;
    bool windowStarted = false;
    std::filesystem::path windowProgramFolder;

    std::string startError;

    int run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--home", home.path().string()});
        return runCommandLine(
            args,
            [this](Pool& pool) {
                windowStarted = true;
                windowProgramFolder = pool.folders.program;
                return 0;
            },
            out, err, [this](const std::string& reason) { startError = reason; });
    }
    fs::path data() const { return home.path() / "data"; }
    std::vector<GameRecord> records() const { return test::tableRecords(Pool(home.path())); }
    fs::path csv() const { return home.path() / "s.csv"; }
};

TEST_F(Commands, ASeasonTheTableDoesNotHoldIsRefusedNamingTheOnesItHolds) {
    EXPECT_EQ(run({"--season", "2021", "project"}), 1);
    EXPECT_EQ(err.str(), "gridslate: The games table holds no season 2021; it holds 2015, 2014, "
                         "2013, 2012, 2011, 2010, 2009.\n");
}

TEST_F(Commands, HelpShowsTheUsage) {
    EXPECT_EQ(run({"--help"}), 0);
    EXPECT_EQ(out.str(), usageText());
    EXPECT_NE(out.str().find("import-schedule [--from YYYY] [--overwrite] FILE.csv"),
              std::string::npos);
    EXPECT_EQ(err.str(), "");
    EXPECT_FALSE(windowStarted);
}

TEST_F(Commands, VersionShowsTheProgramsVersion) {
    EXPECT_EQ(run({"--version"}), 0);
    std::string expected("gridslate ");
    expected += kVersion;
    expected += '\n';
    EXPECT_EQ(out.str(), expected);
    EXPECT_EQ(err.str(), "");
    EXPECT_FALSE(windowStarted);
    EXPECT_TRUE(fs::is_empty(home.path())); // nothing is read or written
}

TEST_F(Commands, AnUnknownCommandIsRefused) {
    EXPECT_EQ(run({"frobnicate"}), 2);
    EXPECT_EQ(err.str(), "gridslate: unknown command frobnicate (see gridslate --help)\n");
    EXPECT_FALSE(windowStarted);
}

TEST_F(Commands, NoCommandStartsTheWindowWithTheBundledSeasons) {
    EXPECT_EQ(run({}), 0);
    EXPECT_TRUE(windowStarted);
    EXPECT_EQ(windowProgramFolder, data());
    EXPECT_EQ(records().size(), 1792u);
    EXPECT_FALSE(fs::exists(data() / "UserList.db")); // nothing else is read or written
}

TEST_F(Commands, AWindowThatCannotStartSaysWhyOnScreenAsWell) {
    // The data folder's place is taken by a file: no games table can be made.
    writeBytes(data(), "not a folder");
    EXPECT_EQ(run({}), 1);
    EXPECT_FALSE(windowStarted);
    ASSERT_FALSE(startError.empty());
    EXPECT_NE(startError.find("scoresheet97.mdb"), std::string::npos) << startError;
    EXPECT_EQ(err.str(), "gridslate: " + startError + "\n");
    EXPECT_EQ(readBytes(data()), "not a folder");

    // A command has a terminal: its reason goes there only.
    startError.clear();
    err.str("");
    EXPECT_EQ(run({"project"}), 1);
    EXPECT_TRUE(startError.empty());
    EXPECT_NE(err.str().find("scoresheet97.mdb"), std::string::npos) << err.str();
}

TEST_F(Commands, ImportReplacesTheSeasonsOfTheFile) {
    writeBytes(csv(), "TeamA,TeamB,Date,Visitor,Home,Year\r\n"
                      "Dallas Cowboys,N.Y. Giants,9/8/2011,,,2011\r\n"
                      "Miami Dolphins,N.Y. Jets,9/11/2011,3,10,2011\r\n");
    ASSERT_EQ(run({"import-schedule", csv().string()}), 0) << err.str();
    std::string imported("Imported ");
    imported += csv().string();
    imported += '\n';
    EXPECT_EQ(out.str(), imported);
    EXPECT_EQ(records().size(), 1792u - 256u + 2u);
    EXPECT_EQ(test::dumpRecords({records().at(513)}),
              "Miami Dolphins|N.Y. Jets|9/11/2011|3|10|2011\n");
}

TEST_F(Commands, AnImportWithABadLineChangesNothing) {
    ASSERT_EQ(run({}), 0); // the bundled seasons
    std::string before = readBytes(data() / "scoresheet97.mdb");
    writeBytes(csv(), "TeamA,TeamB,Date,Visitor,Home,Year\n"
                      "Dallas Cowboys,N.Y. Giants,9/8/2011,,,2011\n"
                      "Dallas Cowboy,N.Y. Giants,9/8/2011,,,2011\n");
    EXPECT_EQ(run({"import-schedule", csv().string()}), 1);
    std::string expected("gridslate: ");
    expected += csv().string();
    expected += ": line 3: unknown team \"Dallas Cowboy\"\n";
    EXPECT_EQ(err.str(), expected);
    EXPECT_EQ(readBytes(data() / "scoresheet97.mdb"), before);
}

TEST_F(Commands, CommunityFileIsMergedAndItsConflictsNeedOverwrite) {
    const std::string header =
        "season,game_type,week,gameday,gametime,away_team,home_team,away_score,home_score\n";
    writeBytes(csv(), header + "2016,REG,1,2016-09-08,20:30,CAR,DEN,20,21\n");
    ASSERT_EQ(run({"import-schedule", csv().string()}), 0) << err.str();
    EXPECT_EQ(out.str(), "Updated season 2016 (1 game): added 1 game, removed 0, changed the date "
                         "or week of 0; entered the scores of 1 game; 0 games already held their "
                         "scores. Skipped 0 seasons before 2016 and 0 playoff games.\n");

    writeBytes(csv(), header + "2016,REG,1,2016-09-08,20:30,CAR,DEN,20,24\n");
    std::string before = readBytes(data() / "scoresheet97.mdb");
    out.str("");
    EXPECT_EQ(run({"import-schedule", csv().string()}), 1);
    EXPECT_EQ(err.str(), "gridslate: " + csv().string() +
                             ": The file was refused and the games table was left as it is: 1 "
                             "game is in conflict with it: 2016 week 1, Carolina Panthers at "
                             "Denver Broncos on 9/8/2016: the table holds 20-21, the file 20-24.\n"
                             "gridslate: import the file with --overwrite to take its word for "
                             "these games\n");
    EXPECT_EQ(readBytes(data() / "scoresheet97.mdb"), before);
    err.str("");
    EXPECT_EQ(run({"import-schedule", "--overwrite", csv().string()}), 0) << err.str();
    EXPECT_EQ(records().back().homeScore, "24");

    for (const char* from : {"--from=16", "--from"}) {
        err.str("");
        EXPECT_EQ(run({"import-schedule", from, csv().string()}), 2);
        EXPECT_EQ(err.str(), "gridslate: import-schedule takes one file: import-schedule [--from "
                             "YYYY] [--overwrite] FILE.csv\n");
    }
}

TEST_F(Commands, ProjectWritesTheComputerPlayersFile) {
    ASSERT_EQ(run({"project"}), 0) << err.str();
    std::vector<std::string> pc = readTextFile(data() / "PC2010.dat").value();
    EXPECT_EQ(pc.size(), 17u + 256u);
    EXPECT_NE(out.str().find("Season 2010: week 9 is current"), std::string::npos) << out.str();
    EXPECT_EQ(err.str(), "");
}

TEST_F(Commands, ProjectRunsTheRatingPlayerOnceItIsAdded) {
    ASSERT_EQ(run({"project"}), 0) << err.str();
    EXPECT_FALSE(fs::exists(data() / "ELO2010.dat"));
    ASSERT_EQ(run({"add-player", "ELO"}), 0) << err.str();
    ASSERT_EQ(run({"project"}), 0) << err.str();
    std::vector<std::string> elo = readTextFile(data() / "ELO2010.dat").value();
    ASSERT_EQ(elo.size(), 17u + 256u);
    // Weeks 1..9 picked, a game a team; week 9, the coming one, has 13 games.
    EXPECT_EQ(std::count(elo[8].begin(), elo[8].end(), '1'), 13);
    EXPECT_EQ(std::count(elo[9].begin(), elo[9].end(), '1'), 0);
    std::string before = readBytes(data() / "ELO2010.dat");
    ASSERT_EQ(run({"project"}), 0) << err.str();
    EXPECT_EQ(readBytes(data() / "ELO2010.dat"), before);
    EXPECT_EQ(err.str(), "");
}

TEST_F(Commands, UserMustBeOnTheList) {
    EXPECT_EQ(run({"--user", "nobody", "project"}), 1);
    EXPECT_EQ(err.str(), "gridslate: user \"nobody\" is not on the user list\n");
}

} // namespace
} // namespace gs
