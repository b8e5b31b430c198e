#pragma once

// The week boundary rule that splits a season into weeks.

#include "core/date.h"
#include "core/season.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gs {

// Finds where each week starts, for games fed in season order. A game that
// carries its official week starts a new week where that week changes (the
// seasons imported from the public games file: Tuesday games, weeks without
// a Monday game). Otherwise the Monday rule decides: a game not played on a
// Monday that follows a game played on a Monday starts a new week, and a
// game with an empty date keeps the day of the game before it.
class WeekTracker {
public:
    // Feeds the next game; true when that game starts a new week. A record
    // as the table writes it (score entry walks the table's records), or a
    // game.
    bool isBoundary(std::string_view date, int officialWeek = 0);
    bool isBoundary(const Game& game);
    int day() const { return m_day; }
    void reset() {
        m_day = 0;
        m_week = 0;
    }

private:
    // The game's day of the week; none for a game without a date, which
    // keeps the day of the game before it.
    bool feed(std::optional<int> day, int officialWeek);
    int m_day = 0;  // day of the last game fed, 0 before the first
    int m_week = 0; // official week of the last game fed, 0 for none
};

// The week of each game, in table order, as the picks and the statistics
// count it: official weeks where the season carries them, otherwise the
// Monday rule, with games past the season's last week in its last week.
std::vector<int> gameWeeks(const Season& season);

inline constexpr int kMaxWeekGames = 21;

// The rows first..last of a season's games that make up week w (1-based).
struct WeekRows {
    int first = -1; // -1: the season has no such week
    int last = -1;
    bool found() const { return first >= 0; }
};

// Finds the rows of week w in the games: the week starts at the row where
// the count of boundaries reaches w - 1 and runs up to the next boundary or
// the season's end, at most 21 rows.
WeekRows findWeekRows(const std::vector<Game>& games, int week);

} // namespace gs
