#include "core/userlist.h"
#include "core/version.h"
#include "tests/support/recordingopener.h"
#include "tests/ui/uitest.h"
#include "ui/helpservices.h"
#include "utilities/help.h"

#include <QAbstractTextDocumentLayout>
#include <QCalendarWidget>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPageLayout>
#include <QPdfWriter>
#include <QProgressBar>
#include <QRadioButton>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QToolButton>
#include <QUrl>

namespace gs {
namespace {

namespace fs = std::filesystem;

using test::RecordingOpener;

class MenuEntries : public test::MainWindowTest {
protected:
    RecordingOpener opener;
    void SetUp() override {
        MainWindowTest::SetUp();
        window->setOpener(opener);
        loginAsAdmin();
    }
    template <typename T> static T* in(QWidget* dialog, const char* name) {
        T* widget = dialog->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
};

TEST_F(MenuEntries, SeasonYearSwitchesAtOnceAndApplyStoresIt) {
    bool opened = withModal("setSeasonAction", [&](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Season Year");
        auto* seasons = in<QListWidget>(dialog, "seasonList");
        EXPECT_EQ(seasons->currentItem()->text(), "2010");
        seasons->setCurrentRow(4);
        EXPECT_EQ(seasons->currentItem()->text(), "2011");
        QTest::mouseClick(in<QPushButton>(dialog, "applyButton"), Qt::LeftButton);
        QTest::mouseClick(in<QPushButton>(dialog, "closeButton"), Qt::LeftButton);
    });
    ASSERT_TRUE(opened);
    EXPECT_EQ(program.pool.seasonYear(), "2011");
    EXPECT_TRUE(test::readBytes(userListPath(program.pool.folders())).starts_with("2011\r\n"));
    EXPECT_EQ(program.dialogs.messages(),
              std::vector<std::string>{"Season Year: Season 2011 is the season now, and the next "
                                       "login starts in it as well."});
}

TEST_F(MenuEntries, SeasonCalendarIsLimitedToTheSeasonAndListsAClickedDay) {
    bool opened = withModal("seasonCalendarAction", [&](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Season Calendar");
        auto* calendar = in<QCalendarWidget>(dialog, "seasonCalendar");
        auto* games = in<QListWidget>(dialog, "gamesList");
        EXPECT_EQ(calendar->minimumDate(), QDate(2010, 9, 9));
        EXPECT_EQ(calendar->maximumDate(), QDate(2011, 1, 2));
        EXPECT_EQ(calendar->selectedDate(), QDate(2010, 9, 9));
        // The list is there from the start: a click never changes the width.
        EXPECT_TRUE(games->isVisible());
        int width = dialog->width();
        // Game days are marked; other days are not.
        EXPECT_EQ(calendar->dateTextFormat(QDate(2010, 9, 12)).fontWeight(), QFont::Bold);
        EXPECT_NE(calendar->dateTextFormat(QDate(2010, 9, 14)).fontWeight(), QFont::Bold);
        emit calendar->clicked(QDate(2010, 9, 13));
        EXPECT_TRUE(games->isVisible());
        EXPECT_EQ(dialog->width(), width);
        QStringList entries;
        for (int i = 0; i < games->count(); ++i)
            entries << games->item(i)->text();
        EXPECT_EQ(entries, (QStringList{"Baltimore Ravens @ N.Y. Jets",
                                        "San Diego Chargers @ Kansas City Chiefs"}));
        QTest::mouseClick(in<QPushButton>(dialog, "closeButton"), Qt::LeftButton);
    });
    EXPECT_TRUE(opened);
}

TEST_F(MenuEntries, ExportsWriteTheirFilesAndSaySo) {
    trigger("exportHistoryAction");
    trigger("exportResultsAction");
    trigger("exportStatisticsAction");
    EXPECT_EQ(program.dialogs.messages(),
              (std::vector<std::string>{
                  "Export Status: User Pick History Export Complete.\nThe file is " +
                      (program.pool.folders().install / "AllUserPickHistory.csv").string(),
                  "Export Status: User Pick Results Export Complete.\nThe file is " +
                      (program.pool.folders().install / "AllUserPickResults.csv").string(),
                  "Export Status: User Stat Export Complete.\nThe file is " +
                      (program.pool.folders().install / "AllUserStats2010.csv").string()}));
    for (const char* file :
         {"AllUserPickHistory.csv", "AllUserPickResults.csv", "AllUserStats2010.csv"})
        EXPECT_TRUE(fs::exists(program.pool.folders().install / file)) << file;
    EXPECT_FALSE(find<QProgressBar>("exportProgressBar")->isVisible());
}

TEST_F(MenuEntries, BackupAndRestoreOfThePicks) {
    fs::path picks = program.pool.folders().program / "admin2010.dat";
    const std::string saved = test::readBytes(picks);
    ASSERT_FALSE(saved.empty());
    trigger("backupPicksAction");
    test::writeBytes(picks, "changed\r\n");
    program.dialogs.confirmAnswers = {false, true};
    trigger("restorePicksAction");
    EXPECT_EQ(test::readBytes(picks), "changed\r\n");
    trigger("restorePicksAction");
    EXPECT_EQ(test::readBytes(picks), saved);
    trigger("backupAdminAction");
    EXPECT_TRUE(fs::exists(program.pool.folders().program / "UserList.bak"));
}

TEST_F(MenuEntries, TheUserManualIsPrintedWhenMissingAndOpened) {
    fs::path manual = program.pool.folders().program / "GSLT_manual.pdf";
    ASSERT_FALSE(fs::exists(manual));
    trigger("userManualAction");
    EXPECT_TRUE(program.dialogs.shown.empty()) << program.dialogs.shown.front().text;
    EXPECT_EQ(opener.opened, std::vector<std::string>{manual.string()});
    std::string pdf = test::readBytes(manual);
    EXPECT_TRUE(pdf.starts_with("%PDF-"));
    // Every picture of the manual is in the document.
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
    bool opened = withModal("aboutAction", [&](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Gridslate");
        EXPECT_EQ(in<QLabel>(dialog, "versionLabel")->text(), QString("Version ") + kVersion);
        auto* picture = in<QToolButton>(dialog, "makerPageButton");
        EXPECT_FALSE(picture->icon().isNull());
        QTest::mouseClick(picture, Qt::LeftButton);
        QTest::mouseClick(in<QPushButton>(dialog, "closeButton"), Qt::LeftButton);
    });
    ASSERT_TRUE(opened);
    trigger("scoresPageAction");
    EXPECT_EQ(opener.opened, (std::vector<std::string>{kMakerPageAddress, kScoresPageAddress}));
}

} // namespace
} // namespace gs
