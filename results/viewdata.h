#pragma once

// What the views of everybody's picks read when they open: the season's
// games, the logged-in user's picks and any player's picks. A view opens
// with whatever could be read; what could not is handed back to be shown.

#include "core/pool.h"
#include "core/season.h"

#include <string>
#include <vector>

namespace gs {

// The season's games; none, and the reason added to `errors`, when the
// games table cannot be read.
Season seasonForView(const Pool& pool, std::vector<std::string>& errors);

// The logged-in user's picks; the pool takes that user's order of the active
// players. A file that cannot be read gives no picks, its reason added to
// `errors`.
PickTable ownPicksForView(Pool& pool, std::vector<std::string>& errors);

// A player's picks for a view of everybody's: a file that cannot be read
// shows as no picks, so that one damaged file does not stop the view.
PickTable picksForView(const Pool& pool, const std::string& player);

} // namespace gs
