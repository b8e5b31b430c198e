#include "tests/results/resultsfixture.h"
#include "tests/ui/uitest.h"

#include "core/textfile.h"
#include "schedule/pickfiles.h"
#include "ui/gridtableview.h"

#include <QChartView>
#include <QComboBox>
#include <QGroupBox>
#include <QLineSeries>

namespace gs {
namespace {

using test::Side;

// The bundled 2010 season with admin, PC, ann (every home team of weeks
// 1..9) and bob (every visiting team of weeks 1..8), logged in as admin.
// The pages show what their panels work out (results_test.cpp); these
// follow the wiring: a menu entry shows its page, the page shows the model,
// a click runs the panel's operation.
class ResultsWindow : public test::MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Season season = test::bundled2010();
        test::writeUserList(program.pool, {"ann", "bob"});
        test::writePicks(program.pool, "ann", test::sidePicks(season, Side::Home, 1, 9));
        test::writePicks(program.pool, "bob", test::sidePicks(season, Side::Visitor, 1, 8));
        login("admin");
    }
    // A cell as the view gets it: its text, "*" for bold, its background,
    // its text colour and its alignment.
    std::string cell(GridTableView* grid, int row, int col) {
        auto data = [&](int role) { return grid->model()->data(grid->indexOf(row, col), role); };
        QString text = data(Qt::DisplayRole).toString() +
                       (data(Qt::FontRole).value<QFont>().bold() ? "*" : "") + " " +
                       data(Qt::BackgroundRole).value<QBrush>().color().name() + " " +
                       data(Qt::ForegroundRole).value<QBrush>().color().name() + " " +
                       QString::number(data(Qt::TextAlignmentRole).toInt());
        return text.toStdString();
    }
    void clickCell(GridTableView* grid, int row, int col) {
        QModelIndex index = grid->indexOf(row, col);
        grid->scrollTo(index);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
    }
};

TEST_F(ResultsWindow, AllUserPickResults) {
    trigger("allResultsAction");
    auto* grid = find<GridTableView>("allResultsGrid");
    EXPECT_FALSE(find("allResultsProgress")->isVisible());
    // 9/9/2010: Minnesota 9 at New Orleans 14; ann picked New Orleans.
    // ann's column, the home team's and admin's own, open one.
    EXPECT_EQ(grid->model()->headerData(9, Qt::Horizontal).toString().toStdString() + ": " +
                  cell(grid, 1, 9) + " | " + cell(grid, 1, 5) + " | " + cell(grid, 1, 7),
              "ann: NO* #00c000 #000000 132 | New Orleans Saints* #f0f0f0 #007a00 132 | "
              " #000000 #000000 132");
    // Week 9 starts at row 118, at the top of the view.
    EXPECT_EQ(grid->indexAt(QPoint(2, 2)).row() + 1, 118);

    // admin picks Tampa Bay from his own column; the file has it at once,
    // and a restore shows the restored picks on the board.
    trigger("backupPicksAction");
    clickCell(grid, 118, 7);
    EXPECT_EQ(readTextFile(pickFilePath(program.pool, "admin")).value().at(8),
              test::weekLine({30}));
    trigger("restorePicksAction");
    EXPECT_TRUE(cell(grid, 118, 7).starts_with(" ")); // no pick
}

// Choosing the players shows their weeks, and their lines in the chart.
TEST_F(ResultsWindow, UserStatistics) {
    trigger("userStatisticsAction");
    find<QComboBox>("leftPlayerList")->setCurrentIndex(2);  // ann
    find<QComboBox>("rightPlayerList")->setCurrentIndex(3); // bob
    EXPECT_EQ(cell(find<GridTableView>("leftWeeksGrid"), 8, 5), "58.1197 #000000 #000000 132");
    const QList<QAbstractSeries*> lines = find<QChartView>("overallChart")->chart()->series();
    auto* annLine = qobject_cast<QLineSeries*>(lines.at(0));
    EXPECT_EQ(annLine->name() + " " + QString::number(annLine->at(7).y()) + " " +
                  lines.at(1)->name(),
              "ann 58.1197 bob");
}

// Both team views open the same detail box; a click on an opponent or a
// coming game shows that game.
TEST_F(ResultsWindow, TeamStatisticsAndRanking) {
    trigger("teamStatisticsAction");
    auto* box = find<QGroupBox>("teamDetailBox");
    EXPECT_FALSE(box->isVisible());
    find<QListWidget>("teamList")->setCurrentRow(18);
    EXPECT_EQ(box->title() + (box->isVisible() ? "+" : "-"), "N.Y. Giants+");
    auto* game = test::child<QGroupBox>(box, "gameBox");
    test::child<QListWidget>(box, "beatenList")->setCurrentRow(4);
    EXPECT_EQ(game->title(), "N.Y. Giants against Dallas Cowboys");
    test::child<QListWidget>(box, "remainingList")->setCurrentRow(0);
    EXPECT_EQ(game->title(), "N.Y. Giants at Seattle Seahawks");

    trigger("teamRankingAction");
    auto* grid = find<GridTableView>("rankingGrid");
    // Every team shows in the window as it opens, none behind a scroll bar.
    EXPECT_LE(grid->rowViewportPosition(31) + grid->rowHeight(31), grid->viewport()->height());
    auto* detail = find<QGroupBox>("rankingDetailBox");
    clickCell(grid, 12, 1);
    EXPECT_EQ(detail->title(), "N.Y. Giants");
    clickCell(find<GridTableView>("ratingsGrid"), 2, 0);
    EXPECT_EQ(detail->title(), "Green Bay Packers");
}

} // namespace
} // namespace gs
