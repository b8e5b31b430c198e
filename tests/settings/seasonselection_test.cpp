#include "settings/seasonselection.h"

#include "core/league.h"
#include "core/userlist.h"
#include "picks/weeklypicks.h"
#include "schedule/seasongames.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

namespace fs = std::filesystem;
using test::crlf;
using test::readBytes;
using test::writeBytes;

const std::string kList = crlf({"2010", "admin,1,9,1,,0,", "PC,1,1,0,Z,0,", "ann,1,3,0,,0,"});

class SeasonChoice : public testing::Test {
protected:
    test::PoolFixture program;
    Pool& pool = program.pool;
    SeasonSelection window{program.pool, program.dialogs};

    void SetUp() override {
        writeBytes(userListPath(pool.folders()), kList);
        pool.setCurrentUser("ann");
    }
};

TEST_F(SeasonChoice, OpensOnTheSeasonInForceAndSwitchesAtOnce) {
    window.open();
    EXPECT_EQ(window.caption, "Season Year");
    EXPECT_EQ(window.label.caption, "Select Season Schedule:");
    EXPECT_EQ(window.seasons.entries,
              (std::vector<std::string>{"2015", "2014", "2013", "2012", "2011", "2010", "2009"}));
    EXPECT_EQ(window.seasons.selected, 5);

    window.chooseSeason(4);
    EXPECT_EQ(pool.seasonYear(), "2011");
    EXPECT_EQ(window.seasons.selected, 4);
    window.close();
    EXPECT_EQ(pool.seasonYear(), "2011");
    // Nothing is stored without "Apply".
    EXPECT_EQ(readBytes(userListPath(pool.folders())), kList);

    pool.setSeasonYear("1999");
    window.open();
    EXPECT_EQ(window.seasons.selected, -1);
}

TEST_F(SeasonChoice, ThePoolsDayIsSetBesideTheSeason) {
    pool.setClock([] { return std::string("10/3/2021"); });
    window.open();
    EXPECT_EQ(window.dayNow.caption, "The pool's day is 11/02/2010.");
    EXPECT_FALSE(window.setPoolDay("tomorrow"));
    EXPECT_EQ(program.dialogs.messages().size(), 1u);
    ASSERT_TRUE(window.setPoolDay("today"));
    EXPECT_EQ(window.dayBox.caption, "today");
    EXPECT_EQ(pool.referenceDate(), "10/3/2021");
    ASSERT_TRUE(window.setPoolDay(""));
    window.chooseSeason(0); // 2015 keeps the day of old
    EXPECT_EQ(window.dayNow.caption, "The pool's day is 11/02/2010.");
}

TEST_F(SeasonChoice, ApplyStoresTheSeasonForTheNextLogin) {
    window.open();
    window.chooseSeason(1);
    ASSERT_TRUE(window.apply());
    EXPECT_EQ(program.dialogs.messages(),
              std::vector<std::string>{"Season Year: Season 2014 is the season now, and the next "
                                       "login starts in it as well."});
    EXPECT_EQ(readBytes(userListPath(pool.folders())),
              crlf({"2014", "admin,1,9,1,,0,", "PC,1,1,0,Z,0,", "ann,1,3,0,,0,"}));

    Pool next(program.home.path());
    next.setCurrentUser("ann");
    ASSERT_TRUE(loadUserList(next));
    EXPECT_EQ(next.seasonYear(), "2014");
}

TEST_F(SeasonChoice, ApplyWithoutAUserListSaysSo) {
    fs::remove(userListPath(pool.folders()));
    window.open();
    EXPECT_FALSE(window.apply());
    ASSERT_EQ(program.dialogs.shown.size(), 1u);
    EXPECT_EQ(program.dialogs.kinds.front(), MessageKind::Error);
    EXPECT_FALSE(fs::exists(userListPath(pool.folders())));
}

struct StoredSeasonCase {
    const char* name;
    const char* line;
    const char* season;
};

void PrintTo(const StoredSeasonCase& c, std::ostream* os) {
    *os << c.name;
}

class StoredSeason : public testing::TestWithParam<StoredSeasonCase> {};

TEST_P(StoredSeason, ALoadTakesLineOneOr2010) {
    const StoredSeasonCase& c = GetParam();
    test::PoolFixture program;
    writeBytes(userListPath(program.pool.folders()),
               crlf({c.line, "admin,1,9,1,,0,", "ann,1,3,0,,0,"}));
    program.pool.setCurrentUser("ann");
    program.pool.setSeasonYear("2013");
    ASSERT_TRUE(loadUserList(program.pool));
    EXPECT_EQ(program.pool.seasonYear(), c.season);
}

