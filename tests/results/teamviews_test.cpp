#include "results/teamviews.h"

#include "tests/results/resultsfixture.h"

#include <gtest/gtest.h>

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
        // admin picked Arizona in week 1 and the Giants (team 19) in weeks 2, 5 and 9.
        PickTable own{};
        own[1][1] = 1;
        for (int week : {2, 5, 9})
            own[week][19] = 1;
        picks("admin", own);
    }
    TeamStatisticsPanel panel{pool, dialogs};
};

TEST_F(TeamStatistics, DetailOfTheGiantsOnThe2010Season) {
    panel.open();
    panel.open(); // opening again lists the teams once
    EXPECT_EQ(panel.model().teams.entries.size(), 32u);
    EXPECT_EQ(panel.model().teams.selected, -1);
    EXPECT_TRUE(panel.model().hint.visible);
    EXPECT_FALSE(panel.detail().frame.visible);
    panel.showTeam(18);
    EXPECT_EQ(panel.model().teams.selected, 18);
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

    // The visitor first, on the day of the game.
    panel.showRemainingGame(0);
    EXPECT_EQ(gameBoxText(panel.detail()), "N.Y. Giants at Seattle Seahawks\nSunday / 11/7/2010\n");
    panel.showRemainingGame(1);
    EXPECT_EQ(gameBoxText(panel.detail()), "Dallas Cowboys at N.Y. Giants\nSunday / 11/14/2010\n");
    EXPECT_EQ(panel.detail().lostTo.selected, -1);
    EXPECT_EQ(panel.detail().remaining.selected, -1);
    panel.showTeam(0); // Arizona, picked once
    EXPECT_EQ(panel.detail().pickedCount.caption + " " + panel.detail().timesCaption.caption,
              "1 time");
}

TEST_F(TeamStatistics, BeforeTheFirstScoreTheFiguresAreLastYears) {
    test::storeSeasons(pool, {2010}, test::kNoScores);
    panel.open();
    panel.showTeam(18);
    EXPECT_TRUE(
        detailText(panel.detail())
            .starts_with("N.Y. Giants: Last Year\nWins 8, Losses 8, Ties 0, PF 402, PA 427\n"));
}

TEST_F(TeamStatistics, TwoPlayedMeetingsShowTwoLines) {
    // 2012: San Francisco tied and lost to St. Louis.
    test::storeSeasons(pool, {2012});
    pool.setSeasonYear("2012");
    panel.open();
    panel.showTeam(26);
    panel.showMeetings(OpponentList::LostTo, 2);
    EXPECT_EQ(gameBoxText(panel.detail()), "San Francisco 49ers against St. Louis Rams\n"
                                           "11/11/2012 / Tied  24 to  24\n"
                                           "12/2/2012 / Lost  13 to  16\n");
}

// The ranking of the 2010 season through week 8, the ratings beside it, and
// the team of a clicked row in the detail box.
TEST_F(TeamStatistics, TheRankingRanksByPointsScoredOverPointsAllowed) {
    TeamRankingPanel panel(pool, dialogs);
    panel.open();
    // The order itself is rankTeams' (below) over the records of the season.
    const GridModel& g = panel.model().ranking;
    EXPECT_TRUE(g.dump().starts_with("Rank | Team | Record\n"
                                     "1 | Tennessee Titans | 5-3-0\n"
                                     "2 | N.Y. Jets | 5-2-0\n"));
    EXPECT_TRUE(g.dump().ends_with("\n32 | Carolina Panthers | 1-6-0\n"));
    EXPECT_EQ((std::vector<int>{g.columnWidth(0), g.columnWidth(1), g.columnWidth(2)}),
              (std::vector<int>{800, 1900, 900}));
    EXPECT_TRUE(panel.model().ratingsHeading.visible);
    EXPECT_EQ(panel.model().ratings.rows(), 33);
    EXPECT_TRUE(panel.model().ratings.dump().starts_with("Team | Rating | Record\n"
                                                         "New England Patriots | 1640 | 6-1-0\n"
                                                         "Green Bay Packers | 1620 | 5-3-0\n"));

    panel.showTeamOfRatingRow(2);
    EXPECT_EQ(panel.detail().frame.caption, "Green Bay Packers");
    panel.showTeamOfRow(12);
    EXPECT_EQ(panel.detail().frame.caption, "N.Y. Giants");
    panel.showMeetings(OpponentList::Beaten, 0);
    EXPECT_EQ(panel.detail().gameBox.caption, "N.Y. Giants against Carolina Panthers");
    panel.showTeamOfRow(0); // the header names no team
    EXPECT_EQ(panel.detail().frame.caption, "N.Y. Giants");
}

TEST(RankTeams, NothingAllowedRanksFirstByPointsThenRatiosThenLeagueOrder) {
    TeamRecordTable records = emptyTeamRecords();
    auto set = [&](int team, double pointsFor, double pointsAgainst) {
        records[team].pointsFor = pointsFor;
        records[team].pointsAgainst = pointsAgainst;
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
