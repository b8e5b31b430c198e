#include "latechange.h"

#include <algorithm>

namespace gs {

LateChangeMerge mergeLateChanges(const std::vector<Game>& games, const std::vector<GameValue>& held,
                                 const std::vector<GameValue>& received, const DownloadTimes& times,
                                 const TimeZone& zone) {
    auto valueAt = [](const std::vector<GameValue>& values, size_t g) {
        return g < values.size() ? values[g] : GameValue{};
    };
    std::optional<PoolMoment> lastDownload;
    if (times.lastDownload)
        lastDownload = PoolMoment::now(*times.lastDownload, zone);
    PoolMoment sent = PoolMoment::now(std::min(times.sent, times.now), zone);

    LateChangeMerge merge;
    merge.values.reserve(games.size());
    for (size_t g = 0; g < games.size(); ++g) {
        GameValue kept = valueAt(held, g);
        GameValue offered = valueAt(received, g);
        bool late = games[g].lockedAt(sent) || (lastDownload && games[g].lockedAt(*lastDownload));
        if (offered == kept || !late) {
            merge.values.push_back(offered);
            continue;
        }
        merge.values.push_back(kept);
        merge.refused.push_back({g, kept});
    }
    return merge;
}

} // namespace gs
