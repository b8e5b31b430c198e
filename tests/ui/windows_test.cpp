#include "tests/ui/uitest.h"

#include "core/poolsettings.h"
#include "ftpserver.h"
#include "tests/support/sampledata.h"
#include "ui/scoreentrydialog.h"

#include <QProgressBar>

namespace gs {
namespace {

namespace fs = std::filesystem;

using ScoreEntryWindow = test::MainWindowTest;
using ExchangeWindow = test::MainWindowTest;

// The game the window is on, the scores in its boxes and the weeks that
// can be chosen ("+").
std::string shown(const QWidget* dialog) {
    std::string text;
    for (const char* name :
         {"visitorTeamLabel", "homeTeamLabel", "gameDateLabel", "gamePositionLabel"})
        text += test::child<QLabel>(dialog, name)->text().toStdString() + " | ";
    for (const char* name : {"visitorScoreEdit", "homeScoreEdit"})
        text += "[" + test::child<QLineEdit>(dialog, name)->text().toStdString() + "]";
    for (int week = 1; week <= 17; ++week)
        text += dialog->findChild<QRadioButton*>("weekOption" + QString::number(week))->isEnabled()
                    ? "+"
                    : "-";
    return text;
}

// Import Scores... and Import Schedule... each take the file chosen.
TEST_F(ScoreEntryWindow, ImportButtonsTakeTheChosenFileAndTheWindowShowsIt) {
    program.pool.setDayOverride("11/9/2010"); // week 9 has been played
    fs::path scores = program.home.path() / "games.csv";
    test::writeBytes(scores, sample::dataSetGamesFile(test::seasonRecords(2010, "11/8/2010"),
                                                      sample::DataSetColumns::Read));
    fs::path schedule = program.home.path() / "schedule.csv";
    test::writeBytes(schedule, "season,game_type,week,gameday,gametime,away_team,home_team,"
                               "away_score,home_score\n"
                               "2016,REG,1,2016-09-08,20:30,CAR,DEN,20,21\n");
    loginAsAdmin();
    ASSERT_TRUE(withModal("enterScoresAction", [&](QWidget* widget) {
        auto* dialog = qobject_cast<ScoreEntryDialog*>(widget);
        ASSERT_NE(dialog, nullptr);
        dialog->setFileChooser([&] { return QString::fromStdString(scores.string()); });
        dialog->setScheduleChooser([&] { return QString::fromStdString(schedule.string()); });
        QTest::mouseClick(test::child<QRadioButton>(dialog, "weekOption8"), Qt::LeftButton);
        QTest::mouseClick(test::child<QRadioButton>(dialog, "weekOption9"), Qt::LeftButton);
        test::press(dialog, "importScoresButton");
        EXPECT_EQ(program.dialogs.messages().size(), 1u);
        // The next game of week 9 shows the score the file gave it.
        test::press(dialog, "nextGameButton");
        EXPECT_EQ(shown(dialog), "Miami Dolphins | Baltimore Ravens | Sunday, 11/7/2010 | Game "
                                 "2 of 13, week 9 | [ 10][ 26]+++++++++--------");
        test::press(dialog, "importScheduleButton");
        test::press(dialog, "closeButton");
    }));
    EXPECT_EQ(
        test::tableRecords(program.pool).back(),
        (GameRecord{"Carolina Panthers", "Denver Broncos", "9/8/2016", "20", "21", "2016", 1}));
    // The page shows the new scores: week 9 is over.
    trigger("weeklyPicksAction");
    EXPECT_EQ(find<QLabel>("weekNumberLabel")->text(), "10");
}

TEST_F(ScoreEntryWindow, UpdateGamesFromAFileAddressShowsItsBytes) {
    std::string file = test::communityCsv().string();
    test::writeBytes(poolSettingsPath(program.pool.folders()), "gamesUrl=file://" + file + "\r\n");
    loginAsAdmin();
    ASSERT_TRUE(withModal("updateGamesAction", [&](QWidget* dialog) {
        auto* close = test::child<QPushButton>(dialog, "closeUpdateButton");
        auto* bar = test::child<QProgressBar>(dialog, "gamesUpdateProgressBar");
        QTRY_VERIFY_WITH_TIMEOUT(close->isEnabled(), 30000);
        EXPECT_FALSE(test::child<QPushButton>(dialog, "cancelUpdateButton")->isEnabled());
        EXPECT_EQ(bar->maximum(), static_cast<int>(test::readBytes(file).size()));
        EXPECT_EQ(bar->value(), bar->maximum());
        QTest::mouseClick(close, Qt::LeftButton);
    }));
    EXPECT_EQ(test::tableRecords(program.pool).size(), 1792u + 1552u);
}

// ------------------------------------------------------------ exchange

// A shared folder is listed and sent to; a switch to FTP and Change store
// the new place with the user.
TEST_F(ExchangeWindow, ButtonsListSendAndChangeThePlace) {
    loginAsAdmin();
    test::TempDir shared;
    test::writeBytes(shared.path() / "Al2010.dat", "picks");
    test::editCurrentUser(program.pool,
                          [&](UserSlot& own) { own.exchangeAddress = shared.path().string(); });
    ASSERT_TRUE(withModal("exchangeFilesAction", [&](QWidget* dialog) {
        auto* files = test::child<QListWidget>(dialog, "remoteFileList");
        test::press(dialog, "remoteDirectoryButton");
        ASSERT_EQ(files->count(), 1);
        EXPECT_EQ(files->item(0)->text(), "Al2010.dat");
        test::press(dialog, "uploadAdminFilesButton");
        QTest::mouseClick(test::child<QRadioButton>(dialog, "ftpModeOption"), Qt::LeftButton);
        test::child<QLineEdit>(dialog, "addressEdit")->setText("host.example/pool/");
        test::press(dialog, "changeAddressButton");
        test::press(dialog, "exitButton");
    }));
    EXPECT_EQ(
        test::folderEntries(shared.path()),
        (std::vector<std::string>{"Al2010.dat", "PC2010.dat", "UserList.db", "scoresheet97.mdb"}));
    EXPECT_EQ(program.pool.currentSlot()->exchangeAddress, "ftp://host.example/pool");
}

// A server that is down: the failed try shows on the progress line, and
// Exit, pressed while the window waits to try again, cancels the wait.
TEST_F(ExchangeWindow, AFailedTryShowsAndExitCancelsTheWait) {
    loginAsAdmin();
    test::FtpServer server;
    test::editCurrentUser(
        program.pool, [&](UserSlot& own) { own.exchangeAddress = "ftp://" + server.address(); });
    server.stop();
    QString progress;
    bool closed = false;
    ASSERT_TRUE(withModal("exchangeFilesAction", [&](QWidget* dialog) {
        auto* status = test::child<QLabel>(dialog, "exchangeStatusLabel");
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (!status->isVisible() || !status->text().contains("failed"))
                return;
            progress = status->text();
            watch.stop();
            test::press(dialog, "exitButton");
        });
        watch.start(5);
        test::press(dialog, "remoteDirectoryButton");
        closed = !dialog->isVisible();
    }));
    EXPECT_TRUE(closed);
    EXPECT_TRUE(progress.contains("try 1 of 10 failed")) << progress.toStdString();
    EXPECT_TRUE(program.dialogs.messages().empty());
}

} // namespace
} // namespace gs
