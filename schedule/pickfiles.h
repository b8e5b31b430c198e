#pragma once

// Pick files and old-scores files.
//
// Pick file <folder>/<name><season>.dat: 17 week lines of 32 single-digit
// picks joined by ","; then the "Active Players" list (a human player) or
// SpreadTable entries 1..256 (PC).
// Old-scores file ProgramFolder/oldscores<season>.dat: 32 lines of the team
// records' columns 1..5, each number with a leading space when not negative.

#include <filesystem>
#include <string>

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

// Writes the old-scores file of SeasonYear from TeamRecords.
bool WriteOldScores();

// Sets columns 1..5 of TeamRecords from the old-scores file of a year.
// False (records untouched) when the file is missing or unreadable.
bool ReadOldScores(int year);

} // namespace gs
