#pragma once

// A pool on the bundled games table (2010 scored through 11/02/2010) with a
// user list of active players and their pick files, for the views that show
// everybody's picks.

#include "core/season.h"
#include "tests/support/poolbuilder.h"

#include <string>
#include <vector>

namespace gs::test {

// Writes the user list: admin, PC, then these players, all active, in this
// order; loads it as `current`, who counts as logged in.
void writeUserList(Pool& pool, const std::vector<std::string>& players,
                   const std::string& current = "admin");

struct ResultsPool : PoolBuilder {
    ResultsPool() { bundledGames(); }
};

// The 2010 season as the bundled table holds it.
inline Season bundled2010() {
    return csvSeason(2010, "11/02/2010");
}

enum class Side { Visitor, Home, Winner, Loser };

// Adds the pick of one game's side to the picks.
void pickGame(PickTable& picks, const Season& season, int game, Side side);

// Picks the given side of every game of the weeks first..last.
PickTable sidePicks(const Season& season, Side side, int first, int last);

} // namespace gs::test
