#include "core/version.h"
#include "tests/support/recordingopener.h"
#include "tests/ui/uitest.h"
#include "ui/helpservices.h"
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

} // namespace
} // namespace gs
