#include "importer.h"

#include "core/poollock.h"
#include "core/text.h"
#include "core/textfile.h"
#include "schedule/importjournal.h"
#include "schedule/seasongames.h"

#include <map>

namespace gs {

namespace fs = std::filesystem;

namespace {

// True when the table's records of every season the import holds are
// exactly the imported ones, in their order.
bool holdsSeasons(const std::vector<GameRecord>& stored, const std::vector<GameRecord>& imported) {
    std::map<double, std::vector<GameRecord>> wanted;
    for (const GameRecord& record : imported)
        wanted[numericValue(record.year)].push_back(record);
    std::map<double, std::vector<GameRecord>> found;
    for (const GameRecord& record : stored)
        if (double year = numericValue(record.year); wanted.contains(year))
            found[year].push_back(record);
    return found == wanted;
}

ScheduleImportResult refused(std::string reason) {
    ScheduleImportResult result;
    result.summary = std::move(reason);
    return result;
}

// A computer player's file of a season, and where its first number's game
// stands: PC's file leaves out the season's first game.
struct ComputerFile {
    const char* player;
    int firstGame;
};
constexpr ComputerFile kComputerFiles[] = {{kComputerPlayer, 1}, {kRatingPlayer, 0}};

fs::path computerFilePath(const Pool& pool, const ComputerFile& file, int year) {
    int slot = pool.userSlot(file.player);
    return pool.pickFolder(slot ? slot : kUserSlots) /
           (std::string(file.player) + std::to_string(year) + ".dat");
}

// The computer players' files of the seasons whose games moved, with each
// game's number moved along.
Result<std::vector<StagedFile>> movedComputerFiles(const Pool& pool,
                                                   const std::vector<SeasonOrder>& orders) {
    std::vector<StagedFile> files;
    for (const SeasonOrder& order : orders) {
        bool identity = true;
        for (size_t p = 0; p < order.oldPosition.size(); ++p)
            identity = identity && order.oldPosition[p] == static_cast<int>(p);
        if (identity)
            continue;
        for (const ComputerFile& file : kComputerFiles) {
            fs::path path = computerFilePath(pool, file, order.year);
            Result<std::vector<std::string>> lines = readTextFile(path);
            if (failedWith(lines, ErrorKind::NotFound))
                continue;
            if (!lines)
                return failure(lines.error().kind, "the computer player's file " + path.string() +
                                                       " cannot be read: " + lines.error().message);
            std::vector<std::string> moved = movedSpreadLines(*lines, order, file.firstGame);
            if (moved != *lines)
                files.push_back({path, std::move(moved)});
        }
    }
    return files;
}

// Opens the pool's games table for an import: a missing table first gets
// the bundled seasons, as it would at login, so that the import adds to
// them rather than standing alone; a database without the games table is
// filled too, importing being one of the ways out that its refusal names.
Result<std::unique_ptr<GamesTable>> openForImport(const Pool& pool) {
    fs::path path = pool.gamesDatabasePath();
    if (Status created = ensureGamesTable(pool); !created)
        return failure(created.error().kind,
                       "the games table " + path.string() + " could not be created");
    Result<std::unique_ptr<GamesTable>> table = GamesTable::create(path);
    if (!table)
        return failure(table.error().kind, "the games table " + path.string() +
                                               " could not be written: " + table.error().message);
    return table;
}

// The pool's files locked for the whole import, and its games table open.
struct LockedTable {
    PoolLock lock;
    std::unique_ptr<GamesTable> table;
};

Result<LockedTable> lockAndOpenForImport(const Pool& pool) {
    Result<PoolLock> lock = lockPoolFiles(pool);
    if (!lock)
        return failure(lock.error());
    Result<std::unique_ptr<GamesTable>> table = openForImport(pool);
    if (!table)
        return failure(table.error());
    return LockedTable{std::move(*lock), std::move(*table)};
}

// Success means the seasons stand in the table under its name now, whatever
// another program did to the file meanwhile.
Status checkAfterImport(const fs::path& path, const std::vector<GameRecord>& imported) {
    Result<std::unique_ptr<GamesTable>> after = GamesTable::open(path);
    Result<std::vector<GameRecord>> stored =
        after ? (*after)->records() : Result<std::vector<GameRecord>>(failure(after.error()));
    if (!stored)
        return failure(stored.error().kind,
                       "the games table " + path.string() +
                           " cannot be read after the import: " + stored.error().message);
    if (!holdsSeasons(*stored, imported))
        return failure(ErrorKind::Changed,
                       "the games table " + path.string() +
                           " was changed by another program during the import, which does not "
                           "stand in it; import the file again");
    return {};
}

ScheduleImportResult importTableLayout(const Pool& pool, const ScheduleParse& parse) {
    Result<LockedTable> locked = lockAndOpenForImport(pool);
    if (!locked)
        return refused(locked.error().message);
    std::unique_ptr<GamesTable>& table = locked->table;
    fs::path path = pool.gamesDatabasePath();
    if (Status written = table->replaceSeasons(parse.records); !written)
        return refused("the games table " + path.string() +
                       " could not be written: " + written.error().message);
    table.reset();
    if (Status stands = checkAfterImport(path, parse.records); !stands)
        return refused(stands.error().message);
    ScheduleImportResult result;
    result.ok = result.changed = true;
    return result;
}

ScheduleImportResult mergeCommunity(const Pool& pool, const ScheduleParse& parse,
                                    const ScheduleImportOptions& options) {
    Result<LockedTable> locked = lockAndOpenForImport(pool);
    if (!locked)
        return refused(locked.error().message);
    std::unique_ptr<GamesTable>& table = locked->table;
    fs::path path = pool.gamesDatabasePath();
    Result<std::vector<GameRecord>> read = table->records();
    if (!read)
        return refused("the games table " + path.string() +
                       " cannot be read: " + read.error().message);
    const std::vector<GameRecord>& before = *read;

    ScheduleMergePlan plan = planScheduleMerge(before, parse.records);
    plan.counts.skippedSeasons = parse.skippedSeasons;
    plan.counts.skippedPlayoffGames = parse.skippedPlayoffGames;
    plan.counts.firstSeason = options.fromSeason;
    ScheduleImportResult result;
    result.layout = ScheduleLayout::Community;
    result.counts = plan.counts;
    if (!plan.busyWeeks.empty()) {
        result.summary = describeBusyWeeks(plan.busyWeeks);
        return result;
    }
    if (!plan.conflicts.empty() && !options.overwrite) {
        result.conflicts = plan.conflicts;
        result.summary = describeScheduleConflicts(plan.conflicts);
        return result;
    }
    if (!plan.changesTable) {
        result.ok = true;
        result.summary = describeScheduleMerge(plan.counts, false);
        return result;
    }

    // The computer players' numbers move with their games in one commit:
    // both change, or neither, whatever stops the program on the way.
    Result<std::vector<StagedFile>> moved = movedComputerFiles(pool, plan.orders);
    if (!moved)
        return refused(moved.error().message);
    if (Status written =
            commitImport(pool, *table, plan.replacement, before, *moved, options.reached);
        !written)
        return refused("the games table " + path.string() +
                       " could not be written: " + written.error().message);
    table.reset();
    if (Status stands = checkAfterImport(path, plan.replacement); !stands)
        return refused(stands.error().message);
    result.ok = result.changed = true;
    result.summary = describeScheduleMerge(plan.counts, true);
    return result;
}

} // namespace

ScheduleImportResult importScheduleText(const Pool& pool, std::string_view csvText,
                                        const ScheduleImportOptions& options) {
    ScheduleParse parse = parseSchedule(csvText, options.fromSeason);
    if (!parse.ok) {
        ScheduleImportResult result = refused(parse.error);
        result.layout = parse.layout;
        return result;
    }
    if (parse.layout == ScheduleLayout::Community)
        return mergeCommunity(pool, parse, options);
    return importTableLayout(pool, parse);
}

ScheduleImportResult importScheduleFile(const Pool& pool, const fs::path& csvFile,
                                        const ScheduleImportOptions& options,
                                        std::uintmax_t maxBytes) {
    std::error_code ec;
    if (fs::is_directory(csvFile, ec))
        return refused("cannot read " + csvFile.string() + ": it is a folder");
    Result<std::string> bytes = readFileBytes(csvFile, maxBytes);
    if (!bytes)
        return refused("cannot read " + csvFile.string() + ": " + bytes.error().message);
    return importScheduleText(pool, *bytes, options);
}

std::string overwriteQuestion(const std::vector<std::string>& conflicts) {
    std::string text = "The file disagrees with the games table on " +
                       std::to_string(conflicts.size()) +
                       (conflicts.size() == 1 ? " game:\n" : " games:\n");
    text += namedGames(conflicts, "\n");
    return text + "\n\nTake the file's word for " + (conflicts.size() == 1 ? "it" : "them") +
           ": its scores, and the removal of the games it no longer holds?";
}

Status importSchedule(const Pool& pool, const fs::path& csvFile) {
    ScheduleImportResult result = importScheduleFile(pool, csvFile, {});
    if (!result.ok)
        return failure(ErrorKind::Refused, result.summary);
    return {};
}

} // namespace gs
