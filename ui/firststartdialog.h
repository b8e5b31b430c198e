#pragma once

#include "painter.h"
#include "session/login.h"
#include "session/pooljoin.h"

#include <functional>

namespace gs {

// "Welcome to Gridslate": shown once, after the login that set up the pool,
// with the three things to do next and a button for each. It stays open
// beside the main window until it is closed, so the next step is always in
// view; "Add Players..." brings the players' page up behind it.
class FirstStartDialog : public PaintedDialog {
    Q_OBJECT
public:
    struct Actions {
        std::function<void()> setPassword;
        std::function<void()> addPlayers;
        std::function<void()> chooseSeason;
    };

    FirstStartDialog(Actions actions, QWidget* parent = nullptr);

private:
    FirstStartModel m_model;
    Actions m_actions;
};

// "Welcome to Gridslate" on a machine without a user list, before anybody
// logged in: start a new pool here, or join one run elsewhere. It closes on
// either choice; closed, it leaves the login page.
class PoolStartDialog : public PaintedDialog {
    Q_OBJECT
public:
    PoolStartDialog(std::function<void()> startNewPool, std::function<void()> joinPool,
                    QWidget* parent = nullptr);

private:
    PoolStartModel m_model;
};

} // namespace gs
