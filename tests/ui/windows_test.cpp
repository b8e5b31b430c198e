#include "core/poolsettings.h"
#include "core/version.h"
#include "ftpserver.h"
#include "tests/support/recordingopener.h"
#include "tests/support/sampledata.h"
#include "tests/ui/uitest.h"
#include "ui/helpservices.h"
#include "ui/scoreentrydialog.h"

#include <QAbstractTextDocumentLayout>
#include <QCalendarWidget>
#include <QFile>
#include <QImage>
#include <QPdfWriter>
#include <QProgressBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QToolButton>
#include <QUrl>

namespace gs {
namespace {

class MenuEntries : public test::MainWindowTest {
protected:
    test::RecordingOpener opener;
    void SetUp() override {
        MainWindowTest::SetUp();
        window->setOpener(opener);
        loginAsAdmin();
    }
};

// The games of a day and the season's limits are the calendar's
// (calendarview_test.cpp); the window shows them.
TEST_F(MenuEntries, SeasonCalendarListsAClickedDayWithoutResizing) {
    ASSERT_TRUE(withModal("seasonCalendarAction", [&](QWidget* dialog) {
        auto* calendar = test::child<QCalendarWidget>(dialog, "seasonCalendar");
        int width = dialog->width();
        emit calendar->clicked(QDate(2010, 9, 13));
        EXPECT_EQ(dialog->width(), width);
        EXPECT_EQ(calendar->dateTextFormat(QDate(2010, 9, 13)).fontWeight(), QFont::Bold);
        EXPECT_EQ(test::child<QListWidget>(dialog, "gamesList")->count(), 2);
        test::press(dialog, "closeButton");
    }));
}

// The files and their messages are the exports' (csvexports_test.cpp).
TEST_F(MenuEntries, ExportsRunAndHideTheProgressBar) {
    for (const char* entry :
         {"exportHistoryAction", "exportResultsAction", "exportStatisticsAction"})
        trigger(entry);
    EXPECT_EQ(program.dialogs.messages().size(), 3u); // one for each file written
    EXPECT_FALSE(find<QProgressBar>("exportProgressBar")->isVisible());
}

// The manual laid out on a PDF writer's page: every picture there and within
// the text's width, and no heading left alone at the foot of a page.
TEST(ManualPages, PicturesFitAndHeadingsStayWithTheirText) {
    QFile source(":/manual/manual.md");
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    test::TempDir out;
    QPdfWriter writer(QString::fromStdString((out.path() / "manual.pdf").string()));
    const QSizeF body(writer.width(), writer.height());
    auto document = layOutPages(QString::fromUtf8(source.readAll()), ":/manual", &writer, body);
    // The page of a block's first line, which may move past its block's top.
    auto pageOf = [&](const QTextBlock& block) {
        qreal top = document->documentLayout()->blockBoundingRect(block).top();
        return static_cast<int>((top + block.layout()->lineAt(0).y()) / body.height());
    };
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() > 0 && block.next().isValid()) {
            EXPECT_EQ(pageOf(block), pageOf(block.next())) << block.text().toStdString();
        }
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            if (!it.fragment().charFormat().isImageFormat())
                continue;
            QString name = it.fragment().charFormat().toImageFormat().name();
            QImage picture =
                document->resource(QTextDocument::ImageResource, QUrl(name)).value<QImage>();
            EXPECT_FALSE(picture.isNull()) << name.toStdString();
            // Pictures are laid out at 96 pixels an inch.
            EXPECT_LE(picture.width() * writer.logicalDpiX() / 96.0, body.width())
                << name.toStdString();
        }
    }
}

// A desktop that has no browser says so when asked; the opener then says
// it could not open the page rather than handing it on to nobody.
TEST(DesktopOpening, ADesktopWithoutABrowserIsNoSuccess) {
    test::TempDir tools;
    test::writeBytes(tools.path() / "xdg-mime", "#!/bin/sh\nexit 0\n");
    std::filesystem::permissions(tools.path() / "xdg-mime", std::filesystem::perms::owner_all);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QByteArray::fromStdString(tools.path().string()) + ":" + path);
    bool opened = DesktopOpener().open(kScoresPageAddress);
    qputenv("PATH", path);
    EXPECT_FALSE(opened);
}

// The manual is printed and opened; the About window shows the version and
// its picture opens the maker's page.
TEST_F(MenuEntries, HelpEntriesOpenTheManualAndThePages) {
    fs::path manual = program.pool.folders().program / "GSLT_manual.pdf";
    trigger("userManualAction");
    EXPECT_TRUE(test::readBytes(manual).starts_with("%PDF-"));
    ASSERT_TRUE(withModal("aboutAction", [&](QWidget* dialog) {
        EXPECT_EQ(test::child<QLabel>(dialog, "versionLabel")->text(),
                  QString("Version ") + kVersion);
        auto* picture = test::child<QToolButton>(dialog, "makerPageButton");
        EXPECT_FALSE(picture->icon().isNull());
        QTest::mouseClick(picture, Qt::LeftButton);
        test::press(dialog, "closeButton");
    }));
    trigger("scoresPageAction");
    EXPECT_EQ(opener.opened,
              (std::vector<std::string>{manual.string(), kMakerPageAddress, kScoresPageAddress}));
}

