#include "adminsupport.h"
#include "tests/ui/uitest.h"

#include <QFileDialog>
#include <QLabel>
#include <QListWidget>

namespace gs {
namespace {

namespace fs = std::filesystem;

class AdminWindow : public test::MainWindowTest {
protected:
    QListWidget* onFile() { return find<QListWidget>("playersOnFileList"); }
    QListWidget* active() { return find<QListWidget>("activePlayersList"); }
    static std::vector<std::string> texts(const QListWidget* list) {
        std::vector<std::string> entries;
        for (int i = 0; i < list->count(); ++i)
            entries.push_back(list->item(i)->text().toStdString());
        return entries;
    }
    // Clicks a button that opens a modal window and lets `drive` work it.
    bool withModalFrom(const char* button, const std::function<void(QWidget*)>& drive) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                seen = true;
                drive(dialog);
            }
        });
        click(button);
        return seen;
    }
    static void type(QWidget* dialog, const char* box, const QString& text) {
        dialog->findChild<QLineEdit*>(box)->setText(text);
    }
    static void press(QWidget* dialog, const char* button) {
        QTest::mouseClick(dialog->findChild<QPushButton*>(button), Qt::LeftButton);
    }
    // Adds a player with "Add" and makes him active with "->".
    void addActivePlayer(const char* name) {
        program.dialogs.inputAnswers = {name};
        click("addPlayerButton");
        onFile()->setCurrentRow(onFile()->count() - 1);
        click("activatePlayerButton");
    }
};

TEST_F(AdminWindow, BuildsAPoolThatTheNewPlayerLogsInto) {
    loginAsAdmin();
    trigger("userAdministrationAction");
    EXPECT_TRUE(find("userAdministrationPage")->isVisible());
    EXPECT_EQ(find<QPushButton>("administratorButton")->text(), "admin");
    EXPECT_TRUE(find("changeUserNameButton")->isVisible());
    EXPECT_EQ(texts(onFile()), (std::vector<std::string>{"admin", "PC"}));
    EXPECT_EQ(texts(active()), (std::vector<std::string>{"admin", "PC"}));

    program.dialogs.inputAnswers = {"ann"};
    click("addPlayerButton");
    EXPECT_EQ(texts(onFile()), (std::vector<std::string>{"admin", "PC", "ann"}));
    EXPECT_EQ(texts(active()), (std::vector<std::string>{"admin", "PC"}));
    onFile()->setCurrentRow(2);
    click("activatePlayerButton");
    EXPECT_EQ(texts(active()), (std::vector<std::string>{"admin", "PC", "ann"}));
    active()->setCurrentRow(2);
    click("moveUpButton");
    EXPECT_EQ(texts(active()), (std::vector<std::string>{"admin", "ann", "PC"}));
    EXPECT_EQ(active()->currentRow(), 1);
    click("saveChangesButton");
    EXPECT_EQ(program.dialogs.messages(), std::vector<std::string>{"Gridslate: User list saved."});
    EXPECT_EQ(test::userListLines(program.pool),
              (std::vector<std::string>{"admin,1,9,1,,0,F", "ann,1,9,0,,0,F", "PC,1,1,0,Z,0,F"}));

    trigger("logoutAction");
    program.dialogs.clear();
    login("ann");
    EXPECT_EQ(window->windowTitle(), "Gridslate for ann – 2010 season");
    EXPECT_TRUE(program.dialogs.messages().empty());
    trigger("userAdministrationAction");
    EXPECT_EQ(texts(active()), (std::vector<std::string>{"admin", "ann", "PC"}));
    EXPECT_FALSE(find("changeUserNameButton")->isVisible());
    for (const char* name :
         {"administratorButton", "removePlayerButton", "addPlayerButton", "addRatingPlayerButton",
          "deactivatePlayerButton", "activatePlayerButton", "saveChangesButton"}) {
        auto* button = find<QPushButton>(name);
        EXPECT_TRUE(button->isVisible()) << name;
        EXPECT_FALSE(button->isEnabled()) << name;
        EXPECT_EQ(button->toolTip(), "Administrator rights are needed to change the user list.");
    }
    EXPECT_TRUE(find("moveUpButton")->isEnabled());
}

