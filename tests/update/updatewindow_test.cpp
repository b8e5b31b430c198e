#include "update/updatewindow.h"

#include "schedule/seasongames.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

namespace fs = std::filesystem;

const std::string kHeader =
    "season,game_type,week,gameday,gametime,away_team,home_team,away_score,home_score\n";

class UpdateWindowFlow : public testing::Test {
protected:
    UpdateWindowFlow() { ensureGamesTable(fixture.pool); }
    // One run of the window as the window layer drives it, on one thread.
    GamesUpdateWindowModel run(const std::string& bytes, bool cancelFirst = false) {
        fs::path file = fixture.home.path() / "games.csv";
        test::writeBytes(file, bytes);
        GamesUpdateOptions options;
        options.url = "file://" + file.string();
        GamesUpdateWindow window(fixture.pool, fixture.dialogs, options);
        EXPECT_TRUE(window.start());
        EXPECT_TRUE(window.model().cancelButton.enabled);
        EXPECT_FALSE(window.model().closeButton.enabled);
        if (cancelFirst)
            window.cancel();
        window.finish(window.fetch());
        EXPECT_FALSE(window.isRunning());
        EXPECT_TRUE(window.model().closeButton.enabled);
        return window.model();
    }
    std::string tableBytes() { return test::readBytes(fixture.pool.gamesDatabasePath()); }
    test::PoolFixture fixture;
};

TEST_F(UpdateWindowFlow, ShowsTheBytesAndAsksBeforeOverwriting) {
    std::string first = kHeader + "2016,REG,1,2016-09-08,20:30,CAR,DEN,20,21\n";
    GamesUpdateWindowModel filled = run(first);
    EXPECT_EQ(filled.status.caption, "The games table was updated.");
    EXPECT_EQ(filled.progress.maximum, static_cast<int>(first.size()));
    EXPECT_EQ(filled.progress.value, filled.progress.maximum);
    ASSERT_EQ(fixture.dialogs.kinds, std::vector<MessageKind>{MessageKind::Information});

    std::string corrected = kHeader + "2016,REG,1,2016-09-08,20:30,CAR,DEN,20,24\n";
    for (bool agree : {false, true}) {
        fixture.dialogs.clear();
        fixture.dialogs.confirmAnswers = {agree};
        std::string before = tableBytes();
        GamesUpdateWindowModel asked = run(corrected);
        ASSERT_EQ(fixture.dialogs.shown.size(), 2u);
        EXPECT_EQ(fixture.dialogs.shown[0].kind, "confirm");
        EXPECT_EQ(fixture.dialogs.shown[0].title, "Update Schedule and Scores");
        EXPECT_EQ(fixture.dialogs.kinds.back(),
                  agree ? MessageKind::Information : MessageKind::Error);
        EXPECT_EQ(asked.status.caption,
                  agree ? "The games table was updated." : "Nothing was changed.");
        if (!agree) {
            EXPECT_EQ(tableBytes(), before);
        }
    }
    EXPECT_EQ(test::tableRecords(fixture.pool).back().homeScore, "24");
}

TEST_F(UpdateWindowFlow, CancelChangesNothing) {
    std::string before = tableBytes();
    GamesUpdateWindowModel cancelled =
        run(kHeader + "2016,REG,1,2016-09-08,20:30,CAR,DEN,20,21\n", true);
    EXPECT_EQ(cancelled.status.caption, "Nothing was changed.");
    EXPECT_EQ(fixture.dialogs.messages(),
              std::vector<std::string>{
                  "Error: The download was cancelled. The games table was left as it is."});
    EXPECT_EQ(tableBytes(), before);
}

} // namespace
} // namespace gs
