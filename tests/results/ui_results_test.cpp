#include "tests/results/resultsfixture.h"
#include "tests/ui/uitest.h"

#include "core/textfile.h"
#include "schedule/pickfiles.h"
#include "ui/gridtableview.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QProgressBar>

namespace gs {
namespace {

using test::Side;
using test::sidePicks;

// The bundled 2010 season with admin, PC, ann (every home team of weeks
// 1..9) and bob (every visiting team of weeks 1..8), logged in as admin.
// The pages show what their panels work out; these tests follow the
// wiring: a menu entry shows its page, the page shows the model, a click
// runs the panel's operation.
class ResultsWindow : public test::MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Season season = test::bundled2010();
        test::writeUserList(program.pool, {"ann", "bob"});
        test::writePicks(program.pool, "ann", sidePicks(season, Side::Home, 1, 9));
        test::writePicks(program.pool, "bob", sidePicks(season, Side::Visitor, 1, 8));
        login("admin");
        ASSERT_EQ(window->windowTitle(), "Gridslate for admin – 2010 season");
        program.dialogs.clear();
    }

    QVariant data(GridTableView* grid, int row, int col, int role = Qt::DisplayRole) {
        return grid->model()->data(grid->indexOf(row, col), role);
    }
    QString text(GridTableView* grid, int row, int col) { return data(grid, row, col).toString(); }
    QColor colour(GridTableView* grid, int row, int col, int role) {
        return data(grid, row, col, role).value<QBrush>().color();
    }
    void clickCell(GridTableView* grid, int row, int col) {
        QModelIndex index = grid->indexOf(row, col);
        grid->scrollTo(index);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
    }
    void clickEntry(QListWidget* list, int row) {
        list->scrollToItem(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }
    QString label(const char* name) { return find<QLabel>(name)->text(); }
    // A control of one of the two team detail boxes.
    template <typename T = QLabel> T* inBox(const char* box, const char* name) {
        T* widget = find<QGroupBox>(box)->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << box << " " << name;
        return widget;
    }
    std::string weekNine() {
        Result<std::vector<std::string>> lines = readTextFile(pickFilePath(program.pool, "admin"));
        return !lines || lines->size() < 9 ? "" : (*lines)[8];
    }
};

TEST_F(ResultsWindow, AllUserPickResults) {
    trigger("allResultsAction");
    auto* grid = find<GridTableView>("allResultsGrid");
    ASSERT_TRUE(grid->isVisible());
    EXPECT_FALSE(find<QWidget>("weeklyPicksPage")->isVisible());
    EXPECT_FALSE(find<QProgressBar>("allResultsProgress")->isVisible());
    EXPECT_EQ(label("allResultsHeading"), "All-User Pick Results");
    EXPECT_EQ(grid->model()->rowCount(), 257); // the games and the totals
    EXPECT_EQ(grid->model()->headerData(9, Qt::Horizontal).toString(), "ann");
    EXPECT_EQ(grid->columnWidth(3), grid->pixelsForWidth(2100));

    // 9/9/2010: Minnesota 9 at New Orleans 14. A correct pick is told by
    // more than its colour.
    EXPECT_EQ(text(grid, 1, 9) + " " + text(grid, 1, 10), "NO MIN");
    EXPECT_EQ(colour(grid, 1, 9, Qt::BackgroundRole), QColor(0, 192, 0));
    EXPECT_TRUE(data(grid, 1, 9, Qt::FontRole).value<QFont>().bold());
    EXPECT_EQ(colour(grid, 1, 5, Qt::ForegroundRole), QColor(0x00, 0x7A, 0x00));
    EXPECT_FALSE(data(grid, 1, 7, Qt::BackgroundRole).isValid());
    // Week 9 starts at row 118, at the top of the view.
    EXPECT_EQ(grid->indexAt(QPoint(2, 2)).row() + 1, 118);

    // admin picks Tampa Bay from his own column; the file has it at once.
    clickCell(grid, 118, 7);
    EXPECT_EQ(text(grid, 118, 7), "TB");
    EXPECT_EQ(weekNine(), test::weekLine({30}));
    EXPECT_TRUE(program.dialogs.shown.empty());
}

TEST_F(ResultsWindow, ARestoreShowsTheRestoredPicksOnTheBoard) {
    trigger("allResultsAction");
    auto* grid = find<GridTableView>("allResultsGrid");
    trigger("backupPicksAction");
    clickCell(grid, 118, 7);
    ASSERT_EQ(text(grid, 118, 7), "TB");
    trigger("restorePicksAction");
    EXPECT_EQ(text(grid, 118, 7), "");
    clickCell(grid, 119, 7); // Miami at Baltimore
    EXPECT_EQ(weekNine(), test::weekLine({17}));
}

TEST_F(ResultsWindow, UserStatistics) {
    trigger("userStatisticsAction");
    ASSERT_TRUE(find<QWidget>("userStatisticsPage")->isVisible());
    EXPECT_EQ(label("userStatisticsHeading") + " / " + label("totalsCaption"),
              "User and PC Correct Pick Totals / All Active User Totals");
    auto* left = find<QComboBox>("leftPlayerList");
    EXPECT_EQ(left->count(), 4);
    EXPECT_EQ(left->currentText() + " " + find<QComboBox>("rightPlayerList")->currentText(),
              "admin PC");
    auto* totals = find<GridTableView>("totalsGrid");
    EXPECT_EQ(text(totals, 1, 0) + " " + text(totals, 1, 3), "PC 67.5214");
    EXPECT_EQ(totals->height(), totals->pixelsForHeight(5 * 300));
    EXPECT_EQ(text(find<GridTableView>("rightWeeksGrid"), 8, 5), "67.5214");

    // Choosing ann on the left shows her weeks, and her line in the chart.
    auto* leftGrid = find<GridTableView>("leftWeeksGrid");
    left->setCurrentIndex(2);
    EXPECT_EQ(text(leftGrid, 8, 5), "58.1197");
    EXPECT_EQ(data(leftGrid, 8, 5, Qt::TextAlignmentRole).value<Qt::Alignment>(),
              Qt::Alignment(Qt::AlignCenter));
    QChart* chart = find<QChartView>("overallChart")->chart();
    ASSERT_EQ(chart->series().size(), 2);
    auto* annLine = qobject_cast<QLineSeries*>(chart->series()[0]);
    auto* pcLine = qobject_cast<QLineSeries*>(chart->series()[1]);
    EXPECT_EQ(annLine->name() + " " + pcLine->name(), "ann PC");
    EXPECT_EQ(annLine->at(7), QPointF(8, 58.1197));
    EXPECT_EQ(pcLine->at(7), QPointF(8, 67.5214));
}

// Both team views open the same detail box; a click on an opponent or a
// coming game shows that game.
TEST_F(ResultsWindow, TeamStatistics) {
    trigger("teamStatisticsAction");
    auto* teams = find<QListWidget>("teamList");
    ASSERT_EQ(teams->count(), 32);
    EXPECT_EQ(label("teamStatisticsHeading"), "Team Statistics");
    EXPECT_TRUE(find<QLabel>("teamStatisticsHint")->isVisible());
    const char* box = "teamDetailBox";
    EXPECT_FALSE(find<QGroupBox>(box)->isVisible());

    clickEntry(teams, 18);
    ASSERT_TRUE(find<QGroupBox>(box)->isVisible());
    EXPECT_EQ(find<QGroupBox>(box)->title() + " " + inBox(box, "wins")->text() + "-" +
                  inBox(box, "losses")->text() + " " + inBox(box, "divisionHeading")->text(),
              "N.Y. Giants 5-2 NFC East Division");
    auto* game = inBox<QGroupBox>(box, "gameBox");
    EXPECT_FALSE(game->isVisible());
    clickEntry(inBox<QListWidget>(box, "beatenList"), 4);
    ASSERT_TRUE(game->isVisible());
    EXPECT_EQ(game->title() + " " + inBox(box, "firstResult")->text(),
              "N.Y. Giants against Dallas Cowboys Won  41 to  35");
    EXPECT_FALSE(inBox(box, "secondDate")->isVisible());
    clickEntry(inBox<QListWidget>(box, "remainingList"), 0);
    EXPECT_EQ(game->title(), "N.Y. Giants at Seattle Seahawks");
}

TEST_F(ResultsWindow, TeamRankingAndRatings) {
    trigger("teamRankingAction");
    auto* grid = find<GridTableView>("rankingGrid");
    ASSERT_TRUE(grid->isVisible());
    EXPECT_EQ(text(grid, 1, 1) + " " + text(grid, 32, 1), "Tennessee Titans Carolina Panthers");
    // Every team shows in the window as it opens, none behind a scroll bar.
    EXPECT_LE(grid->rowViewportPosition(31) + grid->rowHeight(31), grid->viewport()->height());
    EXPECT_GE(grid->width(), grid->columnWidth(0) + grid->columnWidth(1) + grid->columnWidth(2));
    const char* box = "rankingDetailBox";
    clickCell(grid, 12, 1);
    EXPECT_EQ(find<QGroupBox>(box)->title(), "N.Y. Giants");

    EXPECT_TRUE(find<QLabel>("ratingsLabel")->isVisible());
    auto* ratings = find<GridTableView>("ratingsGrid");
    EXPECT_EQ(ratings->accessibleName(), "Team ratings");
    EXPECT_EQ(text(ratings, 1, 0), "New England Patriots");
    clickCell(ratings, 2, 0);
    EXPECT_EQ(find<QGroupBox>(box)->title(), "Green Bay Packers");
}

} // namespace
} // namespace gs
