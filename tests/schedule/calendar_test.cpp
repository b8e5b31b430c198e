#include "schedule/calendar.h"

#include "core/state.h"
#include "schedule/importer.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

struct LaterCase {
    const char* name;
    const char* a;
    const char* b;
    const char* later;
};

class LaterDateCases : public testing::TestWithParam<LaterCase> {};

TEST_P(LaterDateCases, GivesTheLaterTextUnchanged) {
    EXPECT_EQ(LaterDate(GetParam().a, GetParam().b), GetParam().later);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, LaterDateCases,
    testing::Values(LaterCase{"LeadingZeroIsSameDay", "11/2/2010", "11/02/2010", "same"},
                    LaterCase{"EarlierMonth", "9/30/2010", "11/02/2010", "11/02/2010"},
                    LaterCase{"YearDecidesFirst", "1/3/2011", "12/31/2010", "1/3/2011"},
                    LaterCase{"YearsComparedAsWritten", "1/1/10", "12/31/2009", "12/31/2009"},
                    LaterCase{"DayDecidesLast", "11/03/2010", "11/2/2010", "11/03/2010"},
                    LaterCase{"EmptyIsEarliest", "", "1/1/2010", "1/1/2010"},
                    LaterCase{"BothEmpty", "", "", "same"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OnOrBeforeReference, IncludesTheReferenceDay) {
    State.ReferenceDate = "11/02/2010";
    EXPECT_TRUE(onOrBeforeReference("11/2/2010"));
    EXPECT_TRUE(onOrBeforeReference("11/1/2010"));
    EXPECT_FALSE(onOrBeforeReference("11/3/2010"));
    EXPECT_FALSE(onOrBeforeReference("1/2/2011"));
}

TEST(DayName, NamesOneToSevenOnly) {
    std::string names;
    for (int day = 0; day <= 8; ++day)
        names += "[" + DayName(day) + "]";
    EXPECT_EQ(names, "[][Sunday][Monday][Tuesday][Wednesday][Thursday][Friday][Saturday][]");
}

struct DayCase {
    const char* name;
    const char* date;
    int day;
};

class DayOfWeekCases : public testing::TestWithParam<DayCase> {};

TEST_P(DayOfWeekCases, KnowsTheCalendar) {
    EXPECT_EQ(dayOfWeek(GetParam().date), GetParam().day);
}

INSTANTIATE_TEST_SUITE_P(Dates, DayOfWeekCases,
                         testing::Values(DayCase{"ReferenceDayTuesday", "11/02/2010", 3},
                                         DayCase{"Opener2010Thursday", "9/9/2010", 5},
                                         DayCase{"MondayNight", "11/1/2010", 2},
                                         DayCase{"Christmas2011Sunday", "12/25/2011", 1},
                                         DayCase{"LeapDay2012Wednesday", "2/29/2012", 4},
                                         DayCase{"LeapDay2000Tuesday", "2/29/2000", 3},
                                         DayCase{"TwoDigitYearFriday", "1/1/10", 6},
                                         DayCase{"NoLeapDay2010", "2/29/2010", 0},
                                         DayCase{"NoLeapDay1900", "2/29/1900", 0},
                                         DayCase{"ThirtiethOfFebruary", "2/30/2010", 0},
                                         DayCase{"MonthThirteen", "13/1/2010", 0},
                                         DayCase{"DayZero", "1/0/2010", 0},
                                         DayCase{"Word", "soon", 0}, DayCase{"Empty", "", 0},
                                         DayCase{"NoYear", "11/02", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WeekRule, OnlyAGameAfterAMondayGameOpensAWeek) {
    // Thu, Sun, Mon, Mon, Thu, (no date), Mon, (no date), Sun.
    const char* dates[] = {"11/4/2010", "11/7/2010",  "11/8/2010", "11/8/2010", "11/11/2010",
                           "",          "11/15/2010", "",          "11/21/2010"};
    WeekTracker tracker;
    std::string marks;
    for (const char* date : dates)
        marks += tracker.isBoundary(date) ? "N" : ".";
    // A Monday after a Monday stays; the Thursday after them opens a week;
    // an undated game carries the day before it, so the undated game after
    // the Monday is still Monday and the Sunday after it opens a week.
    EXPECT_EQ(marks, "....N...N");
}

// The real games of one season in table order, all scores kept.
std::vector<SeasonGame> realSeason(const std::string& year) {
    ScheduleParse parse = parseSchedule(test::readBytes(test::scheduleCsv()));
    EXPECT_TRUE(parse.ok) << parse.error;
    std::vector<SeasonGame> games;
    for (const auto& r : parse.records)
        if (r.Year == year)
            games.push_back({r.TeamA, r.TeamB, r.Date, r.Visitor, r.Home});
    return games;
}

// "size" for each week 1..18 found, "-" for a week the season lacks.
std::string weekSizes() {
    std::string sizes;
    for (int week = 1; week <= 18; ++week) {
        WeekRows rows = findWeekRows(week);
        sizes += (week > 1 ? " " : "") +
                 (rows.found() ? std::to_string(rows.last - rows.first + 1) : std::string("-"));
    }
    return sizes;
}

class RealWeeks : public testing::Test {
protected:
    void SetUp() override {
        State = ProgramState{};
        BuildLeagueTable();
    }
};

TEST_F(RealWeeks, Season2010HasTheOfficialSeventeenWeeks) {
    State.SeasonGames = realSeason("2010");
    ASSERT_EQ(State.SeasonGames.size(), 256u);
    EXPECT_EQ(weekSizes(), "16 16 16 14 14 14 14 13 13 14 16 16 16 16 16 16 16 -");
    // The postponed Tuesday game stands before its week's Monday game.
    WeekRows week16 = findWeekRows(16);
    EXPECT_EQ(State.SeasonGames[week16.last].date, "12/27/2010");
    EXPECT_EQ(State.SeasonGames[week16.last - 1].date, "12/28/2010");
}

TEST_F(RealWeeks, Season2012RunsItsLastTwoWeeksTogetherCappedAt21Rows) {
    // No Monday game in official week 16, so its games and week 17's make one
    // derived week of 32 games; a week shows at most its first 21.
    State.SeasonGames = realSeason("2012");
    ASSERT_EQ(State.SeasonGames.size(), 256u);
    EXPECT_EQ(weekSizes(), "16 16 16 15 14 14 13 14 14 14 14 16 16 16 16 21 - -");
}

TEST_F(RealWeeks, NoWeekInAnEmptySeason) {
    EXPECT_FALSE(findWeekRows(1).found());
}

} // namespace
} // namespace gs
