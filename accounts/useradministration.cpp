#include "useradministration.h"

#include "accounts.h"
#include "core/text.h"
#include "core/userlist.h"

#include <algorithm>

namespace gs {

std::string handOverQuestion(const std::string& name) {
    return "Hand the administrator rights to " + name +
           "?\n\nYours go with them: once the user list is saved, you can no longer enter "
           "scores, change the user list or upload the admin files, and only " +
           name + " can give them back.";
}

namespace {

AddResult refused(const char* message) {
    return {AddOutcome::Refused, message};
}

bool isListFull(const Pool& pool) {
    return playersOnFile(pool).size() >= static_cast<size_t>(kUserSlots);
}

// The name of a list's selected entry, or "" when none is selected.
std::string entryAt(const std::vector<std::string>& entries, int selected) {
    if (selected < 0 || selected >= static_cast<int>(entries.size()))
        return {};
    return entries[static_cast<size_t>(selected)];
}

// Sets the active field of every slot with the name.
void setActive(Pool& pool, const std::string& name, int16_t active) {
    for (int k = 1; k <= kUserSlots; ++k)
        if (pool.users()[k].name == name) {
            UserSlot slot = pool.users()[k];
            slot.active = active;
            pool.setUser(k, std::move(slot));
        }
}

void setAdmin(Pool& pool, int k, int16_t admin) {
    UserSlot slot = pool.users()[k];
    slot.admin = admin;
    pool.setUser(k, std::move(slot));
}

} // namespace

AddResult addPlayer(Pool& pool, const std::string& typed) {
    const std::string name = trimmedUserName(typed);
    if (isListFull(pool))
        return {AddOutcome::ListFull, {}};
    // The rating player's name is kept for it: a person of that name would
    // be taken for it by anyone who reads the name alone.
    if (upperAscii(name) == kRatingPlayer)
        return refused(kNameNotAllowedMessage);
    if (Status allowed = checkNewUserName(pool, name); !allowed)
        return {AddOutcome::Refused, allowed.error().message};
    // A player removed but not yet saved still holds a slot.
    int free = pool.userSlot("");
    if (free == 0)
        return {AddOutcome::ListFull, {}};
    UserSlot slot;
    slot.name = name;
    slot.folder = pool.programFolderText();
    slot.colorScheme = 9;
    pool.setUser(free, std::move(slot));
    listUserLast(pool, free);
    return {};
}

AddResult addRatingPlayer(Pool& pool) {
    if (isUserNameTaken(pool, kRatingPlayer))
        return refused(pool.hasRatingPlayer() ? kRatingPlayerListedMessage
                                              : kRatingPlayerNameTakenMessage);
    int free = pool.userSlot("");
    if (isListFull(pool) || free == 0)
        return {AddOutcome::ListFull, {}};
    UserSlot slot;
    slot.name = kRatingPlayer;
    slot.folder = pool.programFolderText();
    slot.active = 1;
    slot.colorScheme = 1;
    slot.flag = true;
    pool.setUser(free, std::move(slot));
    listUserLast(pool, free);
    std::vector<std::string> order = pool.poolOrder();
    order.push_back(kRatingPlayer);
    pool.setPoolOrder(std::move(order));
    return {};
}

void activatePlayer(Pool& pool, const std::string& name) {
    std::vector<std::string> order = pool.poolOrder();
    if (std::find(order.begin(), order.end(), name) != order.end())
        return;
    order.push_back(name);
    pool.setPoolOrder(std::move(order));
    setActive(pool, name, 1);
}

Status saveUserListChanges(Pool& pool, Dialogs& dialogs) {
    FileRollback changes;
    Status saved = saveUserListRemembering(pool, dialogs, changes);
    if (saved)
        return {};
    Status restored = changes.restore();
    return failure(
        saved.error().kind,
        saved.error().message +
            (restored ? std::string(" The user list on file is unchanged.")
                      : " The old files could not all be put back: " + restored.error().message));
}

ListModel UserAdministrationPanel::playersOnFile() const {
    return ListModel{gs::playersOnFile(m_pool), m_onFileSelected};
}

ListModel UserAdministrationPanel::activePlayers() const {
    return ListModel{m_pool.poolOrder(), m_activeSelected};
}

std::string UserAdministrationPanel::selectedPlayerOnFile() const {
    return entryAt(gs::playersOnFile(m_pool), m_onFileSelected);
}

std::string UserAdministrationPanel::selectedActivePlayer() const {
    return entryAt(m_pool.poolOrder(), m_activeSelected);
}

void UserAdministrationPanel::clearSelections() {
    m_onFileSelected = -1;
    m_activeSelected = -1;
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
    refreshPoolOrder(m_pool);
    clearSelections();

    UserAdministrationModel& m = m_model;
    m.administratorButton.caption.clear();
    for (int k = 1; k <= kUserSlots; ++k)
        if (m_pool.users()[k].admin == 1) {
            m.administratorButton.caption = m_pool.users()[k].name;
            break;
        }
    for (ControlModel* control :
         {&m.playersOnFileHeading, &m.activePlayersHeading, &m.currentAdminHeading,
          &m.administratorButton, &m.removeButton, &m.addButton, &m.addRatingPlayerButton,
          &m.deactivateButton, &m.activateButton, &m.upButton, &m.downButton, &m.saveChangesButton})
        control->visible = true;
    bool admin = m_pool.isAdmin(m_pool.currentUser());
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
    if (!requireAdmin(m_pool, m_pool.currentUser(), m_dialogs))
        return;
    // The selected entry is the slot of that rank among the players listed.
    int rank = m_onFileSelected;
    if (rank < 0)
        return;
    for (int k = 1; k <= kUserSlots; ++k) {
        UserSlot slot = m_pool.users()[k];
        if (slot.name.empty() || slot.removed || rank-- > 0)
            continue;
        std::vector<std::string> order = m_pool.poolOrder();
        if (auto it = std::find(order.begin(), order.end(), slot.name); it != order.end()) {
            order.erase(it);
            m_pool.setPoolOrder(std::move(order));
        }
        slot.removed = true;
        m_pool.setUser(k, std::move(slot));
        clearSelections();
        return;
    }
}

void UserAdministrationPanel::add() {
    if (!requireAdmin(m_pool, m_pool.currentUser(), m_dialogs))
        return;
    if (isListFull(m_pool))
        return;
    addPlayer(m_dialogs.input(kUserNamePrompt, kUserNameTitle, ""));
}

AddOutcome UserAdministrationPanel::addPlayer(const std::string& typed) {
    if (!requireAdmin(m_pool, m_pool.currentUser(), m_dialogs))
        return AddOutcome::Refused;
    AddResult added = gs::addPlayer(m_pool, typed);
    if (added.outcome == AddOutcome::Refused)
        m_dialogs.refuse(added.refusal);
    if (added.outcome == AddOutcome::Added)
        clearSelections();
    return added.outcome;
}

AddOutcome UserAdministrationPanel::addRatingPlayer() {
    if (!requireAdmin(m_pool, m_pool.currentUser(), m_dialogs))
        return AddOutcome::Refused;
    AddResult added = gs::addRatingPlayer(m_pool);
    if (added.outcome == AddOutcome::Refused)
        m_dialogs.refuse(added.refusal);
    if (added.outcome == AddOutcome::Added)
        clearSelections();
    return added.outcome;
}

void UserAdministrationPanel::deactivate() {
    if (!requireAdmin(m_pool, m_pool.currentUser(), m_dialogs))
        return;
    std::string name = selectedActivePlayer();
    if (!name.empty() && name != kAdminUser && name != kComputerPlayer) {
        setActive(m_pool, name, 0);
        std::vector<std::string> order = m_pool.poolOrder();
        order.erase(order.begin() + m_activeSelected);
        m_pool.setPoolOrder(std::move(order));
    }
    clearSelections();
}

void UserAdministrationPanel::activate() {
    if (!requireAdmin(m_pool, m_pool.currentUser(), m_dialogs))
        return;
    std::string name = selectedPlayerOnFile();
    if (name.empty() || selectedActivePlayer() == kComputerPlayer) {
        clearSelections();
        return;
    }
    const std::vector<std::string>& order = m_pool.poolOrder();
    if (auto it = std::find(order.begin(), order.end(), name); it != order.end()) {
        m_activeSelected = static_cast<int>(it - order.begin());
        return;
    }
    activatePlayer(m_pool, name);
    clearSelections();
}

void UserAdministrationPanel::move(int step) {
    std::vector<std::string> order = m_pool.poolOrder();
    int from = m_activeSelected;
    int to = from + step;
    int count = static_cast<int>(order.size());
    if (from < 0 || from >= count || to < 0 || to >= count)
        return;
    std::swap(order[static_cast<size_t>(from)], order[static_cast<size_t>(to)]);
    m_pool.setPoolOrder(std::move(order));
    m_activeSelected = to;
}

void UserAdministrationPanel::moveUp() {
    move(-1);
}

void UserAdministrationPanel::moveDown() {
    move(1);
}

void UserAdministrationPanel::handOverAdministrator() {
    if (!requireAdmin(m_pool, m_pool.currentUser(), m_dialogs))
        return;
    std::string name = m_dialogs.input(kUserNamePrompt, kUserNameTitle, "");
    const std::vector<std::string>& order = m_pool.poolOrder();
    bool active = std::find(order.begin(), order.end(), name) != order.end();
    if (!checkUserName(name) || (active && isComputerPlayer(name))) {
        m_dialogs.refuse(kNameNotAllowedMessage);
        return;
    }
    if (!active) {
        m_dialogs.refuse(kNotActiveMessage);
        return;
    }
    if (name != m_pool.currentUser() && !m_dialogs.confirm(handOverQuestion(name), kHandOverTitle))
        return;
    clearSelections();
    if (int giver = m_pool.userSlot(m_pool.currentUser()))
        setAdmin(m_pool, giver, 0);
    m_model.administratorButton.caption = name;
    if (int taker = m_pool.userSlot(name))
        setAdmin(m_pool, taker, 1);
    m_rightsHandedOver = true;
}

bool UserAdministrationPanel::saveChanges() {
    if (!m_rightsHandedOver && !requireAdmin(m_pool, m_pool.currentUser(), m_dialogs))
        return false;
    if (Status saved = saveUserListChanges(m_pool, m_dialogs); !saved) {
        m_dialogs.refuse(saved.error().message);
        return false;
    }
    m_dialogs.inform(kUserListSavedMessage);
    return true;
}

std::optional<std::string> UserAdministrationPanel::chosenPlayer() {
    if (!requireAdmin(m_pool, m_pool.currentUser(), m_dialogs))
        return std::nullopt;
    std::string name = selectedPlayerOnFile();
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
    clearSelections();
}

} // namespace gs
