#pragma once

// Each team's record from the season's scored games, and the per-team lists
// and game lookups of the team views.

#include "core/pool.h"
#include "core/season.h"

#include <optional>
#include <string>
#include <vector>

namespace gs {

// Columns 1..5 of every team's record from the season's scored games;
// before the season's first score, last season's final records.
TeamRecordTable computeTeamRecords(const Pool& pool, const Season& season);

// Adds rows 0..(number of scored games) of a season to columns 1..5 of the
// records, as computeTeamRecords does, and returns that number of scored
// games. Columns 1..5 are not cleared first.
int addSeasonResults(const std::vector<Game>& games, TeamRecordTable& records);

// Sets columns 1..5 of the records to the final records of a season: from
// its old-scores file; when that is missing and every game the games table
// holds for the season is scored, computed from those games (and the file is
// written for next time); otherwise all 0. True when records were found.
bool loadLastSeasonRecords(const Pool& pool, int year, TeamRecordTable& records);

struct TeamLists {
    std::vector<Team> beaten;
    std::vector<Team> lostTo;
    std::vector<Game> remaining; // in season order
    std::vector<Team> division;
    int pickedCount = 0;
};

// A team's beaten, lost-to and remaining opponents in the season, its
// division, and how often the player's picks chose it.
TeamLists teamGameLists(const Season& season, const PickTable& picks, Team team);

struct HeadToHeadResult {
    std::string heading;
    std::string firstDate, firstResult;
    std::string secondDate, secondResult;
};

// The season's meetings of two teams: the first one, and the last later
// one among the season's scored count of games.
HeadToHeadResult headToHead(const Season& season, Team team, Team opponent);

// The season's last game with this visitor and home team.
std::optional<Game> findScheduledGame(const Season& season, Team visitor, Team home);

} // namespace gs
