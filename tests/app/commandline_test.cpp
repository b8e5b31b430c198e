// The command layer: the arguments, the refusals with their exit status, the
// rights, that each command reaches its operation, and the command line
// against odd files and a second copy of the program. The operations' texts
// and bytes are pinned by the library tests.

#include "app/commandline.h"

#include "adminsupport.h"
#include "app/manpage.h"
#include "core/poolsettings.h"
#include "core/version.h"
#include "exchangehome.h"
#include "httpserver.h"
#include "schedule/pickextras.h"
#include "tests/support/chromium.h"
#include "tests/support/commandrun.h"
#include "tests/support/namedcases.h"
#include "tests/support/poolbuilder.h"

#include <gmock/gmock.h>
#include <set>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace gs {
namespace {

using Names = std::vector<std::string>;
using test::words;

// What was parsed: home, user, season and day ("-" for none) and the
// command's words; or the error.
std::string parsed(const Names& args) {
    Result<CommandLine> line = parseCommandLine(args);
    if (!line)
        return "error: " + line.error().message;
    std::string text = line->home.value_or("-") + " " + line->user.value_or("-") + " " +
                       (line->season ? std::to_string(*line->season) : "-") + " " +
                       line->referenceDate.value_or("-");
    for (const std::string& word : line->command)
        text += " [" + word + "]";
    return text;
}

TEST(Parse, OptionsAndTheCommand) {
    struct Case {
        const char* name;
        Names args;
        std::string parsed;
    };
    const Case cases[] = {
        {"Nothing", {}, "- - - -"},
        {"AllOptions",
         words("--home /h --user ann --season 2011 --reference-date 9/9/2010 project"),
         "/h ann 2011 9/9/2010 [project]"},
        {"EqualsForm", words("--home=/h import-schedule f.csv"),
         "/h - - - [import-schedule] [f.csv]"},
        {"OptionsAfterTheCommandBelongToIt", words("project --user x"),
         "- - - - [project] [--user] [x]"},
        {"MissingValue", words("--home"), "error: --home needs a value"},
        {"EmptyHome", {"--home", ""}, "error: --home takes a folder, not an empty name"},
        {"UnknownOption", words("--colour"), "error: unknown option --colour"},
        {"UnknownShortOption", words("-x project"), "error: unknown option -x"},
        {"BadSeason", words("--season 10"), "error: --season takes a four-digit year, not \"10\""},
        {"BadDate", words("--reference-date 2/30/2010"),
         "error: --reference-date takes a date M/D/YYYY, \"M/D/YYYY HH:MM\" or today, not "
         "\"2/30/2010\""},
        {"DayAndTime",
         {"--reference-date", "9/12/2021 13:05", "pick", "1"},
         "- - - 9/12/2021 13:05 [pick] [1]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(parsed(c.args), c.parsed);
    }
}

// A game of 2010 the pool's day has not scored yet, one of 2011, and one
// whose score the table holds otherwise.
const std::string kScores = "season,game_type,gameday,away_team,home_team,away_score,home_score\n"
                            "2010,REG,2010-11-07,TB,ATL,21,27\n"
                            "2011,REG,2011-09-08,NO,GB,34,42\n"
                            "2010,REG,2010-09-09,MIN,NO,10,14\n";

// The home of a first start (2009 scored, 2010 scored through 11/02/2010,
// 2011 on unscored) with an administrator and ann, a player without rights;
// games.csv beside it holds kScores.
class Home : public test::PoolBuilder, public testing::Test {
protected:
    Home() {
        season(2010).player("admin", test::kAdminRights).player("ann").bundledGames();
        savedUserList();
        // Whatever goes wrong, update-games fetches nothing beyond this machine.
        writeBytes(poolSettingsPath(pool.folders()), "gamesUrl=http://127.0.0.1:1/g.csv\r\n");
        writeBytes(file(), kScores);
    }
    // `gridslate --home HOME` and the words of the line; FILE stands for
    // file(), NEW for a home that does not exist.
    test::CommandRun run(const std::string& line) {
        Names args = words(line);
        for (std::string& arg : args)
            arg = arg == "FILE" ? file().string() : arg == "NEW" ? fresh().string() : arg;
        return test::runGridslateIn(home.path(), args);
    }
    fs::path file() const { return home.path() / "games.csv"; }
    fs::path fresh() const { return home.path() / "new"; }
    // Runs each command line in a child process, all of them released at the
    // same moment; true when all of them exited 0.
    bool allSucceedTogether(const Names& lines) {
        int start[2];
        EXPECT_EQ(::pipe(start), 0);
        std::vector<pid_t> children;
        for (const std::string& line : lines) {
            if (pid_t child = ::fork(); child != 0) {
                children.push_back(child);
                continue;
            }
            // Released when every writer closed its end: the end of the pipe.
            ::close(start[1]);
            char go = 0;
            ::_exit(::read(start[0], &go, 1) == 0 && run(line).status == 0 ? 0 : 1);
        }
        ::close(start[0]);
        ::close(start[1]);
        int failed = 0;
        for (pid_t child : children) {
            int status = 0; // 0: exited with 0
            failed += ::waitpid(child, &status, 0) != child || status != 0;
        }
        return failed == 0;
    }
    // Every file of the data folder and its bytes.
    std::string dataFiles() const {
        std::string dump;
        for (const std::string& name : folderEntries(pool.folders().program))
            dump += name + ":" + readBytes(pool.folders().program / name) + "\n";
        return dump;
    }
};

const std::string kAddUsage = "add-player takes one name: add-player NAME [--active]";
const std::string kOneFile = "import-scores takes one file: import-scores [--overwrite] FILE.csv";
const std::string kScheduleUsage = "import-schedule [--from YYYY] [--overwrite] FILE.csv";
const std::string kUpdateUsage = "update-games [--url URL] [--overwrite] [--force]";
const std::string kNoRights = "You do not have administrator control";

TEST_F(Home, EachAnswerOrRefusalHasItsExitStatusAndChangesNothing) {
    struct Case {
        const char* name;
        const char* line;
        int status;
        std::string told; // all of standard output after a success, else the one line
                          // on standard error after "gridslate: "
    };
    const Case cases[] = {
        {"Help", "--home NEW --help", 0, usageText()},
        {"Version", "--home NEW --version", 0, std::string("gridslate ") + kVersion + "\n"},
        {"UnknownCommand", "--home NEW frobnicate", 2,
         "unknown command frobnicate (see gridslate --help)"},
        {"EmptyUser", "--home NEW --user= project", 2,
         "--user takes a user's name, not an empty one (see gridslate --help)"},
        {"UnknownUser", "--user nobody project", 1, "user \"nobody\" is not on the user list"},
        {"SeasonNotHeld", "--season 2021 project", 1,
         "The games table holds no season 2021; it holds 2015, 2014, 2013, 2012, 2011, 2010, "
         "2009."},
        {"ScheduleFromNoYear", "import-schedule --from=16 FILE", 2,
         "--from takes a season year YYYY, not \"16\": " + kScheduleUsage},
        {"ScoresWithoutAFile", "import-scores --overwrite", 2, kOneFile},
        {"ScoresOfTwoFiles", "import-scores FILE FILE", 2, kOneFile},
        {"ScoresOfAMissingFile", "import-scores /nonexistent/none.csv", 1,
         "No score was entered: /nonexistent/none.csv cannot be read: No such file or directory"},
        {"ScoresOfAFolder", "import-scores /", 1,
         "No score was entered: / is a folder, not a file"},
        {"AddPlayerWithoutAName", "add-player --active", 2, kAddUsage},
        {"AddPlayerWithTwoNames", "add-player dave eve", 2, kAddUsage},
        {"AddPlayerOutsideTheCodePage", "add-player Snow☃", 1, "User Name Not Allowed"},
        {"AddPlayerToAFullList", "add-player dave --active", 1,
         "the user list is full: it holds 100 players"},
        {"UpdateGamesWithAFile", "update-games games.csv", 2,
         "update-games takes no file: " + kUpdateUsage},
        {"UpdateGamesFromNoAddress", "update-games --url=", 2,
         "--url takes an address, not an empty one: " + kUpdateUsage},
        {"ExchangeWithAnArgument", "exchange-download extra", 2,
         "exchange-download takes no arguments"},
        {"RatingsOfNoYear", "ratings --season 09", 2,
         "ratings takes at most a season: ratings [--season YYYY]"}, // what it takes, alone
        {"JoinWithoutTheUser", "join /p", 2,
         "join takes your name and the pool's place: --user NAME join PLACE"},
        {"AddPlayerByAPlayer", "--user ann add-player dave", 1, kNoRights},
        {"ImportScoresByAPlayer", "--user ann import-scores FILE", 1, kNoRights},
        {"UpdateGamesByAPlayer", "--user ann update-games", 1, kNoRights},
        {"UploadAdminByAPlayer", "--user ann exchange-upload-admin", 1, kNoRights},
        {"PoolDayByAPlayer", "--user ann pool-day 9/12/2010", 1, kNoRights},
        {"ReferenceDateByAPlayer", "--user ann --reference-date 9/12/2010 players", 1,
         kNoRights + ": only an administrator may set the pool's day (--reference-date)"},
        {"PickWithoutAWeek", "--user ann pick", 2,
         "pick takes a week and teams: --user NAME pick WEEK [--tiebreak POINTS] [TEAM ...]"},
        {"PickInWeek19", "--user ann pick 19 NE", 2,
         "week takes a week from 1 to 18, not \"19\": --user NAME pick WEEK [--tiebreak POINTS] "
         "[TEAM ...]"},
        {"PickBothTeams", "--user ann pick 1 MIN NO", 1,
         "both teams of Minnesota Vikings at New Orleans Saints (week 1) are named: pick one of "
         "them; no pick was saved"},
        {"PickATiebreakerOfNoNumber", "--user ann pick 10 --tiebreak many", 1,
         "--tiebreak takes the total points guessed, 0 to 999, not \"many\"; no pick was saved"},
        {"PickAConfidenceTwice", "--user ann pick 10 NYJ:2 KC:2", 1,
         "the confidence 2 is given twice; no pick was saved"},
        {"PoolRulesByAPlayer", "--user ann pool-rules confidence", 1, kNoRights},
        {"PoolRulesUnknown", "pool-rules points", 1,
         "The pool's rule is confidence or winners, not \"points\"."},
        {"PoolRulesDefaultWritesNothing", "pool-rules winners", 0, "Rule: winners\n"},
    };
    for (int k = 3; k <= kUserSlots; ++k) // a full list; none of the rows adds a player
        player("p" + std::to_string(k));
    savedUserList();
    const std::string before = dataFiles();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::CommandRun o = run(c.line);
        EXPECT_EQ(o.status, c.status);
        EXPECT_EQ(c.status == 0 ? o.out : o.err,
                  c.status == 0 ? c.told : "gridslate: " + c.told + "\n");
        EXPECT_EQ(c.status == 0 ? o.err : o.out, "");
        EXPECT_EQ(dataFiles(), before);
    }
    EXPECT_FALSE(fs::exists(fresh())); // answered or refused before a pool is looked for
}

// One effect of each command, in turn in one home. The summaries' wording is
// the operations'; here only that the command and its options reached them.
TEST_F(Home, EachCommandReachesItsOperation) {
    struct Step {
        const char* line;
        int status;
        const char* told; // found in standard output, or in standard error after a refusal
    };
    const Step steps[] = {
        {"project", 0, "Season 2010: week 9 is current; 130 games have a projected spread.\n"},
        {"import-scores FILE", 1, "the game already holds 9-14"},
        {"--season 2011 import-scores FILE", 0, "Entered the scores of 1 game;"},
        {"import-scores FILE --overwrite", 0, "Entered the scores of 2 games"},
        {"add-player Zoë", 0, "User list saved.\n"}, // the name arrives in UTF-8
        {"add-player --active dave", 0, "User list saved.\n"},
        {"add-player ELO", 0, "User list saved.\n"}, // the rating player, active from the start
        {"--user Zoë players", 0,
         "Name,Active,Admin,Folder\nadmin,1,1,F\nann,1,0,F\ndave,1,0,F\nELO,1,0,F\nZoë,0,0,F\n"},
        {"--user ann pick 10 NYJ:2 --tiebreak 45", 0, ""},
        {"--user ann pick 10", 0, ",N.Y. Jets,Cleveland Browns,NYJ,no\n"},
        {"--user ann pick 10", 0, "\nTiebreaker,45\n"},
        {"--season 2011 pool-day", 0,
         "Setting: none: 11/02/2010 up to the 2015 season, now after it\nThe pool's day: "
         "11/02/2010 for season 2011, the season in force (--season YYYY names another)\n"},
        {"pool-day 3/1/2025", 0, "Setting: 3/1/2025\nThe pool's day: 3/1/2025 in every season\n"},
        {"pool-rules confidence", 0, "Rule: confidence\n"},
        {"--user ann pool-rules", 0, "Rule: confidence\n"},
        {"export-winners", 0, "AllUserWeeklyWinners2010.csv\n"},
    };
    for (const Step& s : steps) {
        test::CommandRun o = run(s.line);
        EXPECT_EQ(o.status, s.status) << s.line;
        const std::string told =
            test::replaceAll(s.status == 0 ? o.out : o.err, pool.programFolderText(), "F");
        EXPECT_NE(told.find(s.told), std::string::npos) << s.line << ": " << o.out << o.err;
    }
}

// Each game locks at its kickoff, given in Eastern time: the same instants on
// the clocks of New York and of Chicago. A refusal saves none of the picks.
TEST_F(Home, PickLocksEachGameAtItsKickoffInTheMachinesZone) {
    auto runAs = [&](std::vector<std::string> args) {
        if (args[0] == "--user")
            args.insert(args.begin(), {"--season", "2021"});
        return test::runGridslateIn(home.path(), args);
    };
    ASSERT_EQ(runAs({"import-schedule", "--from", "2021", test::communityCsv().string()}).status,
              0);
    struct Zone {
        const char* tz;
        const char* beforeOne; // 12:30 and 13:05 in New York
        const char* afterOne;
    };
    for (Zone zone : {Zone{"America/New_York", "9/12/2021 12:30", "9/12/2021 13:05"},
                      Zone{"America/Chicago", "9/12/2021 11:30", "9/12/2021 12:05"}}) {
        SCOPED_TRACE(zone.tz);
        ::setenv("TZ", zone.tz, 1);
        ASSERT_EQ(runAs({"pool-day", zone.beforeOne}).status, 0);
        EXPECT_EQ(runAs({"--user", "ann", "pick", "1", "atl", "Buffalo Bills"}).status, 0);
        test::CommandRun thursday = runAs({"--user", "ann", "pick", "1", "NE", "TB"});
        EXPECT_EQ(thursday.status, 1);
        EXPECT_EQ(thursday.err,
                  "gridslate: Dallas Cowboys at Tampa Bay Buccaneers (week 1) is locked at the "
                  "pool's day " +
                      std::string(zone.beforeOne) + "; no pick was saved\n");
        ASSERT_EQ(runAs({"pool-day", zone.afterOne}).status, 0);
        EXPECT_EQ(runAs({"--user", "ann", "pick", "1", "PHI"}).status, 1);
        EXPECT_EQ(runAs({"--user", "ann", "pick", "1", "kc", "NE", "New Orleans Saints"}).status,
                  0);
        // The guess is for the game that kicks off last, Monday's.
        EXPECT_EQ(runAs({"--user", "ann", "pick", "1", "--tiebreak", "51"}).status, 0);
        EXPECT_EQ(runAs({"--user", "ann", "pick", "1"}).out,
                  "Date,Kickoff,Visitor,Home,Pick,Locked\n"
                  "9/9/2021,20:20,Dallas Cowboys,Tampa Bay Buccaneers,,yes\n"
                  "9/12/2021,13:00,Philadelphia Eagles,Atlanta Falcons,ATL,yes\n"
                  "9/12/2021,13:00,Pittsburgh Steelers,Buffalo Bills,BUF,yes\n"
                  "9/12/2021,13:00,N.Y. Jets,Carolina Panthers,,yes\n"
                  "9/12/2021,13:00,Minnesota Vikings,Cincinnati Bengals,,yes\n"
                  "9/12/2021,13:00,San Francisco 49ers,Detroit Lions,,yes\n"
                  "9/12/2021,13:00,Jacksonville Jaguars,Houston Texans,,yes\n"
                  "9/12/2021,13:00,Seattle Seahawks,Indianapolis Colts,,yes\n"
                  "9/12/2021,13:00,Arizona Cardinals,Tennessee Titans,,yes\n"
                  "9/12/2021,13:00,Los Angeles Chargers,Washington Football Team,,yes\n"
                  "9/12/2021,16:25,Cleveland Browns,Kansas City Chiefs,KC,no\n"
                  "9/12/2021,16:25,Denver Broncos,N.Y. Giants,,no\n"
                  "9/12/2021,16:25,Miami Dolphins,New England Patriots,NE,no\n"
                  "9/12/2021,16:25,Green Bay Packers,New Orleans Saints,NO,no\n"
                  "9/12/2021,20:20,Chicago Bears,Los Angeles Rams,,no\n"
                  "9/13/2021,20:15,Baltimore Ravens,Las Vegas Raiders,,no\n"
                  "Tiebreaker,51\n");
        pool.setSeasonYear(2021);
        const ExtrasTable extras = loadExtras(pool, "ann").value();
        EXPECT_EQ(extras[1].guess, (TiebreakGuess{51, Team::named("Baltimore Ravens")->number(),
                                                  Team::named("Las Vegas Raiders")->number()}));
    }
    ::unsetenv("TZ");
}

// A community file's game in conflict with the table (MIN at NO of 2010,
// 9-14 there) needs --overwrite; an import fills an empty games table file,
// the recovery its refusal names.
TEST_F(Home, ImportScheduleOverwritesOnlyWhenAskedAndFillsAnEmptyTable) {
    writeBytes(file(), "season,game_type,week,gameday,gametime,away_team,home_team,away_score,"
                       "home_score\n2010,REG,1,2010-09-09,20:30,MIN,NO,10,14\n");
    test::CommandRun conflict = run("import-schedule --from 2010 FILE");
    EXPECT_EQ(conflict.status, 1);
    EXPECT_TRUE(conflict.err.ends_with("\ngridslate: import the file with --overwrite to take "
                                       "its word for these games\n"))
        << conflict.err;
    EXPECT_EQ(run("import-schedule --from 2010 --overwrite FILE").status, 0);

    writeBytes(pool.gamesDatabasePath(), "");
    writeBytes(file(), "TeamA,TeamB,Date,Visitor,Home,Year\r\n"
                       "Dallas Cowboys,N.Y. Giants,9/8/2011,,,2011\r\n");
    EXPECT_EQ(run("import-schedule FILE").out, "Imported " + file().string() + "\n");
    EXPECT_EQ(test::dumpRecords(test::tableRecords(pool)),
              "Dallas Cowboys|N.Y. Giants|9/8/2011|||2011\n");
}

// Without a command the window starts on the bundled seasons; a window
// that cannot start says why on screen as well, a command on its terminal
// only.
TEST(Window, StartsWithTheBundledSeasonsOrSaysWhyOnScreenAsWell) {
    TempDir home;
    EXPECT_EQ(test::runGridslateIn(home.path(), {}).status, 99); // the window started
    EXPECT_EQ(test::tableRecords(Pool(home.path())).size(), 1792u);
    EXPECT_FALSE(fs::exists(home.path() / "data" / "UserList.db")); // nothing else is read

    TempDir taken;
    writeBytes(taken.path() / "data", "not a folder"); // no games table can be made
    test::CommandRun refused = test::runGridslateIn(taken.path(), {});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.shown.find("scoresheet97.mdb"), std::string::npos) << refused.shown;
    EXPECT_EQ(refused.err, "gridslate: " + refused.shown + "\n");
    EXPECT_EQ(test::runGridslateIn(taken.path(), {"project"}).shown, "");
}

