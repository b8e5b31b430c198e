#include "tests/ui/uitest.h"

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

TEST_F(MainWindow, SchemePaintsTheWindow) {
    loginAsAdmin();
    // admin's scheme 9: buttons #C0C0C0, text #C0C0C0 on #000040.
    QString sheet = window->styleSheet();
    EXPECT_TRUE(sheet.contains("#centralWidget")) << sheet.toStdString();
    EXPECT_TRUE(sheet.contains("#000040"));
    EXPECT_TRUE(sheet.contains("#c0c0c0"));
}

} // namespace
} // namespace gs
