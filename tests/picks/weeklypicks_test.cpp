#include "picks/weeklypicks.h"

#include "core/league.h"
#include "core/poolrules.h"
#include "core/textfile.h"
#include "schedule/pickfiles.h"
#include "tests/support/poolbuilder.h"
#include "tests/support/testsupport.h"

#include <functional>
#include <ostream>

namespace gs {
namespace {

using test::kNoScores;
using test::seasonRecords;

// admin, the computer player and alice, who is on the panel, in the 2011 season.
class WeeklyPicks : public testing::Test {
protected:
    WeeklyPicks() {
        program.season(2011).player("admin", test::kAdminRights).player("PC").player("alice");
        program.loggedIn("alice");
    }

    test::PoolBuilder program;
    Pool& pool = program.pool;
    WeeklyPicksPanel panel{program.pool, program.dialogs};

    const GridModel& grid() const { return panel.model().grid; }
    // The week on show and which buttons can be used.
    std::string controls() const {
        const WeeklyPicksModel& m = panel.model();
        auto mark = [](const ControlModel& c) { return std::string(c.enabled ? "+" : "-"); };
        return "week " + m.weekNumber.caption + " " + m.firstDate.caption + "-" +
               m.lastDate.caption + " next" + mark(m.nextWeekButton) + " prev" +
               mark(m.previousWeekButton) + " " + m.savePicksButton.caption +
               mark(m.savePicksButton);
    }

    // The line of one grid row in the dump.
    std::string dumpRow(int row) const { return splitLines(grid().dump()).at(row); }

    int picked(const char* team) const {
        return panel.picks()[panel.displayedWeek()][Team::named(team)->number()];
    }

