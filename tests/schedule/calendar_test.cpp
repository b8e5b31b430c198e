#include "schedule/calendar.h"

#include "tests/support/testsupport.h"

#include <gtest/gtest.h>
#include <ostream>

namespace gs {
namespace {

struct LaterCase {
    const char* name;
    const char* a;
    const char* b;
    const char* later;
};

void PrintTo(const LaterCase& c, std::ostream* os) {
    *os << c.name << " (\"" << c.a << "\" vs \"" << c.b << "\")";
}

class LaterDateCases : public testing::TestWithParam<LaterCase> {};

TEST_P(LaterDateCases, GivesTheLaterTextUnchanged) {
    EXPECT_EQ(laterDate(GetParam().a, GetParam().b), GetParam().later);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, LaterDateCases,
    testing::Values(LaterCase{"LeadingZeroIsSameDay", "11/2/2010", "11/02/2010", "same"},
                    LaterCase{"EarlierMonth", "9/30/2010", "11/02/2010", "11/02/2010"},
                    LaterCase{"YearDecidesFirst", "1/3/2011", "12/31/2010", "1/3/2011"},
                    LaterCase{"YearsComparedAsWritten", "1/1/10", "12/31/2009", "12/31/2009"},
                    LaterCase{"DayDecidesLast", "11/03/2010", "11/2/2010", "11/03/2010"},
                    LaterCase{"EmptyIsEarliest", "", "1/1/2010", "1/1/2010"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OnOrBefore, TheReferenceDayItselfCounts) {
    EXPECT_TRUE(onOrBefore("11/2/2010", "11/02/2010"));
    EXPECT_TRUE(onOrBefore("9/30/2010", "11/02/2010"));
    EXPECT_FALSE(onOrBefore("11/03/2010", "11/02/2010"));
}

struct DayCase {
    const char* name;
    const char* date;
    int day;
};

void PrintTo(const DayCase& c, std::ostream* os) {
    *os << c.name << " (\"" << c.date << "\")";
}

class DayOfWeekCases : public testing::TestWithParam<DayCase> {};

TEST_P(DayOfWeekCases, KnowsTheCalendar) {
    EXPECT_EQ(dayOfWeek(GetParam().date), GetParam().day);
}

INSTANTIATE_TEST_SUITE_P(Dates, DayOfWeekCases,
                         testing::Values(DayCase{"ReferenceDayTuesday", "11/02/2010", 3},
                                         DayCase{"Christmas2011Sunday", "12/25/2011", 1},
                                         DayCase{"LeapDay2012Wednesday", "2/29/2012", 4},
                                         DayCase{"TwoDigitYearFriday", "1/1/10", 6},
                                         DayCase{"NoLeapDay1900", "2/29/1900", 0},
                                         DayCase{"MonthThirteen", "13/1/2010", 0},
                                         DayCase{"NoYear", "11/02", 0},
                                         DayCase{"HugeMonth", "1e30/1/2010", 0},
                                         DayCase{"HugeYear", "1/1/-1e300", 0},
                                         DayCase{"FractionalDay", "1/1.5/2010", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

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
