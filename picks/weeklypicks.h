#pragma once

// The "This Week's Picks" panel of the main window: the current player's
// picks of one week, with PC's projections (and the rating player's
// favourites while it is on the user list), the week buttons and "Save
// Picks". The window layer renders the model and forwards
// the events here.

#include "core/dialogs.h"
#include "core/grid.h"
#include "core/pool.h"
#include "core/result.h"
#include "stats/seasonrefresh.h"

#include <string>
#include <vector>

namespace gs {

inline constexpr const char* kSavePicksQuestion = "Save your picks?";

// Whether the pick of a game can still change, here and on the results board
// alike: only in the current week of a season still on, and only while the
// game is not locked at the pool's moment (Game::lockedAt).
bool isPickOpen(const Game& game, int gameWeek, int currentWeek, bool seasonOver,
                const PoolMoment& moment);

// What a locked game's row and a click on it say: "Kicked off Sun 9/7/2025
// 1:00 PM", the kickoff on the machine's clock.
std::string lockedGameText(const Game& game);

struct WeeklyPicksModel {
    GridModel grid;
    ControlModel heading{"Viewing Picks for Week"};
    ControlModel weekNumber; // the displayed week
    ControlModel nextWeekButton{"Next"};
    ControlModel previousWeekButton{"Prev."};
    ControlModel firstDate; // date of the week's first game
    ControlModel thru{"Thru"};
    ControlModel lastDate; // date of the week's last game
    ControlModel savePicksButton{"Save Picks"};
    // The season's game shown in each grid row (-1 for the header row), so
    // that a click or a colour finds its own game even when two teams meet
    // twice in a season.
    std::vector<int> gameOfRow;
    // The status bar's line: what the last click on a locked game said.
    std::string status;
};

class WeeklyPicksPanel {
public:
    WeeklyPicksPanel(Pool& pool, Dialogs& dialogs) : m_pool(pool), m_dialogs(dialogs) {}

    // Opening: brings the season up to date (the games, the current week,
    // the records and the computer player), loads the player's picks and
    // shows the current week.
    void open();
    // "Next": the following week, never past the current week.
    void showNextWeek();
    // "Prev.": the week before, never before week 1.
    void showPreviousWeek();
    // A click on a grid cell (row 0 is the header): toggles the pick of a
    // team of the current week whose game is not locked; on a locked game
    // the status line says when it kicked off.
    void togglePick(int row, int column);
    // "Save Picks": writes the player's pick file. A game locked since its
    // pick was changed keeps the pick the file holds, and the person is told.
    void savePicks();
    // After the pick file was replaced under the panel (a restore): shows
    // the file's picks in the week on show, so that "Save Picks" cannot
    // write the old ones back.
    void reloadPicks();
    // Before the panel makes way (another view, logout, the window closing):
    // with picks changed since they were read or saved, asks "Save your
    // picks?". Save saves them, Discard drops them; true when the panel may
    // go, false on Cancel or when the save failed.
    bool mayLeave();
    // Picks changed since they were last read or saved.
    bool hasUnsavedPicks() const { return m_picks != m_savedPicks; }

    const WeeklyPicksModel& model() const { return m_model; }
    const SeasonState& season() const { return m_state; }
    const PickTable& picks() const { return m_picks; }
    int displayedWeek() const { return m_displayedWeek; }

private:
    void fillGrid(int first, int last);
    void colourPicks();
    void markTeamCell(int row, int column);
    void resetGrid();
    int gameOfRow(int row) const;
    void showDisplayedWeek();
    void showWeekLabels(int first, int last);
    void showPanelControls();
    void loadLastSeason();
    void keepLockedPicks();
    Status loadPicks();

    Pool& m_pool;
    Dialogs& m_dialogs;
    WeeklyPicksModel m_model;
    SeasonState m_state;
    PickTable m_picks{};
    PickTable m_savedPicks{}; // as the file holds them
    int m_displayedWeek = 1;
    bool m_picksSaved = true;
};

} // namespace gs
