#include "utilities/calendarview.h"

#include "schedule/seasongames.h"
#include "tests/support/testsupport.h"

namespace gs {
namespace {

std::string text(const std::optional<Date>& date) {
    return date ? Date::fromParts(date->year(), date->month(), date->day())->text() : "none";
}

std::string listing(const SeasonCalendar& calendar) {
    std::string out = calendar.gamesVisible ? "shown" : "hidden";
    for (const std::string& entry : calendar.games.entries)
        out += "\n" + entry;
    return out;
}

class Calendar : public testing::Test {
protected:
    test::PoolFixture program;
    SeasonCalendar calendar{program.pool, program.dialogs};
    void SetUp() override { ASSERT_TRUE(ensureGamesTable(program.pool)); }
};

TEST_F(Calendar, IsLimitedToTheRealSeasonAndOpensOnItsFirstDaysGames) {
    calendar.open();
    EXPECT_EQ(text(calendar.earliest) + " " + text(calendar.latest) + " " + text(calendar.selected),
              "9/9/2010 1/2/2011 9/9/2010");
    // The list is there from the start, with the first day's game.
    EXPECT_EQ(listing(calendar), "shown\nMinnesota Vikings @ New Orleans Saints");
    // The days with games are marked: the 2010 season played on 43 of them.
    ASSERT_EQ(calendar.gameDays.size(), 43u);
    EXPECT_EQ(text(calendar.gameDays.front()) + " " + text(calendar.gameDays.back()),
              "9/9/2010 1/2/2011");

    calendar.clickDate(*Date::fromParts(2010, 9, 13));
    EXPECT_EQ(listing(calendar), "shown\n"
                                 "Baltimore Ravens @ N.Y. Jets\n"
                                 "San Diego Chargers @ Kansas City Chiefs");
    calendar.clickDate(*Date::fromParts(2010, 9, 14));
    EXPECT_EQ(listing(calendar), "shown");
}

// A date with leading zeros never matches a clicked day, and a game without
// a date, or with a two-digit year, is no game day; a season without dated
// games has no limits.
TEST_F(Calendar, OnlyGamesDatedAsTheProgramWritesThemAreListed) {
    test::storeRecords(program.pool,
                       {{"Miami Dolphins", "Buffalo Bills", "09/12/2010", "", "", "2010"},
                        {"Detroit Lions", "Chicago Bears", "9/12/2010", "", "", "2010"},
                        {"N.Y. Jets", "Dallas Cowboys", "", "", "", "2010"},
                        {"N.Y. Giants", "Dallas Cowboys", "9/19/10", "", "", "2010"}});
    calendar.open();
    EXPECT_EQ(text(calendar.earliest) + " " + text(calendar.latest), "9/12/2010 9/12/2010");
    calendar.clickDate(*Date::fromParts(2010, 9, 12));
    EXPECT_EQ(listing(calendar), "shown\nDetroit Lions @ Chicago Bears");

    program.pool.setSeasonYear(2016);
    calendar.open();
    EXPECT_EQ(text(calendar.earliest) + " " + text(calendar.latest), "none none");
    calendar.clickDate(*Date::fromParts(2010, 9, 12));
    EXPECT_EQ(listing(calendar), "shown");
    EXPECT_TRUE(program.dialogs.shown.empty());
}

} // namespace
} // namespace gs
