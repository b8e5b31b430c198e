#include "tests/support/commandrun.h"

#include "core/userlist.h"
#include "schedule/seasongames.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

namespace fs = std::filesystem;

using Outcome = test::CommandRun;

// The records that differ between two readings of the table, one a line.
std::string changedRecords(const std::vector<GameRecord>& before,
                           const std::vector<GameRecord>& after) {
    EXPECT_EQ(before.size(), after.size());
    std::vector<GameRecord> changed;
    for (size_t r = 0; r < before.size() && r < after.size(); ++r)
        if (!(before[r] == after[r]))
            changed.push_back(after[r]);
    return test::dumpRecords(changed);
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// The home of a first start (2009 scored, 2010 scored through 11/02/2010,
// 2011 on unscored) with an administrator and a player without rights.
class ImportScores : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ensureGamesTable(pool));
        const std::string folder = pool.programFolderText();
        test::writeBytes(
            userListPath(pool.folders()),
            test::crlf({"2010", "admin,1,9,1,,0," + folder, "ann,1,5,0,,0," + folder}));
    }

    Outcome gridslate(std::vector<std::string> args) {
        return test::runGridslateIn(program.home.path(), std::move(args));
    }

    // Writes a file into the home folder and returns its path.
    std::string file(const std::string& name, const std::string& bytes) {
        fs::path path = program.home.path() / name;
        test::writeBytes(path, bytes);
        return path.string();
    }

    std::vector<GameRecord> records() const { return test::tableRecords(pool); }
    std::string tableBytes() const { return test::readBytes(pool.gamesDatabasePath()); }

    test::PoolFixture program;
    Pool& pool = program.pool;
};

// Week 9 of 2010 as a data set's games file has it a day after its Monday
// game: a Super Bowl, a season the table lacks, the Monday game before (its
// scores already in the table), three games of the week, one not played yet;
// a byte-order mark, CR LF and quoted fields.
const std::string kWeek9 =
    "\xEF\xBB\xBF" +
    test::crlf({"game_id,season,game_type,week,gameday,away_team,away_score,home_team,"
                "home_score,stadium",
                "2009_21_NO_IND,2009,SB,21,2010-02-07,NO,31,IND,17,\"Sun Life Stadium, Miami\"",
                "2008_17_KC_CIN,2008,REG,17,2008-12-28,KC,6,CIN,16,Paul Brown Stadium",
                "2010_08_HOU_IND,2010,REG,8,2010-11-01,HOU,17,IND,30,Lucas Oil Stadium",
                "2010_09_TB_ATL,2010,REG,9,2010-11-07,TB,21,ATL,27,Georgia Dome",
                "2010_09_MIA_BAL,2010,REG,9,2010-11-07,\"MIA\",\"10\",BAL,26,\"M&T \"\"Bank\"\"\"",
                "2010_09_PIT_CIN,2010,REG,9,2010-11-08,PIT,27,CIN,21,Paul Brown Stadium",
                "2010_10_BAL_ATL,2010,REG,10,2010-11-11,BAL,NA,ATL,NA,Georgia Dome"});

const std::string kWeek9Entered = "Tampa Bay Buccaneers|Atlanta Falcons|11/7/2010| 21| 27|2010\n"
                                  "Miami Dolphins|Baltimore Ravens|11/7/2010| 10| 26|2010\n"
                                  "Pittsburgh Steelers|Cincinnati Bengals|11/8/2010| 27| 21|2010\n";

TEST_F(ImportScores, DataSetFileEntersTheWeekAndSaysWhatItSkipped) {
    std::vector<GameRecord> before = records();
    Outcome o = gridslate({"import-scores", file("games.csv", kWeek9)});
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out, "Entered the scores of 3 games; 1 game already held its scores. Skipped 3 "
                     "rows: 1 playoff game, 1 row of other seasons, 1 game not played yet.\n");
    EXPECT_EQ(o.err, "");
    EXPECT_EQ(changedRecords(before, records()), kWeek9Entered);
}

TEST_F(ImportScores, OverwriteReplacesAScoreEnteredBefore) {
    std::string path = file("fix.csv", "season,game_type,gameday,away_team,home_team,away_score,"
                                       "home_score\n"
                                       "2010,REG,2010-09-09,MIN,NO,10,14\n");
    std::string before = tableBytes();
    Outcome refused = gridslate({"import-scores", path});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "gridslate: The file was refused and no score was entered because of "
                           "1 line: line 2 (MIN at NO, 2010-09-09, 10-14): the game already "
                           "holds 9-14.\n");
    EXPECT_EQ(tableBytes(), before);

    std::vector<GameRecord> old = records();
    Outcome o = gridslate({"import-scores", path, "--overwrite"});
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out, "Entered the scores of 1 game (1 of them replaces a different score); 0 "
                     "games already held their scores. No rows were skipped.\n");
    EXPECT_EQ(changedRecords(old, records()),
              "Minnesota Vikings|New Orleans Saints|9/9/2010| 10| 14|2010\n");
}

struct SeasonCase {
    const char* name;
    std::vector<std::string> options; // before the command
    std::string out;
    std::string changed;
};

void PrintTo(const SeasonCase& c, std::ostream* os) {
    *os << c.name;
}

class SeasonChoice : public ImportScores, public testing::WithParamInterface<SeasonCase> {};

