#include "tests/ui/uitest.h"

#include "core/userlist.h"
#include "ui/qtdialogs.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QRadioButton>
#include <QSet>
#include <QTimer>

namespace gs {
namespace {

using MainWindow = test::MainWindowTest;

TEST_F(MainWindow, StartsLoggedOut) {
    EXPECT_EQ(window->windowTitle(), "Gridslate");
    EXPECT_FALSE(menu("fileMenu")->menuAction()->isEnabled());
    EXPECT_FALSE(menu("viewMenu")->menuAction()->isEnabled());
    EXPECT_TRUE(menu("helpMenu")->menuAction()->isEnabled());
    EXPECT_TRUE(find("userNameEdit")->isVisible());
    EXPECT_TRUE(find("passwordEdit")->isVisible());
    EXPECT_TRUE(find("loginButton")->isVisible());
    EXPECT_TRUE(find("exitButton")->isVisible());
    // "Forgot Password" is never shown.
    for (const QLabel* label : window->findChildren<QLabel*>())
        EXPECT_FALSE(label->isVisible() && label->text().contains("Forgot"))
            << label->objectName().toStdString();
}

TEST_F(MainWindow, FirstStartLogsInAtOnceAndSaysWhatToDoNext) {
    login("");
    EXPECT_TRUE(program.dialogs.messages().empty());
    EXPECT_TRUE(window->windowTitle().startsWith("Gridslate for admin"));
    EXPECT_TRUE(find("weeklyPicksPage")->isVisible());
    auto* next = find<QDialog>("firstStartDialog");
    ASSERT_NE(next, nullptr);
    EXPECT_TRUE(next->isVisible());
    EXPECT_FALSE(next->isModal()); // the main window stays usable beside it
    EXPECT_TRUE(next->findChild<QLabel*>("firstStartText")->text().contains("password"));

    // Each button opens its window; the dialog stays for the next step.
    QString opened;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        opened = dialog ? dialog->objectName() : "";
        if (dialog)
            dialog->close();
    });
    QTest::mouseClick(next->findChild<QPushButton*>("setPasswordButton"), Qt::LeftButton);
    EXPECT_EQ(opened, "changePasswordDialog");
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        opened = dialog ? dialog->objectName() : "";
        if (dialog)
            dialog->close();
    });
    QTest::mouseClick(next->findChild<QPushButton*>("chooseSeasonButton"), Qt::LeftButton);
    EXPECT_EQ(opened, "seasonYearDialog");
    EXPECT_TRUE(next->isVisible());
    EXPECT_TRUE(find("weeklyPicksPage")->isVisible());

    QTest::mouseClick(next->findChild<QPushButton*>("addPlayersButton"), Qt::LeftButton);
    EXPECT_FALSE(next->isVisible());
    EXPECT_TRUE(find("userAdministrationPage")->isVisible());
}

TEST_F(MainWindow, ALoginOnAListThatExistsIsNoFirstStart) {
    loginAsAdmin();
    trigger("logoutAction");
    login("admin");
    EXPECT_EQ(window->findChild<QDialog*>("firstStartDialog"), nullptr);
}

TEST_F(MainWindow, AnotherNameOnAFreshHomeOnlyCreatesTheList) {
    login("ann");
    EXPECT_EQ(program.dialogs.messages(),
              std::vector<std::string>{"Welcome!: User List established.  Please Login as admin."});
    EXPECT_EQ(window->windowTitle(), "Gridslate");
    EXPECT_EQ(find<QLineEdit>("userNameEdit")->text(), "");
    EXPECT_TRUE(find("userNameEdit")->isVisible());
}

// A window of the File menu opens over the page; when it closes the page
// is still there, never an empty window.
TEST_F(MainWindow, ThePageStaysWhenAWindowCloses) {
    loginAsAdmin();
    ASSERT_TRUE(find("weeklyPicksPage")->isVisible());
    for (const char* entry : {"colorSettingsAction", "setSeasonAction", "exchangeFilesAction"}) {
        bool opened = withModal(entry, [](QWidget* dialog) { dialog->close(); });
        EXPECT_TRUE(opened) << entry;
        EXPECT_TRUE(find("weeklyPicksPage")->isVisible()) << entry;
        EXPECT_FALSE(find("blankPage")->isVisible()) << entry;
    }
}

TEST_F(MainWindow, AdminLoginHidesTheLoginAndEnablesTheMenus) {
    loginAsAdmin();
    EXPECT_TRUE(menu("fileMenu")->menuAction()->isEnabled());
    EXPECT_TRUE(menu("viewMenu")->menuAction()->isEnabled());
    EXPECT_TRUE(action("backupAdminAction")->isEnabled());
    EXPECT_TRUE(action("restoreAdminAction")->isEnabled());
    EXPECT_FALSE(find("userNameEdit")->isVisible());
    EXPECT_FALSE(find("loginButton")->isVisible());
}

// The entries that need administrator rights, and why each is greyed out
// for a player.
const std::vector<std::pair<const char*, const char*>> kAdminEntries = {
    {"enterScoresAction", kScoreEntryNeedsAdminTip},
    {"backupAdminAction", kAdminBackupNeedsAdminTip},
    {"restoreAdminAction", kAdminRestoreNeedsAdminTip},
};

