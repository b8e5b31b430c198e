// The main window's part in player administration and account changes: the
// "User List Administration" page and the windows of "Change Password",
// "Change User Name" and "Change Folder Setting".

#include "mainwindow.h"

#include "accountdialogs.h"
#include "accounts/accounts.h"
#include "settings/colors.h"
#include "useradminpage.h"

namespace gs {

void MainWindow::addUserAdminPage() {
    m_userAdminPage = new UserAdminPage(m_userAdmin, [this](const std::function<void()>& handler) {
        run([this, &handler] {
            m_userAdminPage->takeSelections();
            handler();
        });
    });
    m_userAdminPage->onChangePassword = [this] { openPasswordChangeForChosenPlayer(); };
    m_userAdminPage->onChangeUserName = [this] { openUserNameChange(); };
    addPanelPage(Panel::UserAdministration, m_userAdminPage);
}

void MainWindow::openUserAdministration() {
    run([this] {
        // A list that cannot be read leaves the page on show as it was.
        if (!m_weeklyPicks.mayLeave() || !m_userAdmin.open())
            return;
        m_model.panel = Panel::UserAdministration;
    });
}

void MainWindow::openPasswordChange(const std::string& user) {
    PasswordChange change(m_pool, m_dialogs, user);
    ChangePasswordDialog dialog(change, this);
    dialog.paint(colorSlots(m_pool.colorScheme()));
    dialog.exec();
    render();
}

void MainWindow::openPasswordChangeForChosenPlayer() {
    std::optional<std::string> player;
    run([&] {
        m_userAdminPage->takeSelections();
        player = m_userAdmin.chosenPlayer();
    });
    if (player)
        openPasswordChange(*player);
}

void MainWindow::openUserNameChange() {
    std::optional<std::string> player;
    run([&] {
        m_userAdminPage->takeSelections();
        player = m_userAdmin.chosenPlayer();
    });
    if (!player)
        return;
    UserNameChange change(m_pool, m_dialogs, *player);
    ChangeUserNameDialog dialog(change, this);
    dialog.paint(colorSlots(m_pool.colorScheme()));
    if (dialog.exec() == QDialog::Accepted) {
        m_userAdmin.playerRenamed(change.oldName(), change.newName);
    }
    // The administrator may have renamed himself: the caption follows.
    run([] {});
}

void MainWindow::openFolderChange() {
    FolderChange change(m_pool, m_dialogs);
    std::string start;
    run([&] { start = change.startFolder(); });
    if (start.empty())
        return;
    std::optional<std::string> folder = chooseFolder(change, start, this);
    if (folder)
        run([&] { change.select(*folder); });
}

} // namespace gs
