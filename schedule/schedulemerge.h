#pragma once

// Merging the games of a community games file into the seasons the games
// table holds.
//
// A game of the file is the same game as one of the table when season,
// visitor and home agree (a pair of teams meets once at each home in a
// regular season). Its date, week and place in the order follow the file;
// a score the table holds and the file lacks is kept; a score that differs
// from the file's is a conflict. A game the file no longer holds (a
// cancelled one) is removed, but removing a scored game, or more than
// kMostRemovedGames games of a season, is a conflict too: a file cut short
// must never delete a season. Conflicts refuse the whole file unless the
// caller overwrites them; a team with two games in one official week
// refuses it always.
//
// Planning reads nothing but its arguments; the importer applies a plan.

#include "gamesdb.h"

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace gs {

// A schedule file for import-schedule, or a downloaded games file, is never
// near this size (the community file of every season since 1999 is a few
// megabytes); a larger one is refused rather than read into memory.
inline constexpr std::uintmax_t kMaxScheduleFileBytes = 50 * 1024 * 1024;

// The most games of a season a file may drop without the administrator's
// word: a cancelled game or two.
inline constexpr int kMostRemovedGames = 2;

struct ScheduleCounts {
    std::set<int> seasons; // the seasons the file gave games of
    int games = 0;         // the games of those seasons after the merge
    int added = 0;
    int removed = 0;
    int rescheduled = 0; // games with a new date or week
    int reordered = 0;   // games that only moved in the order
    int renamed = 0;     // games whose team names became the season's
    int scoresEntered = 0;
    int scoresReplaced = 0; // of the entered ones, those over a different score
    int scoresAlreadyThere = 0;
    std::set<int> skippedSeasons;
    int skippedPlayoffGames = 0;
    int firstSeason = 0; // the first season taken; earlier ones were skipped
    // Each game on another day or in another week, named: "Week 10: Atlanta
    // Falcons at New England Patriots moved from 11/9/2025 to 11/10/2025".
    std::vector<std::string> moved;
    bool operator==(const ScheduleCounts&) const = default;
};

// Where each game of a season stands after the merge: for each new
// position, the game's position among the season's old records in table
// order, or -1 for a game the table did not have.
struct SeasonOrder {
    int year = 0;
    std::vector<int> oldPosition;
    bool operator==(const SeasonOrder&) const = default;
};

struct ScheduleMergePlan {
    // Every record of the seasons the file gave, in their new order.
    std::vector<GameRecord> replacement;
    std::vector<SeasonOrder> orders;
    ScheduleCounts counts;
    // One line per game in conflict, naming it; refused unless overwritten.
    std::vector<std::string> conflicts;
    // One line per team the merge would give two games in an official week,
    // naming both; refused whatever the caller overwrites.
    std::vector<std::string> busyWeeks;
    bool changesTable = false; // the replacement differs from the table
};

// Plans the merge of the file's games (each season in its final order, as
// parseSchedule gives them) into the table's records.
ScheduleMergePlan planScheduleMerge(const std::vector<GameRecord>& table,
                                    const std::vector<GameRecord>& fileGames);

// The lines of a computer player's pick file after its season's games moved:
// the week lines stay, and the number of each game follows it; a new game
// gets 0. The file keeps its number of lines. Week lines are told from the
// numbers by their commas, so any number of weeks is kept. The first number
// line belongs to the game at position firstGame of the season: PC's file
// leaves out its first game (1), the rating player's does not (0).
std::vector<std::string> movedSpreadLines(const std::vector<std::string>& lines,
                                          const SeasonOrder& order, int firstGame);

// The most games a message names; the rest are counted ("and 5 more").
inline constexpr size_t kMostGamesNamed = 20;

// The entries joined by the separator, the first kMostGamesNamed of them
// and "and N more" for the rest.
std::string namedGames(const std::vector<std::string>& games, std::string_view separator);

// What an accepted merge changed, as a paragraph for the person, then a
// line for each game moved.
std::string describeScheduleMerge(const ScheduleCounts& counts, bool changed);

// Why a merge was refused over teams playing twice in a week.
std::string describeBusyWeeks(const std::vector<std::string>& busyWeeks);

// Why a merge was refused, naming the games in conflict.
std::string describeScheduleConflicts(const std::vector<std::string>& conflicts);

} // namespace gs
