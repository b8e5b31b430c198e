#pragma once

// The "User List Administration" page of the main window: renders the
// panel's model and the pool's two player lists, and forwards the buttons.

#include "accounts/useradministration.h"
#include "panelpage.h"

#include <functional>

class QLabel;
class QListWidget;
class QPushButton;

namespace gs {

class UserAdminPage : public PanelPage {
    Q_OBJECT
public:
    // The window keeps the panel and opens it itself: a list that cannot be
    // read leaves the page on show as it was. The runner hands the lists'
    // selections to the panel before each handler.
    UserAdminPage(UserAdministrationPanel& panel, Runner run, QWidget* parent = nullptr);

    void render() override;
    // Hands the lists' selections to the panel, as every handler expects.
    void takeSelections();

    // "Change Password" and "Change User Name" open windows, which the main
    // window owns.
    std::function<void()> onChangePassword;
    std::function<void()> onChangeUserName;

private:
    void connectButton(QPushButton* button, void (UserAdministrationPanel::*handler)());

    UserAdministrationPanel& m_panel;
    QListWidget* m_playersOnFile = nullptr;
    QListWidget* m_activePlayers = nullptr;
    QLabel* m_playersOnFileHeading = nullptr;
    QLabel* m_activePlayersHeading = nullptr;
    QLabel* m_currentAdminHeading = nullptr;
    QPushButton* m_administrator = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_addRating = nullptr;
    QPushButton* m_deactivate = nullptr;
    QPushButton* m_activate = nullptr;
    QPushButton* m_up = nullptr;
    QPushButton* m_down = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_password = nullptr;
    QPushButton* m_rename = nullptr;
};

} // namespace gs
