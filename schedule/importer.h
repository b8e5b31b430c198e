#pragma once

// Importing seasons from a CSV file into the games table. The file's header
// is "TeamA,TeamB,Date,Visitor,Home,Year" and its rows stand in played order.

#include "core/pool.h"
#include "core/result.h"
#include "gamesdb.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace gs {

struct ScheduleParse {
    bool ok = false;
    std::string error; // "line N: reason" when not ok
    std::vector<GameRecord> records;
};

// Why a record is no game: an unknown team, a team playing itself, a date
// that is no real M/D/YYYY day, a score that is not empty or a whole
// number, a year that is not four digits. Empty for a game.
std::string checkGameRecord(const GameRecord& record);

// Parses and checks a whole schedule text: every team must be in the league
// table, every date a real date, every score empty or a whole number >= 0.
ScheduleParse parseSchedule(std::string_view csvText);

// Replaces the seasons that the file holds in the pool's games table. On any
// error the table is left as it was.
Status importSchedule(const Pool& pool, const std::filesystem::path& csvFile);

} // namespace gs
