#pragma once

// The "User List Administration" page of the main window: renders the
// panel's model and the pool's two player lists, and forwards the buttons.

#include "accounts/useradministration.h"

#include <QWidget>

#include <functional>
#include <map>
#include <string>

class QListWidget;

namespace gs {

class UserAdminPage : public QWidget {
    Q_OBJECT
public:
    // Runs a handler the way the main window runs every handler (taking what
    // was typed in, then rendering).
    using Runner = std::function<void(const std::function<void()>&)>;

    UserAdminPage(UserAdministrationPanel& panel, Runner run, QWidget* parent = nullptr);

    void render();
    // Hands the lists' selections to the panel, as every handler expects.
    void takeSelections();

    // "Change Password" and "Change User Name" open windows, which the main
    // window owns.
    std::function<void()> onChangePassword;
    std::function<void()> onChangeUserName;

private:
    void connectButton(const char* name, void (UserAdministrationPanel::*handler)());

    UserAdministrationPanel& m_panel;
    Runner m_run;
    QListWidget* m_playersOnFile = nullptr;
    QListWidget* m_activePlayers = nullptr;
    std::map<std::string, QWidget*> m_controls;
};

} // namespace gs
