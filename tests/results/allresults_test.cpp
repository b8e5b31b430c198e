#include "results/allresults.h"

#include "core/textfile.h"
#include "schedule/pickfiles.h"
#include "tests/results/resultsfixture.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>

namespace gs {
namespace {

namespace fs = std::filesystem;
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
        for (const GameRecord& r : records)
            season.games.push_back({r.visitor, r.home, r.date, r.visitorScore, r.homeScore});
        pool.referenceDate = "11/1/2010";
        writeUserList({"ann", "bob", "cy"}, "admin");

        PickTable own{};
        test::pickGame(own, season, 0, Side::Visitor); // TB, won
        test::pickGame(own, season, 1, Side::Home);    // NE, won
        test::pickGame(own, season, 3, Side::Visitor); // PIT, lost
        test::pickGame(own, season, 5, Side::Home);    // ATL, open
        writePicks("admin", own);
        writePicks("ann", sidePicks(season, Side::Home, 1, 2));
        writePicks("bob", sidePicks(season, Side::Visitor, 1, 1));
    }

    std::string ownWeekLine(int week) {
        std::vector<std::string> file = readTextFile(pickFilePath(pool, "admin")).value();
        return file.at(static_cast<size_t>(week) - 1);
    }

    Season season;
    AllResultsPanel panel{pool, dialogs};
};

// A correct pick is bold as well as green; the last row counts them.
constexpr const char* kBoard =
    "Week | Date |  | Visitor Team |  | Home Team |  | admin | PC | ann | bob | cy\n"
    "1 | 10/31/2010 | Sunday | *Tampa Bay Buccaneers*{#007A00} | 38 | Arizona Cardinals | 35 | "
    "*TB*[#00C000] |  | AZ[#FF0000] | *TB*[#00C000] | \n"
    "1 | 10/31/2010 | Sunday | Minnesota Vikings | 18 | *New England Patriots*{#007A00} | 28 | "
    "*NE*[#00C000] |  | *NE*[#00C000] | MIN[#FF0000] | \n"
    "1 | 10/31/2010 | Sunday | Seattle Seahawks | 3 | *Oakland Raiders*{#007A00} | 33 |  |  | "
    "*OAK*[#00C000] | SEA[#FF0000] | \n"
    "1 | 10/31/2010 | Sunday | Pittsburgh Steelers | 10 | *New Orleans Saints*{#007A00} | 20 | "
    "PIT[#FF0000] |  | *NO*[#00C000] | PIT[#FF0000] | \n"
    "1 | 11/1/2010 | Monday | Houston Texans | 17 | *Indianapolis Colts*{#007A00} | 30 |  |  | "
    " |  | \n"
    "2 | 11/7/2010 | Sunday | Tampa Bay Buccaneers |  | Atlanta Falcons |  | ATL |  |  |  | \n"
    "2 | 11/7/2010 | Sunday | Miami Dolphins |  | Baltimore Ravens |  |  |  |  |  | \n"
    "2 | 11/7/2010 | Sunday | Chicago Bears |  | Buffalo Bills |  |  |  |  |  | \n"
    "2 | 11/7/2010 | Sunday | New Orleans Saints |  | Carolina Panthers |  |  |  |  |  | \n"
    "2 | 11/7/2010 | Sunday | New England Patriots |  | Cleveland Browns |  |  |  |  |  | \n"
    " |  |  | *Correct picks* |  |  |  | *2/3*[#F0F0F0] | [#F0F0F0] | *3/4*[#F0F0F0] | "
    "*1/4*[#F0F0F0] | [#F0F0F0]\n";

