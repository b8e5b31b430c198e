#include "picks/weeklypicks.h"

#include "core/league.h"
#include "core/state.h"
#include "core/text.h"
#include "schedule/calendar.h"
#include "schedule/gamesdb.h"
#include "schedule/pickfiles.h"
#include "tests/support/testsupport.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

namespace gs {
namespace {

namespace fs = std::filesystem;

std::vector<GameRecord> recordsOf(int year, const std::string& scoresThrough = "") {
    std::vector<GameRecord> records;
    for (const SeasonGame& g : test::seasonFromCsv(year, scoresThrough))
        records.push_back(
            {g.visitor, g.home, g.date, g.visitorScore, g.homeScore, std::to_string(year)});
    return records;
}

// A date before any game of the season: every score is left out.
const std::string kNoScores = "1/1/1990";

void storeGames(const std::vector<GameRecord>& records) {
    std::string error;
    std::unique_ptr<GamesTable> table = GamesTable::open(gamesDatabasePath(), error);
    ASSERT_TRUE(table) << error;
    ASSERT_TRUE(table->replaceSeasons(records, error)) << error;
}

void addUser(int slot, const std::string& name, int16_t admin) {
    UserSlot& user = State.UserTable[slot];
    user.name = name;
    user.active = 1;
    user.admin = admin;
    user.folder = programFolderText();
}

// Week lines of a pick file with the given teams picked in the given week.
std::string weekLine(const std::vector<int>& picked) {
    std::string line;
    for (int t = 1; t <= kTeamCount; ++t) {
        if (t > 1)
            line += ',';
        line += std::find(picked.begin(), picked.end(), t) != picked.end() ? '1' : '0';
    }
    return line;
}

class WeeklyPicks : public testing::Test {
protected:
    WeeklyPicks() {
        addUser(1, "admin", 1);
        addUser(2, "PC", 0);
        addUser(3, "alice", 0);
        State.CurrentUser = "alice";
        State.SeasonYear = "2011";
    }

    const GridModel& grid() const { return State.Window.MSFlexGrid1; }
    const MainWindowModel& window() const { return State.Window; }

