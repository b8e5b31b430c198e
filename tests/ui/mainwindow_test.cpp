#include "tests/ui/uitest.h"

#include "core/userlist.h"
#include "ui/qtdialogs.h"

#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QRadioButton>
#include <QSet>

namespace gs {
namespace {

// The entries that need administrator rights, and why each is greyed out
// for a player.
const std::vector<std::pair<const char*, const char*>> kAdminEntries = {
    {"enterScoresAction", kScoreEntryNeedsAdminTip},
    {"backupAdminAction", kAdminBackupNeedsAdminTip},
    {"restoreAdminAction", kAdminRestoreNeedsAdminTip},
};

class MainWindow : public test::MainWindowTest {
protected:
    // The title, the menus and the login page as the window shows them.
    std::string shown() {
        std::string text = window->windowTitle().toStdString();
        for (const char* name : {"fileMenu", "viewMenu", "helpMenu"})
            text += std::string(" ") + name + (menu(name)->menuAction()->isEnabled() ? "+" : "-");
        for (const char* name : {"userNameEdit", "passwordEdit"}) {
            auto* box = find<QLineEdit>(name);
            text += std::string(" ") + name +
                    (box->isVisible() ? "[" + box->text().toStdString() + "]" : "-");
        }
        for (const char* name : {"loginButton", "exitButton"})
            text += std::string(" ") + name + (find(name)->isVisible() ? "+" : "-");
        // "Forgot Password" is never shown.
        for (const QLabel* label : window->findChildren<QLabel*>())
            if (label->isVisible() && label->text().contains("Forgot"))
                text += " Forgot";
        return text;
    }
    // Each administrator's entry: on, or off; "(why)" when its tip is the reason.
    std::string adminEntries() {
        std::string text;
        for (const auto& [name, tip] : kAdminEntries)
            text += std::string(action(name)->isEnabled() ? "on" : "off") +
                    (action(name)->toolTip().toStdString() == tip ? "(why) " : " ");
        return text;
    }
};

TEST_F(MainWindow, LoginAndLogoutSwitchTheMenusAndTheLoginPage) {
    const std::string loggedOut = "Gridslate fileMenu- viewMenu- helpMenu+ userNameEdit[] "
                                  "passwordEdit[] loginButton+ exitButton+";
    EXPECT_EQ(shown(), loggedOut);
    loginAsAdmin();
    EXPECT_EQ(shown(), "Gridslate for admin – 2010 season fileMenu+ viewMenu+ helpMenu+ "
                       "userNameEdit- passwordEdit- loginButton- exitButton-");
    trigger("logoutAction");
    EXPECT_EQ(shown(), loggedOut);
    login("ann", "secret"); // not on the list
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
    EXPECT_EQ(modalOpenedBy([&] { test::press(next, "setPasswordButton"); }),
              "changePasswordDialog");
    EXPECT_EQ(modalOpenedBy([&] { test::press(next, "chooseSeasonButton"); }), "seasonYearDialog");
    EXPECT_TRUE(next->isVisible()); // it stays for the next step
    test::press(next, "addPlayersButton");
    EXPECT_FALSE(next->isVisible());
    EXPECT_TRUE(find("userAdministrationPage")->isVisible());
}

// A window of the File menu opens over the page; when it closes the page
// is still there, never an empty window.
TEST_F(MainWindow, ThePageStaysWhenAWindowCloses) {
    loginAsAdmin();
    for (const char* entry : {"colorSettingsAction", "setSeasonAction", "exchangeFilesAction"}) {
        EXPECT_FALSE(modalOpenedBy([&] { trigger(entry); }).isEmpty()) << entry;
        EXPECT_TRUE(find("weeklyPicksPage")->isVisible()) << entry;
    }
}

TEST_F(MainWindow, TheAdministratorsEntriesFollowTheRights) {
    loginAsAdmin();
    EXPECT_EQ(adminEntries(), "on on on ");
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

// Rights taken meanwhile: the entries still on refuse rather than open.
TEST_F(MainWindow, TheAdministratorsWindowsRefuseAUserWithoutRights) {
    loginAsAdmin();
    program.pool.users[program.pool.userSlot("admin")].admin = 0;
    for (const char* entry : {"enterScoresAction", "updateGamesAction"}) {
        program.dialogs.clear();
        EXPECT_TRUE(modalOpenedBy([&] { trigger(entry); }).isEmpty()) << entry;
        EXPECT_EQ(program.dialogs.messages(),
                  std::vector<std::string>{"Error: You do not have administrator control"})
            << entry;
    }
}

TEST_F(MainWindow, AGamesTableWithoutTheTableIsNamedAtLogin) {
    std::filesystem::resize_file(program.pool.gamesDatabasePath(), 0);
    login("admin");
    std::string said;
    for (const std::string& message : program.dialogs.messages())
        said += message + "\n";
    EXPECT_NE(said.find("scoresheet97.mdb"), std::string::npos) << said;
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
    EXPECT_EQ(program.pool.users[program.pool.userSlot("admin")].colorScheme, 12);
}

TEST_F(MainWindow, ANewSeasonShowsInTheTitleAndApplyStoresIt) {
    EXPECT_EQ(action("exitAction")->shortcut().toString(), "Ctrl+Q");
    EXPECT_EQ(action("userManualAction")->shortcut().toString(), "F1");
    loginAsAdmin();
    ASSERT_TRUE(withModal("setSeasonAction", [&](QWidget* dialog) {
        test::child<QListWidget>(dialog, "seasonList")->setCurrentRow(4); // 2011
        test::press(dialog, "applyButton");
        test::press(dialog, "closeButton");
    }));
    EXPECT_EQ(window->windowTitle(), "Gridslate for admin – 2011 season");
    EXPECT_TRUE(test::readBytes(userListPath(program.pool.folders)).starts_with("2011\r\n"));
}

// Every menu and every entry can be reached from the keyboard: each has a
// mnemonic, none shared within its menu.
TEST_F(MainWindow, EveryMenuAndEntryHasItsOwnMnemonic) {
    std::function<void(const QList<QAction*>&, const QString&)> check =
        [&](const QList<QAction*>& actions, const QString& where) {
            QSet<QChar> keys;
            for (QAction* entry : actions) {
                if (entry->isSeparator())
                    continue;
                QString text = entry->text();
                int at = text.indexOf('&');
                ASSERT_GE(at, 0) << where.toStdString() << ": " << text.toStdString();
                QChar key = text.at(at + 1).toLower();
                EXPECT_FALSE(keys.contains(key))
                    << where.toStdString() << ": " << text.toStdString();
                keys.insert(key);
                if (entry->menu())
                    check(entry->menu()->actions(), text);
            }
        };
    check(window->menuBar()->actions(), "menu bar");
}

// The save question's buttons, and Escape, as the logic hears them.
struct SaveButtonCase {
    const char* name;
    QMessageBox::StandardButton button; // NoButton: Escape
    SaveAnswer answer;
};

class SaveQuestion : public testing::TestWithParam<SaveButtonCase> {};

TEST_P(SaveQuestion, AnswersByTheButton) {
    const SaveButtonCase& c = GetParam();
    QString shown;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        shown = box->objectName() + " " + box->windowTitle() + ": " + box->text();
        if (c.button == QMessageBox::NoButton)
            QTest::keyClick(box, Qt::Key_Escape);
        else
            box->button(c.button)->click();
    });
    QtDialogs dialogs;
    EXPECT_EQ(dialogs.askToSave("Save your picks?", "Gridslate"), c.answer);
    EXPECT_EQ(shown.toStdString(), "saveQuestionBox Gridslate: Save your picks?");
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, SaveQuestion,
    testing::Values(SaveButtonCase{"Save", QMessageBox::Save, SaveAnswer::Save},
                    SaveButtonCase{"Discard", QMessageBox::Discard, SaveAnswer::Discard},
                    SaveButtonCase{"Cancel", QMessageBox::Cancel, SaveAnswer::Cancel},
                    SaveButtonCase{"Escape", QMessageBox::NoButton, SaveAnswer::Cancel}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace gs