TEST_F(AllResults, ShowsEveryGameAndRevealsPicksOnlyBeforeThePoolsDay) {
    std::vector<int> steps;
    panel.setProgressReporter([&](const ProgressModel& p) {
        EXPECT_TRUE(p.visible);
        EXPECT_EQ(p.maximum, 10 + 10 * 5);
        steps.push_back(p.value);
    });
    panel.open();
    EXPECT_EQ(panel.model().grid.dump(), kBoard);
    EXPECT_EQ(panel.model().grid.fixedCols(), 7);
    EXPECT_EQ(panel.model().grid.columnWidth(3), 2100);
    // A player's column fits the longer of his name and a total.
    EXPECT_EQ(panel.model().grid.columnWidth(7), 840); // admin
    EXPECT_EQ(panel.model().grid.columnWidth(9), 840); // ann
    // The board opens at the current week, 2.
    EXPECT_EQ(panel.model().openingRow, 6);
    EXPECT_EQ(panel.ownColumn(), 7);
    EXPECT_EQ(steps.size(), 60u);
    EXPECT_EQ(steps.back(), 60);
    EXPECT_FALSE(panel.model().progress.visible);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(AllResults, OwnColumnCyclesOpenGamesAndSavesAtOnce) {
    panel.open();
    std::string before = ownWeekLine(2);
    panel.cyclePick(7, 7); // Miami at Baltimore, week 2
    EXPECT_EQ(panel.model().grid.cell(7, 7).text, "MIA");
    EXPECT_EQ(ownWeekLine(2), test::weekLine({2, 17})); // ATL and MIA
    panel.cyclePick(7, 7);
    EXPECT_EQ(panel.model().grid.cell(7, 7).text, "BAL");
    EXPECT_EQ(ownWeekLine(2), test::weekLine({2, 3}));
    panel.cyclePick(7, 7);
    EXPECT_EQ(panel.model().grid.cell(7, 7).text, "");
    EXPECT_EQ(ownWeekLine(2), before);
    panel.cyclePick(6, 7); // ATL, the home team, was picked: now none
    EXPECT_EQ(panel.model().grid.cell(6, 7).text, "");
    EXPECT_EQ(ownWeekLine(2), test::weekLine());
    // The saved file keeps the pool order of the active players.
    std::vector<std::string> file = readTextFile(pickFilePath(pool, "admin")).value();
    EXPECT_EQ(std::vector<std::string>(file.begin() + kWeeks, file.end()),
              (std::vector<std::string>{"admin", "PC", "ann", "bob", "cy"}));
}

struct ClickCase {
    const char* name;
    int row;
    int column;
};

void PrintTo(const ClickCase& c, std::ostream* os) {
    *os << c.name;
}

class IgnoredClick : public AllResults, public testing::WithParamInterface<ClickCase> {};

TEST_P(IgnoredClick, ChangesNothing) {
    panel.open();
    std::string bytes = test::readBytes(pickFilePath(pool, "admin"));
    panel.cyclePick(GetParam().row, GetParam().column);
    EXPECT_EQ(panel.model().grid.dump(), kBoard);
    EXPECT_EQ(test::readBytes(pickFilePath(pool, "admin")), bytes);
}

INSTANTIATE_TEST_SUITE_P(Cases, IgnoredClick,
                         testing::Values(ClickCase{"PlayedGame", 1, 7},
                                         ClickCase{"GameOnThePoolsDay", 5, 7},
                                         ClickCase{"AnotherPlayersColumn", 7, 9},
                                         ClickCase{"TeamColumn", 7, 3}, ClickCase{"Header", 0, 7},
                                         ClickCase{"TotalsRow", 11, 7},
                                         ClickCase{"BelowTheGrid", 12, 7}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AllResults, GamesOfALaterWeekCannotBePickedYet) {
    // With week 1 still open the current week is 1: week 2 waits.
    std::vector<GameRecord> records = test::seasonRecords(2010, "10/30/2010");
    test::storeRecords(pool, {records.begin() + 112, records.begin() + 122});
    pool.referenceDate = "10/30/2010";
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
    auto players = [&](int row) {
        std::string dump = g.dump();
        size_t start = 0;
        for (int r = 0; r < row; ++r)
            start = dump.find('\n', start) + 1;
        std::string line = dump.substr(start, dump.find('\n', start) - start);
        for (int c = 0; c < kResultsFixedColumns; ++c)
            line = line.substr(line.find(" | ") + 3);
        return line;
    };
    // admin's own picks show with their results; ann's and bob's do not.
    EXPECT_EQ(players(6), "*ATL*[#00C000] |  |  |  | ");
    EXPECT_EQ(players(7), " |  |  |  | ");

    std::string bytes = test::readBytes(pickFilePath(pool, "admin"));
    panel.cyclePick(7, 7); // week 2, Miami at Baltimore on 11/7
    EXPECT_EQ(players(7), " |  |  |  | ");
    EXPECT_EQ(test::readBytes(pickFilePath(pool, "admin")), bytes);
    panel.cyclePick(19, 7); // week 3, Baltimore at Atlanta on 11/11
    EXPECT_EQ(g.cell(19, 7).text, "BAL");
    EXPECT_EQ(ownWeekLine(3), test::weekLine({3}));
}

TEST_F(AllResults, FailedSaveKeepsTheBoardAsTheFileIs) {
    panel.open();
    fs::remove(pickFilePath(pool, "admin"));
    fs::create_directories(pickFilePath(pool, "admin"));
    panel.cyclePick(7, 7);
    EXPECT_EQ(panel.model().grid.cell(7, 7).text, "");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.kinds.at(0), MessageKind::Error);
}

TEST_F(AllResults, DamagedPickFileShowsNoPicks) {
    fs::remove(pickFilePath(pool, "bob"));
    fs::create_directories(pickFilePath(pool, "bob"));
    test::writeBytes(pickFilePath(pool, "ann"), test::crlf({"1"})); // AZ in week 1 only
    panel.open();
    const GridModel& g = panel.model().grid;
    std::string bob, ann;
    for (int r = 1; r < g.rows() - 1; ++r) {
        bob += g.cell(r, 10).text + ";";
        ann += g.cell(r, 9).text + ";";
    }
    EXPECT_EQ(bob, ";;;;;;;;;;");
    EXPECT_EQ(ann, "AZ;;;;;;;;;;");
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(AllResults, WithoutActivePlayersOnlyTheGameColumns) {
    for (UserSlot& slot : pool.users)
        slot.active = 0;
    panel.open();
    const GridModel& g = panel.model().grid;
    EXPECT_EQ(g.cols(), 7);
    EXPECT_EQ(g.rows(), 12);          // and the totals
    EXPECT_EQ(g.cell(1, 0).text, ""); // week numbers come with the players
    EXPECT_EQ(panel.ownColumn(), -1);
}

TEST(AllResultsSeason, WeekNumbersFollowTheWeekRule) {
    ResultsPool home;
    home.writeUserList({});
    AllResultsPanel panel(home.pool, home.dialogs);
    panel.open();
    const GridModel& g = panel.model().grid;
    ASSERT_EQ(g.rows(), 258); // the header, 256 games, the totals
    std::map<std::string, int> gamesOfWeek;
    for (int r = 1; r < g.rows() - 1; ++r)
        ++gamesOfWeek[g.cell(r, 0).text];
    std::string weeks;
    for (int w = 1; w <= kWeeks; ++w)
        weeks += std::to_string(w) + ":" + std::to_string(gamesOfWeek[std::to_string(w)]) + " ";
    EXPECT_EQ(weeks, "1:16 2:16 3:16 4:14 5:14 6:14 7:14 8:13 9:13 10:14 11:16 12:16 13:16 "
                     "14:16 15:16 16:16 17:16 ");
    // The Monday game of week 8 carries the week of the Sunday before.
    EXPECT_EQ(g.cell(117, 1).text + " " + g.cell(117, 2).text + " " + g.cell(117, 0).text,
              "11/1/2010 Monday 8");
    EXPECT_EQ(g.cell(118, 0).text, "9");
}

} // namespace
} // namespace gs
