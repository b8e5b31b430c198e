#include "results/allresults.h"
#include "results/teamviews.h"
#include "results/userstatistics.h"

#include "core/textfile.h"
#include "schedule/pickfiles.h"
#include "schedule/seasongames.h"
#include "tests/results/resultsfixture.h"
#include "tests/support/commandrun.h"

#include <algorithm>
#include <filesystem>

namespace gs {
namespace {

using test::ResultsPool;
using test::Side;
using test::sidePicks;

// Ten real games of 2010 around the pool's day, stored as the whole season:
// Sunday 10/31 (rows 1..4) and Monday 11/1 (row 5) make week 1 and are
// scored; the Sunday 11/7 games (rows 6..10) make week 2 and are open. The
// pool's day is 11/1/2010, so the Monday game is scored but not yet shown.
class AllResults : public testing::Test, public ResultsPool {
protected:
    void SetUp() override {
        std::vector<GameRecord> all = test::seasonRecords(2010, "11/1/2010");
        std::vector<GameRecord> records(all.begin() + 112, all.begin() + 122);
        test::storeRecords(pool, records);
        season = seasonOf(gamesOf(records).value(), 2010);
        pool.setReferenceDate(test::dateOf("11/1/2010"));
        test::writeUserList(pool, {"ann", "bob", "cy"});

        PickTable own{};
        test::pickGame(own, season, 0, Side::Visitor); // TB, won
        test::pickGame(own, season, 1, Side::Home);    // NE, won
        test::pickGame(own, season, 3, Side::Visitor); // PIT, lost
        test::pickGame(own, season, 5, Side::Home);    // ATL, open
        picks("admin", own);
        picks("ann", sidePicks(season, Side::Home, 1, 2));
        picks("bob", sidePicks(season, Side::Visitor, 1, 1));
    }

    std::string ownWeekLine(int week) {
        std::vector<std::string> file = readTextFile(pickFilePath(pool, "admin")).value();
        return file.at(static_cast<size_t>(week) - 1);
    }

