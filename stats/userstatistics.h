#pragma once

// The "User Statistics" panel: the week-by-week record of two chosen
// players and the season totals of every active player, best first, all
// scored against the final scores. The `standings` command prints the same
// totals.

#include "core/dialogs.h"
#include "core/grid.h"
#include "core/pool.h"
#include "core/season.h"

#include <string>
#include <vector>

namespace gs {

// 100 x correct / picked rounded to 4 places, halves to the even digit; 0
// when nothing was picked.
double percentOf(int correct, int picked);

// The same as the shortest decimal text: 66.6667, 62.5, 50, 0.7812.
std::string percentText(int correct, int picked);

struct PickCount {
    int correct = 0;
    int picked = 0;
};

// One complete week of a player's weekly table.
struct WeekStanding {
    int week = 0;
    int weekCorrect = 0;
    double weekPercent = 0;
    int correct = 0;    // weeks 1..week
    int picked = 0;     // weeks 1..week
    double overall = 0; // percentage of weeks 1..week
};

struct PickRecord {
    // The weeks whose last game is scored, in order; the week in progress
    // has no entry.
    std::vector<WeekStanding> weeks;
    // Every scored game up to the first one without a score.
    PickCount season;
};

// Scores a player's picks against the season's scored games: a game counts
// as picked when the player picked either of its teams, and as correct when
// the pick is its winner; a tie is picked but never correct.
PickRecord scorePicks(const Season& season, const PickTable& picks);

// A player's picks for a view of everybody's: a file that cannot be read
// shows as no picks, so that one damaged file does not stop the view.
PickTable picksForView(const Pool& pool, const std::string& player);

// One line of "All Active User Totals".
struct Standing {
    std::string player;
    PickCount count;
    double percent = 0;
};

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

    Pool& m_pool;
    Dialogs& m_dialogs;
    UserStatisticsModel m_model;
    Season m_season;
    std::vector<Standing> m_standings;
};

} // namespace gs
