#include "scores/scoreentry.h"

#include "tests/support/testsupport.h"

#include <gtest/gtest.h>
#include <optional>
#include <ostream>

namespace gs {
namespace {

struct WindowImportCase {
    const char* name;
    std::string typedVisitor; // typed into the boxes, not yet kept
    std::string typedHome;
    bool cancel;          // the chooser is cancelled
    bool asked;           // whether the chooser is asked at all
    std::string messages; // one "title: text" a line
    std::string shown;    // the game on show afterwards
    std::string changed;  // the records of the table that changed
};

void PrintTo(const WindowImportCase& c, std::ostream* os) {
    *os << c.name;
}

// Three games of 2010's week 9, the first the one the window shows.
const std::string kWeek9 = "season,game_type,gameday,away_team,home_team,away_score,home_score\n"
                           "2010,REG,2010-11-07,TB,ATL,21,27\n"
                           "2010,REG,2010-11-07,MIA,BAL,10,26\n"
                           "2010,REG,2010-11-08,PIT,CIN,27,21\n";

const std::string kWeek9Entered = "Tampa Bay Buccaneers|Atlanta Falcons|11/7/2010| 21| 27|2010\n"
                                  "Miami Dolphins|Baltimore Ravens|11/7/2010| 10| 26|2010\n"
                                  "Pittsburgh Steelers|Cincinnati Bengals|11/8/2010| 27| 21|2010\n";

// The window on week 9 of 2010, whose games have no scores yet, the day
// after its Monday game.
class ImportInTheWindow : public testing::TestWithParam<WindowImportCase> {
protected:
    ImportInTheWindow() {
        test::addUser(pool, 1, "admin", 1);
        pool.setCurrentUser("admin");
        pool.setSeasonYear("2010");
        pool.setReferenceDate("11/9/2010");
        test::storeSeasons(pool, {2009});
        test::storeSeasons(pool, {2010}, "11/2/2010");
    }

    static std::string shown(const ScoreEntry& w) {
        return std::to_string(w.recordPosition()) + " " + w.visitorTeam.caption + " at " +
               w.homeTeam.caption + " [" + w.visitorScore + "]-[" + w.homeScore + "]";
    }

