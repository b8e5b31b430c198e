#include "update/updatewindow.h"

#include "schedule/seasongames.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

namespace fs = std::filesystem;

class UpdateWindowFlow : public testing::Test {
protected:
    UpdateWindowFlow() { ensureGamesTable(fixture.pool); }
    // One run of the window as the window layer drives it, on one thread,
    // on a file of one game: the status it ends with, then every dialog.
    std::string run(const std::string& homeScore, bool cancelFirst = false) {
        fs::path file = fixture.home.path() / "games.csv";
        test::writeBytes(file, "season,game_type,week,gameday,gametime,away_team,home_team,"
                               "away_score,home_score\n2016,REG,1,2016-09-08,20:30,CAR,DEN,20," +
                                   homeScore + "\n");
        fixture.dialogs.clear();
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
        bar = window.model().progress;
        bytes = static_cast<int>(fs::file_size(file));
        std::string shown = window.model().status.caption;
        for (const test::FakeDialogs::Shown& dialog : fixture.dialogs.shown)
            shown += "\n" + dialog.kind + " " + dialog.title;
        return shown;
    }
    std::string tableBytes() { return test::readBytes(fixture.pool.gamesDatabasePath()); }
    test::PoolFixture fixture;
    ProgressModel bar;
    int bytes = 0;
};

TEST_F(UpdateWindowFlow, ShowsTheBytesAndAsksBeforeOverwriting) {
    EXPECT_EQ(run("21"), "The games table was updated.\nmessage Update Schedule and Scores");
    EXPECT_EQ(bar.maximum, bytes);
    EXPECT_EQ(bar.value, bytes);
    std::string before = tableBytes();
    fixture.dialogs.confirmAnswers = {false};
    EXPECT_EQ(run("24"), "Nothing was changed.\nconfirm Update Schedule and Scores\nmessage Error");
    EXPECT_TRUE(tableBytes() == before);
    // Asked again, the person agrees.
    EXPECT_EQ(run("24"), "The games table was updated.\nconfirm Update Schedule and Scores\n"
                         "message Update Schedule and Scores");
    EXPECT_EQ(test::tableRecords(fixture.pool).back().homeScore, "24");
}

TEST_F(UpdateWindowFlow, CancelChangesNothing) {
    std::string before = tableBytes();
    EXPECT_EQ(run("21", true), "Nothing was changed.\nmessage Error");
    EXPECT_EQ(fixture.dialogs.messages(),
              std::vector<std::string>{
                  "Error: The download was cancelled. The games table was left as it is."});
    EXPECT_TRUE(tableBytes() == before);
}

} // namespace
} // namespace gs
