#include "scores/scoreentry.h"

#include "schedule/seasongames.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>
#include <ostream>
#include <tuple>

namespace gs {
namespace {

// What the window shows: the record's position in table order (2009's 256
// games come first), the game, the score boxes, the week's dates and the
// weeks that can be chosen.
std::string shown(const ScoreEntry& w) {
    std::string text = std::to_string(w.recordPosition()) + " " + w.visitorTeam.caption + " at " +
                       w.homeTeam.caption + " [" + w.visitorScore + "]-[" + w.homeScore + "] " +
                       w.firstDate.caption + "-" + w.lastDate.caption + " weeks";
    for (int week = 1; week <= kWeeks; ++week)
        if (w.weekOptions[week].enabled) {
            text += ' ';
            text += std::to_string(week);
        }
    return text;
}

// The games table as the pool has it on the reference date: last season
// complete, this one scored through the reference date, the next unplayed.
class EnterScores : public testing::Test {
protected:
    EnterScores() {
        test::addUser(pool, 1, "admin", 1);
        test::addUser(pool, 2, "alice");
        pool.currentUser = "admin";
        pool.seasonYear = "2010";
    }

    std::unique_ptr<ScoreEntry> open() {
        test::storeSeasons(pool, {2009});
        test::storeSeasons(pool, {2010}, kDefaultReferenceDate);
        test::storeSeasons(pool, {2011}, test::kNoScores);
        std::unique_ptr<ScoreEntry> window = openScoreEntry(pool, program.dialogs);
        EXPECT_TRUE(window);
        return window;
    }

