#include "stats/teamrecords.h"

#include "core/state.h"
#include "core/text.h"
#include "schedule/pickfiles.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

namespace fs = std::filesystem;

// One line for every team with anything in columns 1..5:
// "name: for against wins-losses-ties".
std::string recordsDump() {
    std::string dump;
    for (int t = 1; t <= kTeamCount; ++t) {
        const auto& row = State.TeamRecords[t];
        if (row[1] == 0 && row[2] == 0 && row[3] == 0 && row[4] == 0 && row[5] == 0)
            continue;
        dump += State.LeagueTable.teamName[t] + ": " + decimalText(row[1]) + " " +
                decimalText(row[2]) + " " + decimalText(row[3]) + "-" + decimalText(row[4]) + "-" +
                decimalText(row[5]) + "\n";
    }
    return dump;
}

std::string recordOf(const std::string& team) {
    const auto& row = State.TeamRecords[teamNumber(team)];
    return decimalText(row[1]) + " " + decimalText(row[2]) + " " + decimalText(row[3]) + "-" +
           decimalText(row[4]) + "-" + decimalText(row[5]);
}

class TeamRecords : public testing::Test {
protected:
    TeamRecords() { State.SeasonYear = "2010"; }
    test::ProgramFixture fixture;
};

struct RealSeasonCase {
    const char* name;
    int year;
    const char* scoresThrough;
    int scoredGames;
    std::vector<std::pair<std::string, std::string>> known; // team, record
};

class RealSeasons : public TeamRecords, public testing::WithParamInterface<RealSeasonCase> {};

TEST_P(RealSeasons, AddUpAndMatchTheKnownRecords) {
    const RealSeasonCase& c = GetParam();
    State.SeasonYear = std::to_string(c.year);
    State.SeasonGames = test::seasonFromCsv(c.year, c.scoresThrough);
    ComputeTeamRecords();

    EXPECT_EQ(State.ScoredGameCount, c.scoredGames);
    double pointsFor = 0;
    double pointsAgainst = 0;
    for (int t = 1; t <= kTeamCount; ++t) {
        int played = 0;
        for (const SeasonGame& game : State.SeasonGames)
            if (game.scored() && (teamNumber(game.visitor) == t || teamNumber(game.home) == t))
                ++played;
        const auto& row = State.TeamRecords[t];
        EXPECT_EQ(row[3] + row[4] + row[5], played) << State.LeagueTable.teamName[t];
        pointsFor += row[1];
        pointsAgainst += row[2];
    }
    EXPECT_EQ(pointsFor, pointsAgainst);
    for (const auto& [team, record] : c.known)
        EXPECT_EQ(recordOf(team), record) << team;
}

INSTANTIATE_TEST_SUITE_P(Seasons, RealSeasons,
                         testing::Values(RealSeasonCase{"Whole2009",
                                                        2009,
                                                        "",
                                                        256,
                                                        {{"Indianapolis Colts", "416 307 14-2-0"},
                                                         {"New Orleans Saints", "510 341 13-3-0"},
                                                         {"Detroit Lions", "262 494 2-14-0"}}},
                                         RealSeasonCase{"Whole2010",
                                                        2010,
                                                        "",
                                                        256,
                                                        {{"New England Patriots", "518 313 14-2-0"},
                                                         {"N.Y. Giants", "394 347 10-6-0"},
                                                         {"Detroit Lions", "362 369 6-10-0"}}},
                                         RealSeasonCase{"Through2010Week8",
                                                        2010,
                                                        "11/02/2010",
                                                        117,
                                                        {{"New England Patriots", "205 154 6-1-0"},
                                                         {"N.Y. Giants", "175 153 5-2-0"},
                                                         {"Buffalo Bills", "131 211 0-7-0"}}}),
                         [](const auto& info) { return std::string(info.param.name); });

struct RowsCase {
    const char* name;
    std::vector<SeasonGame> rows;
    std::string records;
};

class CountedRows : public TeamRecords, public testing::WithParamInterface<RowsCase> {};

TEST_P(CountedRows, AddUpAsEntered) {
    State.SeasonGames = GetParam().rows;
    ComputeTeamRecords();
    EXPECT_EQ(recordsDump(), GetParam().records);
}

