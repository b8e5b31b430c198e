#include "stats/teamrecords.h"

#include "core/text.h"
#include "schedule/pickfiles.h"
#include "tests/support/testsupport.h"

namespace gs {
namespace {

std::string recordOf(const TeamRecordTable& records, int team) {
    const TeamRecord& r = records[team];
    return decimalText(r.pointsFor) + " " + decimalText(r.pointsAgainst) + " " +
           decimalText(r.wins) + "-" + decimalText(r.losses) + "-" + decimalText(r.ties);
}

// "name: for against wins-losses-ties" a line, for every team with anything in it.
std::string recordsDump(const TeamRecordTable& records) {
    std::string dump;
    for (int t = 1; t <= kTeamCount; ++t)
        if (recordOf(records, t) != "0 0 0-0-0")
            dump += league().teamName[t] + ": " + recordOf(records, t) + "\n";
    return dump;
}

class TeamRecords : public testing::Test {
protected:
    TeamRecords() { pool.setSeasonYear(2010); }
    // Last season's final records: team 9 (Dallas) 361 250 11-5-0, every other
    // team 1 2 3-4-0.
    void writeLastSeason() {
        std::vector<std::string> lines(32, " 1, 2, 3, 4, 0");
        lines[8] = " 361, 250, 11, 5, 0";
        test::writeBytes(oldScoresPath(pool.folders(), 2009), test::crlf(lines));
    }
    test::PoolFixture fixture;
    Pool& pool = fixture.pool;
};

// Rows 0..(number of scored games) are counted: a row with one score counts,
// its missing score as 0, and a scored row beyond that range waits.
TEST_F(TeamRecords, TiesAndHalfScoredRows) {
    Season season{
        gamesOf({{"Dallas Cowboys", "N.Y. Giants", "9/12/2010", "17", "17", "2010"},
                 {"Philadelphia Eagles", "Washington Redskins", "9/12/2010", "10", "", "2010"},
                 {"Miami Dolphins", "Buffalo Bills", "9/12/2010", "", "", "2010"},
                 {"Chicago Bears", "Detroit Lions", "9/12/2010", "3", "6", "2010"}})
            .value(),
        2};
    TeamRecordTable records = computeTeamRecords(pool, season);
    EXPECT_EQ(recordsDump(records), "Dallas Cowboys: 17 17 0-0-1\n"
                                    "N.Y. Giants: 17 17 0-0-1\n"
                                    "Philadelphia Eagles: 10 0 1-0-0\n"
                                    "Washington Redskins: 0 10 0-1-0\n");
    EXPECT_EQ(records[9].division, 1); // the division is left alone
    // A tie is no loss for the visitor either.
    EXPECT_TRUE(teamGameLists(season, PickTable{}, *Team::ofNumber(9)).lostTo.empty());
}

// Before the first score last season's file stands, every team from nothing
// without it; no game is listed as remaining yet.
TEST_F(TeamRecords, BeforeTheFirstScoreLastSeasonsFileStands) {
    TeamRecordTable records;
    for (TeamRecord& team : records)
        team = {7, 7, 7, 7, 7, 7};
    EXPECT_FALSE(loadLastSeasonRecords(pool, 2009, records));
    EXPECT_EQ(recordsDump(records), "");

    writeLastSeason();
    Season season = test::csvSeason(2010, test::kNoScores);
    records = computeTeamRecords(pool, season);
    EXPECT_EQ(season.scoredGameCount, 0);
    EXPECT_EQ(recordOf(records, 9) + "|" + recordOf(records, 32), "361 250 11-5-0|1 2 3-4-0");
    for (int t = 1; t <= kTeamCount; ++t)
        EXPECT_TRUE(teamGameLists(season, PickTable{}, *Team::ofNumber(t)).remaining.empty()) << t;
}

} // namespace
} // namespace gs
