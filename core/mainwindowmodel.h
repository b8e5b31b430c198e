#pragma once

// What the main window shows apart from its panels' contents: the caption,
// the login boxes, the menus and which panel is up.

#include <string>

namespace gs {

// The panels of the main window; one is shown at a time.
enum class Panel {
    None,
    WeeklyPicks,
    UserAdministration,
    AllResults,
    UserStatistics,
    TeamStatistics,
    TeamRanking,
};

struct MainWindowModel {
    std::string caption = "Gridslate";
    bool loginVisible = true;
    std::string userName; // what the user name box holds
    std::string password; // what the password box holds
    bool fileMenuEnabled = false;
    bool viewMenuEnabled = false;
    bool adminBackupEnabled = false;
    bool adminRestoreEnabled = false;
    Panel panel = Panel::None;

    // Hides every panel (the login controls stay as they are).
    void hidePanels() { panel = Panel::None; }
};

} // namespace gs
