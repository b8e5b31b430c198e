#include "stats/projection.h"

#include "schedule/calendar.h"
#include "schedule/importer.h"
#include "schedule/pickfiles.h"
#include "schedule/seasongames.h"
#include "stats/seasonrefresh.h"
#include "stats/teamrecords.h"
#include "tests/support/namedcases.h"
#include "tests/support/testsupport.h"

#include <algorithm>
#include <map>

namespace gs {
namespace {

using test::weekLine;

// The whole PC file: week lines (missing weeks all 0), then spreads 1..256.
std::string pcFile(const std::vector<std::string>& weeks, const std::map<int, int>& spreads) {
    std::string bytes;
    for (int w = 1; w <= kWeeks; ++w)
        bytes += (w <= static_cast<int>(weeks.size()) ? weeks[w - 1] : weekLine()) + "\r\n";
    for (int g = 1; g <= kMaxSeasonGames; ++g) {
        auto it = spreads.find(g);
        bytes += std::to_string(it == spreads.end() ? 0 : it->second) + "\r\n";
    }
    return bytes;
}

// Last season's file "for, against, wins, losses, ties", teams 1 Arizona,
// 2 Atlanta, 3 Baltimore, 4 Buffalo, 5 Carolina, 6 Chicago, 7 Cincinnati,
// 8 Cleveland; the teams after them have no line and read as 0.
const std::string kLastSeason = test::crlf({
    " 160, 320, 2, 8, 0", // 16 for, 32 against a game: ratio 0.5, margin 16
    " 300, 200, 7, 3, 0", // 30 and 20: ratio 1.5, margin 10
    " 250, 250, 5, 5, 0", // ratio 1, margin 0
    " 109, 100, 5, 5, 0", // margin 0.9
    " 119, 100, 6, 4, 0", // margin 1.9
    " 200, 0, 10, 0, 0",  // allowed nothing: the ratio cannot be taken
    " 0, 0, 0, 0, 0",     // played no games
    " 150, 100, 6, 4, 0", // ratio 1.5, margin 5
});

void scoreWeekOne(Season& season) {
    const char* scores[4][2] = {{"10", "20"}, {"21", "14"}, {"17", "17"}, {"24", "0"}};
    for (int r = 0; r < 4; ++r) {
        season.games[r].visitorScore = Score::parse(scores[r][0]);
        season.games[r].homeScore = Score::parse(scores[r][1]);
    }
    season.scoredGameCount = 4;
}

// Every game of weeks 1..last has exactly one team picked and its spread
// set, every team without a game in a week none; nothing after them is
// projected.
void expectProjectedThrough(const std::vector<Game>& games, const Projection& projection,
                            int lastWeek) {
    for (int w = 1; w <= kWeeks; ++w) {
        WeekRows rows = findWeekRows(games, w);
        const auto& picks = projection.picks[w];
        EXPECT_EQ(std::count(picks.begin() + 1, picks.end(), 1),
                  w > lastWeek ? 0 : rows.last - rows.first + 1)
            << "week " << w;
        for (int r = rows.first; w <= lastWeek && r <= rows.last; ++r) {
            EXPECT_EQ(picks[games[r].visitor.number()] + picks[games[r].home.number()], 1) << r;
            EXPECT_GE(projection.spreads[r], 1) << "row " << r;
        }
    }
    for (int g = findWeekRows(games, lastWeek).last + 1; g <= kMaxSeasonGames; ++g)
        EXPECT_EQ(projection.spreads[g], 0) << "row " << g;
}

class ComputerPlayer : public testing::Test {
protected:
    ComputerPlayer() {
        pool.setSeasonYear(2010);
        test::addUser(pool, 2, "PC");
    }
    fs::path pcPath() const { return pool.folders().program / "PC2010.dat"; }
    std::string pcBytes() const { return test::readBytes(pcPath()); }

    // Projects the season and saves the computer player's file, as opening
    // the weekly picks does.
    Projection project(const Season& season) {
        Projection projection = projectTeams(pool, season);
        auto saved = saveComputerPicks(pool, projection);
        EXPECT_TRUE(saved) << saved.error();
        return projection;
    }

    // The 2009 season's final records as the 2010 season starts from them.
    void writeOldScores2009() {
        Status written =
            writeOldScores(pool.folders(), 2009, computeTeamRecords(pool, test::csvSeason(2009)));
        ASSERT_TRUE(written) << written.error();
    }

