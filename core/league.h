#pragma once

// The 32 teams of the league and its 8 divisions: constants of the program.
// Teams and divisions are numbered from 1 in every file, table and grid;
// index 0 is unused.

#include <array>
#include <optional>
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

// A team of the league, by its number 1..32 in league-table order: the
// number every file, table and grid keeps. There is no team 0: a lookup that
// finds none gives std::nullopt.
class Team {
public:
    // The team of a number 1..32.
    static std::optional<Team> ofNumber(int number);
    // The team whose name in any season is exactly this one (case-sensitive):
    // last season's games must find their teams after a rename.
    static std::optional<Team> named(std::string_view name);
    // The team whose name in any season equals this one once both lose
    // their spaces.
    static std::optional<Team> namedIgnoringSpaces(std::string_view name);
    // The team of a code of the public games files (ARI, LA, STL, LAC, SD,
    // LV, OAK, ...; any letter case, spaces around ignored).
    static std::optional<Team> ofCode(std::string_view code);

    int number() const { return m_number; }
    const std::string& name(int season) const { return teamName(m_number, season); }
    const std::string& abbreviation(int season) const { return teamAbbreviation(m_number, season); }
    int division() const { return league().teamDivision[static_cast<size_t>(m_number)]; }

    friend auto operator<=>(Team, Team) = default;

private:
    explicit Team(int number) : m_number(number) {}
    int m_number;
};

} // namespace gs
