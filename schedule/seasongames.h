#pragma once

// The games, read from the games table: the one place where a stored
// record becomes a Game.

#include "core/pool.h"
#include "core/result.h"
#include "core/season.h"
#include "schedule/gamesdb.h"

#include <memory>
#include <vector>

namespace gs {

// The games of the pool's season, in table order, with their scored count.
// A missing games table is first created from the bundled seasons.
Result<Season> rebuildSeasonGames(const Pool& pool);

// Every game of the games table, of every season, in table order; a missing
// table is first created from the bundled seasons. A record that holds no
// game fails the whole read, naming the record: the views would otherwise
// count and show a table other than the one on disk.
Result<std::vector<Game>> readGames(const Pool& pool);

// Every record of the games table, of every season, in table order; a
// missing table is first created from the bundled seasons.
Result<std::vector<GameRecord>> readGameRecords(const Pool& pool);

// The games the records hold, in their order; fails (Malformed) at the first
// record that holds none, naming it ("record 12: unknown team ...").
Result<std::vector<Game>> gamesOf(const std::vector<GameRecord>& records);

// Creates the games table from the bundled seasons when the program folder
// has none, and completes or undoes an import that a kill interrupted
// (importjournal.h).
Status ensureGamesTable(const Pool& pool);

// Builds the bundled seasons beside the games table's place and installs
// them only where no table stands: a table another copy of the program
// installed or filled meanwhile is kept as it is.
Status installBundledTable(const Pool& pool);

// Opens the pool's games table, creating it from the bundled seasons first
// when it is missing.
Result<std::unique_ptr<GamesTable>> openGamesTable(const Pool& pool);

// The season's games as the games table holds them now, for a lookup that
// must not create a missing table: none when there is no table, or none
// that can be read.
std::vector<Game> storedSeasonGames(const Pool& pool, int year);

// The season's games among the games, in their order, and its shape.
Season seasonOf(const std::vector<Game>& games, int year);

// The seasons the games table holds, newest first.
Result<std::vector<int>> seasonsInTable(const Pool& pool);

// Done when the games table holds the season; otherwise says which seasons
// it does hold.
Status checkSeasonHeld(const Pool& pool, int year);

} // namespace gs
