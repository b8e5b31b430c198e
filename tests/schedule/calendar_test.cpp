#include "schedule/calendar.h"

#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

// Thu, Sun, Mon, Mon, Thu, (no date), Mon, (no date), Sun. An undated game
// carries the day before it, so the undated game after the Monday is still
// Monday and the Sunday after it opens a week. Where every game carries its
// official week, the weeks decide: in 2020 a Tuesday game ends week 5; week
// 17 of 2022 had no Monday game.
TEST(WeekRule, AGameAfterAMondayGameOrAnOfficialWeekOpensAWeek) {
    WeekTracker byDays, byWeeks;
    std::string marks;
    for (const char* date : {"11/4/2010", "11/7/2010", "11/8/2010", "11/8/2010", "11/11/2010", "",
                             "11/15/2010", "", "11/21/2010"})
        marks += byDays.isBoundary(date) ? "N" : ".";
    marks += " ";
    const std::pair<const char*, int> games[] = {
        {"10/11/2020", 5}, {"10/12/2020", 5}, {"10/13/2020", 5}, {"10/15/2020", 6},
        {"1/1/2023", 17},  {"1/2/2023", 17},  {"1/7/2023", 18}};
    for (auto [date, week] : games)
        marks += byWeeks.isBoundary(date, week) ? "N" : ".";
    EXPECT_EQ(marks, "....N...N ...NN.N");
}

// Games a week in weeks 1..18, "-" for a week the season lacks. 2012 has no
// Monday game in official week 16, so its games and week 17's make one
// derived week of 32 games, of which a week shows the first 21.
TEST(RealWeeks, SplitTheSeason) {
    for (auto [year, expected] :
         {std::pair{2010, "16 16 16 14 14 14 14 13 13 14 16 16 16 16 16 16 16 -"},
          {2012, "16 16 16 15 14 14 13 14 14 14 14 16 16 16 16 21 - -"}}) {
        std::vector<SeasonGame> games = test::seasonFromCsv(year);
        ASSERT_EQ(games.size(), 256u);
        std::string sizes;
        for (int week = 1; week <= 18; ++week) {
            WeekRows rows = findWeekRows(games, week);
            if (week > 1)
                sizes += ' ';
            sizes += rows.found() ? std::to_string(rows.last - rows.first + 1) : std::string("-");
        }
        EXPECT_EQ(sizes, expected) << year;
    }
}

TEST(TeamsBySeason, NamesFollowTheSeasonAndEveryNameFindsItsTeam) {
    struct Case {
        int team;
        int season;
        const char* name;
        const char* abbreviation;
    };
    const Case cases[] = {
        {29, 2015, "St. Louis Rams", "STL"},
        {29, 2016, "Los Angeles Rams", "LAR"},
        {26, 2016, "San Diego Chargers", "SD"},
        {26, 2017, "Los Angeles Chargers", "LAC"},
        {23, 2020, "Las Vegas Raiders", "LV"},
        {32, 2019, "Washington Redskins", "WAS"},
        {32, 2021, "Washington Football Team", "WAS"},
        {32, 2022, "Washington Commanders", "WAS"},
        {9, 2021, "Dallas Cowboys", "DAL"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(teamName(c.team, c.season), c.name) << c.season;
        EXPECT_EQ(teamAbbreviation(c.team, c.season), c.abbreviation) << c.season;
        EXPECT_EQ(teamNumber(c.name), c.team);
        EXPECT_EQ(teamNumberIgnoringSpaces(c.name), c.team);
    }
    const std::pair<const char*, int> codes[] = {{"LA", 29},    {"STL", 29}, {"lv", 23},
                                                 {" OAK ", 23}, {"SD", 26},  {"JAC", 15},
                                                 {"JAX", 15},   {"XYZ", 0}};
    for (auto [code, team] : codes)
        EXPECT_EQ(teamOfCode(code), team) << code;
    EXPECT_EQ(seasonShape(2020), (SeasonShape{17, 256}));
    EXPECT_EQ(seasonShape(2021), (SeasonShape{18, 272}));
}

} // namespace
} // namespace gs
