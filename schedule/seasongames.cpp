#include "seasongames.h"

#include "core/dialogs.h"
#include "core/state.h"
#include "core/text.h"
#include "core/textfile.h"
#include "schedule/bundledschedules.h"
#include "schedule/calendar.h"
#include "schedule/gamesdb.h"
#include "schedule/importer.h"

namespace gs {

namespace fs = std::filesystem;

namespace {

// The bundled seasons stand as the pool saw them on its fixed current day:
// the last finished season fully scored, the running one scored through
// that day, the later ones still to be played.
constexpr int kFinishedSeason = 2009;
constexpr int kRunningSeason = 2010;
constexpr const char* kScoresThrough = kDefaultReferenceDate;

bool scoredBy(std::string_view date) {
    std::string later = LaterDate(date, kScoresThrough);
    return later == kScoresThrough || later == "same";
}

std::vector<GameRecord> bundledRecords(std::string& error) {
    ScheduleParse parse = parseSchedule(kBundledSchedules);
    if (!parse.ok) {
        error = "the bundled schedules are damaged (" + parse.error + ")";
        return {};
    }
    for (auto& record : parse.records) {
        int year = static_cast<int>(numericValue(record.Year));
        bool keep = year == kFinishedSeason || (year == kRunningSeason && scoredBy(record.Date));
        if (!keep)
            record.Visitor = record.Home = "";
    }
    return parse.records;
}

void removeDatabaseFiles(const fs::path& path) {
    std::error_code ec;
    fs::remove(path, ec);
    fs::remove(path.string() + "-journal", ec);
}

// Fills a new database file beside the target and renames it into place, so
// that the target either does not exist or holds every bundled season.
std::string createFromBundle(const fs::path& target) {
    std::vector<GameRecord> records;
    std::string error;
    records = bundledRecords(error);
    if (!error.empty())
        return error;

    fs::path temporary = createTemporaryBeside(target, error);
    if (temporary.empty())
        return error;
    {
        std::unique_ptr<GamesTable> table = GamesTable::open(temporary, error);
        if (!table || !table->replaceSeasons(records, error)) {
            removeDatabaseFiles(temporary);
            return error;
        }
    }
    error = renameIntoPlace(temporary, target);
    if (!error.empty())
        removeDatabaseFiles(temporary);
    return error;
}

void tellReadError(const fs::path& path, const std::string& reason) {
    dialogs().message("The games table " + path.string() + " cannot be read: " + reason, "Error");
}

} // namespace

bool RebuildSeasonGames() {
    State.SeasonGames.clear();
    State.ScoredGameCount = 0;

    fs::path path = gamesDatabasePath();
    std::error_code ec;
    // Opening creates a missing file; an empty one would then pass for the
    // table and keep the bundled seasons out for good.
    if (!fs::exists(path, ec) && !ensureGamesTable())
        return false;

    std::string error;
    std::unique_ptr<GamesTable> table = GamesTable::open(path, error);
    if (!table) {
        tellReadError(path, error);
        return false;
    }
    std::vector<GameRecord> records = table->records(&error);
    if (!error.empty()) {
        tellReadError(path, error);
        return false;
    }

    double season = numericValue(State.SeasonYear);
    for (const auto& record : records) {
        if (numericValue(record.Year) != season)
            continue;
        SeasonGame game{TrimSpaces(record.TeamA), TrimSpaces(record.TeamB), record.Date,
                        record.Visitor, record.Home};
        if (game.scored())
            ++State.ScoredGameCount;
        State.SeasonGames.push_back(std::move(game));
    }
    return true;
}

bool ensureGamesTable() {
    fs::path path = gamesDatabasePath();
    std::error_code ec;
    if (fs::exists(path, ec))
        return true;
    fs::create_directories(State.ProgramFolder, ec);
    std::string error =
        ec ? "cannot create the folder " + State.ProgramFolder.string() + ": " + ec.message()
           : createFromBundle(path);
    if (error.empty())
        return true;
    dialogs().message("The games table " + path.string() + " could not be created: " + error,
                      "Error");
    return false;
}

} // namespace gs
