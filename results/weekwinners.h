#pragma once

// The week's winners of the pool's season as every view shows them: the
// results board's "Week winner" rows, the weeks won in "User Statistics",
// the `winners` command and the "All-User Weekly Winners" export.

#include "core/pool.h"
#include "core/poolrules.h"
#include "core/season.h"
#include "stats/weeklywinners.h"

#include <map>
#include <string>
#include <vector>

namespace gs {

// A player's guesses and confidence values as the pool scores them: a
// person's from his file; a computer player's values from its projected
// margins in a confidence pool.
ExtrasTable scoringExtras(const Pool& pool, const Season& season, PoolRule rule,
                          const std::string& player);

// The active players (the pool order) as the ranking takes them.
std::vector<WinnerEntry> winnerEntries(const Pool& pool, const Season& season, PoolRule rule);

// The winners of every decided week of the season.
std::vector<WeekWinners> seasonWeekWinners(const Pool& pool, const Season& season);

// How many weeks each player won (a shared week counts for each).
std::map<std::string, int> weeksWon(const std::vector<WeekWinners>& weeks);

} // namespace gs
