#pragma once

// Entering final scores from a CSV file instead of typing them game by game.
//
// Two layouts are read, told apart by the header: the games table's own
// (TeamA,TeamB,Date,Visitor,Home,Year, full team names, M/D/YYYY dates) and
// the games files of the public football data sets (season, game_type,
// gameday, away_team, home_team, away_score, home_score, team codes,
// YYYY-MM-DD dates). Columns are found by name in any order.
//
// Planning reads nothing but its arguments, so the command line and the
// score entry window share it: the caller reads the file and the table,
// plans, shows the plan's refusals or applies it.

#include "core/result.h"
#include "schedule/gamesdb.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gs {

struct ScoreImportOptions {
    std::optional<int> season; // only this season's rows count
    bool overwrite = false;    // replace different scores already entered
};

// A row that refuses the whole file, with its fields as the file writes them.
struct ScoreRowProblem {
    size_t line = 0; // where the row starts in the file, from 1
    std::string visitor;
    std::string home;
    std::string date;
    std::string visitorScore;
    std::string homeScore;
    std::string reason;
};

struct ScoreImportCounts {
    int entered = 0;      // games given scores (replaced ones included)
    int replaced = 0;     // of those, games that held different scores
    int alreadyThere = 0; // games that already held the same scores
    int skippedPlayoffs = 0;
    int skippedOtherSeasons = 0; // not held by the table, or not the season asked for
    int skippedNotPlayed = 0;    // rows without both scores
    bool operator==(const ScoreImportCounts&) const = default;
};

struct ScoreImportPlan {
    std::string fileError; // the file as a whole is unusable: "line N: reason"
    std::vector<ScoreRowProblem> problems;
    std::vector<GamesTable::ScoreChange> changes; // in file order
    ScoreImportCounts counts;
    bool accepted() const { return fileError.empty() && problems.empty(); }
};

// Plans the import of a whole CSV text (UTF-8 byte-order mark, CR LF or LF,
// RFC 4180 quoting) against the table's games. Any unusable row refuses the
// whole file: the plan then lists every such row and holds no change.
ScoreImportPlan planScoreImport(std::string_view csvText, const std::vector<GameRecord>& games,
                                const ScoreImportOptions& options);

// What the import did (or why it did nothing), as one paragraph fit for
// standard output and a message box.
std::string describeScoreImport(const ScoreImportPlan& plan);

struct ScoreImportResult {
    bool ok = false; // false: nothing was written
    ScoreImportCounts counts;
    std::string summary;
};

// Writes an accepted plan in one transaction; a refused plan writes nothing.
ScoreImportResult applyScoreImport(GamesTable& table, const ScoreImportPlan& plan);

// The whole import as the import-scores command and the "Import Scores..."
// button run it: reads the file and the table, plans, and writes an accepted
// plan. The summary says what was done or why nothing was.
ScoreImportResult importScoreFile(GamesTable& table, const std::filesystem::path& file,
                                  const ScoreImportOptions& options);

} // namespace gs
