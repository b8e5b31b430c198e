#include "app/commandline.h"

#include "core/textfile.h"
#include "core/version.h"
#include "schedule/gamesdb.h"
#include "tests/support/testsupport.h"

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
    CommandLine line;
    std::string error;
    bool ok = parseCommandLine(GetParam().args, line, error);
    EXPECT_EQ(ok, GetParam().ok);
    EXPECT_EQ(ok ? summary(line) : error, GetParam().expected);
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

// Runs that end before a pool is looked for: nothing is read or written.
TEST_F(Commands, HelpVersionAndRefusedArgumentsTouchNoFile) {
    struct Case {
        const char* name;
        std::vector<std::string> args;
        int status;
        std::string out;
        std::string err;
    };
    const Case cases[] = {
        {"Help", {"--help"}, 0, usageText(), ""},
        {"Version", {"--version"}, 0, std::string("gridslate ") + kVersion + "\n", ""},
        {"UnknownCommand",
         {"frobnicate"},
         2,
         "",
         "gridslate: unknown command frobnicate (see gridslate --help)\n"},
        {"EmptyUser",
         {"--user", "", "project"},
         2,
         "",
         "gridslate: --user takes a user's name, not an empty one (see gridslate --help)\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        out.str("");
        err.str("");
        EXPECT_EQ(run(c.args), c.status);
        EXPECT_EQ(out.str(), c.out);
        EXPECT_EQ(err.str(), c.err);
    }
    EXPECT_FALSE(windowStarted);
    EXPECT_TRUE(fs::is_empty(home.path()));
}

TEST_F(Commands, ASeasonTheTableDoesNotHoldIsRefusedNamingTheOnesItHolds) {
    EXPECT_EQ(run({"--season", "2021", "project"}), 1);
    EXPECT_EQ(err.str(), "gridslate: The games table holds no season 2021; it holds 2015, 2014, "
                         "2013, 2012, 2011, 2010, 2009.\n");
}

TEST_F(Commands, UserMustBeOnTheList) {
    EXPECT_EQ(run({"--user", "nobody", "project"}), 1);
    EXPECT_EQ(err.str(), "gridslate: user \"nobody\" is not on the user list\n");
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
    EXPECT_NE(startError.find("scoresheet97.mdb"), std::string::npos) << startError;
    EXPECT_EQ(err.str(), "gridslate: " + startError + "\n");

    // A command has a terminal: its reason goes there only.
    startError.clear();
    EXPECT_EQ(run({"project"}), 1);
    EXPECT_TRUE(startError.empty());
}

TEST_F(Commands, ImportScheduleNeedsOverwriteForConflicts) {
    const std::string header =
        "season,game_type,week,gameday,gametime,away_team,home_team,away_score,home_score\n";
    writeBytes(csv(), header + "2016,REG,1,2016-09-08,20:30,CAR,DEN,20,21\n");
    ASSERT_EQ(run({"import-schedule", csv().string()}), 0) << err.str();
    EXPECT_TRUE(out.str().starts_with("Updated season 2016 (1 game)")) << out.str();

    writeBytes(csv(), header + "2016,REG,1,2016-09-08,20:30,CAR,DEN,20,24\n");
    std::string before = readBytes(data() / "scoresheet97.mdb");
    EXPECT_EQ(run({"import-schedule", csv().string()}), 1);
    EXPECT_TRUE(err.str().starts_with("gridslate: " + csv().string() + ": The file was refused"));
    EXPECT_TRUE(err.str().ends_with("\ngridslate: import the file with --overwrite to take its "
                                    "word for these games\n"))
        << err.str();
    EXPECT_EQ(readBytes(data() / "scoresheet97.mdb"), before);
    EXPECT_EQ(run({"import-schedule", "--overwrite", csv().string()}), 0);
    EXPECT_EQ(records().back().homeScore, "24");
    for (const char* from : {"--from=16", "--from"})
        EXPECT_EQ(run({"import-schedule", from, csv().string()}), 2) << from;
}

TEST_F(Commands, ProjectWritesTheComputerPlayersFile) {
    ASSERT_EQ(run({"project"}), 0) << err.str();
    TextFile pc = readTextFile(data() / "PC2010.dat");
    EXPECT_EQ(pc.lines.size(), 17u + 256u);
    EXPECT_NE(out.str().find("Season 2010: week 9 is current"), std::string::npos) << out.str();
    EXPECT_EQ(err.str(), "");
}

} // namespace
} // namespace gs