INSTANTIATE_TEST_SUITE_P(Lines, StoredSeason,
                         testing::Values(StoredSeasonCase{"Year", "2012", "2012"},
                                         StoredSeasonCase{"Spaces", " 2011 ", "2011"},
                                         StoredSeasonCase{"Empty", "", "2010"},
                                         StoredSeasonCase{"Word", "abcd", "2010"},
                                         StoredSeasonCase{"FiveDigits", "20111", "2010"},
                                         StoredSeasonCase{"ThreeDigits", "201", "2010"},
                                         StoredSeasonCase{"LetterO", "2O12", "2010"}),
                         [](const testing::TestParamInfo<StoredSeasonCase>& info) {
                             return std::string(info.param.name);
                         });

// Only "Apply" changes the season a login starts in: a save made while
// another season is browsed keeps the stored one.
TEST(StoredSeasonSave, SavingTheListKeepsTheLoginSeason) {
    test::PoolFixture program;
    Pool& pool = program.pool;
    writeBytes(userListPath(pool.folders()), kList);
    pool.setCurrentUser("ann");
    ASSERT_TRUE(loadUserList(pool));
    pool.setSeasonYear("2012");
    ASSERT_TRUE(saveUserList(pool));
    EXPECT_TRUE(readBytes(userListPath(pool.folders())).starts_with("2010\r\nadmin,1,9,1,,0,"));
}

// The weekly panel after a season switch: nothing of the season before.
class SeasonSwitch : public testing::Test {
protected:
    test::PoolFixture program;
    Pool& pool = program.pool;

    void SetUp() override {
        ASSERT_TRUE(ensureGamesTable(pool));
        test::addUser(pool, 1, "admin", 1);
        test::addUser(pool, 2, "PC");
        test::addUser(pool, 3, "ann");
        pool.setCurrentUser("ann");
    }

    std::string firstRow(const WeeklyPicksPanel& panel) {
        return panel.model().grid.cell(1, 0).text + " @ " + panel.model().grid.cell(1, 1).text;
    }
};

TEST_F(SeasonSwitch, PicksFilesProjectionsAndRecordsComeFromTheChosenSeason) {
    WeeklyPicksPanel panel(pool, program.dialogs);
    panel.open();
    ASSERT_EQ(panel.displayedWeek(), 9);
    EXPECT_EQ(firstRow(panel), "Tampa Bay Buccaneers @ Atlanta Falcons");
    panel.togglePick(1, 0);
    panel.savePicks();
    const std::string picks2010 = readBytes(pool.folders().program / "ann2010.dat");

    SeasonSelection window(pool, program.dialogs);
    window.open();
    window.chooseSeason(4); // 2011
    window.close();
    panel.open();
    EXPECT_EQ(panel.displayedWeek(), 1);
    EXPECT_EQ(firstRow(panel), "New Orleans Saints @ Green Bay Packers");
    for (int w = 1; w <= kWeeks; ++w)
        for (int t = 1; t <= kTeamCount; ++t)
            EXPECT_EQ(panel.picks()[w][t], 0) << w << " " << t;
    const std::string grid2011 = panel.model().grid.dump();
    panel.togglePick(1, 1);
    panel.savePicks();
    EXPECT_EQ(readBytes(pool.folders().program / "ann2010.dat"), picks2010);
    EXPECT_EQ(panel.picks()[1][teamNumber("Green Bay Packers")], 1);
    EXPECT_TRUE(fs::exists(pool.folders().program / "ann2011.dat"));
    EXPECT_TRUE(fs::exists(pool.folders().program / "PC2011.dat"));

    // A pool that starts in 2011 sees the very same season state.
    test::PoolFixture fresh;
    ASSERT_TRUE(ensureGamesTable(fresh.pool));
    test::addUser(fresh.pool, 1, "admin", 1);
    test::addUser(fresh.pool, 2, "PC");
    test::addUser(fresh.pool, 3, "ann");
    fresh.pool.setCurrentUser("ann");
    fresh.pool.setSeasonYear("2011");
    WeeklyPicksPanel freshPanel(fresh.pool, fresh.dialogs);
    freshPanel.open();
    EXPECT_EQ(panel.season().projection.spreads, freshPanel.season().projection.spreads);
    EXPECT_EQ(panel.season().projection.picks, freshPanel.season().projection.picks);
    EXPECT_EQ(panel.season().records, freshPanel.season().records);
    EXPECT_EQ(grid2011, freshPanel.model().grid.dump());

    window.chooseSeason(5); // 2010
    panel.open();
    EXPECT_EQ(panel.picks()[9][teamNumber("Tampa Bay Buccaneers")], 1);
    EXPECT_EQ(panel.picks()[1][teamNumber("Green Bay Packers")], 0);
}

TEST_F(SeasonSwitch, ASeasonWithoutGamesShowsNoWeekAndNothingToPick) {
    pool.setSeasonYear("2016");
    WeeklyPicksPanel panel(pool, program.dialogs);
    panel.open();
    EXPECT_EQ(panel.model().grid.rows(), 1);
    EXPECT_FALSE(panel.model().nextWeekButton.enabled);
    EXPECT_FALSE(panel.model().previousWeekButton.enabled);
    panel.togglePick(1, 0);
    EXPECT_EQ(panel.picks(), PickTable{});
}

} // namespace
} // namespace gs
