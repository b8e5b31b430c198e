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
    : QWidget(parent), m_panel(panel), m_run(std::move(run)) {
    setObjectName("userAdministrationPage");
    auto* onFileHeading =
        named(new QLabel, "playersOnFileLabel", "Players on File", PaintRole::Text);
    auto* activeHeading =
        named(new QLabel, "activePlayersLabel", "Active Players", PaintRole::Text);
    auto* adminHeading = named(new QLabel, "currentAdminLabel", "Current Admin:", PaintRole::Text);
    m_playersOnFile = playerList("playersOnFileList", "Players on File");
    m_activePlayers = playerList("activePlayersList", "Active Players");
    auto button = [](const char* name, const char* accessibleName) {
        return named(new QPushButton, name, accessibleName, PaintRole::Button);
    };
    auto* administrator = button("administratorButton", "Hand the administrator rights on");
    auto* remove = button("removePlayerButton", "Remove");
    auto* add = button("addPlayerButton", "Add");
    auto* addRating = button("addRatingPlayerButton", "Add the rating player ELO");
    auto* deactivate = button("deactivatePlayerButton", "Make the active player inactive");
    auto* activate = button("activatePlayerButton", "Make the player on file active");
    auto* up = button("moveUpButton", "Up");
    auto* down = button("moveDownButton", "Down");
    auto* save = button("saveChangesButton", "Save Changes");
    auto* password = button("changePlayerPasswordButton", "Change Password");
    auto* rename = button("changeUserNameButton", "Change User Name");

    auto* lists = new QGridLayout;
    lists->addWidget(onFileHeading, 0, 0);
    lists->addWidget(m_playersOnFile, 1, 0);
    auto* moves = new QVBoxLayout;
    moves->addStretch();
    for (QPushButton* b : {activate, deactivate, add, addRating, remove})
        moves->addWidget(b);
    moves->addStretch();
    lists->addLayout(moves, 1, 1);
    lists->addWidget(activeHeading, 0, 2);
    lists->addWidget(m_activePlayers, 1, 2);
    auto* order = new QVBoxLayout;
    order->addStretch();
    order->addWidget(up);
    order->addWidget(down);
    order->addStretch();
    lists->addLayout(order, 1, 3);

    auto* footer = new QHBoxLayout;
    footer->addWidget(adminHeading);
    footer->addWidget(administrator);
    footer->addStretch();
    footer->addWidget(rename);
    footer->addWidget(password);
    footer->addWidget(save);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addLayout(footer);

    for (QWidget* w : std::initializer_list<QWidget*>{
             onFileHeading, activeHeading, adminHeading, administrator, remove, add, addRating,
             deactivate, activate, up, down, save, password, rename})
        m_controls[w->objectName().toStdString()] = w;

    connectButton("removePlayerButton", &UserAdministrationPanel::remove);
    connectButton("addPlayerButton", &UserAdministrationPanel::add);
    connectButton("deactivatePlayerButton", &UserAdministrationPanel::deactivate);
    connectButton("activatePlayerButton", &UserAdministrationPanel::activate);
    connectButton("moveUpButton", &UserAdministrationPanel::moveUp);
    connectButton("moveDownButton", &UserAdministrationPanel::moveDown);
    connectButton("administratorButton", &UserAdministrationPanel::handOverAdministrator);
    connect(addRating, &QPushButton::clicked, this,
            [this] { m_run([this] { m_panel.addRatingPlayer(); }); });
    connect(save, &QPushButton::clicked, this,
            [this] { m_run([this] { m_panel.saveChanges(); }); });
    connect(password, &QPushButton::clicked, this, [this] {
        if (onChangePassword)
            onChangePassword();
    });
    connect(rename, &QPushButton::clicked, this, [this] {
        if (onChangeUserName)
            onChangeUserName();
    });
}

void UserAdminPage::connectButton(const char* name, void (UserAdministrationPanel::*handler)()) {
    auto* button = static_cast<QPushButton*>(m_controls.at(name));
    connect(button, &QPushButton::clicked, this,
            [this, handler] { m_run([this, handler] { (m_panel.*handler)(); }); });
}

void UserAdminPage::takeSelections() {
    m_panel.selectPlayerOnFile(selectedRow(m_playersOnFile));
    m_panel.selectActivePlayer(selectedRow(m_activePlayers));
}

void UserAdminPage::render() {
    const UserAdministrationModel& m = m_panel.model();
    for (const auto& [name, model] :
         std::initializer_list<std::pair<const char*, const ControlModel*>>{
             {"playersOnFileLabel", &m.playersOnFileHeading},
             {"activePlayersLabel", &m.activePlayersHeading},
             {"currentAdminLabel", &m.currentAdminHeading},
             {"administratorButton", &m.administratorButton},
             {"removePlayerButton", &m.removeButton},
             {"addPlayerButton", &m.addButton},
             {"addRatingPlayerButton", &m.addRatingPlayerButton},
             {"deactivatePlayerButton", &m.deactivateButton},
             {"activatePlayerButton", &m.activateButton},
             {"moveUpButton", &m.upButton},
             {"moveDownButton", &m.downButton},
             {"saveChangesButton", &m.saveChangesButton},
             {"changePlayerPasswordButton", &m.changePasswordButton},
             {"changeUserNameButton", &m.changeUserNameButton}})
        showControl(m_controls.at(name), *model);
    showList(m_playersOnFile, m_panel.playersOnFile());
    showList(m_activePlayers, m_panel.activePlayers());
}

} // namespace gs
