#pragma once

// Scoring the players' picks against the final scores, week by week and for
// the season. "User Statistics", the `standings` command and the statistics
// export all show these figures, so they are worked out here once; the
// callers differ only in which games they score (ScoringRange).

#include "core/date.h"
#include "core/season.h"
#include "schedule/pickextras.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace gs {

// 100 x correct / picked rounded to 4 places, halves to the even digit; 0
// when nothing was picked.
double percentOf(int correct, int picked);

// The same as the shortest decimal text: 66.6667, 62.5, 50, 0.7812.
std::string percentText(int correct, int picked);

// The games a table scores: rows 0..lastRow in season order. A game counts
// when both scores are entered and, with a reference date, when it was
// played on or before that day.
struct ScoringRange {
    int lastRow = -1;
    std::optional<Date> referenceDate; // none: the scores alone decide
};

// Rows 0 up to the number of games that count (at most 256), so that with
// scores entered in order the row after the last scored game, which starts
// the next week, closes the last scored week. "User Statistics" leaves the
// reference date empty; the statistics export passes the pool's current day
// (compared as a date), so that scores entered ahead count for nothing.
ScoringRange scoringRange(const std::vector<Game>& games,
                          const std::optional<Date>& referenceDate = std::nullopt);

struct PickCount {
    int correct = 0;
    int picked = 0;
    int points = 0; // the confidence values of the correct picks
};

// One complete week of a player's weekly table.
struct WeekStanding {
    int week = 0;
    int weekCorrect = 0;
    double weekPercent = 0;
    int correct = 0;    // weeks 1..week
    int picked = 0;     // weeks 1..week
    double overall = 0; // percentage of weeks 1..week
};

struct PickRecord {
    // The weeks whose last game is scored, in order, the season's last
    // week included once every game counts; the week in progress has no
    // entry.
    std::vector<WeekStanding> weeks;
    // Every game that counts in the range.
    PickCount season;
};

// Scores a player's picks over the range: a game counts as picked when the
// player picked either of its teams, and as correct when the pick is its
// winner; a tie is picked but never correct. A week closes when the row that
// starts the next week lies within the range, the last week when the range
// holds every game; games past week 18 are scored with week 18's picks.
PickRecord scorePicks(const std::vector<Game>& games, const ScoringRange& range,
                      const PickTable& picks, const ExtrasTable* values = nullptr);

// The same over the range of "User Statistics".
PickRecord scorePicks(const Season& season, const PickTable& picks);

struct PlayerPickTable {
    std::string name;
    PickTable picks{};
    // The confidence values, in a confidence pool.
    std::optional<ExtrasTable> values{};
};

// One line of "All Active User Totals".
struct Standing {
    std::string player;
    PickCount count;
    double percent = 0;
};

// Every player's season totals over the range, best first; players with
// equal percentages keep their order. By points first, with `byPoints`.
std::vector<Standing> rankStandings(const std::vector<Game>& games, const ScoringRange& range,
                                    const std::vector<PlayerPickTable>& players,
                                    bool byPoints = false);

// The columns of the weekly table and of the totals, and their cells as the
// grids and the exported lines show them.
inline constexpr std::array<const char*, 6> kWeekHeaders = {"Week",    "Total", "% Week",
                                                            "Correct", "Picks", "% Overall"};
inline constexpr std::array<const char*, 4> kStandingHeaders = {"User", "Correct", "Picks",
                                                                "% Correct"};

std::array<std::string, 6> weekCells(const WeekStanding& week);
std::array<std::string, 4> standingCells(const Standing& standing);

// A confidence pool's totals: the points before the counts.
inline constexpr std::array<const char*, 5> kPointsStandingHeaders = {"User", "Points", "Correct",
                                                                      "Picks", "% Correct"};
std::array<std::string, 5> pointsStandingCells(const Standing& standing);

} // namespace gs
