#include "stats/weeklywinners.h"

#include "core/league.h"
#include "schedule/seasongames.h"
#include "tests/support/namedcases.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

// Week 1: three games, the last by date in the middle of the table; week 2
// is not decided (a game without scores).
std::vector<Game> twoWeeks() {
    return gamesOf({{"Detroit Lions", "Chicago Bears", "9/12/2010", "14", "21", "2010"},
                    {"N.Y. Jets", "New England Patriots", "9/13/2010", "20", "24", "2010"},
                    {"Miami Dolphins", "Buffalo Bills", "9/12/2010", "15", "10", "2010"},
                    {"Dallas Cowboys", "Washington Redskins", "9/19/2010", "7", "13", "2010"},
                    {"Denver Broncos", "Jacksonville Jaguars", "9/19/2010", "", "", "2010"}})
        .value();
}
const std::vector<int> kWeeks = {1, 1, 1, 2, 2};

struct Player {
    const char* name;
    std::vector<const char*> teams; // picked in weeks 1 and 2
    std::optional<int> guess{};
    int guessRow = 1;          // the game the guess was made for
    std::vector<int> values{}; // confidence of rows 0..2
};

struct Row : test::NamedCase {
    PoolRule rule;
    std::vector<Player> players;
    const char* csv;
};

class WeeklyWinners : public testing::TestWithParam<Row> {};

const char* const kWinner0 = "Chicago Bears";
const char* const kWinner1 = "New England Patriots";
const char* const kWinner2 = "Miami Dolphins";
const char* const kLoser2 = "Buffalo Bills";

TEST_P(WeeklyWinners, RankTheDecidedWeeks) {
    const std::vector<Game> games = twoWeeks();
    std::vector<WinnerEntry> entries;
    for (const Player& p : GetParam().players) {
        WinnerEntry entry{p.name, isComputerPlayer(p.name)};
        for (const char* team : p.teams)
            for (int w : {1, 2})
                entry.picks[static_cast<size_t>(w)]
                           [static_cast<size_t>(Team::named(team)->number())] = 1;
        const Game& guessed = games[static_cast<size_t>(p.guessRow)];
        if (p.guess)
            entry.extras[1].guess =
                TiebreakGuess{*p.guess, guessed.visitor.number(), guessed.home.number()};
        for (size_t r = 0; r < p.values.size(); ++r)
            entry.extras[1].values[static_cast<size_t>(games[r].visitor.number())] = p.values[r];
        entries.push_back(entry);
    }
    std::string csv;
    for (const std::string& line :
         winnersLines(rankWeeklyWinners(games, kWeeks, GetParam().rule, entries)))
        csv += line + "\n";
    EXPECT_EQ(csv, std::string(kWinnersHeader) + "\n" + GetParam().csv);
}

INSTANTIATE_TEST_SUITE_P(
    Weeks, WeeklyWinners,
    testing::Values(
        Row{"MostCorrectWinsAndTheLastGameIsTheLatestDay",
            PoolRule::Winners,
            {{"ann", {kWinner0, kWinner1, kWinner2}}, {"bob", {kWinner0, kWinner1, kLoser2}}},
            "1,ann,3,,44\n"},
        Row{"ATieOnCountGoesToTheNearestGuess",
            PoolRule::Winners,
            {{"ann", {kWinner0, kLoser2}, 40}, {"bob", {kWinner1, kLoser2}, 47}},
            "1,bob,1,47,44\n"},
        Row{"OverAndUnderAlikeShareTheWeek",
            PoolRule::Winners,
            {{"ann", {kWinner0}, 40}, {"bob", {kWinner1}, 48}, {"cy", {kLoser2}, 44}},
            "1,ann; bob,1,40; 48,44\n"},
        Row{"NoGuessRanksAfterEveryGuess",
            PoolRule::Winners,
            {{"ann", {kWinner0}}, {"bob", {kWinner1}, 90}},
            "1,bob,1,90,44\n"},
        Row{"EqualWithoutGuessesShare",
            PoolRule::Winners,
            {{"ann", {kWinner0}}, {"bob", {kWinner1}}},
            "1,ann; bob,1,; ,44\n"},
        Row{"AGuessIsMeasuredAgainstItsOwnGame",
            PoolRule::Winners,
            {{"ann", {kWinner0}, 36, 0}, {"bob", {kWinner1}, 46}},
            "1,ann,1,36,44\n"},
        Row{"AComputerPlayerOnTopNeverTakesTheWeek",
            PoolRule::Winners,
            {{"PC", {kWinner0, kWinner1, kWinner2}}, {"ann", {kWinner0, kLoser2}}},
            "1,ann,1,,44\n"},
        Row{"NoPersonPickedNoLine", PoolRule::Winners, {{"ELO", {kWinner0}}, {"ann", {}}}, ""},
        Row{"AConfidenceWeekScoresPoints",
            PoolRule::Confidence,
            {{"ann", {kWinner0, kWinner2}, std::nullopt, 1, {1, 3, 2}},
             {"bob", {kWinner0, kWinner1}, std::nullopt, 1, {1, 3, 2}},
             {"cy", {kWinner0, kWinner1, kWinner2}, std::nullopt, 1, {}}},
            "1,bob,4,,44\n"}),
    test::caseName);

} // namespace
} // namespace gs
