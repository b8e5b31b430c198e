#include "picks/scoreentry.h"

#include "core/state.h"
#include "core/text.h"
#include "schedule/gamesdb.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace gs {
namespace {

std::vector<GameRecord> recordsOf(int year, const std::string& scoresThrough = "") {
    std::vector<GameRecord> records;
    for (const SeasonGame& g : test::seasonFromCsv(year, scoresThrough))
        records.push_back(
            {g.visitor, g.home, g.date, g.visitorScore, g.homeScore, std::to_string(year)});
    return records;
}

void addUser(int slot, const std::string& name, int16_t admin) {
    UserSlot& user = State.UserTable[slot];
    user.name = name;
    user.active = 1;
    user.admin = admin;
    user.folder = programFolderText();
}

// Positions in table order: 2009's 256 games come first.
constexpr int kFirst2010 = 256;
constexpr int kWeek8First = kFirst2010 + 104; // Sunday 10/31/2010
constexpr int kWeek8Last = kFirst2010 + 116;  // Monday 11/1/2010
constexpr int kWeek9LastSunday = kFirst2010 + 128;

// The games table as the pool has it on the reference date: last season
// complete, this one scored through the reference date, the next unplayed.
class ScoreEntry : public testing::Test {
protected:
    ScoreEntry() {
        addUser(1, "admin", 1);
        addUser(2, "PC", 0);
        addUser(3, "alice", 0);
        State.CurrentUser = "admin";
        State.SeasonYear = "2010";
    }

    void storeGames(const std::string& scoresThrough2010) {
        std::vector<GameRecord> records = recordsOf(2009);
        for (const auto& year : {recordsOf(2010, scoresThrough2010), recordsOf(2011, "1/1/1990")})
            records.insert(records.end(), year.begin(), year.end());
        std::string error;
        std::unique_ptr<GamesTable> table = GamesTable::open(gamesDatabasePath(), error);
        ASSERT_TRUE(table) << error;
        ASSERT_TRUE(table->replaceSeasons(records, error)) << error;
    }

    std::vector<GameRecord> tableRecords() {
        std::string error;
        std::unique_ptr<GamesTable> table = GamesTable::open(gamesDatabasePath(), error);
        return table ? table->records() : std::vector<GameRecord>{};
    }

    std::unique_ptr<ScoreEntryWindow>
    open(const std::string& scoresThrough2010 = kDefaultReferenceDate) {
        storeGames(scoresThrough2010);
        std::unique_ptr<ScoreEntryWindow> window = mnuItemScores_Click();
        EXPECT_TRUE(window);
        return window;
    }

    // Weeks whose option can be chosen.
    static std::vector<int> enabledWeeks(const ScoreEntryWindow& window) {
        std::vector<int> weeks;
        for (int w = 1; w <= kWeeks; ++w)
            if (window.Option[w].enabled)
                weeks.push_back(w);
        return weeks;
    }

