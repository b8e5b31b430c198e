#include "loginpage.h"

#include "controls.h"
#include "textconv.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace gs {

// Its events are the window's own: logging in runs more than one handler.
LoginPage::LoginPage(MainWindowModel& model, QWidget* parent)
    : PanelPage({}, parent), m_model(model) {
    setObjectName("loginPage");
    auto* outer = new QVBoxLayout(this);
    auto* form = new QGridLayout;

    auto* nameLabel =
        named(new QLabel("&User Name"), "userNameLabel", "User Name", PaintRole::Text);
    auto* passwordLabel =
        named(new QLabel("&Password"), "passwordLabel", "Password", PaintRole::Text);
    m_userName = named(new QLineEdit, "userNameEdit", "User Name");
    m_password = named(new QLineEdit, "passwordEdit", "Password");
    m_password->setEchoMode(QLineEdit::Password);
    auto* login = named(new QPushButton("&Login"), "loginButton", "Login", PaintRole::Button);
    auto* exit = named(new QPushButton("E&xit"), "exitButton", "Exit", PaintRole::Button);
    nameLabel->setBuddy(m_userName);
    passwordLabel->setBuddy(m_password);
    login->setDefault(true);

    form->addWidget(nameLabel, 0, 0);
    form->addWidget(m_userName, 0, 1);
    form->addWidget(passwordLabel, 1, 0);
    form->addWidget(m_password, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(login);
    buttons->addWidget(exit);
    form->addLayout(buttons, 2, 1);

    auto* centre = new QHBoxLayout;
    centre->addStretch();
    centre->addLayout(form);
    centre->addStretch();
    outer->addStretch();
    outer->addLayout(centre);
    outer->addStretch();

    auto logIn = [this] {
        if (onLogIn)
            onLogIn();
    };
    connect(login, &QPushButton::clicked, this, logIn);
    connect(m_password, &QLineEdit::returnPressed, this, logIn);
    connect(m_userName, &QLineEdit::returnPressed, this, logIn);
    connect(exit, &QPushButton::clicked, this, [this] {
        if (onExit)
            onExit();
    });
}

void LoginPage::takeTyped() {
    m_model.userName = fromQt(m_userName->text());
    m_model.password = fromQt(m_password->text());
}

void LoginPage::render() {
    if (m_userName->text() != toQt(m_model.userName))
        m_userName->setText(toQt(m_model.userName));
    if (m_password->text() != toQt(m_model.password))
        m_password->setText(toQt(m_model.password));
    m_userName->setFocus();
}

} // namespace gs
