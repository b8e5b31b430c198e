#pragma once

// The "User Statistics" panel: the week-by-week record of two chosen
// players and the season totals of every active player, best first, all
// scored against the final scores. The `standings` command prints the same
// totals.

#include "core/dialogs.h"
#include "core/grid.h"
#include "core/pool.h"
#include "core/season.h"
#include "results/viewdata.h"
#include "stats/pickscoring.h"

#include <string>
#include <vector>

namespace gs {

// Every active player's season totals, best first; players with equal
// percentages keep the order of the "Active Players" list.
std::vector<Standing> activeStandings(const Pool& pool, const Season& season);

inline constexpr const char* kStandingsCaption = "All Active User Totals";

struct UserStatisticsModel {
    ControlModel heading{"User and PC Correct Pick Totals"};
    ControlModel totalsCaption{kStandingsCaption};
    ListModel leftPlayers; // the player of the left grid
    ListModel rightPlayers;
    GridModel leftGrid;
    GridModel rightGrid;
    GridModel totalsGrid;
    int totalsHeight = 0; // twips
    // Whose weeks each side shows, for the "% Overall" chart.
    std::string leftPlayer;
    std::string rightPlayer;
    std::vector<WeekStanding> leftWeeks;
    std::vector<WeekStanding> rightWeeks;
    bool visible = false;
};

class UserStatisticsPanel {
public:
    UserStatisticsPanel(Pool& pool, Dialogs& dialogs) : m_pool(pool), m_dialogs(dialogs) {}

    // Opening: the season's games, the computer player's picks brought up to
    // date, the logged-in user on the left, PC on the right, and the totals.
    void open();
    // Choosing an entry of the left or right player list.
    void chooseLeftPlayer(int index);
    void chooseRightPlayer(int index);

    const UserStatisticsModel& model() const { return m_model; }
    // The totals as the grid shows them, best first.
    const std::vector<Standing>& standings() const { return m_standings; }

private:
    void fillPlayerLists();
    void showWeeks(GridModel& grid, std::vector<WeekStanding>& shown, const PickTable& picks);
    void showTotals();
    // Choosing an entry of one side's list shows that player's weeks.
    void choosePlayer(ListModel& list, std::string& player, GridModel& grid,
                      std::vector<WeekStanding>& shown, int index);

    Pool& m_pool;
    Dialogs& m_dialogs;
    UserStatisticsModel m_model;
    Season m_season;
    std::vector<Standing> m_standings;
};

} // namespace gs
