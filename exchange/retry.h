#pragma once

// The bounded retry of an exchange step.
//
// A step that fails is tried again after a pause, a bounded number of times
// and within a bounded time (ExchangeLimits), so a server that stays down or
// keeps stalling ends the operation with its error instead of keeping the
// window busy for ever. A malformed address or a refusal ends at once, since
// trying again cannot help, and the person can cancel a wait.

#include "exchange/exchangelimits.h"
#include "exchange/transport.h"

#include <functional>
#include <string>

namespace gs {

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

using SteadyClock = std::function<SteadyTime()>;

enum class StepEnd { Done, MalformedAddress, GaveUp, Cancelled };

struct StepResult {
    StepEnd end = StepEnd::Done;
    int tries = 0;
    // The step's last outcome.
    Outcome last;
    // For GaveUp: names the step and gives the last error.
    std::string message;
};

// Runs a step until it is done, the address is malformed, the step is
// refused, limits.tries tries have failed, the time limits.stepCap has run
// out or a wait is cancelled. Each try is given the time by which the whole
// step must end. beforeWait, when given, sees each failure before the wait
// that follows it.
StepResult runStep(const std::string& stepName, const std::function<Outcome(SteadyTime)>& step,
                   RetryWait& wait, const ExchangeLimits& limits,
                   const std::function<void(const Outcome&)>& beforeWait = nullptr,
                   const SteadyClock& now = std::chrono::steady_clock::now);

} // namespace gs
