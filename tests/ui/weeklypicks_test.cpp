#include "tests/ui/uitest.h"

#include "core/textfile.h"
#include "schedule/gamesdb.h"
#include "ui/gridview.h"

#include <QApplication>
#include <QLabel>
#include <QRadioButton>
#include <QTimer>

namespace gs {
namespace {

using WeeklyPicksWindow = test::MainWindowTest;

void clickCell(GridView* grid, int row, int col) {
    QRect rect = grid->visualItemRect(grid->item(row, col));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rect.center());
}

TEST_F(WeeklyPicksWindow, PickSaveAndFindItAgain) {
    loginAsAdmin();
    trigger("mnuItemThisWeek");
    auto* grid = find<GridView>("MSFlexGrid1");
    ASSERT_TRUE(grid->isVisible());
    EXPECT_EQ(find<QLabel>("Label3")->text(), "9");
    EXPECT_EQ(grid->item(0, 2)->text(), "Projected Winner");
    // Week 9 of 2010 opens with Tampa Bay at Atlanta on 11/7/2010.
    ASSERT_EQ(grid->item(1, 1)->text().toStdString(), "Atlanta Falcons");
    EXPECT_FALSE(grid->item(1, 2)->text().isEmpty()); // the computer player's winner
    EXPECT_FALSE(find<QPushButton>("Command3")->isEnabled());

    clickCell(grid, 1, 1);
    EXPECT_TRUE(grid->item(1, 1)->font().bold());
    EXPECT_TRUE(find<QPushButton>("Command3")->isEnabled());
    click("Command3");
    EXPECT_EQ(find<QPushButton>("Command3")->text(), "Picks Saved");
    EXPECT_FALSE(find<QPushButton>("Command3")->isEnabled());

    trigger("mnuItemLogout");
    loginAsAdmin();
    trigger("mnuItemThisWeek");
    EXPECT_TRUE(grid->item(1, 1)->font().bold());
    EXPECT_FALSE(grid->item(1, 0)->font().bold());
    TextFile picks = readTextFile(State.ProgramFolder / "admin2010.dat");
    ASSERT_GE(picks.lines.size(), 9u);
    EXPECT_EQ(picks.lines[8][2 * 2 - 2], '1'); // Atlanta is team 2
}

TEST_F(WeeklyPicksWindow, ScoreEnteredInTheWindowReachesTheTable) {
    loginAsAdmin();
    bool opened = withModal("mnuItemScores", [&](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Enter Scores");
        auto* week1 = dialog->findChild<QRadioButton*>("Option1");
        EXPECT_FALSE(dialog->findChild<QRadioButton*>("Option2")->isEnabled());
        QTest::mouseClick(week1, Qt::LeftButton);
        EXPECT_TRUE(dialog->findChild<QRadioButton*>("Option8")->isEnabled());
        EXPECT_FALSE(dialog->findChild<QRadioButton*>("Option9")->isEnabled());
        dialog->findChild<QLineEdit*>("Text1")->setText("21");
        dialog->findChild<QLineEdit*>("Text2")->setText("");
        QTest::mouseClick(dialog->findChild<QPushButton*>("Command3"), Qt::LeftButton);
        QTest::mouseClick(dialog->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    });
    ASSERT_TRUE(opened);

    std::string error;
    auto table = GamesTable::open(State.ProgramFolder / "scoresheet97.mdb", error);
    ASSERT_TRUE(table) << error;
    std::vector<GameRecord> records = table->records();
    auto first2010 = std::find_if(records.begin(), records.end(),
                                  [](const GameRecord& r) { return r.year == "2010"; });
    ASSERT_NE(first2010, records.end());
    EXPECT_EQ(first2010->Visitor, " 21");
    EXPECT_EQ(first2010->Home, "");        // an emptied box leaves the game unscored
    EXPECT_EQ(State.ScoredGameCount, 116); // rebuilt on close: one game fewer is scored
}

TEST_F(WeeklyPicksWindow, PlayerWithoutRightsCannotEnterScores) {
    loginAsAdmin();
    State.UserTable[userSlot("admin")].admin = 0;
    trigger("mnuItemScores");
    EXPECT_EQ(program.dialogs.messages(),
              std::vector<std::string>{"Error: You do not have administrator control"});
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
} // namespace gs