    fs::path oldScores2010() const { return pool.folders().program / "oldscores2010.dat"; }
    // 2011 before its first game, on the panel.
    void open2011() {
        test::storeSeasons(pool, {2011}, kNoScores);
        panel.open();
    }
};

// 2011 before its first game: no records of the season before it, so every
// projection favours the home team by the least spread.
constexpr const char* kFirstGameOf2011 =
    "New Orleans Saints | Green Bay Packers | Green Bay Packers | 1";
constexpr const char* kHeader = "Visitor Team | Home Team | Projected Winner | Projected Spread\n";

TEST_F(WeeklyPicks, BeforeTheFirstScoreWeekOneIsShownAClickPicksAndSavingKeepsIt) {
    open2011();
    EXPECT_EQ(grid().rows(), 17); // the header and the 16 games of week 1
    EXPECT_EQ(dumpRow(1), kFirstGameOf2011);
    EXPECT_EQ(controls(), "week 1 9/8/2011-9/12/2011 next- prev- Save Picks-");
    panel.togglePick(1, 0); // the first game of the season
    EXPECT_EQ(dumpRow(1),
              "*New Orleans Saints*{#000000} | Green Bay Packers | Green Bay Packers | 1");
    EXPECT_EQ(controls(), "week 1 9/8/2011-9/12/2011 next- prev- Save Picks+");
    // The other team takes the pick over; a second click clears it.
    panel.togglePick(1, 1);
    EXPECT_EQ(dumpRow(1),
              "New Orleans Saints | *Green Bay Packers*{#000000} | Green Bay Packers | 1");
    panel.togglePick(1, 1);
    EXPECT_EQ(panel.picks(), PickTable{});
    EXPECT_TRUE(program.dialogs.shown.empty());

    // Saved picks are written and shown on opening; unsaved ones are dropped.
    panel.togglePick(2, 0);
    panel.savePicks();
    EXPECT_EQ(test::readBytes(pool.folders().program / "alice2011.dat"),
              test::crlf({test::weekLine({Team::named("Pittsburgh Steelers")->number()})}) +
                  test::crlf(std::vector<std::string>(16, test::weekLine())));
    const std::string saved = grid().dump();
    panel.togglePick(3, 0);
    panel.open();
    EXPECT_EQ(grid().dump(), saved);
}

// In a confidence pool each game of the week takes a value 1..N once: a
// value given to a second game moves the first game to the second's old
// one. The guess is made for the week's last game, and both are saved in
// the tiebreaker file.
TEST_F(WeeklyPicks, ConfidenceValuesStayDistinctAndTheGuessNamesTheLastGame) {
    ASSERT_TRUE(storePoolRule(pool.folders(), PoolRule::Confidence));
    open2011();
    const int column = panel.model().confidenceColumn;
    ASSERT_EQ(column, 4);
    auto values = [&] { return grid().cell(1, column).text + "," + grid().cell(2, column).text; };
    panel.setConfidence(1, "16");
    panel.setConfidence(2, "15");
    panel.setConfidence(2, "16");
    EXPECT_EQ(values(), "15,16");
    panel.setConfidence(1, "17");
    panel.setConfidence(1, " ");
    EXPECT_EQ(values(), ",16");
    panel.setTiebreaker("1000");
    EXPECT_EQ(panel.model().tiebreakerLabel.caption,
              "Tiebreaker: total points of Oakland Raiders at Denver Broncos");
    panel.setTiebreaker("41");
    ASSERT_EQ(program.dialogs.shown.size(), 2u);
    EXPECT_EQ(program.dialogs.shown[0].text,
              "The confidence of a game is a whole number from 1 to 16, each once a week.");
    EXPECT_EQ(program.dialogs.shown[1].text,
              "The tiebreaker is a whole number of points from 0 to 999.");
    panel.savePicks();
    ExtrasTable saved = loadExtras(pool, "alice").value();
    EXPECT_EQ(saved[1].guess, (TiebreakGuess{41, Team::named("Oakland Raiders")->number(),
                                             Team::named("Denver Broncos")->number()}));
    EXPECT_EQ(saved[1].values[static_cast<size_t>(Team::named("Pittsburgh Steelers")->number())],
              16);
    EXPECT_FALSE(panel.hasUnsavedPicks());
}

// A game that kicked off between the click and the save keeps the pick
// the file holds; the other games' picks are saved.
TEST_F(WeeklyPicks, APickOfAGameLockedBeforeTheSaveIsNotSaved) {
    open2011();
    panel.togglePick(1, 0); // Thursday's game
    panel.togglePick(2, 0);
    pool.setReferenceDate(test::dateOf("9/8/2011"));
    panel.savePicks();
    EXPECT_EQ(program.dialogs.messages(),
              Lines{"Gridslate: These games kicked off before the picks were saved; their picks "
                    "stay as they were:\nNew Orleans Saints at Green Bay Packers: Kicked off Thu "
                    "9/8/2011"});
    EXPECT_EQ(std::pair(picked("New Orleans Saints"), picked("Pittsburgh Steelers")),
              std::pair(0, 1));
    EXPECT_EQ(dumpRow(1).substr(0, 23), "(L)New Orleans Saints{#");
}

TEST_F(WeeklyPicks, TheRatingPlayersFavouriteStandsBesidePCsProjection) {
    // 2011 is the only season held: every team at 1505, so every home team
    // is favoured by its 65 points at home: a chance of 59 %, by 2.6, so 3.
    test::addUser(pool, 4, "ELO");
    test::editUser(pool, 4, [](UserSlot& elo) {
        elo.active = 0;
        elo.flag = true;
    });
    open2011();
    EXPECT_EQ(dumpRow(0), "Visitor Team | Home Team | Projected Winner | Projected Spread | "
                          "ELO's Favourite");
    EXPECT_EQ(dumpRow(1),
              "New Orleans Saints | Green Bay Packers | Green Bay Packers | 1 | GB 59 % by 3");
    EXPECT_TRUE(program.dialogs.shown.empty());
}

TEST_F(WeeklyPicks, WeekButtonsWalkBetweenWeekOneAndTheCurrentWeek) {
    test::storeSeasons(pool, {2011}, "9/19/2011"); // weeks 1 and 2 scored, week 3 not started
    panel.open();
    std::string walk = controls() + "\n";
    for (char button : std::string("PPPNNN")) {
        button == 'P' ? panel.showPreviousWeek() : panel.showNextWeek();
        walk += controls() + "\n";
    }
    EXPECT_EQ(walk, "week 3 9/25/2011-9/26/2011 next- prev+ Save Picks-\n"
                    "week 2 9/18/2011-9/19/2011 next+ prev+ Save Picks-\n"
                    "week 1 9/8/2011-9/12/2011 next+ prev- Save Picks-\n"
                    "week 1 9/8/2011-9/12/2011 next+ prev- Save Picks-\n"
                    "week 2 9/18/2011-9/19/2011 next+ prev+ Save Picks-\n"
                    "week 3 9/25/2011-9/26/2011 next- prev+ Save Picks-\n"
                    "week 3 9/25/2011-9/26/2011 next- prev+ Save Picks-\n");
}

// A click that changes no pick still marks the picks unsaved, which shows
// once the current week is on show again.
TEST_F(WeeklyPicks, AClickThatChangesNoPickStillMarksThePicksUnsaved) {
    test::storeSeasons(pool, {2011}, "9/26/2011");
    struct Case {
        const char* name;
        std::function<void()> click;
        bool savingEnabled;
    };
    for (const Case& c :
         {Case{"None", [] {}, false}, Case{"HeaderRow", [&] { panel.togglePick(0, 0); }, true},
          Case{"ProjectedWinner", [&] { panel.togglePick(1, 2); }, true},
          Case{"PastWeek",
               [&] {
                   panel.showPreviousWeek();
                   panel.togglePick(1, 0);
                   panel.showNextWeek();
               },
               true}}) {
        SCOPED_TRACE(c.name);
        panel.open();
        c.click();
        panel.showPreviousWeek();
        panel.showNextWeek();
        EXPECT_EQ(panel.picks(), PickTable{});
        EXPECT_EQ(panel.displayedWeek(), 4);
        EXPECT_EQ(panel.model().savePicksButton.enabled, c.savingEnabled);
    }
}

// Leaving the panel with Pittsburgh picked and not saved follows the answer;
// once answered, leaving again asks nothing more, while Cancel asks again.
TEST_F(WeeklyPicks, LeavingWithAnUnsavedPickFollowsTheAnswerAndAFailedSaveKeepsThePanel) {
    open2011();
    // Nothing is asked while the picks are as the file has them.
    EXPECT_TRUE(panel.mayLeave());
    panel.togglePick(0, 0); // the header: no pick changes
    panel.togglePick(2, 0);
    panel.togglePick(2, 0); // picked and cleared again
    EXPECT_TRUE(panel.mayLeave());
    EXPECT_TRUE(program.dialogs.shown.empty());
    struct Case {
        const char* name;
        SaveAnswer answer;
        bool leaves;
        bool pickKept; // still on the panel
    };
    for (const Case& c : {Case{"Cancel", SaveAnswer::Cancel, false, true},
                          Case{"Discard", SaveAnswer::Discard, true, false},
                          Case{"Save", SaveAnswer::Save, true, true}}) {
        SCOPED_TRACE(c.name);
        panel.open();
        panel.togglePick(2, 0);
        program.dialogs.clear();
        program.dialogs.saveAnswers = {c.answer, SaveAnswer::Cancel};
        EXPECT_EQ(panel.mayLeave(), c.leaves);
        EXPECT_EQ(panel.mayLeave(), c.leaves);
        EXPECT_EQ(program.dialogs.shown,
                  std::vector<test::FakeDialogs::Shown>(
                      c.leaves ? 1 : 2, {"askToSave", "Save your picks?", "Gridslate"}));
        EXPECT_EQ(picked("Pittsburgh Steelers"), c.pickKept ? 1 : 0);
        EXPECT_EQ(dumpRow(2).starts_with("*Pittsburgh Steelers*"), c.pickKept);
    }
    program.dialogs.clear(); // saved: nothing to ask
    EXPECT_TRUE(panel.mayLeave());
    EXPECT_TRUE(program.dialogs.shown.empty());

    // Picks that cannot be saved keep the panel: Pittsburgh is picked no more.
    panel.togglePick(2, 0);
    fs::remove(pickFilePath(pool, "alice"));
    fs::create_directories(pickFilePath(pool, "alice"));
    program.dialogs.saveAnswers = {SaveAnswer::Save};
    EXPECT_FALSE(panel.mayLeave());
    ASSERT_EQ(program.dialogs.kinds, std::vector<MessageKind>{MessageKind::Error});
    EXPECT_TRUE(panel.hasUnsavedPicks());
    EXPECT_EQ(picked("Pittsburgh Steelers"), 0);
}

// 2012 through the Sunday of week 10, whose Monday game is still to come.
// St. Louis at San Francisco ended in a tie: a pick of either team is wrong.
TEST_F(WeeklyPicks, PicksAreMarkedByTheResult) {
    pool.setSeasonYear(2012);
    test::storeSeasons(pool, {2012}, "11/11/2012");
    PickTable picks{};
    for (const char* team :
         {"Indianapolis Colts", "Oakland Raiders", "Denver Broncos", "Cincinnati Bengals",
          "Philadelphia Eagles", "St. Louis Rams", "Kansas City Chiefs"})
        picks[10][Team::named(team)->number()] = 1;
    Status saved = savePicks(pool, "alice", picks);
    ASSERT_TRUE(saved) << saved.error();
    panel.open();
    EXPECT_EQ(
        grid().dump(),
        std::string(kHeader) +
            "*Indianapolis Colts*{#007A00} | Jacksonville Jaguars | Indianapolis Colts | 11\n"
            "*Oakland Raiders*{#C00000} | Baltimore Ravens | Baltimore Ravens | 3\n"
            "*Denver Broncos*{#007A00} | Carolina Panthers | Denver Broncos | 3\n"
            "N.Y. Giants | *Cincinnati Bengals*{#007A00} | N.Y. Giants | 3\n"
            "Tennessee Titans | Miami Dolphins | Miami Dolphins | 7\n"
            "Detroit Lions | Minnesota Vikings | Minnesota Vikings | 1\n"
            "Buffalo Bills | New England Patriots | New England Patriots | 2\n"
            "Atlanta Falcons | New Orleans Saints | Atlanta Falcons | 7\n"
            "San Diego Chargers | Tampa Bay Buccaneers | Tampa Bay Buccaneers | 3\n"
            "N.Y. Jets | Seattle Seahawks | Seattle Seahawks | 2\n"
            "Dallas Cowboys | *Philadelphia Eagles*{#C00000} | Dallas Cowboys | 5\n"
            "*St. Louis Rams*{#C00000} | San Francisco 49ers | San Francisco 49ers | 4\n"
            "Houston Texans | Chicago Bears | Chicago Bears | 1\n"
            "*Kansas City Chiefs*{#000000} | Pittsburgh Steelers | Pittsburgh Steelers | 10\n");
}

// The last week has no Monday game: with every game of it scored the season
// is still on, and no old-scores file is written. One more game closes week
// 17, and the Sunday after opens an eighteenth week, which ends the season.
TEST_F(WeeklyPicks, AnEighteenthWeekEndsTheSeasonAndSavesTheScores) {
    pool.setSeasonYear(2010);
    test::storeSeasons(pool, {2010});
    panel.open();
    EXPECT_EQ(panel.season().currentWeek, 17);
    EXPECT_FALSE(panel.season().seasonOver);
    EXPECT_FALSE(fs::exists(oldScores2010()));

    std::vector<GameRecord> records = seasonRecords(2010);
    records.push_back({"Dallas Cowboys", "N.Y. Giants", "1/3/2011", "20", "17", "2010"});
    records.push_back({"Arizona Cardinals", "Seattle Seahawks", "1/9/2011", "", "", "2010"});
    test::storeRecords(pool, records);
    // An old-scores file that cannot be written is not claimed saved.
    fs::create_directories(oldScores2010());
    panel.open();
    EXPECT_EQ(program.dialogs.messages(),
              (std::vector<std::string>{"Error: The file could not be saved. Cannot replace " +
                                            oldScores2010().string() + ": Is a directory",
                                        "Season Over: Season is over."}));
    EXPECT_EQ(program.dialogs.kinds,
              (std::vector<MessageKind>{MessageKind::Error, MessageKind::Information}));
    fs::remove(oldScores2010());
    program.dialogs.clear();
    panel.open();
    EXPECT_TRUE(panel.season().seasonOver);
    EXPECT_EQ(controls(), "week 17 1/2/2011-1/3/2011 next- prev+ Save Picks-");
    EXPECT_EQ(program.dialogs.messages(),
              std::vector<std::string>{"Season Over: Season is over.  Scores have been saved."});
    Result<std::vector<std::string>> lines = readTextFile(oldScores2010());
    ASSERT_TRUE(lines) << lines.error();
    ASSERT_EQ(lines->size(), 32u);
    EXPECT_EQ((*lines)[Team::named("N.Y. Giants")->number() - 1], " 411, 367, 10, 7, 0");
    EXPECT_EQ((*lines)[Team::named("New England Patriots")->number() - 1], " 518, 313, 14, 2, 0");
    panel.togglePick(1, 0); // after the reference date, yet closed
    EXPECT_EQ(panel.picks(), PickTable{});
}

// Opening the panel over a damaged computer player's file says so.
TEST_F(WeeklyPicks, ADamagedComputerFileIsTold) {
    test::storeSeasons(pool, {2011}, kNoScores);
    fs::path pcFile = pool.folders().program / "PC2011.dat";
    test::writeBytes(pcFile, "7,7,7\r\n");
    panel.open();
    EXPECT_EQ(program.dialogs.kinds, std::vector<MessageKind>{MessageKind::Warning});
    EXPECT_THAT(program.dialogs.messages(),
                testing::ElementsAre(testing::StartsWith("Gridslate: The computer player's file " +
                                                         pcFile.string() + " was damaged.")));
}

} // namespace
} // namespace gs