    test::ProgramFixture program;
};

TEST_F(ScoreEntry, OpensOnTheSeasonsFirstGameWithOnlyWeekOneToChoose) {
    State.Window.panel = Panel::WeeklyPicks;
    auto window = open();
    ASSERT_TRUE(window);

    EXPECT_EQ(State.Window.panel, Panel::None);
    EXPECT_EQ(window->caption, "Enter Scores");
    EXPECT_EQ(window->recordPosition(), kFirst2010);
    EXPECT_EQ(window->visitorTeam.caption, "Minnesota Vikings");
    EXPECT_EQ(window->homeTeam.caption, "New Orleans Saints");
    EXPECT_EQ(window->Text1, "9");
    EXPECT_EQ(window->Text2, "14");
    EXPECT_EQ(window->seasonYear.caption, "2010");
    EXPECT_EQ(enabledWeeks(*window), std::vector<int>{1});
    EXPECT_EQ(window->Option[5].caption, "Week 5");

    window->OptionN_Click(5);
    EXPECT_EQ(window->recordPosition(), kFirst2010);
    EXPECT_EQ(window->chosenWeek, 0);
}

TEST_F(ScoreEntry, AUserWithoutAdministratorRightsCannotOpenIt) {
    storeGames(kDefaultReferenceDate);
    State.CurrentUser = "alice";
    State.Window.panel = Panel::WeeklyPicks;
    EXPECT_FALSE(mnuItemScores_Click());
    EXPECT_EQ(program.dialogs.messages(),
              std::vector<std::string>{"Error: You do not have administrator control"});
    EXPECT_EQ(State.Window.panel, Panel::WeeklyPicks);
}

struct EnablingCase {
    const char* name;
    const char* referenceDate;
    int lastWeek; // weeks 1..lastWeek become choosable
};

class WeekOneEnabling : public ScoreEntry, public testing::WithParamInterface<EnablingCase> {};

TEST_P(WeekOneEnabling, EnablesTheWeeksAlreadyPlayed) {
    State.ReferenceDate = GetParam().referenceDate;
    auto window = open();
    ASSERT_TRUE(window);
    window->Option1_Click();

    std::vector<int> expected;
    for (int w = 1; w <= GetParam().lastWeek; ++w)
        expected.push_back(w);
    EXPECT_EQ(enabledWeeks(*window), expected);
    EXPECT_EQ(window->firstDate.caption, "9/9/2010");
    EXPECT_EQ(window->lastDate.caption, "9/13/2010");
    EXPECT_EQ(window->recordPosition(), kFirst2010);
}

INSTANTIATE_TEST_SUITE_P(
    ReferenceDates, WeekOneEnabling,
    testing::Values(
        // The pool's own day falls between week 8's Monday and week 9's Sunday.
        EnablingCase{"PoolReferenceDate", kDefaultReferenceDate, 8},
        EnablingCase{"OnWeekNinesFirstGame", "11/7/2010", 9},
        EnablingCase{"OnTheSeasonsFirstGame", "9/9/2010", 1},
        EnablingCase{"BeforeTheSeason", "9/1/2010", 0},
        EnablingCase{"AfterTheSeason", "2/1/2011", 17}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScoreEntry, ChoosingAWeekShowsItsFirstGameAndDates) {
    auto window = open();
    ASSERT_TRUE(window);
    window->Option1_Click();
    window->OptionN_Click(8);

    EXPECT_EQ(window->chosenWeek, 8);
    EXPECT_EQ(window->recordPosition(), kWeek8First);
    EXPECT_EQ(window->firstDate.caption, "10/31/2010");
    EXPECT_EQ(window->lastDate.caption, "11/1/2010");
    EXPECT_EQ(window->visitorTeam.caption, "Miami Dolphins");
    EXPECT_EQ(window->homeTeam.caption, "Cincinnati Bengals");

    window->Option_Click(9); // not played yet
    EXPECT_EQ(window->chosenWeek, 8);
    EXPECT_EQ(window->recordPosition(), kWeek8First);
}

TEST_F(ScoreEntry, NextStopsAtTheWeeksLastGame) {
    auto window = open();
    ASSERT_TRUE(window);
    window->Option1_Click();
    window->OptionN_Click(8);
    for (int i = 0; i < 20; ++i)
        window->Command3_Click();
    EXPECT_EQ(window->recordPosition(), kWeek8Last);
    EXPECT_EQ(window->visitorTeam.caption, "Houston Texans");
    EXPECT_EQ(window->homeTeam.caption, "Indianapolis Colts");
}

TEST_F(ScoreEntry, NextStopsBeforeAGameAfterTheReferenceDate) {
    State.ReferenceDate = "11/7/2010";
    auto window = open();
    ASSERT_TRUE(window);
    window->Option1_Click();
    window->OptionN_Click(9);
    for (int i = 0; i < 20; ++i)
        window->Command3_Click();
    EXPECT_EQ(window->recordPosition(), kWeek9LastSunday);
    EXPECT_EQ(window->visitorTeam.caption, "Dallas Cowboys");
}

// The last week of a season has no Monday game to end it, and the next
// season's first games lie before the reference date.
TEST_F(ScoreEntry, TheLastWeekEndsWithItsSeason) {
    State.SeasonYear = "2009";
    auto window = open();
    ASSERT_TRUE(window);
    EXPECT_EQ(window->recordPosition(), 0);
    window->Option1_Click();
    EXPECT_EQ(enabledWeeks(*window).size(), static_cast<size_t>(kWeeks));
    window->OptionN_Click(17);
    EXPECT_EQ(window->firstDate.caption, "1/3/2010");
    EXPECT_EQ(window->lastDate.caption, "1/3/2010");
    for (int i = 0; i < 20; ++i)
        window->Command3_Click();
    EXPECT_EQ(window->recordPosition(), kFirst2010 - 1);
    EXPECT_EQ(window->seasonYear.caption, "2009");
}

TEST_F(ScoreEntry, PreviousStaysInTheWeekAndTheSeason) {
    auto window = open();
    ASSERT_TRUE(window);
    window->Option1_Click();
    window->OptionN_Click(8);
    window->Command3_Click();
    EXPECT_EQ(window->recordPosition(), kWeek8First + 1);
    window->Command2_Click();
    EXPECT_EQ(window->recordPosition(), kWeek8First);
    window->Command2_Click(); // the game before is week 7's Monday game
    EXPECT_EQ(window->recordPosition(), kWeek8First);

    window->Option1_Click();
    window->Command2_Click(); // the game before is last season's
    EXPECT_EQ(window->recordPosition(), kFirst2010);
}

struct ScoreCase {
    const char* name;
    const char* typedVisitor;
    const char* typedHome;
    const char* storedVisitor;
    const char* storedHome;
};

class ScoreNormalisation : public ScoreEntry, public testing::WithParamInterface<ScoreCase> {};

// The season's first game, typed over and left with "Next".
TEST_P(ScoreNormalisation, IsStoredInTheTablesForm) {
    const ScoreCase& c = GetParam();
    auto window = open();
    ASSERT_TRUE(window);
    window->Text1 = c.typedVisitor;
    window->Text2 = c.typedHome;
    window->Command3_Click();

    EXPECT_TRUE(program.dialogs.shown.empty());
    EXPECT_EQ(window->recordPosition(), kFirst2010 + 1);
    std::vector<GameRecord> records = tableRecords();
    ASSERT_GT(records.size(), static_cast<size_t>(kFirst2010));
    EXPECT_EQ(records[kFirst2010].Visitor, c.storedVisitor);
    EXPECT_EQ(records[kFirst2010].Home, c.storedHome);

    window->Command2_Click();
    EXPECT_EQ(window->Text1, c.storedVisitor);
    EXPECT_EQ(window->Text2, c.storedHome);

    EXPECT_TRUE(window->Command1_Click());
    EXPECT_TRUE(window->closed);
    ASSERT_FALSE(State.SeasonGames.empty());
    const SeasonGame& game = State.SeasonGames[0];
    EXPECT_EQ(game.visitorScore, c.storedVisitor);
    EXPECT_EQ(game.homeScore, c.storedHome);
    EXPECT_EQ(numericValue(game.visitorScore), numericValue(c.storedVisitor));
}

INSTANTIATE_TEST_SUITE_P(Scores, ScoreNormalisation,
                         testing::Values(ScoreCase{"Plain", "21", "7", " 21", " 7"},
                                         ScoreCase{"TrailingLetters", "7abc", "3", " 7", " 3"},
                                         ScoreCase{"AlreadyNormal", " 10", " 0", " 10", " 0"},
                                         ScoreCase{"Zero", "0", "0", " 0", " 0"},
                                         ScoreCase{"BothEmpty", "", "", "", ""},
                                         ScoreCase{"OnlyVisitor", "14", "", " 14", ""},
                                         ScoreCase{"SpacesOnly", "   ", "17", "", " 17"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScoreEntry, AnEmptyBoxLeavesTheGameUnscored) {
    auto window = open("10/31/2010"); // week 8's Monday game has no score yet
    ASSERT_TRUE(window);
    window->Option1_Click();
    window->OptionN_Click(8);
    for (int i = 0; i < 20; ++i)
        window->Command3_Click();
    ASSERT_EQ(window->recordPosition(), kWeek8Last);
    EXPECT_EQ(window->Text1, "");
    EXPECT_EQ(window->Text2, "");
    EXPECT_TRUE(window->Command1_Click());

    std::string error;
    std::unique_ptr<GamesTable> table = GamesTable::open(gamesDatabasePath(), error);
    ASSERT_TRUE(table) << error;
    sqlite3_stmt* stmt = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(table->handle(),
                                 "SELECT Visitor IS NULL AND Home IS NULL FROM Scoresheet "
                                 "ORDER BY rowid LIMIT 1 OFFSET ?1",
                                 -1, &stmt, nullptr),
              SQLITE_OK);
    sqlite3_bind_int(stmt, 1, kWeek8Last);
    ASSERT_EQ(sqlite3_step(stmt), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(stmt, 0), 1);
    sqlite3_finalize(stmt);
    EXPECT_FALSE(State.SeasonGames[116].scored());
}

struct RefusalCase {
    const char* name;
    const char* typedVisitor;
    const char* typedHome;
    const char* message;
};

class ScoreRefusal : public ScoreEntry, public testing::WithParamInterface<RefusalCase> {};

TEST_P(ScoreRefusal, WritesNothingAndKeepsTheGame) {
    const RefusalCase& c = GetParam();
    auto window = open();
    ASSERT_TRUE(window);
    std::vector<GameRecord> before = tableRecords();
    const std::string expected = std::string("Error: ") + c.message;
    auto expectRefused = [&](const char* step) {
        EXPECT_EQ(program.dialogs.messages(), std::vector<std::string>{expected}) << step;
        EXPECT_EQ(window->recordPosition(), kFirst2010) << step;
        EXPECT_EQ(window->Text1, c.typedVisitor) << step;
        EXPECT_EQ(window->Text2, c.typedHome) << step;
        EXPECT_EQ(tableRecords(), before) << step;
        program.dialogs.clear();
    };

    window->Text1 = c.typedVisitor;
    window->Text2 = c.typedHome;
    window->Command3_Click();
    expectRefused("Next");
    window->Command2_Click();
    expectRefused("Previous");
    window->Option1_Click();
    expectRefused("Week 1");
    EXPECT_EQ(window->chosenWeek, 0);
    EXPECT_FALSE(window->Command1_Click());
    EXPECT_FALSE(window->closed);
    expectRefused("Close");
}

INSTANTIATE_TEST_SUITE_P(
    Scores, ScoreRefusal,
    testing::Values(
        RefusalCase{
            "Letters", "abc", "14",
            "The score \"abc\" of Minnesota Vikings at New Orleans Saints is not a number."},
        RefusalCase{"Negative", "9", "-3",
                    "The score \"-3\" of Minnesota Vikings at New Orleans Saints is negative."},
        RefusalCase{"Fraction", "2.5", "14",
                    "The score \"2.5\" of Minnesota Vikings at New Orleans Saints is not a whole "
                    "number from 0 to 999."},
        RefusalCase{"TooLarge", "9", "1e9",
                    "The score \"1e9\" of Minnesota Vikings at New Orleans Saints is not a whole "
                    "number from 0 to 999."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScoreEntry, AFailedWriteIsShownAndTheWindowStaysOnTheGame) {
    auto window = open();
    ASSERT_TRUE(window);
    std::string error;
    std::unique_ptr<GamesTable> other = GamesTable::open(gamesDatabasePath(), error);
    ASSERT_TRUE(other) << error;
    ASSERT_EQ(sqlite3_exec(other->handle(),
                           "CREATE TRIGGER refuse BEFORE UPDATE ON Scoresheet "
                           "BEGIN SELECT RAISE(ABORT, 'disk is full'); END",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);

    window->Text1 = "30";
    window->Command3_Click();
    ASSERT_EQ(program.dialogs.shown.size(), 1u);
    EXPECT_EQ(program.dialogs.shown[0].title, "Error");
    EXPECT_NE(program.dialogs.shown[0].text.find("Minnesota Vikings at New Orleans Saints"),
              std::string::npos);
    EXPECT_EQ(window->recordPosition(), kFirst2010);
    EXPECT_EQ(window->Text1, " 30");
    EXPECT_FALSE(window->Command1_Click());
    EXPECT_FALSE(window->closed);

    ASSERT_EQ(sqlite3_exec(other->handle(), "DROP TRIGGER refuse", nullptr, nullptr, nullptr),
              SQLITE_OK);
    EXPECT_TRUE(window->Command1_Click());
    EXPECT_EQ(tableRecords()[kFirst2010].Visitor, " 30");
}

TEST_F(ScoreEntry, ASeasonWithoutGamesShowsNoGame) {
    State.SeasonYear = "2016";
    auto window = open();
    ASSERT_TRUE(window);
    EXPECT_EQ(window->recordPosition(), -1);
    EXPECT_EQ(window->visitorTeam.caption, "");
    window->Option1_Click();
    window->Command3_Click();
    window->Command2_Click();
    EXPECT_EQ(window->recordPosition(), -1);
    EXPECT_TRUE(window->Command1_Click());
    EXPECT_TRUE(program.dialogs.shown.empty());
}

} // namespace
} // namespace gs
