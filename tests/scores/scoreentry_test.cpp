#include "scores/scoreentry.h"

#include "tests/support/namedcases.h"
#include "tests/support/poolbuilder.h"

#include <optional>

namespace gs {
namespace {

// What the window shows: the record's position in table order (2009's 256
// games come first), the game, the score boxes, the week's dates and the
// weeks that can be chosen ("1-3 5": weeks 1 to 3 and 5).
std::string shown(const ScoreEntry& w) {
    std::string text = std::to_string(w.recordPosition()) + " " + w.visitorTeam.caption + " at " +
                       w.homeTeam.caption + " [" + w.visitorScore + "]-[" + w.homeScore + "] " +
                       w.firstDate.caption + "-" + w.lastDate.caption + " weeks";
    for (int week = 1; week <= kWeeks; ++week) {
        bool before = week > 1 && w.weekOptions[week - 1].enabled;
        bool after = week < kWeeks && w.weekOptions[week + 1].enabled;
        if (w.weekOptions[week].enabled && !before)
            text += " " + std::to_string(week);
        else if (w.weekOptions[week].enabled && !after)
            text += "-" + std::to_string(week);
    }
    return text;
}

// The games table as the pool has it on the reference date: last season
// complete, this one scored through a day, the next unplayed.
class EnterScores : public testing::Test {
protected:
    EnterScores() {
        program.season(2010).player("admin", test::kAdminRights).player("alice").loggedIn("admin");
    }
    std::unique_ptr<ScoreEntry> open(const char* scoresThrough = kDefaultReferenceDate) {
        program.games({2009}).games({2010}, scoresThrough).games({2011}, test::kNoScores);
        std::unique_ptr<ScoreEntry> window = openScoreEntry(pool, program.dialogs);
        EXPECT_TRUE(window);
        return window;
    }
    test::PoolBuilder program;
    Pool& pool = program.pool;
};

TEST_F(EnterScores, AUserWithoutAdministratorRightsCannotOpenIt) {
    pool.setCurrentUser("alice");
    EXPECT_FALSE(openScoreEntry(pool, program.dialogs));
    EXPECT_EQ(program.dialogs.messages(), Lines{"Error: You do not have administrator control"});
}

struct WalkCase : test::NamedCase {
    int season;
    const char* referenceDate;
    const char* scoresThrough; // of 2010
    int week; // chosen after week 1; 0: the window as it opens, with its day and position
    int nexts;
    int previouses;
    std::string shown;
};

class Walk : public EnterScores, public testing::WithParamInterface<WalkCase> {};

// Opening finds the first game without scores or the last week played.
// Walking without typing writes nothing: a stored score keeps its form ("9",
// not " 9").
TEST_P(Walk, StaysWithinTheWeekAndWritesNothing) {
    const WalkCase& c = GetParam();
    pool.setSeasonYear(c.season);
    pool.setReferenceDate(test::dateOf(c.referenceDate));
    auto window = open(c.scoresThrough);
    ASSERT_TRUE(window);
    const std::vector<GameRecord> before = test::tableRecords(pool);
    if (c.week) {
        window->chooseWeek(1);
        window->chooseWeek(c.week);
    }
    for (int i = 0; i < c.nexts; ++i)
        window->nextGame();
    for (int i = 0; i < c.previouses; ++i)
        window->previousGame();
    EXPECT_EQ(shown(*window) + (c.week ? ""
                                       : " | " + window->gameDate.caption + " | " +
                                             window->gamePosition.caption + " | chosen " +
                                             std::to_string(window->chosenWeek)),
              c.shown);
    EXPECT_TRUE(window->commitAndClose());
    EXPECT_EQ(test::tableRecords(pool), before);
    EXPECT_TRUE(program.dialogs.shown.empty());
}

constexpr const char* kRef = kDefaultReferenceDate;

INSTANTIATE_TEST_SUITE_P(
    Moves, Walk,
    testing::Values(
        WalkCase{"EveryGamePlayedHasItsScores", 2010, kRef, kRef, 0, 0, 0,
                 "360 Miami Dolphins at Cincinnati Bengals [22]-[14] 10/31/2010-11/1/2010 weeks "
                 "1-8 | Sunday, 10/31/2010 | Game 1 of 13, week 8 | chosen 8"},
        WalkCase{"TheMondayGameIsStillOpen", 2010, kRef, "10/31/2010", 0, 0, 0,
                 "372 Houston Texans at Indianapolis Colts []-[] 10/31/2010-11/1/2010 weeks 1-8 | "
                 "Monday, 11/1/2010 | Game 13 of 13, week 8 | chosen 8"},
        // The next season's games before the reference date are not this one's.
        WalkCase{"ASeasonOverBeforeTheNextBegan", 2009, kRef, kRef, 0, 0, 0,
                 "240 Indianapolis Colts at Buffalo Bills [7]-[30] 1/3/2010-1/3/2010 weeks 1-17 | "
                 "Sunday, 1/3/2010 | Game 1 of 16, week 17 | chosen 17"},
        WalkCase{"ASeasonNotBegun", 2011, kRef, kRef, 0, 0, 0,
                 "512 New Orleans Saints at Green Bay Packers []-[] - weeks 1 | Thursday, "
                 "9/8/2011 | Game 1 of 16, week 1 | chosen 0"},
        WalkCase{
            "NextStopsAtTheWeeksLastGame", 2010, kRef, kRef, 8, 20, 0,
            "372 Houston Texans at Indianapolis Colts [17]-[30] 10/31/2010-11/1/2010 weeks 1-8"},
        WalkCase{"NextStopsBeforeAnUnplayedGame", 2010, "11/7/2010", kRef, 9, 20, 0,
                 "384 Dallas Cowboys at Green Bay Packers []-[] 11/7/2010-11/8/2010 weeks 1-9"},
        WalkCase{"NextStopsAtTheSeasonsEnd", 2009, kRef, kRef, 17, 20, 0,
                 "255 Cincinnati Bengals at N.Y. Jets [0]-[37] 1/3/2010-1/3/2010 weeks 1-17"},
        WalkCase{
            "PreviousStaysInTheWeek", 2010, kRef, kRef, 8, 1, 20,
            "360 Miami Dolphins at Cincinnati Bengals [22]-[14] 10/31/2010-11/1/2010 weeks 1-8"},
        WalkCase{
            "PreviousStaysInTheSeason", 2010, kRef, kRef, 1, 0, 1,
            "256 Minnesota Vikings at New Orleans Saints [9]-[14] 9/9/2010-9/13/2010 weeks 1-8"},
        WalkCase{"AWeekNotPlayedCannotBeChosen", 2010, kRef, kRef, 9, 5, 0,
                 "261 Carolina Panthers at N.Y. Giants [18]-[31] 9/9/2010-9/13/2010 weeks 1-8"}),
    test::caseName);

// Typed over, left with "Next" and shown again with "Previous", the
// season's first game holds the table's form. Neither moving on nor closing
// gets past a refused score, and nothing is written; "Close" keeps what is shown.
TEST_F(EnterScores, ScoresAreStoredAsPlainNumbersOrRefused) {
    auto window = open();
    ASSERT_TRUE(window);
    window->chooseWeek(1);
    // The position, the game's stored scores, the boxes and the messages said.
    auto enter = [&](const char* visitor, const char* home, bool close = false) {
        program.dialogs.clear();
        window->visitorScore = visitor;
        window->homeScore = home;
        if (close) {
            window->commitAndClose();
        } else {
            window->nextGame();
            window->previousGame();
        }
        const GameRecord stored = test::tableRecords(pool).at(256);
        std::string text = std::to_string(window->recordPosition()) + " " + stored.visitorScore +
                           "|" + stored.homeScore + " shown " + window->visitorScore + "|" +
                           window->homeScore + (window->closed ? " closed" : "");
        for (const std::string& message : program.dialogs.messages())
            text += "\n" + message;
        return text;
    };
    auto refused = [](const char* score, const char* problem) {
        return "\nError: The score \"" + std::string(score) +
               "\" of Minnesota Vikings at New Orleans Saints " + problem;
    };
    EXPECT_EQ(enter("21", "7abc"), "256 21|7 shown 21|7");
    EXPECT_EQ(enter("", ""), "256 | shown |"); // an empty box leaves the game unscored
    EXPECT_EQ(enter("abc", "14"), "256 | shown abc|14" + refused("abc", "is not a number.") +
                                      refused("abc", "is not a number."));
    EXPECT_EQ(enter("9", "-3"),
              "256 | shown 9|-3" + refused("-3", "is negative.") + refused("-3", "is negative."));
    EXPECT_EQ(enter("7.5", "3", true),
              "256 | shown 7.5|3" + refused("7.5", "is not a whole number from 0 to 999."));
    EXPECT_EQ(enter("   ", "017", true), "256 |17 shown |17 closed");
}

// Three games of 2010's week 9, the first the one the window shows.
const std::string kWeek9 = "season,game_type,gameday,away_team,home_team,away_score,home_score\n"
                           "2010,REG,2010-11-07,TB,ATL,21,27\n"
                           "2010,REG,2010-11-07,MIA,BAL,10,26\n"
                           "2010,REG,2010-11-08,PIT,CIN,27,21\n";
const std::string kWeek9Entered = "Tampa Bay Buccaneers|Atlanta Falcons|11/7/2010|21|27|2010\n"
                                  "Miami Dolphins|Baltimore Ravens|11/7/2010|10|26|2010\n"
                                  "Pittsburgh Steelers|Cincinnati Bengals|11/8/2010|27|21|2010\n";
const std::string kConflict =
    "confirm Import Scores: The file was refused and no score was entered because of 1 line: "
    "line 2 (TB at ATL, 2010-11-07, 21-27): the game already holds 20-27.\n\nReplace the scores "
    "these games hold with the file's?\n";

struct ImportCase : test::NamedCase {
    std::string typedVisitor; // typed before the button, beside a home score of 27
    bool cancel;              // the chooser is cancelled
    bool overwrite;           // the answer to the offer to import over other scores
    std::string dialogs;      // "kind title" a line; a question with its text
    std::string shown;        // the boxes afterwards
    std::string changed;      // the records of the table that changed
};

// The window on week 9 of 2010, whose games have no scores yet, the day
// after its Monday game.
class ImportInTheWindow : public EnterScores, public testing::WithParamInterface<ImportCase> {};

// The typed score is kept before the file is checked against the table;
// the window then goes on from the table as the import left it.
TEST_P(ImportInTheWindow, KeepsTheTypedScoreFirstAndShowsTheTableAfterwards) {
    const ImportCase& c = GetParam();
    std::filesystem::path file = program.home.path() / "games.csv";
    test::writeBytes(file, kWeek9);
    pool.setReferenceDate(test::dateOf("11/9/2010"));
    auto window = open("11/2/2010");
    ASSERT_TRUE(window);
    ASSERT_EQ(window->recordPosition(), 373);
    std::vector<GameRecord> before = test::tableRecords(pool);
    window->visitorScore = c.typedVisitor;
    window->homeScore = "27";
    program.dialogs.confirmAnswers = {c.overwrite};
    bool asked = false;
    window->importScores([&]() -> std::optional<std::filesystem::path> {
        asked = true;
        return c.cancel ? std::nullopt : std::optional(file);
    });

    std::string dialogs;
    for (const test::FakeDialogs::Shown& shown : program.dialogs.shown)
        dialogs += shown.kind == "confirm" ? "confirm " + shown.title + ": " + shown.text + "\n"
                                           : shown.kind + " " + shown.title + "\n";
    EXPECT_EQ(dialogs, c.dialogs);
    EXPECT_EQ("[" + window->visitorScore + "]-[" + window->homeScore + "]", c.shown);
    std::vector<GameRecord> after = test::tableRecords(pool), changed;
    for (size_t r = 0; r < after.size(); ++r)
        if (!(after[r] == before[r]))
            changed.push_back(after[r]);
    EXPECT_EQ(test::dumpRecords(changed), c.changed);
    if (!asked)
        return;
    program.dialogs.clear();
    window->nextGame();
    EXPECT_EQ(window->recordPosition(), 374);
    EXPECT_TRUE(window->commitAndClose());
    EXPECT_TRUE(program.dialogs.shown.empty());
    EXPECT_EQ(test::tableRecords(pool), after);
}

const std::string kTypedKept = "Tampa Bay Buccaneers|Atlanta Falcons|11/7/2010|21|27|2010\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, ImportInTheWindow,
    testing::Values(ImportCase{"AnUnusableTypedScoreAsksForNoFile", "abc", false, false,
                               "message Error\n", "[abc]-[27]", ""},
                    ImportCase{"ACancelledChooserStillKeepsTheTypedScore", "21", true, false, "",
                               "[21]-[27]", kTypedKept},
                    ImportCase{"AnotherScoreTypedIsKeptUnlessTheFileMayOverwriteIt", "20", false,
                               false, kConflict, "[20]-[27]",
                               "Tampa Bay Buccaneers|Atlanta Falcons|11/7/2010|20|27|2010\n"},
                    ImportCase{"AnotherScoreTypedIsOverwrittenWhenThePersonAgrees", "20", false,
                               true, kConflict + "message Import Scores\n", "[21]-[27]",
                               kWeek9Entered}),
    test::caseName);

// The schedule import opens the window again on the season it brought, and
// takes the file's word over the table's only when the person agrees.
TEST_F(EnterScores, ScheduleImportShowsTheNewSeasonAndAsksBeforeOverwriting) {
    program.season(2016).day("9/12/2016").games({2015});
    std::filesystem::path file = program.home.path() / "games.csv";
    const std::string header =
        "season,game_type,week,gameday,gametime,away_team,home_team,away_score,home_score\n";
    const std::string tbAtl = "2016,REG,1,2016-09-11,13:00,TB,ATL,,\n";
    test::writeBytes(file, header + "2016,REG,1,2016-09-08,20:30,CAR,DEN,20,21\n" + tbAtl);
    std::unique_ptr<ScoreEntry> window = openScoreEntry(pool, program.dialogs);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->recordPosition(), -1);
    // The dialogs titles and the game shown afterwards.
    auto import = [&](bool agree) {
        program.dialogs.clear();
        program.dialogs.confirmAnswers = {agree};
        window->importSchedule([&]() -> std::optional<std::filesystem::path> { return file; });
        std::string text;
        for (const test::FakeDialogs::Shown& shown : program.dialogs.shown)
            text += shown.kind + " " + shown.title + ", ";
        return text + window->visitorTeam.caption + " " + window->visitorScore + "-" +
               window->homeScore;
    };
    EXPECT_EQ(import(false), "message Import Schedule, Tampa Bay Buccaneers -"); // not scored
    test::writeBytes(file, header + "2016,REG,1,2016-09-08,20:30,CAR,DEN,20,24\n" + tbAtl);
    EXPECT_EQ(import(false), "confirm Import Schedule, message Error, Tampa Bay Buccaneers -");
    EXPECT_EQ(import(true),
              "confirm Import Schedule, message Import Schedule, Tampa Bay Buccaneers -");
    window->previousGame();
    EXPECT_EQ(window->visitorTeam.caption + " " + window->visitorScore + "-" + window->homeScore,
              "Carolina Panthers 20-24");
}

} // namespace
} // namespace gs
