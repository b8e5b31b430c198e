#include "seasongames.h"

#include "core/poollock.h"
#include "core/text.h"
#include "core/textfile.h"
#include "schedule/bundledschedules.h"
#include "schedule/calendar.h"
#include "schedule/gamesdb.h"
#include "schedule/importjournal.h"
#include "schedule/scheduleparse.h"

#include <algorithm>
#include <functional>
#include <unistd.h>

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
    static const Date day = *Date::parse(kScoresThrough);
    return onOrBefore(date, day);
}

Result<std::vector<GameRecord>> bundledRecords() {
    ScheduleParse parse = parseSchedule(kBundledSchedules);
    if (!parse.ok)
        return failure(ErrorKind::Malformed,
                       "the bundled schedules are damaged (" + parse.error + ")");
    for (auto& record : parse.records) {
        int year = static_cast<int>(numericValue(record.year));
        bool keep = year == kFinishedSeason || (year == kRunningSeason && scoredBy(record.date));
        if (!keep)
            record.visitorScore = record.homeScore = "";
    }
    return parse.records;
}

void removeDatabaseFiles(const fs::path& path) {
    std::error_code ec;
    fs::remove(path, ec);
    fs::remove(path.string() + "-journal", ec);
}

// Fills a new database file beside the target and renames it into place
// only where no table stands, so that the target either does not exist or
// holds every bundled season. A table that another copy of the program
// installed or filled meanwhile is kept: it may already hold an import.
Status createFromBundle(const fs::path& target) {
    Result<std::vector<GameRecord>> records = bundledRecords();
    if (!records)
        return failure(records.error());

    // Held open until it is placed or removed, so that another copy of the
    // program starting meanwhile does not sweep it away as a leftover. The
    // table is closed before the hold: closing any descriptor of a file
    // drops the locks SQLite holds on it.
    Result<OpenTemporary> hold = createHeldTemporaryBeside(target);
    if (!hold)
        return failure(hold.error());
    const fs::path& temporary = hold->path;
    Status filled;
    {
        Result<std::unique_ptr<GamesTable>> table = GamesTable::create(temporary);
        filled = table ? (*table)->replaceSeasons(*records) : failure(table.error());
    }
    if (!filled) {
        removeDatabaseFiles(temporary);
        ::close(hold->fd);
        return filled;
    }
    Result<Placement> placed = renameIntoPlaceIfAbsent(temporary, target);
    if (!placed)
        removeDatabaseFiles(temporary);
    ::close(hold->fd);
    if (!placed)
        return failure(placed.error());
    return {};
}

// Why the table cannot be read and, for a file that is a database but
// holds no games table, what the person can do about it: it may be the only
// copy of something, so it is never replaced unasked.
Error cannotRead(const fs::path& path, const Error& reason) {
    std::string message = "The games table " + path.string() + " cannot be read: " + reason.message;
    if (reason.kind == ErrorKind::NoGamesTable)
        message += ". The file was left as it is: remove it to have the bundled seasons restored, "
                   "or import a schedule into it.";
    return {reason.kind, message};
}

} // namespace

Result<std::vector<Game>> gamesOf(const std::vector<GameRecord>& records) {
    std::vector<Game> games;
    games.reserve(records.size());
    for (size_t k = 0; k < records.size(); ++k) {
        Result<Game> game = gameOf(records[k]);
        if (!game)
            return failure(ErrorKind::Malformed,
                           "record " + std::to_string(k + 1) + ": " + game.error().message);
        games.push_back(std::move(*game));
    }
    return games;
}

Season seasonOf(const std::vector<Game>& games, int year) {
    Season season;
    season.shape = seasonShape(year);
    season.year = year;
    for (const Game& game : games) {
        if (game.season != year)
            continue;
        if (game.scored())
            ++season.scoredGameCount;
        season.games.push_back(game);
    }
    return season;
}

