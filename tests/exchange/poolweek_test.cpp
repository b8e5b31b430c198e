// A week of the pool between two machines, each a home folder of its own:
// the player uploads his picks, the administrator downloads them and
// uploads the master files, the player downloads those, and both machines
// show the same results.

#include "exchangehome.h"
#include "results/allresults.h"
#include "results/userstatistics.h"
#include "schedule/pickfiles.h"
#include "stats/seasonrefresh.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

namespace fs = std::filesystem;
using test::ExchangeHome;
using test::readBytes;

// The board and the statistics a machine shows to the viewer.
std::string boardAndStandings(Pool& pool, Dialogs& dialogs, const std::string& viewer) {
    std::string logged = pool.currentUser();
    pool.setCurrentUser(viewer);
    // Statistics first: opening them brings the computer player up to date.
    UserStatisticsPanel statistics(pool, dialogs);
    statistics.open();
    AllResultsPanel board(pool, dialogs);
    board.open();
    pool.setCurrentUser(logged);
    return board.model().grid.dump() + "\n" + statistics.model().totalsGrid.dump();
}

PickTable alsPicks() {
    PickTable picks{};
    for (int w = 1; w <= 8; ++w)
        for (int t = w % 3 + 1; t <= kTeamCount; t += 3)
            picks[w][t] = 1;
    return picks;
}

class PoolWeek : public testing::TestWithParam<ExchangeMode> {
protected:
    PoolWeek() : place(GetParam()) {}
    test::SharedPlace place;
};

TEST_P(PoolWeek, PlayerAndAdministratorSeeTheSameResults) {
    ExchangeHome admin("admin", GetParam(), place.address());
    ExchangeHome al("Al", GetParam(), place.address());
    // The player's machine still has the scores of three weeks ago.
    test::storeSeasons(al.pool, {2010}, "10/15/2010");
    ASSERT_TRUE(savePicks(al.pool, "Al", alsPicks()));
    std::string before = boardAndStandings(al.pool, al.dialogs, "Al");

    EXPECT_EQ(al.operations->uploadUserFiles(), OperationEnd::Completed);
    EXPECT_EQ(admin.operations->downloadAllUserFiles(), OperationEnd::Completed);
    EXPECT_EQ(readBytes(admin.program() / "Al2010.dat"), readBytes(al.program() / "Al2010.dat"));

    // The administrator has entered the scores; his computer player follows.
    SeasonState season = refreshSeason(admin.pool);
    EXPECT_TRUE(season.errors.empty());
    EXPECT_EQ(admin.operations->uploadAdminFiles(), OperationEnd::Completed);
    EXPECT_EQ(al.operations->downloadAllUserFiles(), OperationEnd::Completed);

    EXPECT_EQ(test::dumpRecords(test::tableRecords(al.pool)),
              test::dumpRecords(test::tableRecords(admin.pool)));
    std::string onAdminsMachine = boardAndStandings(admin.pool, admin.dialogs, "Al");
    std::string onPlayersMachine = boardAndStandings(al.pool, al.dialogs, "Al");
    EXPECT_EQ(onPlayersMachine, onAdminsMachine);
    EXPECT_NE(onPlayersMachine, before);
    EXPECT_EQ(readBytes(al.program() / "PC2010.dat"), readBytes(admin.program() / "PC2010.dat"));
    for (ExchangeHome* home : {&admin, &al})
        for (const auto& shown : home->dialogs.shown)
            EXPECT_TRUE(shown.text == kOperationCompleteMessage) << shown.text;
}

INSTANTIATE_TEST_SUITE_P(Modes, PoolWeek, testing::Values(ExchangeMode::Ftp, ExchangeMode::Lan),
                         testing::PrintToStringParamName());

} // namespace
} // namespace gs
