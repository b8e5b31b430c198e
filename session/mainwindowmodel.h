#pragma once

// What the main window shows apart from its panels' contents: the caption,
// the login boxes, the menus and which panel is up.

#include "core/grid.h"

#include <string>
#include <utility>

namespace gs {

// The panels of the main window; one is shown at a time.
enum class Panel {
    // The login controls: they take the window while nobody is logged in.
    Login,
    None,
    WeeklyPicks,
    UserAdministration,
    AllResults,
    UserStatistics,
    TeamStatistics,
    TeamRanking,
};

// Why an entry that needs administrator rights is greyed out for everybody
// else.
inline constexpr const char* kScoreEntryNeedsAdminTip =
    "Only the pool's administrator can enter game scores.";
inline constexpr const char* kUpdateGamesNeedsAdminTip =
    "Only the pool's administrator can update the schedule and scores.";
inline constexpr const char* kAdminBackupNeedsAdminTip =
    "Only the pool's administrator can back up the admin data.";
inline constexpr const char* kAdminRestoreNeedsAdminTip =
    "Only the pool's administrator can restore the admin data.";

struct MainWindowModel {
    std::string caption = "Gridslate";
    bool loginVisible = true;
    std::string userName; // what the user name box holds
    std::string password; // what the password box holds
    bool fileMenuEnabled = false;
    bool viewMenuEnabled = false;
    // The entries that need administrator rights: enabled for a user who
    // has them, greyed out with the reason for anybody else.
    ControlModel scoreEntryEntry{"Enter Game Scores", true, false};
    ControlModel updateGamesEntry{"Update Schedule and Scores", true, false};
    ControlModel adminBackupEntry{"Admin Data", true, false};
    ControlModel adminRestoreEntry{"Admin Data", true, false};
    Panel panel = Panel::None;

    // What the window shows: the login controls while they are visible,
    // else the panel that is up.
    Panel shownPanel() const { return loginVisible ? Panel::Login : panel; }

    // Hides every panel (the login controls stay as they are).
    void hidePanels() { panel = Panel::None; }

    // Enables the administrator's entries, or greys them out and says why.
    void grantAdminEntries(bool admin) {
        for (auto [entry, tip] : {std::pair{&scoreEntryEntry, kScoreEntryNeedsAdminTip},
                                  std::pair{&updateGamesEntry, kUpdateGamesNeedsAdminTip},
                                  std::pair{&adminBackupEntry, kAdminBackupNeedsAdminTip},
                                  std::pair{&adminRestoreEntry, kAdminRestoreNeedsAdminTip}}) {
            entry->enabled = admin;
            entry->toolTip = admin ? "" : tip;
        }
    }
};

} // namespace gs
