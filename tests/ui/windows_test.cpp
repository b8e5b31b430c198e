#include "core/poolsettings.h"
#include "core/version.h"
#include "ftpserver.h"
#include "tests/support/recordingopener.h"
#include "tests/support/sampledata.h"
#include "tests/ui/uitest.h"
#include "ui/helpservices.h"
#include "ui/scoreentrydialog.h"
#include "utilities/help.h"

#include <QAbstractTextDocumentLayout>
#include <QCalendarWidget>
#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPdfWriter>
#include <QProgressBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QToolButton>
#include <QUrl>

namespace gs {
namespace {

using test::RecordingOpener;

class MenuEntries : public test::MainWindowTest {
protected:
    RecordingOpener opener;
    void SetUp() override {
        MainWindowTest::SetUp();
        window->setOpener(opener);
        loginAsAdmin();
    }
};

TEST_F(MenuEntries, SeasonCalendarShowsTheSeasonAndListsAClickedDay) {
    ASSERT_TRUE(withModal("seasonCalendarAction", [&](QWidget* dialog) {
        auto* calendar = test::child<QCalendarWidget>(dialog, "seasonCalendar");
        auto* games = test::child<QListWidget>(dialog, "gamesList");
        // The list is there from the start: a click never changes the width.
        int width = dialog->width();
        emit calendar->clicked(QDate(2010, 9, 13));
        EXPECT_EQ(dialog->width(), width);
        // The season's limits, its game days in bold, and the day's games.
        QString shown = calendar->minimumDate().toString() + " - " +
                        calendar->maximumDate().toString() + ": " +
                        QString::number(calendar->dateTextFormat(QDate(2010, 9, 13)).fontWeight());
        for (int i = 0; i < games->count(); ++i)
            shown += " | " + games->item(i)->text();
        EXPECT_EQ(shown, "Thu Sep 9 2010 - Sun Jan 2 2011: 700 | Baltimore Ravens @ N.Y. Jets | "
                         "San Diego Chargers @ Kansas City Chiefs");
        test::press(dialog, "closeButton");
    }));
}

TEST_F(MenuEntries, ExportsWriteTheirFiles) {
    for (const char* entry :
         {"exportHistoryAction", "exportResultsAction", "exportStatisticsAction"})
        trigger(entry);
    EXPECT_EQ(program.dialogs.messages().size(), 3u);
    for (const char* file :
         {"AllUserPickHistory.csv", "AllUserPickResults.csv", "AllUserStats2010.csv"})
        EXPECT_TRUE(fs::exists(program.pool.folders().install / file)) << file;
    EXPECT_FALSE(find<QProgressBar>("exportProgressBar")->isVisible());
}

TEST_F(MenuEntries, TheUserManualIsPrintedWithItsPicturesAndOpened) {
    fs::path manual = program.pool.folders().program / "GSLT_manual.pdf";
    trigger("userManualAction");
    EXPECT_TRUE(program.dialogs.shown.empty());
    EXPECT_EQ(opener.opened, std::vector<std::string>{manual.string()});
    std::string pdf = test::readBytes(manual);
    EXPECT_TRUE(pdf.starts_with("%PDF-"));
    size_t pictures = 0;
    for (size_t at = pdf.find("/Subtype /Image"); at != std::string::npos;
         at = pdf.find("/Subtype /Image", at + 1))
        ++pictures;
    EXPECT_EQ(pictures, 7u);
}

// The manual as it is printed: every picture within the text's width, and
// no heading left alone at the foot of a page.
TEST(ManualPages, PicturesFitAndHeadingsStayWithTheirText) {
    QFile source(":/manual/manual.md");
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QString markdown = QString::fromUtf8(source.readAll());
    test::TempDir out;
    QPdfWriter writer(QString::fromStdString((out.path() / "manual.pdf").string()));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(18, 18, 18, 18), QPageLayout::Millimeter));
    const QRectF page = writer.pageLayout().paintRectPixels(writer.resolution());
    const QSizeF body(page.width(), page.height() - writer.resolution() / 3.0);
    std::unique_ptr<QTextDocument> document = layOutPages(markdown, ":/manual", &writer, body);
    ASSERT_GE(document->pageCount(), 2);

    auto pageOf = [&](const QTextBlock& block) {
        qreal top = document->documentLayout()->blockBoundingRect(block).top();
        if (block.layout() && block.layout()->lineCount() > 0)
            top += block.layout()->lineAt(0).position().y();
        return static_cast<int>(top / body.height());
    };
    int pictures = 0;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() > 0 && block.next().isValid()) {
            EXPECT_EQ(pageOf(block), pageOf(block.next())) << block.text().toStdString();
        }
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            if (!it.fragment().charFormat().isImageFormat())
                continue;
            ++pictures;
            QString name = it.fragment().charFormat().toImageFormat().name();
            QImage picture =
                document->resource(QTextDocument::ImageResource, QUrl(name)).value<QImage>();
            ASSERT_FALSE(picture.isNull()) << name.toStdString();
            // Pictures are laid out at 96 pixels an inch.
            EXPECT_LE(picture.width() * writer.logicalDpiX() / 96.0, body.width())
                << name.toStdString();
        }
    }
    EXPECT_GE(pictures, 5);
}

// A desktop that has no browser says so when asked; the opener then says
// it could not open the page rather than handing it on to nobody.
TEST(DesktopOpening, ADesktopWithoutABrowserIsNoSuccess) {
    test::TempDir tools;
    test::writeBytes(tools.path() / "xdg-mime", "#!/bin/sh\nexit 0\n");
    std::filesystem::permissions(tools.path() / "xdg-mime", std::filesystem::perms::owner_all);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QByteArray::fromStdString(tools.path().string()) + ":" + path);
    DesktopOpener opener;
    bool opened = opener.open(kScoresPageAddress);
    qputenv("PATH", path);
    EXPECT_FALSE(opened);
}

TEST_F(MenuEntries, AboutShowsTheVersionAndItsPictureOpensTheMakersPage) {
    ASSERT_TRUE(withModal("aboutAction", [&](QWidget* dialog) {
        EXPECT_EQ(test::child<QLabel>(dialog, "versionLabel")->text(),
                  QString("Version ") + kVersion);
        auto* picture = test::child<QToolButton>(dialog, "makerPageButton");
        EXPECT_FALSE(picture->icon().isNull());
        QTest::mouseClick(picture, Qt::LeftButton);
        test::press(dialog, "closeButton");
    }));
    trigger("scoresPageAction");
    EXPECT_EQ(opener.opened, (std::vector<std::string>{kMakerPageAddress, kScoresPageAddress}));
}

// ------------------------------------------------------------ score entry

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
