#include "app/commandline.h"

#include "app/manpage.h"
#include "core/version.h"
#include "exchangehome.h"
#include "ftpserver.h"
#include "schedule/gamesdb.h"
#include "tests/support/commandrun.h"
#include "tests/support/namedcases.h"
#include "tests/support/poolbuilder.h"

#include <iterator>
#include <optional>
#include <sstream>

namespace gs {
namespace {

using Names = std::vector<std::string>;

// The words of a command line, split at spaces.
Names words(const std::string& line) {
    std::istringstream in(line);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

// What was parsed, or the error.
std::string parsed(const std::vector<std::string>& args) {
    Result<CommandLine> result = parseCommandLine(args);
    if (!result)
        return "error: " + result.error().message;
    const CommandLine& line = *result;
    std::string text;
    for (const auto& [key, value] : {std::pair{"home", line.home},
                                     {"user", line.user},
                                     {"season", line.season},
                                     {"date", line.referenceDate}})
        if (value)
            text += std::string(key) + "=" + *value + " ";
    for (const std::string& word : line.command)
        text += "[" + word + "]";
    return text;
}

TEST(Parse, OptionsAndTheCommand) {
    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::string parsed;
    };
    const Case cases[] = {
        {"Nothing", {}, ""},
        {"AllOptions",
         words("--home /h --user ann --season 2011 --reference-date 9/9/2010 project"),
         "home=/h user=ann season=2011 date=9/9/2010 [project]"},
        {"EqualsForm", words("--home=/h import-schedule f.csv"),
         "home=/h [import-schedule][f.csv]"},
        {"OptionsAfterTheCommandBelongToIt", words("project --user x"), "[project][--user][x]"},
        {"MissingValue", words("--home"), "error: --home needs a value"},
        {"EmptyHome", {"--home", ""}, "error: --home takes a folder, not an empty name"},
        {"UnknownOption", words("--colour"), "error: unknown option --colour"},
        {"BadSeason", words("--season 10"), "error: --season takes a four-digit year, not \"10\""},
        {"BadDate", words("--reference-date 2/30/2010"),
         "error: --reference-date takes a date M/D/YYYY or today, not \"2/30/2010\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(parsed(c.args), c.parsed);
    }
}

class Commands : public testing::Test {
protected:
    int run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--home", home.path().string()});
        return runCommandLine(
            args,
            [this](Pool& pool) {
                windowFolder = pool.folders().program;
                return 0;
            },
            out, err, [this](const std::string& reason) { startError = reason; });
    }
    fs::path data() const { return home.path() / "data"; }
    std::vector<GameRecord> records() const { return test::tableRecords(Pool(home.path())); }
    fs::path csv() const { return home.path() / "s.csv"; }

    TempDir home;
    std::ostringstream out, err;
    std::optional<fs::path> windowFolder; // the data folder of the window started
    std::string startError;
};

TEST_F(Commands, AnswerOrRefuseWithTheirExitStatus) {
    struct Case {
        const char* name;
        std::vector<std::string> args;
        int status;
        std::string printed; // on standard output after a success, else on standard error
    };
    const Case cases[] = {
        {"Help", words("--help"), 0, usageText()},
        {"Version", words("--version"), 0, std::string("gridslate ") + kVersion + "\n"},
        {"UnknownCommand", words("frobnicate"), 2,
         "gridslate: unknown command frobnicate (see gridslate --help)\n"},
        {"EmptyUser",
         {"--user", "", "project"},
         2,
         "gridslate: --user takes a user's name, not an empty one (see gridslate --help)\n"},
        {"UnknownUser", words("--user nobody project"), 1,
         "gridslate: user \"nobody\" is not on the user list\n"},
        {"SeasonNotHeld", words("--season 2021 project"), 1,
         "gridslate: The games table holds no season 2021; it holds 2015, 2014, 2013, 2012, "
         "2011, 2010, 2009.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        out.str("");
        err.str("");
        EXPECT_EQ(run(c.args), c.status);
        EXPECT_EQ(c.status == 0 ? out.str() : err.str(), c.printed);
        EXPECT_EQ(c.status == 0 ? err.str() : out.str(), "");
        if (c.status != 1) { // answered or refused before the pool is looked for
            EXPECT_TRUE(fs::is_empty(home.path()));
        }
    }
    EXPECT_FALSE(windowFolder);
}

TEST_F(Commands, NoCommandStartsTheWindowWithTheBundledSeasons) {
    EXPECT_EQ(run({}), 0);
    EXPECT_EQ(windowFolder, data());
    EXPECT_EQ(records().size(), 1792u);
    EXPECT_FALSE(fs::exists(data() / "UserList.db")); // nothing else is read or written
}

TEST_F(Commands, AWindowThatCannotStartSaysWhyOnScreenAsWell) {
    // The data folder's place is taken by a file: no games table can be made.
    writeBytes(data(), "not a folder");
    EXPECT_EQ(run({}), 1);
    EXPECT_FALSE(windowFolder);
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
    writeBytes(csv(), header + "2016,REG,1,2016-09-08,20:30,CAR,DEN,20,24\n");
    EXPECT_EQ(run({"import-schedule", csv().string()}), 1);
    EXPECT_TRUE(err.str().ends_with("\ngridslate: import the file with --overwrite to take its "
                                    "word for these games\n"))
        << err.str();
    EXPECT_EQ(records().back().homeScore, "21");
    EXPECT_EQ(run({"import-schedule", "--overwrite", csv().string()}), 0);
    EXPECT_EQ(records().back().homeScore, "24");
    for (const char* from : {"--from=16", "--from"})
        EXPECT_EQ(run({"import-schedule", from, csv().string()}), 2) << from;
}

TEST_F(Commands, ProjectSaysWhichWeekIsCurrent) {
    ASSERT_EQ(run({"project"}), 0) << err.str();
    EXPECT_EQ(out.str(), "Season 2010: week 9 is current; 130 games have a projected spread.\n");
}

// Every option and every command of --help is an entry of the manual page,
// in bold with its arguments in italics.
TEST(ManPage, HoldsEveryEntryOfTheHelpText) {
    const std::string page = manPage(usageText(), "9.9.9");
    EXPECT_TRUE(page.starts_with(".TH GRIDSLATE 1 \"\" \"Gridslate 9.9.9\" \"User Commands\"\n"));
    int entries = 0;
    std::istringstream help(usageText());
    for (std::string line; std::getline(help, line);) {
        // An entry starts two spaces in; its explanation's lines further in.
        if (!line.starts_with("  ") || line[2] == ' ')
            continue;
        std::string name = line.substr(2, line.find(' ', 2) - 2);
        std::string escaped;
        for (char c : name)
            escaped += c == '-' ? std::string("\\-") : std::string(1, c);
        EXPECT_NE(page.find(".TP\n\\fB" + escaped + "\\fR"), std::string::npos) << name;
        ++entries;
    }
    EXPECT_GE(entries, 19); // the options and the commands
    // A term too long for its column keeps its arguments whole.
    EXPECT_NE(
        page.find(".TP\n\\fBimport\\-scores\\fR \\fI[\\-\\-overwrite]\\fR \\fIFILE.csv\\fR\n"),
        std::string::npos);
}

// ------------------------------------------------------------ exchange and import-scores

// A home whose admin and Al both exchange through the test server.
class ExchangeCommands : public test::PoolBuilder, public testing::Test {
protected:
    ExchangeCommands() {
        fs::create_directory(shared());
        season(2010).player("admin", test::kAdminRights).players({"PC", "Al"}).bundledGames();
        inactivePlayer("Bob");
        for (const char* user : {"admin", "Al"}) { // kept in each one's preferences
            loggedIn(user);
            test::editCurrentUser(pool, [&](UserSlot& own) {
                own.exchangeAddress = "ftp://" + server.address("pool");
            });
            savedUserList();
        }
    }
    test::CommandRun run(const std::string& user, std::vector<std::string> args) {
        args.insert(args.begin(), {"--user", user});
        return test::runGridslateIn(home.path(), args);
    }
    fs::path shared() const { return server.root() / "pool"; }
    test::FtpServer server;
};

TEST_F(ExchangeCommands, UploadAndDownloadReachTheServer) {
    writeBytes(pool.folders().program / "Al2010.dat", test::pickFileBytes({1}));
    test::CommandRun upload = run("Al", {"exchange-upload"});
    EXPECT_EQ(upload.status, 0) << upload.err;
    EXPECT_TRUE(upload.out.starts_with("Sent Al2010.dat to ")) << upload.out; // each file moved
    EXPECT_EQ(folderEntries(shared()), Names{"Al2010.dat"});

    writeBytes(shared() / "PC2010.dat", test::crlf(Names(17 + 256, test::weekLine())));
    writeBytes(shared() / "Bob2010.dat", test::pickFileBytes({2}));
    EXPECT_EQ(run("Al", {"exchange-download"}).status, 0);
    EXPECT_EQ(readBytes(pool.folders().program / "Bob2010.dat"), test::pickFileBytes({2}));
    EXPECT_EQ(run("Al", {"exchange-download", "extra"}).err,
              "gridslate: exchange-download takes no arguments\n");
}

TEST_F(ExchangeCommands, OnlyTheAdministratorUploadsTheMasterFiles) {
    EXPECT_EQ(run("Al", {"exchange-upload-admin"}).status, 1);
    EXPECT_TRUE(folderEntries(shared()).empty());
    EXPECT_EQ(run("admin", {"exchange-upload-admin"}).status, 0);
    EXPECT_EQ(folderEntries(shared()), (Names{"UserList.db", "scoresheet97.mdb"}));
}

// ------------------------------------------------------------ import-scores

// A game of 2010 the pool's day has not scored yet, one of 2011, and one
// whose score the table holds otherwise.
const std::string kFile = "season,game_type,gameday,away_team,home_team,away_score,home_score\n"
                          "2010,REG,2010-11-07,TB,ATL,21,27\n"
                          "2011,REG,2011-09-08,NO,GB,34,42\n"
                          "2010,REG,2010-09-09,MIN,NO,10,14\n";

struct ImportCase : test::NamedCase {
    std::vector<std::string> args; // "FILE" stands for kFile's path
    int status;
    std::string told; // part of standard output after a success, else of standard error
};

// The home of a first start (2009 scored, 2010 scored through 11/02/2010,
// 2011 on unscored) with an administrator and a player without rights.
class Cases : public test::PoolBuilder, public testing::TestWithParam<ImportCase> {};

TEST_P(Cases, ExitStatusOutputAndTheScoresEntered) {
    season(2010).player("admin", test::kAdminRights).player("ann").bundledGames().savedUserList();
    const std::string folder = home.path().string();
    test::writeBytes(home.path() / "games.csv", kFile);
    std::vector<std::string> args = GetParam().args;
    for (std::string& arg : args)
        arg = arg == "FILE" ? folder + "/games.csv" : arg;
    const std::string before = readBytes(pool.gamesDatabasePath());
    test::CommandRun o = test::runGridslateIn(folder, args);
    EXPECT_EQ(o.status, GetParam().status);
    EXPECT_NE((o.status == 0 ? o.out : o.err).find(GetParam().told), std::string::npos)
        << o.out << o.err;
    EXPECT_EQ(o.status == 0 ? o.err : o.out, "");
    EXPECT_EQ(readBytes(pool.gamesDatabasePath()) == before, o.status != 0);
}

const std::string kUsage =
    "gridslate: import-scores takes one file: import-scores [--overwrite] FILE.csv\n";

// The summaries' wording is the score import's; here only which option
// reached it.
INSTANTIATE_TEST_SUITE_P(
    ImportScoresCommand, Cases,
    testing::Values(
        ImportCase{"AScoreHeldOtherwiseRefusesTheFile", words("import-scores FILE"), 1,
                   "the game already holds 9-14"},
        ImportCase{"OverwriteEntersEverySeason", words("import-scores FILE --overwrite"), 0,
                   "Entered the scores of 3 games"},
        ImportCase{"OnlyTheSeasonGiven", words("--season 2011 import-scores FILE"), 0,
                   "Entered the scores of 1 game;"},
        ImportCase{"UserWithoutRights", words("--user ann import-scores FILE"), 1,
                   "You do not have administrator control"},
        ImportCase{"MissingFile", words("import-scores /nonexistent/none.csv"), 1,
                   "gridslate: No score was entered: /nonexistent/none.csv cannot be read: No "
                   "such file or directory\n"},
        ImportCase{"AFolder", words("import-scores /"), 1,
                   "gridslate: No score was entered: / is a folder, not a file\n"},
        ImportCase{"NoFile", words("import-scores --overwrite"), 2, kUsage},
        ImportCase{"TwoFiles", words("import-scores FILE FILE"), 2, kUsage},
        ImportCase{"UnknownOption", words("import-scores --force FILE"), 2, kUsage}),
    test::caseName);

} // namespace
} // namespace gs
