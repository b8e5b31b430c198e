#pragma once

// The login controls, shown in the main window's place while nobody is
// logged in: the user name and password boxes, "Login" and "Exit".

#include "panelpage.h"
#include "session/mainwindowmodel.h"

class QLineEdit;

namespace gs {

class LoginPage : public PanelPage {
    Q_OBJECT
public:
    explicit LoginPage(MainWindowModel& model, QWidget* parent = nullptr);

    // Shows what the model holds in the boxes and puts the cursor into the
    // user name box.
    void render() override;
    // Hands what was typed into the boxes to the model, as every handler
    // expects.
    void takeTyped();

    // "Login" (or Enter in either box) and "Exit": the window logs in and
    // closes itself.
    std::function<void()> onLogIn;
    std::function<void()> onExit;

private:
    MainWindowModel& m_model;
    QLineEdit* m_userName = nullptr;
    QLineEdit* m_password = nullptr;
};

} // namespace gs
