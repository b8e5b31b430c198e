#include "tests/ui/uitest.h"

#include "core/league.h"
#include "core/textfile.h"
#include "core/userlist.h"
#include "ui/gridview.h"
#include "ui/qtdialogs.h"

#include <QMenuBar>
#include <QMessageBox>
#include <QSet>

namespace gs {
namespace {

class MainWindow : public test::MainWindowTest {
protected:
    // The title, the menus on ("+") or off, and the login page with its boxes.
    std::string shown() {
        std::string text = window->windowTitle().toStdString();
        for (const char* name : {"fileMenu", "viewMenu", "helpMenu"})
            text += menu(name)->menuAction()->isEnabled() ? "+" : "-";
        if (!find("loginPage")->isVisible())
            return text;
        text += " login";
        for (const char* name : {"userNameEdit", "passwordEdit"})
            text += " [" + find<QLineEdit>(name)->text().toStdString() + "]";
        return text;
    }
    // The entries that need administrator rights: on, or off; "(why)" when
    // the tip says why.
    std::string adminEntries() {
        std::string text;
        for (const auto& [name, tip] : {std::pair{"enterScoresAction", kScoreEntryNeedsAdminTip},
                                        {"backupAdminAction", kAdminBackupNeedsAdminTip},
                                        {"restoreAdminAction", kAdminRestoreNeedsAdminTip}})
            text += std::string(action(name)->isEnabled() ? "on" : "off") +
                    (action(name)->toolTip().toStdString() == tip ? "(why) " : " ");
        return text;
    }
};

TEST_F(MainWindow, LoginAndLogoutSwitchTheMenusAndTheLoginPage) {
    const std::string loggedOut = "Gridslate--+ login [] []";
    EXPECT_EQ(shown(), loggedOut);
    loginAsAdmin();
    EXPECT_EQ(shown(), "Gridslate for admin – 2010 season+++");
    trigger("logoutAction");
    EXPECT_EQ(shown(), loggedOut);
    login("admin");
    EXPECT_EQ(window->findChild<QDialog*>("firstStartDialog"), nullptr); // the list stands
}

TEST_F(MainWindow, FirstStartLogsInAtOnceAndItsDialogLeadsOn) {
    login("");
    EXPECT_TRUE(window->windowTitle().startsWith("Gridslate for admin"));
    auto* next = find<QDialog>("firstStartDialog");
    ASSERT_NE(next, nullptr);
    EXPECT_TRUE(next->isVisible());
    EXPECT_FALSE(next->isModal()); // the main window stays usable beside it
    EXPECT_EQ(test::modalOpenedBy([&] { test::press(next, "setPasswordButton"); }),
              "changePasswordDialog");
    EXPECT_EQ(test::modalOpenedBy([&] { test::press(next, "chooseSeasonButton"); }),
              "seasonYearDialog");
    EXPECT_TRUE(next->isVisible()); // it stays for the next step
    test::press(next, "addPlayersButton");
    EXPECT_FALSE(next->isVisible());
    EXPECT_TRUE(find("userAdministrationPage")->isVisible());
}

TEST_F(MainWindow, TheAdministratorsEntriesFollowTheRights) {
    loginAsAdmin();
    EXPECT_EQ(adminEntries(), "on on on ");
    // Rights taken meanwhile: the entries still on refuse rather than open.
    test::editUser(program.pool, program.pool.userSlot("admin"), [](UserSlot& u) { u.admin = 0; });
    for (const char* entry : {"enterScoresAction", "updateGamesAction"}) {
        program.dialogs.clear();
        EXPECT_TRUE(test::modalOpenedBy([&] { trigger(entry); }).isEmpty()) << entry;
        EXPECT_EQ(program.dialogs.messages(),
                  std::vector<std::string>{"Error: You do not have administrator control"});
    }
    test::editUser(program.pool, program.pool.userSlot("admin"), [](UserSlot& u) { u.admin = 1; });

    test::addUser(program.pool, 3, "ann");
    ASSERT_TRUE(saveUserList(program.pool));
    trigger("logoutAction");
    login("ann");
    EXPECT_EQ(adminEntries(), "off(why) off(why) off(why) ");
    EXPECT_TRUE(menu("fileMenu")->toolTipsVisible());

    // Handing the rights on greys out the giver's entries at once.
    trigger("logoutAction");
    login("admin");
    trigger("userAdministrationAction");
    program.dialogs.inputAnswers = {"ann"};
    click("administratorButton");
    click("saveChangesButton");
    EXPECT_EQ(adminEntries(), "off(why) off(why) off(why) ");
}

TEST_F(MainWindow, AColorSchemeRepaintsAtOnceAndStaysWithTheUser) {
    loginAsAdmin();
    ASSERT_TRUE(withModal("colorSettingsAction", [&](QWidget* dialog) {
        EXPECT_TRUE(test::child<QRadioButton>(dialog, "schemeOption9")->isChecked());
        QTest::mouseClick(test::child<QRadioButton>(dialog, "schemeOption12"), Qt::LeftButton);
        EXPECT_TRUE(window->styleSheet().contains("#008000"));
        EXPECT_TRUE(dialog->styleSheet().contains("#008000"));
        test::press(dialog, "closeButton");
    }));
    // The page is still there once the window closed, never an empty window.
    EXPECT_TRUE(find("weeklyPicksPage")->isVisible());
    EXPECT_EQ(program.pool.users()[program.pool.userSlot("admin")].colorScheme, 12);
}

TEST_F(MainWindow, ANewSeasonShowsInTheTitleAndApplyStoresIt) {
    loginAsAdmin();
    ASSERT_TRUE(withModal("setSeasonAction", [&](QWidget* dialog) {
        test::child<QListWidget>(dialog, "seasonList")->setCurrentRow(4); // 2011
        test::press(dialog, "applyButton");
        test::press(dialog, "closeButton");
    }));
    EXPECT_TRUE(find("weeklyPicksPage")->isVisible());
    EXPECT_EQ(window->windowTitle(), "Gridslate for admin – 2011 season");
    EXPECT_TRUE(test::readBytes(userListPath(program.pool.folders())).starts_with("2011\r\n"));
}

// Every menu and every entry can be reached from the keyboard: each has a
// mnemonic, none shared within its menu.
TEST_F(MainWindow, EveryMenuAndEntryHasItsOwnMnemonic) {
    std::function<void(const QList<QAction*>&)> check = [&](const QList<QAction*>& actions) {
        QSet<QChar> keys;
        for (QAction* entry : actions) {
            QString text = entry->text();
            if (entry->isSeparator())
                continue;
            ASSERT_TRUE(text.contains('&')) << text.toStdString();
            QChar key = text.at(text.indexOf('&') + 1).toLower();
            EXPECT_FALSE(keys.contains(key)) << text.toStdString();
            keys.insert(key);
            if (entry->menu())
                check(entry->menu()->actions());
        }
    };
    check(window->menuBar()->actions());
}

// The save question's buttons, and Escape, as the logic hears them.
TEST(SaveQuestion, AnswersByTheButton) {
    for (auto [button, answer] : {std::pair{QMessageBox::Save, SaveAnswer::Save},
                                  {QMessageBox::Discard, SaveAnswer::Discard},
                                  {QMessageBox::Cancel, SaveAnswer::Cancel},
                                  {QMessageBox::NoButton, SaveAnswer::Cancel}}) { // Escape
        QString shown;
        SaveAnswer given = SaveAnswer::Save;
        test::whenModal(
            [&](QWidget* widget) {
                auto* box = qobject_cast<QMessageBox*>(widget);
                shown = box->objectName() + " " + box->windowTitle() + ": " + box->text();
                if (button == QMessageBox::NoButton)
                    QTest::keyClick(box, Qt::Key_Escape);
                else
                    box->button(button)->click();
            },
            [&] { given = QtDialogs().askToSave("Save your picks?", "Gridslate"); });
        EXPECT_EQ(given, answer) << button;
        EXPECT_EQ(shown.toStdString(), "saveQuestionBox Gridslate: Save your picks?");
    }
}

// ------------------------------------------------------------ this week's picks

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
