#include "results/userstatistics.h"

#include "schedule/pickfiles.h"
#include "tests/results/resultsfixture.h"
#include "tests/support/commandrun.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace gs {
namespace {

namespace fs = std::filesystem;
using test::Side;
using test::sidePicks;

// ann picks every home team of weeks 1..9, bob every visiting team of
// weeks 1..8; cy has no pick file. ann's file keeps cy and admin first in
// the pool's order. The figures agree with a separate count over the real
// 2010 results.
class UserStatistics : public testing::Test, public test::ResultsPool {
protected:
    void SetUp() override {
        Season season = test::bundled2010();
        writeUserList({"ann", "bob", "cy"}, "ann");
        picks("ann", sidePicks(season, Side::Home, 1, 9), {"cy", "admin"});
        picks("bob", sidePicks(season, Side::Visitor, 1, 8));
    }
    UserStatisticsPanel panel{pool, dialogs};
};

TEST_F(UserStatistics, OpensWithTheUserLeftThePcRightAndEverybodysTotals) {
    panel.open();
    const UserStatisticsModel& m = panel.model();
    EXPECT_EQ(m.leftPlayers.entries, (std::vector<std::string>{"admin", "PC", "ann", "bob", "cy"}));
    EXPECT_EQ(m.leftPlayers.selected, 2);
    EXPECT_EQ(m.rightPlayers.selected, 1);
    EXPECT_EQ(m.leftGrid.rows(), 9);
    EXPECT_TRUE(m.leftGrid.dump().ends_with("\n8 | 9 | 69.2308 | 68 | 117 | 58.1197\n"));
    // The computer player's weeks: its projection, as it saved it, scored
    // like anyone's picks.
    EXPECT_TRUE(m.rightGrid.dump().ends_with("\n8 | 8 | 61.5385 | 79 | 117 | 67.5214\n"));
    // Equal percentages keep the pool's order, as ann's pick file keeps it.
    EXPECT_EQ(m.totalsGrid.dump(), "User | Correct | Picks | % Correct\n"
                                   "PC | 79 | 117 | 67.5214\n"
                                   "ann | 68 | 117 | 58.1197\n"
                                   "bob | 49 | 117 | 41.8803\n"
                                   "cy | 0 | 0 | 0\n"
                                   "admin | 0 | 0 | 0\n");
    EXPECT_EQ(m.totalsHeight, 6 * 300);
    EXPECT_TRUE(fs::exists(pickFilePath(pool, "cy"))); // a missing file is created empty
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(UserStatistics, ChoosingAPlayerShowsHisWeeks) {
    panel.open();
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
    EXPECT_NE(panel.model().totalsGrid.dump().find("\nELO | 68 | 117 | 58.1197\n"),
              std::string::npos);
    Result<PlayerPicks> elo = loadPicks(pool, "ELO");
    ASSERT_TRUE(elo);
    EXPECT_EQ(std::count(elo->picks[9].begin(), elo->picks[9].end(), 1), 13); // week 9 now
}

// The standings command prints what opening "User Statistics" works out.
TEST_F(UserStatistics, TheStandingsCommandPrintsTheTotalsAsCsv) {
    test::CommandRun standings = test::runGridslateIn(home.path(), {"--user", "ann", "standings"});
    ASSERT_EQ(standings.status, 0) << standings.err;
    panel.open();
    std::string csv = panel.model().totalsGrid.dump();
    for (size_t bar; (bar = csv.find(" | ")) != std::string::npos;)
        csv.replace(bar, 3, ",");
    EXPECT_EQ(standings.out, csv);
    EXPECT_EQ(standings.err, "");

    test::CommandRun extra = test::runGridslateIn(home.path(), {"standings", "extra"});
    EXPECT_EQ(extra.status, 2);
    EXPECT_EQ(extra.err, "gridslate: standings takes no arguments\n");
    EXPECT_EQ(extra.out, "");
}

TEST(UserStatisticsTotals, GrowWithThePlayersUpToTheCapOnTheSeasonChosenForTheRun) {
    test::ResultsPool home;
    std::vector<std::string> players;
    for (int k = 3; k <= 15; ++k)
        players.push_back("player" + std::to_string(k));
    home.writeUserList(players);
    home.pool.setSeasonYear("2009");
    UserStatisticsPanel panel(home.pool, home.dialogs);
    panel.open();
    EXPECT_EQ(panel.model().totalsHeight, 4575); // not 16 x 300
    EXPECT_EQ(home.pool.seasonYear(), "2009");
    EXPECT_EQ(panel.model().leftGrid.rows(), 17); // 2009 is fully scored: 16 closed weeks
}

} // namespace
} // namespace gs
