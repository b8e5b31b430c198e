#pragma once

// The account windows: "Change User Name", "Change Password", and the
// folder chooser of "Change Folder Setting".

#include "accounts/accounts.h"
#include "painter.h"

#include <optional>
#include <string>

class QLineEdit;

namespace gs {

class ChangeUserNameDialog : public PaintedDialog {
    Q_OBJECT
public:
    ChangeUserNameDialog(UserNameChange& change, QWidget* parent = nullptr);

private:
    void save();

    UserNameChange& m_change;
    QLineEdit* m_newName = nullptr;
};

class ChangePasswordDialog : public PaintedDialog {
    Q_OBJECT
public:
    ChangePasswordDialog(PasswordChange& change, QWidget* parent = nullptr);

private:
    void save();

    PasswordChange& m_change;
    QLineEdit* m_password = nullptr;
    QLineEdit* m_verification = nullptr;
};

// A folder chooser opened on the start folder (native path bytes); the
// chosen folder's path, or nothing on "Cancel".
std::optional<std::string> chooseFolder(const FolderChange& change, const std::string& start,
                                        QWidget* parent = nullptr);

} // namespace gs
