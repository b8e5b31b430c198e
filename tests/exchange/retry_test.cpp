#include "exchange/retry.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace gs {
namespace {

using std::chrono::seconds;

// Notes every wait in the trace and lets the next try go.
class NotingWait : public RetryWait {
public:
    explicit NotingWait(std::string& trace) : trace(trace) {}
    bool wait(int milliseconds) override {
        trace += "wait " + std::to_string(milliseconds) + " ";
        return true;
    }
    std::string& trace;
};

// What a test changes of the limits and the clock.
struct Setting {
    int tries = 10;
    int pause = 1000;   // milliseconds
    seconds tryTime{0}; // how long each try takes on the clock
};

// Runs the step "Listing", which answers from a script and repeats its last
// answer, on a clock that moves only when a try takes time. The trace: each
// try with the deadline it was given (seconds on the clock), each failure
// seen before its wait, each wait, then the end.
std::string trace(const std::vector<Outcome>& answers, const Setting& setting = {}) {
    std::string trace;
    NotingWait wait(trace);
    ExchangeLimits limits{.retryPause = std::chrono::milliseconds(setting.pause),
                          .tries = setting.tries};
    SteadyTime clock{};
    size_t tries = 0;
    auto step = [&](SteadyTime deadline) {
        trace += "try@" + std::to_string((deadline - SteadyTime{}) / seconds(1)) + " ";
        clock += setting.tryTime;
        return answers[std::min(tries++, answers.size() - 1)];
    };
    auto seen = [&](const Outcome& failed) {
        trace += "seen " + std::to_string(failed.code) + " ";
    };
    StepResult result = runStep("Listing", step, wait, limits, seen, [&] { return clock; });
    const char* ends[] = {"Done", "MalformedAddress", "GaveUp", "Cancelled"};
    trace += "-> " + std::string(ends[static_cast<int>(result.end)]) + " after " +
             std::to_string(result.tries);
    const std::string& said = result.message.empty() ? result.last.text : result.message;
    return said.empty() ? trace : trace + ": " + said;
}

const Outcome kRefused = Outcome::failure(7, "Connection refused");

TEST(RetryRule, TheLimitsSetTheTriesAndThePauseAndTheLastErrorIsNamed) {
    EXPECT_EQ(trace({kRefused, kRefused, Outcome::failure(78, "Server denied the file")},
                    {.tries = 3, .pause = 5}),
              "try@45 seen 7 wait 5 try@45 seen 7 wait 5 try@45 -> GaveUp after 3: Listing failed "
              "after 3 tries: Server denied the file (error 78)");
}

TEST(RetryRule, ARefusalStopsAtOnce) {
    EXPECT_EQ(
        trace({Outcome::refused(67, "The server refused the login of ann"), Outcome::done()}),
        "try@45 -> GaveUp after 1: Listing failed: The server refused the login of ann (error 67)");
}

TEST(RetryRule, AllTriesTogetherEndWithinTheCap) {
    // Tries that each stall for 20 s: the third ends past the 45 s cap.
    EXPECT_EQ(
        trace({Outcome::failure(28, "The server stopped answering")}, {.tryTime = seconds(20)}),
        "try@45 seen 28 wait 1000 try@45 seen 28 wait 1000 try@45 -> GaveUp after 3: Listing gave "
        "up after 45 seconds and 3 tries: The server stopped answering (error 28)");
}

} // namespace
} // namespace gs
