#include "adminsupport.h"
#include "tests/ui/uitest.h"

#include <QFileDialog>
#include <QLabel>
#include <QListWidget>

namespace gs {
namespace {

class AdminWindow : public test::MainWindowTest {
protected:
    QListWidget* onFile() { return find<QListWidget>("playersOnFileList"); }
    QListWidget* active() { return find<QListWidget>("activePlayersList"); }
    static Lines texts(const QListWidget* list) {
        Lines entries;
        for (int i = 0; i < list->count(); ++i)
            entries.push_back(list->item(i)->text().toStdString());
        return entries;
    }
    static void type(QWidget* dialog, const char* box, const QString& text) {
        dialog->findChild<QLineEdit*>(box)->setText(text);
    }
};

TEST_F(AdminWindow, TheButtonsReachTheLists) {
    loginAsAdmin();
    trigger("userAdministrationAction");
    EXPECT_EQ(find<QPushButton>("administratorButton")->text(), "admin");
    program.dialogs.inputAnswers = {"ann"};
    click("addPlayerButton");
    EXPECT_EQ(texts(onFile()), (Lines{"admin", "PC", "ann"}));
    onFile()->setCurrentRow(2);
    click("activatePlayerButton");
    active()->setCurrentRow(2);
    click("moveUpButton");
    EXPECT_EQ(active()->currentRow(), 1);
    click("addRatingPlayerButton");
    EXPECT_EQ(texts(active()), (Lines{"admin", "ann", "PC", "ELO"}));
    click("saveChangesButton");
    EXPECT_EQ(program.dialogs.messages(), Lines{"Gridslate: User list saved."});

    // A player sees the panel with the administrator's buttons greyed out.
    trigger("logoutAction");
    login("ann");
    trigger("userAdministrationAction");
    for (const char* name : {"changeUserNameButton", "changePlayerPasswordButton"})
        EXPECT_FALSE(find(name)->isVisible()) << name;
    for (const char* name :
         {"administratorButton", "removePlayerButton", "addPlayerButton", "addRatingPlayerButton",
          "deactivatePlayerButton", "activatePlayerButton", "saveChangesButton"}) {
        auto* button = find<QPushButton>(name);
        EXPECT_TRUE(button->isVisible() && !button->isEnabled()) << name;
        EXPECT_EQ(button->toolTip(), "Administrator rights are needed to change the user list.");
    }
    EXPECT_TRUE(find("moveUpButton")->isEnabled() && find("moveDownButton")->isEnabled());
}

TEST_F(AdminWindow, ChangesThePasswordFromTheFileMenu) {
    loginAsAdmin();
    bool opened = withModal("changePasswordAction", [&](QWidget* dialog) {
        EXPECT_EQ(dialog->findChild<QLabel*>("passwordUserLabel")->text(), "admin");
        type(dialog, "newPasswordEdit", "abc");
        type(dialog, "verifyPasswordEdit", "abd");
        test::press(dialog, "savePasswordButton");
        EXPECT_TRUE(dialog->isVisible());
        type(dialog, "verifyPasswordEdit", "abc");
        test::press(dialog, "savePasswordButton");
        EXPECT_FALSE(dialog->isVisible());
    });
    EXPECT_TRUE(opened);
    EXPECT_EQ(test::userListLines(program.pool)[0], "admin,1,9,1,klm,0,F");
}

// A character outside the code page is refused, not stored as "?"; the
// renamed administrator is the window's user.
TEST_F(AdminWindow, RenamesPlayersFromThePanel) {
    loginAsAdmin();
    trigger("userAdministrationAction");
    onFile()->setCurrentRow(0);
    bool opened = false;
    test::whenModal(
        [&](QWidget* dialog) {
            opened = true;
            EXPECT_EQ(dialog->findChild<QLabel*>("currentUserNameLabel")->text(), "admin");
            type(dialog, "newUserNameEdit", QString::fromUtf8("Snow☃"));
            test::press(dialog, "saveUserNameButton");
            EXPECT_TRUE(dialog->isVisible());
            type(dialog, "newUserNameEdit", "boss");
            test::press(dialog, "saveUserNameButton");
        },
        [&] { click("changeUserNameButton"); });
    EXPECT_TRUE(opened);
    EXPECT_EQ(texts(onFile()), (Lines{"PC", "boss"}));
    EXPECT_EQ(window->windowTitle(), "Gridslate for boss – 2010 season");
}

TEST_F(AdminWindow, MovesThePickFilesToAChosenFolder) {
    loginAsAdmin();
    test::TempDir elsewhere;
    bool opened = withModal("changeFolderAction", [&](QWidget* dialog) {
        auto* chooser = qobject_cast<QFileDialog*>(dialog);
        ASSERT_NE(chooser, nullptr);
        EXPECT_EQ(chooser->directory().absolutePath(),
                  QString::fromStdString(program.pool.programFolderText()));
        chooser->setDirectory(QString::fromStdString(elsewhere.path().string()));
        static_cast<QDialog*>(chooser)->accept(); // "Select"
    });
    EXPECT_TRUE(opened);
    EXPECT_TRUE(program.dialogs.messages().empty());
    EXPECT_EQ(test::userListLines(program.pool)[0], "admin,1,9,1,,0," + elsewhere.path().string());
}

} // namespace
} // namespace gs
