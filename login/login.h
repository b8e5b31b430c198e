#pragma once

// Logging in and out of the main window.

#include "core/dialogs.h"
#include "core/mainwindowmodel.h"
#include "core/pool.h"

namespace gs {

class Session {
public:
    Session(Pool& pool, Dialogs& dialogs, MainWindowModel& window)
        : m_pool(pool), m_dialogs(dialogs), m_window(window) {}

    // "Login": admits the name typed in the user name box when it stands in
    // the user list as an active player and the password box matches the
    // stored password. True when the user is logged in.
    bool logIn();

    // The administrator's entries follow the rights the user now has: they
    // can be handed on while he is logged in.
    void followRights();

    // "Logout of Session".
    void logOut();

private:
    void refuse(const std::string& text, const std::string& title);

    Pool& m_pool;
    Dialogs& m_dialogs;
    MainWindowModel& m_window;
};

} // namespace gs
