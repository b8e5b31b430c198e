#pragma once

// The advisory lock over a pool's shared data files.
//
// Two copies of the program (a window and a script, or two scripts) may
// change the same files at once. Every read-modify-write of the user list,
// a preference file, a pick file or the games table holds this lock from
// the read to the rename, so that a second writer waits, then reads what
// the first one wrote, instead of writing its stale copy over it.

#include "result.h"

#include <chrono>
#include <filesystem>
#include <memory>

namespace gs {

class Pool;
struct PoolLockState;

// The lock file in the data folder; it is never replaced, since a lock
// held on a file that was renamed over would no longer exclude anybody.
inline constexpr const char* kLockFileName = ".gridslate.lock";

// How long a writer waits for another one before it gives up.
inline constexpr std::chrono::milliseconds kLockWait{10000};

inline constexpr const char* kPoolBusyMessage =
    "The pool's files are busy: another copy of Gridslate is changing them. Try again in a "
    "moment.";

// Holds the lock until it is destroyed or released.
class PoolLock {
public:
    PoolLock() = default;
    PoolLock(PoolLock&& other) noexcept : m_state(std::move(other.m_state)) {}
    PoolLock& operator=(PoolLock&& other) noexcept;
    PoolLock(const PoolLock&) = delete;
    PoolLock& operator=(const PoolLock&) = delete;
    ~PoolLock() { release(); }

    void release();

private:
    friend Result<PoolLock> lockPoolFiles(const Pool& pool, std::chrono::milliseconds wait);
    explicit PoolLock(std::shared_ptr<PoolLockState> state) : m_state(std::move(state)) {}
    std::shared_ptr<PoolLockState> m_state;
};

// Takes the lock of the pool's data folder (creating the folder when it is
// missing), waiting at most `wait` for another program that holds it; then
// fails with kPoolBusyMessage. Taking it again while this program holds it
// succeeds at once.
Result<PoolLock> lockPoolFiles(const Pool& pool, std::chrono::milliseconds wait = kLockWait);

} // namespace gs
