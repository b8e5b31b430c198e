#include "exchange/retry.h"

#include <algorithm>
#include <deque>
#include <gtest/gtest.h>

namespace gs {
namespace {

// Records every wait and answers from a script (not cancelled when it runs dry).
class FakeWait : public RetryWait {
public:
    bool wait(int milliseconds) override {
        waits.push_back(milliseconds);
        events->push_back("wait");
        if (answers.empty())
            return true;
        bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::vector<int> waits;
    std::deque<bool> answers;
    std::vector<std::string>* events = nullptr;
};

class RetryRule : public testing::Test {
protected:
    RetryRule() { wait.events = &events; }

    // A step that answers from a script and repeats its last answer; each
    // try takes tryTime on the clock, and notes the deadline it was given.
    std::function<Outcome(SteadyTime)> scripted(std::vector<Outcome> answers) {
        return [this, answers](SteadyTime deadline) {
            events.push_back("try");
            deadlines.push_back(deadline);
            clock += tryTime;
            size_t index = std::min(tries++, answers.size() - 1);
            return answers[index];
        };
    }
    StepResult run(const std::string& name, std::vector<Outcome> answers,
                   const std::function<void(const Outcome&)>& seen = nullptr) {
        return runStep(name, scripted(std::move(answers)), wait, limits, seen,
                       [this] { return clock; });
    }

    const Outcome refused = Outcome::failure(7, "Connection refused");
    ExchangeLimits limits;
    FakeWait wait;
    std::vector<std::string> events;
    size_t tries = 0;
    // A clock that moves only when a try takes time, never on its own.
    SteadyTime clock{};
    std::chrono::seconds tryTime{0};
    std::vector<SteadyTime> deadlines;
};

TEST_F(RetryRule, AFailingStepIsTriedAgainEverySecondUntilDone) {
    auto seen = [this](const Outcome& failure) {
        events.push_back("seen " + std::to_string(failure.code));
    };
    StepResult result = run("Listing", {refused, refused, Outcome::done()}, seen);
    EXPECT_EQ(result.end, StepEnd::Done);
    EXPECT_EQ(result.tries, 3);
    EXPECT_EQ(wait.waits, (std::vector<int>{1000, 1000}));
    // Each failure is seen before its wait.
    EXPECT_EQ(events,
              (std::vector<std::string>{"try", "seen 7", "wait", "try", "seen 7", "wait", "try"}));
}

TEST_F(RetryRule, GivesUpAfterTenTriesNamingTheStepAndTheLastError) {
    Outcome last = Outcome::failure(78, "Server denied the file");
    std::vector<Outcome> answers(9, refused);
    answers.push_back(last);
    answers.push_back(Outcome::done()); // never reached
    StepResult result = run("Fetching Al2010.dat", answers);
    EXPECT_EQ(result.end, StepEnd::GaveUp);
    EXPECT_EQ(result.tries, 10);
    EXPECT_EQ(wait.waits.size(), 9u);
    EXPECT_EQ(result.last.code, 78);
    EXPECT_EQ(result.message,
              "Fetching Al2010.dat failed after 10 tries: Server denied the file (error 78)");
}

TEST_F(RetryRule, ACancelledWaitStopsWithoutAnotherTry) {
    wait.answers = {true, false};
    StepResult result = run("Listing", {refused});
    EXPECT_EQ(result.end, StepEnd::Cancelled);
    EXPECT_EQ(result.tries, 2);
    EXPECT_EQ(events, (std::vector<std::string>{"try", "wait", "try", "wait"}));
}

TEST_F(RetryRule, AMalformedAddressOrARefusalStopsAtOnce) {
    StepResult malformed = run("Listing", {Outcome::malformedAddress("No host"), Outcome::done()});
    EXPECT_EQ(malformed.end, StepEnd::MalformedAddress);
    EXPECT_EQ(malformed.last.text, "No host");
    tries = 0;
    StepResult refusal = run(
        "Listing", {Outcome::refused(67, "The server refused the login of ann"), Outcome::done()});
    EXPECT_EQ(refusal.end, StepEnd::GaveUp);
    EXPECT_EQ(refusal.message, "Listing failed: The server refused the login of ann (error 67)");
    EXPECT_EQ(malformed.tries + refusal.tries, 2);
    EXPECT_TRUE(wait.waits.empty());
}

TEST_F(RetryRule, AllTriesTogetherEndWithinTheCap) {
    // Tries that each stall for 25 s: the third ends past the 60 s cap, and
    // every try was told when the step must end.
    tryTime = std::chrono::seconds(25);
    StepResult result = run("Listing", {Outcome::failure(28, "The server stopped answering")});
    EXPECT_EQ(result.end, StepEnd::GaveUp);
    EXPECT_EQ(result.tries, 3);
    EXPECT_EQ(wait.waits.size(), 2u);
    EXPECT_EQ(deadlines, std::vector<SteadyTime>(3, SteadyTime{} + std::chrono::seconds(60)));
    EXPECT_EQ(
        result.message,
        "Listing gave up after 60 seconds and 3 tries: The server stopped answering (error 28)");
}

TEST_F(RetryRule, TheLimitsSetTheTriesAndThePause) {
    limits.tries = 3;
    limits.retryPause = std::chrono::milliseconds(5);
    StepResult result = run("Listing", {refused});
    EXPECT_EQ(result.end, StepEnd::GaveUp);
    EXPECT_EQ(result.tries, 3);
    EXPECT_EQ(wait.waits, (std::vector<int>{5, 5}));
}

} // namespace
} // namespace gs
