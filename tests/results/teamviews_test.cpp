#include "results/teamviews.h"

#include "app/commandline.h"
#include "tests/results/resultsfixture.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>

namespace gs {
namespace {

using test::ResultsPool;

std::string joined(const std::vector<std::string>& entries) {
    std::string text;
    for (const std::string& e : entries)
        text += (text.empty() ? "" : ", ") + e;
    return text;
}

// The detail box as text: caption, record, lists, division and picks.
std::string detailText(const TeamDetailModel& d) {
    return d.frame.caption + "\n" + d.winsHeading.caption + " " + d.wins.caption + ", " +
           d.lossesHeading.caption + " " + d.losses.caption + ", " + d.tiesHeading.caption + " " +
           d.ties.caption + ", " + d.pointsForHeading.caption + " " + d.pointsFor.caption + ", " +
           d.pointsAgainstHeading.caption + " " + d.pointsAgainst.caption + "\n" +
           d.beatenHeading.caption + ": " + joined(d.beaten.entries) + "\n" +
           d.lostToHeading.caption + ": " + joined(d.lostTo.entries) + "\n" +
           d.remainingHeading.caption + ": " + joined(d.remaining.entries) + "\n" +
           d.divisionHeading.caption + ": " + joined(d.division.entries) + "\n" +
           d.pickedHeading.caption + " " + d.pickedCount.caption + " " + d.timesCaption.caption +
           "\n";
}

std::string gameBoxText(const TeamDetailModel& d) {
    if (!d.gameBox.visible)
        return "(hidden)";
    std::string text =
        d.gameBox.caption + "\n" + d.firstDate.caption + " / " + d.firstResult.caption + "\n";
    if (d.secondDate.visible)
        text += d.secondDate.caption + " / " + d.secondResult.caption + "\n";
    return text;
}

class TeamStatistics : public testing::Test, public ResultsPool {
protected:
    void SetUp() override {
        writeUserList({}, "admin");
        // admin picked the Giants (team 19) in weeks 2, 5 and 9.
        PickTable picks{};
        for (int week : {2, 5, 9})
            picks[week][19] = 1;
        writePicks("admin", picks);
    }
    TeamStatisticsPanel panel{pool, dialogs};
};

TEST_F(TeamStatistics, OpeningTwiceListsTheThirtyTwoTeams) {
    panel.open();
    panel.open();
    const ListModel& teams = panel.model().teams;
    ASSERT_EQ(teams.entries.size(), 32u);
    EXPECT_EQ(teams.selected, -1);
    EXPECT_FALSE(panel.detail().frame.visible);
    panel.showTeam(31);
    EXPECT_EQ(panel.detail().frame.caption, "Washington Redskins");
    EXPECT_EQ(panel.model().teams.selected, 31);
}

TEST_F(TeamStatistics, OpensWithItsCaptionAndAHint) {
    panel.open();
    EXPECT_EQ(panel.model().heading.caption, "Team Statistics");
    EXPECT_TRUE(panel.model().heading.visible);
    EXPECT_TRUE(panel.model().hint.visible);
    EXPECT_NE(panel.model().hint.caption.find("Choose a team"), std::string::npos);
}

TEST_F(TeamStatistics, OnePickIsOneTime) {
    PickTable picks{};
    picks[2][19] = 1;
    writePicks("admin", picks);
    panel.open();
    panel.showTeam(18);
    EXPECT_EQ(panel.detail().pickedHeading.caption + " " + panel.detail().pickedCount.caption +
                  " " + panel.detail().timesCaption.caption,
              "Picked 1 time");
}

TEST_F(TeamStatistics, DetailOfTheGiantsOnThe2010Season) {
    panel.open();
    panel.showTeam(18);
    EXPECT_EQ(detailText(panel.detail()),
              "N.Y. Giants\n"
              "Wins 5, Losses 2, Ties 0, PF 175, PA 153\n"
              "Teams Beaten: Carolina Panthers, Chicago Bears, Houston Texans, Detroit Lions, "
              "Dallas Cowboys\n"
              "Teams Lost to: Indianapolis Colts, Tennessee Titans\n"
              "Teams Remaining To Play: @Seattle Seahawks, Dallas Cowboys, @Philadelphia Eagles, "
              "Jacksonville Jaguars, Washington Redskins, @Minnesota Vikings, Philadelphia "
              "Eagles, @Green Bay Packers, @Washington Redskins\n"
              "NFC East Division: Dallas Cowboys, N.Y. Giants, Philadelphia Eagles, Washington "
              "Redskins\n"
              "Picked 3 times\n");
    EXPECT_TRUE(panel.detail().pickedHeading.visible);
    EXPECT_EQ(gameBoxText(panel.detail()), "(hidden)");

    // Their second meeting is not played yet: one line.
    panel.showMeetings(OpponentList::Beaten, 4);
    EXPECT_EQ(gameBoxText(panel.detail()),
              "N.Y. Giants against Dallas Cowboys\n10/25/2010 / Won  41 to  35\n");
    EXPECT_EQ(panel.detail().beaten.selected, 4);

    panel.showMeetings(OpponentList::LostTo, 1);
    EXPECT_EQ(gameBoxText(panel.detail()),
              "N.Y. Giants against Tennessee Titans\n9/26/2010 / Lost  29 to  10\n");
    EXPECT_EQ(panel.detail().beaten.selected, -1);
    EXPECT_EQ(panel.detail().lostTo.selected, 1);

    panel.showRemainingGame(0);
    EXPECT_EQ(gameBoxText(panel.detail()), "N.Y. Giants at Seattle Seahawks\nSunday / 11/7/2010\n");
    panel.showRemainingGame(1);
    EXPECT_EQ(gameBoxText(panel.detail()), "Dallas Cowboys at N.Y. Giants\nSunday / 11/14/2010\n");
    EXPECT_EQ(panel.detail().lostTo.selected, -1);
    EXPECT_EQ(panel.detail().remaining.selected, -1);
}

TEST_F(TeamStatistics, BeforeTheFirstScoreTheFiguresAreLastYears) {
    test::storeSeasons(pool, {2010}, test::kNoScores);
    panel.open();
    panel.showTeam(18);
    const TeamDetailModel& d = panel.detail();
    EXPECT_EQ(d.frame.caption, "N.Y. Giants: Last Year");
    EXPECT_EQ(d.wins.caption + "-" + d.losses.caption + "-" + d.ties.caption, "8-8-0");
    EXPECT_EQ(d.pointsFor.caption + "/" + d.pointsAgainst.caption, "402/427");
    EXPECT_TRUE(d.remaining.entries.empty());
}

TEST_F(TeamStatistics, FinishedSeasonWithATie) {
    // 2012: San Francisco went 11-4-1, the tie and a loss against St. Louis.
    test::storeSeasons(pool, {2012});
    pool.setSeasonYear("2012");
    panel.open();
    panel.showTeam(26);
    EXPECT_EQ(detailText(panel.detail()),
              "San Francisco 49ers\n"
              "Wins 11, Losses 4, Ties 1, PF 397, PA 273\n"
              "Teams Beaten: Green Bay Packers, Detroit Lions, N.Y. Jets, Buffalo Bills, Seattle "
              "Seahawks, Arizona Cardinals, Chicago Bears, New Orleans Saints, Miami Dolphins, "
              "New England Patriots, Arizona Cardinals\n"
              "Teams Lost to: Minnesota Vikings, N.Y. Giants, St. Louis Rams, Seattle Seahawks\n"
              "Teams Remaining To Play: \n"
              "NFC West Division: Arizona Cardinals, San Francisco 49ers, Seattle Seahawks, St. "
              "Louis Rams\n"
              "Picked 0 times\n");
    panel.showMeetings(OpponentList::LostTo, 2);
    EXPECT_EQ(gameBoxText(panel.detail()), "San Francisco 49ers against St. Louis Rams\n"
                                           "11/11/2012 / Tied  24 to  24\n"
                                           "12/2/2012 / Lost  13 to  16\n");
}

class TeamRanking : public testing::Test, public ResultsPool {
protected:
    void SetUp() override { writeUserList({}, "admin"); }
    TeamRankingPanel panel{pool, dialogs};
};

TEST_F(TeamRanking, RanksByPointsScoredOverPointsAllowed) {
    panel.open();
    EXPECT_EQ(panel.model().ranking.dump(), "Rank | Team | Record\n"
                                            "1 | Tennessee Titans | 5-3-0\n"
                                            "2 | N.Y. Jets | 5-2-0\n"
                                            "3 | Pittsburgh Steelers | 5-2-0\n"
                                            "4 | Indianapolis Colts | 5-2-0\n"
                                            "5 | Kansas City Chiefs | 5-2-0\n"
                                            "6 | New England Patriots | 6-1-0\n"
                                            "7 | Green Bay Packers | 5-3-0\n"
                                            "8 | Atlanta Falcons | 5-2-0\n"
                                            "9 | Oakland Raiders | 4-4-0\n"
                                            "10 | San Diego Chargers | 3-5-0\n"
                                            "11 | Baltimore Ravens | 5-2-0\n"
                                            "12 | N.Y. Giants | 5-2-0\n"
                                            "13 | New Orleans Saints | 5-3-0\n"
                                            "14 | Detroit Lions | 2-5-0\n"
                                            "15 | Chicago Bears | 4-3-0\n"
                                            "16 | Philadelphia Eagles | 4-3-0\n"
                                            "17 | St. Louis Rams | 4-4-0\n"
                                            "18 | Washington Redskins | 4-4-0\n"
                                            "19 | Minnesota Vikings | 2-5-0\n"
                                            "20 | Cincinnati Bengals | 2-5-0\n"
                                            "21 | Miami Dolphins | 4-3-0\n"
                                            "22 | Seattle Seahawks | 4-3-0\n"
                                            "23 | Houston Texans | 4-3-0\n"
                                            "24 | Tampa Bay Buccaneers | 5-2-0\n"
                                            "25 | Cleveland Browns | 2-5-0\n"
                                            "26 | Dallas Cowboys | 1-6-0\n"
                                            "27 | San Francisco 49ers | 2-6-0\n"
                                            "28 | Jacksonville Jaguars | 4-4-0\n"
                                            "29 | Denver Broncos | 2-6-0\n"
                                            "30 | Arizona Cardinals | 3-4-0\n"
                                            "31 | Buffalo Bills | 0-7-0\n"
                                            "32 | Carolina Panthers | 1-6-0\n");
    EXPECT_EQ(panel.model().ranking.columnWidth(0), 800);
    EXPECT_EQ(panel.model().ranking.columnWidth(1), 1900);
    EXPECT_EQ(panel.model().ranking.columnWidth(2), 900);
}

TEST_F(TeamRanking, ListsTheRatingsAsTheRatingsCommandPrintsThem) {
    panel.open();
    const GridModel& g = panel.model().ratings;
    EXPECT_TRUE(panel.model().ratingsHeading.visible);
    ASSERT_EQ(g.rows(), 33);
    std::string top = g.dump().substr(0, g.dump().find("\n", g.dump().find("Green Bay")) + 1);
    EXPECT_EQ(top, "Team | Rating | Record\n"
                   "New England Patriots | 1640 | 6-1-0\n"
                   "Green Bay Packers | 1620 | 5-3-0\n");
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(runCommandLine(
                  {"--home", home.path().string(), "ratings"}, [](Pool&) { return 99; }, out, err),
              0);
    std::string csv = out.str();
    for (int r = 1; r < g.rows(); ++r) {
        std::string record = g.cell(r, 2).text;
        std::replace(record.begin(), record.end(), '-', ',');
        std::string line = g.cell(r, 0).text + "," + g.cell(r, 1).text + "," + record + "\n";
        EXPECT_NE(csv.find("\n" + line), std::string::npos) << line;
    }
    panel.showTeamOfRatingRow(2);
    EXPECT_EQ(panel.detail().frame.caption, "Green Bay Packers");
}

TEST_F(TeamRanking, ClickedRowIsTheTeamOfTheGameBoxes) {
    panel.open();
    panel.showTeamOfRow(12);
    EXPECT_EQ(panel.detail().frame.caption, "N.Y. Giants");
    panel.showMeetings(OpponentList::Beaten, 0);
    EXPECT_EQ(panel.detail().gameBox.caption, "N.Y. Giants against Carolina Panthers");
    panel.showTeamOfRow(0); // the header names no team
    EXPECT_EQ(panel.detail().frame.caption, "N.Y. Giants");
}

TEST_F(TeamRanking, TeamsThatAllowedNoPointsRankByPointsScored) {
    // Only the opening game is scored: New Orleans 14, Minnesota 9. The 30
    // teams without a game have allowed nothing and keep league order.
    test::storeSeasons(pool, {2010}, "9/9/2010");
    panel.open();
    const GridModel& g = panel.model().ranking;
    EXPECT_EQ(g.cell(1, 1).text, "Arizona Cardinals");
    EXPECT_EQ(g.cell(30, 1).text, "Washington Redskins");
    EXPECT_EQ(g.cell(31, 1).text, "New Orleans Saints");
    EXPECT_EQ(g.cell(32, 1).text, "Minnesota Vikings");
    std::string dump = g.dump();
    EXPECT_EQ(dump.find("inf"), std::string::npos);
    EXPECT_EQ(dump.find("nan"), std::string::npos);
}

TEST(RankTeams, NothingAllowedRanksFirstByPointsThenRatiosThenLeagueOrder) {
    TeamRecordTable records = emptyTeamRecords();
    auto set = [&](int team, double pointsFor, double pointsAgainst) {
        records[team][1] = pointsFor;
        records[team][2] = pointsAgainst;
    };
    for (int t = 1; t <= kTeamCount; ++t)
        set(t, 10, 20); // ratio 0.5
    set(5, 0, 0);
    set(7, 21, 0);
    set(9, 30, 10); // 3
    set(11, 15, 5); // 3 as well
    set(2, 5, 20);  // 0.25
    std::vector<int> order = rankTeams(records);
    EXPECT_EQ(std::vector<int>(order.begin(), order.begin() + 5),
              (std::vector<int>{7, 5, 9, 11, 1}));
    EXPECT_EQ(order.back(), 2);
}

} // namespace
} // namespace gs
