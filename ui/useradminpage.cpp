#include "useradminpage.h"

#include "controls.h"
#include "modelwidgets.h"
#include "textconv.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace gs {

namespace {

int selectedRow(const QListWidget* view) {
    const QList<QListWidgetItem*> items = view->selectedItems();
    return items.isEmpty() ? -1 : view->row(items.front());
}

QListWidget* playerList(const char* name, const char* accessibleName) {
    auto* list = named(new QListWidget, name, accessibleName);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

} // namespace

UserAdminPage::UserAdminPage(UserAdministrationPanel& panel, Runner run, QWidget* parent)
    : PanelPage(std::move(run), parent), m_panel(panel) {
    setObjectName("userAdministrationPage");
    m_playersOnFileHeading =
        named(new QLabel, "playersOnFileLabel", "Players on File", PaintRole::Text);
    m_activePlayersHeading =
        named(new QLabel, "activePlayersLabel", "Active Players", PaintRole::Text);
    m_currentAdminHeading =
        named(new QLabel, "currentAdminLabel", "Current Admin:", PaintRole::Text);
    m_playersOnFile = playerList("playersOnFileList", "Players on File");
    m_activePlayers = playerList("activePlayersList", "Active Players");
    auto button = [](const char* name, const char* accessibleName) {
        return named(new QPushButton, name, accessibleName, PaintRole::Button);
    };
    m_administrator = button("administratorButton", "Hand the administrator rights on");
    m_remove = button("removePlayerButton", "Remove");
    m_add = button("addPlayerButton", "Add");
    m_addRating = button("addRatingPlayerButton", "Add the rating player ELO");
    m_deactivate = button("deactivatePlayerButton", "Make the active player inactive");
    m_activate = button("activatePlayerButton", "Make the player on file active");
    m_up = button("moveUpButton", "Up");
    m_down = button("moveDownButton", "Down");
    m_save = button("saveChangesButton", "Save Changes");
    m_password = button("changePlayerPasswordButton", "Change Password");
    m_rename = button("changeUserNameButton", "Change User Name");

    auto* lists = new QGridLayout;
    lists->addWidget(m_playersOnFileHeading, 0, 0);
    lists->addWidget(m_playersOnFile, 1, 0);
    auto* moves = new QVBoxLayout;
    moves->addStretch();
    for (QPushButton* b : {m_activate, m_deactivate, m_add, m_addRating, m_remove})
        moves->addWidget(b);
    moves->addStretch();
    lists->addLayout(moves, 1, 1);
    lists->addWidget(m_activePlayersHeading, 0, 2);
    lists->addWidget(m_activePlayers, 1, 2);
    auto* order = new QVBoxLayout;
    order->addStretch();
    order->addWidget(m_up);
    order->addWidget(m_down);
    order->addStretch();
    lists->addLayout(order, 1, 3);

    auto* footer = new QHBoxLayout;
    footer->addWidget(m_currentAdminHeading);
    footer->addWidget(m_administrator);
    footer->addStretch();
    footer->addWidget(m_rename);
    footer->addWidget(m_password);
    footer->addWidget(m_save);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addLayout(footer);

    connectButton(m_remove, &UserAdministrationPanel::remove);
    connectButton(m_add, &UserAdministrationPanel::add);
    connectButton(m_deactivate, &UserAdministrationPanel::deactivate);
    connectButton(m_activate, &UserAdministrationPanel::activate);
    connectButton(m_up, &UserAdministrationPanel::moveUp);
    connectButton(m_down, &UserAdministrationPanel::moveDown);
    connectButton(m_administrator, &UserAdministrationPanel::handOverAdministrator);
    connect(m_addRating, &QPushButton::clicked, this,
            [this] { this->run([this] { m_panel.addRatingPlayer(); }); });
    connect(m_save, &QPushButton::clicked, this,
            [this] { this->run([this] { m_panel.saveChanges(); }); });
    connect(m_password, &QPushButton::clicked, this, [this] {
        if (onChangePassword)
            onChangePassword();
    });
    connect(m_rename, &QPushButton::clicked, this, [this] {
        if (onChangeUserName)
            onChangeUserName();
    });
}

void UserAdminPage::connectButton(QPushButton* button, void (UserAdministrationPanel::*handler)()) {
    connect(button, &QPushButton::clicked, this,
            [this, handler] { this->run([this, handler] { (m_panel.*handler)(); }); });
}

void UserAdminPage::takeSelections() {
    m_panel.selectPlayerOnFile(selectedRow(m_playersOnFile));
    m_panel.selectActivePlayer(selectedRow(m_activePlayers));
}

void UserAdminPage::render() {
    const UserAdministrationModel& m = m_panel.model();
    showControl(m_playersOnFileHeading, m.playersOnFileHeading);
    showControl(m_activePlayersHeading, m.activePlayersHeading);
    showControl(m_currentAdminHeading, m.currentAdminHeading);
    showControl(m_administrator, m.administratorButton);
    showControl(m_remove, m.removeButton);
    showControl(m_add, m.addButton);
    showControl(m_addRating, m.addRatingPlayerButton);
    showControl(m_deactivate, m.deactivateButton);
    showControl(m_activate, m.activateButton);
    showControl(m_up, m.upButton);
    showControl(m_down, m.downButton);
    showControl(m_save, m.saveChangesButton);
    showControl(m_password, m.changePasswordButton);
    showControl(m_rename, m.changeUserNameButton);
    showList(m_playersOnFile, m_panel.playersOnFile());
    showList(m_activePlayers, m_panel.activePlayers());
}

} // namespace gs
