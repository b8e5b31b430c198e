#include "league.h"

#include "season.h"
#include "text.h"

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

TeamRecordTable emptyTeamRecords() {
    TeamRecordTable records{};
    for (int t = 1; t <= kTeamCount; ++t)
        records[t][6] = kTeams[t - 1].division;
    return records;
}

int teamNumber(std::string_view name) {
    for (int t = 1; t <= kTeamCount; ++t)
        if (league().teamName[t] == name)
            return t;
    return 0;
}

int teamNumberIgnoringSpaces(std::string_view name) {
    // Looked up for every game each time the ratings or a projection are
    // worked out: the league's names are stripped once.
    static const std::array<std::string, kTeamCount + 1> kStripped = [] {
        std::array<std::string, kTeamCount + 1> names;
        for (int t = 1; t <= kTeamCount; ++t)
            names[t] = stripSpaces(league().teamName[t]);
        return names;
    }();
    std::string stripped = stripSpaces(name);
    for (int t = 1; t <= kTeamCount; ++t)
        if (kStripped[t] == stripped)
            return t;
    return 0;
}

} // namespace gs
