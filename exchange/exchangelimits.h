#pragma once

// How long the exchange waits on the shared place, how often it tries again
// and how much it takes from it. One value, so that a test can shorten every
// wait instead of sitting through it.

#include <chrono>
#include <cstdint>

namespace gs {

using SteadyTime = std::chrono::steady_clock::time_point;

struct ExchangeLimits {
    // A server that has not let us in by then (connection, greeting and
    // login) is taken for down.
    std::chrono::seconds connect{5};
    // A transfer that moves nothing, or a command left unanswered, for this
    // long has stalled.
    std::chrono::seconds stall{20};
    // One step of an operation, all its tries and pauses together: a server
    // that stalls again and again, or sends a byte a second, still lets the
    // exchange go within this, well within a minute.
    std::chrono::seconds stepCap{45};
    // The pause between two tries of a step.
    std::chrono::milliseconds retryPause{1000};
    // The most tries of one step.
    int tries = 10;
    // A fetched file larger than this is refused: no pick file, games table
    // or user list comes near it, so a larger one is a server's mistake or
    // malice, and it must not fill the disk.
    std::uint64_t fetchBytes = 4 * 1024 * 1024;
};

} // namespace gs
