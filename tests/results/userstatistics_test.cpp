#include "results/userstatistics.h"

#include "core/text.h"
#include "export/csvexports.h"
#include "schedule/pickfiles.h"
#include "tests/results/resultsfixture.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace gs {
namespace {

namespace fs = std::filesystem;
using test::bundled2010;
using test::pickGame;
using test::ResultsPool;
using test::Side;
using test::sidePicks;

std::string weekRows(const PickRecord& record) {
    std::string text;
    for (const WeekStanding& w : record.weeks)
        text += std::to_string(w.week) + " | " + std::to_string(w.weekCorrect) + " | " +
                decimalText(w.weekPercent) + " | " + std::to_string(w.correct) + " | " +
                std::to_string(w.picked) + " | " + decimalText(w.overall) + "\n";
    return text;
}

// Week 1 of 2010 is rows 0..15, week 2 rows 16..31, week 3 rows 32..47.
PickTable tenOfSixteenInWeekOne(const Season& season) {
    PickTable picks{};
    for (int g = 0; g < 16; ++g)
        pickGame(picks, season, g, g < 10 ? Side::Winner : Side::Loser);
    return picks;
}

TEST(PickScoring, TenOfSixteenInWeekOne) {
    Season season = bundled2010();
    PickRecord record = scorePicks(season, tenOfSixteenInWeekOne(season));
    ASSERT_FALSE(record.weeks.empty());
    EXPECT_EQ(weekRows({{record.weeks[0]}, {}}), "1 | 10 | 62.5 | 10 | 16 | 62.5\n");
}

TEST(PickScoring, WeekWithoutPicksThenNineOfFourteen) {
    Season season = bundled2010();
    PickTable picks = tenOfSixteenInWeekOne(season);
    for (int g = 32; g < 46; ++g)
        pickGame(picks, season, g, g < 41 ? Side::Winner : Side::Loser);
    PickRecord record = scorePicks(season, picks);
    record.weeks.resize(4);
    EXPECT_EQ(weekRows(record), "1 | 10 | 62.5 | 10 | 16 | 62.5\n"
                                "2 | 0 | 0 | 10 | 16 | 62.5\n"
                                "3 | 9 | 64.2857 | 19 | 30 | 63.3333\n"
                                "4 | 0 | 0 | 19 | 30 | 63.3333\n");
}

TEST(PickScoring, UnscoredGamesCountForNothing) {
    // Scores through Sunday 9/12/2010: the two Monday games of week 1 are
    // open, so week 1 is not complete and has no row.
    Season season;
    season.games = test::seasonFromCsv(2010, "9/12/2010");
    PickRecord record = scorePicks(season, sidePicks(season, Side::Home, 1, 2));
    EXPECT_EQ(weekRows(record), "");
    EXPECT_EQ(record.season.picked, 14);
    EXPECT_EQ(record.season.correct, 11);
}

// ann picks every home team of weeks 1..9, bob every visiting team of
// weeks 1..8; cy has no pick file. The figures agree with a separate
// count over the real 2010 results.
class UserStatistics : public testing::Test, public ResultsPool {
protected:
    void SetUp() override {
        Season season = bundled2010();
        writeUserList({"ann", "bob", "cy"}, "ann");
        writePicks("ann", sidePicks(season, Side::Home, 1, 9), {"admin", "PC", "ann", "bob", "cy"});
        writePicks("bob", sidePicks(season, Side::Visitor, 1, 8));
    }
    UserStatisticsPanel panel{pool, dialogs};
};

constexpr const char* kAnnWeeks = "Week | Total | % Week | Correct | Picks | % Overall\n"
                                  "1 | 12 | 75 | 12 | 16 | 75\n"
                                  "2 | 8 | 50 | 20 | 32 | 62.5\n"
                                  "3 | 8 | 50 | 28 | 48 | 58.3333\n"
                                  "4 | 8 | 57.1429 | 36 | 62 | 58.0645\n"
                                  "5 | 7 | 50 | 43 | 76 | 56.5789\n"
                                  "6 | 8 | 57.1429 | 51 | 90 | 56.6667\n"
                                  "7 | 8 | 57.1429 | 59 | 104 | 56.7308\n"
                                  "8 | 9 | 69.2308 | 68 | 117 | 58.1197\n";

constexpr const char* kPcWeeks = "Week | Total | % Week | Correct | Picks | % Overall\n"
                                 "1 | 8 | 50 | 8 | 16 | 50\n"
                                 "2 | 14 | 87.5 | 22 | 32 | 68.75\n"
                                 "3 | 14 | 87.5 | 36 | 48 | 75\n"
                                 "4 | 8 | 57.1429 | 44 | 62 | 70.9677\n"
                                 "5 | 9 | 64.2857 | 53 | 76 | 69.7368\n"
                                 "6 | 8 | 57.1429 | 61 | 90 | 67.7778\n"
                                 "7 | 10 | 71.4286 | 71 | 104 | 68.2692\n"
                                 "8 | 8 | 61.5385 | 79 | 117 | 67.5214\n";

constexpr const char* kBobWeeks = "Week | Total | % Week | Correct | Picks | % Overall\n"
                                  "1 | 4 | 25 | 4 | 16 | 25\n"
                                  "2 | 8 | 50 | 12 | 32 | 37.5\n"
                                  "3 | 8 | 50 | 20 | 48 | 41.6667\n"
                                  "4 | 6 | 42.8571 | 26 | 62 | 41.9355\n"
                                  "5 | 7 | 50 | 33 | 76 | 43.4211\n"
                                  "6 | 6 | 42.8571 | 39 | 90 | 43.3333\n"
                                  "7 | 6 | 42.8571 | 45 | 104 | 43.2692\n"
                                  "8 | 4 | 30.7692 | 49 | 117 | 41.8803\n";

TEST_F(UserStatistics, OpensWithTheUserLeftThePcRightAndEverybodysTotals) {
    panel.open();
    const UserStatisticsModel& m = panel.model();
    EXPECT_EQ(m.heading.caption, "User and PC Correct Pick Totals");
    EXPECT_EQ(m.totalsCaption.caption, "All Active User Totals");
    EXPECT_EQ(m.leftPlayers.entries, (std::vector<std::string>{"admin", "PC", "ann", "bob", "cy"}));
    EXPECT_EQ(m.leftPlayers.selected, 2);
    EXPECT_EQ(m.rightPlayers.selected, 1);
    EXPECT_EQ(m.leftGrid.dump(), kAnnWeeks);

    // The computer player's weeks: its projection, as it saved it, scored
    // like anyone's picks.
    EXPECT_EQ(m.rightGrid.dump(), kPcWeeks);

    EXPECT_EQ(m.totalsGrid.dump(), "User | Correct | Picks | % Correct\n"
                                   "PC | 79 | 117 | 67.5214\n"
                                   "ann | 68 | 117 | 58.1197\n"
                                   "bob | 49 | 117 | 41.8803\n"
                                   "admin | 0 | 0 | 0\n"
                                   "cy | 0 | 0 | 0\n");
    EXPECT_EQ(m.totalsHeight, 6 * 300);
    EXPECT_TRUE(fs::exists(pickFilePath(pool, "cy"))); // a missing file is created empty
    EXPECT_EQ(pool.savedActivePlayers,
              (std::vector<std::string>{"admin", "PC", "ann", "bob", "cy"}));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(UserStatistics, ChoosingPlayersRecomputesTheirGrids) {
    panel.open();
    panel.chooseLeftPlayer(3);
    EXPECT_EQ(panel.model().leftGrid.dump(), kBobWeeks);
    EXPECT_EQ(panel.model().leftPlayer, "bob");
    // Every complete week has its row, picked or not.
    panel.chooseRightPlayer(4);
    EXPECT_EQ(panel.model().rightGrid.dump(),
              "Week | Total | % Week | Correct | Picks | % Overall\n"
              "1 | 0 | 0 | 0 | 0 | 0\n2 | 0 | 0 | 0 | 0 | 0\n3 | 0 | 0 | 0 | 0 | 0\n"
              "4 | 0 | 0 | 0 | 0 | 0\n5 | 0 | 0 | 0 | 0 | 0\n6 | 0 | 0 | 0 | 0 | 0\n"
              "7 | 0 | 0 | 0 | 0 | 0\n8 | 0 | 0 | 0 | 0 | 0\n");
    EXPECT_EQ(panel.model().rightPlayers.selected, 4);
    EXPECT_EQ(panel.model().rightPlayer, "cy");
    panel.chooseRightPlayer(2);
    EXPECT_EQ(panel.model().rightGrid.dump(), kAnnWeeks);
    EXPECT_DOUBLE_EQ(panel.model().rightWeeks.back().overall, 58.1197);
}

TEST_F(UserStatistics, BeforeAnyCompleteWeekOnlyHeaders) {
    test::storeSeasons(pool, {2010}, "9/12/2010");
    panel.open();
    EXPECT_EQ(panel.model().leftGrid.rows(), 1);
    EXPECT_EQ(panel.model().rightGrid.rows(), 1);
    // Only the 14 scored games of week 1 count.
    const std::vector<Standing>& totals = panel.standings();
    auto ann = std::find_if(totals.begin(), totals.end(),
                            [](const Standing& s) { return s.player == "ann"; });
    ASSERT_NE(ann, totals.end());
    EXPECT_EQ(ann->count.picked, 14);
    EXPECT_EQ(ann->count.correct, 11);
}

TEST_F(UserStatistics, UnreadableOrShortPickFilesShowWhatTheyHold) {
    fs::remove(pickFilePath(pool, "bob"));
    fs::create_directories(pickFilePath(pool, "bob")); // cannot be read as a file
    Season season = bundled2010();
    PickTable weekOne = sidePicks(season, Side::Home, 1, 1);
    test::writeBytes(pickFilePath(pool, "cy"), test::crlf({test::weekLine([&] {
                         std::vector<int> teams;
                         for (int t = 1; t <= kTeamCount; ++t)
                             if (weekOne[1][t])
                                 teams.push_back(t);
                         return teams;
                     }())}));
    panel.open();
    EXPECT_EQ(panel.model().totalsGrid.dump(), "User | Correct | Picks | % Correct\n"
                                               "cy | 12 | 16 | 75\n"
                                               "PC | 79 | 117 | 67.5214\n"
                                               "ann | 68 | 117 | 58.1197\n"
                                               "admin | 0 | 0 | 0\n"
                                               "bob | 0 | 0 | 0\n");
    panel.chooseLeftPlayer(3);
    EXPECT_EQ(panel.model().leftGrid.rows(), 9);
    EXPECT_EQ(panel.model().leftGrid.cell(8, 4).text, "0");
}

TEST_F(UserStatistics, EqualPercentagesKeepTheActivePlayersOrder) {
    // zed stands before amy in the pool order the user's pick file keeps.
    Season season = bundled2010();
    writeUserList({"amy", "zed"}, "admin");
    writePicks("admin", PickTable{}, {"zed", "amy", "PC", "admin"});
    writePicks("amy", sidePicks(season, Side::Home, 1, 2));
    writePicks("zed", sidePicks(season, Side::Home, 1, 2));
    panel.open();
    EXPECT_EQ(panel.model().totalsGrid.dump(), "User | Correct | Picks | % Correct\n"
                                               "PC | 79 | 117 | 67.5214\n"
                                               "zed | 20 | 32 | 62.5\n"
                                               "amy | 20 | 32 | 62.5\n"
                                               "admin | 0 | 0 | 0\n");
}

TEST_F(UserStatistics, KeepsTheSeasonChosenForTheRun) {
    pool.seasonYear = "2009";
    panel.open();
    EXPECT_EQ(pool.seasonYear, "2009");
    EXPECT_EQ(panel.model().leftGrid.rows(), 17); // 2009 is fully scored: 16 closed weeks
}

// The statistics export writes exactly what the panel shows when every
// score is dated on or before the pool's current day.
TEST_F(UserStatistics, TheStatisticsExportWritesWhatThePanelShows) {
    panel.open();
    auto csv = [](const GridModel& grid) {
        std::vector<std::string> lines;
        std::string dump = grid.dump();
        for (size_t start = 0, end; (end = dump.find('\n', start)) != std::string::npos;
             start = end + 1) {
            std::string line = dump.substr(start, end - start);
            for (size_t bar; (bar = line.find(" | ")) != std::string::npos;)
                line.replace(bar, 3, ",");
            lines.push_back(line);
        }
        return lines;
    };
    std::vector<std::string> expected;
    for (int player = 0; player < static_cast<int>(panel.model().leftPlayers.entries.size());
         ++player) {
        panel.chooseLeftPlayer(player);
        expected.push_back("");
        expected.push_back("User: " + panel.model().leftPlayer);
        for (const std::string& line : csv(panel.model().leftGrid))
            expected.push_back(line);
    }
    expected.push_back("");
    expected.push_back("User Stat Summary:");
    for (const std::string& line : csv(panel.model().totalsGrid))
        expected.push_back(line);

    Result<ExportOutcome> exported = exportUserStatistics(pool);
    ASSERT_TRUE(exported) << exported.error().message;
    EXPECT_EQ(test::readBytes(exported->path), test::crlf(expected));
}

struct HeightCase {
    const char* name;
    int players;
    int twips;
};

void PrintTo(const HeightCase& c, std::ostream* os) {
    *os << c.name;
}

class TotalsHeight : public testing::TestWithParam<HeightCase> {};

TEST_P(TotalsHeight, GrowsWithThePlayersUpToTheCap) {
    ResultsPool home;
    std::vector<std::string> players;
    for (int k = 3; k <= GetParam().players; ++k)
        players.push_back("player" + std::to_string(k));
    home.writeUserList(players);
    UserStatisticsPanel panel(home.pool, home.dialogs);
    panel.open();
    EXPECT_EQ(panel.model().totalsHeight, GetParam().twips);
    EXPECT_EQ(panel.model().totalsGrid.rows(), GetParam().players + 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, TotalsHeight,
                         testing::Values(HeightCase{"TwoPlayers", 2, 900},
                                         HeightCase{"FourteenPlayers", 14, 4500},
                                         HeightCase{"FifteenPlayersReachTheCap", 15, 4575},
                                         HeightCase{"TwentyPlayers", 20, 4575}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace gs
