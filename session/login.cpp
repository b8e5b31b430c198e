#include "login.h"

#include "core/poolmachine.h"
#include "core/text.h"
#include "core/userlist.h"
#include "schedule/pickfiles.h"
#include "schedule/seasongames.h"

namespace gs {

namespace {

// The administrator's entries for a user with rights or without; on a
// player's machine the scores and the schedule are nobody's to change.
void grantEntries(MainWindowModel& window, const Pool& pool, bool admin) {
    window.grantAdminEntries(admin);
    if (admin && isPlayersMachine(pool.folders()))
        for (ControlModel* entry : {&window.scoreEntryEntry, &window.updateGamesEntry}) {
            entry->enabled = false;
            entry->toolTip = kPlayersMachineMessage;
        }
}

} // namespace

void Session::refuse(const std::string& text, const std::string& title) {
    m_dialogs.refuse(text, title);
    m_window.userName.clear();
    m_window.password.clear();
}

bool Session::logIn() {
    MainWindowModel& w = m_window;
    w.grantAdminEntries(false);
    m_pool.setCurrentUser(w.userName);
    const std::string typedPassword = w.password;
    if (stripSpaces(m_pool.currentUser()).empty())
        m_pool.setCurrentUser(kAdminUser);
    if (isReservedUserName(m_pool.currentUser())) {
        refuse("You are not the " + upperAscii(m_pool.currentUser()) + ", I am.", kErrorTitle);
        return false;
    }
    Result<UserListLoad> load = loadUserList(m_pool);
    if (!load) {
        refuse(load.error().message, kErrorTitle);
        return false;
    }
    tellLoadNotices(*load, m_dialogs);
    m_firstStart = false;
    if (load->outcome == UserListOutcome::Created) {
        if (m_pool.currentUser() != kAdminUser) {
            // The welcome is no refusal: it has a title of its own.
            m_dialogs.inform("User List established.  Please Login as admin.", "Welcome!");
            w.userName.clear();
            w.password.clear();
            return false;
        }
        // The new list holds admin without a password: there is nothing to
        // ask him again.
        load = loadUserList(m_pool);
        if (!load) {
            refuse(load.error().message, kErrorTitle);
            return false;
        }
        tellLoadNotices(*load, m_dialogs);
        m_firstStart = true;
    }
    int k = m_pool.userSlot(m_pool.currentUser());
    if (load->outcome == UserListOutcome::UserNotFound || k == 0 || m_pool.users()[k].active == 0) {
        refuse("You are not in the Active Player List.", kErrorTitle);
        return false;
    }
    if (playsElsewhere(m_pool, m_pool.currentUser())) {
        refuse(playsElsewhereMessage(m_pool.currentUser()), kErrorTitle);
        return false;
    }
    // An empty stored password admits any entry, so a pool that never set
    // passwords works as before.
    const UserSlot& slot = m_pool.users()[k];
    const std::string& stored = m_pool.preferencesRead() ? slot.password : slot.listPassword;
    if (!stored.empty() && typedPassword != stored) {
        refuse("Incorrect password.", kErrorTitle);
        return false;
    }
    grantEntries(w, m_pool, slot.admin == 1);
    m_pool.setColorScheme(slot.colorScheme);
    if (Result<PlayerPicks> picks = loadPicks(m_pool, m_pool.currentUser()))
        m_pool.setSavedPoolOrder(std::move(picks->activeOrder));
    else
        m_dialogs.refuse(picks.error().message);
    if (Result<Season> season = rebuildSeasonGames(m_pool); !season)
        m_dialogs.refuse(season.error().message);
    w.loginVisible = false;
    w.fileMenuEnabled = true;
    w.viewMenuEnabled = true;
    w.caption = windowCaption(m_pool);
    return true;
}

std::string windowCaption(const Pool& pool) {
    return "Gridslate for " + pool.currentUser() + " \x96 " + std::to_string(pool.seasonYear()) +
           " season";
}

void Session::followPool() {
    if (m_window.loginVisible)
        return;
    grantEntries(m_window, m_pool, m_pool.isAdmin(m_pool.currentUser()));
    m_window.caption = windowCaption(m_pool);
}

void Session::logOut() {
    MainWindowModel& w = m_window;
    w.hidePanels();
    w.userName.clear();
    w.password.clear();
    w.loginVisible = true;
    w.fileMenuEnabled = false;
    w.viewMenuEnabled = false;
    w.grantAdminEntries(false);
    w.caption = "Gridslate";
}

} // namespace gs
