#include "core/league.h"
#include "core/state.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

TEST(League, KnownTeamsAndDivisions) {
    State = ProgramState{};
    BuildLeagueTable();
    const LeagueTableData& league = State.LeagueTable;
    EXPECT_EQ(league.teamName[19], "N.Y. Giants");
    EXPECT_EQ(league.teamAbbreviation[19], "NYG");
    EXPECT_EQ(league.divisionName[league.teamDivision[19]], "NFC East");
    EXPECT_EQ(league.teamName[32], "Washington Redskins");
    EXPECT_EQ(league.teamAbbreviation[32], "WAS");
    EXPECT_EQ(league.teamDivision[32], 1);
    EXPECT_EQ(State.TeamRecords[32][6], 1);
    for (int d = 1; d <= kDivisionCount; ++d) {
        int members = 0;
        for (int t = 1; t <= kTeamCount; ++t)
            members += league.teamDivision[t] == d;
        EXPECT_EQ(members, 4) << "division " << d;
    }
}

TEST(League, LookupIsExact) {
    State = ProgramState{};
    BuildLeagueTable();
    EXPECT_EQ(teamNumber("Dallas Cowboys"), 9);
    EXPECT_EQ(teamNumber("dallas cowboys"), 0);
    EXPECT_EQ(teamNumber("Dallas  Cowboys"), 0);
    EXPECT_EQ(teamNumberIgnoringSpaces("Dallas  Cowboys "), 9);
}

} // namespace
} // namespace gs
