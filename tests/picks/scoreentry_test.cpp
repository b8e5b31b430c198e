#include "picks/scoreentry.h"

#include "core/state.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>
#include <tuple>

namespace gs {
namespace {

// What the window shows: the record's position in table order (2009's 256
// games come first), the game, the score boxes, the week's dates and the
// weeks that can be chosen.
std::string shown(const ScoreEntryWindow& w) {
    std::string text = std::to_string(w.recordPosition()) + " " + w.visitorTeam.caption + " at " +
                       w.homeTeam.caption + " [" + w.Text1 + "]-[" + w.Text2 + "] " +
                       w.firstDate.caption + "-" + w.lastDate.caption + " weeks";
    for (int week = 1; week <= kWeeks; ++week)
        if (w.Option[week].enabled)
            text += " " + std::to_string(week);
    return text;
}

// The games table as the pool has it on the reference date: last season
// complete, this one scored through the reference date, the next unplayed.
class ScoreEntry : public testing::Test {
protected:
    ScoreEntry() {
        test::addUser(1, "admin", 1);
        test::addUser(2, "alice");
        State.CurrentUser = "admin";
        State.SeasonYear = "2010";
    }

    std::unique_ptr<ScoreEntryWindow> open() {
        test::storeSeasons({2009});
        test::storeSeasons({2010}, kDefaultReferenceDate);
        test::storeSeasons({2011}, test::kNoScores);
        std::unique_ptr<ScoreEntryWindow> window = mnuItemScores_Click();
        EXPECT_TRUE(window);
        return window;
    }

    test::ProgramFixture program;
};

TEST_F(ScoreEntry, OpensOnTheSeasonsFirstGameAndWeekOneEnablesThePlayedWeeks) {
    State.Window.panel = Panel::WeeklyPicks;
    auto window = open();
    ASSERT_TRUE(window);
    EXPECT_EQ(State.Window.panel, Panel::None);
    EXPECT_EQ(window->seasonYear.caption, "2010");
    EXPECT_EQ(shown(*window), "256 Minnesota Vikings at New Orleans Saints [9]-[14] - weeks 1");
    window->OptionN_Click(5); // not enabled yet
    EXPECT_EQ(window->chosenWeek, 0);
    // The reference day falls between week 8's Monday and week 9's Sunday.
    // Leaving a game keeps its scores in the table's form.
    window->Option1_Click();
    EXPECT_EQ(shown(*window), "256 Minnesota Vikings at New Orleans Saints [ 9]-[ 14] "
                              "9/9/2010-9/13/2010 weeks 1 2 3 4 5 6 7 8");
}

TEST_F(ScoreEntry, AUserWithoutAdministratorRightsCannotOpenIt) {
    State.CurrentUser = "alice";
    State.Window.panel = Panel::WeeklyPicks;
    EXPECT_FALSE(mnuItemScores_Click());
    EXPECT_EQ(program.dialogs.messages(),
              std::vector<std::string>{"Error: You do not have administrator control"});
    EXPECT_EQ(State.Window.panel, Panel::WeeklyPicks);
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

class Walk : public ScoreEntry, public testing::WithParamInterface<WalkCase> {};

TEST_P(Walk, StaysWithinTheWeek) {
    const WalkCase& c = GetParam();
    State.SeasonYear = c.season;
    State.ReferenceDate = c.referenceDate;
    auto window = open();
    ASSERT_TRUE(window);
    window->Option1_Click();
    window->Option_Click(c.week);
    for (int i = 0; i < c.nexts; ++i)
        window->Command3_Click();
    for (int i = 0; i < c.previouses; ++i)
        window->Command2_Click();
    std::string text = shown(*window);
    EXPECT_EQ(text.substr(0, text.find(" weeks")), c.shown);
    EXPECT_TRUE(program.dialogs.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Moves, Walk,
    testing::Values(
        WalkCase{"NextStopsAtTheWeeksLastGame", "2010", kDefaultReferenceDate, 8, 20, 0,
                 "372 Houston Texans at Indianapolis Colts [ 17]-[ 30] 10/31/2010-11/1/2010"},
        WalkCase{"NextStopsBeforeAnUnplayedGame", "2010", "11/7/2010", 9, 20, 0,
                 "384 Dallas Cowboys at Green Bay Packers []-[] 11/7/2010-11/8/2010"},
        WalkCase{"NextStopsAtTheSeasonsEnd", "2009", kDefaultReferenceDate, 17, 20, 0,
                 "255 Cincinnati Bengals at N.Y. Jets [ 0]-[ 37] 1/3/2010-1/3/2010"},
        WalkCase{"PreviousStaysInTheWeek", "2010", kDefaultReferenceDate, 8, 1, 20,
                 "360 Miami Dolphins at Cincinnati Bengals [ 22]-[ 14] 10/31/2010-11/1/2010"},
        WalkCase{"PreviousStaysInTheSeason", "2010", kDefaultReferenceDate, 1, 0, 1,
                 "256 Minnesota Vikings at New Orleans Saints [ 9]-[ 14] 9/9/2010-9/13/2010"}),
    [](const auto& info) { return std::string(info.param.name); });

// The season's first game, typed over, left with "Next", shown again with
// "Previous" and kept on "Close", which rebuilds the season's games.
TEST_F(ScoreEntry, ScoresAreStoredInTheTablesForm) {
    auto window = open();
    ASSERT_TRUE(window);
    auto enter = [&](const char* visitor, const char* home) {
        window->Text1 = visitor;
        window->Text2 = home;
        window->Command3_Click();
        window->Command2_Click();
        const GameRecord stored = test::tableRecords().at(256);
        return stored.visitorScore + "|" + stored.homeScore + " shown " + window->Text1 + "|" + window->Text2;
    };
    EXPECT_EQ(enter("21", "7abc"), " 21| 7 shown  21| 7");
    EXPECT_EQ(enter("", ""), "| shown |"); // an empty box leaves the game unscored
    EXPECT_EQ(enter("   ", "17"), "| 17 shown | 17");
    EXPECT_TRUE(window->Command1_Click());
    EXPECT_TRUE(window->closed);
    EXPECT_EQ(State.SeasonGames.at(0).visitorScore + "|" + State.SeasonGames.at(0).homeScore,
              "| 17");
    EXPECT_TRUE(program.dialogs.shown.empty());
}

// Neither moving on nor closing gets past a refused score, and nothing is written.
TEST_F(ScoreEntry, ScoresThatAreNoWholeNumbersAreRefused) {
    auto window = open();
    ASSERT_TRUE(window);
    std::string before = test::dumpRecords(test::tableRecords());
    for (auto [visitor, home, reason] :
         {std::tuple{"abc", "14",
                     "\"abc\" of Minnesota Vikings at New Orleans Saints is not a number."},
          std::tuple{"9", "-3",
                     "\"-3\" of Minnesota Vikings at New Orleans Saints is negative."}}) {
        program.dialogs.clear();
        window->Text1 = visitor;
        window->Text2 = home;
        window->Command3_Click();
        EXPECT_FALSE(window->Command1_Click());
        std::string refusal = "Error: The score " + std::string(reason);
        EXPECT_EQ(program.dialogs.messages(), (std::vector<std::string>{refusal, refusal}));
        EXPECT_EQ(shown(*window), "256 Minnesota Vikings at New Orleans Saints [" +
                                      std::string(visitor) + "]-[" + home + "] - weeks 1");
    }
    EXPECT_FALSE(window->closed);
    EXPECT_EQ(test::dumpRecords(test::tableRecords()), before);
}

} // namespace
} // namespace gs
