#include "state.h"

#include "dialogs.h"
#include "text.h"

#include <cstdlib>

namespace gs {

namespace fs = std::filesystem;

ProgramState State;

fs::path defaultInstallFolder() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome && *dataHome)
        return fs::path(dataHome) / "gridslate";
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : ".") / ".local" / "share" / "gridslate";
}

void setInstallFolder(const fs::path& folder) {
    State.InstallFolder = fs::absolute(folder).lexically_normal();
    if (!State.InstallFolder.has_filename())
        State.InstallFolder = State.InstallFolder.parent_path();
    State.ProgramFolder = State.InstallFolder / "data";
    State.StagingFolder = State.InstallFolder / "XFRD";
}

std::string programFolderText() {
    return State.ProgramFolder.string();
}

fs::path gamesDatabasePath() {
    return State.ProgramFolder / kGamesFileName;
}

int seasonYearNumber() {
    return static_cast<int>(numericValue(State.SeasonYear));
}

void Actions_Load(const fs::path& installFolder) {
    BuildLeagueTable();
    HideAllPanels();
    setInstallFolder(installFolder);
    State.ReferenceDate = kDefaultReferenceDate;
    State.Window.fileMenuEnabled = false;
    State.Window.viewMenuEnabled = false;
    State.Window.loginVisible = true;
    State.Window.caption = "Gridslate";
}

void HideAllPanels() {
    MainWindowModel& w = State.Window;
    w.panel = Panel::None;
    w.manualVisible = false;
    for (ControlModel* control : {&w.Label2, &w.Label3, &w.Command1, &w.Command2, &w.Label4,
                                  &w.Label13, &w.Label14, &w.Command3})
        control->visible = false;
}

bool IsAdmin(const std::string& name) {
    int slot = userSlot(name);
    int16_t admin = slot ? State.UserTable[slot].admin : 0;
    if (admin == 1)
        return true;
    if (admin == 0)
        dialogs().message("You do not have administrator control", "Error");
    return false;
}

int userSlot(const std::string& name) {
    for (int k = 1; k <= kUserSlots; ++k)
        if (State.UserTable[k].name == name)
            return k;
    return 0;
}

} // namespace gs
