#include "tests/ui/uitest.h"

#include "core/league.h"
#include "core/textfile.h"
#include "ui/gridview.h"

namespace gs {
namespace {

namespace fs = std::filesystem;

// This Week's Picks of admin on week 9 of 2010, which opens with Tampa Bay
// at Atlanta.
class WeeklyPicksWindow : public test::MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        loginAsAdmin();
        grid = find<GridView>("picksGrid");
        ASSERT_EQ(grid->item(1, 1)->text().toStdString(), "Atlanta Falcons");
    }
    void clickCell(int row, int col) {
        QRect rect = grid->visualItemRect(grid->item(row, col));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rect.center());
    }
    // The first game's row ("*" for a pick), the week shown and the save button.
    std::string page() {
        std::string text;
        for (int col = 0; col < grid->columnCount(); ++col)
            text += (grid->item(1, col)->font().bold() ? "*" : "") +
                    grid->item(1, col)->text().toStdString() + " | ";
        auto* save = find<QPushButton>("savePicksButton");
        return text + "week " + find<QLabel>("weekNumberLabel")->text().toStdString() + " " +
               save->text().toStdString() + (save->isEnabled() ? "+" : "-");
    }
    // Week 9's line of admin's pick file.
    std::string week9Line() {
        Result<std::vector<std::string>> lines =
            readTextFile(program.pool.folders().program / "admin2010.dat");
        return lines && lines->size() > 8 ? (*lines)[8] : "";
    }
    GridView* grid = nullptr;
};

TEST_F(WeeklyPicksWindow, PicksAreMadeSavedAndRestored) {
    const std::string open =
        "Tampa Bay Buccaneers | Atlanta Falcons | Atlanta Falcons | 1 | week 9 ";
    const std::string picked = "Tampa Bay Buccaneers | *Atlanta Falcons | Atlanta Falcons | 1 | "
                               "week 9 ";
    trigger("weeklyPicksAction");
    trigger("backupPicksAction");
    EXPECT_EQ(page(), open + "Save Picks-");
    clickCell(1, 1);
    EXPECT_EQ(page(), picked + "Save Picks+");
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(grid, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(page(), picked + "Picks Saved-");
    EXPECT_EQ(week9Line(), test::weekLine({teamNumber("Atlanta Falcons")}));

    // The restored picks replace the ones on show.
    trigger("restorePicksAction");
    EXPECT_EQ(page(), open + "Save Picks-");
    trigger("backupAdminAction");
    EXPECT_TRUE(fs::exists(program.pool.folders().program / "UserList.bak"));
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
    clickCell(1, 1);
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
    EXPECT_EQ(week9Line(), test::weekLine(c.answer == SaveAnswer::Save
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

} // namespace
} // namespace gs