// The user list holds 2010 as the season in force; only --season filters.
TEST_P(SeasonChoice, OnlyTheSeasonGivenCounts) {
    std::vector<std::string> args = GetParam().options;
    args.push_back("import-scores");
    args.push_back(file("two.csv", "season,game_type,gameday,away_team,home_team,away_score,"
                                   "home_score\n"
                                   "2010,REG,2010-11-07,TB,ATL,21,27\n"
                                   "2011,REG,2011-09-08,NO,GB,34,42\n"));
    std::vector<GameRecord> before = records();
    Outcome o = gridslate(args);
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out, GetParam().out);
    EXPECT_EQ(changedRecords(before, records()), GetParam().changed);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SeasonChoice,
    testing::Values(
        SeasonCase{"NoSeasonGivenTakesEverySeason",
                   {},
                   "Entered the scores of 2 games; 0 games already held their scores. No rows "
                   "were skipped.\n",
                   "Tampa Bay Buccaneers|Atlanta Falcons|11/7/2010| 21| 27|2010\n"
                   "New Orleans Saints|Green Bay Packers|9/8/2011| 34| 42|2011\n"},
        SeasonCase{"Season2011",
                   {"--season", "2011"},
                   "Entered the scores of 1 game; 0 games already held their scores. Skipped 1 "
                   "row: 0 playoff games, 1 row of other seasons, 0 games not played yet.\n",
                   "New Orleans Saints|Green Bay Packers|9/8/2011| 34| 42|2011\n"},
        SeasonCase{"SeasonInForceGivenAgain",
                   {"--season=2010"},
                   "Entered the scores of 1 game; 0 games already held their scores. Skipped 1 "
                   "row: 0 playoff games, 1 row of other seasons, 0 games not played yet.\n",
                   "Tampa Bay Buccaneers|Atlanta Falcons|11/7/2010| 21| 27|2010\n"}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusalCase {
    const char* name;
    // "FILE" stands for the file written from `rows`, "HOME" for the home folder.
    std::vector<std::string> args;
    std::vector<std::string> rows; // after a data set's header
    int status;
    std::string err; // "HOME" stands for the home folder
};

void PrintTo(const RefusalCase& c, std::ostream* os) {
    *os << c.name;
}

class Refusal : public ImportScores, public testing::WithParamInterface<RefusalCase> {};

TEST_P(Refusal, ExitsNonZeroAndLeavesTheTableByteIdentical) {
    std::vector<std::string> lines = {
        "season,game_type,gameday,away_team,home_team,away_score,home_score"};
    lines.insert(lines.end(), GetParam().rows.begin(), GetParam().rows.end());
    std::string path = file("games.csv", test::crlf(lines));
    std::vector<std::string> args = GetParam().args;
    for (std::string& arg : args)
        arg = arg == "FILE" ? path : replaced(arg, "HOME", program.home.path().string());
    std::string before = tableBytes();
    Outcome o = gridslate(args);
    EXPECT_EQ(o.status, GetParam().status);
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err, replaced(GetParam().err, "HOME", program.home.path().string()));
    EXPECT_EQ(tableBytes(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Refusal,
    testing::Values(
        RefusalCase{"EveryBadLineIsNamed",
                    {"import-scores", "FILE"},
                    {"2010,REG,2010-11-07,TB,ATL,21,27", "2010,REG,2010-11-07,LVR,BAL,10,26",
                     "2010,REG,2010-11-06,PIT,CIN,27,21", "2010,REG,2010-11-07,NE,CLE,14,-34",
                     "2010,REG,2010-11-01,HOU,IND,17,31", "2010,REG,2010-11-07,DAL,GB,7,45"},
                    1,
                    "gridslate: The file was refused and no score was entered because of 4 "
                    "lines: line 3 (LVR at BAL, 2010-11-07, 10-26): unknown team code \"LVR\"; "
                    "line 4 (PIT at CIN, 2010-11-06, 27-21): no game of the table matches; line "
                    "5 (NE at CLE, 2010-11-07, 14--34): the home score \"-34\" is negative; line "
                    "6 (HOU at IND, 2010-11-01, 17-31): the game already holds 17-30.\n"},
        RefusalCase{"UserWithoutRights",
                    {"--user", "ann", "import-scores", "FILE"},
                    {"2010,REG,2010-11-07,TB,ATL,21,27"},
                    1,
                    "gridslate: You do not have administrator control\n"},
        RefusalCase{"MissingFile",
                    {"import-scores", "HOME/none.csv"},
                    {},
                    1,
                    "gridslate: No score was entered: HOME/none.csv cannot be read: No such file "
                    "or directory\n"},
        RefusalCase{"AFolder",
                    {"import-scores", "HOME"},
                    {},
                    1,
                    "gridslate: No score was entered: HOME is a folder, not a file\n"},
        RefusalCase{"NoFile",
                    {"import-scores", "--overwrite"},
                    {},
                    2,
                    "gridslate: import-scores takes one file: import-scores [--overwrite] "
                    "FILE.csv\n"},
        RefusalCase{"TwoFiles",
                    {"import-scores", "FILE", "FILE"},
                    {"2010,REG,2010-11-07,TB,ATL,21,27"},
                    2,
                    "gridslate: import-scores takes one file: import-scores [--overwrite] "
                    "FILE.csv\n"},
        RefusalCase{"UnknownOption",
                    {"import-scores", "--force", "FILE"},
                    {"2010,REG,2010-11-07,TB,ATL,21,27"},
                    2,
                    "gridslate: import-scores takes one file: import-scores [--overwrite] "
                    "FILE.csv\n"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace gs