    // The line of one grid row in the dump.
    std::string dumpRow(int row) const {
        std::string dump = grid().dump();
        size_t start = 0;
        for (int r = 0; r < row; ++r)
            start = dump.find('\n', start) + 1;
        return dump.substr(start, dump.find('\n', start) - start);
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

TEST_F(WeeklyPicks, NoScoreShowsWeekOneWithBothWeekButtonsDisabled) {
    storeGames(recordsOf(2011, kNoScores));
    mnuItemThisWeek_Click();

    EXPECT_EQ(window().panel, Panel::WeeklyPicks);
    EXPECT_EQ(grid().dump(), std::string(kHeader) + kWeek1Of2011);
    EXPECT_EQ(State.CurrentWeek, 1);
    EXPECT_EQ(State.DisplayedWeek, 1);
    EXPECT_FALSE(window().Command1.enabled);
    EXPECT_FALSE(window().Command2.enabled);
    EXPECT_EQ(window().Label3.caption, "1");
    EXPECT_EQ(window().Label4.caption, "9/8/2011");
    EXPECT_EQ(window().Label13.caption, "9/12/2011");
    EXPECT_EQ(window().Command3.caption, "Save Picks");
    EXPECT_FALSE(window().Command3.enabled);
    EXPECT_TRUE(program.dialogs.shown.empty());

    // Games after the reference date can be picked.
    MSFlexGrid1_Click(2, 0);
    EXPECT_EQ(dumpRow(2),
              "*Pittsburgh Steelers*{#000000} | Baltimore Ravens | Baltimore Ravens | 1");
    EXPECT_EQ(State.PicksTable[1][teamNumber("Pittsburgh Steelers")], 1);
    EXPECT_TRUE(window().Command3.enabled);
    EXPECT_FALSE(State.PicksSaved);
}

TEST_F(WeeklyPicks, PickIsSavedAndFoundAgainOnReopening) {
    storeGames(recordsOf(2011, kNoScores));
    mnuItemThisWeek_Click();
    MSFlexGrid1_Click(2, 0);
    Command3_Click();

    EXPECT_EQ(window().Command3.caption, "Picks Saved");
    EXPECT_FALSE(window().Command3.enabled);
    EXPECT_TRUE(State.PicksSaved);
    std::string expected = weekLine({teamNumber("Pittsburgh Steelers")}) + "\r\n";
    for (int w = 2; w <= kWeeks; ++w)
        expected += weekLine({}) + "\r\n";
    EXPECT_EQ(test::readBytes(State.ProgramFolder / "alice2011.dat"), expected);

    State.PicksTable = {};
    mnuItemThisWeek_Click();
    EXPECT_EQ(State.PicksTable[1][teamNumber("Pittsburgh Steelers")], 1);
    EXPECT_EQ(dumpRow(2),
              "*Pittsburgh Steelers*{#000000} | Baltimore Ravens | Baltimore Ravens | 1");
}

TEST_F(WeeklyPicks, UnsavedPicksAreDiscardedOnReopening) {
    storeGames(recordsOf(2011, kNoScores));
    mnuItemThisWeek_Click();
    MSFlexGrid1_Click(2, 0);
    mnuItemThisWeek_Click();
    EXPECT_EQ(State.PicksTable[1][teamNumber("Pittsburgh Steelers")], 0);
    EXPECT_EQ(grid().dump(), std::string(kHeader) + kWeek1Of2011);
}

TEST_F(WeeklyPicks, PickMovesFromVisitorToHomeAndASecondClickClearsIt) {
    storeGames(recordsOf(2011, kNoScores));
    mnuItemThisWeek_Click();
    int visitor = teamNumber("Pittsburgh Steelers");
    int home = teamNumber("Baltimore Ravens");

    MSFlexGrid1_Click(2, 0);
    MSFlexGrid1_Click(2, 1);
    EXPECT_EQ(dumpRow(2),
              "Pittsburgh Steelers | *Baltimore Ravens*{#000000} | Baltimore Ravens | 1");
    EXPECT_EQ(State.PicksTable[1][visitor], 0);
    EXPECT_EQ(State.PicksTable[1][home], 1);

    MSFlexGrid1_Click(2, 1);
    EXPECT_EQ(dumpRow(2), "Pittsburgh Steelers | Baltimore Ravens | Baltimore Ravens | 1");
    EXPECT_EQ(State.PicksTable[1][visitor], 0);
    EXPECT_EQ(State.PicksTable[1][home], 0);
}

TEST_F(WeeklyPicks, GamesOnOrBeforeTheReferenceDateAreLocked) {
    storeGames(recordsOf(2011, kNoScores));
    State.ReferenceDate = "9/11/2011"; // the Sunday of week 1
    mnuItemThisWeek_Click();
    PickTable before = State.PicksTable;

    MSFlexGrid1_Click(1, 0); // Thursday 9/8/2011
    MSFlexGrid1_Click(2, 0); // Sunday 9/11/2011, the reference date itself
    EXPECT_EQ(State.PicksTable, before);
    EXPECT_FALSE(window().Command3.enabled);
    EXPECT_EQ(grid().dump(), std::string(kHeader) + kWeek1Of2011);

    MSFlexGrid1_Click(15, 0); // Monday 9/12/2011
    EXPECT_EQ(State.PicksTable[1][teamNumber("New England Patriots")], 1);
    EXPECT_TRUE(window().Command3.enabled);
}

struct WeekView {
    int week;
    const char* first;
    const char* last;
    bool nextEnabled;
    bool prevEnabled;
};

TEST_F(WeeklyPicks, WeekButtonsWalkBetweenWeekOneAndTheCurrentWeek) {
    storeGames(recordsOf(2011, "9/26/2011")); // weeks 1..3 scored, week 4 not started
    auto view = [this] {
        return WeekView{std::stoi(window().Label3.caption), window().Label4.caption.c_str(),
                        window().Label13.caption.c_str(), window().Command1.enabled,
                        window().Command2.enabled};
    };
    auto expect = [&](const WeekView& want, const char* step) {
        WeekView got = view();
        EXPECT_EQ(State.DisplayedWeek, want.week) << step;
        EXPECT_EQ(got.week, want.week) << step;
        EXPECT_STREQ(got.first, want.first) << step;
        EXPECT_STREQ(got.last, want.last) << step;
        EXPECT_EQ(got.nextEnabled, want.nextEnabled) << step;
        EXPECT_EQ(got.prevEnabled, want.prevEnabled) << step;
    };

    mnuItemThisWeek_Click();
    EXPECT_EQ(State.CurrentWeek, 4);
    expect({4, "10/2/2011", "10/3/2011", false, true}, "opening");
    Command2_Click();
    expect({3, "9/25/2011", "9/26/2011", true, true}, "prev to 3");
    Command2_Click();
    expect({2, "9/18/2011", "9/19/2011", true, true}, "prev to 2");
    Command2_Click();
    expect({1, "9/8/2011", "9/12/2011", true, false}, "prev to 1");
    Command1_Click();
    Command1_Click();
    Command1_Click();
    expect({4, "10/2/2011", "10/3/2011", false, true}, "next back to 4");
    Command1_Click();
    expect({4, "10/2/2011", "10/3/2011", false, true}, "next stays on 4");
}

// A click that changes no pick still marks the picks unsaved.
struct IdleClick {
    const char* name;
    std::function<void()> act;
};

class ClicksThatChangeNoPick : public WeeklyPicks, public testing::WithParamInterface<IdleClick> {};

TEST_P(ClicksThatChangeNoPick, EnableSavingOnReturnToTheCurrentWeek) {
    storeGames(recordsOf(2011, "9/26/2011"));
    mnuItemThisWeek_Click();
    PickTable before = State.PicksTable;

    GetParam().act();
    EXPECT_EQ(State.PicksTable, before);
    EXPECT_FALSE(State.PicksSaved);

    Command2_Click();
    Command1_Click();
    EXPECT_EQ(State.DisplayedWeek, 4);
    EXPECT_EQ(window().Command3.caption, "Save Picks");
    EXPECT_TRUE(window().Command3.enabled);
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, ClicksThatChangeNoPick,
    testing::Values(IdleClick{"HeaderRow", [] { MSFlexGrid1_Click(0, 0); }},
                    IdleClick{"ProjectedWinnerColumn", [] { MSFlexGrid1_Click(1, 2); }},
                    IdleClick{"ProjectedSpreadColumn", [] { MSFlexGrid1_Click(1, 3); }},
                    IdleClick{"BelowTheLastRow", [] { MSFlexGrid1_Click(40, 0); }},
                    IdleClick{"PastWeek",
                              [] {
                                  Command2_Click();
                                  MSFlexGrid1_Click(1, 0);
                                  Command1_Click();
                              }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WeeklyPicks, WithoutAClickReturningToTheCurrentWeekKeepsSavingDisabled) {
    storeGames(recordsOf(2011, "9/26/2011"));
    mnuItemThisWeek_Click();
    Command2_Click();
    Command1_Click();
    EXPECT_FALSE(window().Command3.enabled);
}

// 2012 through the Sunday of week 10, whose Monday game is still to come. The
// computer player's projections are all made already, so the grid is known.
TEST_F(WeeklyPicks, PicksAreMarkedByTheResult) {
    State.SeasonYear = "2012";
    storeGames(recordsOf(2012, "11/11/2012"));

    std::vector<SeasonGame> games = test::seasonFromCsv(2012);
    WeekTracker tracker;
    int week = 1;
    for (int g = 0; g < static_cast<int>(games.size()); ++g) {
        if (tracker.isBoundary(games[g].date))
            ++week;
        int favourite = g % 2 == 0 ? teamNumber(games[g].visitor) : teamNumber(games[g].home);
        State.ProjectedPicks[std::min(week, kWeeks)][favourite] = 1;
        State.SpreadTable[g + 1] = static_cast<int16_t>((g + 1) % 9 + 1);
    }
    ASSERT_TRUE(SavePicks("PC"));
    for (const char* team :
         {"Indianapolis Colts", "Oakland Raiders", "Denver Broncos", "Cincinnati Bengals",
          "Philadelphia Eagles", "St. Louis Rams", "Kansas City Chiefs"})
        State.PicksTable[10][teamNumber(team)] = 1;
    ASSERT_TRUE(SavePicks("alice"));
    State.PicksTable = {};

    mnuItemThisWeek_Click();
    EXPECT_EQ(State.CurrentWeek, 10);
    EXPECT_EQ(
        grid().dump(),
        std::string(kHeader) +
            "*Indianapolis Colts*{#00C000} | Jacksonville Jaguars | Indianapolis Colts | 7\n"
            "*Oakland Raiders*{#FF0000} | Baltimore Ravens | Baltimore Ravens | 8\n"
            "*Denver Broncos*{#00C000} | Carolina Panthers | Denver Broncos | 9\n"
            "N.Y. Giants | *Cincinnati Bengals*{#00C000} | Cincinnati Bengals | 1\n"
            "Tennessee Titans | Miami Dolphins | Tennessee Titans | 2\n"
            "Detroit Lions | Minnesota Vikings | Minnesota Vikings | 3\n"
            "Buffalo Bills | New England Patriots | Buffalo Bills | 4\n"
            "Atlanta Falcons | New Orleans Saints | New Orleans Saints | 5\n"
            "San Diego Chargers | Tampa Bay Buccaneers | San Diego Chargers | 6\n"
            "N.Y. Jets | Seattle Seahawks | Seattle Seahawks | 7\n"
            "Dallas Cowboys | *Philadelphia Eagles*{#FF0000} | Dallas Cowboys | 8\n"
            "*St. Louis Rams*{#FF0000} | San Francisco 49ers | San Francisco 49ers | 9\n"
            "Houston Texans | Chicago Bears | Houston Texans | 1\n"
            "*Kansas City Chiefs*{#000000} | Pittsburgh Steelers | Pittsburgh Steelers | 2\n");
}

TEST_F(WeeklyPicks, GridLayoutFollowsTheColumnTable) {
    storeGames(recordsOf(2011, kNoScores));
    mnuItemThisWeek_Click();
    const int widths[] = {2350, 2350, 2350, 1600};
    const Align aligns[] = {Align::Left, Align::Left, Align::Center, Align::Center};
    ASSERT_EQ(grid().cols(), 4);
    EXPECT_EQ(grid().fixedRows(), 1);
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(grid().columnWidth(c), widths[c]) << c;
        EXPECT_EQ(grid().columnAlign(c), aligns[c]) << c;
    }
    for (ControlModel* control : {&State.Window.Label2, &State.Window.Label14})
        EXPECT_TRUE(control->visible);
    EXPECT_EQ(window().Label2.caption, "Viewing Picks for Week");
    EXPECT_EQ(window().Label14.caption, "Thru");
}

TEST_F(WeeklyPicks, RealSeasonThroughTheReferenceDateIsInWeekNine) {
    State.SeasonYear = "2010";
    std::vector<GameRecord> records = recordsOf(2009);
    for (GameRecord& r : recordsOf(2010, kDefaultReferenceDate))
        records.push_back(r);
    storeGames(records);
    mnuItemThisWeek_Click();

    EXPECT_EQ(State.CurrentWeek, 9);
    EXPECT_EQ(State.DisplayedWeek, 9);
    EXPECT_EQ(State.ScoredGameCount, 117);
    EXPECT_EQ(window().Label3.caption, "9");
    EXPECT_EQ(window().Label4.caption, "11/7/2010");
    EXPECT_EQ(window().Label13.caption, "11/8/2010");
    EXPECT_EQ(grid().rows(), 1 + 13);
    EXPECT_FALSE(window().Command1.enabled);
    EXPECT_TRUE(window().Command2.enabled);
    EXPECT_FALSE(State.SeasonOver);
}

// The records a season's games give each team: " pf, pa, w, l, t".
std::string oldScoresOf(const std::vector<GameRecord>& games) {
    TeamRecordTable records{};
    for (const GameRecord& g : games) {
        if (g.Visitor.empty() || g.Home.empty())
            continue;
        double vs = numericValue(g.Visitor);
        double hs = numericValue(g.Home);
        auto add = [&](int team, double own, double other) {
            records[team][1] += own;
            records[team][2] += other;
            records[team][own > other ? 3 : own < other ? 4 : 5] += 1;
        };
        add(teamNumber(g.TeamA), vs, hs);
        add(teamNumber(g.TeamB), hs, vs);
    }
    std::string text;
    for (int t = 1; t <= kTeamCount; ++t) {
        for (int c = 1; c <= 5; ++c)
            text += (c > 1 ? "," : "") + signedText(records[t][c]);
        text += "\r\n";
    }
    return text;
}

TEST_F(WeeklyPicks, CompleteLastWeekIsCurrentWithoutEndingTheSeason) {
    State.SeasonYear = "2010";
    storeGames(recordsOf(2010));
    mnuItemThisWeek_Click();

    EXPECT_EQ(State.CurrentWeek, 17);
    EXPECT_EQ(window().Label4.caption, "1/2/2011");
    EXPECT_FALSE(State.SeasonOver);
    EXPECT_TRUE(program.dialogs.shown.empty());
    EXPECT_FALSE(fs::exists(State.ProgramFolder / "oldscores2010.dat"));
}

TEST_F(WeeklyPicks, AGameOfAnEighteenthWeekEndsTheSeason) {
    State.SeasonYear = "2010";
    std::vector<GameRecord> records = recordsOf(2010);
    // The last week has no Monday game; one more closes it, and the Sunday
    // after opens an eighteenth week.
    records.push_back({"Dallas Cowboys", "N.Y. Giants", "1/3/2011", "20", "17", "2010"});
    records.push_back({"Arizona Cardinals", "Seattle Seahawks", "1/9/2011", "", "", "2010"});
    storeGames(records);
    mnuItemThisWeek_Click();

    EXPECT_TRUE(State.SeasonOver);
    EXPECT_EQ(State.CurrentWeek, 17);
    EXPECT_EQ(State.DisplayedWeek, 17);
    // The count of scored games stays the count of scored games.
    EXPECT_EQ(State.ScoredGameCount, 257);
    EXPECT_EQ(program.dialogs.messages(),
              std::vector<std::string>{"Season Over: Season is over.  Scores have been saved."});
    EXPECT_FALSE(window().Command3.enabled);
    EXPECT_EQ(window().Label3.caption, "17");
    EXPECT_EQ(grid().rows(), 1 + 17);
    EXPECT_EQ(window().Label13.caption, "1/3/2011");
    EXPECT_EQ(test::readBytes(State.ProgramFolder / "oldscores2010.dat"), oldScoresOf(records));

    // Week 17's games lie after the reference date, yet the season is over.
    PickTable before = State.PicksTable;
    MSFlexGrid1_Click(1, 0);
    EXPECT_EQ(State.PicksTable, before);
    EXPECT_FALSE(window().Command3.enabled);
}

// The 2010 season played out, with an eighteenth week, and 2011 not begun.
std::vector<GameRecord> finishedAndNextSeason() {
    std::vector<GameRecord> records = recordsOf(2010);
    records.push_back({"Dallas Cowboys", "N.Y. Giants", "1/3/2011", "20", "17", "2010"});
    records.push_back({"Arizona Cardinals", "Seattle Seahawks", "1/9/2011", "", "", "2010"});
    for (GameRecord& r : recordsOf(2011, kNoScores))
        records.push_back(r);
    return records;
}

TEST_F(WeeklyPicks, ASeasonStillRunningCanBePickedAfterAFinishedOne) {
    storeGames(finishedAndNextSeason());
    State.SeasonYear = "2010";
    mnuItemThisWeek_Click();
    ASSERT_TRUE(State.SeasonOver);

    State.SeasonYear = "2011";
    mnuItemThisWeek_Click();
    EXPECT_FALSE(State.SeasonOver);
    MSFlexGrid1_Click(2, 0);
    EXPECT_EQ(State.PicksTable[1][teamNumber("Pittsburgh Steelers")], 1);
}

TEST_F(WeeklyPicks, TheSeasonEndDoesNotClaimScoresItCouldNotSave) {
    storeGames(finishedAndNextSeason());
    State.SeasonYear = "2010";
    fs::create_directories(State.ProgramFolder / "oldscores2010.dat"); // cannot be replaced
    mnuItemThisWeek_Click();

    EXPECT_TRUE(State.SeasonOver);
    std::vector<std::string> messages = program.dialogs.messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].rfind("Error: ", 0), 0u) << messages[0];
    EXPECT_EQ(messages[1], "Season Over: Season is over.");
}

TEST_F(WeeklyPicks, AGameOfATeamOutsideTheLeagueIsShownButCannotBePicked) {
    std::vector<GameRecord> records = recordsOf(2011, kNoScores);
    records[1].TeamA = "Gotham Knights";
    storeGames(records);
    mnuItemThisWeek_Click();

    EXPECT_EQ(dumpRow(2), "Gotham Knights | Baltimore Ravens |  | 0");
    PickTable before = State.PicksTable;
    MSFlexGrid1_Click(2, 0);
    MSFlexGrid1_Click(2, 1);
    EXPECT_EQ(State.PicksTable, before);
    EXPECT_FALSE(window().Command3.enabled);

    MSFlexGrid1_Click(3, 1);
    EXPECT_EQ(State.PicksTable[1][teamNumber("Chicago Bears")], 1);
    EXPECT_EQ(dumpRow(3), "Atlanta Falcons | *Chicago Bears*{#000000} | Chicago Bears | 1");
}

TEST_F(WeeklyPicks, AFailedSaveLeavesThePicksUnsaved) {
    storeGames(recordsOf(2011, kNoScores));
    fs::path notAFolder = State.ProgramFolder / "plain-file";
    test::writeBytes(notAFolder, "x");
    State.UserTable[3].folder = notAFolder.string();
    mnuItemThisWeek_Click();
    MSFlexGrid1_Click(2, 0);
    program.dialogs.clear();

    Command3_Click();
    ASSERT_EQ(program.dialogs.shown.size(), 1u);
    EXPECT_EQ(program.dialogs.shown[0].title, "Error");
    EXPECT_EQ(window().Command3.caption, "Save Picks");
    EXPECT_TRUE(window().Command3.enabled);
    EXPECT_FALSE(State.PicksSaved);
}

TEST_F(WeeklyPicks, ASeasonWithoutGamesShowsAnEmptyGrid) {
    storeGames(recordsOf(2011, kNoScores));
    State.SeasonYear = "2016";
    mnuItemThisWeek_Click();

    EXPECT_EQ(grid().dump(), kHeader);
    EXPECT_FALSE(window().Command1.enabled);
    EXPECT_FALSE(window().Command2.enabled);
    EXPECT_EQ(window().Label3.caption, "1");
    EXPECT_EQ(window().Label4.caption, "");
    EXPECT_EQ(window().Label13.caption, "");

    MSFlexGrid1_Click(1, 0);
    MSFlexGrid1_Click(0, 0);
    Command1_Click();
    Command2_Click();
    EXPECT_EQ(grid().dump(), kHeader);
    EXPECT_EQ(State.DisplayedWeek, 1);
}

} // namespace
} // namespace gs
