#include "schedule/importer.h"

#include "core/league.h"
#include "core/text.h"
#include "schedule/seasongames.h"
#include "tests/support/namedcases.h"
#include "tests/support/poolbuilder.h"

#include <map>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>

namespace gs {
namespace {

const std::string kTableHeader = "TeamA,TeamB,Date,Visitor,Home,Year\r\n";
const std::string kGood = "Minnesota Vikings,New Orleans Saints,9/9/2010,9,14,2010\r\n";
const std::string kHeader =
    "season,game_type,week,gameday,gametime,away_team,home_team,away_score,home_score\n";

// Five games of 2016: two played, three to come.
const std::string kCarDen = "2016,REG,1,2016-09-08,20:30,CAR,DEN,20,21\n";
const std::string kTbAtl = "2016,REG,1,2016-09-11,13:00,TB,ATL,31,24\n";
const std::string kMinTen = "2016,REG,1,2016-09-11,13:00,MIN,TEN,,\n";
const std::string kSeaLa = "2016,REG,2,2016-09-18,16:25,SEA,LA,NA,NA\n";
const std::string kPhiChi = "2016,REG,2,2016-09-19,20:30,PHI,CHI,,\n";
const std::string kBase = kHeader + kCarDen + kTbAtl + kMinTen + kSeaLa + kPhiChi;

class ScheduleImport : public testing::Test {
protected:
    void SetUp() override { fixture.bundledGames(); }
    const Pool& pool() const { return fixture.pool; }
    ScheduleImportResult import(const std::string& csv, ScheduleImportOptions options = {}) {
        fs::path file = fixture.home.path() / "games.csv";
        test::writeBytes(file, csv);
        return importScheduleFile(pool(), file, options);
    }
    // The season's records as "visitor|home|date|visitor score|home score|week".
    std::string season(int year) {
        std::string text;
        for (const GameRecord& r : test::tableRecords(pool()))
            if (numericValue(r.year) == year)
                text += r.visitor + "|" + r.home + "|" + r.date + "|" + r.visitorScore + "|" +
                        r.homeScore + "|" + std::to_string(r.week) + "\n";
        return text;
    }
    std::string tableBytes() { return test::readBytes(pool().gamesDatabasePath()); }
    test::PoolBuilder fixture;
};

// A UTF-8 mark, quotes and mixed line ends are what spreadsheets save.
TEST_F(ScheduleImport, TheTablesLayoutReplacesOnlyTheSeasonsOfTheFile) {
    ScheduleImportResult result =
        import("\xEF\xBB\xBF" + kTableHeader + "N.Y. Giants,Dallas Cowboys,9/9/2016,,,2016\n" +
               kGood + "\"Miami Dolphins\",Buffalo Bills,\"09/12/2010\",\"15\",,2010\r\n\r\n");
    ASSERT_TRUE(result.ok) << result.summary;
    std::vector<GameRecord> records = test::tableRecords(pool());
    EXPECT_EQ(records.size(), 1792u - 256u + 3u);
    EXPECT_EQ(season(2010) + season(2016), "Minnesota Vikings|New Orleans Saints|9/9/2010|9|14|0\n"
                                           "Miami Dolphins|Buffalo Bills|09/12/2010|15||0\n"
                                           "N.Y. Giants|Dallas Cowboys|9/9/2016|||0\n");
    EXPECT_EQ(records[0], test::seasonRecords(2009)[0]);

    fs::path missing = fixture.home.path() / "none.csv";
    EXPECT_EQ(importScheduleFile(pool(), missing, {}).summary,
              "cannot read " + missing.string() + ": No such file or directory");
}

std::string tableRow(const std::string& row) {
    return kTableHeader + kGood + row + "\r\n" + kGood;
}

std::string communityRows(const std::string& rows) {
    return kHeader + kCarDen + rows;
}

std::string tooManyGames() {
    std::string csv = kTableHeader;
    for (int game = 1; game <= 257; ++game)
        csv += "Dallas Cowboys,N.Y. Giants,9/12/2011,,,2011\r\n";
    return csv;
}

// Distinct games of one week, more than a season may hold.
std::string manyGames(int season, int count) {
    static const char* const kCodes[] = {"ARI", "ATL", "BAL", "BUF", "CAR", "CHI", "CIN", "CLE",
                                         "DAL", "DEN", "DET", "GB",  "HOU", "IND", "JAX", "KC",
                                         "MIA", "MIN", "NYG", "NYJ", "NE",  "NO",  "OAK", "PHI",
                                         "PIT", "SD",  "SF",  "SEA", "STL", "TB",  "TEN", "WAS"};
    std::string rows, day = std::to_string(season) + ",REG,1," + std::to_string(season) + "-09-12";
    for (int away = 0, home = 1; count > 0; home = (home + 1) % 32, away += home == 0)
        if (home != away && count-- > 0)
            rows += day + ",13:00," + kCodes[away] + "," + kCodes[home] + ",,\n";
    return communityRows(rows);
}

TEST_F(ScheduleImport, TheCommunityFileGivesSixSeasonsWithTheirOfficialWeeks) {
    std::vector<GameRecord> bundled = test::tableRecords(pool());
    ScheduleImportResult result = importScheduleFile(pool(), test::communityCsv(), {});
    ASSERT_TRUE(result.ok) << result.summary;
    EXPECT_EQ(result.summary,
              "Updated seasons 2016 to 2021 (1552 games): added 1552 games, removed 0, changed "
              "the date or week of 0; entered the scores of 1552 games; 0 games already held "
              "their scores. Skipped 0 seasons before 2016 and 70 playoff games.");
    std::vector<GameRecord> records = test::tableRecords(pool());
    EXPECT_EQ(std::vector<GameRecord>(records.begin(), records.begin() + 1792), bundled);

    // Each season's runs of games of one official week, in the table's
    // order: a week out of order would start another run.
    std::string perWeek;
    int run = 0;
    for (size_t i = 1792; i < records.size(); ++i) {
        const GameRecord& r = records[i];
        if (records[i - 1].year != r.year)
            perWeek += "\n" + r.year + ":";
        ++run;
        if (i + 1 == records.size() || records[i + 1].week != r.week) {
            perWeek += " " + std::to_string(run);
            run = 0;
        }
    }
    EXPECT_EQ(perWeek, "\n2016: 16 16 16 15 14 15 15 13 13 14 14 16 15 16 16 16 16\n"
                       "2017: 15 16 16 16 14 14 15 13 13 14 14 16 16 16 16 16 16\n"
                       "2018: 16 16 16 15 15 15 14 14 13 14 13 15 16 16 16 16 16\n"
                       "2019: 16 16 16 15 15 14 14 15 14 13 14 14 16 16 16 16 16\n"
                       "2020: 16 16 16 15 14 14 14 14 14 14 14 16 15 16 16 16 16\n"
                       "2021: 16 16 16 16 16 14 13 15 14 14 15 15 14 14 16 16 16 16");
}

struct ImportCase : test::NamedCase {
    std::string file;
    std::string summary;     // what the import says
    std::string stored = ""; // the season afterwards; "" for unchanged
    std::map<std::string, std::pair<std::string, std::string>> entered = {}; // by visitor
    bool overwrite = false;
};

class Imports : public ScheduleImport, public testing::WithParamInterface<ImportCase> {};

// Over five games of 2016, with scores typed into the window stored as " 7",
// the table follows the file but keeps the scores it lacks. A file refused
// is named by its line and leaves the table byte for byte; one that agrees
// with the table changes nothing and is no refusal.
TEST_P(Imports, FollowTheFileOrLeaveTheTableAsItIs) {
    ASSERT_TRUE(import(kBase).ok);
    std::vector<GameRecord> records = test::tableRecords(pool());
    for (GameRecord& record : records)
        if (auto entered = GetParam().entered.find(record.visitor);
            entered != GetParam().entered.end() && record.year == "2016")
            std::tie(record.visitorScore, record.homeScore) = entered->second;
    test::storeRecords(pool(), records);
    std::string before = tableBytes();
    ScheduleImportResult result = import(GetParam().file, {.overwrite = GetParam().overwrite});
    EXPECT_EQ(result.summary, GetParam().summary);
    EXPECT_EQ(result.ok, !GetParam().stored.empty() || result.summary.starts_with("Already"));
    EXPECT_EQ(result.changed, !GetParam().stored.empty());
    if (GetParam().stored.empty()) {
        EXPECT_EQ(tableBytes(), before);
    } else {
        EXPECT_EQ(season(2016), GetParam().stored);
    }
}

const char* const kNothingSkipped = " Skipped 0 seasons before 2016 and 0 playoff games.";

std::string refusal(const std::string& conflicts) {
    return "The file was refused and the games table was left as it is: " + conflicts + ".";
}

INSTANTIATE_TEST_SUITE_P(
    Files, Imports,
    testing::Values(
        // Line feeds only; the name as the file has it would clear the screen.
        ImportCase{"UnknownVisitorIsEscapedAndCut",
                   "TeamA,TeamB,Date,Visitor,Home,Year\n" + kGood.substr(0, kGood.size() - 2) +
                       "\n\x1B[2J\"" + std::string(300, 'x') + ",N.Y. Giants,9/12/2010,,,2010\n",
                   "line 3: unknown team \"\\x1B[2J\\x22" + std::string(195, 'x') + "...\""},
        ImportCase{"TeamPlaysItself", tableRow("Dallas Cowboys,Dallas Cowboys,9/12/2010,,,2010"),
                   "line 3: \"Dallas Cowboys\" cannot play itself"},
        ImportCase{"NoSuchDay", tableRow("Dallas Cowboys,N.Y. Giants,2/30/2010,,,2010"),
                   "line 3: invalid date \"2/30/2010\" (expected a real date as M/D/YYYY)"},
        ImportCase{"DayAfterTheSeason", tableRow("Dallas Cowboys,N.Y. Giants,3/1/2011,,,2010"),
                   "line 3: the date \"3/1/2011\" lies outside the season 2010 (8/1/2010 to "
                   "2/28/2011)"},
        ImportCase{"NegativeVisitorScore",
                   tableRow("Dallas Cowboys,N.Y. Giants,9/12/2010,-3,7,2010"),
                   "line 3: invalid visitor score \"-3\" (expected empty or a whole number)"},
        ImportCase{"ShortYear", tableRow("Dallas Cowboys,N.Y. Giants,9/12/2010,,,10"),
                   "line 3: invalid year \"10\" (expected four digits)"},
        ImportCase{"YearNoCalendarHolds", tableRow("Dallas Cowboys,N.Y. Giants,9/12/2010,,,0009"),
                   "line 3: invalid year \"0009\" (expected a season from 100 to 9998)"},
        ImportCase{"TooFewFields", tableRow("Dallas Cowboys,N.Y. Giants,9/12/2010,,"),
                   "line 3: expected 6 fields, found 5"},
        ImportCase{"WrongHeader", "teama,teamb,date,visitor,home,year\r\n" + kGood,
                   "line 1: the header must be TeamA,TeamB,Date,Visitor,Home,Year"},
        ImportCase{"HeaderOnly", kTableHeader, "line 2: the file holds no games"},
        ImportCase{"SeasonOf257Games", tooManyGames(),
                   "line 258: season 2011 has more than 256 games"},
        ImportCase{"UnknownTeamCode", communityRows("2016,REG,1,2016-09-11,13:00,XYZ,ATL,,\n"),
                   "line 3: unknown team code \"XYZ\""},
        ImportCase{"WeekPastTheSeason", communityRows("2016,REG,18,2017-01-08,13:00,TB,ATL,,\n"),
                   "line 3: invalid week \"18\" (expected 1 to 17 in 2016)"},
        ImportCase{"NoSuchIsoDay", communityRows("2016,REG,1,2016-09-31,13:00,TB,ATL,,\n"),
                   "line 3: invalid date \"2016-09-31\" (expected a real date as YYYY-MM-DD)"},
        ImportCase{"DayOfAnotherCentury", communityRows("2016,REG,1,1899-12-31,13:00,TB,ATL,,\n"),
                   "line 3: the date \"1899-12-31\" lies outside the season 2016 (8/1/2016 to "
                   "2/28/2017)"},
        ImportCase{"KickOffIsNoTime", communityRows("2016,REG,1,2016-09-11,1pm,TB,ATL,,\n"),
                   "line 3: invalid kick-off time \"1pm\" (expected HH:MM)"},
        ImportCase{"HalfAScore", communityRows("2016,REG,1,2016-09-11,13:00,TB,ATL,31,\n"),
                   "line 3: only one of the scores is given"},
        ImportCase{
            "ScoreIsNoWholeNumber", communityRows("2016,REG,1,2016-09-11,13:00,TB,ATL,31,2.5\n"),
            "line 3: invalid home score \"2.5\" (expected empty, NA or a whole number from 0 "
            "to 999)"},
        ImportCase{"SameGameTwice",
                   communityRows(kTbAtl + "2016,REG,9,2016-11-06,13:00,TB,ATL,,\n"),
                   "line 4: Tampa Bay Buccaneers at Atlanta Falcons stands twice in season 2016 "
                   "(line 3)"},
        ImportCase{"RowEndsEarly", communityRows("2016,REG,1,2016-09-11,13:00,TB\n"),
                   "line 3: the row ends before the column home_team"},
        ImportCase{"SeasonOfMoreThan272Games", manyGames(2021, 273),
                   "line 275: season 2021 has more than 272 games"},
        ImportCase{"HeaderLacksAColumn",
                   "season,game_type,week,gameday,away_team,home_team,away_score,home_score\n" +
                       kCarDen,
                   "line 1: the header lacks the columns gametime"},
        ImportCase{"KeepsScoresTheFileLacksAndSkipsPlayoffsAndEarlierSeasons",
                   kHeader + kCarDen + kTbAtl + kMinTen +
                       "2016,REG,2,2016-09-18,16:25,SEA,LA,3,6\n" + kPhiChi +
                       "2015,REG,1,2015-09-10,20:30,PIT,NE,21,28\n" +
                       "2014,REG,1,2014-09-04,20:30,GB,SEA,16,36\n" +
                       "2016,WC,19,2017-01-07,16:35,OAK,HOU,14,27\n",
                   "Already up to date: season 2016 (5 games) stand in the games table as the "
                   "file has them; 3 games already held their scores. Skipped 2 seasons before "
                   "2016 and 1 playoff game.",
                   "",
                   {{"Seattle Seahawks", {" 3", " 6"}}, {"Philadelphia Eagles", {" 14", " 10"}}}},
        ImportCase{"EntersRemovesMovesAndAdds",
                   kHeader + kCarDen + "2016,REG,1,2016-09-10,20:30,PHI,CHI,,\n" + kTbAtl +
                       "2016,REG,1,2016-09-11,09:30,MIN,TEN,25,16\n" +
                       "2016,REG,2,2016-09-25,13:00,NYG,WAS,,\n",
                   std::string("Updated season 2016 (5 games): added 1 game, removed 1, changed "
                               "the date or week of 1, moved 1 in the order; entered the scores "
                               "of 1 game; 2 games already held their scores.") +
                       kNothingSkipped +
                       "\nWeek 1: Philadelphia Eagles at Chicago Bears moved from 9/19/2016 "
                       "(week 2) to 9/10/2016",
                   "Carolina Panthers|Denver Broncos|9/8/2016|20|21|1\n"
                   "Philadelphia Eagles|Chicago Bears|9/10/2016| 14| 10|1\n"
                   "Minnesota Vikings|Tennessee Titans|9/11/2016|25|16|1\n"
                   "Tampa Bay Buccaneers|Atlanta Falcons|9/11/2016|31|24|1\n"
                   "N.Y. Giants|Washington Redskins|9/25/2016|||2\n",
                   {{"Philadelphia Eagles", {" 14", " 10"}}}},
        ImportCase{"OtherScoresAndAScoredGameMissingRefuseTheFile",
                   kHeader + "2016,REG,1,2016-09-08,20:30,CAR,DEN,20,22\n" + kMinTen +
                       "2016,REG,2,2016-09-18,16:25,SEA,LA,3,6\n" + kPhiChi,
                   refusal("3 games are in conflict with it: 2016 week 1, Carolina Panthers at "
                           "Denver Broncos on 9/8/2016: the table holds 20-21, the file 20-22; "
                           "2016 week 2, Seattle Seahawks at Los Angeles Rams on 9/18/2016: the "
                           "table holds the visitor score 3 only, the file 3-6; 2016 week 1, "
                           "Tampa Bay Buccaneers at Atlanta Falcons on 9/11/2016 is not in the "
                           "file and is scored 31-24"),
                   "",
                   {{"Seattle Seahawks", {" 3", ""}}}},
        ImportCase{"AFileCutShortRemovesNothing", kHeader + kCarDen + kTbAtl,
                   refusal("3 games are in conflict with it: 2016 week 1, Minnesota Vikings at "
                           "Tennessee Titans on 9/11/2016 is not in the file (the file lacks 3 "
                           "games of 2016); 2016 week 2, Seattle Seahawks at Los Angeles Rams on "
                           "9/18/2016 is not in the file (the file lacks 3 games of 2016); 2016 "
                           "week 2, Philadelphia Eagles at Chicago Bears on 9/19/2016 is not in "
                           "the file (the file lacks 3 games of 2016)"),
                   ""},
        // Overwriting takes no game into a week its team already plays.
        ImportCase{"ATeamTwiceInAWeekRefusesTheFile",
                   kHeader + kCarDen + kTbAtl + kMinTen +
                       "2016,REG,1,2016-09-12,16:25,SEA,DEN,,\n" + kSeaLa + kPhiChi,
                   "The file was refused and the games table was left as it is: a team may "
                   "play only one game a week: Denver Broncos would play twice in 2016 week 1: "
                   "Carolina Panthers at Denver Broncos on 9/8/2016 and Seattle Seahawks at "
                   "Denver Broncos on 9/12/2016.",
                   "",
                   {},
                   true},
        ImportCase{"OverwriteTakesTheFilesScoresAndRemovals",
                   kHeader + "2016,REG,1,2016-09-08,20:30,CAR,DEN,20,22\n" + kTbAtl,
                   std::string("Updated season 2016 (2 games): added 0 games, removed 3, changed "
                               "the date or week of 0; entered the scores of 1 game (1 of them "
                               "over a different score); 1 game already held its scores.") +
                       kNothingSkipped,
                   "Carolina Panthers|Denver Broncos|9/8/2016|20|22|1\n"
                   "Tampa Bay Buccaneers|Atlanta Falcons|9/11/2016|31|24|1\n",
                   {},
                   true}),
    test::caseName);

TEST(OverwriteQuestion, NamesTheGamesInConflict) {
    EXPECT_EQ(overwriteQuestion({"2016 week 1, a game"}),
              "The file disagrees with the games table on 1 game:\n2016 week 1, a game\n\nTake "
              "the file's word for it: its scores, and the removal of the games it no longer "
              "holds?");
}

// Asked for, the one game of 2015 would remove the season's other 255.
TEST_F(ScheduleImport, BundledSeasonsAreMergedOnlyWhenAskedFor) {
    std::string file = kHeader + "2015,REG,1,2015-09-10,20:30,PIT,NE,21,28\n";
    EXPECT_EQ(import(file).summary, "the file holds no regular-season games of the seasons from "
                                    "2016 on");
    std::string before = tableBytes();
    ScheduleImportResult asked = import(file, {.fromSeason = 2015});
    EXPECT_FALSE(asked.ok);
    EXPECT_EQ(asked.conflicts.size(), 255u);
    EXPECT_TRUE(asked.summary.ends_with("is not in the file (the file lacks 255 games of 2015); "
                                        "and 235 more."))
        << asked.summary;
    EXPECT_EQ(tableBytes(), before);
}

// A computer player's file: 17 week lines, then its numbers.
std::string computerFile(const std::vector<std::string>& numbers) {
    std::vector<std::string> lines(17, test::weekLine({1}));
    lines.insert(lines.end(), numbers.begin(), numbers.end());
    lines.resize(17 + 256, "0");
    return test::crlf(lines);
}

// PC's file leaves out the season's first game; the rating player's starts
// with it. Both files change with the table or not at all.
TEST_F(ScheduleImport, ComputerPlayersNumbersFollowTheirGames) {
    ASSERT_TRUE(import(kBase).ok);
    fs::path pc = pool().folders().program / "PC2016.dat";
    fs::path elo = pool().folders().program / "ELO2016.dat";
    test::writeBytes(pc, computerFile({"11", "12", "13", "14"}));
    test::writeBytes(elo, computerFile({"20", "21", "22", "23", "24"}));
    std::string moved =
        kHeader + kCarDen + kTbAtl + kMinTen + kSeaLa + "2016,REG,1,2016-09-10,20:30,PHI,CHI,,\n";

    ASSERT_TRUE(test::runSql(pool().gamesDatabasePath(),
                             "CREATE TRIGGER refuse BEFORE INSERT ON Scoresheet "
                             "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    std::string before = tableBytes();
    ScheduleImportResult failed = import(moved);
    EXPECT_FALSE(failed.ok);
    EXPECT_TRUE(failed.summary.ends_with("could not be written: refused")) << failed.summary;
    EXPECT_EQ(test::readBytes(pc), computerFile({"11", "12", "13", "14"}));
    EXPECT_EQ(test::readBytes(elo), computerFile({"20", "21", "22", "23", "24"}));
    EXPECT_EQ(tableBytes(), before);

    ASSERT_TRUE(test::runSql(pool().gamesDatabasePath(), "DROP TRIGGER refuse"));
    const std::string oldTable = tableBytes();
    const std::string old = oldTable + test::readBytes(pc) + test::readBytes(elo);
    ScheduleImportResult result = import(moved);
    ASSERT_TRUE(result.ok) << result.summary;
    EXPECT_EQ(test::readBytes(pc), computerFile({"14", "11", "12", "13"}));
    EXPECT_EQ(test::readBytes(elo), computerFile({"20", "24", "21", "22", "23"}));

    // Stopped after any step of its commit (a file staged, the table
    // committed, a file renamed), the import leaves the old three files or
    // the new three once the next reader of the table has finished it, and
    // run again gives the bytes of one run.
    const std::string whole = tableBytes() + test::readBytes(pc) + test::readBytes(elo);
    for (int stop = 1;; ++stop) {
        test::writeBytes(pool().gamesDatabasePath(), oldTable);
        test::writeBytes(pc, computerFile({"11", "12", "13", "14"}));
        test::writeBytes(elo, computerFile({"20", "21", "22", "23", "24"}));
        pid_t child = ::fork();
        if (child == 0) {
            int steps = 0;
            import(moved, {.reached = [&] {
                               if (++steps == stop)
                                   ::_exit(0);
        }
    });
    ::_exit(1);
}
int status = 0;
ASSERT_EQ(::waitpid(child, &status, 0), child);
if (WEXITSTATUS(status) == 1)
    break;
ASSERT_TRUE(ensureGamesTable(pool()));
std::string after = tableBytes() + test::readBytes(pc) + test::readBytes(elo);
EXPECT_TRUE(after == old || after == whole) << "stopped at step " << stop;
ASSERT_TRUE(import(moved).ok);
EXPECT_EQ(tableBytes() + test::readBytes(pc) + test::readBytes(elo), whole) << stop;
EXPECT_FALSE(fs::exists(pool().folders().program / kImportJournalName));
} // namespace
} // namespace gs

} // namespace
} // namespace gs
