#include "schedule/seasongames.h"

#include "core/state.h"
#include "core/text.h"
#include "core/textfile.h"
#include "schedule/gamesdb.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>
#include <map>

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

std::vector<GameRecord> tableRecords() {
    std::string error;
    auto table = GamesTable::open(gamesDatabasePath(), error);
    EXPECT_TRUE(table) << error;
    return table ? table->records() : std::vector<GameRecord>{};
}

void fillTable(const std::vector<GameRecord>& records) {
    std::string error;
    auto table = GamesTable::open(gamesDatabasePath(), error);
    ASSERT_TRUE(table) << error;
    ASSERT_TRUE(table->replaceSeasons(records, error)) << error;
}

class SeasonGamesTest : public testing::Test {
protected:
    test::ProgramFixture program;
};

TEST_F(SeasonGamesTest, TakesTheSeasonByNumericYearAndCountsOnlyFullScores) {
    fillTable({
        {"Tennessee Titans", "Pittsburgh Steelers", "9/10/2009", "10", "13", "2009"},
        {"  Minnesota Vikings ", "New Orleans Saints ", "9/9/2010", "9", "14", "2010 "},
        {"Miami Dolphins", "Buffalo Bills", "9/12/2010", "15", "10", "2010"},
        {"Detroit Lions", "Chicago Bears", "9/12/2010", "14", "", "2010"},
        {"Dallas Cowboys", "Washington Redskins", "9/12/2010", "", "", "2010"},
        {"Dallas Cowboys", "N.Y. Giants", "9/8/2011", "", "", "2011"},
    });
    State.SeasonYear = "2010";
    State.SeasonGames.push_back({"stale", "stale", "", "", ""});
    State.ScoredGameCount = 9;
    EXPECT_TRUE(RebuildSeasonGames());
    EXPECT_EQ(dumpSeason(), "Minnesota Vikings|New Orleans Saints|9/9/2010|9|14\n"
                            "Miami Dolphins|Buffalo Bills|9/12/2010|15|10\n"
                            "Detroit Lions|Chicago Bears|9/12/2010|14|\n"
                            "Dallas Cowboys|Washington Redskins|9/12/2010||\n"
                            "scored 2\n");
    EXPECT_TRUE(program.dialogs.shown.empty());
}

TEST_F(SeasonGamesTest, ASeasonWithoutGamesIsEmpty) {
    fillTable({{"Dallas Cowboys", "N.Y. Giants", "9/8/2011", "", "", "2011"}});
    State.SeasonYear = "2016";
    EXPECT_TRUE(RebuildSeasonGames());
    EXPECT_EQ(dumpSeason(), "scored 0\n");
}

struct UnreadableCase {
    const char* name;
    bool folder; // the table's path is a folder rather than a file
    const char* reason;
};

class UnreadableTable : public SeasonGamesTest,
                        public testing::WithParamInterface<UnreadableCase> {};

TEST_P(UnreadableTable, SaysSoAndLeavesTheSeasonEmpty) {
    if (GetParam().folder)
        fs::create_directories(gamesDatabasePath());
    else
        test::writeBytes(gamesDatabasePath(), std::string(4096, '\x01'));
    State.SeasonYear = "2010";
    State.SeasonGames.push_back({"stale", "stale", "", "1", "2"});
    State.ScoredGameCount = 1;
    EXPECT_FALSE(RebuildSeasonGames());
    EXPECT_EQ(dumpSeason(), "scored 0\n");
    EXPECT_EQ(program.dialogs.messages(),
              std::vector<std::string>{"Error: The games table " + gamesDatabasePath().string() +
                                       " cannot be read: " + GetParam().reason});
}

INSTANTIATE_TEST_SUITE_P(
    Tables, UnreadableTable,
    testing::Values(UnreadableCase{"NotADatabase", false, "file is not a database"},
                    UnreadableCase{"AFolder", true, "unable to open database file"}),
    [](const auto& info) { return std::string(info.param.name); });

// Per season: games, scored games, and the last date with a score.
std::string seasonSummary(const std::vector<GameRecord>& records) {
    struct Season {
        int games = 0;
        int scored = 0;
    };
    std::map<std::string, Season> seasons;
    for (const auto& r : records) {
        Season& season = seasons[r.Year];
        ++season.games;
        if (!r.Visitor.empty() && !r.Home.empty())
            ++season.scored;
    }
    std::string text;
    for (const auto& [year, season] : seasons)
        text += year + ": " + std::to_string(season.games) + " games, " +
                std::to_string(season.scored) + " scored\n";
    return text;
}

