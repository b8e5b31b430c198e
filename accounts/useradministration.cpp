#include "useradministration.h"

#include "accounts.h"
#include "core/text.h"
#include "core/userlist.h"

#include <algorithm>

namespace gs {

namespace {

bool contains(const ListModel& list, const std::string& name) {
    return std::find(list.entries.begin(), list.entries.end(), name) != list.entries.end();
}

int indexOf(const ListModel& list, const std::string& name) {
    auto it = std::find(list.entries.begin(), list.entries.end(), name);
    return it == list.entries.end() ? -1 : static_cast<int>(it - list.entries.begin());
}

} // namespace

std::string handOverQuestion(const std::string& name) {
    return "Hand the administrator rights to " + name +
           "?\n\nYours go with them: once the user list is saved, you can no longer enter "
           "scores, change the user list or upload the admin files, and only " +
           name + " can give them back.";
}

std::string UserAdministrationPanel::selectedEntry(const ListModel& list) const {
    if (list.selected < 0 || list.selected >= static_cast<int>(list.entries.size()))
        return {};
    return list.entries[static_cast<size_t>(list.selected)];
}

void UserAdministrationPanel::clearSelections() {
    m_pool.playersOnFile.selected = -1;
    m_pool.activePlayers.selected = -1;
}

bool UserAdministrationPanel::open() {
    m_rightsHandedOver = false;
    // The season the person chose stays in force.
    Result<UserListLoad> load = reloadUserList(m_pool);
    if (load && load->outcome == UserListOutcome::Created)
        load = reloadUserList(m_pool);
    if (!load) {
        m_dialogs.refuse(load.error().message);
        return false;
    }
    tellLoadNotices(*load, m_dialogs);
    fillUserLists(m_pool);

    UserAdministrationModel& m = m_model;
    m.administratorButton.caption.clear();
    for (int k = 1; k <= kUserSlots; ++k)
        if (m_pool.users[k].admin == 1) {
            m.administratorButton.caption = m_pool.users[k].name;
            break;
        }
    for (ControlModel* control :
         {&m.playersOnFileHeading, &m.activePlayersHeading, &m.currentAdminHeading,
          &m.administratorButton, &m.removeButton, &m.addButton, &m.addRatingPlayerButton,
          &m.deactivateButton, &m.activateButton, &m.upButton, &m.downButton, &m.saveChangesButton})
        control->visible = true;
    bool admin = m_pool.isAdmin(m_pool.currentUser);
    m.changePasswordButton.visible = admin;
    m.changeUserNameButton.visible = admin;
    for (ControlModel* control :
         {&m.administratorButton, &m.removeButton, &m.addButton, &m.addRatingPlayerButton,
          &m.deactivateButton, &m.activateButton, &m.saveChangesButton}) {
        control->enabled = admin;
        control->toolTip = admin ? "" : kAdminRightsNeededTip;
    }
    return true;
}

void UserAdministrationPanel::remove() {
    if (!requireAdmin(m_pool, m_pool.currentUser, m_dialogs))
        return;
    ListModel& players = m_pool.playersOnFile;
    if (players.selected < 0 || players.selected >= static_cast<int>(players.entries.size()))
        return;
    std::string name = players.entries[static_cast<size_t>(players.selected)];
    auto& onFile = m_pool.playersOnFile.entries;
    onFile.erase(onFile.begin() + players.selected);
    auto& active = m_pool.activePlayers.entries;
    if (auto it = std::find(active.begin(), active.end(), name); it != active.end())
        active.erase(it);
    clearSelections();
}

void UserAdministrationPanel::add() {
    if (!requireAdmin(m_pool, m_pool.currentUser, m_dialogs))
        return;
    if (m_pool.playersOnFile.entries.size() >= static_cast<size_t>(kUserSlots))
        return;
    addPlayer(m_dialogs.input(kUserNamePrompt, kUserNameTitle, ""));
}

AddOutcome UserAdministrationPanel::addPlayer(const std::string& typed) {
    const std::string name = trimmedUserName(typed);
    if (!requireAdmin(m_pool, m_pool.currentUser, m_dialogs))
        return AddOutcome::Refused;
    if (m_pool.playersOnFile.entries.size() >= static_cast<size_t>(kUserSlots))
        return AddOutcome::ListFull;
    // The rating player's name is kept for it: a person of that name would
    // be taken for it by anyone who reads the name alone.
    if (!checkUserName(name) || upperAscii(name) == kRatingPlayer) {
        m_dialogs.refuse(kNameNotAllowedMessage);
        return AddOutcome::Refused;
    }
    if (isUserNameTaken(m_pool, name)) {
        m_dialogs.refuse(kNameTakenMessage);
        return AddOutcome::Refused;
    }
    // A player removed but not yet saved still holds a slot.
    int free = m_pool.userSlot("");
    if (free == 0)
        return AddOutcome::ListFull;
    m_pool.playersOnFile.entries.push_back(name);
    UserSlot& slot = m_pool.users[free];
    slot = UserSlot{};
    slot.name = name;
    slot.folder = m_pool.programFolderText();
    slot.colorScheme = 9;
    clearSelections();
    return AddOutcome::Added;
}

AddOutcome UserAdministrationPanel::addRatingPlayer() {
    if (!requireAdmin(m_pool, m_pool.currentUser, m_dialogs))
        return AddOutcome::Refused;
    if (isUserNameTaken(m_pool, kRatingPlayer)) {
        m_dialogs.refuse(m_pool.hasRatingPlayer() ? kRatingPlayerListedMessage
                                                  : kRatingPlayerNameTakenMessage);
        return AddOutcome::Refused;
    }
    int free = m_pool.userSlot("");
    if (m_pool.playersOnFile.entries.size() >= static_cast<size_t>(kUserSlots) || free == 0)
        return AddOutcome::ListFull;
    m_pool.playersOnFile.entries.push_back(kRatingPlayer);
    m_pool.activePlayers.entries.push_back(kRatingPlayer);
    UserSlot& slot = m_pool.users[free];
    slot = UserSlot{};
    slot.name = kRatingPlayer;
    slot.folder = m_pool.programFolderText();
    slot.active = 1;
    slot.colorScheme = 1;
    slot.flag = true;
    clearSelections();
    return AddOutcome::Added;
}

void UserAdministrationPanel::deactivate() {
    if (!requireAdmin(m_pool, m_pool.currentUser, m_dialogs))
        return;
    std::string name = selectedEntry(m_pool.activePlayers);
    if (!name.empty() && name != kAdminUser && name != kComputerPlayer) {
        for (int k = 1; k <= kUserSlots; ++k)
            if (m_pool.users[k].name == name)
                m_pool.users[k].active = 0;
        auto& active = m_pool.activePlayers.entries;
        active.erase(active.begin() + m_pool.activePlayers.selected);
    }
    clearSelections();
}

void UserAdministrationPanel::activate() {
    if (!requireAdmin(m_pool, m_pool.currentUser, m_dialogs))
        return;
    std::string name = selectedEntry(m_pool.playersOnFile);
    if (name.empty() || selectedEntry(m_pool.activePlayers) == kComputerPlayer) {
        clearSelections();
        return;
    }
    if (contains(m_pool.activePlayers, name)) {
        m_pool.activePlayers.selected = indexOf(m_pool.activePlayers, name);
        return;
    }
    m_pool.activePlayers.entries.push_back(name);
    for (int k = 1; k <= kUserSlots; ++k)
        if (m_pool.users[k].name == name)
            m_pool.users[k].active = 1;
    clearSelections();
}

void UserAdministrationPanel::move(int step) {
    ListModel& active = m_pool.activePlayers;
    int from = active.selected;
    int to = from + step;
    int count = static_cast<int>(active.entries.size());
    if (from < 0 || from >= count || to < 0 || to >= count)
        return;
    std::swap(active.entries[static_cast<size_t>(from)], active.entries[static_cast<size_t>(to)]);
    active.selected = to;
}

void UserAdministrationPanel::moveUp() {
    move(-1);
}

void UserAdministrationPanel::moveDown() {
    move(1);
}

void UserAdministrationPanel::handOverAdministrator() {
    if (!requireAdmin(m_pool, m_pool.currentUser, m_dialogs))
        return;
    std::string name = m_dialogs.input(kUserNamePrompt, kUserNameTitle, "");
    bool active = contains(m_pool.activePlayers, name);
    if (!checkUserName(name) || (active && isComputerPlayer(name))) {
        m_dialogs.refuse(kNameNotAllowedMessage);
        return;
    }
    if (!active) {
        m_dialogs.refuse(kNotActiveMessage);
        return;
    }
    if (name != m_pool.currentUser && !m_dialogs.confirm(handOverQuestion(name), kHandOverTitle))
        return;
    clearSelections();
    if (int giver = m_pool.userSlot(m_pool.currentUser))
        m_pool.users[giver].admin = 0;
    m_model.administratorButton.caption = name;
    if (int taker = m_pool.userSlot(name))
        m_pool.users[taker].admin = 1;
    m_rightsHandedOver = true;
}

bool UserAdministrationPanel::saveChanges() {
    if (!m_rightsHandedOver && !requireAdmin(m_pool, m_pool.currentUser, m_dialogs))
        return false;
    FileRollback changes;
    if (Status saved = saveUserListRemembering(m_pool, m_dialogs, changes); !saved) {
        Status restored = changes.restore();
        m_dialogs.refuse(
            saved.error().message +
            (restored ? std::string(" The user list on file is unchanged.")
                      : " The old files could not all be put back: " + restored.error().message));
        return false;
    }
    m_dialogs.inform(kUserListSavedMessage);
    return true;
}

std::optional<std::string> UserAdministrationPanel::chosenPlayer() {
    if (!requireAdmin(m_pool, m_pool.currentUser, m_dialogs))
        return std::nullopt;
    std::string name = selectedEntry(m_pool.playersOnFile);
    if (name.empty()) {
        m_dialogs.refuse(kNoPlayerChosenMessage);
        return std::nullopt;
    }
    return name;
}

void UserAdministrationPanel::playerRenamed(const std::string& oldName,
                                            const std::string& newName) {
    if (m_model.administratorButton.caption == oldName)
        m_model.administratorButton.caption = newName;
}

} // namespace gs
