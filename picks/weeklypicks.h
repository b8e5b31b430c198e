#pragma once

// The "This Week's Picks" panel of the main window: the current player's
// picks of one week, with PC's projections (and the rating player's
// favourites while it is on the user list), the week buttons and "Save
// Picks". The window layer renders the model and forwards
// the events here.

#include "core/dialogs.h"
#include "core/grid.h"
#include "core/pool.h"
#include "core/poolrules.h"
#include "core/result.h"
#include "schedule/pickextras.h"
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
    // Under the grid: "Tiebreaker: total points of Los Angeles Rams at
    // Atlanta Falcons" and the guess, open while that game is.
    ControlModel tiebreakerLabel;
    ControlModel tiebreakerField;
    // In a confidence pool, the grid's column of the confidence values
    // (editable while the game is open); -1 otherwise.
    int confidenceColumn = -1;
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
    // "Save Picks": writes the player's pick file (and his tiebreaker file
    // where he has guesses or confidence values). A game locked since its
    // pick was changed keeps the pick the file holds, and the person is told.
    void savePicks();
    // The tiebreaker field was changed: a whole number of points 0..999, or
    // empty for no guess. The guess is made for the game the field names.
    void setTiebreaker(const std::string& text);
    // A confidence cell was changed: a value 1..N (N the week's games), or
    // empty for none. Another game of the week holding that value takes the
    // game's old one, so that the week's values stay distinct.
    void setConfidence(int row, const std::string& text);
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
    bool hasUnsavedPicks() const { return m_picks != m_savedPicks || m_extras != m_savedExtras; }

    const WeeklyPicksModel& model() const { return m_model; }
    const SeasonState& season() const { return m_state; }
    const PickTable& picks() const { return m_picks; }
    const ExtrasTable& extras() const { return m_extras; }
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
    void showTiebreaker();
    int tiebreakGame(const std::vector<int>& rows) const;
    // The rows of the displayed week's games, in table order.
    std::vector<int> displayedRows() const;
    bool displayedWeekOpen(int game) const;
    void changed();
    void loadLastSeason();
    void keepLockedPicks();
    Status loadPicks();

    Pool& m_pool;
    Dialogs& m_dialogs;
    WeeklyPicksModel m_model;
    SeasonState m_state;
    PickTable m_picks{};
    PickTable m_savedPicks{}; // as the file holds them
    ExtrasTable m_extras{};
    ExtrasTable m_savedExtras{};
    PoolRule m_rule = PoolRule::Winners;
    int m_displayedWeek = 1;
    bool m_picksSaved = true;
};

} // namespace gs
