#include "retry.h"

#include <chrono>
#include <thread>

namespace gs {

bool SleepingWait::wait(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    return true;
}

StepResult runStep(const std::string& stepName, const std::function<Outcome()>& step,
                   RetryWait& wait, const std::function<void(const Outcome&)>& beforeWait) {
    StepResult result;
    while (true) {
        result.last = step();
        ++result.tries;
        switch (result.last.kind) {
        case OutcomeKind::Done:
            result.end = StepEnd::Done;
            return result;
        case OutcomeKind::MalformedAddress:
            result.end = StepEnd::MalformedAddress;
            return result;
        case OutcomeKind::Failure:
            break;
        }
        if (result.tries >= kRetryTries) {
            result.end = StepEnd::GaveUp;
            result.message = stepName + " failed after " + std::to_string(result.tries) +
                             " tries: " + result.last.text + " (error " +
                             std::to_string(result.last.code) + ")";
            return result;
        }
        if (beforeWait)
            beforeWait(result.last);
        if (!wait.wait(kRetryPauseMilliseconds)) {
            result.end = StepEnd::Cancelled;
            return result;
        }
    }
}

} // namespace gs
