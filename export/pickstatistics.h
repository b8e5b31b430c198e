#pragma once

// Scoring the players' picks against the final scores, week by week and for
// the season: the figures of "User Statistics", which the statistics export
// writes out.

#include "core/season.h"
#include "stats/userstatistics.h"

#include <string>
#include <vector>

namespace gs {

// The games a statistics table scores: rows 0..lastRow in season order (a
// row past the season's end reads as a game without date or scores). A game
// counts when both scores are entered and, with a reference date, when it
// was played on or before that day.
struct ScoringRange {
    int lastRow = -1;
    std::string referenceDate; // empty: the scores alone decide
};

// The range of the statistics export: the games with both scores entered
// and dated on or before the reference date are counted, and rows 0 up to
// that count taken, so the row after the last scored game closes its week.
ScoringRange scoringRangeOnOrBefore(const std::vector<SeasonGame>& games,
                                    const std::string& referenceDate);

// One row of a player's weekly table, the cells as they are shown.
struct WeekRow {
    int week = 0;
    int total = 0;           // correct picks in the week
    std::string weekPercent; // of the week
    int correct = 0;         // correct picks in weeks 1..week
    int picks = 0;           // picked games in weeks 1..week
    std::string overallPercent;
};

// One row per complete week: a week closes when the row that starts the
// next week lies within the range. Games past week 17 count into week 17.
std::vector<WeekRow> weeklyTable(const std::vector<SeasonGame>& games, const ScoringRange& range,
                                 const PickTable& picks);

// The season's correct and picked games over the range.
PickCount countPicks(const std::vector<SeasonGame>& games, const ScoringRange& range,
                     const PickTable& picks);

struct TotalsRow {
    std::string name;
    int correct = 0;
    int picked = 0;
    std::string percent;
};

struct PlayerPickTable {
    std::string name;
    PickTable picks{};
};

// "All Active User Totals": one row per player, best percentage first;
// players with equal percentages keep their order.
std::vector<TotalsRow> totalsTable(const std::vector<SeasonGame>& games, const ScoringRange& range,
                                   const std::vector<PlayerPickTable>& players);

} // namespace gs
