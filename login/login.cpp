#include "login.h"

#include "core/dialogs.h"
#include "core/state.h"
#include "core/text.h"
#include "core/userlist.h"
#include "prefs/colors.h"
#include "schedule/pickfiles.h"
#include "schedule/seasongames.h"

namespace gs {

namespace {

void refuse(const std::string& text, const std::string& title) {
    dialogs().message(text, title);
    State.Window.Text1.clear();
    State.Window.Text2.clear();
}

} // namespace

void Command12_Click() {
    MainWindowModel& w = State.Window;
    w.backupAdminEnabled = false;
    w.restoreAdminEnabled = false;

    State.CurrentUser = w.Text1;
    const std::string typedPassword = w.Text2;
    if (StripSpaces(State.CurrentUser).empty())
        State.CurrentUser = "admin";

    if (upperAscii(State.CurrentUser) == "PC")
        return refuse("You are not the PC, I am.", "Error");

    if (!LoadUserList()) {
        State.Window.Text1.clear();
        State.Window.Text2.clear();
        return;
    }
    if (State.CurrentUser == NewListSentinel)
        return refuse("User List established.  Please Login as admin.", "Welcome!");

    int k = userSlot(State.CurrentUser);
    if (k == 0 || State.UserTable[k].active == 0)
        return refuse("You are not in the Active Player List.", "Error");

    // An empty stored password admits any entry, so a pool that never set
    // passwords works as before.
    const UserSlot& slot = State.UserTable[k];
    const std::string& stored = State.PreferencesRead ? slot.password : slot.listPassword;
    if (!stored.empty() && typedPassword != stored)
        return refuse("Incorrect password.", "Error");

    if (slot.admin == 1) {
        w.backupAdminEnabled = true;
        w.restoreAdminEnabled = true;
    }
    State.CurrentColorScheme = slot.colorScheme;
    ApplyColorScheme();
    LoadPicks(State.CurrentUser);
    RebuildSeasonGames();
    w.loginVisible = false;
    w.fileMenuEnabled = true;
    w.viewMenuEnabled = true;
    w.manualVisible = false;
    w.caption = "Gridslate for " + State.CurrentUser;
}

void mnuItemLogout_Click() {
    HideAllPanels();
    MainWindowModel& w = State.Window;
    w.Text1.clear();
    w.Text2.clear();
    w.loginVisible = true;
    w.fileMenuEnabled = false;
    w.viewMenuEnabled = false;
    w.manualVisible = false;
    w.caption = "Gridslate";
}

} // namespace gs
