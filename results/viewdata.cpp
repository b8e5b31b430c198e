#include "viewdata.h"

#include "schedule/pickfiles.h"
#include "schedule/seasongames.h"

namespace gs {

Season seasonForView(const Pool& pool, std::vector<std::string>& errors) {
    Result<Season> season = rebuildSeasonGames(pool);
    if (!season) {
        errors.push_back(season.error().message);
        return Season{};
    }
    return std::move(*season);
}

PickTable ownPicksForView(Pool& pool, std::vector<std::string>& errors) {
    Result<PlayerPicks> own = loadPicks(pool, pool.currentUser());
    if (!own) {
        errors.push_back(own.error().message);
        return PickTable{};
    }
    pool.setSavedPoolOrder(own->activeOrder);
    return own->picks;
}

PickTable picksForView(const Pool& pool, const std::string& player) {
    Result<PlayerPicks> loaded = loadPicks(pool, player);
    return loaded ? loaded->picks : PickTable{};
}

} // namespace gs
