#pragma once

// Pick files and old-scores files.
//
// Pick file <folder>/<name><season>.dat: 17 week lines of 32 single-digit
// picks joined by ","; then the "Active Players" list (a human player) or
// SpreadTable entries 1..256 (PC).
// Old-scores file ProgramFolder/oldscores<season>.dat: 32 lines of the team
// records' columns 1..5, each number with a leading space when not negative.

#include "core/state.h"
#include "core/textfile.h"

#include <filesystem>
#include <string>
#include <vector>

namespace gs {

inline constexpr const char* kComputerPlayer = "PC";

// The pick file of a player for SeasonYear: the folder of the player's slot
// (slot 100 when the name is not in the table).
std::filesystem::path pickFilePath(const std::string& player);
std::filesystem::path oldScoresPath(int year);

// Fills PicksTable (and SpreadTable for PC, or the saved active-player list
// for anyone else) from the player's pick file, creating a missing file with
// all picks 0. A short or damaged file loads what it can and is never
// rewritten by a load.
void LoadPicks(const std::string& player);

// Writes the player's pick file from PicksTable, or ProjectedPicks and
// SpreadTable for PC. False when it could not be written (the person has
// been told).
bool SavePicks(const std::string& player);

// SavePicks that leaves the file alone when it already holds exactly the
// bytes it would get. The computer player's file is saved on every opening
// of the weekly panel and is mostly unchanged; rewriting it would cost a
// flush to disk each time for nothing.
bool savePicksIfChanged(const std::string& player);

// Writes the old-scores file of SeasonYear from TeamRecords.
bool WriteOldScores();

// Sets columns 1..5 of TeamRecords from the old-scores file of a year.
// False (records untouched) when the file is missing or unreadable.
bool ReadOldScores(int year);

// Writes the old-scores file of any season from TeamRecords; on failure the
// person is told and the result is false.
bool writeOldScoresFile(int year);

// A pick file as it stands on disk, read without side effects: the week
// lines' picks (0 wherever a line or a digit is missing) and every line
// after the 17 week lines.
struct PickFileContent {
    ReadStatus status = ReadStatus::Missing;
    std::string error; // why it could not be read, for ReadStatus::Error
    PickTable picks{};
    std::vector<std::string> extraLines;
};
PickFileContent readPickFile(const std::filesystem::path& path);

// Sets SpreadTable entries 1..256 from the lines that follow the week lines
// of PC's file; entries the file lacks become 0. Entry 0 is not on file and
// is left alone.
void setSpreadsFromLines(const std::vector<std::string>& lines);

// The lines of a freshly created pick file: 17 week lines of zeros, and for
// PC 256 spread lines "0".
std::vector<std::string> emptyPickFileLines(const std::string& player);

} // namespace gs
