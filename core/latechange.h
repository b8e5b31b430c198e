#pragma once

// Whether a change another machine made to a player's values reaches this
// machine. A player's file (his picks, or any other value he gives each game)
// comes in again at every download; a value that differs from the one this
// machine holds is taken only while its game was still open:
// - a game that had kicked off when this machine last downloaded the file
//   keeps the held value, whatever the file's time says;
// - a game that kicked off since takes the new value only when the file was
//   sent before its kickoff;
// - in a file seen for the first time, a game that had kicked off when it
//   was sent keeps the held value (none, mostly).
// The download's time is the pool's moment: the clock in a live pool, the
// administrator's fixed day in a pool played over again. A file time later
// than that (a clock running ahead, a file sent after the fixed day) counts
// as that moment, and so does a file whose time the shared place does not
// tell.

#include "game.h"
#include "kickoff.h"

#include <chrono>
#include <cstddef>
#include <optional>
#include <vector>

namespace gs {

// What a player gives one game (a pick, a confidence, ...); none for
// nothing.
using GameValue = std::optional<int>;

// When a file came in: the pool's moment when this machine last downloaded
// it (none: never), when it was sent (none: not told), and the pool's
// moment now.
struct DownloadTimes {
    std::optional<PoolMoment> lastDownload;
    std::optional<std::chrono::sys_seconds> sent;
    PoolMoment now;
};

// A value not taken: the game (its index in the games) and the value kept.
struct RefusedChange {
    size_t game = 0;
    GameValue kept;
};

struct LateChangeMerge {
    std::vector<GameValue> values; // one for each game
    std::vector<RefusedChange> refused;
};

// The moment of an instant in the zone, or `now` when the instant is not
// before it. A fixed day stands for its start: any instant of the day or
// after it is no earlier.
PoolMoment momentNoLaterThan(std::chrono::sys_seconds instant, const PoolMoment& now,
                             const TimeZone& zone);

// Merges the received values into the held ones, game by game (both in the
// order of `games`; a missing entry is none). Whether a game had kicked off
// at a moment is Game::lockedAt; the file's time is read in `zone`, the
// machine's.
LateChangeMerge mergeLateChanges(const std::vector<Game>& games, const std::vector<GameValue>& held,
                                 const std::vector<GameValue>& received, const DownloadTimes& times,
                                 const TimeZone& zone);

} // namespace gs