    test::PoolFixture fixture;
    Pool& pool = fixture.pool;
};

// Atlanta 1.5 over Arizona 0.5, spread |10 - 16| = 6 (entry 0, not on file).
// Buffalo 1.09 over Baltimore 1, spread 0.9 raised to 1.
// Cincinnati has no games: it takes Baltimore's values (ratio 1, margin 0)
// from the row before; Carolina 1.19 wins, spread 1.9 rounded down to 1.
// Chicago allowed nothing, so it keeps the ratio 1 of the row before;
// Cleveland's 1.5 wins, spread |5 - 20| = 15.
const std::string kWeekOne = pcFile({weekLine({2, 4, 5, 8})}, {{1, 1}, {2, 1}, {3, 15}});

TEST_F(ComputerPlayer, ProjectsTheFirstWeekFromLastSeasonThenTheNextFromThisSeasons) {
    test::writeBytes(oldScoresPath(pool.folders(), 2009), kLastSeason);
    Season season = test::miniSeason();
    project(season);
    Projection again = project(season); // a second run changes nothing
    EXPECT_EQ(pcBytes(), kWeekOne);
    EXPECT_EQ(again.spreads[0], 6);

    scoreWeekOne(season);
    TeamRecordTable records = computeTeamRecords(pool, season);
    Projection projection = project(season);
    // Week 1 stays as projected. Week 2 from the working table:
    // Atlanta 20-10 (ratio 2) over Arizona 10-20 (0.5), margins equal: spread 1.
    // Cincinnati 17-17 (1) over Buffalo 14-21 (0.67), spread |0 - 7| = 7.
    // Chicago allowed nothing and keeps Cincinnati's ratio 1; Carolina's 17-17
    // is also 1, so the home team wins; spread |24 - 0| = 24.
    // Baltimore 21-14 (1.5) over Cleveland 0-24 (0), spread |7 - 24| = 17.
    EXPECT_EQ(pcBytes(), pcFile({weekLine({2, 4, 5, 8}), weekLine({2, 3, 6, 7})},
                                {{1, 1}, {2, 1}, {3, 15}, {4, 1}, {5, 7}, {6, 24}, {7, 17}}));
    EXPECT_EQ(projection.spreads[0], 6); // recomputed with last season's values in week 1
    EXPECT_EQ(computeTeamRecords(pool, season), records);
}

// Absurd records give at most the largest spread a reader of the file
// takes for one, so the file the computer player writes is never damaged.
TEST_F(ComputerPlayer, AbsurdRecordsGiveAtMostTheLargestSpread) {
    test::writeBytes(oldScoresPath(pool.folders(), 2009), test::crlf({" 30000, 0, 1, 0, 0"}));
    Projection projection = project(test::miniSeason());
    EXPECT_EQ(projection.spreads[0], kMaxSpread);
    EXPECT_TRUE(isTidyComputerFile(splitLines(pcBytes()), SeasonShape{}));
}

struct RealWeekCase : test::NamedCase {
    const char* scoresThrough;
    int lastProjectedWeek;
};

class RealSeason : public ComputerPlayer, public testing::WithParamInterface<RealWeekCase> {};

TEST_P(RealSeason, ProjectsThroughTheComingWeek) {
    writeOldScores2009();
    Season season = test::csvSeason(2010, GetParam().scoresThrough);
    expectProjectedThrough(season.games, project(season), GetParam().lastProjectedWeek);
}

INSTANTIATE_TEST_SUITE_P(Weeks, RealSeason,
                         testing::Values(RealWeekCase{"NoScores", test::kNoScores, 1},
                                         RealWeekCase{"WeeksOneToEight", "11/02/2010", 9},
                                         RealWeekCase{"WeekNineWithoutMonday", "11/07/2010", 10},
                                         RealWeekCase{"WholeSeason", "", 17}),
                         test::caseName);

TEST_F(ComputerPlayer, MissingOldScoresAreComputedFromAFinishedSeason) {
    writeOldScores2009();
    std::string oldScoresBytes = test::readBytes(oldScoresPath(pool.folders(), 2009));
    Season season = test::csvSeason(2010, test::kNoScores);
    project(season);
    std::string fromFile = pcBytes();

    fs::remove(oldScoresPath(pool.folders(), 2009));
    fs::remove(pcPath());
    test::storeSeasons(pool, {2009, 2010});
    project(season);
    EXPECT_EQ(pcBytes(), fromFile);
    EXPECT_EQ(test::readBytes(oldScoresPath(pool.folders(), 2009)), oldScoresBytes);
}

// An eighteen-week season from the public file, run week by week: the
// computer player covers each coming week, and the season ends with its
// old-scores file once every game is scored.
TEST(EighteenWeekSeason, RunsWeekByWeekToItsEnd) {
    test::PoolFixture home;
    Pool& pool = home.pool;
    ASSERT_TRUE(ensureGamesTable(pool));
    ASSERT_TRUE(importScheduleFile(pool, test::communityCsv(), {}).ok);
    std::vector<GameRecord> full = test::tableRecords(pool);
    pool.setSeasonYear(2021);
    for (int week : {1, 9, 18}) {
        std::vector<GameRecord> records = full;
        for (GameRecord& r : records)
            if (r.year == "2021" && r.week >= week)
                r.visitorScore = r.homeScore = "";
        test::storeRecords(pool, records);
        SeasonState state = refreshSeason(pool);
        EXPECT_EQ(state.currentWeek, week) << week;
        EXPECT_FALSE(state.seasonOver) << week;
        int projected = 0;
        for (size_t g = 0; g < state.season.games.size(); ++g)
            projected += state.season.games[g].week == week && state.projection.spreads[g] > 0;
        EXPECT_GT(projected, 0) << week;
    }
    test::storeRecords(pool, full);
    SeasonState over = refreshSeason(pool);
    EXPECT_TRUE(over.seasonOver);
    EXPECT_EQ(over.currentWeek, 18);
    EXPECT_EQ(over.season.games.size(), 272u);
    EXPECT_TRUE(std::filesystem::exists(oldScoresPath(pool.folders(), 2021)));
}

} // namespace
} // namespace gs
