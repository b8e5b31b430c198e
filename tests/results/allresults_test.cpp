#include "results/allresults.h"

#include "core/textfile.h"
#include "schedule/pickfiles.h"
#include "schedule/seasongames.h"
#include "tests/results/resultsfixture.h"

#include <filesystem>
#include <gtest/gtest.h>

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
        season = seasonOf(records, 2010);
        pool.setReferenceDate("11/1/2010");
        writeUserList({"ann", "bob", "cy"}, "admin");

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
    const GridModel& g = panel.model().grid;
    EXPECT_EQ(g.dump(), kBoard);
    // A player's column fits the longer of his name and a total.
    EXPECT_EQ(
        (std::vector<int>{g.fixedCols(), g.columnWidth(3), g.columnWidth(7), g.columnWidth(9)}),
        (std::vector<int>{7, 2100, 840, 840}));
    EXPECT_EQ(panel.model().openingRow, 6); // the current week, 2
    EXPECT_EQ(panel.ownColumn(), 7);
    EXPECT_EQ(steps.size(), 60u);
    EXPECT_EQ(steps.back(), 60);
    EXPECT_FALSE(panel.model().progress.visible);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(AllResults, OwnColumnCyclesOpenGamesAndSavesAtOnce) {
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
    pool.setReferenceDate("10/30/2010");
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
                              "*Atlanta Falcons*{#007A00} | 27 | *ATL*[#00C000] |  |  |  | ");
    const std::string miamiAtBaltimore = "2 | 11/7/2010 | Sunday | Miami Dolphins | 10 | "
                                         "*Baltimore Ravens*{#007A00} | 26 |  |  |  |  | ";
    EXPECT_EQ(dumpLine(g, 7), miamiAtBaltimore);

    std::string bytes = test::readBytes(pickFilePath(pool, "admin"));
    panel.cyclePick(7, 7); // week 2, Miami at Baltimore on 11/7
    EXPECT_EQ(dumpLine(g, 7), miamiAtBaltimore);
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
    std::string columns;
    for (int r = 1; r < panel.model().grid.rows() - 1; ++r)
        columns += panel.model().grid.cell(r, 9).text + panel.model().grid.cell(r, 10).text + ";";
    EXPECT_EQ(columns, "AZ;;;;;;;;;;");
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(AllResults, WithoutActivePlayersOnlyTheGameColumns) {
    UserTable users = pool.users();
    for (UserSlot& slot : users)
        slot.active = 0;
    pool.replaceUsers(users);
    panel.open();
    const GridModel& g = panel.model().grid;
    EXPECT_EQ(g.cols(), 7);
    EXPECT_EQ(g.rows(), 12);          // and the totals
    EXPECT_EQ(g.cell(1, 0).text, ""); // week numbers come with the players
    EXPECT_EQ(panel.ownColumn(), -1);
}

} // namespace
} // namespace gs
