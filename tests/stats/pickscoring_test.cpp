#include "stats/pickscoring.h"

#include "core/league.h"
#include "schedule/calendar.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

#include <ostream>

namespace gs {
namespace {

struct PercentCase {
    const char* name;
    int correct;
    int picked;
    const char* expected;
};

void PrintTo(const PercentCase& c, std::ostream* os) {
    *os << c.name;
}

class Percentages : public testing::TestWithParam<PercentCase> {};

TEST_P(Percentages, RoundHalvesToEvenAndWriteTheShortestText) {
    const PercentCase& c = GetParam();
    EXPECT_EQ(percentText(c.correct, c.picked), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Percentages,
    testing::Values(PercentCase{"TwoOfThree", 2, 3, "66.6667"},
                    PercentCase{"FiveOfEight", 5, 8, "62.5"}, PercentCase{"OneOfTwo", 1, 2, "50"},
                    PercentCase{"HalfDownToEven", 1, 128, "0.7812"},
                    PercentCase{"HalfUpToEven", 3, 128, "2.3438"},
                    PercentCase{"NineOfFourteen", 9, 14, "64.2857"},
                    PercentCase{"All", 16, 16, "100"}, PercentCase{"NoneRight", 0, 5, "0"},
                    PercentCase{"NothingPicked", 0, 0, "0"}),
    [](const testing::TestParamInfo<PercentCase>& info) { return std::string(info.param.name); });

// Picks of a week: the winners of the games `right`, the losers of `wrong`
// (rows of the season).
struct WeekPicks {
    int week;
    std::vector<int> right;
    std::vector<int> wrong;
};

PickTable picksOf(const std::vector<SeasonGame>& games, const std::vector<WeekPicks>& weeks) {
    PickTable picks{};
    for (const WeekPicks& w : weeks) {
        for (int row : w.right) {
            const SeasonGame& g = games[static_cast<size_t>(row)];
            bool visitorWon = std::stoi(g.visitorScore) > std::stoi(g.homeScore);
            picks[w.week][teamNumber(visitorWon ? g.visitor : g.home)] = 1;
        }
        for (int row : w.wrong) {
            const SeasonGame& g = games[static_cast<size_t>(row)];
            bool visitorWon = std::stoi(g.visitorScore) > std::stoi(g.homeScore);
            picks[w.week][teamNumber(visitorWon ? g.home : g.visitor)] = 1;
        }
    }
    return picks;
}

std::vector<int> rows(int first, int count) {
    std::vector<int> out;
    for (int r = first; r < first + count; ++r)
        out.push_back(r);
    return out;
}

std::string dump(const std::vector<WeekStanding>& weeks) {
    std::string text;
    for (const WeekStanding& week : weeks) {
        std::string line;
        for (const std::string& cell : weekCells(week))
            line += (line.empty() ? "" : " | ") + cell;
        text += line + "\n";
    }
    return text;
}

class WeeklyTable : public testing::Test {
protected:
    // The 2010 season scored through the pool's current day: weeks 1 to 8
    // complete (week 1 is rows 0..15, week 2 rows 16..31, week 3 rows 32..47).
    std::vector<SeasonGame> games = test::seasonFromCsv(2010, "11/02/2010");
    ScoringRange range = scoringRange(games, "11/02/2010");
};

TEST_F(WeeklyTable, ClosesEveryCompleteWeekOnTheRealSeason) {
    ASSERT_EQ(findWeekRows(games, 3).first, 32);
    ASSERT_EQ(findWeekRows(games, 4).first, 48);
    // 10 of 16 in week 1, nothing in week 2, 9 of 14 in week 3.
    PickTable picks =
        picksOf(games, {{1, rows(0, 10), rows(10, 6)}, {3, rows(32, 9), rows(41, 5)}});
    EXPECT_EQ(dump(scorePicks(games, range, picks).weeks), "1 | 10 | 62.5 | 10 | 16 | 62.5\n"
                                                           "2 | 0 | 0 | 10 | 16 | 62.5\n"
                                                           "3 | 9 | 64.2857 | 19 | 30 | 63.3333\n"
                                                           "4 | 0 | 0 | 19 | 30 | 63.3333\n"
                                                           "5 | 0 | 0 | 19 | 30 | 63.3333\n"
                                                           "6 | 0 | 0 | 19 | 30 | 63.3333\n"
                                                           "7 | 0 | 0 | 19 | 30 | 63.3333\n"
                                                           "8 | 0 | 0 | 19 | 30 | 63.3333\n");
    PickCount count = scorePicks(games, range, picks).season;
    EXPECT_EQ(count.correct, 19);
    EXPECT_EQ(count.picked, 30);
}

TEST_F(WeeklyTable, AWeekClosesOnlyWhenTheNextWeeksFirstGameIsInRange) {
    std::vector<SeasonGame> firstWeek = test::seasonFromCsv(2010, "9/13/2010");
    ScoringRange scored = scoringRange(firstWeek, "11/02/2010");
    EXPECT_EQ(scored.lastRow, 16);
    EXPECT_EQ(dump(scorePicks(firstWeek, scored, PickTable{}).weeks), "1 | 0 | 0 | 0 | 0 | 0\n");

    // Week 1 without its last score is still running: no row at all.
    firstWeek[15].homeScore.clear();
    scored = scoringRange(firstWeek, "11/02/2010");
    EXPECT_EQ(dump(scorePicks(firstWeek, scored, PickTable{}).weeks), "");
}

TEST_F(WeeklyTable, ScoresAfterTheReferenceDayDoNotCountForTheExport) {
    std::vector<SeasonGame> all = test::seasonFromCsv(2010);
    ScoringRange onOrBefore = scoringRange(all, "11/02/2010");
    EXPECT_EQ(onOrBefore.lastRow, range.lastRow);
    PickTable picks = picksOf(all, {{9, rows(117, 3), {}}});
    EXPECT_EQ(scorePicks(all, onOrBefore, picks).season.picked, 0);
    EXPECT_EQ(scorePicks(all, ScoringRange{256, ""}, picks).season.correct, 3);
}

TEST(PickScoring, ATieIsPickedButNeverRightAndAnUnscoredGameCountsForNothing) {
    std::vector<SeasonGame> games = {
        {"Detroit Lions", "Chicago Bears", "9/12/2010", "14", "14"},
        {"Miami Dolphins", "Buffalo Bills", "9/12/2010", "15", ""},
        {"N.Y. Jets", "New England Patriots", "9/12/2010", "", ""},
        {"Kansas City Chiefs", "Atlantis", "9/12/2010", "3", "0"},
    };
    PickTable picks{};
    for (const char* team : {"Detroit Lions", "Miami Dolphins", "N.Y. Jets", "Kansas City Chiefs"})
        picks[1][teamNumber(team)] = 1;
    PickCount count = scorePicks(games, ScoringRange{3, ""}, picks).season;
    EXPECT_EQ(count.picked, 1);
    EXPECT_EQ(count.correct, 0);
}

TEST(PickScoring, TotalsSortBestFirstAndKeepTheListOrderOnEqualPercentages) {
    std::vector<SeasonGame> games = {
        {"Detroit Lions", "Chicago Bears", "9/12/2010", "14", "19"},
        {"Miami Dolphins", "Buffalo Bills", "9/12/2010", "15", "10"},
        {"N.Y. Jets", "New England Patriots", "9/12/2010", "20", "7"},
    };
    auto picksFor = [](std::vector<const char*> teams) {
        PickTable picks{};
        for (const char* team : teams)
            picks[1][teamNumber(team)] = 1;
        return picks;
    };
    std::vector<PlayerPickTable> players = {
        {"ann", picksFor({"Detroit Lions", "Miami Dolphins"})},
        {"bob", picksFor({"Chicago Bears", "Buffalo Bills", "N.Y. Jets"})},
        {"cy", picksFor({})},
        {"dee", picksFor({"Chicago Bears", "Buffalo Bills"})},
        {"PC", picksFor({"Chicago Bears", "Miami Dolphins", "N.Y. Jets"})},
    };
    std::string text;
    for (const Standing& standing : rankStandings(games, ScoringRange{2, ""}, players)) {
        auto cells = standingCells(standing);
        text += cells[0] + " " + cells[1] + "/" + cells[2] + " " + cells[3] + "\n";
    }
    EXPECT_EQ(text, "PC 3/3 100\n"
                    "bob 2/3 66.6667\n"
                    "ann 1/2 50\n"
                    "dee 1/2 50\n"
                    "cy 0/0 0\n");
}

} // namespace
} // namespace gs