// The page is written into the home, sent to the address typed and offered
// in the browser; the page itself is the publish library's.
TEST_F(MenuEntries, PublishPoolPageSendsThePageAndOpensIt) {
    const fs::path web = program.pool.folders().install / "web";
    fs::create_directories(web);
    program.dialogs.inputAnswers.push_back(web.string());
    program.dialogs.confirmAnswers.push_back(true);
    trigger("publishPageAction");
    EXPECT_TRUE(fs::exists(web / "index.html"));
    EXPECT_EQ(opener.opened, std::vector<std::string>{
                                 (program.pool.folders().install / "pool-2010.html").string()});
}

// ------------------------------------------------------------ score entry

using ScoreEntryWindow = test::MainWindowTest;
using ExchangeWindow = test::MainWindowTest;

// The game the window is on, the scores in its boxes and the weeks that
// can be chosen ("+"); the scores themselves are scoreentry_test.cpp's.
std::string shown(const QWidget* dialog) {
    std::string text;
    for (const char* name : {"visitorTeamLabel", "homeTeamLabel", "gamePositionLabel",
                             "visitorScoreEdit", "homeScoreEdit"})
        text += dialog->findChild<QWidget*>(name)->property("text").toString().toStdString() + "|";
    for (int week = 1; week <= 17; ++week)
        text += dialog->findChild<QWidget*>("weekOption" + QString::number(week))->isEnabled()
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
    test::writeBytes(schedule,
                     "season,game_type,week,gameday,gametime,away_team,home_team,"
                     "away_score,home_score\n2016,REG,1,2016-09-08,20:30,CAR,DEN,20,21\n");
    loginAsAdmin();
    ASSERT_TRUE(withModal("enterScoresAction", [&](QWidget* widget) {
        auto* dialog = qobject_cast<ScoreEntryDialog*>(widget);
        dialog->setFileChooser([&] { return QString::fromStdString(scores.string()); });
        dialog->setScheduleChooser([&] { return QString::fromStdString(schedule.string()); });
        QTest::mouseClick(test::child<QRadioButton>(dialog, "weekOption9"), Qt::LeftButton);
        test::press(dialog, "importScoresButton");
        test::press(dialog, "nextGameButton");
        EXPECT_EQ(shown(dialog), "Miami Dolphins|Baltimore Ravens|Game 2 of 13, week 9|10|26|"
                                 "+++++++++--------");
        test::press(dialog, "importScheduleButton");
        test::press(dialog, "closeButton");
    }));
    EXPECT_EQ(test::tableRecords(program.pool).back().year, "2016");
    // The page shows the new scores: week 9 is over.
    trigger("weeklyPicksAction");
    EXPECT_EQ(find<QLabel>("weekNumberLabel")->text(), "10");
}

TEST_F(ScoreEntryWindow, UpdateGamesFillsItsProgressBarAndThenLetsItClose) {
    std::string file = test::communityCsv().string();
    test::writeBytes(poolSettingsPath(program.pool.folders()), "gamesUrl=file://" + file + "\r\n");
    loginAsAdmin();
    ASSERT_TRUE(withModal("updateGamesAction", [&](QWidget* dialog) {
        auto* close = test::child<QPushButton>(dialog, "closeUpdateButton");
        auto* bar = test::child<QProgressBar>(dialog, "gamesUpdateProgressBar");
        QTRY_VERIFY_WITH_TIMEOUT(close->isEnabled(), 30000);
        EXPECT_EQ(bar->value(), bar->maximum());
        QTest::mouseClick(close, Qt::LeftButton);
    }));
    EXPECT_GT(test::tableRecords(program.pool).size(), 1792u);
}

// ------------------------------------------------------------ exchange

// A shared folder is listed and sent to; a switch to FTP and Change store
// the new place with the user; Exit, pressed while the window waits to try
// that server (which is down) again, closes the window at once. What is
// sent, and the tries, are exchangeoperations_test.cpp's.
TEST_F(ExchangeWindow, ButtonsListSendChangeThePlaceAndExitEndsAWait) {
    loginAsAdmin();
    test::TempDir shared;
    test::writeBytes(shared.path() / "Al2010.dat", "picks");
    test::editCurrentUser(program.pool,
                          [&](UserSlot& own) { own.exchangeAddress = shared.path().string(); });
    test::FtpServer server;
    server.stop();
    ASSERT_TRUE(withModal("exchangeFilesAction", [&](QWidget* dialog) {
        test::press(dialog, "remoteDirectoryButton");
        EXPECT_EQ(test::child<QListWidget>(dialog, "remoteFileList")->count(), 1);
        test::press(dialog, "uploadAdminFilesButton");
        QTest::mouseClick(test::child<QRadioButton>(dialog, "ftpModeOption"), Qt::LeftButton);
        test::child<QLineEdit>(dialog, "addressEdit")->setText(server.address().c_str());
        test::press(dialog, "changeAddressButton");
        auto* status = test::child<QLabel>(dialog, "exchangeStatusLabel");
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (status->text().contains("failed")) {
                watch.stop();
                test::press(dialog, "exitButton");
            }
        });
        watch.start(5);
        test::press(dialog, "remoteDirectoryButton");
        EXPECT_FALSE(dialog->isVisible());
    }));
    // The upload's message, and none for the cancelled wait.
    EXPECT_EQ(program.dialogs.messages().size(), 1u);
    EXPECT_EQ(program.pool.currentSlot()->exchangeAddress, "ftp://" + server.address());
}

} // namespace
} // namespace gs
