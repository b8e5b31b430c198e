#pragma once

// A player's tiebreaker guesses and confidence values of a season, in a file
// of their own beside the pick file: <folder>/<name><season>.tie. Only a
// pool that uses a guess or a confidence value writes one, so the pick
// files and every other file stay as they are.
//
// One CR LF line for each week holding anything:
//   WEEK,GUESS,VISITOR,HOME,V1,...,V32
// GUESS is the guessed total points (empty for none), VISITOR and HOME the
// team numbers of the game it was made for, V1..V32 the confidence value of
// the game whose visiting team has that number (0 or empty for none). A
// line or field that cannot be read is skipped: the rest still counts.

#include "core/pool.h"
#include "core/result.h"
#include "core/season.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gs {

// The guessed total points of a week's last game, and that game (team
// numbers): a guess keeps its game when the week's last game changes.
struct TiebreakGuess {
    int points = 0;
    int visitor = 0;
    int home = 0;
    bool operator==(const TiebreakGuess&) const = default;
};

// The most points a guess may name.
inline constexpr int kMaxGuess = 999;

struct WeekExtras {
    std::optional<TiebreakGuess> guess;
    // The confidence value of each game of the week, at its visiting team's
    // number; 0 for none.
    std::array<int, kTeamCount + 1> values{};
    bool empty() const;
    bool operator==(const WeekExtras&) const = default;
};

// Weeks 1..18; entry 0 unused.
using ExtrasTable = std::array<WeekExtras, kMaxWeeks + 1>;

std::string extrasFileName(const std::string& player, int season);
// The extras file of a player for the pool's season, beside the pick file.
std::filesystem::path extrasFilePath(const Pool& pool, const std::string& player);
// The player whose extras file this name is ("ann2010.tie" -> "ann"); empty
// for any other name.
std::string extrasFileOwner(std::string_view fileName);

ExtrasTable parseExtras(const std::vector<std::string>& lines, SeasonShape shape);
std::vector<std::string> extrasLines(const ExtrasTable& extras, SeasonShape shape);
bool hasExtras(const ExtrasTable& extras);

// The player's extras; none for a missing file. Fails for a file that
// exists but cannot be read.
Result<ExtrasTable> loadExtras(const Pool& pool, const std::string& player);

// The same, an unreadable file read as none.
ExtrasTable extrasForView(const Pool& pool, const std::string& player);

// Writes the player's extras atomically. With nothing in them and no file
// on disk, writes nothing: a pool that never uses them has no such file.
Status saveExtras(const Pool& pool, const std::string& player, const ExtrasTable& extras);

} // namespace gs
