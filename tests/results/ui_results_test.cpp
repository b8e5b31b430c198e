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
#include <QRegularExpression>

namespace gs {
namespace {

using test::Side;
using test::sidePicks;

const QColor kGreenText(0x00, 0x7A, 0x00);
const QColor kGreenColour(0, 192, 0);
const QColor kRedColour(255, 0, 0);

// The bundled 2010 season with admin, PC, ann (every home team of weeks
// 1..9) and bob (every visiting team of weeks 1..8), logged in as admin.
class ResultsWindow : public test::MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Pool& pool = program.pool;
        Season season = test::bundled2010();
        test::writeUserList(pool, {"ann", "bob"});
        test::writePicks(pool, "ann", sidePicks(season, Side::Home, 1, 9));
        test::writePicks(pool, "bob", sidePicks(season, Side::Visitor, 1, 8));
        login("admin");
        ASSERT_EQ(window->windowTitle(), "Gridslate for admin – 2010 season");
        program.dialogs.clear();
    }

    QString text(GridTableView* grid, int row, int col) {
        return grid->model()->data(grid->indexOf(row, col)).toString();
    }
    QString header(GridTableView* grid, int col) {
        return grid->model()->headerData(col, Qt::Horizontal).toString();
    }
    QVariant role(GridTableView* grid, int row, int col, int role) {
        return grid->model()->data(grid->indexOf(row, col), role);
    }
    QColor background(GridTableView* grid, int row, int col) {
        return role(grid, row, col, Qt::BackgroundRole).value<QBrush>().color();
    }
    bool bold(GridTableView* grid, int row, int col) {
        return role(grid, row, col, Qt::FontRole).value<QFont>().bold();
    }
    void clickCell(GridTableView* grid, int row, int col) {
        QModelIndex index = grid->indexOf(row, col);
        grid->scrollTo(index);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
    }
    void clickEntry(const char* list, int row) {
        auto* widget = find<QListWidget>(list);
        widget->scrollToItem(widget->item(row));
        QTest::mouseClick(widget->viewport(), Qt::LeftButton, {},
                          widget->visualItemRect(widget->item(row)).center());
    }
    QString label(const char* name) { return find<QLabel>(name)->text(); }
    // A control of one of the two team detail boxes.
    template <typename T = QLabel> T* inBox(const char* box, const char* name) {
        T* widget = find<QGroupBox>(box)->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << box << " " << name;
        return widget;
    }
    QString boxLabel(const char* box, const char* name) { return inBox(box, name)->text(); }
    void clickEntry(const char* box, const char* list, int row) {
        auto* widget = inBox<QListWidget>(box, list);
        widget->scrollToItem(widget->item(row));
        QTest::mouseClick(widget->viewport(), Qt::LeftButton, {},
                          widget->visualItemRect(widget->item(row)).center());
    }
};

TEST_F(ResultsWindow, LoginOpensThisWeeksPicks) {
    EXPECT_TRUE(find<QWidget>("weeklyPicksPage")->isVisible());
    EXPECT_EQ(label("weekNumberLabel"), "9");
}

TEST_F(ResultsWindow, AllUserPickResults) {
    trigger("allResultsAction");
    auto* grid = find<GridTableView>("allResultsGrid");
    ASSERT_TRUE(grid->isVisible());
    EXPECT_FALSE(find<QWidget>("weeklyPicksPage")->isVisible());
    EXPECT_FALSE(find<QProgressBar>("allResultsProgress")->isVisible());
    EXPECT_EQ(label("allResultsHeading"), "All-User Pick Results");
    EXPECT_EQ(grid->model()->columnCount(), 11);
    EXPECT_EQ(grid->model()->rowCount(), 257); // the games and the totals
    QStringList headers;
    for (int c = 0; c < 11; ++c)
        headers << header(grid, c);
    EXPECT_EQ(headers.join("|"), "Week|Date||Visitor Team||Home Team||admin|PC|ann|bob");
    EXPECT_EQ(grid->columnWidth(3), grid->pixelsForWidth(2100));
    EXPECT_GE(grid->columnWidth(3), 2100 / 15);

    // 9/9/2010: Minnesota 9 at New Orleans 14.
    EXPECT_EQ(text(grid, 1, 0) + " " + text(grid, 1, 1) + " " + text(grid, 1, 2),
              "1 9/9/2010 Thursday");
    EXPECT_TRUE(bold(grid, 1, 5));
    EXPECT_EQ(role(grid, 1, 5, Qt::ForegroundRole).value<QBrush>().color(), kGreenText);
    EXPECT_FALSE(bold(grid, 1, 3));
    EXPECT_EQ(text(grid, 1, 9), "NO");
    EXPECT_EQ(background(grid, 1, 9), kGreenColour);
    EXPECT_EQ(text(grid, 1, 10), "MIN");
    EXPECT_EQ(background(grid, 1, 10), kRedColour);
    EXPECT_EQ(text(grid, 1, 7), "");
    EXPECT_FALSE(role(grid, 1, 7, Qt::BackgroundRole).isValid());
    // Week 9 is still to be played: ann's picks stay hidden.
    EXPECT_EQ(text(grid, 118, 0) + " " + text(grid, 118, 3), "9 Tampa Bay Buccaneers");
    EXPECT_EQ(text(grid, 118, 9), "");

    // admin picks Tampa Bay from his own column; the file has it at once.
    clickCell(grid, 118, 7);
    EXPECT_EQ(text(grid, 118, 7), "TB");
    std::vector<std::string> file = readTextFile(pickFilePath(program.pool, "admin")).value();
    ASSERT_GE(file.size(), 9u);
    EXPECT_EQ(file[8], test::weekLine({30}));
    clickCell(grid, 118, 9); // ann's column: nothing
    EXPECT_EQ(text(grid, 118, 9), "");
    EXPECT_TRUE(program.dialogs.shown.empty());
}

