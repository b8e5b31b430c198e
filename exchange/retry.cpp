#include "retry.h"

#include <thread>

namespace gs {

namespace {

std::string withCode(const Outcome& outcome) {
    return outcome.text + " (error " + std::to_string(outcome.code) + ")";
}

} // namespace

bool SleepingWait::wait(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    return true;
}

StepResult runStep(const std::string& stepName, const std::function<Outcome(SteadyTime)>& step,
                   RetryWait& wait, const ExchangeLimits& limits,
                   const std::function<void(const Outcome&)>& beforeWait, const SteadyClock& now) {
    StepResult result;
    const SteadyTime deadline = now() + limits.stepCap;
    while (true) {
        result.last = step(deadline);
        ++result.tries;
        switch (result.last.kind) {
        case OutcomeKind::Done:
            result.end = StepEnd::Done;
            return result;
        case OutcomeKind::MalformedAddress:
            result.end = StepEnd::MalformedAddress;
            return result;
        case OutcomeKind::Refused:
            result.end = StepEnd::GaveUp;
            result.message = stepName + " failed: " + withCode(result.last);
            return result;
        case OutcomeKind::Failure:
            break;
        }
        if (result.tries >= limits.tries) {
            result.end = StepEnd::GaveUp;
            result.message = stepName + " failed after " + std::to_string(result.tries) +
                             " tries: " + withCode(result.last);
            return result;
        }
        // Another try that would start after the pause has no time left.
        if (now() + limits.retryPause >= deadline) {
            result.end = StepEnd::GaveUp;
            result.message = stepName + " gave up after " + std::to_string(limits.stepCap.count()) +
                             " seconds and " + std::to_string(result.tries) +
                             (result.tries == 1 ? " try: " : " tries: ") + withCode(result.last);
            return result;
        }
        if (beforeWait)
            beforeWait(result.last);
        if (!wait.wait(static_cast<int>(limits.retryPause.count()))) {
            result.end = StepEnd::Cancelled;
            return result;
        }
    }
}

} // namespace gs
