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

    // A step that answers from a script and repeats its last answer.
    std::function<Outcome()> scripted(std::vector<Outcome> answers) {
        return [this, answers] {
            events.push_back("try");
            size_t index = std::min(tries++, answers.size() - 1);
            return answers[index];
        };
    }

    const Outcome refused = Outcome::failure(7, "Connection refused");
    FakeWait wait;
    std::vector<std::string> events;
    size_t tries = 0;
};

TEST_F(RetryRule, ADoneStepRunsOnceWithoutWaiting) {
    StepResult result = runStep("Listing", scripted({Outcome::done()}), wait);
    EXPECT_EQ(result.end, StepEnd::Done);
    EXPECT_EQ(result.tries, 1);
    EXPECT_TRUE(wait.waits.empty());
}

TEST_F(RetryRule, AFailingStepIsTriedAgainEverySecondUntilDone) {
    StepResult result = runStep("Listing", scripted({refused, refused, Outcome::done()}), wait);
    EXPECT_EQ(result.end, StepEnd::Done);
    EXPECT_EQ(result.tries, 3);
    EXPECT_EQ(wait.waits, (std::vector<int>{1000, 1000}));
    EXPECT_EQ(events, (std::vector<std::string>{"try", "wait", "try", "wait", "try"}));
}

TEST_F(RetryRule, GivesUpAfterTenTriesNamingTheStepAndTheLastError) {
    Outcome last = Outcome::failure(78, "Server denied the file");
    std::vector<Outcome> answers(9, refused);
    answers.push_back(last);
    answers.push_back(Outcome::done()); // never reached
    StepResult result = runStep("Fetching Al2010.dat", scripted(answers), wait);
    EXPECT_EQ(result.end, StepEnd::GaveUp);
    EXPECT_EQ(result.tries, 10);
    EXPECT_EQ(wait.waits.size(), 9u);
    EXPECT_EQ(result.last.code, 78);
    EXPECT_EQ(result.message,
              "Fetching Al2010.dat failed after 10 tries: Server denied the file (error 78)");
}

TEST_F(RetryRule, AMalformedAddressStopsAtOnce) {
    StepResult result =
        runStep("Listing", scripted({Outcome::malformedAddress("No host"), Outcome::done()}), wait);
    EXPECT_EQ(result.end, StepEnd::MalformedAddress);
    EXPECT_EQ(result.tries, 1);
    EXPECT_EQ(result.last.text, "No host");
    EXPECT_TRUE(wait.waits.empty());
}

TEST_F(RetryRule, ACancelledWaitStopsWithoutAnotherTry) {
    wait.answers = {true, false};
    StepResult result = runStep("Listing", scripted({refused}), wait);
    EXPECT_EQ(result.end, StepEnd::Cancelled);
    EXPECT_EQ(result.tries, 2);
    EXPECT_EQ(events, (std::vector<std::string>{"try", "wait", "try", "wait"}));
}

TEST_F(RetryRule, EachFailureIsSeenBeforeItsWait) {
    auto seen = [this](const Outcome& failure) {
        events.push_back("seen " + std::to_string(failure.code));
    };
    runStep("Listing", scripted({refused, Outcome::done()}), wait, seen);
    EXPECT_EQ(events, (std::vector<std::string>{"try", "seen 7", "wait", "try"}));
}

} // namespace
} // namespace gs
