#pragma once

// The values a season is made of: its games, the players' pick tables, the
// computer player's spreads and the teams' records. Weeks, teams and
// divisions count from 1; index 0 of each table is unused.

#include "game.h"
#include "league.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace gs {

inline constexpr int kWeeks = 17;
inline constexpr int kMaxSeasonGames = 256;

// The most weeks and games any season has.
inline constexpr int kMaxWeeks = 18;
inline constexpr int kMaxGames = 272;

// How long a season is: 17 weeks of at most 256 games up to 2020, 18 weeks
// of at most 272 games from 2021.
struct SeasonShape {
    int weeks = kWeeks;
    int maxGames = kMaxSeasonGames;
    bool operator==(const SeasonShape&) const = default;
};

constexpr SeasonShape seasonShape(int year) {
    return year >= 2021 ? SeasonShape{kMaxWeeks, kMaxGames} : SeasonShape{};
}

// The season's games in table order, and how many of them are scored.
struct Season {
    std::vector<Game> games;
    int scoredGameCount = 0;
    SeasonShape shape{};
    int year = 0;
    // Every game carries its official week, so weeks come from the table
    // rather than from the Monday rule.
    bool hasOfficialWeeks() const {
        return !games.empty() &&
               std::all_of(games.begin(), games.end(), [](const Game& g) { return g.week > 0; });
    }
};

// Weeks 1..18 by teams 1..32; 1 = picked. A season of 17 weeks leaves
// week 18 empty.
using PickTable = std::array<std::array<int, kTeamCount + 1>, kMaxWeeks + 1>;

// The computer player's spread of each game, entries 0..272 (entry 0 is the
// season's first game and is not kept on file).
using SpreadTable = std::array<int16_t, kMaxGames + 1>;

// A team's season so far. The counts are decimals because the old-scores
// file, which other machines write too, keeps them as numbers of any form.
struct TeamRecord {
    double pointsFor = 0;
    double pointsAgainst = 0;
    double wins = 0;
    double losses = 0;
    double ties = 0;
    int division = 0;

    double gamesPlayed() const { return wins + losses + ties; }
    bool operator==(const TeamRecord&) const = default;
};

// The five counts in the order of the old-scores file's fields.
inline constexpr std::array<double TeamRecord::*, 5> kRecordCounts = {
    &TeamRecord::pointsFor, &TeamRecord::pointsAgainst, &TeamRecord::wins, &TeamRecord::losses,
    &TeamRecord::ties};

// Rows 1..32 (teams); row 0 is unused.
using TeamRecordTable = std::array<TeamRecord, kTeamCount + 1>;

// Records with every count at 0 and each team's division in column 6.
inline TeamRecordTable emptyTeamRecords() {
    TeamRecordTable records{};
    for (int t = 1; t <= kTeamCount; ++t)
        records[t].division = league().teamDivision[t];
    return records;
}

// The computer player's picks and spreads.
struct Projection {
    PickTable picks{};
    SpreadTable spreads{};
};

} // namespace gs