    Season season;
    AllResultsPanel panel{pool, dialogs};
};

// One line of a grid's dump, row 0 the header.
std::string dumpLine(const GridModel& g, int row) {
    return splitLines(g.dump()).at(static_cast<size_t>(row));
}

// A correct pick is bold as well as green; the last row counts them.
constexpr const char* kBoard =
    "Week | Date |  | Visitor Team |  | Home Team |  | admin | PC | ann | bob | cy | Week winner\n"
    "1 | 10/31/2010 | Sunday | *Tampa Bay Buccaneers*{#007A00} | 38 | Arizona Cardinals | 35 | "
    "*TB*[#00C000] |  | AZ[#FF0000] | *TB*[#00C000] |  | \n"
    "1 | 10/31/2010 | Sunday | Minnesota Vikings | 18 | *New England Patriots*{#007A00} | 28 | "
    "*NE*[#00C000] |  | *NE*[#00C000] | MIN[#FF0000] |  | \n"
    "1 | 10/31/2010 | Sunday | Seattle Seahawks | 3 | *Oakland Raiders*{#007A00} | 33 |  |  | "
    "*OAK*[#00C000] | SEA[#FF0000] |  | \n"
    "1 | 10/31/2010 | Sunday | Pittsburgh Steelers | 10 | *New Orleans Saints*{#007A00} | 20 | "
    "PIT[#FF0000] |  | *NO*[#00C000] | PIT[#FF0000] |  | \n"
    "1 | 11/1/2010 | Monday | Houston Texans | 17 | *Indianapolis Colts*{#007A00} | 30 |  |  | "
    " |  |  | \n"
    "2 | 11/7/2010 | Sunday | Tampa Bay Buccaneers |  | Atlanta Falcons |  | ATL |  |  |  |  | \n"
    "2 | 11/7/2010 | Sunday | Miami Dolphins |  | Baltimore Ravens |  |  |  |  |  |  | \n"
    "2 | 11/7/2010 | Sunday | Chicago Bears |  | Buffalo Bills |  |  |  |  |  |  | \n"
    "2 | 11/7/2010 | Sunday | New Orleans Saints |  | Carolina Panthers |  |  |  |  |  |  | \n"
    "2 | 11/7/2010 | Sunday | New England Patriots |  | Cleveland Browns |  |  |  |  |  |  | \n"
    " |  |  | *Correct picks* |  |  |  | *2/3*[#F0F0F0] | [#F0F0F0] | *3/4*[#F0F0F0] | "
    "*1/4*[#F0F0F0] | [#F0F0F0] | [#F0F0F0]\n";

TEST_F(AllResults, ShowsEveryGameAndRevealsPicksOnlyBeforeThePoolsDay) {
    std::vector<int> steps;
    panel.setProgressReporter([&](const ProgressModel& p) {
        EXPECT_TRUE(p.visible);
        EXPECT_EQ(p.maximum, 10 + 10 * 5);
        steps.push_back(p.value);
    });
    panel.open();
    const GridModel& g = panel.model().grid;
    EXPECT_EQ(g.dump(), kBoard);
    // A player's column fits the longer of his name and a total.
    EXPECT_EQ(
        (std::vector<int>{g.fixedCols(), g.columnWidth(3), g.columnWidth(7), g.columnWidth(9)}),
        (std::vector<int>{7, 2100, 780, 780}));
    EXPECT_EQ(panel.model().openingRow, 6); // the current week, 2
    EXPECT_EQ(panel.ownColumn(), 7);
    EXPECT_EQ(steps.size(), 60u);
    EXPECT_EQ(steps.back(), 60);
    EXPECT_FALSE(panel.model().progress.visible);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(AllResults, OwnColumnCyclesOpenGamesAndSavesAtOnceOrKeepsTheBoardAsTheFileIs) {
    panel.open();
    struct Click {
        int row;
        const char* shown;
        std::vector<int> weekTwo; // the teams of the saved week line
    };
    // Miami at Baltimore: the visitor, the home team, none; then ATL, picked, to none.
    for (const Click& c :
         {Click{7, "MIA", {2, 17}}, Click{7, "BAL", {2, 3}}, Click{7, "", {2}}, Click{6, "", {}}}) {
        panel.cyclePick(c.row, 7);
        EXPECT_EQ(panel.model().grid.cell(c.row, 7).text, c.shown);
        EXPECT_EQ(ownWeekLine(2), test::weekLine(c.weekTwo));
    }
    // The saved file keeps the pool order of the active players.
    std::vector<std::string> file = readTextFile(pickFilePath(pool, "admin")).value();
    EXPECT_EQ(std::vector<std::string>(file.begin() + kWeeks, file.end()),
              (std::vector<std::string>{"admin", "PC", "ann", "bob", "cy"}));

    // A save that fails keeps the board as the file is.
    fs::remove(pickFilePath(pool, "admin"));
    fs::create_directories(pickFilePath(pool, "admin"));
    panel.cyclePick(7, 7);
    EXPECT_EQ(panel.model().grid.cell(7, 7).text, "");
    EXPECT_EQ(dialogs.kinds, std::vector<MessageKind>{MessageKind::Error});
}

TEST_F(AllResults, ClicksBesideTheOwnOpenGamesChangeNothing) {
    panel.open();
    std::string bytes = test::readBytes(pickFilePath(pool, "admin"));
    struct Click {
        const char* name;
        int row;
        int column;
    };
    for (const Click& c :
         {Click{"PlayedGame", 1, 7}, Click{"GameOnThePoolsDay", 5, 7},
          Click{"AnotherPlayersColumn", 7, 9}, Click{"TeamColumn", 7, 3}, Click{"Header", 0, 7},
          Click{"TotalsRow", 11, 7}, Click{"BelowTheGrid", 12, 7}}) {
        panel.cyclePick(c.row, c.column);
        EXPECT_EQ(panel.model().grid.dump(), kBoard) << c.name;
    }
    EXPECT_EQ(test::readBytes(pickFilePath(pool, "admin")), bytes);
}

TEST_F(AllResults, GamesOfALaterWeekCannotBePickedYet) {
    // With week 1 still open the current week is 1: week 2 waits.
    std::vector<GameRecord> records = test::seasonRecords(2010, "10/30/2010");
    test::storeRecords(pool, {records.begin() + 112, records.begin() + 122});
    pool.setReferenceDate(test::dateOf("10/30/2010"));
    panel.open();
    panel.cyclePick(7, 7);
    EXPECT_EQ(panel.model().grid.cell(7, 7).text, "");
    panel.cyclePick(2, 7); // week 1, Minnesota at New England: NE was picked
    EXPECT_EQ(panel.model().grid.cell(2, 7).text, "");
    EXPECT_EQ(ownWeekLine(1), test::weekLine({25, 30})); // PIT and TB stay
}

TEST_F(AllResults, ScoresAheadOfThePoolsDayOpenNoEarlierWeekAndShowNoOtherPlayersPicks) {
    // The scores came in through Monday 11/8 while the pool's day is still
    // 11/1: week 3 is the current week, week 2 is still ahead of the pool.
    std::vector<GameRecord> records = test::seasonRecords(2010, "11/8/2010");
    test::storeRecords(pool, {records.begin() + 112, records.begin() + 132});
    panel.open();
    const GridModel& g = panel.model().grid;
    // admin's own picks show with their results; ann's and bob's do not.
    EXPECT_EQ(dumpLine(g, 6), "2 | 11/7/2010 | Sunday | Tampa Bay Buccaneers | 21 | "
                              "*Atlanta Falcons*{#007A00} | 27 | *ATL*[#00C000] |  |  |  |  | ");
    const std::string miamiAtBaltimore = "2 | 11/7/2010 | Sunday | Miami Dolphins | 10 | "
                                         "*Baltimore Ravens*{#007A00} | 26 |  |  |  |  |  | ";
    EXPECT_EQ(dumpLine(g, 7), miamiAtBaltimore);

    std::string bytes = test::readBytes(pickFilePath(pool, "admin"));
    panel.cyclePick(7, 7); // week 2, Miami at Baltimore on 11/7
    EXPECT_EQ(dumpLine(g, 7), miamiAtBaltimore);
    EXPECT_EQ(test::readBytes(pickFilePath(pool, "admin")), bytes);
    panel.cyclePick(19, 7); // week 3, Baltimore at Atlanta on 11/11
    EXPECT_EQ(g.cell(19, 7).text, "BAL");
    EXPECT_EQ(ownWeekLine(3), test::weekLine({3}));
}

TEST_F(AllResults, DamagedPickFileShowsNoPicks) {
    fs::remove(pickFilePath(pool, "bob"));
    fs::create_directories(pickFilePath(pool, "bob"));
    test::writeBytes(pickFilePath(pool, "ann"), test::crlf({"1"})); // AZ in week 1 only
    panel.open();
    std::string columns;
    for (int r = 1; r < panel.model().grid.rows() - 1; ++r)
        columns += panel.model().grid.cell(r, 9).text + panel.model().grid.cell(r, 10).text + ";";
    EXPECT_EQ(columns, "AZ;;;;;;;;;;");
    EXPECT_TRUE(dialogs.shown.empty());
}

// ------------------------------------------------------------ team views

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
        test::writeUserList(pool, {});
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
    pool.setSeasonYear(2012);
    panel.open();
    panel.showTeam(26);
    panel.showMeetings(OpponentList::LostTo, 2);
    EXPECT_EQ(gameBoxText(panel.detail()), "San Francisco 49ers against St. Louis Rams\n"
                                           "11/11/2012 / Tied  24 to  24\n"
                                           "12/2/2012 / Lost  13 to  16\n");
}

// A season lists and ranks its teams by their names of that season.
TEST_F(TeamStatistics, TeamsStandByTheSeasonsOwnNames) {
    pool.setSeasonYear(2021);
    panel.open();
    panel.showTeam(16); // after Kansas City Chiefs
    EXPECT_EQ(panel.model().teams.entries[16] + "/" + panel.detail().frame.caption,
              "Las Vegas Raiders/Las Vegas Raiders: Last Year");
    TeamRankingPanel ranking(pool, dialogs);
    ranking.open();
    EXPECT_NE(ranking.model().ranking.dump().find("| Washington Football Team |"),
              std::string::npos);
    // A season the table does not hold yet still names its teams as they are.
    pool.setSeasonYear(2025);
    ranking.open();
    for (const char* name :
         {"Washington Commanders", "Los Angeles Rams", "Los Angeles Chargers", "Las Vegas Raiders"})
        EXPECT_THAT(ranking.model().ranking.dump(), testing::HasSubstr(std::string("| ") + name));
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
    EXPECT_TRUE(panel.model().ratingsHeading.visible);
    EXPECT_EQ(panel.model().ratings.rows(), 33);
    EXPECT_TRUE(panel.model().ratings.dump().starts_with("Team | Rating | Record\n"
                                                         "New England Patriots | 1640 | 6-1-0\n"
                                                         "Green Bay Packers | 1620 | 5-3-0\n"));

    panel.showTeamOfRatingRow(2);
    EXPECT_EQ(panel.detail().frame.caption, "Green Bay Packers");
    panel.showTeamOfRow(12);
    EXPECT_EQ(panel.detail().frame.caption, "N.Y. Giants");
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

// ------------------------------------------------------------ user statistics

// ann picks every home team of weeks 1..9, bob every visiting team of
// weeks 1..8; cy has no pick file. ann's file keeps cy and admin first in
// the pool's order. The figures agree with a separate count over the real
// 2010 results.
class UserStatistics : public testing::Test, public test::ResultsPool {
protected:
    void SetUp() override {
        Season season = test::bundled2010();
        test::writeUserList(pool, {"ann", "bob", "cy"}, "ann");
        picks("ann", sidePicks(season, Side::Home, 1, 9), {"cy", "admin"});
        picks("bob", sidePicks(season, Side::Visitor, 1, 8));
    }
    UserStatisticsPanel panel{pool, dialogs};
};

TEST_F(UserStatistics, OpensWithTheUserLeftThePcRightAndEverybodysTotalsThenShowsAChosenPlayer) {
    panel.open();
    const UserStatisticsModel& m = panel.model();
    EXPECT_EQ(m.leftPlayers.entries, (std::vector<std::string>{"admin", "PC", "ann", "bob", "cy"}));
    EXPECT_EQ(m.leftPlayers.selected, 2);
    EXPECT_EQ(m.rightPlayers.selected, 1);
    EXPECT_TRUE(m.leftGrid.dump().ends_with("\n8 | 9 | 69.2308 | 68 | 117 | 58.1197\n"));
    // The computer player's weeks: its projection, as it saved it, scored
    // like anyone's picks.
    EXPECT_TRUE(m.rightGrid.dump().ends_with("\n8 | 8 | 61.5385 | 79 | 117 | 67.5214\n"));
    // Equal percentages keep the pool's order, as ann's pick file keeps it.
    // PC has the most correct picks but takes no week from a person.
    EXPECT_EQ(m.totalsGrid.dump(), "User | Correct | Picks | % Correct | Weeks Won\n"
                                   "PC | 79 | 117 | 67.5214 | 0\n"
                                   "ann | 68 | 117 | 58.1197 | 8\n"
                                   "bob | 49 | 117 | 41.8803 | 3\n"
                                   "cy | 0 | 0 | 0 | 0\n"
                                   "admin | 0 | 0 | 0 | 0\n");
    EXPECT_EQ(m.totalsHeight, 6 * 300);
    EXPECT_TRUE(dialogs.shown.empty());

    panel.chooseRightPlayer(2);
    EXPECT_EQ(panel.model().rightGrid.dump(), panel.model().leftGrid.dump()); // ann's
    EXPECT_EQ(panel.model().rightPlayer + " " + std::to_string(panel.model().rightPlayers.selected),
              "ann 2");
    panel.chooseLeftPlayer(3);
    EXPECT_EQ(panel.model().leftPlayer + " " + panel.model().leftGrid.cell(8, 5).text,
              "bob 41.8803");
    panel.chooseLeftPlayer(5); // past the list's end: nothing changes
    EXPECT_EQ(panel.model().leftPlayer, "bob");
}

// ELO, the rating player, picked every home team of weeks 1..8, as ann did.
TEST_F(UserStatistics, OpeningBringsTheRatingPlayersPicksUpToDate) {
    std::string folder = pool.programFolderText();
    test::writeBytes(pool.folders().program / "UserList.db",
                     test::crlf({"2010", "admin,1,9,1,,0," + folder, "PC,1,1,0,,0," + folder,
                                 "ann,1,1,0,,0," + folder, "ELO,1,1,0,,1," + folder}));
    picks("ELO", sidePicks(test::bundled2010(), Side::Home, 1, 8));
    panel.open();
    EXPECT_THAT(panel.model().totalsGrid.dump(),
                testing::HasSubstr("\nELO | 68 | 117 | 58.1197 | "));
    Result<PlayerPicks> elo = loadPicks(pool, "ELO");
    ASSERT_TRUE(elo);
    EXPECT_EQ(std::count(elo->picks[9].begin(), elo->picks[9].end(), 1), 13); // week 9 now
}

// The standings command prints what opening "User Statistics" works out.
TEST_F(UserStatistics, TheStandingsCommandPrintsTheTotalsAsCsv) {
    test::CommandRun standings = test::runGridslateIn(home.path(), {"--user", "ann", "standings"});
    ASSERT_EQ(standings.status, 0) << standings.err;
    panel.open();
    std::string csv = standingsGrid(panel.standings()).dump();
    for (size_t bar; (bar = csv.find(" | ")) != std::string::npos;)
        csv.replace(bar, 3, ",");
    EXPECT_EQ(standings.out, csv);
}

} // namespace
} // namespace gs
