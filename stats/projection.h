#pragma once

// The computer player PC: projected winners and spreads.

#include "core/pool.h"
#include "core/season.h"

#include <vector>

namespace gs {

// The first game row after the coming week: the computer players project
// every game before it. The coming week is the week of row n, n being the
// number of scored games (scores are entered in order), and its end is
// looked for within 20 rows of it.
int comingWeekEnd(const std::vector<Game>& games);

// Starts from the projection in the computer player's pick file and projects
// every game up to the end of the coming week that has none yet.
Projection projectTeams(const Pool& pool, const Season& season);

} // namespace gs
