#include "schedule/seasongames.h"

#include "core/state.h"
#include "schedule/gamesdb.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

namespace fs = std::filesystem;

std::string dumpSeason() {
    std::string text;
    for (const auto& g : State.SeasonGames)
        text += g.visitor + "|" + g.home + "|" + g.date + "|" + g.visitorScore + "|" + g.homeScore +
                "\n";
    return text + "scored " + std::to_string(State.ScoredGameCount) + "\n";
}

class SeasonGamesTest : public testing::Test {
protected:
    test::ProgramFixture program;
};

TEST_F(SeasonGamesTest, TakesTheSeasonByNumericYearAndCountsOnlyFullScores) {
    test::storeRecords({
        {"Tennessee Titans", "Pittsburgh Steelers", "9/10/2009", "10", "13", "2009"},
        {"  Minnesota Vikings ", "New Orleans Saints ", "9/9/2010", "9", "14", "2010 "},
        {"Miami Dolphins", "Buffalo Bills", "9/12/2010", "15", "10", "2010"},
        {"Detroit Lions", "Chicago Bears", "9/12/2010", "14", "", "2010"},
        {"Dallas Cowboys", "N.Y. Giants", "9/8/2011", "", "", "2011"},
    });
    State.SeasonYear = "2010";
    State.SeasonGames.push_back({"stale", "stale", "", "", ""});
    EXPECT_TRUE(RebuildSeasonGames());
    EXPECT_EQ(dumpSeason(), "Minnesota Vikings|New Orleans Saints|9/9/2010|9|14\n"
                            "Miami Dolphins|Buffalo Bills|9/12/2010|15|10\n"
                            "Detroit Lions|Chicago Bears|9/12/2010|14|\n"
                            "scored 2\n");
    EXPECT_TRUE(program.dialogs.shown.empty());
}

// The bundled seasons as the pool saw them on its reference day: 2009
// finished, 2010 scored through 11/02/2010, the later seasons unplayed.
TEST_F(SeasonGamesTest, FreshHomeGetsTheBundledSeasons) {
    fs::remove_all(State.ProgramFolder); // a first start has no data folder yet
    State.SeasonYear = "2010";
    ASSERT_TRUE(RebuildSeasonGames());
    EXPECT_EQ(State.ScoredGameCount, 117);
    EXPECT_EQ(State.SeasonGames[116].date, "11/1/2010"); // the last game before the reference day
    EXPECT_TRUE(State.SeasonGames[116].scored());

    std::vector<GameRecord> expected = test::seasonRecords(2009);
    for (int year = 2010; year <= 2015; ++year)
        for (GameRecord& r :
             test::seasonRecords(year, year == 2010 ? "11/02/2010" : test::kNoScores))
            expected.push_back(r);
    std::vector<GameRecord> records = test::tableRecords();
    EXPECT_EQ(records.size(), 1792u);
    EXPECT_EQ(test::dumpRecords(records), test::dumpRecords(expected));

    std::vector<std::string> files; // nothing but the table is left behind
    for (const auto& entry : fs::directory_iterator(State.ProgramFolder))
        files.push_back(entry.path().filename().string());
    EXPECT_EQ(files, std::vector<std::string>{kGamesFileName});
    EXPECT_TRUE(program.dialogs.shown.empty());
}

TEST_F(SeasonGamesTest, AnExistingTableIsNeverRewritten) {
    test::writeBytes(gamesDatabasePath(), "anything at all");
    EXPECT_TRUE(ensureGamesTable());
    EXPECT_EQ(test::readBytes(gamesDatabasePath()), "anything at all");
}

TEST_F(SeasonGamesTest, AnUnreadableTableIsReportedAndLeavesTheSeasonEmpty) {
    State.SeasonYear = "2010";
    test::writeBytes(gamesDatabasePath(), std::string(4096, '\x01'));
    for (const char* reason : {"file is not a database", "unable to open database file"}) {
        State.SeasonGames.push_back({"stale", "stale", "", "1", "2"});
        State.ScoredGameCount = 1;
        program.dialogs.clear();
        EXPECT_FALSE(RebuildSeasonGames());
        EXPECT_EQ(dumpSeason(), "scored 0\n");
        EXPECT_EQ(program.dialogs.messages(),
                  std::vector<std::string>{"Error: The games table " +
                                           gamesDatabasePath().string() +
                                           " cannot be read: " + reason});
        fs::remove(gamesDatabasePath()); // next: a folder in the table's place
        fs::create_directory(gamesDatabasePath());
    }
}

} // namespace
} // namespace gs
