#pragma once

// Importing seasons from a CSV file into the games table. Two layouts are
// read, told apart by the header:
//
// - the table's own: the header "TeamA,TeamB,Date,Visitor,Home,Year" and
//   rows in played order. The seasons the file holds replace those of the
//   table, scores included.
// - the public community games file (columns season, game_type, week,
//   gameday, gametime, away_team, home_team, away_score, home_score found
//   by name; others ignored). Its regular-season games are merged into the
//   table's seasons (schedule/schedulemerge.h): games are matched, dates,
//   weeks, kickoffs and order follow the file, scores the table holds are
//   kept.

#include "core/pool.h"
#include "core/result.h"
#include "gamesdb.h"
#include "importjournal.h"
#include "schedulemerge.h"
#include "scheduleparse.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace gs {

struct ScheduleImportOptions {
    int fromSeason = kFirstCommunitySeason;
    // Take the file's word where it conflicts with the table: its scores
    // over different ones, and the removal of scored games or of more than
    // a few games of a season.
    bool overwrite = false;
    // Called after each step of the commit (importjournal.h).
    ImportStepHook reached = nullptr;
};

struct ScheduleImportResult {
    bool ok = false;      // the table holds what the file gives (changed now or before)
    bool changed = false; // the import wrote the games table
    ScheduleLayout layout = ScheduleLayout::Table;
    ScheduleCounts counts; // the community layout
    // Why a community file was refused over the games it disagrees on; empty
    // for any other refusal.
    std::vector<std::string> conflicts;
    // What changed (the community layout), or why nothing did.
    std::string summary;
};

// Imports a schedule text into the pool's games table under the pool lock.
// All or nothing: on any refusal or failure the games table and the
// computer players' files stay as they were.
ScheduleImportResult importScheduleText(const Pool& pool, std::string_view csvText,
                                        const ScheduleImportOptions& options);

// The same for a file, which must be a regular file of at most maxBytes.
ScheduleImportResult importScheduleFile(const Pool& pool, const std::filesystem::path& csvFile,
                                        const ScheduleImportOptions& options,
                                        std::uintmax_t maxBytes = kMaxScheduleFileBytes);

// What a window asks before it imports a file refused over games in
// conflict again, overwriting them.
std::string overwriteQuestion(const std::vector<std::string>& conflicts);

// importScheduleFile with the default options, for callers that need only
// whether it worked.
Status importSchedule(const Pool& pool, const std::filesystem::path& csvFile);

} // namespace gs
