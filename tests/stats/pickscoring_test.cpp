#include "stats/pickscoring.h"

#include "core/league.h"
#include "schedule/calendar.h"
#include "schedule/scheduleparse.h"
#include "schedule/seasongames.h"
#include "tests/results/resultsfixture.h"

namespace gs {
namespace {

TEST(PickScoring, PercentagesRoundHalvesToEvenAndWriteTheShortestText) {
    struct Case {
        int correct;
        int picked;
        const char* text;
    };
    for (const Case& c :
         {Case{2, 3, "66.6667"}, Case{5, 8, "62.5"}, Case{1, 2, "50"}, Case{1, 128, "0.7812"},
          Case{3, 128, "2.3438"}, Case{16, 16, "100"}, Case{0, 5, "0"}, Case{0, 0, "0"}})
        EXPECT_EQ(percentText(c.correct, c.picked), c.text) << c.correct << "/" << c.picked;
}

// Picks the winners of `right` rows from `first` on, then the losers of `wrong` rows.
void pickRows(PickTable& picks, const Season& season, int first, int right, int wrong) {
    for (int g = first; g < first + right + wrong; ++g)
        test::pickGame(picks, season, g,
                       g < first + right ? test::Side::Winner : test::Side::Loser);
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

// The 2010 season scored through the pool's current day: weeks 1 to 8
// complete (week 1 is rows 0..15, week 2 rows 16..31, week 3 rows 32..47).
TEST(PickScoring, ClosesEveryCompleteWeekOnTheRealSeason) {
    Season season = test::bundled2010();
    PickTable picks{}; // 10 of 16 in week 1, nothing in week 2, 9 of 14 in week 3
    pickRows(picks, season, 0, 10, 6);
    pickRows(picks, season, 32, 9, 5);
    PickRecord record =
        scorePicks(season.games, scoringRange(season.games, test::dateOf("11/02/2010")), picks);
    EXPECT_EQ(dump(record.weeks), "1 | 10 | 62.5 | 10 | 16 | 62.5\n"
                                  "2 | 0 | 0 | 10 | 16 | 62.5\n"
                                  "3 | 9 | 64.2857 | 19 | 30 | 63.3333\n"
                                  "4 | 0 | 0 | 19 | 30 | 63.3333\n"
                                  "5 | 0 | 0 | 19 | 30 | 63.3333\n"
                                  "6 | 0 | 0 | 19 | 30 | 63.3333\n"
                                  "7 | 0 | 0 | 19 | 30 | 63.3333\n"
                                  "8 | 0 | 0 | 19 | 30 | 63.3333\n");
    EXPECT_EQ(record.season.correct, 19);
    EXPECT_EQ(record.season.picked, 30);
}

// The season's last week has no next week to close it: it closes once
// every game counts (2009: week 17; 2021: week 18), not a game earlier.
TEST(PickScoring, TheLastWeekClosesOnceEveryGameCounts) {
    ScheduleParse community = parseSchedule(test::readBytes(test::communityCsv()), 2021);
    ASSERT_TRUE(community.ok) << community.error;
    Season season2021 = seasonOf(gamesOf(community.records).value(), 2021);
    for (auto [season, weeks] : {std::pair{test::csvSeason(2009, ""), 17}, {season2021, 18}}) {
        std::vector<WeekStanding> closed = scorePicks(season, PickTable{}).weeks;
        ASSERT_EQ(closed.size(), static_cast<size_t>(weeks)) << season.year;
        EXPECT_EQ(closed.back().week, weeks);
        season.games.back().homeScore.reset();
        EXPECT_EQ(scorePicks(season, PickTable{}).weeks.size(), closed.size() - 1);
    }
}

TEST(PickScoring, ATieIsPickedButNeverRightAndAnUnscoredGameCountsForNothing) {
    std::vector<Game> games =
        gamesOf({{"Detroit Lions", "Chicago Bears", "9/12/2010", "14", "14", "2010"},
                 {"Miami Dolphins", "Buffalo Bills", "9/12/2010", "15", "", "2010"},
                 {"N.Y. Jets", "New England Patriots", "9/12/2010", "", "", "2010"}})
            .value();
    PickTable picks{};
    for (const char* team : {"Detroit Lions", "Miami Dolphins", "N.Y. Jets"})
        picks[1][Team::named(team)->number()] = 1;
    PickCount count = scorePicks(games, ScoringRange{3, std::nullopt}, picks).season;
    EXPECT_EQ(std::to_string(count.correct) + "/" + std::to_string(count.picked), "0/1");
}

} // namespace
} // namespace gs
