#include "tests/ui/uitest.h"

#include "core/league.h"
#include "core/textfile.h"
#include "schedule/gamesdb.h"
#include "ui/gridview.h"

#include <QApplication>
#include <QLabel>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>

namespace gs {
namespace {

using WeeklyPicksWindow = test::MainWindowTest;

void clickCell(GridView* grid, int row, int col) {
    QRect rect = grid->visualItemRect(grid->item(row, col));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rect.center());
}

TEST_F(WeeklyPicksWindow, OpeningShowsTheCurrentWeek) {
    loginAsAdmin();
    trigger("weeklyPicksAction");
    auto* grid = find<GridView>("picksGrid");
    ASSERT_TRUE(grid->isVisible());
    EXPECT_EQ(find<QLabel>("weekNumberLabel")->text(), "9");
    EXPECT_EQ(grid->item(0, 2)->text(), "Projected Winner");
    // Week 9 of 2010 opens with Tampa Bay at Atlanta on 11/7/2010.
    ASSERT_EQ(grid->item(1, 1)->text().toStdString(), "Atlanta Falcons");
    EXPECT_FALSE(grid->item(1, 2)->text().isEmpty()); // the computer player's winner
    EXPECT_FALSE(find<QPushButton>("savePicksButton")->isEnabled());
}

TEST_F(WeeklyPicksWindow, APickSavedIsThereAfterLoggingInAgain) {
    loginAsAdmin();
    trigger("weeklyPicksAction");
    auto* grid = find<GridView>("picksGrid");
    ASSERT_EQ(grid->item(1, 1)->text().toStdString(), "Atlanta Falcons");

    clickCell(grid, 1, 1);
    EXPECT_TRUE(grid->item(1, 1)->font().bold());
    EXPECT_TRUE(find<QPushButton>("savePicksButton")->isEnabled());
    click("savePicksButton");
    EXPECT_EQ(find<QPushButton>("savePicksButton")->text(), "Picks Saved");
    EXPECT_FALSE(find<QPushButton>("savePicksButton")->isEnabled());

    trigger("logoutAction");
    loginAsAdmin();
    trigger("weeklyPicksAction");
    EXPECT_TRUE(grid->item(1, 1)->font().bold());
    EXPECT_FALSE(grid->item(1, 0)->font().bold());
    std::vector<std::string> picks =
        readTextFile(program.pool.folders.program / "admin2010.dat").value();
    ASSERT_GE(picks.size(), 9u);
    EXPECT_EQ(picks[8][2 * 2 - 2], '1'); // Atlanta is team 2
}

TEST_F(WeeklyPicksWindow, CtrlSSavesThePicks) {
    loginAsAdmin();
    trigger("weeklyPicksAction");
    auto* grid = find<GridView>("picksGrid");
    clickCell(grid, 1, 1);
    ASSERT_TRUE(find<QPushButton>("savePicksButton")->isEnabled());
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(grid, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(find<QPushButton>("savePicksButton")->text(), "Picks Saved");
    std::vector<std::string> picks =
        readTextFile(program.pool.folders.program / "admin2010.dat").value();
    ASSERT_GE(picks.size(), 9u);
    EXPECT_EQ(picks[8][2 * 2 - 2], '1');
}

TEST_F(WeeklyPicksWindow, RestoredPicksReplaceTheOnesOnShow) {
    loginAsAdmin();
    auto* grid = find<GridView>("picksGrid");
    ASSERT_EQ(grid->item(1, 1)->text().toStdString(), "Atlanta Falcons");
    trigger("backupPicksAction");
    clickCell(grid, 1, 1);
    click("savePicksButton");

    trigger("restorePicksAction");
    EXPECT_FALSE(grid->item(1, 1)->font().bold());
    EXPECT_FALSE(find<QPushButton>("savePicksButton")->isEnabled());
    // A pick made after the restore is saved with the restored ones only.
    clickCell(grid, 2, 1);
    click("savePicksButton");
    std::vector<std::string> picks =
        readTextFile(program.pool.folders.program / "admin2010.dat").value();
    ASSERT_GE(picks.size(), 9u);
    EXPECT_EQ(picks[8], test::weekLine({teamNumber(grid->item(2, 1)->text().toStdString())}));
}

// Ways of leaving the week's picks with Atlanta picked and not saved: a
// menu entry, or closing the window ("" for the entry).
struct LeaveCase {
    const char* name;
    const char* entry;
    SaveAnswer answer;
};

void PrintTo(const LeaveCase& c, std::ostream* os) {
    *os << c.name;
}

class LeavingTheWeeksPicks : public WeeklyPicksWindow,
                             public testing::WithParamInterface<LeaveCase> {};

TEST_P(LeavingTheWeeksPicks, AsksFirstAndFollowsTheAnswer) {
    const LeaveCase& c = GetParam();
    loginAsAdmin();
    auto* grid = find<GridView>("picksGrid");
    ASSERT_EQ(grid->item(1, 1)->text().toStdString(), "Atlanta Falcons");
    clickCell(grid, 1, 1);
    program.dialogs.saveAnswers = {c.answer};
    if (*c.entry)
        trigger(c.entry);
    else
        window->close();

    EXPECT_EQ(program.dialogs.shown.size(), 1u);
    EXPECT_EQ(program.dialogs.shown.at(0).kind, "askToSave");
    bool stays = c.answer == SaveAnswer::Cancel;
    EXPECT_EQ(grid->isVisible(), stays);
    if (stays) {
        EXPECT_TRUE(grid->item(1, 1)->font().bold());
    }
    std::vector<std::string> picks =
        readTextFile(program.pool.folders.program / "admin2010.dat").value();
    ASSERT_GE(picks.size(), 9u);
    EXPECT_EQ(picks[8], test::weekLine(c.answer == SaveAnswer::Save
                                           ? std::vector<int>{teamNumber("Atlanta Falcons")}
                                           : std::vector<int>{}));
}

INSTANTIATE_TEST_SUITE_P(
    Ways, LeavingTheWeeksPicks,
    testing::Values(LeaveCase{"AnotherViewSaves", "allResultsAction", SaveAnswer::Save},
                    LeaveCase{"AnotherViewCancels", "teamRankingAction", SaveAnswer::Cancel},
                    LeaveCase{"LogoutDiscards", "logoutAction", SaveAnswer::Discard},
                    LeaveCase{"ExitDiscards", "exitAction", SaveAnswer::Discard},
                    LeaveCase{"ClosingSaves", "", SaveAnswer::Save},
                    LeaveCase{"ClosingCancels", "", SaveAnswer::Cancel}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WeeklyPicksWindow, ScoreEnteredInTheWindowReachesTheTable) {
    loginAsAdmin();
    trigger("weeklyPicksAction");
    bool opened = withModal("enterScoresAction", [&](QWidget* dialog) {
        EXPECT_EQ(dialog->objectName(), "scoreEntryDialog");
        EXPECT_EQ(dialog->windowTitle(), "Enter Scores");
        EXPECT_TRUE(find("picksGrid")->isVisible()); // the page stays behind it
        auto* week1 = dialog->findChild<QRadioButton*>("weekOption1");
        // The weeks played by the pool's day can be chosen from the start.
        EXPECT_TRUE(dialog->findChild<QRadioButton*>("weekOption2")->isEnabled());
        QTest::mouseClick(week1, Qt::LeftButton);
        EXPECT_TRUE(dialog->findChild<QRadioButton*>("weekOption8")->isEnabled());
        EXPECT_FALSE(dialog->findChild<QRadioButton*>("weekOption9")->isEnabled());
        EXPECT_EQ(dialog->findChild<QLabel*>("visitorTeamLabel")->text(), "Minnesota Vikings");
        EXPECT_EQ(dialog->findChild<QLabel*>("homeTeamLabel")->text(), "New Orleans Saints");
        dialog->findChild<QLineEdit*>("visitorScoreEdit")->setText("21");
        dialog->findChild<QLineEdit*>("homeScoreEdit")->setText("");
        QTest::mouseClick(dialog->findChild<QPushButton*>("nextGameButton"), Qt::LeftButton);
        QTest::mouseClick(dialog->findChild<QPushButton*>("closeButton"), Qt::LeftButton);
    });
    ASSERT_TRUE(opened);

    auto table = GamesTable::open(program.pool.folders.program / "scoresheet97.mdb");
    ASSERT_TRUE(table) << table.error().message;
    std::vector<GameRecord> records = (*table)->records().value();
    auto first2010 = std::find_if(records.begin(), records.end(),
                                  [](const GameRecord& r) { return r.year == "2010"; });
    ASSERT_NE(first2010, records.end());
    EXPECT_EQ(first2010->visitorScore, " 21");
    EXPECT_EQ(first2010->homeScore, ""); // an emptied box leaves the game unscored
    Result<Season> season = rebuildSeasonGames(program.pool);
    ASSERT_TRUE(season) << season.error().message;
    EXPECT_EQ(season->scoredGameCount, 116); // one game fewer is scored
}

TEST_F(WeeklyPicksWindow, PlayerWithoutRightsCannotEnterScores) {
    loginAsAdmin();
    trigger("weeklyPicksAction");
    program.pool.users[program.pool.userSlot("admin")].admin = 0;
    trigger("enterScoresAction");
    EXPECT_EQ(program.dialogs.messages(),
              std::vector<std::string>{"Error: You do not have administrator control"});
    EXPECT_EQ(program.dialogs.kinds, std::vector<MessageKind>{MessageKind::Error});
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(find("picksGrid")->isVisible()); // the panel stays
}

} // namespace
} // namespace gs
