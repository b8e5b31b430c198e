#pragma once

// Each team's record from the season's scored games, and the per-team lists
// and game lookups of the team views.

#include <string>
#include <vector>

namespace gs {

// Fills columns 1..5 of TeamRecords from SeasonGames and recounts
// ScoredGameCount; before the season's first score, last season's records.
void ComputeTeamRecords();

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