std::vector<Game> storedSeasonGames(const Pool& pool, int year) {
    if (!fileExists(pool.gamesDatabasePath()))
        return {};
    Result<std::unique_ptr<GamesTable>> table = GamesTable::open(pool.gamesDatabasePath());
    if (!table)
        return {};
    Result<std::vector<GameRecord>> records = (*table)->records();
    if (!records)
        return {};
    Result<std::vector<Game>> games = gamesOf(*records);
    return games ? seasonOf(*games, year).games : std::vector<Game>{};
}

Result<std::vector<int>> seasonsInTable(const Pool& pool) {
    Result<std::vector<GameRecord>> records = readGameRecords(pool);
    if (!records)
        return failure(records.error());
    std::vector<int> years;
    for (const GameRecord& record : *records) {
        double year = numericValue(record.year);
        if (year >= 1 && year <= 9999)
            years.push_back(static_cast<int>(year));
    }
    std::sort(years.begin(), years.end(), std::greater<>());
    years.erase(std::unique(years.begin(), years.end()), years.end());
    return years;
}

Status checkSeasonHeld(const Pool& pool, int year) {
    Result<std::vector<int>> years = seasonsInTable(pool);
    if (!years)
        return failure(years.error());
    if (std::find(years->begin(), years->end(), year) != years->end())
        return {};
    std::string held;
    for (int y : *years)
        held += (held.empty() ? "" : ", ") + std::to_string(y);
    return failure(ErrorKind::NotFound,
                   "The games table holds no season " + std::to_string(year) +
                       (held.empty() ? "; it holds no games at all." : "; it holds " + held + "."));
}

Result<std::unique_ptr<GamesTable>> openGamesTable(const Pool& pool) {
    fs::path path = pool.gamesDatabasePath();
    // Opening creates a missing file; an empty one would then pass for the
    // table and keep the bundled seasons out for good.
    if (Status ready = ensureGamesTable(pool); !ready)
        return failure(ready.error());
    Result<std::unique_ptr<GamesTable>> table = GamesTable::open(path);
    if (!table)
        return failure(cannotRead(path, table.error()));
    return table;
}

Result<std::vector<GameRecord>> readGameRecords(const Pool& pool) {
    Result<std::unique_ptr<GamesTable>> table = openGamesTable(pool);
    if (!table)
        return failure(table.error());
    Result<std::vector<GameRecord>> records = (*table)->records();
    if (!records)
        return failure(cannotRead(pool.gamesDatabasePath(), records.error()));
    return records;
}

Result<std::vector<Game>> readGames(const Pool& pool) {
    Result<std::vector<GameRecord>> records = readGameRecords(pool);
    if (!records)
        return failure(records.error());
    Result<std::vector<Game>> games = gamesOf(*records);
    if (!games)
        return failure(cannotRead(pool.gamesDatabasePath(), games.error()));
    return games;
}

Result<Season> rebuildSeasonGames(const Pool& pool) {
    Result<std::vector<Game>> games = readGames(pool);
    if (!games)
        return failure(games.error());
    return seasonOf(*games, pool.seasonYear());
}

Status ensureGamesTable(const Pool& pool) {
    std::error_code ec;
    if (!fs::exists(pool.gamesDatabasePath(), ec))
        if (Status installed = installBundledTable(pool); !installed)
            return installed;
    // An import that a kill interrupted is completed or undone before
    // anybody reads the table or the computer players' files.
    return finishInterruptedImport(pool);
}

Status installBundledTable(const Pool& pool) {
    fs::path path = pool.gamesDatabasePath();
    Status folder = createDataFolder(pool.folders().program);
    if (!folder)
        return failure(folder.error().kind, "The games table " + path.string() +
                                                " could not be created: " + folder.error().message);
    // A second copy starting at the same moment waits here, and then finds
    // the first one's table rather than building its own.
    Result<PoolLock> lock = lockPoolFiles(pool);
    if (!lock)
        return failure(lock.error().kind, "The games table " + path.string() +
                                              " could not be created: " + lock.error().message);
    std::error_code ec;
    if (fs::exists(path, ec))
        return {};
    Status created = createFromBundle(path);
    if (created)
        return {};
    return failure(created.error().kind, "The games table " + path.string() +
                                             " could not be created: " + created.error().message);
}

} // namespace gs