// Every option and every command of --help is an entry of the manual page,
// in bold with its arguments in italics, and a row of the README's tables,
// with the same arguments.
TEST(ManPage, HoldsEveryEntryOfTheHelpTextAsTheReadmeDoes) {
    const std::string page = manPage(usageText(), "9.9.9");
    EXPECT_TRUE(page.starts_with(".TH GRIDSLATE 1 \"\" \"Gridslate 9.9.9\" \"User Commands\"\n"));
    std::istringstream help(usageText());
    std::set<std::string> entries;
    for (std::string line; std::getline(help, line);) {
        // An entry starts two spaces in; its explanation's lines further in,
        // or after two spaces.
        if (!line.starts_with("  ") || line[2] == ' ')
            continue;
        entries.insert(line.substr(2, line.find("  ", 2) - 2));
        const std::string name = line.substr(2, line.find(' ', 2) - 2);
        const std::string entry = ".TP\n\\fB" + test::replaceAll(name, "-", "\\-") + "\\fR";
        EXPECT_NE(page.find(entry), std::string::npos) << name;
    }
    // The rows of the README's tables of options and commands begin with
    // the entry in backticks.
    std::istringstream readme(readBytes(fs::path(TEST_DATA_DIR) / ".." / "README.md"));
    std::set<std::string> rows;
    bool inTable = false;
    for (std::string line; std::getline(readme, line);) {
        inTable = line.starts_with("| option |") || line.starts_with("| command |") ||
                  (inTable && line.starts_with("|"));
        if (inTable && line.starts_with("| `"))
            rows.insert(test::replaceAll(line.substr(3, line.find("` |") - 3), "\\|", "|"));
    }
    EXPECT_EQ(rows, entries);
    // A term too long for its column keeps its arguments whole.
    EXPECT_NE(
        page.find(".TP\n\\fBimport\\-scores\\fR \\fI[\\-\\-overwrite]\\fR \\fIFILE.csv\\fR\n"),
        std::string::npos);
}

