#include "league.h"

#include "text.h"

#include <vector>

namespace gs {

namespace {

struct TeamRow {
    const char* name;
    const char* abbreviation;
    int division;
};

constexpr TeamRow kTeams[kTeamCount] = {
    {"Arizona Cardinals", "AZ", 2},     {"Atlanta Falcons", "ATL", 4},
    {"Baltimore Ravens", "BAL", 7},     {"Buffalo Bills", "BUF", 5},
    {"Carolina Panthers", "CAR", 4},    {"Chicago Bears", "CHI", 3},
    {"Cincinnati Bengals", "CIN", 7},   {"Cleveland Browns", "CLE", 7},
    {"Dallas Cowboys", "DAL", 1},       {"Denver Broncos", "DEN", 6},
    {"Detroit Lions", "DET", 3},        {"Green Bay Packers", "GB", 3},
    {"Houston Texans", "HOU", 8},       {"Indianapolis Colts", "IND", 8},
    {"Jacksonville Jaguars", "JAC", 8}, {"Kansas City Chiefs", "KC", 6},
    {"Miami Dolphins", "MIA", 5},       {"Minnesota Vikings", "MIN", 3},
    {"N.Y. Giants", "NYG", 1},          {"N.Y. Jets", "NYJ", 5},
    {"New England Patriots", "NE", 5},  {"New Orleans Saints", "NO", 4},
    {"Oakland Raiders", "OAK", 6},      {"Philadelphia Eagles", "PHI", 1},
    {"Pittsburgh Steelers", "PIT", 7},  {"San Diego Chargers", "SD", 6},
    {"San Francisco 49ers", "SF", 2},   {"Seattle Seahawks", "SEA", 2},
    {"St. Louis Rams", "STL", 2},       {"Tampa Bay Buccaneers", "TB", 4},
    {"Tennessee Titans", "TEN", 8},     {"Washington Redskins", "WAS", 1},
};

// The names a team took after 2015, in the order they came.
struct Rename {
    int team;
    int fromSeason;
    const char* name;
    const char* abbreviation;
};

constexpr Rename kRenames[] = {
    {29, 2016, "Los Angeles Rams", "LAR"},      {26, 2017, "Los Angeles Chargers", "LAC"},
    {23, 2020, "Las Vegas Raiders", "LV"},      {32, 2020, "Washington Football Team", "WAS"},
    {32, 2022, "Washington Commanders", "WAS"},
};

struct TeamCode {
    const char* code;
    int team;
};

// The codes of the public games files, with their older spellings.
constexpr TeamCode kTeamCodes[] = {
    {"ARI", 1},  {"ATL", 2},  {"BAL", 3},  {"BUF", 4},  {"CAR", 5},  {"CHI", 6},  {"CIN", 7},
    {"CLE", 8},  {"DAL", 9},  {"DEN", 10}, {"DET", 11}, {"GB", 12},  {"HOU", 13}, {"IND", 14},
    {"JAX", 15}, {"JAC", 15}, {"KC", 16},  {"MIA", 17}, {"MIN", 18}, {"NYG", 19}, {"NYJ", 20},
    {"NE", 21},  {"NO", 22},  {"OAK", 23}, {"LV", 23},  {"PHI", 24}, {"PIT", 25}, {"SD", 26},
    {"LAC", 26}, {"SF", 27},  {"SEA", 28}, {"STL", 29}, {"LA", 29},  {"LAR", 29}, {"TB", 30},
    {"TEN", 31}, {"WAS", 32},
};

constexpr const char* kDivisions[kDivisionCount] = {
    "NFC East", "NFC West", "NFC North", "NFC South",
    "AFC East", "AFC West", "AFC North", "AFC South",
};

LeagueTable buildLeagueTable() {
    LeagueTable table;
    for (int t = 1; t <= kTeamCount; ++t) {
        table.teamName[t] = kTeams[t - 1].name;
        table.teamDivision[t] = kTeams[t - 1].division;
        table.teamAbbreviation[t] = kTeams[t - 1].abbreviation;
    }
    for (int d = 1; d <= kDivisionCount; ++d)
        table.divisionName[d] = kDivisions[d - 1];
    return table;
}

} // namespace

const LeagueTable& league() {
    static const LeagueTable table = buildLeagueTable();
    return table;
}

namespace {

// Every name a team has had: the league's, then the renames.
struct NameOfTeam {
    std::string name;
    std::string stripped;
    int team;
};

const std::vector<NameOfTeam>& everyTeamName() {
    static const std::vector<NameOfTeam> names = [] {
        std::vector<NameOfTeam> all;
        for (int t = 1; t <= kTeamCount; ++t)
            all.push_back({league().teamName[t], stripSpaces(league().teamName[t]), t});
        for (const Rename& rename : kRenames)
            all.push_back({rename.name, stripSpaces(rename.name), rename.team});
        return all;
    }();
    return names;
}

} // namespace

const std::string& teamName(int team, int season) {
    static const std::array<std::string, std::size(kRenames)> kNames = [] {
        std::array<std::string, std::size(kRenames)> names;
        for (size_t k = 0; k < names.size(); ++k)
            names[k] = kRenames[k].name;
        return names;
    }();
    const std::string* name = &league().teamName[static_cast<size_t>(team)];
    for (size_t k = 0; k < std::size(kRenames); ++k)
        if (kRenames[k].team == team && kRenames[k].fromSeason <= season)
            name = &kNames[k];
    return *name;
}

const std::string& teamAbbreviation(int team, int season) {
    static const std::array<std::string, std::size(kRenames)> kAbbreviations = [] {
        std::array<std::string, std::size(kRenames)> abbreviations;
        for (size_t k = 0; k < abbreviations.size(); ++k)
            abbreviations[k] = kRenames[k].abbreviation;
        return abbreviations;
    }();
    const std::string* abbreviation = &league().teamAbbreviation[static_cast<size_t>(team)];
    for (size_t k = 0; k < std::size(kRenames); ++k)
        if (kRenames[k].team == team && kRenames[k].fromSeason <= season)
            abbreviation = &kAbbreviations[k];
    return *abbreviation;
}

std::optional<Team> Team::ofNumber(int number) {
    if (number < 1 || number > kTeamCount)
        return std::nullopt;
    return Team(number);
}

std::optional<Team> Team::named(std::string_view name) {
    for (const NameOfTeam& known : everyTeamName())
        if (known.name == name)
            return Team(known.team);
    return std::nullopt;
}

std::optional<Team> Team::namedIgnoringSpaces(std::string_view name) {
    // Looked up for every game each time the table is read: the names are
    // stripped once.
    std::string stripped = stripSpaces(name);
    for (const NameOfTeam& known : everyTeamName())
        if (known.stripped == stripped)
            return Team(known.team);
    return std::nullopt;
}

std::optional<Team> Team::ofCode(std::string_view code) {
    std::string wanted = upperAscii(trimSpaces(code));
    for (const TeamCode& known : kTeamCodes)
        if (known.code == wanted)
            return Team(known.team);
    return std::nullopt;
}

} // namespace gs
