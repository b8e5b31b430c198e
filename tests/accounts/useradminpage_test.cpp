#include "adminsupport.h"
#include "tests/support/commandrun.h"
#include "tests/ui/uitest.h"

#include <QFileDialog>

namespace gs {
namespace {

using AdminWindow = test::MainWindowTest;

std::string texts(const QListWidget* list) {
    std::string entries;
    for (int i = 0; i < list->count(); ++i)
        entries += list->item(i)->text().toStdString() + " ";
    return entries;
}

// What each button does to the lists is useradministration_test.cpp's; a
// renamed administrator is the window's user.
TEST_F(AdminWindow, TheButtonsReachTheListsAndARenameRetitlesTheWindow) {
    loginAsAdmin();
    trigger("userAdministrationAction");
    auto* onFile = find<QListWidget>("playersOnFileList");
    auto* active = find<QListWidget>("activePlayersList");
    program.dialogs.inputAnswers = {"ann"};
    click("addPlayerButton");
    onFile->setCurrentRow(2);
    click("activatePlayerButton");
    active->setCurrentRow(2);
    click("moveUpButton");
    click("addRatingPlayerButton");
    EXPECT_EQ(texts(onFile) + "| " + texts(active), "admin PC ann ELO | admin ann PC ELO ");
    click("saveChangesButton");
    EXPECT_EQ(program.dialogs.messages().size(), 1u);
    onFile->setCurrentRow(0);
    // A character outside the code page reaches the check, not as "?".
    EXPECT_TRUE(test::whenModal(
        [&](QWidget* dialog) {
            auto* name = test::child<QLineEdit>(dialog, "newUserNameEdit");
            name->setText(QString::fromUtf8("Snow☃"));
            test::press(dialog, "saveUserNameButton");
            EXPECT_TRUE(dialog->isVisible());
            name->setText("boss");
            test::press(dialog, "saveUserNameButton");
        },
        [&] { click("changeUserNameButton"); }));
    EXPECT_EQ(window->windowTitle(), "Gridslate for boss – 2010 season");

    // A player sees the panel with the administrator's buttons greyed out
    // ("-") or hidden ("h"), and the tip says why.
    trigger("logoutAction");
    login("ann");
    trigger("userAdministrationAction");
    std::string shown;
    for (const char* name :
         {"administratorButton", "removePlayerButton", "addPlayerButton", "addRatingPlayerButton",
          "deactivatePlayerButton", "activatePlayerButton", "saveChangesButton", "moveUpButton",
          "moveDownButton", "changeUserNameButton", "changePlayerPasswordButton"})
        shown += find(name)->isHidden() ? "h" : find(name)->isEnabled() ? "+" : "-";
    EXPECT_EQ(shown, "-------++hh");
    EXPECT_EQ(find("saveChangesButton")->toolTip(), kAdminRightsNeededTip);
}

// A password that differs from its check keeps the window open. A player
// added from the command line while the window is open stays on the list.
TEST_F(AdminWindow, ChangesThePasswordFromTheFileMenu) {
    loginAsAdmin();
    ASSERT_EQ(test::runGridslateIn(program.home.path(), {"add-player", "Zoe", "--active"}).status,
              0);
    EXPECT_TRUE(withModal("changePasswordAction", [&](QWidget* dialog) {
        test::child<QLineEdit>(dialog, "newPasswordEdit")->setText("abc");
        test::child<QLineEdit>(dialog, "verifyPasswordEdit")->setText("abd");
        test::press(dialog, "savePasswordButton");
        EXPECT_TRUE(dialog->isVisible());
        test::child<QLineEdit>(dialog, "verifyPasswordEdit")->setText("abc");
        test::press(dialog, "savePasswordButton");
        EXPECT_FALSE(dialog->isVisible());
    }));
    EXPECT_EQ(test::userListLines(program.pool),
              (Lines{"admin,1,9,1,klm,0,F", "PC,1,1,0,Z,0,F", "Zoe,1,9,0,,0,F"}));
}

TEST_F(AdminWindow, MovesThePickFilesToAChosenFolder) {
    loginAsAdmin();
    test::TempDir elsewhere;
    EXPECT_TRUE(withModal("changeFolderAction", [&](QWidget* dialog) {
        auto* chooser = qobject_cast<QFileDialog*>(dialog);
        EXPECT_EQ(chooser->directory().absolutePath().toStdString(),
                  program.pool.programFolderText());
        chooser->setDirectory(QString::fromStdString(elsewhere.path().string()));
        static_cast<QDialog*>(chooser)->accept(); // "Select"
    }));
    EXPECT_EQ(test::userListLines(program.pool)[0], "admin,1,9,1,,0," + elsewhere.path().string());
}

} // namespace
} // namespace gs