TEST_F(Home, UpdateGamesFetchesFromTheSettingsAddressForcedOrFromTheUrlGiven) {
    test::HttpServer server;
    writeBytes(server.root() / "games.csv", readBytes(test::communityCsv()));
    writeBytes(poolSettingsPath(pool.folders()), "gamesUrl=" + server.url("files/games.csv"));
    EXPECT_TRUE(run("update-games").out.starts_with("Updated seasons 2016 to 2021"));
    EXPECT_EQ(run("update-games --force").status, 0);
    EXPECT_EQ(server.requests().back(), "/files/games.csv\t"); // without a date to compare
    EXPECT_EQ(run("update-games --url " + server.url("status/404")).status, 1);
}

TEST_F(Home, ExchangeCommandsReachTheServer) {
    test::FtpServer server;
    const fs::path& shared = server.root();
    for (const char* user : {"admin", "ann"}) { // kept in each one's preferences
        loggedIn(user);
        test::editCurrentUser(
            pool, [&](UserSlot& own) { own.exchangeAddress = "ftp://" + server.address(); });
        savedUserList();
    }
    writeBytes(pool.folders().program / "ann2010.dat", test::pickFileBytes({1}));
    EXPECT_TRUE(run("--user ann exchange-upload").out.starts_with("Sent ann2010.dat to "));

    writeBytes(shared / "admin2010.dat", test::pickFileBytes({2}));
    // Sent before the season: a download takes a pick only while its game is open.
    fs::last_write_time(shared / "admin2010.dat",
                        std::chrono::file_clock::from_sys(std::chrono::sys_seconds{
                            std::chrono::sys_days{std::chrono::year{2010} / 8 / 1}}));
    EXPECT_EQ(run("--user ann exchange-download").status, 0);
    EXPECT_EQ(readBytes(pool.folders().program / "admin2010.dat"), test::pickFileBytes({2}));

    EXPECT_EQ(run("exchange-upload-admin").status, 0);
    EXPECT_EQ(folderEntries(shared),
              (Names{"UserList.db", "admin2010.dat", "ann2010.dat", "scoresheet97.mdb"}));
}