const SeasonGame kDalNyg{"Dallas Cowboys", "N.Y. Giants", "9/12/2010", "24", "17"};
const SeasonGame kPhiWas{"Philadelphia Eagles", "Washington Redskins", "9/12/2010", "", ""};
const SeasonGame kChiDet{"Chicago Bears", "Detroit Lions", "9/12/2010", "", ""};

SeasonGame withScores(SeasonGame game, const std::string& visitor, const std::string& home) {
    game.visitorScore = visitor;
    game.homeScore = home;
    return game;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CountedRows,
    testing::Values(RowsCase{"Win",
                             {kDalNyg},
                             "Dallas Cowboys: 24 17 1-0-0\n"
                             "N.Y. Giants: 17 24 0-1-0\n"},
                    RowsCase{"TieCountsForBoth",
                             {withScores(kDalNyg, "17", "17")},
                             "Dallas Cowboys: 17 17 0-0-1\n"
                             "N.Y. Giants: 17 17 0-0-1\n"},
                    RowsCase{"VisitorScoreOnlyCountsWithHomeZero",
                             {kDalNyg, withScores(kPhiWas, "10", "")},
                             "Dallas Cowboys: 24 17 1-0-0\n"
                             "N.Y. Giants: 17 24 0-1-0\n"
                             "Philadelphia Eagles: 10 0 1-0-0\n"
                             "Washington Redskins: 0 10 0-1-0\n"},
                    RowsCase{"VisitorZeroOnlyIsATie",
                             {kDalNyg, withScores(kPhiWas, "0", "")},
                             "Dallas Cowboys: 24 17 1-0-0\n"
                             "N.Y. Giants: 17 24 0-1-0\n"
                             "Philadelphia Eagles: 0 0 0-0-1\n"
                             "Washington Redskins: 0 0 0-0-1\n"},
                    RowsCase{"HomeScoreOnlyNeverTies",
                             {kDalNyg, withScores(kPhiWas, "", "0")},
                             "Dallas Cowboys: 24 17 1-0-0\n"
                             "N.Y. Giants: 17 24 0-1-0\n"},
                    RowsCase{"HomeScoreOnlyWins",
                             {kDalNyg, withScores(kPhiWas, "", "7")},
                             "Dallas Cowboys: 24 17 1-0-0\n"
                             "N.Y. Giants: 17 24 0-1-0\n"
                             "Philadelphia Eagles: 0 7 0-1-0\n"
                             "Washington Redskins: 7 0 1-0-0\n"},
                    RowsCase{"ScoreBeyondTheCountedRowsWaits",
                             {kDalNyg, kPhiWas, kPhiWas, withScores(kChiDet, "3", "6")},
                             "Dallas Cowboys: 24 17 1-0-0\n"
                             "N.Y. Giants: 17 24 0-1-0\n"},
                    RowsCase{"UnknownTeamAddsNothing",
                             {withScores({"Gotham Knights", "N.Y. Giants", "9/12/2010", "", ""},
                                         "3", "9"),
                              withScores({" Dallas Cowboys", "Chicago Bears", "9/12/2010", "", ""},
                                         "20", "10")},
                             "Chicago Bears: 10 20 0-1-0\n"
                             "N.Y. Giants: 9 3 1-0-0\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TeamRecords, BeforeTheFirstScoreLastSeasonsFileStands) {
    std::string bytes;
    for (int t = 1; t <= kTeamCount; ++t)
        bytes += t == 9 ? " 361, 250, 11, 5, 0\r\n" : " 1, 2, 3, 4, 0\r\n";
    test::writeBytes(oldScoresPath(2009), bytes);
    State.SeasonGames = test::seasonFromCsv(2010, "1/1/2000");
    ComputeTeamRecords();
    EXPECT_EQ(State.ScoredGameCount, 0);
    EXPECT_EQ(recordOf("Dallas Cowboys"), "361 250 11-5-0");
    EXPECT_EQ(recordOf("Washington Redskins"), "1 2 3-4-0");
    EXPECT_TRUE(TeamGameLists(9).remaining.empty());
}

TEST_F(TeamRecords, WithoutLastSeasonTheRecordsAreZero) {
    State.TeamRecords[4][1] = 99;
    State.SeasonGames = test::seasonFromCsv(2010, "1/1/2000");
    ComputeTeamRecords();
    EXPECT_EQ(recordsDump(), "");
    EXPECT_FALSE(fs::exists(gamesDatabasePath())); // a lookup creates no database
    EXPECT_FALSE(fs::exists(oldScoresPath(2009)));
    EXPECT_TRUE(fixture.dialogs.shown.empty());
}

TEST_F(TeamRecords, DivisionColumnIsLeftAlone) {
    State.SeasonGames = test::seasonFromCsv(2010);
    ComputeTeamRecords();
    EXPECT_EQ(State.TeamRecords[9][6], 1);
    EXPECT_EQ(State.TeamRecords[1][6], 2);
}

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const auto& name : names)
        text += name + ";";
    return text;
}

