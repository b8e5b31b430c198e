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

// The league table, built once.
const LeagueTable& league();

// The number 1..32 of the team with exactly this name (case-sensitive), or 0.
int teamNumber(std::string_view name);

// The number of the team whose name equals this one once both lose their
// spaces, or 0.
int teamNumberIgnoringSpaces(std::string_view name);

} // namespace gs
