#include "scores/scoreimport.h"

#include "core/date.h"
#include "tests/support/namedcases.h"
#include "tests/support/sampledata.h"
#include "tests/support/testsupport.h"

namespace gs {
namespace {

// A games table file holding some records.
class GamesFile {
protected:
    void fill(const std::vector<GameRecord>& records) {
        test::storeRecords(m_home.pool, records);
        auto table = GamesTable::open(path());
        ASSERT_TRUE(table) << table.error();
        m_table = std::move(*table);
    }
    fs::path path() const { return m_home.pool.gamesDatabasePath(); }
    std::string bytes() const { return test::readBytes(path()); }
    test::PoolFixture m_home;
    std::unique_ptr<GamesTable> m_table;
};

const std::string kCommunity =
    "season,game_type,gameday,away_team,home_team,away_score,home_score\n";
const std::string kTableHeader = "TeamA,TeamB,Date,Visitor,Home,Year\r\n";

// A few games as a table may hold them: scores as imported ("15") or
// entered (" 10"), a date with leading zeros, a half-entered game and a
// game stored twice. Their rowids skip 7.
const std::vector<GameRecord> kGames = {
    {"Tennessee Titans", "Pittsburgh Steelers", "9/10/2009", "10", "13", "2009"},
    {"Minnesota Vikings", "New Orleans Saints", "09/09/2010", "", "", "2010"},
    {"Miami Dolphins", "Buffalo Bills", "9/12/2010", "15", " 10", "2010"},
    {"Denver Broncos", "Jacksonville Jaguars", "9/12/2010", "", "", "2010"},
    {"Dallas Cowboys", "Washington Redskins", "9/12/2010", " 7", "", "2010"},
    {"Minnesota Vikings", "Philadelphia Eagles", "12/28/2010", "", "", "2010"},
    {"Removed Visitor", "Removed Home", "12/29/2010", "", "", "2010"},
    {"Green Bay Packers", "Chicago Bears", "9/27/2010", "", "", "2010"},
    {"Green Bay Packers", "Chicago Bears", "9/27/2010", "", "", "2010"},
    {"Seattle Seahawks", "Los Angeles Rams", "9/18/2016", "", "", "2016"},
    {"Oakland Raiders", "Washington Football Team", "12/6/2020", "", "", "2020"},
};

// The summary, then one line a planned write.
std::string dumpPlan(const ScoreImportPlan& plan) {
    std::string text = describeScoreImport(plan) + "\n";
    for (const GamesTable::ScoreChange& change : plan.changes)
        text += std::to_string(change.rowid) + " " + change.seen.visitor + " at " +
                change.seen.home + ": '" + change.visitor + "' '" + change.home + "'\n";
    return text;
}

struct PlanCase : test::NamedCase {
    std::string csv;
    std::string expected;
    ScoreImportOptions options = {};
};

class Plan : public GamesFile, public testing::TestWithParam<PlanCase> {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(fill(kGames));
        ASSERT_TRUE(test::runSql(path(), "DELETE FROM Scoresheet WHERE rowid = 7"));
    }
};

// A refused file writes nothing: the table stays byte for byte.
TEST_P(Plan, SummaryAndWrites) {
    std::vector<GameRecord> games = m_table->records().value();
    ScoreImportPlan plan = planScoreImport(GetParam().csv, games, GetParam().options);
    EXPECT_EQ(dumpPlan(plan), GetParam().expected);
    std::string before = bytes();
    EXPECT_EQ(applyScoreImport(*m_table, plan).ok, plan.accepted());
    m_table.reset();
    if (!plan.accepted()) {
        EXPECT_EQ(bytes(), before);
    }
}

const std::string kOtherScores = kCommunity + "2010,REG,2010-09-12,MIA,BUF,16,10\n"
                                              "2010,REG,2010-09-12,DAL,WAS,7,13\n"
                                              "2010,REG,2010-09-09,MIN,NO,9,14\n";

INSTANTIATE_TEST_SUITE_P(
    Files, Plan,
    testing::Values(
        PlanCase{"ColumnsByNameQuotesMarkAndLineEnds",
                 "\xEF\xBB\xBFHome_Score,gameday,game_id,AWAY_TEAM,home_team,season,away_score,"
                 "game_type,stadium\r\n"
                 "\"14\",2010-09-09,x,MIN,NO,2010,9,REG,\"a, \"\"b\"\"\r\nc\"\r\n"
                 "17,2010-09-12,x,\" DEN \",JAC,2010,24,REG,x\n"
                 "0,2010-12-28,x,MIN,PHI,2010,24,REG,x\n"
                 "9,2016-09-18,x,SEA,LA,2016,3,REG,x\n"
                 "23,2020-12-06,x,LV,WAS,2020,17,REG,x",
                 "Entered the scores of 5 games; 0 games already held their scores. "
                 "No rows were skipped.\n"
                 "2 Minnesota Vikings at New Orleans Saints: '9' '14'\n"
                 "4 Denver Broncos at Jacksonville Jaguars: '24' '17'\n"
                 "6 Minnesota Vikings at Philadelphia Eagles: '24' '0'\n"
                 "10 Seattle Seahawks at Los Angeles Rams: '3' '9'\n"
                 "11 Oakland Raiders at Washington Football Team: '17' '23'\n"},
        PlanCase{"TableLayoutWithSameScoresInAnyForm",
                 kTableHeader + "Minnesota Vikings,New Orleans Saints,9/9/2010,9,14,2010\r\n"
                                "Minnesota Vikings,New Orleans Saints,9/9/2010,9,14,2010\r\n"
                                "Tennessee Titans,Pittsburgh Steelers,9/10/2009,10,13,2009\r\n"
                                "Miami Dolphins,Buffalo Bills,9/12/2010,15,10.0,2010\r\n",
                 "Entered the scores of 1 game; 3 games already held their scores. "
                 "No rows were skipped.\n"
                 "2 Minnesota Vikings at New Orleans Saints: '9' '14'\n"},
        PlanCase{"SkipsPlayoffsOtherSeasonsAndUnplayedGames",
                 kCommunity + "2010,WC,2011-01-08,NO,SEA,36,41\n"
                              "2009,SB,2010-02-07,NO,IND,31,17\n"
                              "2010,DIV,2011-01-15,XYZ,ZZZ,1,2\n"
                              "2011,REG,2011-09-08,NO,GB,34,42\n"
                              "2008,REG,2008-12-28,KC,CIN,6,16\n"
                              "20x0,REG,2010-09-09,MIN,NO,9,14\n"
                              "2010,REG,2010-09-09,MIN,NO,NA,NA\n"
                              "2010,REG,2010-09-12,DEN,JAX,,\n"
                              "2010,REG,2010-09-12,DEN,JAX,24,\n"
                              "\n"
                              "2009,REG,2009-09-10,TEN,PIT,10,13\n",
                 "Entered no scores; 1 game already held its scores. Skipped 9 rows: "
                 "3 playoff games, 3 rows of other seasons, 3 games not played yet.\n"},
        PlanCase{"EveryUnusableLineIsNamed",
                 kOtherScores + "2010,REG,2010-09-12,XYZ,JAX,24,17\n"
                                "2010,REG,2010-12-26,MIN,PHI,24,14\n"
                                "2010,REG,2010-09-27,GB,CHI,17,20\n"
                                "2010,REG,2010-02-30,DEN,JAX,24,17\n"
                                "2010,REG,2010-09-09,MIN,NO,10,14\n"
                                "2010,REG,2010-09-12,DEN,JAX,7.5,14\n"
                                "2010,REG,2010-09-12,DEN,JAX,9,1000\n"
                                "2010,REG,2010-09-12,DEN,JAX,nine,-1\n"
                                "2010,REG,2010-12-28,MIN,PHI,999,0,\"a note\n"
                                "over two lines\"\n"
                                "2010,REG,2010-09-12,DEN,JAX\n",
                 "The file was refused and no score was entered because of 11 lines: "
                 "line 2 (MIA at BUF, 2010-09-12, 16-10): the game already holds 15-10; "
                 "line 3 (DAL at WAS, 2010-09-12, 7-13): the game already holds the visitor "
                 "score 7 only; "
                 "line 5 (XYZ at JAX, 2010-09-12, 24-17): unknown team code \"XYZ\"; "
                 "line 6 (MIN at PHI, 2010-12-26, 24-14): no game of the table matches; "
                 "line 7 (GB at CHI, 2010-09-27, 17-20): 2 games of the table match; "
                 "line 8 (DEN at JAX, 2010-02-30, 24-17): invalid date \"2010-02-30\"; "
                 "line 9 (MIN at NO, 2010-09-09, 10-14): line 4 gives this game 9-14; "
                 "line 10 (DEN at JAX, 2010-09-12, 7.5-14): the visitor score \"7.5\" is not a "
                 "whole number from 0 to 999; "
                 "line 11 (DEN at JAX, 2010-09-12, 9-1000): the home score \"1000\" is not a "
                 "whole number from 0 to 999; "
                 "line 12 (DEN at JAX, 2010-09-12, nine--1): the visitor score \"nine\" is not a "
                 "number and the home score \"-1\" is negative; "
                 "line 15 (DEN at JAX, 2010-09-12, -): the row ends before the column "
                 "away_score.\n"},
        PlanCase{"UnknownFullName",
                 kTableHeader + "Minnesota Vikes,New Orleans Saints,9/9/2010,9,14,2010\r\n",
                 "The file was refused and no score was entered because of 1 line: line 2 "
                 "(Minnesota Vikes at New Orleans Saints, 9/9/2010, 9-14): unknown team "
                 "\"Minnesota Vikes\".\n"},
        PlanCase{"HeaderOfNeitherLayout",
                 "season,gameday,away_team,home_team,away_score,home_score\n",
                 "The file was refused and no score was entered: line 1: the header lacks the "
                 "columns game_type.\n"},
        PlanCase{"HeaderAfterBlankLines", "\r\n\r\nTeamA,TeamB,Date,Visitor,Home\r\n",
                 "The file was refused and no score was entered: line 3: the header lacks the "
                 "columns Year.\n"},
        PlanCase{"QuoteNeverClosed", kCommunity + "2010,\"REG,2010-09-09\n",
                 "The file was refused and no score was entered: line 2: a quoted field is "
                 "not closed.\n"},
        PlanCase{"EmptyFile", "\xEF\xBB\xBF\r\n",
                 "The file was refused and no score was entered: line 1: the file is empty.\n"}),
    test::caseName);

// ------------------------------------------------------------ the real seasons

// The bundled schedules with their scores, as the games table holds them.
const std::vector<GameRecord>& realGames() {
    static const std::vector<GameRecord> games = sample::bundledGames();
    return games;
}

// The games of 2010's week 16, the Tuesday game included.
std::vector<GameRecord> week16Of2010(std::vector<GameRecord> games) {
    std::erase_if(games, [](const GameRecord& g) {
        return g.year != "2010" || onOrBefore(g.date, test::dateOf("12/22/2010")) ||
               !onOrBefore(g.date, test::dateOf("12/29/2010"));
    });
    return games;
}

// A real games table file holding the bundled seasons, scored through a day.
class RealTable : public GamesFile, public testing::Test {
protected:
    void fill(const std::string& scoresThrough) {
        std::vector<GameRecord> games = realGames();
        for (GameRecord& g : games)
            if (!onOrBefore(g.date, test::dateOf(scoresThrough)))
                g.visitorScore = g.homeScore = "";
        GamesFile::fill(games);
    }
    std::string import(const std::string& csv, const ScoreImportOptions& options = {}) {
        fs::path file = m_home.home.path() / "games.csv";
        test::writeBytes(file, csv);
        return importScoreFile(*m_table, file, options).summary;
    }
};

// Every game finds its own row, the Tuesday, London, Toronto and Detroit
// games and those of January included.
TEST_F(RealTable, BothLayoutsOfTheSevenSeasonsFillEveryScore) {
    fill(test::kNoScores);
    std::string ownLayout = test::readBytes(test::scheduleCsv());
    EXPECT_EQ(import(ownLayout, {.season = 2012, .overwrite = false}),
              "Entered the scores of 256 games; 0 games already held their scores. Skipped "
              "1536 rows: 0 playoff games, 1536 rows of other seasons, 0 games not played yet.");
    std::string community = sample::dataSetGamesFile(realGames(), sample::DataSetColumns::Read);
    EXPECT_EQ(import(community), "Entered the scores of 1536 games; 256 games already held "
                                 "their scores. No rows were skipped.");
    EXPECT_EQ(test::dumpRecords(m_table->records().value()), test::dumpRecords(realGames()));

    std::string once = bytes();
    EXPECT_EQ(import(community), "Entered no scores; 1792 games already held their scores. No "
                                 "rows were skipped.");
    EXPECT_EQ(bytes(), once);
}

// Another window enters the Tuesday game between planning and writing.
TEST_F(RealTable, AScoreEnteredAfterPlanningStopsTheWholeWriteUntilOverwritten) {
    fill("11/2/2010");
    std::vector<GameRecord> week16 = week16Of2010(realGames());
    std::string file = sample::dataSetGamesFile(week16, sample::DataSetColumns::Full);
    ScoreImportPlan planned = planScoreImport(file, m_table->records().value(), {});
    ASSERT_EQ(planned.changes.size(), 16u);
    ASSERT_TRUE(m_table->writeScores(planned.changes.back().rowid, "21", "14"));
    std::vector<GameRecord> before = m_table->records().value();

    ScoreImportResult result = applyScoreImport(*m_table, planned);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.summary,
              "No score was entered: the games table could not be written: the record " +
                  std::to_string(planned.changes.back().rowid) +
                  " no longer exists or was changed meanwhile");
    EXPECT_EQ(m_table->records().value(), before);

    EXPECT_EQ(import(file, {.season = std::nullopt, .overwrite = true}),
              "Entered the scores of 16 games (1 of them replaces a different score); 0 games "
              "already held their scores. No rows were skipped.");
    EXPECT_EQ(test::dumpRecords(week16Of2010(m_table->records().value())),
              test::dumpRecords(week16));
}

} // namespace
} // namespace gs
