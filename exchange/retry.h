#pragma once

// The bounded retry of an exchange step.
//
// A step that fails is tried again every second, at most kRetryTries times
// in all, so a server that stays down ends the operation with its error
// instead of keeping the window busy for ever. A malformed address ends at
// once, since trying again cannot help, and the person can cancel a wait.

#include "exchange/transport.h"

#include <functional>
#include <string>

namespace gs {

inline constexpr int kRetryTries = 10;
inline constexpr int kRetryPauseMilliseconds = 1000;

// Waits between tries; the window's version keeps itself responsive and
// reports a cancel, a test's version returns at once.
class RetryWait {
public:
    virtual ~RetryWait() = default;
    // Waits the given time; false when the wait was cancelled.
    virtual bool wait(int milliseconds) = 0;
};

// Waits by sleeping, for the command line, which has no window to keep
// responsive and nothing that cancels.
class SleepingWait final : public RetryWait {
public:
    bool wait(int milliseconds) override;
};

enum class StepEnd { Done, MalformedAddress, GaveUp, Cancelled };

struct StepResult {
    StepEnd end = StepEnd::Done;
    int tries = 0;
    // The step's last outcome.
    Outcome last;
    // For GaveUp: names the step and gives the last error.
    std::string message;
};

// Runs a step until it is done, the address is malformed, kRetryTries tries
// have failed or a wait is cancelled. beforeWait, when given, sees each
// failure before the wait that follows it.
StepResult runStep(const std::string& stepName, const std::function<Outcome()>& step,
                   RetryWait& wait,
                   const std::function<void(const Outcome&)>& beforeWait = nullptr);

} // namespace gs