// The page's standings are those of `standings` as the browser shows them,
// and no pick of a game still open is anywhere in it; the page goes to its
// address, which is kept for the admin upload to send it there again, never
// into the exchange place.
TEST_F(Home, PublishWritesAndSendsThePageAndTheAdminUploadSendsItAgain) {
    PickTable picks{};
    picks[9][Team::named("Tampa Bay Buccaneers")->number()] = 1; // Sunday 11/7/2010
    picks[9][Team::named("Pittsburgh Steelers")->number()] = 1;  // Monday night
    test::writePicks(pool, "ann", picks);
    const fs::path out = home.path() / "out";
    test::CommandRun written = run("--reference-date 11/7/2010 publish --out " + out.string());
    EXPECT_EQ(written.out, "Wrote " + (out / "index.html").string() + "\n") << written.err;
    const std::string page = readBytes(out / "index.html");
    EXPECT_NE(page.find(">TB at ATL</th>"), std::string::npos);
    for (const char* open : {"PIT", "CIN"})
        EXPECT_EQ(page.find(open), std::string::npos) << open;
    if (test::chromiumMissing().empty()) {
        std::string standings = test::replaceAll(run("standings").out, ",", "\t");
        standings.pop_back();
        EXPECT_EQ(test::harnessSays(test::framedPageDom(out), "standings"), standings);
    }
    EXPECT_EQ(run("publish").out, "Wrote " + (home.path() / "pool-2010.html").string() + "\n");

    const fs::path web = home.path() / "web";
    const fs::path shared = home.path() / "shared";
    fs::create_directories(web);
    fs::create_directories(shared);
    loggedIn("admin");
    test::editCurrentUser(pool, [&](UserSlot& own) { own.exchangeAddress = shared.string(); });
    savedUserList();
    for (const std::string& words : {"--to " + home.path().string(), "--out " + shared.string()})
        EXPECT_THAT(run("publish " + words).err,
                    testing::HasSubstr("is the exchange place or holds it"));
    EXPECT_EQ(run("publish --to " + web.string()).status, 0);
    EXPECT_EQ(folderEntries(web), Names{"index.html"});
    fs::remove(web / "index.html");
    EXPECT_EQ(run("exchange-upload-admin").status, 0);
    EXPECT_EQ(folderEntries(web), Names{"index.html"});
    EXPECT_FALSE(fs::exists(shared / "index.html"));

    test::FtpServer server;
    EXPECT_EQ(run("publish --to ftp://" + server.address()).status, 0);
    EXPECT_TRUE(fs::exists(server.root() / "index.html"));
    EXPECT_EQ(readBytes(poolSettingsPath(pool.folders())),
              "gamesUrl=http://127.0.0.1:1/g.csv\r\npageAddress=ftp://" + server.address() +
                  "\r\n");
}

