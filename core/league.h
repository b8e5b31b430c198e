#pragma once

// The 32 teams of the league and its 8 divisions: constants of the program.
// Teams and divisions are numbered from 1 in every file, table and grid;
// index 0 is unused.

#include <array>
#include <string>
#include <string_view>

namespace gs {

inline constexpr int kTeamCount = 32;
inline constexpr int kDivisionCount = 8;

struct LeagueTable {
    std::array<std::string, kTeamCount + 1> teamName;
    std::array<std::string, kTeamCount + 1> teamAbbreviation;
    std::array<int, kTeamCount + 1> teamDivision{};
    std::array<std::string, kDivisionCount + 1> divisionName;
};

// The league table, built once, with the teams' names of the seasons up to
// 2015.
const LeagueTable& league();

// A team's name and abbreviation in a season: four teams have moved or been
// renamed since 2015 (the Rams in 2016, the Chargers in 2017, the Raiders
// and Washington in 2020, Washington again in 2022). Divisions never change.
const std::string& teamName(int team, int season);
const std::string& teamAbbreviation(int team, int season);

// The number 1..32 of the team with exactly this name (case-sensitive) in
// any season, or 0: last season's games must find their teams after a
// rename.
int teamNumber(std::string_view name);

// The number of the team whose name in any season equals this one once
// both lose their spaces, or 0.
int teamNumberIgnoringSpaces(std::string_view name);

// The team of a code of the public games files (ARI, LA, STL, LAC, SD, LV,
// OAK, ...; any letter case, spaces around ignored), or 0.
int teamOfCode(std::string_view code);

} // namespace gs
