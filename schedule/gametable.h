#pragma once

// The fixed columns of a table with one row a game of the season, as the
// "All-User Pick Results" board and the pick history and results exports lay
// it out; the players' columns follow them.

#include <array>

namespace gs {

enum GameColumn {
    kWeekColumn = 0,
    kDateColumn = 1,
    kDayColumn = 2, // the date's day name
    kVisitorColumn = 3,
    kVisitorScoreColumn = 4,
    kHomeColumn = 5,
    kHomeScoreColumn = 6,
    kGameColumns = 7,
};

// Their captions in the header row.
inline constexpr std::array<const char*, kGameColumns> kGameHeaders = {
    "Week", "Date", "", "Visitor Team", "", "Home Team", ""};

} // namespace gs
