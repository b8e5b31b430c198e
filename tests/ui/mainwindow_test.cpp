#include "tests/ui/uitest.h"

#include "core/poolrules.h"
#include "core/userlist.h"
#include "schedule/pickextras.h"
#include "tests/support/commandrun.h"
#include "ui/gridview.h"
#include "ui/qtdialogs.h"

#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>

#include <set>

namespace gs {
namespace {

class MainWindow : public test::MainWindowTest {
protected:
    // The title, the menus on ("+") or off, and the login page with its boxes.
    std::string shown() {
        std::string text = window->windowTitle().toStdString();
        for (const char* name : {"fileMenu", "viewMenu", "helpMenu"})
            text += find<QMenu>(name)->menuAction()->isEnabled() ? "+" : "-";
        if (!find("loginPage")->isVisible())
            return text;
        for (const char* name : {"userNameEdit", "passwordEdit"})
            text += " [" + find<QLineEdit>(name)->text().toStdString() + "]";
        return text;
    }
    // The entries that need administrator rights: on, or off; "(why)" when
    // the tip says why.
    std::string adminEntries() {
        std::string text;
        for (const auto& [name, tip] : {std::pair{"enterScoresAction", kScoreEntryNeedsAdminTip},
                                        {"updateGamesAction", kUpdateGamesNeedsAdminTip},
                                        {"backupAdminAction", kAdminBackupNeedsAdminTip},
                                        {"restoreAdminAction", kAdminRestoreNeedsAdminTip}})
            text += std::string(find<QAction>(name)->isEnabled() ? "on" : "off") +
                    (find<QAction>(name)->toolTip().toStdString() == tip ? "(why) " : " ");
        return text;
    }
};

TEST_F(MainWindow, FirstStartLogsInAtOnceAndItsDialogLeadsOn) {
    login("");
    auto* next = find<QDialog>("firstStartDialog");
    ASSERT_TRUE(next && next->isVisible());
    EXPECT_FALSE(next->isModal()); // the main window stays usable beside it
    for (auto [button, opens] : {std::pair{"setPasswordButton", "changePasswordDialog"},
                                 {"chooseSeasonButton", "seasonYearDialog"}}) {
        EXPECT_TRUE(test::whenModal(
            [&](QWidget* dialog) {
                EXPECT_EQ(dialog->objectName(), opens);
                dialog->close();
            },
            [&] { test::press(next, button); }));
    }
    test::press(next, "addPlayersButton");
    EXPECT_TRUE(find("userAdministrationPage")->isVisible());
    EXPECT_TRUE(next->isVisible()); // it stays for the next step
}

// A new player's machine: "Join a Pool..." sets it up from the pool's
// shared folder and logs him in; Bob, who plays elsewhere, cannot log in.
TEST_F(MainWindow, AFirstStartJoinsAPoolAndLogsThePlayerIn) {
    TempDir admin, shared;
    for (const char* line : {"add-player Ann --active", "add-player Bob --active"})
        ASSERT_EQ(test::runGridslateIn(admin.path(), test::words(line)).status, 0);
    writeBytes(admin.path() / "data" / "admin_UserPref.dbu", "," + shared.path().string());
    ASSERT_EQ(test::runGridslateIn(admin.path(), {"exchange-upload-admin"}).status, 0);

    window->offerPoolStart();
    auto* start = find<QDialog>("poolStartDialog");
    ASSERT_TRUE(start && start->isVisible());
    EXPECT_TRUE(test::whenModal(
        [&](QWidget* dialog) {
            for (auto [edit, text] : {std::pair{"joinPlayerEdit", "Ann"},
                                      {"joinPlaceEdit", shared.path().c_str()},
                                      {"joinPasswordEdit", "pw"},
                                      {"joinRepeatEdit", "pw"}})
                test::child<QLineEdit>(dialog, edit)->setText(text);
            test::press(dialog, "joinButton");
        },
        [&] { test::press(start, "joinPoolButton"); }));
    EXPECT_EQ(window->windowTitle().toStdString(), "Gridslate for Ann – 2010 season");
    EXPECT_EQ(program.dialogs.messages(),
              Lines{"Join a Pool: Ann joined the pool of the 2010 season, which has 3 players."});
    trigger("logoutAction");
    program.dialogs.clear();
    login("Bob");
    EXPECT_EQ(program.dialogs.messages(), Lines{"Error: Bob plays on another machine"});
}

// A login opens the menus, each to the rights of the user.
TEST_F(MainWindow, LoginAndLogoutSwitchTheMenusAndTheEntriesFollowTheRights) {
    const std::string loggedOut = "Gridslate--+ [] []";
    EXPECT_EQ(shown(), loggedOut);
    loginAsAdmin();
    EXPECT_EQ(shown() + " " + adminEntries(), "Gridslate for admin – 2010 season+++ on on on on ");
    // Rights taken meanwhile: the entries still on refuse rather than open.
    for (const char* entry : {"enterScoresAction", "updateGamesAction"}) {
        test::editUser(program.pool, program.pool.userSlot("admin"),
                       [](UserSlot& u) { u.admin = 0; });
        program.dialogs.clear();
        EXPECT_FALSE(withModal(entry, [](QWidget* dialog) { dialog->close(); })) << entry;
        EXPECT_EQ(program.dialogs.messages().size(), 1u) << entry; // said once
        test::editUser(program.pool, program.pool.userSlot("admin"),
                       [](UserSlot& u) { u.admin = 1; });
        window->run([] {});
    }

    test::addUser(program.pool, 3, "ann");
    ASSERT_TRUE(saveUserList(program.pool));
    trigger("logoutAction");
    EXPECT_EQ(shown(), loggedOut);
    login("ann");
    EXPECT_EQ(adminEntries(), "off(why) off(why) off(why) off(why) ");
    EXPECT_TRUE(find<QMenu>("fileMenu")->toolTipsVisible());

    // Handing the rights on greys out the giver's entries at once.
    trigger("logoutAction");
    login("admin");
    trigger("userAdministrationAction");
    program.dialogs.inputAnswers = {"ann"};
    click("administratorButton");
    click("saveChangesButton");
    EXPECT_EQ(adminEntries(), "off(why) off(why) off(why) off(why) ");
}

// The scheme and the season chosen show at once; the page stays behind the
// windows, never an empty window.
TEST_F(MainWindow, ColorAndSeasonWindowsRepaintAndRetitleAtOnce) {
    loginAsAdmin();
    ASSERT_TRUE(withModal("colorSettingsAction", [&](QWidget* dialog) {
        EXPECT_TRUE(test::child<QRadioButton>(dialog, "schemeOption9")->isChecked());
        QTest::mouseClick(test::child<QRadioButton>(dialog, "schemeOption12"), Qt::LeftButton);
        EXPECT_TRUE(window->styleSheet().contains("#008000"));
        test::press(dialog, "closeButton");
    }));
    EXPECT_TRUE(find("weeklyPicksPage")->isVisible());
    ASSERT_TRUE(withModal("setSeasonAction", [&](QWidget* dialog) {
        test::child<QListWidget>(dialog, "seasonList")->setCurrentRow(4); // 2011
        EXPECT_EQ(window->windowTitle(), "Gridslate for admin – 2011 season");
        test::press(dialog, "applyButton");
        test::press(dialog, "closeButton");
    }));
}

// Every menu and every entry can be reached from the keyboard: each has a
// mnemonic, none shared within its menu.
TEST_F(MainWindow, EveryMenuAndEntryHasItsOwnMnemonic) {
    std::function<void(const QList<QAction*>&)> check = [&](const QList<QAction*>& actions) {
        std::set<QKeySequence> keys;
        for (QAction* entry : actions) {
            if (entry->isSeparator())
                continue;
            QKeySequence key = QKeySequence::mnemonic(entry->text());
            ASSERT_FALSE(key.isEmpty()) << entry->text().toStdString();
            EXPECT_TRUE(keys.insert(key).second) << entry->text().toStdString();
            if (entry->menu())
                check(entry->menu()->actions());
        }
    };
    check(window->menuBar()->actions());
}

// The save question's buttons, and Escape (which presses Cancel, not the
// default Save), as the logic hears them.
TEST(SaveQuestion, AnswersByTheButton) {
    for (auto [button, answer] : {std::pair{QMessageBox::Save, SaveAnswer::Save},
                                  {QMessageBox::Discard, SaveAnswer::Discard},
                                  {QMessageBox::NoButton, SaveAnswer::Cancel}}) { // Escape
        SaveAnswer given = SaveAnswer::Save;
        test::whenModal(
            [&](QWidget* widget) {
                auto* box = qobject_cast<QMessageBox*>(widget);
                EXPECT_EQ(box->windowTitle() + ": " + box->text(), "Gridslate: Save your picks?");
                if (button == QMessageBox::NoButton)
                    QTest::keyClick(box, Qt::Key_Escape);
                else
                    box->button(button)->click();
            },
            [&] { given = QtDialogs().askToSave("Save your picks?", "Gridslate"); });
        EXPECT_EQ(given, answer) << button;
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
    }
    void pickAtlanta() {
        QRect rect = grid->visualItemRect(grid->item(1, 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rect.center());
    }
    // "*" when the first game's home team is picked, and the save button.
    std::string page() {
        auto* save = find<QPushButton>("savePicksButton");
        return (grid->item(1, 1)->font().bold() ? "*" : "") + save->text().toStdString() +
               (save->isEnabled() ? "+" : "-");
    }
    GridView* grid = nullptr;
};

// What a pick writes to the file is weeklypicks_test.cpp's.
TEST_F(WeeklyPicksWindow, PicksAreMadeSavedAndRestored) {
    trigger("weeklyPicksAction");
    trigger("backupPicksAction");
    EXPECT_EQ(page(), "Save Picks-");
    pickAtlanta();
    EXPECT_EQ(page(), "*Save Picks+");
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(grid, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(page(), "*Picks Saved-");
    // The restored picks replace the ones on show.
    trigger("restorePicksAction");
    EXPECT_EQ(page(), "Save Picks-");
    trigger("backupAdminAction");
    EXPECT_TRUE(fs::exists(program.pool.folders().program / "UserList.bak"));
}

// On Sunday of week 9 its Sunday games are locked and Monday's is not: the
// locked rows, and only they, carry the lock mark and say when they kicked
// off; a click on one says so in the status bar.
TEST_F(WeeklyPicksWindow, ExactlyTheLockedRowsLookLocked) {
    program.pool.setDayOverride("11/7/2010");
    trigger("weeklyPicksAction");
    std::string marks;
    for (int r = 1; r < grid->rowCount(); ++r) {
        // The lock mark's body, where the other rows' room for it is clear.
        bool mark = grid->item(r, 0)->icon().pixmap(16).toImage().pixelColor(4, 12).alpha() > 0;
        QString tip = grid->item(r, 1)->toolTip();
        marks += !mark && tip.isEmpty()                      ? "-"
                 : mark && tip == "Kicked off Sun 11/7/2010" ? "L"
                                                             : "?";
    }
    EXPECT_EQ(marks, "LLLLLLLLLLLL-");
    pickAtlanta();
    EXPECT_EQ(page(), "Save Picks-");
    EXPECT_EQ(window->statusBar()->currentMessage().toStdString(),
              "Tampa Bay Buccaneers at Atlanta Falcons can no longer be picked: Kicked off Sun "
              "11/7/2010.");
}

// Leaving with a pick not saved asks first: Cancel keeps the page, on
// another view or on closing, and another answer leaves. What each answer
// does to the picks is the panel's (weeklypicks_test.cpp).
TEST_F(WeeklyPicksWindow, LeavingAsksFirstAndStaysOnlyOnCancel) {
    pickAtlanta();
    program.dialogs.saveAnswers = {SaveAnswer::Cancel, SaveAnswer::Cancel, SaveAnswer::Discard};
    trigger("teamRankingAction");
    window->close();
    EXPECT_TRUE(grid->isVisible());
    trigger("logoutAction");
    EXPECT_TRUE(find("loginPage")->isVisible());
    EXPECT_EQ(program.dialogs.shown.size(), 3u);
    login("admin");
    trigger("exitAction");
    EXPECT_FALSE(window->isVisible());
}

// In a confidence pool the grid has a column of values typed from the
// keyboard, and the tiebreaker field under it names the week's last game;
// both are saved with the picks. The rules are weeklypicks_test.cpp's.
TEST_F(WeeklyPicksWindow, TheTiebreakerAndTheConfidenceColumnAreTypedAndSaved) {
    ASSERT_TRUE(storePoolRule(program.pool.folders(), PoolRule::Confidence));
    trigger("weeklyPicksAction");
    EXPECT_EQ(find<QLabel>("tiebreakerLabel")->text().toStdString(),
              "Tiebreaker: total points of Pittsburgh Steelers at Cincinnati Bengals");
    auto* guess = find<QLineEdit>("tiebreakerEdit");
    guess->setFocus();
    QTest::keyClicks(guess, "45");
    QTest::keyClick(guess, Qt::Key_Return);

    const int confidence = grid->columnCount() - 1;
    EXPECT_EQ(grid->item(0, confidence)->text().toStdString(), "Confidence");
    grid->setCurrentCell(1, confidence);
    QTest::keyClick(grid, Qt::Key_F2);
    auto* editor = grid->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "13");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the edit is committed from the event loop
    EXPECT_EQ(grid->item(1, confidence)->text().toStdString(), "13");
    click("savePicksButton");

    const ExtrasTable saved = loadExtras(program.pool, "admin").value();
    ASSERT_TRUE(saved[9].guess);
    EXPECT_EQ(saved[9].guess->points, 45);
    EXPECT_EQ(saved[9].values[static_cast<size_t>(Team::named("Tampa Bay Buccaneers")->number())],
              13);
}

} // namespace
} // namespace gs
