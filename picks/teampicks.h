#pragma once

// Picking without the window: the `pick` command's teams of one week made
// the player's picks, and the week's games with the player's picks as CSV.
// The same lock rule as the weekly grid (Game::lockedAt at the pool's
// moment) decides which games may still change.

#include "core/game.h"
#include "core/pool.h"
#include "core/result.h"
#include "core/season.h"
#include "schedule/pickextras.h"

#include <optional>
#include <string>
#include <vector>

namespace gs {

// One word of the command read: the game of the week it picks (its place
// in the season's games) and the team picked.
struct TeamPick {
    int game = -1;
    Team team;
};

// Reads the words naming the teams a player picks in week `week`: each a
// team by the abbreviation the grid and the exports show, its name in any
// season, or its code in the community games file (any letter case). The
// one reader of these words. Refused, naming the word or the game, for an
// unknown team, a team without a game that week, and two teams of one game.
Result<std::vector<TeamPick>> readTeamPicks(const std::vector<std::string>& words,
                                            const Season& season, int week);

// Makes each team the player's pick in its game of the week; every other
// pick stays. Refused as a whole, nothing saved, for what readTeamPicks
// refuses and for a game locked at the pool's moment, naming it; a week
// outside the season and a computer player are refused too. The pick file
// is saved as the window saves it (savePicksOver).
Status pickTeams(Pool& pool, const std::string& player, int week,
                 const std::vector<std::string>& words);

// The player's guesses and confidence values with the week's changed: each
// "TEAM:POINTS" word gives the game of TEAM the confidence POINTS (1..N, N
// the week's games; a game that held a value given here takes the old value
// of the game it went to), and `guess` (when given) is the total points of
// the week's last game (0..999; empty removes the guess). Refused, nothing
// changed, for a locked game, a value out of range or given twice, and what
// readTeamPicks refuses. Each word is left as its team alone, for pickTeams.
Result<ExtrasTable> changeWeekExtras(const Pool& pool, const std::string& player, int week,
                                     std::vector<std::string>& words,
                                     const std::optional<std::string>& guess);

// The week's games with the player's picks: "Date,Kickoff,Visitor,Home,
// Pick,Locked", then a line a game in table order with the date, kickoff
// (Eastern time as stored), names as `games` prints them, the picked team's
// abbreviation (empty for none) and whether it is locked at the pool's
// moment ("yes"/"no"); last "Tiebreaker,POINTS" (empty without a guess).
Result<std::vector<std::string>> weekPickLines(const Pool& pool, const std::string& player,
                                               int week);

} // namespace gs
