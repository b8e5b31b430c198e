#pragma once

// Each team's record from the season's scored games, and the per-team lists
// and game lookups of the team views.

#include "core/pool.h"
#include "core/season.h"

#include <string>
#include <vector>

namespace gs {

// Columns 1..5 of every team's record from the season's scored games;
// before the season's first score, last season's final records.
TeamRecordTable computeTeamRecords(const Pool& pool, const Season& season);

// Adds rows 0..(number of scored games) of a season to columns 1..5 of the
// records, as computeTeamRecords does, and returns that number of scored
// games. Columns 1..5 are not cleared first.
int addSeasonResults(const std::vector<SeasonGame>& games, TeamRecordTable& records);

// Sets columns 1..5 of the records to the final records of a season: from
// its old-scores file; when that is missing and every game the games table
// holds for the season is scored, computed from those games (and the file is
// written for next time); otherwise all 0. True when records were found.
bool loadLastSeasonRecords(const Pool& pool, int year, TeamRecordTable& records);

struct TeamLists {
    std::vector<std::string> beaten;
    std::vector<std::string> lostTo;
    std::vector<std::string> remaining; // "@" + name for away games
    std::vector<std::string> division;
    int pickedCount = 0;
};

// A team's beaten, lost-to and remaining opponents in the season, its
// division, and how often the player's picks chose it.
TeamLists teamGameLists(const Season& season, const PickTable& picks, int team);

struct HeadToHeadResult {
    std::string heading;
    std::string firstDate, firstResult;
    std::string secondDate, secondResult;
};

// The season's meetings of two teams, from the games table.
HeadToHeadResult headToHead(const Pool& pool, int scoredGameCount, const std::string& team,
                            const std::string& opponent);

struct ScheduledGame {
    std::string heading;
    std::string dayName;
    std::string date;
};

// The season's game of a team against a remaining opponent ("@" + name for
// an away game), from the games table.
ScheduledGame findScheduledGame(const Pool& pool, const std::string& team,
                                const std::string& entry);

} // namespace gs