TEST_F(AdminWindow, AddsTheRatingPlayerActive) {
    loginAsAdmin();
    trigger("userAdministrationAction");
    auto* button = find<QPushButton>("addRatingPlayerButton");
    EXPECT_EQ(button->text(), "Add Rating Player");
    EXPECT_EQ(button->accessibleName(), "Add the rating player ELO");
    click("addRatingPlayerButton");
    EXPECT_EQ(texts(onFile()), (std::vector<std::string>{"admin", "PC", "ELO"}));
    EXPECT_EQ(texts(active()), (std::vector<std::string>{"admin", "PC", "ELO"}));
    EXPECT_TRUE(program.dialogs.messages().empty());
}

TEST_F(AdminWindow, ChangesThePasswordFromTheFileMenu) {
    loginAsAdmin();
    bool opened = withModal("changePasswordAction", [&](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Change Password");
        EXPECT_EQ(dialog->findChild<QLabel*>("passwordUserLabel")->text(), "admin");
        type(dialog, "newPasswordEdit", "abc");
        type(dialog, "verifyPasswordEdit", "abd");
        press(dialog, "savePasswordButton");
        EXPECT_TRUE(dialog->isVisible());
        type(dialog, "verifyPasswordEdit", "abc");
        press(dialog, "savePasswordButton");
        EXPECT_FALSE(dialog->isVisible());
    });
    EXPECT_TRUE(opened);
    EXPECT_EQ(program.dialogs.messages(),
              std::vector<std::string>{"Error: Password entries do not match. "});

    trigger("logoutAction");
    program.dialogs.clear();
    login("admin", "abd");
    EXPECT_EQ(program.dialogs.messages(), std::vector<std::string>{"Error: Incorrect password."});
    login("admin", "abc");
    EXPECT_EQ(window->windowTitle(), "Gridslate for admin – 2010 season");
}

TEST_F(AdminWindow, RenamesPlayersFromThePanel) {
    loginAsAdmin();
    trigger("userAdministrationAction");
    addActivePlayer("bob");
    onFile()->setCurrentRow(2);
    bool opened = withModalFrom("changeUserNameButton", [&](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Change User Name");
        EXPECT_EQ(dialog->findChild<QLabel*>("currentUserNameLabel")->text(), "bob");
        type(dialog, "newUserNameEdit", "robert");
        press(dialog, "saveUserNameButton");
    });
    EXPECT_TRUE(opened);
    EXPECT_EQ(texts(onFile()), (std::vector<std::string>{"admin", "PC", "robert"}));
    EXPECT_EQ(texts(active()), (std::vector<std::string>{"admin", "PC", "robert"}));

    // A character outside the code page is refused, not stored as "?".
    onFile()->setCurrentRow(0);
    withModalFrom("changeUserNameButton", [&](QWidget* dialog) {
        type(dialog, "newUserNameEdit", QString::fromUtf8("Snow☃"));
        press(dialog, "saveUserNameButton");
        EXPECT_TRUE(dialog->isVisible());
        type(dialog, "newUserNameEdit", "boss");
        press(dialog, "saveUserNameButton");
    });
    EXPECT_EQ(program.dialogs.messages(), std::vector<std::string>{"Error: User Name Not Allowed"});
    EXPECT_EQ(window->windowTitle(), "Gridslate for boss – 2010 season");
    EXPECT_EQ(find<QPushButton>("administratorButton")->text(), "boss");
    EXPECT_EQ(test::userListLines(program.pool),
              (std::vector<std::string>{"PC,1,1,0,Z,0,F", "robert,1,9,0,,0,F", "boss,1,9,1,,0,F"}));
}

TEST_F(AdminWindow, MovesThePickFilesToAChosenFolder) {
    loginAsAdmin(); // the login made admin's pick file
    test::TempDir elsewhere;
    const QString target = QString::fromStdString(elsewhere.path().string());
    bool opened = withModal("changeFolderAction", [&](QWidget* dialog) {
        auto* chooser = qobject_cast<QFileDialog*>(dialog);
        ASSERT_NE(chooser, nullptr);
        EXPECT_EQ(chooser->windowTitle(), "Change Folder Setting");
        EXPECT_EQ(chooser->directory().absolutePath(),
                  QString::fromStdString(program.pool.programFolderText()));
        chooser->setDirectory(target);
        static_cast<QDialog*>(chooser)->accept(); // "Select"
    });
    EXPECT_TRUE(opened);
    EXPECT_TRUE(program.dialogs.messages().empty());
    EXPECT_TRUE(fs::exists(elsewhere.path() / "admin2010.dat"));
    EXPECT_TRUE(fs::exists(program.pool.folders().program / "admin2010.dat"));
    EXPECT_EQ(test::userListLines(program.pool)[0], "admin,1,9,1,,0," + elsewhere.path().string());
}

} // namespace
} // namespace gs
