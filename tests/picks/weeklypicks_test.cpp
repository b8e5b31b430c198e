#include "picks/weeklypicks.h"

#include "core/league.h"
#include "core/state.h"
#include "core/textfile.h"
#include "schedule/pickfiles.h"
#include "tests/support/testsupport.h"

#include <functional>
#include <gtest/gtest.h>
#include <tuple>

namespace gs {
namespace {

namespace fs = std::filesystem;
using test::kNoScores;
using test::seasonRecords;

class WeeklyPicks : public testing::Test {
protected:
    WeeklyPicks() {
        test::addUser(1, "admin", 1);
        test::addUser(2, "PC");
        test::addUser(3, "alice");
        State.CurrentUser = "alice";
        State.SeasonYear = "2011";
    }

    const GridModel& grid() const { return State.Window.MSFlexGrid1; }
    const MainWindowModel& window() const { return State.Window; }

    // The week on show and which buttons can be used.
    std::string controls() const {
        const MainWindowModel& w = State.Window;
        auto mark = [](const ControlModel& c) { return std::string(c.enabled ? "+" : "-"); };
        return "week " + w.Label3.caption + " " + w.Label4.caption + "-" + w.Label13.caption +
               " next" + mark(w.Command1) + " prev" + mark(w.Command2) + " " + w.Command3.caption +
               mark(w.Command3);
    }

    // The line of one grid row in the dump.
    std::string dumpRow(int row) const {
        std::string dump = grid().dump();
        size_t start = 0;
        for (int r = 0; r < row; ++r)
            start = dump.find('\n', start) + 1;
        return dump.substr(start, dump.find('\n', start) - start);
    }

    int picked(const char* team) const {
        return State.PicksTable[State.DisplayedWeek][teamNumber(team)];
    }

