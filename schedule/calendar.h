#pragma once

// Dates as the games table holds them ("M/D/YYYY", leading zeros optional),
// the day names, and the week boundary rule that splits a season into weeks.

#include "core/season.h"

#include <string>
#include <string_view>
#include <vector>

namespace gs {

// The later of two date texts, unchanged, or "same" when year, month and day
// are equal. Parts are compared by numeric value, years as written.
std::string laterDate(std::string_view a, std::string_view b);

// True when the game date is on or before the reference date (the pool's
// current day).
bool onOrBefore(std::string_view date, std::string_view referenceDate);

// 1 "Sunday" .. 7 "Saturday"; any other number gives "".
std::string dayName(int day);

// The day of the week of a date text, Sunday = 1 .. Saturday = 7, or 0 when
// the text is not a valid date. Two-digit years 0..29 mean 2000..2029 and
// 30..99 mean 1930..1999.
int dayOfWeek(std::string_view date);

inline constexpr int kMonday = 2;

// Applies the week boundary rule to games fed in season order: a game not
// played on a Monday that follows a game played on a Monday starts a new
// week. A game with an empty date keeps the day of the game before it.
class WeekTracker {
public:
    // Feeds the next game's date; true when that game starts a new week.
    bool isBoundary(std::string_view date);
    int day() const { return m_day; }
    void reset() { m_day = 0; }

private:
    int m_day = 0; // day of the last game fed, 0 before the first
};

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
WeekRows findWeekRows(const std::vector<SeasonGame>& games, int week);

} // namespace gs