TEST_F(MainWindow, APlayerSeesTheAdministratorsEntriesGreyedOutWithTheReason) {
    loginAsAdmin();
    for (const auto& [name, tip] : kAdminEntries) {
        EXPECT_TRUE(action(name)->isEnabled()) << name;
        EXPECT_NE(action(name)->toolTip().toStdString(), tip) << name;
    }
    test::addUser(program.pool, 3, "ann");
    ASSERT_TRUE(saveUserList(program.pool));
    trigger("logoutAction");
    login("ann");
    ASSERT_TRUE(window->windowTitle().contains("ann"));
    for (const auto& [name, tip] : kAdminEntries) {
        EXPECT_FALSE(action(name)->isEnabled()) << name;
        EXPECT_EQ(action(name)->toolTip().toStdString(), tip) << name;
    }
    EXPECT_TRUE(menu("fileMenu")->toolTipsVisible());
}

TEST_F(MainWindow, HandingTheRightsOnGreysOutTheGiversEntries) {
    loginAsAdmin();
    test::addUser(program.pool, 3, "ann");
    ASSERT_TRUE(saveUserList(program.pool));
    trigger("userAdministrationAction");
    program.dialogs.inputAnswers = {"ann"};
    program.dialogs.confirmAnswers = {true};
    click("administratorButton");
    click("saveChangesButton");
    EXPECT_EQ(program.dialogs.shown.at(1).title, "Hand Over Administrator Rights");
    for (const auto& [name, tip] : kAdminEntries) {
        EXPECT_FALSE(action(name)->isEnabled()) << name;
        EXPECT_EQ(action(name)->toolTip().toStdString(), tip) << name;
    }
}

TEST_F(MainWindow, AGamesTableWithoutTheTableIsNamedAndKept) {
    std::filesystem::resize_file(program.pool.gamesDatabasePath(), 0);
    login("admin");
    std::string said;
    for (const std::string& message : program.dialogs.messages())
        said += message + "\n";
    EXPECT_NE(said.find("scoresheet97.mdb"), std::string::npos) << said;
    EXPECT_EQ(std::filesystem::file_size(program.pool.gamesDatabasePath()), 0u);
}

TEST_F(MainWindow, LogoutShowsTheLoginWithEmptyBoxes) {
    loginAsAdmin();
    trigger("logoutAction");
    EXPECT_EQ(window->windowTitle(), "Gridslate");
    EXPECT_FALSE(menu("fileMenu")->menuAction()->isEnabled());
    EXPECT_FALSE(menu("viewMenu")->menuAction()->isEnabled());
    EXPECT_TRUE(find("userNameEdit")->isVisible());
    EXPECT_EQ(find<QLineEdit>("userNameEdit")->text(), "");
    EXPECT_EQ(find<QLineEdit>("passwordEdit")->text(), "");
}

TEST_F(MainWindow, ColorSchemeWindowRepaintsEverythingAndKeepsTheChoice) {
    loginAsAdmin();
    bool opened = withModal("colorSettingsAction", [&](QWidget* dialog) {
        EXPECT_EQ(dialog->objectName(), "colorSettingsDialog");
        EXPECT_EQ(dialog->windowTitle(), "Color Scheme");
        EXPECT_TRUE(dialog->findChild<QRadioButton*>("schemeOption9")->isChecked());
        EXPECT_TRUE(window->styleSheet().contains("#000040")); // admin's scheme 9
        QTest::mouseClick(dialog->findChild<QRadioButton*>("schemeOption12"), Qt::LeftButton);
        // The choice shows at once, on the main window and on the dialog.
        EXPECT_TRUE(window->styleSheet().contains("#008000"));
        EXPECT_TRUE(dialog->styleSheet().contains("#008000"));
        EXPECT_FALSE(dialog->findChild<QRadioButton*>("schemeOption9")->isChecked());
        QTest::mouseClick(dialog->findChild<QPushButton*>("closeButton"), Qt::LeftButton);
    });
    ASSERT_TRUE(opened);
    EXPECT_EQ(program.pool.colorScheme(), 12);
    EXPECT_EQ(program.pool.users()[program.pool.userSlot("admin")].colorScheme, 12);
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

TEST_F(MainWindow, StandardKeysAndATitleThatSaysWhoAndWhichSeason) {
    EXPECT_EQ(action("exitAction")->shortcut().toString(), "Ctrl+Q");
    EXPECT_EQ(action("userManualAction")->shortcut().toString(), "F1");
    loginAsAdmin();
    EXPECT_EQ(window->windowTitle(), "Gridslate for admin – 2010 season");
    // A new season shows at once.
    bool opened = withModal("setSeasonAction", [](QWidget* dialog) {
        dialog->findChild<QListWidget*>("seasonList")->setCurrentRow(4); // 2011
        dialog->close();
    });
    ASSERT_TRUE(opened);
    EXPECT_EQ(window->windowTitle(), "Gridslate for admin – 2011 season");
}

// The save question's buttons, and Escape, as the logic hears them.
struct SaveButtonCase {
    const char* name;
    QMessageBox::StandardButton button; // NoButton: Escape
    SaveAnswer answer;
};

void PrintTo(const SaveButtonCase& c, std::ostream* os) {
    *os << c.name;
}

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
