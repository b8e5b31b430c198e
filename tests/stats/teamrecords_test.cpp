#include "stats/teamrecords.h"

#include "core/text.h"
#include "core/textfile.h"
#include "schedule/pickfiles.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>
#include <ostream>

namespace gs {
namespace {

std::string recordOf(const TeamRecordTable& records, int team) {
    const auto& row = records[team];
    return decimalText(row[1]) + " " + decimalText(row[2]) + " " + decimalText(row[3]) + "-" +
           decimalText(row[4]) + "-" + decimalText(row[5]);
}

// "name: for against wins-losses-ties" a line, for every team with anything in it.
std::string recordsDump(const TeamRecordTable& records) {
    std::string dump;
    for (int t = 1; t <= kTeamCount; ++t)
        if (recordOf(records, t) != "0 0 0-0-0")
            dump += league().teamName[t] + ": " + recordOf(records, t) + "\n";
    return dump;
}

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const auto& name : names)
        text += name + ";";
    return text;
}

class TeamRecords : public testing::Test {
protected:
    TeamRecords() { pool.setSeasonYear("2010"); }
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

struct RealSeasonCase {
    const char* name;
    int year;
    const char* scoresThrough;
    int scoredGames;
    std::string known; // lines of recordsDump for a few teams
};

void PrintTo(const RealSeasonCase& c, std::ostream* os) {
    *os << c.name;
}

class RealSeasons : public TeamRecords, public testing::WithParamInterface<RealSeasonCase> {};

TEST_P(RealSeasons, AddUpAndMatchTheKnownRecords) {
    const RealSeasonCase& c = GetParam();
    pool.setSeasonYear(std::to_string(c.year));
    Season season = test::csvSeason(c.year, c.scoresThrough);
    TeamRecordTable records = computeTeamRecords(pool, season);
    EXPECT_EQ(season.scoredGameCount, c.scoredGames);
    double pointsFor = 0;
    double pointsAgainst = 0;
    for (int t = 1; t <= kTeamCount; ++t) {
        int played = 0;
        for (const SeasonGame& game : season.games)
            played +=
                game.scored() && (teamNumber(game.visitor) == t || teamNumber(game.home) == t);
        const auto& row = records[t];
        EXPECT_EQ(row[3] + row[4] + row[5], played) << league().teamName[t];
        pointsFor += row[1];
        pointsAgainst += row[2];
    }
    EXPECT_EQ(pointsFor, pointsAgainst);
    std::string known;
    for (const std::string& line : splitLines(c.known)) {
        std::string team = line.substr(0, line.find(':'));
        known += team + ": " + recordOf(records, teamNumber(team)) + "\n";
    }
    EXPECT_EQ(known, c.known);
    EXPECT_EQ(records[9][6], 1); // the division column is left alone
}

INSTANTIATE_TEST_SUITE_P(
    Seasons, RealSeasons,
    testing::Values(
        RealSeasonCase{"Whole2009", 2009, "", 256,
                       "Indianapolis Colts: 416 307 14-2-0\nDetroit Lions: 262 494 2-14-0\n"},
        RealSeasonCase{"Whole2010", 2010, "", 256,
                       "New England Patriots: 518 313 14-2-0\nN.Y. Giants: 394 347 10-6-0\n"},
        RealSeasonCase{"Through2010Week8", 2010, "11/02/2010", 117,
                       "N.Y. Giants: 175 153 5-2-0\nBuffalo Bills: 131 211 0-7-0\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// Rows 0..(number of scored games) are counted: a row with one score counts,
// its missing score as 0, and a scored row beyond that range waits.
TEST_F(TeamRecords, TiesAndHalfScoredRows) {
    Season season{{{"Dallas Cowboys", "N.Y. Giants", "9/12/2010", "17", "17"},
                   {"Philadelphia Eagles", "Washington Redskins", "9/12/2010", "10", ""},
                   {"Miami Dolphins", "Buffalo Bills", "9/12/2010", "", ""},
                   {"Chicago Bears", "Detroit Lions", "9/12/2010", "3", "6"}},
                  2};
    EXPECT_EQ(recordsDump(computeTeamRecords(pool, season)), "Dallas Cowboys: 17 17 0-0-1\n"
                                                             "N.Y. Giants: 17 17 0-0-1\n"
                                                             "Philadelphia Eagles: 10 0 1-0-0\n"
                                                             "Washington Redskins: 0 10 0-1-0\n");
}

TEST_F(TeamRecords, BeforeTheFirstScoreLastSeasonsFileStands) {
    writeLastSeason();
    Season season = test::csvSeason(2010, test::kNoScores);
    TeamRecordTable records = computeTeamRecords(pool, season);
    EXPECT_EQ(season.scoredGameCount, 0);
    EXPECT_EQ(recordOf(records, 9) + "|" + recordOf(records, 32), "361 250 11-5-0|1 2 3-4-0");
}

TEST_F(TeamRecords, WithoutLastSeasonEveryTeamStartsFromNothing) {
    TeamRecordTable records;
    for (auto& team : records)
        team.fill(7.0);
    EXPECT_FALSE(loadLastSeasonRecords(pool, 2009, records));
    EXPECT_EQ(recordsDump(records), "");
}

TEST_F(TeamRecords, BeforeTheFirstScoreNoGameIsListedAsRemaining) {
    Season season = test::csvSeason(2010, test::kNoScores);
    for (int t = 1; t <= kTeamCount; ++t)
        EXPECT_TRUE(teamGameLists(season, PickTable{}, t).remaining.empty()) << t;
}

TEST_F(TeamRecords, TeamsMetTwiceAreListedTwice) {
    int giants = teamNumber("N.Y. Giants");
    PickTable picks{};
    picks[1][giants] = 1;
    picks[9][giants] = 1;
    TeamLists lists = teamGameLists(test::csvSeason(2010), picks, giants);
    EXPECT_EQ(joined(lists.beaten),
              "Carolina Panthers;Chicago Bears;Houston Texans;Detroit Lions;Dallas Cowboys;"
              "Seattle Seahawks;Jacksonville Jaguars;Washington Redskins;Minnesota Vikings;"
              "Washington Redskins;");
    EXPECT_EQ(joined(lists.lostTo), "Indianapolis Colts;Tennessee Titans;Dallas Cowboys;"
                                    "Philadelphia Eagles;Philadelphia Eagles;Green Bay Packers;");
    EXPECT_EQ(joined(lists.remaining), "");
    EXPECT_EQ(joined(lists.division),
              "Dallas Cowboys;N.Y. Giants;Philadelphia Eagles;Washington Redskins;");
    EXPECT_EQ(lists.pickedCount, 2);
}

TEST_F(TeamRecords, HeadToHeadShowsThePlayedMeetings) {
    test::storeSeasons(pool, {2010, 2013});
    auto meetings = [this](int scoredGames, const char* team, const char* opponent) {
        HeadToHeadResult r = headToHead(pool, scoredGames, team, opponent);
        return r.heading + "|" + r.firstDate + "|" + r.firstResult + "|" + r.secondDate + "|" +
               r.secondResult;
    };
    // With 117 games scored the second meeting is still to come.
    EXPECT_EQ(meetings(117, "N.Y. Giants", "Dallas Cowboys"),
              "N.Y. Giants against Dallas Cowboys|10/25/2010|Won  41 to  35||");
    EXPECT_EQ(
        meetings(256, "Dallas Cowboys", "N.Y. Giants"),
        "Dallas Cowboys against N.Y. Giants|10/25/2010|Lost  41 to  35|11/14/2010|Won  33 to  20");
    EXPECT_EQ(meetings(256, "N.Y. Giants", "Buffalo Bills"), "||||");
    pool.setSeasonYear("2013");
    EXPECT_EQ(meetings(256, "Green Bay Packers", "Minnesota Vikings"),
              "Green Bay Packers against Minnesota Vikings|10/27/2013|Won  44 to  31|11/24/2013|"
              "Tied  26 to  26");
}

TEST_F(TeamRecords, FindScheduledGameNamesTheVisitorFirst) {
    test::storeSeasons(pool, {2010});
    auto found = [this](const char* team, const char* entry) {
        ScheduledGame g = findScheduledGame(pool, team, entry);
        return g.heading + "|" + g.dayName + "|" + g.date;
    };
    EXPECT_EQ(found("N.Y. Giants", "@Dallas Cowboys"),
              "N.Y. Giants at Dallas Cowboys|Monday|10/25/2010");
    EXPECT_EQ(found("N.Y. Giants", "Dallas Cowboys"),
              "Dallas Cowboys at N.Y. Giants|Sunday|11/14/2010");
    EXPECT_EQ(found("N.Y. Giants", "@Buffalo Bills"), "||");
}

} // namespace
} // namespace gs