// The real schedules as the bundled table should hold them: 2009 scored,
// 2010 scored through 11/2/2010, later seasons unscored. Dates are compared
// here as numbers, independently of the program's date routine.
std::string expectedBundle() {
    std::vector<std::string> lines = splitLines(test::readBytes(test::scheduleCsv()));
    std::string text;
    for (size_t i = 1; i < lines.size(); ++i) {
        std::vector<std::string> f;
        size_t start = 0;
        for (size_t comma; (comma = lines[i].find(',', start)) != std::string::npos;
             start = comma + 1)
            f.push_back(lines[i].substr(start, comma - start));
        f.push_back(lines[i].substr(start));
        int month = std::stoi(f[2]);
        int day = std::stoi(f[2].substr(f[2].find('/') + 1));
        int year = std::stoi(f[2].substr(f[2].rfind('/') + 1));
        int dateKey = year * 10000 + month * 100 + day;
        bool keep = f[5] == "2009" || (f[5] == "2010" && dateKey <= 20101102);
        if (!keep)
            f[3] = f[4] = "";
        text += f[0] + "|" + f[1] + "|" + f[2] + "|" + f[3] + "|" + f[4] + "|" + f[5] + "\n";
    }
    return text;
}

std::string dump(const std::vector<GameRecord>& records) {
    std::string text;
    for (const auto& r : records)
        text += r.TeamA + "|" + r.TeamB + "|" + r.Date + "|" + r.Visitor + "|" + r.Home + "|" +
                r.Year + "\n";
    return text;
}

TEST_F(SeasonGamesTest, FreshHomeGetsTheBundledSeasons) {
    // A first start has no data folder yet.
    fs::remove_all(State.ProgramFolder);
    ASSERT_TRUE(ensureGamesTable());
    std::vector<GameRecord> records = tableRecords();
    EXPECT_EQ(records.size(), 1792u);
    EXPECT_EQ(seasonSummary(records), "2009: 256 games, 256 scored\n"
                                      "2010: 256 games, 117 scored\n"
                                      "2011: 256 games, 0 scored\n"
                                      "2012: 256 games, 0 scored\n"
                                      "2013: 256 games, 0 scored\n"
                                      "2014: 256 games, 0 scored\n"
                                      "2015: 256 games, 0 scored\n");
    EXPECT_EQ(dump(records), expectedBundle());
    // Nothing but the table is left behind in the folder.
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(State.ProgramFolder))
        files.push_back(entry.path().filename().string());
    EXPECT_EQ(files, std::vector<std::string>{"scoresheet97.mdb"});
    EXPECT_TRUE(program.dialogs.shown.empty());

    State.SeasonYear = "2010";
    ASSERT_TRUE(RebuildSeasonGames());
    EXPECT_EQ(State.SeasonGames.size(), 256u);
    EXPECT_EQ(State.ScoredGameCount, 117);
    // The last scored game is the Monday game before the reference day.
    EXPECT_EQ(State.SeasonGames[116].date, "11/1/2010");
    EXPECT_TRUE(State.SeasonGames[116].scored());
    EXPECT_FALSE(State.SeasonGames[117].scored());
}

TEST_F(SeasonGamesTest, AnExistingTableIsNeverRewritten) {
    test::writeBytes(gamesDatabasePath(), "anything at all");
    EXPECT_TRUE(ensureGamesTable());
    EXPECT_EQ(test::readBytes(gamesDatabasePath()), "anything at all");

    fs::remove(gamesDatabasePath());
    ASSERT_TRUE(ensureGamesTable());
    fillTable({{"Dallas Cowboys", "N.Y. Giants", "9/8/2011", "24", "17", "2011"}});
    std::string bytes = test::readBytes(gamesDatabasePath());
    EXPECT_TRUE(ensureGamesTable());
    EXPECT_EQ(test::readBytes(gamesDatabasePath()), bytes);
}

TEST_F(SeasonGamesTest, AMissingTableIsCreatedBeforeTheSeasonIsRead) {
    State.SeasonYear = "2009";
    ASSERT_TRUE(RebuildSeasonGames());
    EXPECT_EQ(State.SeasonGames.size(), 256u);
    EXPECT_EQ(State.ScoredGameCount, 256);
    EXPECT_TRUE(fs::exists(gamesDatabasePath()));
}

TEST_F(SeasonGamesTest, ATableThatCannotBeCreatedIsReported) {
    // The data folder's name is taken by a file.
    fs::remove_all(State.ProgramFolder);
    test::writeBytes(State.ProgramFolder, "");
    EXPECT_FALSE(ensureGamesTable());
    ASSERT_EQ(program.dialogs.shown.size(), 1u);
    EXPECT_EQ(program.dialogs.shown[0].title, "Error");
    EXPECT_TRUE(program.dialogs.shown[0].text.starts_with(
        "The games table " + gamesDatabasePath().string() + " could not be created: "))
        << program.dialogs.shown[0].text;
    EXPECT_FALSE(RebuildSeasonGames());
    EXPECT_TRUE(State.SeasonGames.empty());
}

} // namespace
} // namespace gs
