#pragma once

// Reading a schedule text into the games table's records. Two layouts are
// read, told apart by the header: the table's own
// ("TeamA,TeamB,Date,Visitor,Home,Year") and the public community games
// file (schedule/importer.h says what an import makes of each).

#include "gamesdb.h"

#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace gs {

enum class ScheduleLayout { Table, Community };

// The earliest season a community file gives by default: the seasons
// before it come with the program and stay as they are unless asked for.
inline constexpr int kFirstCommunitySeason = 2016;

struct ScheduleParse {
    bool ok = false;
    std::string error; // "line N: reason" when not ok
    ScheduleLayout layout = ScheduleLayout::Table;
    // The table layout: the rows as they stand. The community layout: the
    // regular-season games taken, season by season in year order, each
    // season in order of week, date, kick-off time and home team's name.
    std::vector<GameRecord> records;
    // The community layout only: what was left out.
    std::set<int> skippedSeasons; // seasons before the first one taken
    int skippedPlayoffGames = 0;
};

// Why a record is no game: an unknown team, a team playing itself, a date
// that is no real M/D/YYYY day or lies outside its season (8/1 of the
// year to the end of February of the next), a score that is not empty or a
// whole number, a year that is not four digits. Empty for a game.
std::string checkGameRecord(const GameRecord& record);

// Parses and checks a whole schedule text. The table layout: every team must
// be in the league table, every date a real date of its season, every score
// empty or a whole number >= 0. The community layout: the regular-season
// rows of the seasons from fromSeason on, with known team codes, real dates
// of their season, official weeks of the season, kick-off times HH:MM and
// whole-number scores (empty or NA before the game is played).
ScheduleParse parseSchedule(std::string_view csvText, int fromSeason = kFirstCommunitySeason);

// True when the text's first line is a header naming every column the
// community layout needs.
bool hasCommunityHeader(std::string_view csvText);

} // namespace gs
