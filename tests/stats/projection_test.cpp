#include "stats/projection.h"

#include "core/state.h"
#include "schedule/calendar.h"
#include "schedule/pickfiles.h"
#include "stats/teamrecords.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>
#include <map>

namespace gs {
namespace {

namespace fs = std::filesystem;

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

std::vector<SeasonGame> miniSeason() {
    return {
        {"Arizona Cardinals", "Atlanta Falcons", "9/12/2010", "", ""},
        {"Baltimore Ravens", "Buffalo Bills", "9/12/2010", "", ""},
        {"Cincinnati Bengals", "Carolina Panthers", "9/12/2010", "", ""},
        {"Chicago Bears", "Cleveland Browns", "9/13/2010", "", ""},
        {"Atlanta Falcons", "Arizona Cardinals", "9/19/2010", "", ""},
        {"Buffalo Bills", "Cincinnati Bengals", "9/19/2010", "", ""},
        {"Carolina Panthers", "Chicago Bears", "9/19/2010", "", ""},
        {"Cleveland Browns", "Baltimore Ravens", "9/20/2010", "", ""},
        {"Arizona Cardinals", "Baltimore Ravens", "9/26/2010", "", ""},
        {"Buffalo Bills", "Chicago Bears", "9/27/2010", "", ""},
    };
}

void scoreWeekOne(std::vector<SeasonGame>& games) {
    const char* scores[4][2] = {{"10", "20"}, {"21", "14"}, {"17", "17"}, {"24", "0"}};
    for (int r = 0; r < 4; ++r) {
        games[r].visitorScore = scores[r][0];
        games[r].homeScore = scores[r][1];
    }
}

// Every game of weeks 1..last has exactly one team picked, every team
// without a game in a week none, and every spread of those games is set;
// nothing after them is projected.
void expectProjectedThrough(int lastWeek) {
    for (int w = 1; w <= kWeeks; ++w) {
        WeekRows rows = findWeekRows(w);
        int picked = 0;
        for (int t = 1; t <= kTeamCount; ++t)
            picked += State.ProjectedPicks[w][t];
        if (w > lastWeek) {
            EXPECT_EQ(picked, 0) << "week " << w;
            continue;
        }
        ASSERT_TRUE(rows.found());
        EXPECT_EQ(picked, rows.last - rows.first + 1) << "week " << w;
        for (int r = rows.first; r <= rows.last; ++r) {
            const SeasonGame& game = State.SeasonGames[r];
            int a = teamNumber(game.visitor);
            int b = teamNumber(game.home);
            EXPECT_EQ(State.ProjectedPicks[w][a] + State.ProjectedPicks[w][b], 1)
                << game.visitor << " at " << game.home;
            EXPECT_GE(State.SpreadTable[r], 1) << "row " << r;
        }
    }
    int end = findWeekRows(lastWeek).last + 1;
    for (int g = end; g <= kMaxSeasonGames; ++g)
        EXPECT_EQ(State.SpreadTable[g], 0) << "row " << g;
}

class Projection : public testing::Test {
protected:
    Projection() {
        State.SeasonYear = "2010";
        test::addUser(2, "PC");
    }
    fs::path pcPath() const { return State.ProgramFolder / "PC2010.dat"; }
    std::string pcBytes() const { return test::readBytes(pcPath()); }

