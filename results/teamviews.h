#pragma once

// The two team views of the main window: "Team Statistics" (the team list)
// and "PC's Team Ranking List" (the teams ranked by points scored over
// points allowed, and the teams' ratings). A click on a team in either opens the same detail box
// with the team's record, its opponents, its division and how often the
// logged-in user picked it; a click on an opponent shows their meetings.

#include "core/dialogs.h"
#include "core/grid.h"
#include "core/pool.h"
#include "core/season.h"
#include "stats/teamrecords.h"

#include <optional>
#include <string>
#include <vector>

namespace gs {

inline constexpr const char* kLastYearSuffix = ": Last Year";

struct TeamDetailModel {
    ControlModel frame; // the detail box; its caption is the team name
    ControlModel winsHeading{"Wins"};
    ControlModel lossesHeading{"Losses"};
    ControlModel tiesHeading{"Ties"};
    ControlModel pointsForHeading{"PF"};
    ControlModel pointsAgainstHeading{"PA"};
    ControlModel wins;
    ControlModel losses;
    ControlModel ties;
    ControlModel pointsFor;
    ControlModel pointsAgainst;
    ControlModel beatenHeading{"Teams Beaten"};
    ListModel beaten;
    ControlModel lostToHeading{"Teams Lost to"};
    ListModel lostTo;
    ControlModel remainingHeading{"Teams Remaining To Play"};
    ListModel remaining;          // "@" + name for an away game
    ControlModel divisionHeading; // the division's name + " Division"
    ListModel division;
    ControlModel pickedHeading{"Picked"};
    ControlModel pickedCount;
    ControlModel timesCaption{"times"};
    // One meeting or one remaining game; its caption names the game.
    ControlModel gameBox;
    ControlModel firstDate;   // or the remaining game's day name
    ControlModel firstResult; // or the remaining game's date
    ControlModel secondDate;
    ControlModel secondResult;
};

enum class OpponentList { Beaten, LostTo };

// The detail box of one team, shared by both views.
class TeamDetail {
public:
    TeamDetail(Pool& pool, Dialogs& dialogs) : m_pool(pool), m_dialogs(dialogs) {}

    void hide();
    // Recomputes the records from the games table and shows the team; the
    // picked count is taken from these picks.
    void showTeam(Team team, const PickTable& picks);
    // A click on an entry of the beaten or lost-to list: the meetings of
    // the shown team and that opponent.
    void showMeetings(OpponentList list, int index);
    // A click on an entry of the remaining list: that game's day and date.
    void showRemainingGame(int index);

    const TeamDetailModel& model() const { return m_model; }
    std::optional<Team> team() const { return m_team; }

private:
    void showControls(bool visible);
    // One line of the game box: a date (or day name) and a result (or date).
    struct GameLine {
        std::string date;
        std::string result;
    };
    void showGameBox(const std::string& heading, const GameLine& first, const GameLine& second);

    Pool& m_pool;
    Dialogs& m_dialogs;
    TeamDetailModel m_model;
    std::optional<Team> m_team; // none while hidden
    // The season and the lists on show, which a click on a list entry looks into.
    Season m_season;
    TeamLists m_lists;
};

// A team's place in the ranking: the ratio of points for to points against.
// A team that has allowed no points ranks above every team that has, by
// points scored; teams with equal measures keep league-table order.
std::vector<int> rankTeams(const TeamRecordTable& records);

// What both team views share: the detail box, and the logged-in user's
// picks whose count it shows.
class TeamDetailPanel {
public:
    void showMeetings(OpponentList list, int index) { m_detail.showMeetings(list, index); }
    void showRemainingGame(int index) { m_detail.showRemainingGame(index); }

    const TeamDetailModel& detail() const { return m_detail.model(); }

protected:
    TeamDetailPanel(Pool& pool, Dialogs& dialogs)
        : m_pool(pool), m_dialogs(dialogs), m_detail(pool, dialogs) {}

    // Reads the logged-in user's picks again; the pool takes that user's
    // order of the active players.
    void readOwnPicks();
    void showTeamDetail(Team team) { m_detail.showTeam(team, m_picks); }

    Pool& m_pool;
    Dialogs& m_dialogs;
    TeamDetail m_detail;
    PickTable m_picks{};
};

struct TeamStatisticsModel {
    ControlModel heading{"Team Statistics"};
    ControlModel hint{"Choose a team to see its record, its games and how often you picked it."};
    ListModel teams; // the 32 team names of the season, in alphabetical order
    bool visible = false;
};

class TeamStatisticsPanel : public TeamDetailPanel {
public:
    TeamStatisticsPanel(Pool& pool, Dialogs& dialogs) : TeamDetailPanel(pool, dialogs) {}

    // Opening: the team list with nothing selected, the detail box hidden.
    void open();
    // A click on entry `index` of the team list.
    void showTeam(int index);

    const TeamStatisticsModel& model() const { return m_model; }

private:
    TeamStatisticsModel m_model;
    std::vector<Team> m_listTeams; // the team of each entry of the list
};

// The columns of the ranking and the ratings, in twips: a team's column fits
// the longest name of any season ("Washington Football Team"), the others
// their headings, and both grids and the detail box a window 1024 pixels
// wide.
inline constexpr int kRankColumnTwips = 600;
inline constexpr int kTeamColumnTwips = 2100;
inline constexpr int kRatingColumnTwips = 650;
inline constexpr int kRecordColumnTwips = 700;

struct TeamRankingModel {
    GridModel ranking; // "Rank", "Team", "Record"; rows 1..32 best first
    ControlModel ratingsHeading{"Ratings"};
    // "Team", "Rating", "Record"; rows 1..32 best first, as the `ratings`
    // command prints them.
    GridModel ratings;
    bool visible = false;
};

class TeamRankingPanel : public TeamDetailPanel {
public:
    TeamRankingPanel(Pool& pool, Dialogs& dialogs) : TeamDetailPanel(pool, dialogs) {}

    // Opening: the records from the games table, ranked; and the ratings
    // after every scored game of the season dated before the pool's day.
    void open();
    // A click on a row of the ranking grid (row 0 is the header).
    void showTeamOfRow(int row);
    // A click on a row of the ratings grid (row 0 is the header).
    void showTeamOfRatingRow(int row);

    const TeamRankingModel& model() const { return m_model; }

private:
    void showRatings();

    TeamRankingModel m_model;
    std::vector<Team> m_rankedTeams; // the team of each ranking row 1..32, from row 1
    std::vector<Team> m_ratingTeams; // the team of each ratings row 1..32, from row 1
};

} // namespace gs