    test::PoolFixture program;
    Pool& pool = program.pool;
};

TEST_P(ImportInTheWindow, KeepsTheTypedScoreFirstAndShowsTheTableAfterwards) {
    const WindowImportCase& c = GetParam();
    std::filesystem::path file = program.home.path() / "games.csv";
    test::writeBytes(file, kWeek9);
    std::unique_ptr<ScoreEntry> window = openScoreEntry(pool, program.dialogs);
    ASSERT_TRUE(window);
    window->chooseWeek(1);
    window->chooseWeek(9);
    ASSERT_EQ(shown(*window), "373 Tampa Bay Buccaneers at Atlanta Falcons []-[]");
    std::vector<GameRecord> before = test::tableRecords(pool);

    window->visitorScore = c.typedVisitor;
    window->homeScore = c.typedHome;
    // A file refused for other scores is offered for import over them: no.
    program.dialogs.confirmAnswers = {false};
    bool asked = false;
    window->importScores([&]() -> std::optional<std::filesystem::path> {
        asked = true;
        if (c.cancel)
            return std::nullopt;
        return file;
    });

    EXPECT_EQ(asked, c.asked);
    std::string messages;
    for (const std::string& message : program.dialogs.messages())
        messages += message + "\n";
    EXPECT_EQ(messages, c.messages);
    EXPECT_EQ(shown(*window), c.shown);
    std::vector<GameRecord> after = test::tableRecords(pool);
    ASSERT_EQ(after.size(), before.size());
    std::vector<GameRecord> changed;
    for (size_t r = 0; r < after.size(); ++r)
        if (!(after[r] == before[r]))
            changed.push_back(after[r]);
    EXPECT_EQ(test::dumpRecords(changed), c.changed);

    // The window goes on working on the table as it now is (a score it
    // refused still holds it on its game).
    if (!c.asked)
        return;
    program.dialogs.clear();
    window->nextGame();
    EXPECT_EQ(window->recordPosition(), 374);
    EXPECT_TRUE(window->commitAndClose());
    EXPECT_EQ(program.dialogs.messages(), std::vector<std::string>{});
    EXPECT_EQ(test::tableRecords(pool), after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ImportInTheWindow,
    testing::Values(
        WindowImportCase{"EntersTheFileAndShowsTheImportedScores", "", "", false, true,
                         "Import Scores: Entered the scores of 3 games; 0 games already held "
                         "their scores. No rows were skipped.\n",
                         "373 Tampa Bay Buccaneers at Atlanta Falcons [ 21]-[ 27]", kWeek9Entered},
        WindowImportCase{"TheSameScoreBeingTypedIsAlreadyThere", "21", "27", false, true,
                         "Import Scores: Entered the scores of 2 games; 1 game already held its "
                         "scores. No rows were skipped.\n",
                         "373 Tampa Bay Buccaneers at Atlanta Falcons [ 21]-[ 27]", kWeek9Entered},
        WindowImportCase{"ADifferentScoreBeingTypedRefusesTheFile", "20", "27", false, true, "",
                         "373 Tampa Bay Buccaneers at Atlanta Falcons [ 20]-[ 27]",
                         "Tampa Bay Buccaneers|Atlanta Falcons|11/7/2010| 20| 27|2010\n"},
        WindowImportCase{"AnUnusableTypedScoreAsksForNoFile", "abc", "27", false, false,
                         "Error: The score \"abc\" of Tampa Bay Buccaneers at Atlanta Falcons is "
                         "not a number.\n",
                         "373 Tampa Bay Buccaneers at Atlanta Falcons [abc]-[27]", ""},
        WindowImportCase{"CancelledChooserChangesNothing", "", "", true, true, "",
                         "373 Tampa Bay Buccaneers at Atlanta Falcons []-[]", ""},
        WindowImportCase{"CancelledChooserStillKeepsTheTypedScore", "21", "27", true, true, "",
                         "373 Tampa Bay Buccaneers at Atlanta Falcons [ 21]-[ 27]",
                         "Tampa Bay Buccaneers|Atlanta Falcons|11/7/2010| 21| 27|2010\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// The typed 20-27 makes the file's 21-27 a conflict: the person is asked,
// with the reason, and a yes imports the file over it.
TEST_F(ImportInTheWindow, AFileRefusedForOtherScoresIsOfferedForImportOverThem) {
    std::filesystem::path file = program.home.path() / "games.csv";
    test::writeBytes(file, kWeek9);
    std::unique_ptr<ScoreEntry> window = openScoreEntry(pool, program.dialogs);
    ASSERT_TRUE(window);
    ASSERT_EQ(shown(*window), "373 Tampa Bay Buccaneers at Atlanta Falcons []-[]");
    window->visitorScore = "20";
    window->homeScore = "27";
    program.dialogs.confirmAnswers = {true};
    window->importScores([&]() -> std::optional<std::filesystem::path> { return file; });
    ASSERT_EQ(program.dialogs.shown.size(), 2u);
    EXPECT_EQ(program.dialogs.shown[0].kind, "confirm");
    EXPECT_EQ(program.dialogs.shown[0].text,
              "The file was refused and no score was entered because of 1 line: line 2 (TB at "
              "ATL, 2010-11-07, 21-27): the game already holds 20-27.\n\nReplace the scores "
              "these games hold with the file's?");
    EXPECT_EQ(program.dialogs.shown[1].title, "Import Scores");
    EXPECT_EQ(shown(*window), "373 Tampa Bay Buccaneers at Atlanta Falcons [ 21]-[ 27]");
}

} // namespace
} // namespace gs

namespace gs {
namespace {

const std::string kWeek1Of2016 =
    "season,game_type,week,gameday,gametime,away_team,home_team,away_score,home_score\n"
    "2016,REG,1,2016-09-08,20:30,CAR,DEN,20,21\n"
    "2016,REG,1,2016-09-11,13:00,TB,ATL,,\n";

TEST(ScheduleImportInTheWindow, ShowsTheNewSeasonAndAsksBeforeOverwriting) {
    test::PoolFixture program;
    Pool& pool = program.pool;
    test::addUser(pool, 1, "admin", 1);
    pool.setCurrentUser("admin");
    pool.setSeasonYear("2016");
    pool.setReferenceDate("9/12/2016");
    test::storeSeasons(pool, {2015});
    std::filesystem::path file = program.home.path() / "games.csv";
    test::writeBytes(file, kWeek1Of2016);
    std::unique_ptr<ScoreEntry> window = openScoreEntry(pool, program.dialogs);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->recordPosition(), -1);
    auto chooser = [&]() -> std::optional<std::filesystem::path> { return file; };

    window->importSchedule(chooser);
    EXPECT_EQ(program.dialogs.messages(),
              std::vector<std::string>{"Import Schedule: Updated season 2016 (2 games): added 2 "
                                       "games, removed 0, changed the date or week of 0; entered "
                                       "the scores of 1 game; 0 games already held their scores. "
                                       "Skipped 0 seasons before 2016 and 0 playoff games."});
    // The window opens on the first game played but not scored.
    EXPECT_EQ(window->visitorTeam.caption, "Tampa Bay Buccaneers");
    window->previousGame();
    EXPECT_EQ(window->visitorTeam.caption, "Carolina Panthers");
    EXPECT_EQ(window->visitorScore, "20");

    // A different score: shown, and overwritten only when the person agrees.
    test::writeBytes(file, kWeek1Of2016.substr(0, kWeek1Of2016.find("20,21")) + "20,24\n" +
                               "2016,REG,1,2016-09-11,13:00,TB,ATL,,\n");
    std::vector<GameRecord> before = test::tableRecords(pool);
    const std::string question =
        "The file disagrees with the games table on 1 game:\n2016 week 1, Carolina Panthers at "
        "Denver Broncos on 9/8/2016: the table holds 20-21, the file 20-24\n\nTake the file's "
        "word for it: its scores, and the removal of the games it no longer holds?";
    for (bool agree : {false, true}) {
        program.dialogs.clear();
        program.dialogs.confirmAnswers = {agree};
        window->importSchedule(chooser);
        ASSERT_EQ(program.dialogs.shown.size(), 2u);
        EXPECT_EQ(program.dialogs.shown[0],
                  (test::FakeDialogs::Shown{"confirm", question, "Import Schedule"}));
        EXPECT_EQ(program.dialogs.kinds.back(),
                  agree ? MessageKind::Information : MessageKind::Error);
    }
    EXPECT_NE(test::tableRecords(pool), before);
}

} // namespace
} // namespace gs
