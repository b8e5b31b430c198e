#pragma once

// Logging in and out of the main window.

#include "core/dialogs.h"
#include "core/grid.h"
#include "core/pool.h"
#include "session/mainwindowmodel.h"

#include <string>

namespace gs {

// What the first start of a pool suggests doing next. The window shows it
// after the login that set up the user list.
struct FirstStartModel {
    std::string caption = "Welcome to Gridslate";
    std::string text = "The pool is set up, and you are logged in as its administrator, admin.\n\n"
                       "What to do next:\n"
                       "  1. Give admin a password, so that nobody else can enter scores or change "
                       "the players.\n"
                       "  2. Add the players and make them active.\n"
                       "  3. Choose the season the pool plays.\n\n"
                       "All three are in the File menu as well.";
    ControlModel passwordButton{"Set admin's &Password...", true};
    ControlModel playersButton{"&Add Players...", true};
    ControlModel seasonButton{"Choose the &Season...", true};
    ControlModel closeButton{"&Close", true};
};

// The main window's caption while somebody is logged in: who, and which
// season ("Gridslate for ann \x96 2010 season", with an en dash).
std::string windowCaption(const Pool& pool);

class Session {
public:
    Session(Pool& pool, Dialogs& dialogs, MainWindowModel& window)
        : m_pool(pool), m_dialogs(dialogs), m_window(window) {}

    // "Login": admits the name typed in the user name box when it stands in
    // the user list as an active player and the password box matches the
    // stored password. True when the user is logged in. On a pool without a
    // user list, the list is made; a blank name or admin is then logged in
    // at once, as the list's administrator.
    bool logIn();

    // The last login set up the pool's user list: the window says what to
    // do next.
    bool isFirstStart() const { return m_firstStart; }

    // The administrator's entries and the caption follow the pool: the
    // rights can be handed on, the user renamed and the season switched
    // while he is logged in.
    void followPool();

    // "Logout of Session".
    void logOut();

private:
    void refuse(const std::string& text, const std::string& title);

    Pool& m_pool;
    Dialogs& m_dialogs;
    MainWindowModel& m_window;
    bool m_firstStart = false;
};

} // namespace gs
