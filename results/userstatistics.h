#pragma once

// The "User Statistics" panel: the week-by-week record of two chosen
// players and the season totals of every active player, best first, all
// scored against the final scores. The `standings` command prints the same
// totals.

#include "core/dialogs.h"
#include "core/grid.h"
#include "core/pool.h"
#include "core/poolrules.h"
#include "core/season.h"
#include "results/viewdata.h"
#include "stats/pickscoring.h"

#include <string>
#include <vector>

namespace gs {

// Every active player's season totals, best first; players with equal
// percentages keep the pool order. In a confidence pool, by points first.
std::vector<Standing> activeStandings(const Pool& pool, const Season& season);

inline constexpr const char* kStandingsCaption = "All Active User Totals";

// What opening "User Statistics" works out, which the `standings` command
// prints as well, so that the two never tell different figures.
struct UserStatistics {
    Season season;
    PickTable ownPicks;      // the logged-in user's
    PickTable computerPicks; // PC's, as the projection brought them up to date
    std::vector<Standing> standings;
    PoolRule rule = PoolRule::Winners;
    // What went wrong on the way, what the computer players' update has to
    // say, and its warnings, to be told in that order.
    std::vector<std::string> errors;
    std::string notice;
    std::vector<std::string> warnings;
};

// Reads the season's games and the user list again (the season in force
// stays), the logged-in user's picks and with them his pool order; brings the
// computer players' picks up to date before they are compared with anybody's;
// then ranks every active player. Whatever could not be read or saved leaves
// that part empty and is handed back in `errors`.
UserStatistics computeUserStatistics(Pool& pool);

// Tells what computeUserStatistics came across.
void tellStatisticsProblems(const UserStatistics& statistics, Dialogs& dialogs);

// The totals as the panel's grid shows them, with the header row; in a
// confidence pool with the points.
GridModel standingsGrid(const std::vector<Standing>& standings, PoolRule rule = PoolRule::Winners);

// The panel's totals column of the weeks each player won.
inline constexpr const char* kWeeksWonHeader = "Weeks Won";

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
    int seasonWeeks = kWeeks; // the chart's weeks
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
    void showTotals(const std::vector<Standing>& standings, PoolRule rule);
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
