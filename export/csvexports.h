#pragma once

// The three comma-separated exports of the "Export" menu, written to the
// install folder for the administrator's spreadsheet:
//   AllUserPickHistory.csv  every active player's pick of every played game
//   AllUserPickResults.csv  whether each of those picks was right
//   AllUserStats<season>.csv every active player's weekly and season figures
//   AllUserWeeklyWinners<season>.csv the winners of every decided week
// Lines end in CR LF, fields are joined by "," and never quoted.

#include "core/dialogs.h"
#include "core/grid.h"
#include "core/pool.h"
#include "core/result.h"
#include "core/season.h"
#include "stats/pickscoring.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace gs {

inline constexpr const char* kExportStatusTitle = "Export Status";

std::filesystem::path pickHistoryPath(const Folders& folders);
std::filesystem::path pickResultsPath(const Folders& folders);
std::filesystem::path userStatisticsPath(const Folders& folders, int season);
std::filesystem::path weeklyWinnersPath(const Folders& folders, int season);

// Told of every change of the progress bar, so the window can repaint it
// while the export runs.
using ProgressListener = std::function<void(const ProgressModel&)>;

enum class PickExport { History, Results };

// The lines of the history or results file: the header, a line per game
// with a visiting score, and the players' totals. `step` runs once per unit
// of work (the progress bar's maximum is games x players + games).
// The season's games as `games` prints them: the header
// "Week,Date,Kickoff,Visitor,Home,Visitor Score,Home Score", then a line a
// game in table order with the week the program counts it in, the date,
// kickoff (Eastern time, empty where unknown) and names as stored, and the
// scores as whole numbers (empty for a game not scored).
std::vector<std::string> gameListLines(const Season& season);

std::vector<std::string> pickExportLines(PickExport kind, const std::vector<Game>& games,
                                         int season, const std::vector<PlayerPickTable>& players,
                                         const Date& referenceDate,
                                         const std::function<void()>& step = {});

// The lines of the statistics file: the weekly table of each player of
// `weekly` (the active slots), then the totals of the `totals` players
// (the "Active Players" list), best first.
std::vector<std::string> userStatisticsLines(const std::vector<Game>& games,
                                             const Date& referenceDate,
                                             const std::vector<PlayerPickTable>& weekly,
                                             const std::vector<PlayerPickTable>& totals);

// What an export wrote, and what it could not read on the way (a player
// whose pick file could not be read is exported with no picks).
struct ExportOutcome {
    std::filesystem::path path;
    std::vector<std::string> problems;
};

// The exports themselves: each rebuilds the season's games and refills the
// player lists, reads the active players' pick files and writes its file
// atomically. They fail, writing nothing, when the games table cannot be
// read or the file cannot be written.
Result<ExportOutcome> exportPickHistory(Pool& pool, const ProgressListener& progress = {});
Result<ExportOutcome> exportPickResults(Pool& pool, const ProgressListener& progress = {});
// Also reloads the user list, keeping the season in force.
Result<ExportOutcome> exportUserStatistics(Pool& pool, const ProgressListener& progress = {});
// The lines of the `winners` command (weeklyWinnersLines), keeping the
// season in force.
Result<ExportOutcome> exportWeeklyWinners(Pool& pool);

// The menu entries: run an export and tell the person how it went in an
// "Export Status" message, or why it failed.
class CsvExports {
public:
    CsvExports(Pool& pool, Dialogs& dialogs) : m_pool(pool), m_dialogs(dialogs) {}

    // "All-User Pick History"
    void exportHistory();
    // "All-User Pick Results"
    void exportResults();
    // "Active User Stats"
    void exportStatistics();
    // "All-User Weekly Winners"
    void exportWinners();

    const ProgressModel& progress() const { return m_progress; }
    // Runs at every change of the progress bar.
    ProgressListener onProgress;

private:
    void finish(const Result<ExportOutcome>& outcome, const std::string& completeText);
    ProgressListener listener();

    Pool& m_pool;
    Dialogs& m_dialogs;
    ProgressModel m_progress;
};

} // namespace gs
