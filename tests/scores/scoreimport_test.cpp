#include "scores/scoreimport.h"

#include "core/text.h"
#include "schedule/calendar.h"
#include "schedule/importer.h"
#include "tests/support/sampledata.h"
#include "tests/support/testsupport.h"

#include <functional>
#include <gtest/gtest.h>
#include <map>

namespace gs {
namespace {

namespace fs = std::filesystem;

// ------------------------------------------------------------ planning alone

const std::string kCommunity =
    "season,game_type,gameday,away_team,home_team,away_score,home_score\n";
const std::string kTableHeader = "TeamA,TeamB,Date,Visitor,Home,Year\r\n";

// A few games as a table may hold them: scores as imported ("15") or
// entered (" 10"), a date with leading zeros, a half-entered game and a
// game stored twice.
const std::vector<TableGame> kGames = {
    {1, {"Tennessee Titans", "Pittsburgh Steelers", "9/10/2009", "10", "13", "2009"}},
    {2, {"Minnesota Vikings", "New Orleans Saints", "09/09/2010", "", "", "2010"}},
    {3, {"Miami Dolphins", "Buffalo Bills", "9/12/2010", "15", " 10", "2010"}},
    {4, {"Denver Broncos", "Jacksonville Jaguars", "9/12/2010", "", "", "2010"}},
    {5, {"Dallas Cowboys", "Washington Redskins", "9/12/2010", " 7", "", "2010"}},
    {6, {"Minnesota Vikings", "Philadelphia Eagles", "12/28/2010", "", "", "2010"}},
    {8, {"Green Bay Packers", "Chicago Bears", "9/27/2010", "", "", "2010"}},
    {9, {"Green Bay Packers", "Chicago Bears", "9/27/2010", "", "", "2010"}},
    {10, {"Seattle Seahawks", "Los Angeles Rams", "9/18/2016", "", "", "2016"}},
    {11, {"Oakland Raiders", "Washington Football Team", "12/6/2020", "", "", "2020"}},
};

// The summary, then one line a planned write.
std::string dumpPlan(const ScoreImportPlan& plan) {
    std::string text = describeScoreImport(plan) + "\n";
    for (const GamesTable::ScoreChange& change : plan.changes)
        text += std::to_string(change.rowid) + " " + change.seen.visitor + " at " +
                change.seen.home + ": '" + change.visitor + "' '" + change.home + "'\n";
    return text;
}

struct PlanCase {
    const char* name;
    std::string csv;
    ScoreImportOptions options;
    std::string expected;
};

void PrintTo(const PlanCase& c, std::ostream* out) {
    *out << c.name;
}

class Plan : public testing::TestWithParam<PlanCase> {};

TEST_P(Plan, SummaryAndWrites) {
    EXPECT_EQ(dumpPlan(planScoreImport(GetParam().csv, kGames, GetParam().options)),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, Plan,
    testing::Values(
        PlanCase{"CommunityRowsFillEmptyGames",
                 kCommunity + "2010,REG,2010-09-09,MIN,NO,9,14\n"
                              "2010,REG,2010-09-12,DEN,JAX,24,17\n"
                              "2010,REG,2010-12-28,MIN,PHI,24,0\n",
                 {},
                 "Entered the scores of 3 games; 0 games already held their scores. "
                 "No rows were skipped.\n"
                 "2 Minnesota Vikings at New Orleans Saints: ' 9' ' 14'\n"
                 "4 Denver Broncos at Jacksonville Jaguars: ' 24' ' 17'\n"
                 "6 Minnesota Vikings at Philadelphia Eagles: ' 24' ' 0'\n"},
        PlanCase{"TableLayoutWithFullNamesAndDatesComparedAsDates",
                 kTableHeader + "Minnesota Vikings,New Orleans Saints,9/9/2010,9,14,2010\r\n"
                                "Tennessee Titans,Pittsburgh Steelers,9/10/2009,10,13,2009\r\n",
                 {},
                 "Entered the scores of 1 game; 1 game already held its scores. "
                 "No rows were skipped.\n"
                 "2 Minnesota Vikings at New Orleans Saints: ' 9' ' 14'\n"},
        PlanCase{"ColumnsByNameInAnyOrderWithExtras",
                 "Home_Score,gameday,game_id,AWAY_TEAM,home_team,season,away_score,game_type,"
                 "stadium\n"
                 "17,2010-09-12,2010_01_DEN_JAC,DEN,JAC,2010,24,REG,Jacksonville\n",
                 {},
                 "Entered the scores of 1 game; 0 games already held their scores. "
                 "No rows were skipped.\n"
                 "4 Denver Broncos at Jacksonville Jaguars: ' 24' ' 17'\n"},
        PlanCase{
            "QuotesMarkAndMixedLineEnds",
            "\xEF\xBB\xBF" + kCommunity +
                "\"2010\",\"REG\",\"2010-09-09\",\"MIN\",\"NO\",\"9\",\"14\",\"a, \"\"b\"\"\r\n"
                "c\"\r\n"
                "2010,REG,2010-09-12,\" DEN \",JAX,24,17",
            {},
            "Entered the scores of 2 games; 0 games already held their scores. "
            "No rows were skipped.\n"
            "2 Minnesota Vikings at New Orleans Saints: ' 9' ' 14'\n"
            "4 Denver Broncos at Jacksonville Jaguars: ' 24' ' 17'\n"},
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
                 {},
                 "Entered no scores; 1 game already held its scores. Skipped 9 rows: "
                 "3 playoff games, 3 rows of other seasons, 3 games not played yet.\n"},
        PlanCase{"OnlyTheSeasonAskedFor",
                 kCommunity + "2010,REG,2010-09-09,MIN,NO,9,14\n"
                              "2009,REG,2009-09-10,TEN,PIT,10,13\n",
                 {.season = 2009, .overwrite = false},
                 "Entered no scores; 1 game already held its scores. Skipped 1 row: "
                 "0 playoff games, 1 row of other seasons, 0 games not played yet.\n"},
        PlanCase{"SameScoreIsAlreadyThereWhateverItsForm",
                 kCommunity + "2010,REG,2010-09-12,MIA,BUF,15,10.0\n"
                              "2010,REG,2010-09-09,MIN,NO,9,14\n"
                              "2010,REG,2010-09-09,MIN,NO,9,14\n",
                 {},
                 "Entered the scores of 1 game; 2 games already held their scores. "
                 "No rows were skipped.\n"
                 "2 Minnesota Vikings at New Orleans Saints: ' 9' ' 14'\n"},
        PlanCase{"DifferentScoresNeedOverwrite",
                 kCommunity + "2010,REG,2010-09-12,MIA,BUF,16,10\n"
                              "2010,REG,2010-09-12,DAL,WAS,7,13\n"
                              "2010,REG,2010-09-09,MIN,NO,9,14\n",
                 {},
                 "The file was refused and no score was entered because of 2 lines: "
                 "line 2 (MIA at BUF, 2010-09-12, 16-10): the game already holds 15-10; "
                 "line 3 (DAL at WAS, 2010-09-12, 7-13): the game already holds the visitor "
                 "score 7 only.\n"},
        PlanCase{"OverwriteReplacesDifferentScores",
                 kCommunity + "2010,REG,2010-09-12,MIA,BUF,16,10\n"
                              "2010,REG,2010-09-12,DAL,WAS,7,13\n"
                              "2010,REG,2010-09-09,MIN,NO,9,14\n",
                 {.season = std::nullopt, .overwrite = true},
                 "Entered the scores of 3 games (2 of them replace a different score); "
                 "0 games already held their scores. No rows were skipped.\n"
                 "3 Miami Dolphins at Buffalo Bills: ' 16' ' 10'\n"
                 "5 Dallas Cowboys at Washington Redskins: ' 7' ' 13'\n"
                 "2 Minnesota Vikings at New Orleans Saints: ' 9' ' 14'\n"},
        PlanCase{"BadScores",
                 kCommunity + "2010,REG,2010-09-09,MIN,NO,-3,14\n"
                              "2010,REG,2010-09-09,MIN,NO,7.5,14\n"
                              "2010,REG,2010-09-09,MIN,NO,9,1000\n"
                              "2010,REG,2010-09-09,MIN,NO,nine,-1\n"
                              "2010,REG,2010-09-12,DEN,JAX,999,0\n",
                 {},
                 "The file was refused and no score was entered because of 4 lines: "
                 "line 2 (MIN at NO, 2010-09-09, -3-14): the visitor score \"-3\" is negative; "
                 "line 3 (MIN at NO, 2010-09-09, 7.5-14): the visitor score \"7.5\" is not a "
                 "whole number from 0 to 999; "
                 "line 4 (MIN at NO, 2010-09-09, 9-1000): the home score \"1000\" is not a "
                 "whole number from 0 to 999; "
                 "line 5 (MIN at NO, 2010-09-09, nine--1): the visitor score \"nine\" is not a "
                 "number and the home score \"-1\" is negative.\n"},
        PlanCase{"EveryUnusableLineIsNamed",
                 kCommunity + "2010,REG,2010-09-09,MIN,NO,9,14\n"
                              "2010,REG,2010-09-12,XYZ,JAX,24,17\n"
                              "2010,REG,2010-12-26,MIN,PHI,24,14\n"
                              "2010,REG,2010-09-27,GB,CHI,17,20\n"
                              "2010,REG,2010-02-30,DEN,JAX,24,17\n"
                              "2010,REG,2010-09-09,MIN,NO,10,14\n"
                              "2010,REG,2010-12-28,MIN,PHI,24,14,\"a note\n"
                              "over two lines\"\n"
                              "2010,REG,2010-09-12,DEN,JAX\n",
                 {},
                 "The file was refused and no score was entered because of 6 lines: "
                 "line 3 (XYZ at JAX, 2010-09-12, 24-17): unknown team code \"XYZ\"; "
                 "line 4 (MIN at PHI, 2010-12-26, 24-14): no game of the table matches; "
                 "line 5 (GB at CHI, 2010-09-27, 17-20): 2 games of the table match; "
                 "line 6 (DEN at JAX, 2010-02-30, 24-17): invalid date \"2010-02-30\"; "
                 "line 7 (MIN at NO, 2010-09-09, 10-14): line 2 gives this game 9-14; "
                 "line 10 (DEN at JAX, 2010-09-12, -): the row ends before the column "
                 "away_score.\n"},
        PlanCase{"EverySeasonsCodesAndNames",
                 kCommunity + "2016,REG,2016-09-18,SEA,LA,3,9\n"
                              "2020,REG,2020-12-06,LV,WAS,17,23\n",
                 {},
                 "Entered the scores of 2 games; 0 games already held their scores. "
                 "No rows were skipped.\n"
                 "10 Seattle Seahawks at Los Angeles Rams: ' 3' ' 9'\n"
                 "11 Oakland Raiders at Washington Football Team: ' 17' ' 23'\n"},
        PlanCase{"UnknownFullName",
                 kTableHeader + "Minnesota Vikes,New Orleans Saints,9/9/2010,9,14,2010\r\n",
                 {},
                 "The file was refused and no score was entered because of 1 line: line 2 "
                 "(Minnesota Vikes at New Orleans Saints, 9/9/2010, 9-14): unknown team "
                 "\"Minnesota Vikes\".\n"},
        PlanCase{"HeaderOfNeitherLayout",
                 "season,gameday,away_team,home_team,away_score,home_score\n",
                 {},
                 "The file was refused and no score was entered: line 1: the header lacks the "
                 "columns game_type.\n"},
        PlanCase{"HeaderAfterBlankLines",
                 "\r\n\r\nTeamA,TeamB,Date,Visitor,Home\r\n",
                 {},
                 "The file was refused and no score was entered: line 3: the header lacks the "
                 "columns Year.\n"},
        PlanCase{"QuoteNeverClosed",
                 kCommunity + "2010,REG,2010-09-09,MIN,NO,9,14\n2010,\"REG,2010-09-09\n",
                 {},
                 "The file was refused and no score was entered: line 3: a quoted field is "
                 "not closed.\n"},
        PlanCase{"EmptyFile",
                 "\xEF\xBB\xBF\r\n",
                 {},
                 "The file was refused and no score was entered: line 1: the file is empty.\n"},
        PlanCase{"HeaderOnly",
                 kCommunity,
                 {},
                 "Entered no scores; 0 games already held their scores. "
                 "No rows were skipped.\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// ------------------------------------------------------------ a real table

// The bundled schedules with their scores, as the games table holds them.
const std::vector<GameRecord>& realGames() {
    static const std::vector<GameRecord> games = sample::bundledGames();
    return games;
}

// Games as a data set's games file lists them.
std::string communityFile(const std::vector<GameRecord>& games) {
    return sample::dataSetGamesFile(games, sample::DataSetColumns::Read);
}

// Scores as the score entry window stores them.
std::vector<GameRecord> asEntered(std::vector<GameRecord> games) {
    for (GameRecord& g : games) {
        g.visitorScore = " " + g.visitorScore;
        g.homeScore = " " + g.homeScore;
    }
    return games;
}

std::vector<GameRecord> gamesWhere(const std::vector<GameRecord>& games,
                                   const std::function<bool(const GameRecord&)>& keep) {
    std::vector<GameRecord> kept;
    for (const GameRecord& g : games)
        if (keep(g))
            kept.push_back(g);
    return kept;
}

// A real games table file in a fresh folder, holding the bundled seasons.
class RealTable : public testing::Test {
protected:
    // Stores every bundled game; scores are kept where keepScores says so.
    void fill(const std::function<bool(const GameRecord&)>& keepScores) {
        std::vector<GameRecord> games = realGames();
        for (GameRecord& g : games)
            if (!keepScores(g))
                g.visitorScore = g.homeScore = "";
        auto table = GamesTable::create(path());
        ASSERT_TRUE(table) << table.error().message;
        m_table = std::move(*table);
        Status filled = m_table->replaceSeasons(games);
        ASSERT_TRUE(filled) << filled.error().message;
    }
    // The program's first start: 2009 scored, 2010 through 11/02/2010.
    void fillAsFirstStart() {
        fill([](const GameRecord& g) {
            return g.year == "2009" || (g.year == "2010" && onOrBefore(g.date, "11/2/2010"));
        });
    }
    ScoreImportPlan plan(const std::string& csv, const ScoreImportOptions& options = {}) {
        Result<std::vector<TableGame>> games = readTableGames(*m_table);
        EXPECT_TRUE(games) << games.error().message;
        return planScoreImport(csv, games.value_or(std::vector<TableGame>{}), options);
    }
    ScoreImportResult import(const std::string& csv, const ScoreImportOptions& options = {}) {
        return applyScoreImport(*m_table, plan(csv, options));
    }
    std::vector<GameRecord> stored() { return m_table->records().value(); }
    std::string bytes() const { return test::readBytes(path()); }
    fs::path path() const { return m_folder.path() / "scoresheet97.mdb"; }

    test::TempDir m_folder;
    std::unique_ptr<GamesTable> m_table;
};

TEST_F(RealTable, CommunityFileOfSevenSeasonsFillsEveryScore) {
    fill([](const GameRecord&) { return false; });
    ScoreImportResult result = import(communityFile(realGames()));
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.counts, (ScoreImportCounts{.entered = 1792}));
    EXPECT_EQ(result.summary, "Entered the scores of 1792 games; 0 games already held their "
                              "scores. No rows were skipped.");
    EXPECT_EQ(test::dumpRecords(stored()), test::dumpRecords(asEntered(realGames())));
}

TEST_F(RealTable, OwnLayoutOfTheBundledFileFillsEveryScore) {
    fill([](const GameRecord&) { return false; });
    ScoreImportResult result = import(test::readBytes(test::scheduleCsv()));
    EXPECT_EQ(result.summary, "Entered the scores of 1792 games; 0 games already held their "
                              "scores. No rows were skipped.");
    EXPECT_EQ(test::dumpRecords(stored()), test::dumpRecords(asEntered(realGames())));
}

TEST_F(RealTable, OneSeasonOfTheSevenOnRequest) {
    fill([](const GameRecord&) { return false; });
    ScoreImportResult result =
        import(communityFile(realGames()), {.season = 2012, .overwrite = false});
    EXPECT_EQ(result.summary,
              "Entered the scores of 256 games; 0 games already held their scores. Skipped "
              "1536 rows: 0 playoff games, 1536 rows of other seasons, 0 games not played yet.");
    auto isSeason2012 = [](const GameRecord& g) { return g.year == "2012"; };
    EXPECT_EQ(test::dumpRecords(gamesWhere(
                  stored(), [](const GameRecord& g) { return !g.visitorScore.empty(); })),
              test::dumpRecords(asEntered(gamesWhere(realGames(), isSeason2012))));
}

// Games whose day or place is unusual; the data sets list them under the
// team that was the designated home team, as the games table does.
struct UnusualGame {
    const char* name;
    const char* visitor;
    const char* home;
    const char* date;
};

void PrintTo(const UnusualGame& g, std::ostream* out) {
    *out << g.name;
}

class UnusualGames : public RealTable, public testing::WithParamInterface<UnusualGame> {};

TEST_P(UnusualGames, GetTheirScoresFromTheirOwnRow) {
    fill([](const GameRecord&) { return false; });
    const UnusualGame& wanted = GetParam();
    std::vector<GameRecord> game = gamesWhere(realGames(), [&](const GameRecord& g) {
        return g.visitor == wanted.visitor && g.home == wanted.home && g.date == wanted.date;
    });
    ASSERT_EQ(game.size(), 1u);
    ScoreImportResult result = import(communityFile(game));
    EXPECT_EQ(result.counts, (ScoreImportCounts{.entered = 1}));
    std::vector<GameRecord> changed =
        gamesWhere(stored(), [](const GameRecord& g) { return !g.visitorScore.empty(); });
    EXPECT_EQ(test::dumpRecords(changed), test::dumpRecords(asEntered(game)));
}

INSTANTIATE_TEST_SUITE_P(
    RealData, UnusualGames,
    testing::Values(
        UnusualGame{"TuesdayGameOf2010", "Minnesota Vikings", "Philadelphia Eagles", "12/28/2010"},
        UnusualGame{"LondonGameOf2009", "New England Patriots", "Tampa Bay Buccaneers",
                    "10/25/2009"},
        UnusualGame{"TorontoGameOf2009OnAThursday", "N.Y. Jets", "Buffalo Bills", "12/3/2009"},
        UnusualGame{"MinnesotaHomeGamePlayedInDetroit", "N.Y. Giants", "Minnesota Vikings",
                    "12/13/2010"},
        UnusualGame{"BuffaloHomeGamePlayedInDetroit", "N.Y. Jets", "Buffalo Bills", "11/24/2014"},
        UnusualGame{"JanuaryGameOfTheSeasonBefore", "St. Louis Rams", "Seattle Seahawks",
                    "1/2/2011"}),
    [](const auto& info) { return std::string(info.param.name); });

// A games file as downloaded from a data set after 2010's week 16: other
// seasons, playoff rows, week 17 not played yet, quoted fields, CR LF and a
// byte-order mark.
const std::string kDownloaded =
    "\xEF\xBB\xBF" +
    test::crlf({
        "game_id,season,game_type,week,gameday,weekday,gametime,away_team,away_score,home_team,"
        "home_score,location,result,total,overtime,stadium",
        "2008_17_KC_CIN,2008,REG,17,2008-12-28,Sunday,13:00,KC,6,CIN,16,Home,10,22,0,"
        "Paul Brown Stadium",
        "2009_18_NYJ_CIN,2009,WC,18,2010-01-09,Saturday,16:30,NYJ,24,CIN,14,Home,-10,38,0,"
        "Paul Brown Stadium",
        "2009_18_PHI_DAL,2009,WC,18,2010-01-09,Saturday,20:00,PHI,14,DAL,34,Home,20,48,0,"
        "\"Cowboys Stadium, Arlington\"",
        "2009_21_NO_IND,2009,SB,21,2010-02-07,Sunday,18:25,NO,31,IND,17,Neutral,-14,48,0,"
        "\"Sun Life Stadium, Miami Gardens\"",
        "2010_01_MIN_NO,2010,REG,1,2010-09-09,Thursday,20:30,MIN,9,NO,14,Home,5,23,0,"
        "\"Louisiana Superdome, \"\"the Dome\"\"\"",
        "2010_01_MIA_BUF,2010,REG,1,2010-09-12,Sunday,13:00,MIA,15,BUF,10,Home,-5,25,0,"
        "Ralph Wilson Stadium",
        "2010_16_CAR_PIT,2010,REG,16,2010-12-23,Thursday,20:20,CAR,3,PIT,27,Home,24,30,0,"
        "Heinz Field",
        "2010_16_DAL_ARI,2010,REG,16,2010-12-25,Saturday,19:30,DAL,26,ARI,27,Home,1,53,0,"
        "\"University of Phoenix Stadium, Glendale\"",
        "2010_16_NE_BUF,2010,REG,16,2010-12-26,Sunday,13:00,NE,34,BUF,3,Home,-31,37,0,"
        "Ralph Wilson Stadium",
        "2010_16_NYJ_CHI,2010,REG,16,2010-12-26,Sunday,13:00,NYJ,34,CHI,38,Home,4,72,0,"
        "Soldier Field",
        "2010_16_BAL_CLE,2010,REG,16,2010-12-26,Sunday,13:00,BAL,20,CLE,10,Home,-10,30,0,"
        "Cleveland Browns Stadium",
        "2010_16_WAS_JAC,2010,REG,16,2010-12-26,Sunday,13:00,WAS,20,JAC,17,Home,-3,37,1,"
        "EverBank Field",
        "2010_16_TEN_KC,2010,REG,16,2010-12-26,Sunday,13:00,TEN,14,KC,34,Home,20,48,0,"
        "Arrowhead Stadium",
        "2010_16_DET_MIA,2010,REG,16,2010-12-26,Sunday,13:00,DET,34,MIA,27,Home,-7,61,0,"
        "Sun Life Stadium",
        "2010_16_SF_STL,2010,REG,16,2010-12-26,Sunday,13:00,SF,17,STL,25,Home,8,42,0,"
        "Edward Jones Dome",
        "2010_16_SD_CIN,2010,REG,16,2010-12-26,Sunday,13:00,SD,20,CIN,34,Home,14,54,0,"
        "Paul Brown Stadium",
        "2010_16_HOU_DEN,2010,REG,16,2010-12-26,Sunday,16:05,HOU,23,DEN,24,Home,1,47,0,"
        "Invesco Field at Mile High",
        "2010_16_IND_OAK,2010,REG,16,2010-12-26,Sunday,16:05,IND,31,OAK,26,Home,-5,57,0,"
        "Oakland-Alameda County Coliseum",
        "2010_16_NYG_GB,2010,REG,16,2010-12-26,Sunday,16:15,NYG,17,GB,45,Home,28,62,0,"
        "Lambeau Field",
        "2010_16_SEA_TB,2010,REG,16,2010-12-26,Sunday,16:15,SEA,15,TB,38,Home,23,53,0,"
        "Raymond James Stadium",
        "2010_16_NO_ATL,2010,REG,16,2010-12-27,Monday,20:30,NO,17,ATL,14,Home,-3,31,0,"
        "Georgia Dome",
        "2010_16_MIN_PHI,2010,REG,16,2010-12-28,Tuesday,20:00,\"MIN\",\"24\",\"PHI\",\"14\","
        "Home,-10,38,0,Lincoln Financial Field",
        "2010_17_CAR_ATL,2010,REG,17,2011-01-02,Sunday,13:00,CAR,NA,ATL,NA,Home,NA,NA,NA,"
        "Georgia Dome",
        "2010_17_CIN_BAL,2010,REG,17,2011-01-02,Sunday,13:00,CIN,NA,BAL,NA,Home,NA,NA,NA,"
        "M&T Bank Stadium",
        "2010_17_STL_SEA,2010,REG,17,2011-01-02,Sunday,20:20,STL,,SEA,,Home,,,,Qwest Field",
        "2010_18_NO_SEA,2010,WC,18,2011-01-08,Saturday,16:30,NO,NA,SEA,NA,Home,NA,NA,NA,"
        "Qwest Field",
        "2016_01_CAR_DEN,2016,REG,1,2016-09-08,Thursday,20:30,CAR,20,DEN,21,Home,1,41,0,"
        "\"Sports Authority Field at Mile High\"",
    });

bool isWeek16Of2010(const GameRecord& g) {
    return g.year == "2010" && !onOrBefore(g.date, "12/22/2010") &&
           onOrBefore(g.date, "12/29/2010");
}

TEST_F(RealTable, DownloadedFileEntersWeek16) {
    fillAsFirstStart();
    std::vector<GameRecord> before = stored();
    ScoreImportResult result = import(kDownloaded);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.summary, "Entered the scores of 16 games; 2 games already held their "
                              "scores. Skipped 9 rows: 4 playoff games, 2 rows of other "
                              "seasons, 3 games not played yet.");
    // Week 16 in table order, the Tuesday game before the Monday game.
    std::vector<GameRecord> week16 = gamesWhere(realGames(), isWeek16Of2010);
    ASSERT_EQ(week16.size(), 16u);
    EXPECT_EQ(test::dumpRecords(gamesWhere(stored(), isWeek16Of2010)),
              test::dumpRecords(asEntered(week16)));
    std::vector<GameRecord> others =
        gamesWhere(stored(), [](const GameRecord& g) { return !isWeek16Of2010(g); });
    EXPECT_EQ(test::dumpRecords(others),
              test::dumpRecords(
                  gamesWhere(before, [](const GameRecord& g) { return !isWeek16Of2010(g); })));
}

TEST_F(RealTable, SecondImportChangesNothing) {
    fillAsFirstStart();
    ASSERT_TRUE(import(kDownloaded).ok);
    std::string once = bytes();
    ScoreImportResult again = import(kDownloaded);
    EXPECT_TRUE(again.ok);
    EXPECT_EQ(again.summary, "Entered no scores; 18 games already held their scores. Skipped 9 "
                             "rows: 4 playoff games, 2 rows of other seasons, 3 games not "
                             "played yet.");
    EXPECT_EQ(bytes(), once);
}

struct Refusal {
    const char* name;
    std::vector<std::string> rows; // after the header, besides a good row
    std::string summary;
};

void PrintTo(const Refusal& r, std::ostream* out) {
    *out << r.name;
}

class Refusals : public RealTable, public testing::WithParamInterface<Refusal> {};

TEST_P(Refusals, LeaveTheTableByteIdentical) {
    fillAsFirstStart();
    std::vector<std::string> lines = {
        "season,game_type,gameday,away_team,home_team,away_score,home_score",
        "2010,REG,2010-12-28,MIN,PHI,24,14"};
    lines.insert(lines.end(), GetParam().rows.begin(), GetParam().rows.end());
    m_table.reset(); // the file is compared with no connection holding it
    std::string before = bytes();
    m_table = GamesTable::open(path()).value();
    ScoreImportResult result = import(test::crlf(lines));
    m_table.reset();
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.counts, ScoreImportCounts{});
    EXPECT_EQ(result.summary, GetParam().summary);
    EXPECT_EQ(bytes(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Files, Refusals,
    testing::Values(
        Refusal{"UnknownTeamCode",
                {"2010,REG,2010-12-26,LVR,DEN,23,24"},
                "The file was refused and no score was entered because of 1 line: line 3 (LVR "
                "at DEN, 2010-12-26, 23-24): unknown team code \"LVR\"."},
        Refusal{"NoGameOnTheOriginalDate",
                {"2010,REG,2010-12-26,MIN,PHI,24,14"},
                "The file was refused and no score was entered because of 1 line: line 3 (MIN "
                "at PHI, 2010-12-26, 24-14): no game of the table matches."},
        Refusal{"HomeAndVisitorSwapped",
                {"2010,REG,2010-12-27,ATL,NO,14,17"},
                "The file was refused and no score was entered because of 1 line: line 3 (ATL "
                "at NO, 2010-12-27, 14-17): no game of the table matches."},
        Refusal{"NegativeScore",
                {"2010,REG,2010-12-27,NO,ATL,-17,14"},
                "The file was refused and no score was entered because of 1 line: line 3 (NO "
                "at ATL, 2010-12-27, -17-14): the visitor score \"-17\" is negative."},
        Refusal{"ScoreOver999",
                {"2010,REG,2010-12-27,NO,ATL,17,1400"},
                "The file was refused and no score was entered because of 1 line: line 3 (NO "
                "at ATL, 2010-12-27, 17-1400): the home score \"1400\" is not a whole number "
                "from 0 to 999."},
        Refusal{"DifferentScoreAlreadyEntered",
                {"2010,REG,2010-09-09,MIN,NO,10,14"},
                "The file was refused and no score was entered because of 1 line: line 3 (MIN "
                "at NO, 2010-09-09, 10-14): the game already holds 9-14."},
        Refusal{"EveryBadLineTogether",
                {"2010,REG,2010-12-27,NO,ATL,17,14", "2010,REG,2010-12-26,LVR,DEN,23,24",
                 "2010,REG,2010-12-26,HOU,DEN,23.5,24", "2010,REG,2010-09-09,MIN,NO,10,14"},
                "The file was refused and no score was entered because of 3 lines: line 4 (LVR "
                "at DEN, 2010-12-26, 23-24): unknown team code \"LVR\"; line 5 (HOU at DEN, "
                "2010-12-26, 23.5-24): the visitor score \"23.5\" is not a whole number from 0 "
                "to 999; line 6 (MIN at NO, 2010-09-09, 10-14): the game already holds "
                "9-14."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RealTable, OverwriteReplacesAnEnteredScore) {
    fillAsFirstStart();
    ScoreImportResult result =
        import(kCommunity + "2010,REG,2010-09-09,MIN,NO,10,14\n2010,REG,2010-12-28,MIN,PHI,24,14\n",
               {.season = std::nullopt, .overwrite = true});
    EXPECT_EQ(result.summary, "Entered the scores of 2 games (1 of them replaces a different "
                              "score); 0 games already held their scores. No rows were "
                              "skipped.");
    EXPECT_EQ(test::dumpRecords(
                  gamesWhere(stored(), [](const GameRecord& g) { return g.date == "12/28/2010"; })),
              "Minnesota Vikings|Philadelphia Eagles|12/28/2010| 24| 14|2010\n");
    EXPECT_EQ(test::dumpRecords({stored()[256]}),
              "Minnesota Vikings|New Orleans Saints|9/9/2010| 10| 14|2010\n");
}

TEST_F(RealTable, AScoreEnteredAfterPlanningStopsTheWholeWrite) {
    fillAsFirstStart();
    ScoreImportPlan planned = plan(kDownloaded);
    ASSERT_TRUE(planned.accepted());
    ASSERT_EQ(planned.changes.size(), 16u);
    // Another window enters the Tuesday game meanwhile.
    ASSERT_TRUE(m_table->writeScores(planned.changes.back().rowid, " 21", " 14"));
    std::vector<GameRecord> before = stored();

    ScoreImportResult result = applyScoreImport(*m_table, planned);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.summary,
              "No score was entered: the games table could not be written: the record " +
                  std::to_string(planned.changes.back().rowid) +
                  " no longer exists or was changed meanwhile");
    EXPECT_EQ(stored(), before);
}

} // namespace
} // namespace gs
