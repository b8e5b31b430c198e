#include "schedule/calendar.h"

#include "tests/support/testsupport.h"

#include <gtest/gtest.h>
#include <ostream>

namespace gs {
namespace {

TEST(WeekRule, OnlyAGameAfterAMondayGameOpensAWeek) {
    // Thu, Sun, Mon, Mon, Thu, (no date), Mon, (no date), Sun.
    const char* dates[] = {"11/4/2010", "11/7/2010",  "11/8/2010", "11/8/2010", "11/11/2010",
                           "",          "11/15/2010", "",          "11/21/2010"};
    WeekTracker tracker;
    std::string marks;
    for (const char* date : dates)
        marks += tracker.isBoundary(date) ? "N" : ".";
    // An undated game carries the day before it, so the undated game after
    // the Monday is still Monday and the Sunday after it opens a week.
    EXPECT_EQ(marks, "....N...N");
}

struct RealWeeksCase {
    const char* name;
    int year;
    const char* sizes; // games in weeks 1..18, "-" for a week the season lacks
};

void PrintTo(const RealWeeksCase& c, std::ostream* os) {
    *os << c.name;
}

class RealWeeks : public testing::TestWithParam<RealWeeksCase> {};

TEST_P(RealWeeks, SplitTheSeason) {
    std::vector<SeasonGame> games = test::seasonFromCsv(GetParam().year);
    ASSERT_EQ(games.size(), 256u);
    std::string sizes;
    for (int week = 1; week <= 18; ++week) {
        WeekRows rows = findWeekRows(games, week);
        if (week > 1)
            sizes += ' ';
        sizes += rows.found() ? std::to_string(rows.last - rows.first + 1) : std::string("-");
    }
    EXPECT_EQ(sizes, GetParam().sizes);
}

// 2012 has no Monday game in official week 16, so its games and week 17's
// make one derived week of 32 games, of which a week shows the first 21.
INSTANTIATE_TEST_SUITE_P(
    Seasons, RealWeeks,
    testing::Values(
        RealWeeksCase{"Official2010", 2010, "16 16 16 14 14 14 14 13 13 14 16 16 16 16 16 16 16 -"},
        RealWeeksCase{"Merged2012", 2012, "16 16 16 15 14 14 13 14 14 14 14 16 16 16 16 21 - -"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace gs
