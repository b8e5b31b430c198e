#pragma once

// Each team's record from the season's scored games, and the per-team lists
// and game lookups of the team views.

#include "core/state.h"

#include <string>
#include <vector>

namespace gs {

// Fills columns 1..5 of TeamRecords from SeasonGames and recounts
// ScoredGameCount; before the season's first score, last season's records.
void ComputeTeamRecords();

// Adds rows 0..(number of scored games) of a season to columns 1..5 of the
// records, as ComputeTeamRecords does, and returns that number of scored
// games. Columns 1..5 are not cleared first.
int addSeasonResults(const std::vector<SeasonGame>& games, TeamRecordTable& records);

// Sets columns 1..5 of TeamRecords to the final records of a season: from
// its old-scores file; when that is missing and every game the games table
// holds for the season is scored, computed from those games (and the file is
// written for next time); otherwise all 0. True when records were found.
bool loadLastSeasonRecords(int year);

struct TeamLists {
    std::vector<std::string> beaten;
    std::vector<std::string> lostTo;
    std::vector<std::string> remaining; // "@" + name for away games
    std::vector<std::string> division;
    int pickedCount = 0;
};

TeamLists TeamGameLists(int team);

struct HeadToHeadResult {
    std::string heading;
    std::string firstDate, firstResult;
    std::string secondDate, secondResult;
};

HeadToHeadResult HeadToHead(const std::string& team, const std::string& opponent);

struct ScheduledGame {
    std::string heading;
    std::string dayName;
    std::string date;
};

ScheduledGame FindScheduledGame(const std::string& team, const std::string& entry);

} // namespace gs
