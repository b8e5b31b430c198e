#include "accountdialogs.h"

#include "controls.h"
#include "textconv.h"

#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace gs {

namespace {

QLabel* label(const ControlModel& model, const char* name, const char* accessibleName) {
    auto* shown = named(new QLabel(toQt(model.caption)), name, accessibleName, PaintRole::Text);
    shown->setVisible(model.visible);
    return shown;
}

QPushButton* button(const ControlModel& model, const char* name) {
    return named(new QPushButton(toQt(model.caption)), name, toQt(model.caption),
                 PaintRole::Button);
}

// "Save" and "Cancel" at the foot of a window.
QHBoxLayout* buttonRow(QPushButton* save, QPushButton* cancel) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(save);
    row->addWidget(cancel);
    return row;
}

} // namespace

ChangeUserNameDialog::ChangeUserNameDialog(UserNameChange& change, QWidget* parent)
    : PaintedDialog(parent), m_change(change) {
    setObjectName("changeUserNameDialog");
    setAccessibleName("Change User Name");
    setWindowTitle(toQt(change.caption));
    setPaintRole(this, PaintRole::Background);
    m_newName = named(new QLineEdit, "newUserNameEdit", "New User Name");
    auto* save = button(change.saveButton, "saveUserNameButton");
    auto* cancel = button(change.cancelButton, "cancelButton");
    save->setDefault(true);

    auto* form = new QGridLayout;
    form->addWidget(label(change.currentNameHeading, "currentUserNameHeading", "Current User Name"),
                    0, 0);
    form->addWidget(label(change.currentName, "currentUserNameLabel", "User name being changed"), 0,
                    1);
    auto* newHeading = label(change.newNameHeading, "newUserNameHeading", "Enter New User Name");
    newHeading->setBuddy(m_newName);
    form->addWidget(newHeading, 1, 0);
    form->addWidget(m_newName, 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttonRow(save, cancel));

    connect(save, &QPushButton::clicked, this, &ChangeUserNameDialog::save);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void ChangeUserNameDialog::save() {
    // A character the files cannot carry comes in marked, and is refused.
    m_change.newName = utf8ToCp1252Marked(m_newName->text().toStdString());
    if (m_change.save())
        accept();
}

ChangePasswordDialog::ChangePasswordDialog(PasswordChange& change, QWidget* parent)
    : PaintedDialog(parent), m_change(change) {
    setObjectName("changePasswordDialog");
    setAccessibleName("Change Password");
    setWindowTitle(toQt(change.caption));
    setPaintRole(this, PaintRole::Background);
    m_password = named(new QLineEdit, "newPasswordEdit", "New Password");
    m_verification = named(new QLineEdit, "verifyPasswordEdit", "Verify New Password");
    for (QLineEdit* box : {m_password, m_verification})
        box->setEchoMode(QLineEdit::Password);
    auto* save = button(change.saveButton, "savePasswordButton");
    auto* cancel = button(change.cancelButton, "cancelButton");
    save->setDefault(true);

    auto* form = new QGridLayout;
    form->addWidget(label(change.userHeading, "passwordUserHeading", "User"), 0, 0);
    form->addWidget(label(change.user, "passwordUserLabel", "User whose password changes"), 0, 1);
    auto* first = label(change.passwordHeading, "newPasswordHeading", "New Password");
    auto* second =
        label(change.verificationHeading, "verifyPasswordHeading", "Verify New Password");
    first->setBuddy(m_password);
    second->setBuddy(m_verification);
    form->addWidget(first, 1, 0);
    form->addWidget(m_password, 1, 1);
    form->addWidget(second, 2, 0);
    form->addWidget(m_verification, 2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttonRow(save, cancel));

    connect(save, &QPushButton::clicked, this, &ChangePasswordDialog::save);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void ChangePasswordDialog::save() {
    m_change.password = utf8ToCp1252Marked(m_password->text().toStdString());
    m_change.verification = utf8ToCp1252Marked(m_verification->text().toStdString());
    if (m_change.save())
        accept();
}

std::optional<std::string> chooseFolder(const FolderChange& change, const std::string& start,
                                        QWidget* parent) {
    QFileDialog chooser(parent, toQt(change.caption));
    chooser.setObjectName("folderChooser");
    chooser.setAccessibleName(toQt(change.caption));
    chooser.setFileMode(QFileDialog::Directory);
    chooser.setOption(QFileDialog::ShowDirsOnly);
    // The same chooser on every desktop, and one that tests can drive.
    chooser.setOption(QFileDialog::DontUseNativeDialog);
    chooser.setLabelText(QFileDialog::Accept, toQt(change.selectButton));
    // Folders are file-system paths, kept in the file system's own encoding.
    chooser.setDirectory(QFile::decodeName(QByteArray::fromStdString(start)));
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return std::nullopt;
    return QFile::encodeName(chooser.selectedFiles().front()).toStdString();
}

} // namespace gs