    test::ProgramFixture program;
};

constexpr const char* kHeader = "Visitor Team | Home Team | Projected Winner | Projected Spread\n";

// 2011 before its first game; no records of the season before it, so every
// projection favours the home team by the least spread.
constexpr const char* kWeek1Of2011 =
    "New Orleans Saints | Green Bay Packers | Green Bay Packers | 1\n"
    "Pittsburgh Steelers | Baltimore Ravens | Baltimore Ravens | 1\n"
    "Atlanta Falcons | Chicago Bears | Chicago Bears | 1\n"
    "Cincinnati Bengals | Cleveland Browns | Cleveland Browns | 1\n"
    "Indianapolis Colts | Houston Texans | Houston Texans | 1\n"
    "Tennessee Titans | Jacksonville Jaguars | Jacksonville Jaguars | 1\n"
    "Buffalo Bills | Kansas City Chiefs | Kansas City Chiefs | 1\n"
    "Philadelphia Eagles | St. Louis Rams | St. Louis Rams | 1\n"
    "Detroit Lions | Tampa Bay Buccaneers | Tampa Bay Buccaneers | 1\n"
    "Carolina Panthers | Arizona Cardinals | Arizona Cardinals | 1\n"
    "Minnesota Vikings | San Diego Chargers | San Diego Chargers | 1\n"
    "Seattle Seahawks | San Francisco 49ers | San Francisco 49ers | 1\n"
    "N.Y. Giants | Washington Redskins | Washington Redskins | 1\n"
    "Dallas Cowboys | N.Y. Jets | N.Y. Jets | 1\n"
    "New England Patriots | Miami Dolphins | Miami Dolphins | 1\n"
    "Oakland Raiders | Denver Broncos | Denver Broncos | 1\n";

TEST_F(WeeklyPicks, NoScoreShowsWeekOneWherePicksMoveAndOnlySavedOnesStay) {
    test::storeSeasons({2011}, kNoScores);
    mnuItemThisWeek_Click();
    EXPECT_EQ(window().panel, Panel::WeeklyPicks);
    EXPECT_EQ(grid().dump(), std::string(kHeader) + kWeek1Of2011);
    EXPECT_EQ(State.CurrentWeek, 1);
    EXPECT_EQ(controls(), "week 1 9/8/2011-9/12/2011 next- prev- Save Picks-");
    EXPECT_TRUE(program.dialogs.shown.empty());

    MSFlexGrid1_Click(2, 0);
    EXPECT_EQ(dumpRow(2),
              "*Pittsburgh Steelers*{#000000} | Baltimore Ravens | Baltimore Ravens | 1");
    EXPECT_EQ(controls(), "week 1 9/8/2011-9/12/2011 next- prev- Save Picks+");
    MSFlexGrid1_Click(2, 1);
    EXPECT_EQ(dumpRow(2),
              "Pittsburgh Steelers | *Baltimore Ravens*{#000000} | Baltimore Ravens | 1");
    EXPECT_EQ(picked("Pittsburgh Steelers"), 0);
    MSFlexGrid1_Click(2, 1); // a second click clears the pick
    EXPECT_EQ(State.PicksTable, PickTable{});
    MSFlexGrid1_Click(2, 0);
    mnuItemThisWeek_Click(); // unsaved picks are dropped
    EXPECT_EQ(grid().dump(), std::string(kHeader) + kWeek1Of2011);

    MSFlexGrid1_Click(2, 0);
    Command3_Click();
    EXPECT_EQ(controls(), "week 1 9/8/2011-9/12/2011 next- prev- Picks Saved-");
    EXPECT_EQ(test::readBytes(State.ProgramFolder / "alice2011.dat"),
              test::crlf({test::weekLine({teamNumber("Pittsburgh Steelers")})}) +
                  test::crlf(std::vector<std::string>(16, test::weekLine())));
    mnuItemThisWeek_Click();
    EXPECT_EQ(dumpRow(2),
              "*Pittsburgh Steelers*{#000000} | Baltimore Ravens | Baltimore Ravens | 1");
}

TEST_F(WeeklyPicks, GamesOnOrBeforeTheReferenceDateAreLocked) {
    test::storeSeasons({2011}, kNoScores);
    State.ReferenceDate = "9/11/2011"; // the Sunday of week 1
    mnuItemThisWeek_Click();
    MSFlexGrid1_Click(1, 0); // Thursday 9/8/2011
    MSFlexGrid1_Click(2, 0); // Sunday 9/11/2011, the reference date itself
    EXPECT_EQ(State.PicksTable, PickTable{});
    EXPECT_EQ(grid().dump(), std::string(kHeader) + kWeek1Of2011);
    EXPECT_FALSE(window().Command3.enabled);

    MSFlexGrid1_Click(15, 0); // Monday 9/12/2011
    EXPECT_EQ(picked("New England Patriots"), 1);
}

TEST_F(WeeklyPicks, WeekButtonsWalkBetweenWeekOneAndTheCurrentWeek) {
    test::storeSeasons({2011}, "9/26/2011"); // weeks 1..3 scored, week 4 not started
    mnuItemThisWeek_Click();
    std::string walk = controls() + "\n";
    for (char button : std::string("PPPPNNNN")) {
        button == 'P' ? Command2_Click() : Command1_Click();
        walk += controls() + "\n";
    }
    EXPECT_EQ(walk, "week 4 10/2/2011-10/3/2011 next- prev+ Save Picks-\n"
                    "week 3 9/25/2011-9/26/2011 next+ prev+ Save Picks-\n"
                    "week 2 9/18/2011-9/19/2011 next+ prev+ Save Picks-\n"
                    "week 1 9/8/2011-9/12/2011 next+ prev- Save Picks-\n"
                    "week 1 9/8/2011-9/12/2011 next+ prev- Save Picks-\n"
                    "week 2 9/18/2011-9/19/2011 next+ prev+ Save Picks-\n"
                    "week 3 9/25/2011-9/26/2011 next+ prev+ Save Picks-\n"
                    "week 4 10/2/2011-10/3/2011 next- prev+ Save Picks-\n"
                    "week 4 10/2/2011-10/3/2011 next- prev+ Save Picks-\n");
}

// A click that changes no pick still marks the picks unsaved, which shows
// once the current week is on show again.
TEST_F(WeeklyPicks, ClicksThatChangeNoPick) {
    test::storeSeasons({2011}, "9/26/2011");
    const std::vector<std::tuple<const char*, std::function<void()>, bool>> clicks = {
        {"none", [] {}, false},
        {"header row", [] { MSFlexGrid1_Click(0, 0); }, true},
        {"projected winner", [] { MSFlexGrid1_Click(1, 2); }, true},
        {"past week", [] { Command2_Click(), MSFlexGrid1_Click(1, 0), Command1_Click(); }, true}};
    for (const auto& [name, click, savingEnabled] : clicks) {
        mnuItemThisWeek_Click();
        click();
        Command2_Click();
        Command1_Click();
        EXPECT_EQ(State.PicksTable, PickTable{}) << name;
        EXPECT_EQ(State.DisplayedWeek, 4) << name;
        EXPECT_EQ(window().Command3.enabled, savingEnabled) << name;
    }
}

// 2012 through the Sunday of week 10, whose Monday game is still to come.
// St. Louis at San Francisco ended in a tie: a pick of either team is wrong.
TEST_F(WeeklyPicks, PicksAreMarkedByTheResult) {
    State.SeasonYear = "2012";
    test::storeSeasons({2012}, "11/11/2012");
    for (const char* team :
         {"Indianapolis Colts", "Oakland Raiders", "Denver Broncos", "Cincinnati Bengals",
          "Philadelphia Eagles", "St. Louis Rams", "Kansas City Chiefs"})
        State.PicksTable[10][teamNumber(team)] = 1;
    ASSERT_TRUE(SavePicks("alice"));
    mnuItemThisWeek_Click();
    EXPECT_EQ(State.CurrentWeek, 10);
    EXPECT_EQ(
        grid().dump(),
        std::string(kHeader) +
            "*Indianapolis Colts*{#00C000} | Jacksonville Jaguars | Indianapolis Colts | 11\n"
            "*Oakland Raiders*{#FF0000} | Baltimore Ravens | Baltimore Ravens | 3\n"
            "*Denver Broncos*{#00C000} | Carolina Panthers | Denver Broncos | 3\n"
            "N.Y. Giants | *Cincinnati Bengals*{#00C000} | N.Y. Giants | 3\n"
            "Tennessee Titans | Miami Dolphins | Miami Dolphins | 7\n"
            "Detroit Lions | Minnesota Vikings | Minnesota Vikings | 1\n"
            "Buffalo Bills | New England Patriots | New England Patriots | 2\n"
            "Atlanta Falcons | New Orleans Saints | Atlanta Falcons | 7\n"
            "San Diego Chargers | Tampa Bay Buccaneers | Tampa Bay Buccaneers | 3\n"
            "N.Y. Jets | Seattle Seahawks | Seattle Seahawks | 2\n"
            "Dallas Cowboys | *Philadelphia Eagles*{#FF0000} | Dallas Cowboys | 5\n"
            "*St. Louis Rams*{#FF0000} | San Francisco 49ers | San Francisco 49ers | 4\n"
            "Houston Texans | Chicago Bears | Chicago Bears | 1\n"
            "*Kansas City Chiefs*{#000000} | Pittsburgh Steelers | Pittsburgh Steelers | 10\n");
}

// The last week has no Monday game; one more game closes it, and the Sunday
// after opens an eighteenth week: only then is the season over.
TEST_F(WeeklyPicks, OnlyAnEighteenthWeekEndsTheSeason) {
    State.SeasonYear = "2010";
    test::storeSeasons({2010});
    mnuItemThisWeek_Click();
    fs::path oldScores = State.ProgramFolder / "oldscores2010.dat";
    EXPECT_EQ(State.CurrentWeek, 17);
    EXPECT_FALSE(State.SeasonOver);
    EXPECT_FALSE(fs::exists(oldScores));

    std::vector<GameRecord> records = seasonRecords(2010);
    records.push_back({"Dallas Cowboys", "N.Y. Giants", "1/3/2011", "20", "17", "2010"});
    records.push_back({"Arizona Cardinals", "Seattle Seahawks", "1/9/2011", "", "", "2010"});
    test::storeRecords(records);
    mnuItemThisWeek_Click();
    EXPECT_TRUE(State.SeasonOver);
    EXPECT_EQ(controls(), "week 17 1/2/2011-1/3/2011 next- prev+ Save Picks-");
    EXPECT_EQ(program.dialogs.messages(),
              std::vector<std::string>{"Season Over: Season is over.  Scores have been saved."});
    TextFile file = readTextFile(oldScores);
    ASSERT_EQ(file.lines.size(), 32u);
    EXPECT_EQ(file.lines[teamNumber("N.Y. Giants") - 1], " 411, 367, 10, 7, 0");
    EXPECT_EQ(file.lines[teamNumber("New England Patriots") - 1], " 518, 313, 14, 2, 0");
    MSFlexGrid1_Click(1, 0); // after the reference date, yet closed
    EXPECT_EQ(State.PicksTable, PickTable{});

    // A file that cannot be written is not claimed as saved.
    fs::remove(oldScores);
    fs::create_directory(oldScores);
    program.dialogs.clear();
    mnuItemThisWeek_Click();
    EXPECT_EQ(program.dialogs.messages(),
              (std::vector<std::string>{"Error: The file could not be saved. Cannot replace " +
                                            oldScores.string() + ": Is a directory",
                                        "Season Over: Season is over."}));
}

TEST_F(WeeklyPicks, AGameOfATeamOutsideTheLeagueIsShownButCannotBePicked) {
    std::vector<GameRecord> records = seasonRecords(2011, kNoScores);
    records[1].visitor = "Gotham Knights";
    test::storeRecords(records);
    mnuItemThisWeek_Click();
    EXPECT_EQ(dumpRow(2), "Gotham Knights | Baltimore Ravens |  | 0");
    MSFlexGrid1_Click(2, 0);
    MSFlexGrid1_Click(2, 1);
    EXPECT_EQ(State.PicksTable, PickTable{});
    EXPECT_FALSE(window().Command3.enabled);
    MSFlexGrid1_Click(3, 1);
    EXPECT_EQ(dumpRow(3), "Atlanta Falcons | *Chicago Bears*{#000000} | Chicago Bears | 1");
}

TEST_F(WeeklyPicks, ASeasonWithoutGamesShowsAnEmptyGrid) {
    test::storeSeasons({2011}, kNoScores);
    State.SeasonYear = "2016";
    mnuItemThisWeek_Click();
    EXPECT_EQ(grid().dump(), kHeader);
    EXPECT_EQ(controls(), "week 1 - next- prev- Save Picks-");
    MSFlexGrid1_Click(1, 0);
    MSFlexGrid1_Click(0, 0);
    Command1_Click();
    Command2_Click();
    EXPECT_EQ(grid().dump(), kHeader);
    EXPECT_EQ(State.DisplayedWeek, 1);
}

} // namespace
} // namespace gs
