#include "tests/results/resultsfixture.h"
#include "tests/ui/uitest.h"

#include "core/textfile.h"
#include "schedule/pickfiles.h"
#include "ui/gridtableview.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGroupBox>
#include <QLineSeries>
#include <QProgressBar>

namespace gs {
namespace {

using test::Side;
using test::sidePicks;

// The bundled 2010 season with admin, PC, ann (every home team of weeks
// 1..9) and bob (every visiting team of weeks 1..8), logged in as admin.
// The pages show what their panels work out (checked in the panels'
// tests); these follow the wiring: a menu entry shows its page, the page
// shows the model, a click runs the panel's operation.
class ResultsWindow : public test::MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Season season = test::bundled2010();
        test::writeUserList(program.pool, {"ann", "bob"});
        test::writePicks(program.pool, "ann", sidePicks(season, Side::Home, 1, 9));
        test::writePicks(program.pool, "bob", sidePicks(season, Side::Visitor, 1, 8));
        login("admin");
        program.dialogs.clear();
    }

    QVariant data(GridTableView* grid, int row, int col, int role = Qt::DisplayRole) {
        return grid->model()->data(grid->indexOf(row, col), role);
    }
    QString text(GridTableView* grid, int row, int col) { return data(grid, row, col).toString(); }
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
    std::string weekNine() {
        return readTextFile(pickFilePath(program.pool, "admin")).value().at(8);
    }
};

TEST_F(ResultsWindow, AllUserPickResults) {
    trigger("allResultsAction");
    auto* grid = find<GridTableView>("allResultsGrid");
    ASSERT_TRUE(grid->isVisible());
    EXPECT_FALSE(find<QWidget>("weeklyPicksPage")->isVisible());
    EXPECT_FALSE(find<QProgressBar>("allResultsProgress")->isVisible());
    EXPECT_EQ(grid->model()->rowCount(), 257); // the games and the totals
    EXPECT_EQ(grid->model()->headerData(9, Qt::Horizontal).toString(), "ann");
    EXPECT_EQ(grid->columnWidth(3), grid->pixelsForWidth(2100));

    // 9/9/2010: Minnesota 9 at New Orleans 14; ann picked New Orleans. The
    // cell's text, colours and bold reach the view.
    EXPECT_EQ(text(grid, 1, 9), "NO");
    EXPECT_EQ(data(grid, 1, 9, Qt::BackgroundRole).value<QBrush>().color(), QColor(0, 192, 0));
    EXPECT_TRUE(data(grid, 1, 9, Qt::FontRole).value<QFont>().bold());
    EXPECT_EQ(data(grid, 1, 5, Qt::ForegroundRole).value<QBrush>().color(), QColor(0, 0x7A, 0));
    EXPECT_FALSE(data(grid, 1, 7, Qt::BackgroundRole).isValid());
    // Week 9 starts at row 118, at the top of the view.
    EXPECT_EQ(grid->indexAt(QPoint(2, 2)).row() + 1, 118);

    // admin picks Tampa Bay from his own column; the file has it at once.
    trigger("backupPicksAction");
    clickCell(grid, 118, 7);
    EXPECT_EQ(text(grid, 118, 7), "TB");
    EXPECT_EQ(weekNine(), test::weekLine({30}));

    // A restore shows the restored picks on the board, and the next click
    // saves them with its own pick.
    trigger("restorePicksAction");
    EXPECT_EQ(text(grid, 118, 7), "");
    clickCell(grid, 119, 7); // Miami at Baltimore
    EXPECT_EQ(weekNine(), test::weekLine({17}));
}

TEST_F(ResultsWindow, UserStatistics) {
    trigger("userStatisticsAction");
    ASSERT_TRUE(find<QWidget>("userStatisticsPage")->isVisible());
    auto* left = find<QComboBox>("leftPlayerList");
    EXPECT_EQ(left->count(), 4);
    EXPECT_EQ(left->currentText() + " " + find<QComboBox>("rightPlayerList")->currentText(),
              "admin PC");
    auto* totals = find<GridTableView>("totalsGrid");
    EXPECT_EQ(text(totals, 1, 0), "PC");
    EXPECT_EQ(totals->height(), totals->pixelsForHeight(5 * 300));

    // Choosing ann on the left shows her weeks, and her line in the chart.
    auto* leftGrid = find<GridTableView>("leftWeeksGrid");
    left->setCurrentIndex(2);
    EXPECT_EQ(text(leftGrid, 8, 5), "58.1197");
    EXPECT_EQ(data(leftGrid, 8, 5, Qt::TextAlignmentRole).value<Qt::Alignment>(),
              Qt::Alignment(Qt::AlignCenter));
    QChart* chart = find<QChartView>("overallChart")->chart();
    ASSERT_EQ(chart->series().size(), 2);
    auto* annLine = qobject_cast<QLineSeries*>(chart->series()[0]);
    EXPECT_EQ(annLine->name(), "ann");
    EXPECT_EQ(annLine->at(7), QPointF(8, 58.1197));
    find<QComboBox>("rightPlayerList")->setCurrentIndex(3);
    EXPECT_EQ(qobject_cast<QLineSeries*>(chart->series()[1])->name(), "bob");
}

// Both team views open the same detail box; a click on an opponent or a
// coming game shows that game.
TEST_F(ResultsWindow, TeamStatistics) {
    trigger("teamStatisticsAction");
    auto* teams = find<QListWidget>("teamList");
    ASSERT_EQ(teams->count(), 32);
    auto* box = find<QGroupBox>("teamDetailBox");
    EXPECT_FALSE(box->isVisible());

    clickEntry(teams, 18);
    ASSERT_TRUE(box->isVisible());
    EXPECT_EQ(box->title() + " " + test::child<QLabel>(box, "wins")->text(), "N.Y. Giants 5");
    auto* game = test::child<QGroupBox>(box, "gameBox");
    EXPECT_FALSE(game->isVisible());
    clickEntry(test::child<QListWidget>(box, "beatenList"), 4);
    ASSERT_TRUE(game->isVisible());
    EXPECT_EQ(game->title() + " " + test::child<QLabel>(box, "firstResult")->text(),
              "N.Y. Giants against Dallas Cowboys Won  41 to  35");
    EXPECT_FALSE(test::child<QLabel>(box, "secondDate")->isVisible());
    clickEntry(test::child<QListWidget>(box, "remainingList"), 0);
    EXPECT_EQ(game->title(), "N.Y. Giants at Seattle Seahawks");
}

TEST_F(ResultsWindow, TeamRankingAndRatings) {
    trigger("teamRankingAction");
    auto* grid = find<GridTableView>("rankingGrid");
    ASSERT_TRUE(grid->isVisible());
    EXPECT_EQ(text(grid, 1, 1), "Tennessee Titans");
    // Every team shows in the window as it opens, none behind a scroll bar.
    EXPECT_LE(grid->rowViewportPosition(31) + grid->rowHeight(31), grid->viewport()->height());
    EXPECT_GE(grid->width(), grid->columnWidth(0) + grid->columnWidth(1) + grid->columnWidth(2));
    auto* box = find<QGroupBox>("rankingDetailBox");
    clickCell(grid, 12, 1);
    EXPECT_EQ(box->title(), "N.Y. Giants");

    EXPECT_TRUE(find<QLabel>("ratingsLabel")->isVisible());
    auto* ratings = find<GridTableView>("ratingsGrid");
    EXPECT_EQ(text(ratings, 1, 0), "New England Patriots");
    clickCell(ratings, 2, 0);
    EXPECT_EQ(box->title(), "Green Bay Packers");
}

} // namespace
} // namespace gs