// ------------------------------------------------------------ odd files and a second copy

// What stands at a path, without following a link; the size of a regular
// file.
std::string standing(const fs::path& path) {
    fs::file_status status = fs::symlink_status(path);
    return std::to_string(static_cast<int>(status.type())) +
           (fs::is_regular_file(status) ? " of " + std::to_string(fs::file_size(path)) : "");
}

struct PlantedFile : test::NamedCase {
    const char* file; // in the data folder, replaced after a first run
    std::string what; // "pipe", "link" (to /dev/zero) or "huge" (3 GB)
    const char* command;
    int status;
    const char* told; // found in the one line on standard error
};

class Planted : public Home, public testing::WithParamInterface<PlantedFile> {};

constexpr const char* kDamaged = " was damaged. It is kept as PC2010.dat.damaged";

// A pipe in the place of the games table would hang the program, a link to
// /dev/zero or a huge file exhaust its memory; a damaged computer player's
// file, the program's own, is kept aside and written afresh. Failures print
// no summary that reads as success, and notices stay apart from what a
// command prints. Damaged files of other kinds are the libraries' tests'.
TEST_P(Planted, EndsWithItsReasonAndKeepsTheFile) {
    const PlantedFile& c = GetParam();
    ASSERT_EQ(run("project").status, 0);
    fs::path path = pool.folders().program / c.file;
    fs::remove(path);
    if (c.what == "pipe")
        ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    else if (c.what == "link")
        fs::create_symlink("/dev/zero", path);
    else
        writeBytes(path, "");
    if (c.what == "huge")
        fs::resize_file(path, 3ull << 30); // sparse: no disk space is used
    std::string planted = standing(path);
    test::CommandRun outcome = run(c.command);
    EXPECT_EQ(outcome.status, c.status);
    EXPECT_NE(outcome.err.find(path.string()), std::string::npos) << outcome.err;
    EXPECT_NE(outcome.err.find(c.told), std::string::npos) << outcome.err;
    EXPECT_EQ(outcome.out.empty(), c.status != 0) << outcome.out;
    EXPECT_EQ(outcome.out.find("damaged"), std::string::npos) << outcome.out;
    EXPECT_EQ(
        standing(std::string(c.told) == kDamaged ? path.string() + ".damaged" : path.string()),
        planted);
}