TEST_F(ResultsWindow, TheBoardOpensAtTheCurrentWeekAndEndsWithTheTotals) {
    trigger("allResultsAction");
    auto* grid = find<GridTableView>("allResultsGrid");
    // Week 9 starts at row 118, at the top of the view.
    QModelIndex top = grid->indexAt(QPoint(2, 2));
    ASSERT_TRUE(top.isValid());
    EXPECT_EQ(top.row() + 1, 118);
    EXPECT_EQ(text(grid, 118, 0), "9");

    EXPECT_EQ(text(grid, 257, 3), "Correct picks");
    // ann picked every home team of weeks 1..9; her total counts the judged
    // games before the pool's day.
    QString total = text(grid, 257, 9);
    EXPECT_TRUE(QRegularExpression("^\\d+/\\d+$").match(total).hasMatch()) << total.toStdString();
    EXPECT_TRUE(bold(grid, 257, 9));
    // A correct pick is told by more than its colour.
    EXPECT_EQ(background(grid, 1, 9), kGreenColour);
    EXPECT_TRUE(bold(grid, 1, 9));
    EXPECT_FALSE(bold(grid, 1, 10));
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
    std::vector<std::string> file = readTextFile(pickFilePath(program.pool, "admin")).value();
    ASSERT_GE(file.size(), 9u);
    EXPECT_EQ(file[8], test::weekLine({17}));
}

TEST_F(ResultsWindow, UserStatistics) {
    trigger("userStatisticsAction");
    ASSERT_TRUE(find<QWidget>("userStatisticsPage")->isVisible());
    EXPECT_EQ(label("userStatisticsHeading"), "User and PC Correct Pick Totals");
    EXPECT_EQ(label("totalsCaption"), "All Active User Totals");
    auto* left = find<QComboBox>("leftPlayerList");
    auto* right = find<QComboBox>("rightPlayerList");
    ASSERT_EQ(left->count(), 4);
    EXPECT_EQ(left->currentText(), "admin");
    EXPECT_EQ(right->currentText(), "PC");

    auto* totals = find<GridTableView>("totalsGrid");
    EXPECT_EQ(header(totals, 3), "% Correct");
    EXPECT_EQ(text(totals, 1, 0) + " " + text(totals, 1, 3), "PC 67.5214");
    EXPECT_EQ(text(totals, 2, 0) + " " + text(totals, 2, 3), "ann 58.1197");
    EXPECT_EQ(totals->height(), totals->pixelsForHeight(5 * 300));

    auto* leftGrid = find<GridTableView>("leftWeeksGrid");
    auto* rightGrid = find<GridTableView>("rightWeeksGrid");
    EXPECT_EQ(leftGrid->model()->rowCount(), 8);
    EXPECT_EQ(text(leftGrid, 8, 5), "0");
    EXPECT_EQ(text(rightGrid, 8, 5), "67.5214");

    left->setCurrentIndex(2);
    EXPECT_EQ(text(leftGrid, 1, 2), "75");
    EXPECT_EQ(text(leftGrid, 8, 5), "58.1197");
    EXPECT_EQ(role(leftGrid, 8, 5, Qt::TextAlignmentRole).value<Qt::Alignment>(),
              Qt::Alignment(Qt::AlignCenter));

    QChart* chart = find<QChartView>("overallChart")->chart();
    ASSERT_EQ(chart->series().size(), 2);
    auto* annLine = qobject_cast<QLineSeries*>(chart->series()[0]);
    auto* pcLine = qobject_cast<QLineSeries*>(chart->series()[1]);
    EXPECT_EQ(annLine->name(), "ann");
    EXPECT_EQ(pcLine->name(), "PC");
    ASSERT_EQ(annLine->count(), 8);
    EXPECT_EQ(annLine->at(0), QPointF(1, 75));
    EXPECT_EQ(annLine->at(7), QPointF(8, 58.1197));
    EXPECT_EQ(pcLine->at(7), QPointF(8, 67.5214));
}

