#pragma once

// The computer player PC: projected winners and spreads.

#include "core/pool.h"
#include "core/season.h"

namespace gs {

// Starts from the projection in the computer player's pick file and projects
// every game up to the end of the coming week that has none yet.
Projection projectTeams(const Pool& pool, const Season& season);

} // namespace gs