TEST_F(TeamRecords, GiantsListsAfterWeekEight) {
    State.SeasonGames = test::seasonFromCsv(2010, "11/02/2010");
    ComputeTeamRecords();
    State.PicksTable[1][19] = 1;
    State.PicksTable[5][19] = 1;
    State.PicksTable[6][9] = 1;
    TeamLists lists = TeamGameLists(teamNumber("N.Y. Giants"));
    EXPECT_EQ(joined(lists.beaten), "Carolina Panthers;Chicago Bears;Houston Texans;"
                                    "Detroit Lions;Dallas Cowboys;");
    EXPECT_EQ(joined(lists.lostTo), "Indianapolis Colts;Tennessee Titans;");
    EXPECT_EQ(joined(lists.remaining),
              "@Seattle Seahawks;Dallas Cowboys;@Philadelphia Eagles;Jacksonville Jaguars;"
              "Washington Redskins;@Minnesota Vikings;Philadelphia Eagles;@Green Bay Packers;"
              "@Washington Redskins;");
    EXPECT_EQ(joined(lists.division),
              "Dallas Cowboys;N.Y. Giants;Philadelphia Eagles;Washington Redskins;");
    EXPECT_EQ(lists.pickedCount, 2);
}

TEST_F(TeamRecords, TeamsMetTwiceAreListedTwice) {
    State.SeasonGames = test::seasonFromCsv(2010);
    ComputeTeamRecords();
    TeamLists lists = TeamGameLists(teamNumber("N.Y. Giants"));
    EXPECT_EQ(joined(lists.beaten),
              "Carolina Panthers;Chicago Bears;Houston Texans;Detroit Lions;Dallas Cowboys;"
              "Seattle Seahawks;Jacksonville Jaguars;Washington Redskins;Minnesota Vikings;"
              "Washington Redskins;");
    EXPECT_EQ(joined(lists.lostTo), "Indianapolis Colts;Tennessee Titans;Dallas Cowboys;"
                                    "Philadelphia Eagles;Philadelphia Eagles;Green Bay Packers;");
    EXPECT_EQ(joined(lists.remaining), "");
}

TEST_F(TeamRecords, TiedGameIsInNeitherList) {
    State.SeasonGames = {withScores(kDalNyg, "17", "17"),
                         {" N.Y. Giants ", "Dallas Cowboys", "11/14/2010", "", ""}};
    ComputeTeamRecords();
    TeamLists lists = TeamGameLists(teamNumber("N.Y. Giants"));
    EXPECT_EQ(joined(lists.beaten), "");
    EXPECT_EQ(joined(lists.lostTo), "");
    EXPECT_EQ(joined(lists.remaining), "@Dallas Cowboys;");
}

TEST_F(TeamRecords, NoScoresMeansNothingRemains) {
    State.SeasonGames = test::seasonFromCsv(2010, "1/1/2000");
    ComputeTeamRecords();
    for (int t = 1; t <= kTeamCount; ++t)
        EXPECT_TRUE(TeamGameLists(t).remaining.empty());
    EXPECT_EQ(TeamGameLists(0).division.size(), 0u);
    EXPECT_EQ(TeamGameLists(33).division.size(), 0u);
}

} // namespace
} // namespace gs