TEST_F(ResultsWindow, TeamStatistics) {
    trigger("teamStatisticsAction");
    auto* teams = find<QListWidget>("teamList");
    ASSERT_TRUE(teams->isVisible());
    ASSERT_EQ(teams->count(), 32);
    EXPECT_EQ(label("teamStatisticsHeading"), "Team Statistics");
    EXPECT_TRUE(find<QLabel>("teamStatisticsHint")->isVisible());
    const char* box = "teamDetailBox";
    EXPECT_FALSE(find<QGroupBox>(box)->isVisible());

    clickEntry("teamList", 18);
    auto* detail = find<QGroupBox>(box);
    ASSERT_TRUE(detail->isVisible());
    EXPECT_EQ(detail->title(), "N.Y. Giants");
    EXPECT_EQ(boxLabel(box, "wins") + "-" + boxLabel(box, "losses") + "-" + boxLabel(box, "ties"),
              "5-2-0");
    EXPECT_EQ(boxLabel(box, "pointsForHeading") + " " + boxLabel(box, "pointsFor"), "PF 175");
    EXPECT_EQ(boxLabel(box, "divisionHeading"), "NFC East Division");
    EXPECT_EQ(boxLabel(box, "pickedHeading") + " " + boxLabel(box, "pickedCount") + " " +
                  boxLabel(box, "timesCaption"),
              "Picked 0 times");
    EXPECT_EQ(inBox<QListWidget>(box, "beatenList")->count(), 5);
    auto* game = inBox<QGroupBox>(box, "gameBox");
    EXPECT_FALSE(game->isVisible());

    clickEntry(box, "beatenList", 4);
    ASSERT_TRUE(game->isVisible());
    EXPECT_EQ(game->title(), "N.Y. Giants against Dallas Cowboys");
    EXPECT_EQ(boxLabel(box, "firstDate") + " " + boxLabel(box, "firstResult"),
              "10/25/2010 Won  41 to  35");
    EXPECT_FALSE(inBox(box, "secondDate")->isVisible());

    clickEntry(box, "remainingList", 0);
    EXPECT_EQ(game->title(), "N.Y. Giants at Seattle Seahawks");
    EXPECT_EQ(inBox<QListWidget>(box, "remainingList")->currentRow(), -1);
}

TEST_F(ResultsWindow, TeamRanking) {
    trigger("teamRankingAction");
    auto* grid = find<GridTableView>("rankingGrid");
    ASSERT_TRUE(grid->isVisible());
    EXPECT_EQ(header(grid, 0) + " " + header(grid, 1) + " " + header(grid, 2), "Rank Team Record");
    EXPECT_EQ(text(grid, 1, 0) + " " + text(grid, 1, 1) + " " + text(grid, 1, 2),
              "1 Tennessee Titans 5-3-0");
    EXPECT_EQ(text(grid, 32, 1), "Carolina Panthers");
    EXPECT_EQ(grid->columnWidth(0), grid->pixelsForWidth(800));
    // Every team shows in the window as it opens, none behind a scroll bar.
    EXPECT_LE(grid->rowViewportPosition(31) + grid->rowHeight(31), grid->viewport()->height());
    EXPECT_GE(grid->width(), grid->columnWidth(0) + grid->columnWidth(1) + grid->columnWidth(2));

    clickCell(grid, 12, 1);
    const char* box = "rankingDetailBox";
    EXPECT_EQ(find<QGroupBox>(box)->title(), "N.Y. Giants");
    clickEntry(box, "lostToList", 0);
    EXPECT_EQ(inBox<QGroupBox>(box, "gameBox")->title(), "N.Y. Giants against Indianapolis Colts");
}

TEST_F(ResultsWindow, TeamRatingsBesideTheRanking) {
    trigger("teamRankingAction");
    EXPECT_TRUE(find<QLabel>("ratingsLabel")->isVisible());
    auto* grid = find<GridTableView>("ratingsGrid");
    ASSERT_TRUE(grid->isVisible());
    EXPECT_EQ(grid->accessibleName(), "Team ratings");
    EXPECT_EQ(header(grid, 0) + " " + header(grid, 1) + " " + header(grid, 2),
              "Team Rating Record");
    EXPECT_EQ(text(grid, 1, 0) + " " + text(grid, 1, 1) + " " + text(grid, 1, 2),
              "New England Patriots 1640 6-1-0");
    clickCell(grid, 2, 0);
    EXPECT_EQ(find<QGroupBox>("rankingDetailBox")->title(), "Green Bay Packers");
}

TEST_F(ResultsWindow, ViewsFollowEachOther) {
    trigger("teamRankingAction");
    trigger("allResultsAction");
    EXPECT_FALSE(find<QWidget>("teamRankingPage")->isVisible());
    EXPECT_TRUE(find<QWidget>("allResultsPage")->isVisible());
    trigger("weeklyPicksAction");
    EXPECT_FALSE(find<QWidget>("allResultsPage")->isVisible());
    trigger("logoutAction");
    EXPECT_FALSE(find<QWidget>("weeklyPicksPage")->isVisible());
    EXPECT_TRUE(find<QWidget>("loginPage")->isVisible());
}

} // namespace
} // namespace gs
