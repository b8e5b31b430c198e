#include "latechange.h"

namespace gs {

PoolMoment momentNoLaterThan(std::chrono::sys_seconds instant, const PoolMoment& now,
                             const TimeZone& zone) {
    PoolMoment moment = PoolMoment::now(instant, zone);
    bool later = now.instant() ? instant >= *now.instant() : !(moment.day() < now.day());
    return later ? now : moment;
}

LateChangeMerge mergeLateChanges(const std::vector<Game>& games, const std::vector<GameValue>& held,
                                 const std::vector<GameValue>& received, const DownloadTimes& times,
                                 const TimeZone& zone) {
    auto valueAt = [](const std::vector<GameValue>& values, size_t g) {
        return g < values.size() ? values[g] : GameValue{};
    };
    PoolMoment sent = times.sent ? momentNoLaterThan(*times.sent, times.now, zone) : times.now;
    const std::optional<PoolMoment>& lastDownload = times.lastDownload;

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
