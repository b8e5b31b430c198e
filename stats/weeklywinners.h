#pragma once

// The week's winner. A week is decided when every game of it has both
// scores. Its winner is the player with the most correct picks (in a
// confidence pool, the most points); players level on that are told apart
// by their tiebreaker guesses, the guess nearest the total points of the
// game it was made for winning (over or under alike), a player without a
// guess after every guess; players still level share the week. A computer
// player is ranked with everybody but never takes a week from a person: the
// best persons win. A decided week in which no person picked a game has no
// winner.

#include "core/poolrules.h"
#include "core/season.h"
#include "schedule/pickextras.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace gs {

struct WinnerEntry {
    std::string name;
    bool computer = false;
    PickTable picks{};
    ExtrasTable extras{};
};

struct WeekWinners {
    int week = 0;
    std::vector<std::string> winners;        // in the entries' order
    int score = 0;                           // their correct picks, or their points
    std::vector<std::optional<int>> guesses; // the winners' guesses, in the same order
    int total = 0;                           // the points of the week's last game
};

// The row (index into the games) of the week's last game among the rows:
// the one that kicks off last; without kickoffs, the last by date; then the
// last in the table's order. -1 for no rows.
int lastGameRow(const std::vector<Game>& games, const std::vector<int>& rows);

// The rows of each week 1..18 (entry 0 unused), from the games' weeks.
std::vector<std::vector<int>> weekRowsOf(const std::vector<int>& gameWeeks);

// A player's correct picks of the rows (in a confidence pool, the points of
// his correct picks), picked with week w's picks.
int weekScore(const std::vector<Game>& games, const std::vector<int>& rows, int week,
              const WinnerEntry& player, PoolRule rule);

// The winners of every decided week, in week order. `gameWeeks` is the
// week of each game (gameWeeks in schedule/calendar.h).
std::vector<WeekWinners> rankWeeklyWinners(const std::vector<Game>& games,
                                           const std::vector<int>& gameWeeks, PoolRule rule,
                                           const std::vector<WinnerEntry>& players);

// Confidence values 1..N for each week's games by the projected margin of
// each game row (the largest margin N; equal margins in table order, the
// earlier game the higher value).
ExtrasTable confidenceByMargin(const std::vector<Game>& games, const std::vector<int>& gameWeeks,
                               const std::vector<int>& margins);

// The CSV of the `winners` command and the export: the header, then one
// line per decided week.
inline constexpr const char* kWinnersHeader = "Week,Winners,Correct,Guess,Total";
inline constexpr std::array<const char*, 5> kWinnersColumns = {"Week", "Winners", "Correct",
                                                               "Guess", "Total"};
// A decided week's fields in the order of the columns: the names and the
// guesses joined by "; ", a missing guess empty.
std::array<std::string, 5> winnerFields(const WeekWinners& week);
std::vector<std::string> winnersLines(const std::vector<WeekWinners>& weeks);

} // namespace gs
