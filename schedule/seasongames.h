#pragma once

// The current season's games, read from the games table.

#include <string>

namespace gs {

// Fills SeasonGames with the records whose numeric Year equals SeasonYear,
// in table order, and counts the scored ones in ScoredGameCount. When the
// table cannot be read the person is told, SeasonGames is left empty and the
// result is false.
bool RebuildSeasonGames();

// Creates the games table from the bundled seasons when ProgramFolder has
// none. Returns false (and tells the person) when it cannot be created.
bool ensureGamesTable();

} // namespace gs
