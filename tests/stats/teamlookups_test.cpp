#include "stats/teamrecords.h"

#include "core/state.h"
#include "schedule/gamesdb.h"
#include "schedule/pickfiles.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

namespace fs = std::filesystem;

void fillGamesTable(const std::vector<int>& years, const std::string& scoresThrough) {
    std::vector<GameRecord> records;
    for (int year : years)
        for (const SeasonGame& g : test::seasonFromCsv(year, scoresThrough))
            records.push_back(
                {g.visitor, g.home, g.date, g.visitorScore, g.homeScore, std::to_string(year)});
    std::string error;
    auto table = GamesTable::open(gamesDatabasePath(), error);
    ASSERT_TRUE(table) << error;
    ASSERT_TRUE(table->replaceSeasons(records, error)) << error;
}

class Lookups : public testing::Test {
protected:
    Lookups() {
        State.SeasonYear = "2010";
        fillGamesTable({2009, 2010, 2013}, "");
    }
    test::ProgramFixture fixture;
};

struct MeetingCase {
    const char* name;
    const char* season;
    int scoredGames;
    std::string team, opponent;
    std::string expected; // heading | first date | first result | second date | second result
};

class Meetings : public Lookups, public testing::WithParamInterface<MeetingCase> {};

TEST_P(Meetings, ShowThePlayedOnes) {
    const MeetingCase& c = GetParam();
    State.SeasonYear = c.season;
    State.ScoredGameCount = c.scoredGames;
    HeadToHeadResult r = HeadToHead(c.team, c.opponent);
    EXPECT_EQ(r.heading + "|" + r.firstDate + "|" + r.firstResult + "|" + r.secondDate + "|" +
                  r.secondResult,
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    HeadToHead, Meetings,
    testing::Values(
        MeetingCase{"FirstMeetingOnly", "2010", 117, "N.Y. Giants", "Dallas Cowboys",
                    "N.Y. Giants against Dallas Cowboys|10/25/2010|Won  41 to  35||"},
        MeetingCase{"BothMeetings", "2010", 256, "N.Y. Giants", "Dallas Cowboys",
                    "N.Y. Giants against Dallas Cowboys|10/25/2010|Won  41 to  35|"
                    "11/14/2010|Lost  33 to  20"},
        MeetingCase{"FromTheOtherSide", "2010", 256, "Dallas Cowboys", "N.Y. Giants",
                    "Dallas Cowboys against N.Y. Giants|10/25/2010|Lost  41 to  35|"
                    "11/14/2010|Won  33 to  20"},
        MeetingCase{"NamesWithoutSpaces", "2010", 256, "N.Y.Giants", " Washington Redskins",
                    "N.Y.Giants against  Washington Redskins|12/5/2010|Won  7 to  31|"
                    "1/2/2011|Won  17 to  14"},
        MeetingCase{"Tie", "2013", 256, "Green Bay Packers", "Minnesota Vikings",
                    "Green Bay Packers against Minnesota Vikings|10/27/2013|Won  44 to  31|"
                    "11/24/2013|Tied  26 to  26"},
        MeetingCase{"OtherSeasonsDoNotCount", "2009", 256, "Green Bay Packers", "Minnesota Vikings",
                    "Green Bay Packers against Minnesota Vikings|10/5/2009|Lost  23 to  30|"
                    "11/1/2009|Lost  38 to  26"},
        MeetingCase{"NeverMet", "2010", 256, "N.Y. Giants", "Buffalo Bills", "||||"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Lookups, UnplayedMeetingHasABlankResult) {
    fillGamesTable({2010}, "11/02/2010");
    State.ScoredGameCount = 117;
    HeadToHeadResult r = HeadToHead("N.Y. Giants", "Washington Redskins");
    EXPECT_EQ(r.firstDate, "12/5/2010");
    EXPECT_EQ(r.firstResult, "");
    EXPECT_EQ(r.secondDate, "");
}

struct ScheduledCase {
    const char* name;
    std::string team, entry;
    std::string expected; // heading | day | date
};

class Scheduled : public Lookups, public testing::WithParamInterface<ScheduledCase> {};

TEST_P(Scheduled, FindsTheGameOfTheEntry) {
    ScheduledGame g = FindScheduledGame(GetParam().team, GetParam().entry);
    EXPECT_EQ(g.heading + "|" + g.dayName + "|" + g.date, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    FindScheduledGame, Scheduled,
    testing::Values(ScheduledCase{"Away", "N.Y. Giants", "@Dallas Cowboys",
                                  "N.Y. Giants at Dallas Cowboys|Monday|10/25/2010"},
                    ScheduledCase{"AtHome", "N.Y. Giants", "Dallas Cowboys",
                                  "Dallas Cowboys at N.Y. Giants|Sunday|11/14/2010"},
                    ScheduledCase{"Thursday", "New Orleans Saints", "Minnesota Vikings",
                                  "Minnesota Vikings at New Orleans Saints|Thursday|9/9/2010"},
                    ScheduledCase{"NotOnTheSchedule", "N.Y. Giants", "@Buffalo Bills", "||"},
                    ScheduledCase{"EmptyEntry", "N.Y. Giants", "", "||"}),
    [](const auto& info) { return std::string(info.param.name); });

class LastSeason : public testing::Test {
protected:
    LastSeason() { State.SeasonYear = "2010"; }

    // The records ComputeTeamRecords gives the finished 2009 season.
    TeamRecordTable records2009() {
        State.SeasonYear = "2009";
        State.SeasonGames = test::seasonFromCsv(2009);
        ComputeTeamRecords();
        TeamRecordTable records = State.TeamRecords;
        State.SeasonYear = "2010";
        State.SeasonGames = test::seasonFromCsv(2010, "1/1/2000");
        return records;
    }

    test::ProgramFixture fixture;
};

TEST_F(LastSeason, FinishedSeasonInTheTableStandsInForItsFile) {
    TeamRecordTable expected = records2009();
    fillGamesTable({2009, 2010}, "");
    ComputeTeamRecords();
    EXPECT_EQ(State.TeamRecords, expected);

    State.TeamRecords = expected;
    std::string written = test::readBytes(oldScoresPath(2009));
    ASSERT_TRUE(writeOldScoresFile(2008));
    EXPECT_EQ(written, test::readBytes(oldScoresPath(2008)));
    EXPECT_TRUE(fixture.dialogs.shown.empty());
}

TEST_F(LastSeason, UnfinishedSeasonGivesZero) {
    records2009();
    fillGamesTable({2009, 2010}, "12/1/2009");
    State.TeamRecords[3][1] = 50;
    ComputeTeamRecords();
    for (int t = 1; t <= kTeamCount; ++t)
        for (int c = 1; c <= 5; ++c)
            EXPECT_EQ(State.TeamRecords[t][c], 0) << t << " " << c;
    EXPECT_FALSE(fs::exists(oldScoresPath(2009)));
}

TEST_F(LastSeason, SeasonMissingFromTheTableGivesZero) {
    State.SeasonYear = "2009";
    State.TeamRecords[3][1] = 50;
    fillGamesTable({2010}, "");
    EXPECT_FALSE(loadLastSeasonRecords(2008));
    EXPECT_EQ(State.TeamRecords[3][1], 0);
    EXPECT_FALSE(fs::exists(oldScoresPath(2008)));
}

TEST_F(LastSeason, TheFileWinsOverTheTable) {
    fillGamesTable({2009, 2010}, "");
    test::writeBytes(oldScoresPath(2009), " 1, 2, 3, 4, 5\r\n");
    EXPECT_TRUE(loadLastSeasonRecords(2009));
    EXPECT_EQ(State.TeamRecords[1], (std::array<double, 7>{0, 1, 2, 3, 4, 5, 2}));
    EXPECT_EQ(State.TeamRecords[2][3], 0);
}

} // namespace
} // namespace gs
