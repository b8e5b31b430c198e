#include "tests/ui/uitest.h"

#include <QApplication>
#include <QRadioButton>
#include <QTimer>

namespace gs {
namespace {

using MainWindow = test::MainWindowTest;

TEST_F(MainWindow, StartsLoggedOutLogsInAndOut) {
    EXPECT_EQ(window->windowTitle(), "Gridslate");
    EXPECT_FALSE(menu("mnuFile")->menuAction()->isEnabled());
    EXPECT_FALSE(menu("mnuView")->menuAction()->isEnabled());
    EXPECT_TRUE(menu("mnuItemHelp")->menuAction()->isEnabled());
    EXPECT_TRUE(find("Text1")->isVisible());
    EXPECT_FALSE(find("Label30")->isVisible()); // "Forgot Password" is never shown

    login("");
    EXPECT_EQ(program.dialogs.messages(),
              std::vector<std::string>{"Welcome!: User List established.  Please Login as admin."});
    EXPECT_EQ(window->windowTitle(), "Gridslate");
    EXPECT_EQ(find<QLineEdit>("Text1")->text(), "");

    program.dialogs.clear();
    login("admin");
    EXPECT_EQ(window->windowTitle(), "Gridslate for admin");
    EXPECT_TRUE(menu("mnuFile")->menuAction()->isEnabled());
    EXPECT_TRUE(menu("mnuView")->menuAction()->isEnabled());
    EXPECT_TRUE(action("mnuItemBackupAdmin")->isEnabled());
    EXPECT_TRUE(action("mnuItemRestoreAdmin")->isEnabled());
    EXPECT_FALSE(find("Text1")->isVisible());
    EXPECT_FALSE(find("Command12")->isVisible());
    for (const char* entry : {"mnuItemLogout",
                              "mnuItemScores",
                              "mnuUserListItem",
                              "mnuItemSync",
                              "mnuItemChangePassword",
                              "mnuItemChangeFolder",
                              "mnuItemSeason",
                              "mnuSetupItem",
                              "mnuItemExportAll",
                              "mnuItemExportAllResults",
                              "mnuItemExportUserStats",
                              "mnuItemBackupPicks",
                              "mnuItemRestoreUserPicks",
                              "mnuExitItem",
                              "mnuItemCalendarView",
                              "mnuItemThisWeek",
                              "mnuItemAllResults",
                              "mnuUserStatsItem",
                              "mnuItemRanking",
                              "mnuStatsItem",
                              "mnuItemCheckScores",
                              "mnuUserManual",
                              "mnuItemAbout"})
        EXPECT_NE(window->findChild<QAction*>(entry), nullptr) << entry;

    trigger("mnuItemLogout");
    EXPECT_EQ(window->windowTitle(), "Gridslate");
    EXPECT_FALSE(menu("mnuFile")->menuAction()->isEnabled());
    EXPECT_TRUE(find("Text1")->isVisible());
    EXPECT_EQ(find<QLineEdit>("Text2")->text(), "");
}

TEST_F(MainWindow, ColorSchemeWindowRepaintsEverythingAndKeepsTheChoice) {
    loginAsAdmin();
    bool opened = withModal("mnuSetupItem", [&](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Color Scheme");
        EXPECT_TRUE(dialog->findChild<QRadioButton*>("Option9")->isChecked());
        EXPECT_TRUE(window->styleSheet().contains("#000040")); // admin's scheme 9
        QTest::mouseClick(dialog->findChild<QRadioButton*>("Option12"), Qt::LeftButton);
        // The choice shows at once, on the main window and on the dialog.
        EXPECT_TRUE(window->styleSheet().contains("#008000"));
        EXPECT_TRUE(dialog->styleSheet().contains("#008000"));
        EXPECT_FALSE(dialog->findChild<QRadioButton*>("Option9")->isChecked());
        QTest::mouseClick(dialog->findChild<QPushButton*>("Command2"), Qt::LeftButton);
    });
    ASSERT_TRUE(opened);
    EXPECT_EQ(State.CurrentColorScheme, 12);
    EXPECT_EQ(State.UserTable[userSlot("admin")].colorScheme, 12);
}

} // namespace
} // namespace gs