constexpr const char* kNotRegular = "it is not a regular file (a pipe, a device or the like)";

INSTANTIATE_TEST_SUITE_P(
    Cases, Planted,
    testing::Values(PlantedFile{"PipeForTheGamesTable", "scoresheet97.mdb", "pipe", "project", 1,
                                kNotRegular},
                    PlantedFile{"LinkToDevZeroForTheComputerFileBesideTheStandings", "PC2010.dat",
                                "link", "standings", 0, kDamaged},
                    PlantedFile{"HugeOldScoresFile", "oldscores2009.dat", "huge", "project", 0,
                                "it is larger than 4 MB"}),
    test::caseName);

// Two commands that both find admin's pick file missing both succeed, and
// neither replaces the file the other made.
TEST_F(Home, TwoRunsMakingTheSamePickFileBothSucceed) {
    ASSERT_EQ(run("players").status, 0);
    for (int round = 0; round < 20; ++round) {
        fs::remove(pool.folders().program / "admin2010.dat");
        EXPECT_TRUE(allSucceedTogether({"project", "project"})) << "round " << round;
    }
}

// Two scripts adding a player each at the same moment: both players stay,
// since the second one reads the list again once the first saved it. A
// temporary that a killed run left goes at the next start.
TEST_F(Home, TwoPlayersAddedAtOnceAreBothKept) {
    ASSERT_EQ(run("players").status, 0);
    const fs::path data = pool.folders().program;
    const std::string list = readBytes(data / "UserList.db");
    writeBytes(data / ".PC2010.dat.k1LLed", std::string(1000, 'x'));
    for (int pair = 0; pair < 100; ++pair) {
        const std::string ann = "ann" + std::to_string(pair);
        const std::string bob = "bob" + std::to_string(pair);
        ASSERT_TRUE(allSucceedTogether(
            {"add-player " + ann + " --active", "add-player " + bob + " --active"}))
            << "pair " << pair;
        const std::string players = run("players").out;
        EXPECT_NE(players.find(ann + ",1,0,"), std::string::npos) << players;
        EXPECT_NE(players.find(bob + ",1,0,"), std::string::npos) << players;
        writeBytes(data / "UserList.db", list);
    }
    EXPECT_FALSE(fs::exists(data / ".PC2010.dat.k1LLed"));
}

// Two first starts on one new home: one builds the games table while the
// other, starting, looks for leftovers of killed runs. Neither takes the
// other's files for leftovers.
TEST_F(Home, TwoProgramsStartingOnANewHomeBothSucceed) {
    for (int pair = 0; pair < 100; ++pair) {
        const std::string line = "--home " + (fresh() / std::to_string(pair)).string() + " players";
        ASSERT_TRUE(allSucceedTogether({line, line})) << "pair " << pair;
    }
}

} // namespace
} // namespace gs
