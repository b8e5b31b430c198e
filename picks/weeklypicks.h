#pragma once

// The "This Week's Picks" panel of the main window: the current player's
// picks of one week, with PC's projections (and the rating player's
// favourites while it is on the user list), the week buttons and "Save
// Picks". The window layer renders the model and forwards
// the events here.

#include "core/dialogs.h"
#include "core/grid.h"
#include "core/pool.h"
#include "stats/seasonrefresh.h"

#include <vector>

namespace gs {

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
    // team of the current week whose game has not been reached yet.
    void togglePick(int row, int column);
    // "Save Picks": writes the player's pick file.
    void savePicks();

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

    Pool& m_pool;
    Dialogs& m_dialogs;
    WeeklyPicksModel m_model;
    SeasonState m_state;
    PickTable m_picks{};
    int m_displayedWeek = 1;
    bool m_picksSaved = true;
};

} // namespace gs
