#pragma once

// Pick files and old-scores files.
//
// Pick file <folder>/<name><season>.dat: a line for each week of the season
// (17, or 18 from 2021) of 32 single-digit picks joined by ","; then the
// "Active Players" list (a human player) or one number for each game the
// season may hold (256, or 272 from 2021; a computer player): PC's spreads,
// or the rating player's margins of the season's games in order.
// Old-scores file <program folder>/oldscores<season>.dat: 32 lines of the
// team records' columns 1..5, each number with a leading space when not
// negative.

#include "core/pool.h"
#include "core/result.h"
#include "core/season.h"
#include "core/textfile.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace gs {

// The weeks and games of the pool's season.
SeasonShape poolSeasonShape(const Pool& pool);

// The pick file of a player for the pool's season: in the folder of the
// player's slot (slot 100 when the name is on no slot).
std::filesystem::path pickFilePath(const Pool& pool, const std::string& player);
std::filesystem::path oldScoresPath(const Folders& folders, int year);

// A pick file as it stands on disk, read without side effects: the week
// lines' picks (0 wherever a line or a digit is missing, and wherever the
// digit is other than 0 or 1) and every line after the 17 week lines. Fails
// as readTextFile does.
struct PickFileContent {
    PickTable picks{};
    std::vector<std::string> extraLines;
};
Result<PickFileContent> readPickFile(const std::filesystem::path& path, SeasonShape shape);

// What a player's pick file holds.
struct PlayerPicks {
    PickTable picks{};
    // A human player's file: the pool order of the active players.
    std::vector<std::string> activeOrder;
    // A computer player's file: its numbers as entries 1..256 (PC's
    // spread entry 0 is not on file).
    SpreadTable spreads{};
};

// Loads a player's pick file, creating a missing file with all picks 0. A
// short or damaged file loads what it can and is never rewritten by a load.
// Fails for a name that cannot be a file name, a file that cannot be read
// (left as it is) or a missing file that cannot be created.
Result<PlayerPicks> loadPicks(const Pool& pool, const std::string& player);

// Writes a human player's pick file: the picks, then the pool's "Active
// Players" list. A computer player's file is left as it is: it holds the
// projection, which only saveComputerPicks and saveComputerFile write.
Status savePicks(const Pool& pool, const std::string& player, const PickTable& picks);

// savePicks for a window that showed the picks `shown` as it read them from
// the file: the file is read again under the pool lock, and a week another
// program changed since keeps that program's picks where `picks` leave the
// week as shown. Where both changed a week, differently, nothing is written
// (Changed, naming the weeks). Returns the picks written.
Result<PickTable> savePicksOver(const Pool& pool, const std::string& player, const PickTable& picks,
                                const PickTable& shown);

// The largest spread a projection gives in any real season; a spread line
// outside 0..kMaxSpread is damage and reads as 0.
inline constexpr int kMaxSpread = 999;

// What saving the computer player's file did besides writing it.
struct ComputerPicksSaved {
    // The file on disk was damaged and was kept beside the new one (as
    // PC2010.dat.damaged): the sentence to tell the person, once. Empty
    // otherwise.
    std::string notice;
};

// Writes the computer player's pick file from its projection, leaving the
// file alone when it already holds exactly these bytes: it is saved on
// every opening of the weekly panel and mostly unchanged, and a rewrite
// would cost a flush to disk each time for nothing. A damaged file (not in
// the program's own layout, or not readable at all) is first kept beside
// it under a name of its own; when that fails nothing is written.
Result<ComputerPicksSaved> saveComputerPicks(const Pool& pool, const Projection& projection);

// The 256 numbers after the week lines of a computer player's file.
using ComputerNumbers = std::array<int16_t, kMaxGames>;

// Writes a computer player's pick file: the week lines of its picks, then
// its numbers; otherwise as saveComputerPicks.
Result<ComputerPicksSaved> saveComputerFile(const Pool& pool, const std::string& player,
                                            const PickTable& picks, const ComputerNumbers& numbers);

// A computer player's picks and numbers as its file holds them.
struct ComputerFileContent {
    PickTable picks{};
    ComputerNumbers numbers{};
};

// Reads a computer player's pick file; a missing or unreadable file gives
// no picks and every number 0, as a new file would.
ComputerFileContent loadComputerFile(const Pool& pool, const std::string& player);

// True when the lines stand as the program writes the computer player's
// file: 17 week lines of 32 picks 0 or 1 between commas, then 256 spreads
// 0..kMaxSpread.
bool isTidyComputerFile(const std::vector<std::string>& lines, SeasonShape shape);

// Spreads 1..256 from the lines that follow the week lines of the computer
// player's file; entries the file lacks, and spreads outside
// 0..kMaxSpread, are 0.
SpreadTable spreadsFromLines(const std::vector<std::string>& lines, SeasonShape shape);

// The lines of a freshly created pick file: 17 week lines of zeros, and for
// the computer player 256 spread lines "0".
std::vector<std::string> emptyPickFileLines(const std::string& player, SeasonShape shape);

// Writes the old-scores file of a season from columns 1..5 of the records.
Status writeOldScores(const Folders& folders, int year, const TeamRecordTable& records);

// Sets columns 1..5 of the records from the old-scores file of a year.
// Fails (records untouched) with NotFound when the file is missing, or
// when it is unreadable (a pipe, a file past kMaxDataFileBytes, ...).
Status readOldScores(const Folders& folders, int year, TeamRecordTable& records);

} // namespace gs