    test::ProgramFixture fixture;
};

TEST_F(Projection, FromLastSeasonFirstThenFromThisSeasonsScores) {
    test::writeBytes(oldScoresPath(2009), kLastSeason);
    State.SeasonGames = miniSeason();
    ProjectTeams();
    // Atlanta 1.5 over Arizona 0.5, spread |10 - 16| = 6 (entry 0, not on file).
    // Buffalo 1.09 over Baltimore 1, spread 0.9 raised to 1.
    // Cincinnati has no games: it takes Baltimore's values (ratio 1, margin 0)
    // from the row before; Carolina 1.19 wins, spread 1.9 rounded down to 1.
    // Chicago allowed nothing, so it keeps the ratio 1 of the row before;
    // Cleveland's 1.5 wins, spread |5 - 20| = 15.
    std::string weekOne = pcFile({weekLine({2, 4, 5, 8})}, {{1, 1}, {2, 1}, {3, 15}});
    EXPECT_EQ(pcBytes(), weekOne);
    EXPECT_EQ(State.SpreadTable[0], 6);
    ProjectTeams();
    EXPECT_EQ(pcBytes(), weekOne); // a second run changes nothing

    scoreWeekOne(State.SeasonGames);
    ComputeTeamRecords();
    TeamRecordTable records = State.TeamRecords;
    State.SpreadTable[0] = 0; // as after a restart: entry 0 is not on file
    ProjectTeams();
    // Week 1 stays as projected. Week 2 from the working table:
    // Atlanta 20-10 (ratio 2) over Arizona 10-20 (0.5), margins equal: spread 1.
    // Cincinnati 17-17 (1) over Buffalo 14-21 (0.67), spread |0 - 7| = 7.
    // Chicago allowed nothing and keeps Cincinnati's ratio 1; Carolina's 17-17
    // is also 1, so the home team wins; spread |24 - 0| = 24.
    // Baltimore 21-14 (1.5) over Cleveland 0-24 (0), spread |7 - 24| = 17.
    EXPECT_EQ(pcBytes(), pcFile({weekLine({2, 4, 5, 8}), weekLine({2, 3, 6, 7})},
                                {{1, 1}, {2, 1}, {3, 15}, {4, 1}, {5, 7}, {6, 24}, {7, 17}}));
    EXPECT_EQ(State.SpreadTable[0], 6); // recomputed with last season's values in week 1
    EXPECT_EQ(State.TeamRecords, records);
}

// The 2009 season's final records as the 2010 season starts from them.
void writeOldScores2009() {
    State.SeasonYear = "2009";
    State.SeasonGames = test::seasonFromCsv(2009);
    ComputeTeamRecords();
    ASSERT_TRUE(WriteOldScores());
    State.SeasonYear = "2010";
}

struct RealWeekCase {
    const char* name;
    const char* scoresThrough;
    int lastProjectedWeek;
};

class RealSeason : public Projection, public testing::WithParamInterface<RealWeekCase> {};

TEST_P(RealSeason, ProjectsThroughTheComingWeek) {
    writeOldScores2009();
    State.SeasonGames = test::seasonFromCsv(2010, GetParam().scoresThrough);
    ProjectTeams();
    expectProjectedThrough(GetParam().lastProjectedWeek);

    std::string first = pcBytes();
    PickTable picks = State.ProjectedPicks;
    ProjectTeams();
    EXPECT_EQ(pcBytes(), first);
    EXPECT_EQ(State.ProjectedPicks, picks);
}

INSTANTIATE_TEST_SUITE_P(Weeks, RealSeason,
                         testing::Values(RealWeekCase{"NoScores", test::kNoScores, 1},
                                         RealWeekCase{"WeeksOneToEight", "11/02/2010", 9},
                                         RealWeekCase{"WeekNineWithoutMonday", "11/07/2010", 10},
                                         RealWeekCase{"WholeSeason", "", 17}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Projection, MissingOldScoresAreComputedFromAFinishedSeason) {
    writeOldScores2009();
    std::string oldScoresBytes = test::readBytes(oldScoresPath(2009));
    State.SeasonGames = test::seasonFromCsv(2010, test::kNoScores);
    ProjectTeams();
    std::string fromFile = pcBytes();

    fs::remove(oldScoresPath(2009));
    fs::remove(pcPath());
    test::storeSeasons({2009, 2010});
    ProjectTeams();
    EXPECT_EQ(pcBytes(), fromFile);
    EXPECT_EQ(test::readBytes(oldScoresPath(2009)), oldScoresBytes);
    EXPECT_TRUE(fixture.dialogs.shown.empty());
}

} // namespace
} // namespace gs