    test::PoolFixture program;
    Pool& pool = program.pool;
};

// Every game played by the reference date has its scores: the window opens
// on the last week played.
TEST_F(EnterScores, OpensOnTheLastWeekPlayedWhenEveryGameHasItsScores) {
    auto window = open();
    ASSERT_TRUE(window);
    EXPECT_EQ(window->seasonYear.caption, "2010");
    EXPECT_EQ(window->chosenWeek, 8);
    EXPECT_EQ(shown(*window), "360 Miami Dolphins at Cincinnati Bengals [22]-[14] "
                              "10/31/2010-11/1/2010 weeks 1 2 3 4 5 6 7 8");
    EXPECT_EQ(window->gameDate.caption, "Sunday, 10/31/2010");
    EXPECT_EQ(window->gamePosition.caption, "Game 1 of 13, week 8");
    window->chooseWeek(9); // not played yet
    EXPECT_EQ(window->chosenWeek, 8);
    EXPECT_TRUE(program.dialogs.shown.empty());
}

TEST_F(EnterScores, OpensOnTheFirstGameStillWithoutScores) {
    test::storeSeasons(pool, {2009});
    test::storeSeasons(pool, {2010}, "10/31/2010"); // the Monday game is still open
    std::unique_ptr<ScoreEntry> window = openScoreEntry(pool, program.dialogs);
    ASSERT_TRUE(window);
    EXPECT_EQ(shown(*window), "372 Houston Texans at Indianapolis Colts []-[] "
                              "10/31/2010-11/1/2010 weeks 1 2 3 4 5 6 7 8");
    EXPECT_EQ(window->gameDate.caption, "Monday, 11/1/2010");
    EXPECT_EQ(window->gamePosition.caption, "Game 13 of 13, week 8");
}

TEST_F(EnterScores, ASeasonNotBegunOpensOnItsFirstGameWithOnlyWeekOne) {
    pool.seasonYear = "2011";
    auto window = open();
    ASSERT_TRUE(window);
    EXPECT_EQ(shown(*window), "512 New Orleans Saints at Green Bay Packers []-[] - weeks 1");
    EXPECT_EQ(window->gamePosition.caption, "Game 1 of 16, week 1");
    EXPECT_EQ(window->chosenWeek, 0);
}

// The table keeps a score as it was stored ("9", not " 9") until it is
// edited: walking the games and closing writes nothing.
TEST_F(EnterScores, AStoredScoreNotEditedIsNeverRewritten) {
    auto window = open();
    ASSERT_TRUE(window);
    const std::string before = test::dumpRecords(test::tableRecords(pool));
    window->chooseWeek(1);
    for (int i = 0; i < 5; ++i)
        window->nextGame();
    window->previousGame();
    EXPECT_TRUE(window->commitAndClose());
    EXPECT_EQ(test::dumpRecords(test::tableRecords(pool)), before);
    EXPECT_EQ(test::tableRecords(pool).at(256).visitorScore, "9");
}

// The reference day falls between week 8's Monday and week 9's Sunday.
// Leaving a game keeps its scores in the table's form.
TEST_F(EnterScores, WeekOneEnablesTheWeeksPlayedByTheReferenceDate) {
    auto window = open();
    ASSERT_TRUE(window);
    window->chooseWeek(1);
    EXPECT_EQ(window->chosenWeek, 1);
    EXPECT_EQ(shown(*window), "256 Minnesota Vikings at New Orleans Saints [9]-[14] "
                              "9/9/2010-9/13/2010 weeks 1 2 3 4 5 6 7 8");
}

TEST_F(EnterScores, AUserWithoutAdministratorRightsCannotOpenIt) {
    pool.currentUser = "alice";
    EXPECT_FALSE(openScoreEntry(pool, program.dialogs));
    EXPECT_EQ(program.dialogs.messages(),
              std::vector<std::string>{"Error: You do not have administrator control"});
    EXPECT_EQ(program.dialogs.kinds, std::vector<MessageKind>{MessageKind::Error});
}

struct WalkCase {
    const char* name;
    const char* season;
    const char* referenceDate;
    int week;
    int nexts;
    int previouses;
    const char* shown; // without the weeks
};

void PrintTo(const WalkCase& c, std::ostream* os) {
    *os << c.name << " (season " << c.season << ", week " << c.week << ", " << c.nexts << " next, "
        << c.previouses << " previous)";
}

class Walk : public EnterScores, public testing::WithParamInterface<WalkCase> {};

TEST_P(Walk, StaysWithinTheWeek) {
    const WalkCase& c = GetParam();
    pool.seasonYear = c.season;
    pool.referenceDate = c.referenceDate;
    auto window = open();
    ASSERT_TRUE(window);
    window->chooseWeek(1);
    window->chooseWeek(c.week);
    for (int i = 0; i < c.nexts; ++i)
        window->nextGame();
    for (int i = 0; i < c.previouses; ++i)
        window->previousGame();
    std::string text = shown(*window);
    EXPECT_EQ(text.substr(0, text.find(" weeks")), c.shown);
    EXPECT_TRUE(program.dialogs.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Moves, Walk,
    testing::Values(
        WalkCase{"NextStopsAtTheWeeksLastGame", "2010", kDefaultReferenceDate, 8, 20, 0,
                 "372 Houston Texans at Indianapolis Colts [17]-[30] 10/31/2010-11/1/2010"},
        WalkCase{"NextStopsBeforeAnUnplayedGame", "2010", "11/7/2010", 9, 20, 0,
                 "384 Dallas Cowboys at Green Bay Packers []-[] 11/7/2010-11/8/2010"},
        WalkCase{"NextStopsAtTheSeasonsEnd", "2009", kDefaultReferenceDate, 17, 20, 0,
                 "255 Cincinnati Bengals at N.Y. Jets [0]-[37] 1/3/2010-1/3/2010"},
        WalkCase{"PreviousStaysInTheWeek", "2010", kDefaultReferenceDate, 8, 1, 20,
                 "360 Miami Dolphins at Cincinnati Bengals [22]-[14] 10/31/2010-11/1/2010"},
        WalkCase{"PreviousStaysInTheSeason", "2010", kDefaultReferenceDate, 1, 0, 1,
                 "256 Minnesota Vikings at New Orleans Saints [9]-[14] 9/9/2010-9/13/2010"}),
    [](const auto& info) { return std::string(info.param.name); });

// The season's first game, typed over, left with "Next" and shown again
// with "Previous": the table and the boxes hold the table's form. (Walking
// past a game without typing leaves its scores as they were stored.)
TEST_F(EnterScores, ScoresAreStoredInTheTablesForm) {
    auto window = open();
    ASSERT_TRUE(window);
    window->chooseWeek(1);
    auto enter = [&](const char* visitor, const char* home) {
        window->visitorScore = visitor;
        window->homeScore = home;
        window->nextGame();
        window->previousGame();
        const GameRecord stored = test::tableRecords(pool).at(256);
        return stored.visitorScore + "|" + stored.homeScore + " shown " + window->visitorScore +
               "|" + window->homeScore;
    };
    EXPECT_EQ(enter("21", "7abc"), " 21| 7 shown  21| 7");
    EXPECT_EQ(enter("", ""), "| shown |"); // an empty box leaves the game unscored
    EXPECT_EQ(enter("   ", "17"), "| 17 shown | 17");
    EXPECT_TRUE(program.dialogs.shown.empty());
}

// "Close" keeps the scores on show: the season read afterwards has them.
TEST_F(EnterScores, CloseKeepsTheScoresOnShow) {
    auto window = open();
    ASSERT_TRUE(window);
    window->chooseWeek(1);
    window->visitorScore = "   ";
    window->homeScore = "17";
    EXPECT_TRUE(window->commitAndClose());
    EXPECT_TRUE(window->closed);
    Result<Season> season = rebuildSeasonGames(pool);
    ASSERT_TRUE(season) << season.error().message;
    EXPECT_EQ(season->games.at(0).visitorScore + "|" + season->games.at(0).homeScore, "| 17");
    EXPECT_TRUE(program.dialogs.shown.empty());
}

// Neither moving on nor closing gets past a refused score, and nothing is written.
TEST_F(EnterScores, ScoresThatAreNoWholeNumbersAreRefused) {
    auto window = open();
    ASSERT_TRUE(window);
    window->chooseWeek(1);
    std::string before = test::dumpRecords(test::tableRecords(pool));
    for (auto [visitor, home, reason] :
         {std::tuple{"abc", "14",
                     "\"abc\" of Minnesota Vikings at New Orleans Saints is not a number."},
          std::tuple{"9", "-3", "\"-3\" of Minnesota Vikings at New Orleans Saints is negative."},
          std::tuple{"7.5", "3",
                     "\"7.5\" of Minnesota Vikings at New Orleans Saints is not a whole number "
                     "from 0 to 999."}}) {
        program.dialogs.clear();
        window->visitorScore = visitor;
        window->homeScore = home;
        window->nextGame();
        EXPECT_FALSE(window->commitAndClose());
        std::string refusal("Error: The score ");
        refusal += reason;
        EXPECT_EQ(program.dialogs.messages(), (std::vector<std::string>{refusal, refusal}));
        EXPECT_EQ(program.dialogs.kinds,
                  (std::vector<MessageKind>{MessageKind::Error, MessageKind::Error}));
        std::string expected("256 Minnesota Vikings at New Orleans Saints [");
        expected += visitor;
        expected += "]-[";
        expected += home;
        expected += "] 9/9/2010-9/13/2010 weeks 1 2 3 4 5 6 7 8";
        EXPECT_EQ(shown(*window), expected);
    }
    EXPECT_FALSE(window->closed);
    EXPECT_EQ(test::dumpRecords(test::tableRecords(pool)), before);
}

} // namespace
} // namespace gs
