#include "importer.h"

#include "core/csv.h"
#include "core/date.h"
#include "core/league.h"
#include "core/poollock.h"
#include "core/text.h"
#include "core/textfile.h"
#include "schedule/calendar.h"
#include "schedule/seasongames.h"

#include <map>
#include <sstream>

namespace gs {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kHeader = "TeamA,TeamB,Date,Visitor,Home,Year";
constexpr size_t kFieldCount = 6;

bool allDigits(std::string_view text) {
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return !text.empty();
}

// A real day written M/D/YYYY, as the table stores dates.
bool isGameDate(std::string_view text) {
    std::optional<Date> date = Date::parse(text);
    return date && date->hasFullYear() && text.find_first_of(" \t-") == std::string_view::npos;
}

} // namespace

std::string checkGameRecord(const GameRecord& record) {
    const std::string& visitor = record.visitor;
    const std::string& home = record.home;
    if (!teamNumber(visitor))
        return "unknown team " + quotedForMessage(visitor);
    if (!teamNumber(home))
        return "unknown team " + quotedForMessage(home);
    if (visitor == home)
        return quotedForMessage(visitor) + " cannot play itself";
    if (!isGameDate(record.date))
        return "invalid date " + quotedForMessage(record.date) +
               " (expected a real date as M/D/YYYY)";
    if (!record.visitorScore.empty() && !allDigits(record.visitorScore))
        return "invalid visitor score " + quotedForMessage(record.visitorScore) +
               " (expected empty or a whole number)";
    if (!record.homeScore.empty() && !allDigits(record.homeScore))
        return "invalid home score " + quotedForMessage(record.homeScore) +
               " (expected empty or a whole number)";
    if (record.year.size() != 4 || !allDigits(record.year))
        return "invalid year " + quotedForMessage(record.year) + " (expected four digits)";
    return {};
}

namespace {

// The reason a row is refused, or "".
std::string checkRow(const std::vector<std::string>& fields) {
    if (fields.size() != kFieldCount)
        return "expected " + std::to_string(kFieldCount) + " fields, found " +
               std::to_string(fields.size());
    return checkGameRecord({fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]});
}

bool isTableHeader(const std::vector<std::string>& fields) {
    std::string joined;
    for (size_t f = 0; f < fields.size(); ++f)
        joined += (f ? "," : "") + fields[f];
    return fields.size() == kFieldCount && joined == kHeader;
}

ScheduleParse refuse(size_t lineNumber, const std::string& reason) {
    ScheduleParse parse;
    parse.error = "line " + std::to_string(lineNumber) + ": " + reason;
    return parse;
}

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

} // namespace

ScheduleParse parseSchedule(std::string_view csvText) {
    CsvText csv = readCsv(csvText);
    if (!csv.ok()) {
        ScheduleParse parse;
        parse.error = csv.error;
        return parse;
    }
    std::vector<CsvRecord>& rows = csv.records;
    // Blank lines at the end are an editor's habit, not rows.
    while (!rows.empty() && rows.back().blank)
        rows.pop_back();

    if (rows.empty() || !isTableHeader(rows[0].fields))
        return refuse(1, "the header must be " + std::string(kHeader));
    if (rows.size() == 1)
        return refuse(rows[0].line + 1, "the file holds no games");

    ScheduleParse parse;
    std::map<std::string, int> seasonSizes;
    for (size_t i = 1; i < rows.size(); ++i) {
        const std::vector<std::string>& fields = rows[i].fields;
        std::string reason = checkRow(fields);
        if (!reason.empty())
            return refuse(rows[i].line, reason);
        // The weekly views and the spread table hold at most this many games.
        if (++seasonSizes[fields[5]] > kMaxSeasonGames)
            return refuse(rows[i].line, "season " + fields[5] + " has more than " +
                                            std::to_string(kMaxSeasonGames) + " games");
        parse.records.push_back({fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]});
    }
    parse.ok = true;
    return parse;
}

Status importSchedule(const Pool& pool, const fs::path& csvFile) {
    std::error_code ec;
    if (fs::is_directory(csvFile, ec))
        return failure("cannot read " + csvFile.string() + ": it is a folder");
    std::string bytes;
    std::string error;
    if (readFileBytes(csvFile, bytes, error) != ReadStatus::Ok)
        return failure("cannot read " + csvFile.string() + ": " + error);

    ScheduleParse parse = parseSchedule(bytes);
    if (!parse.ok)
        return failure(parse.error);

    Result<PoolLock> lock = lockPoolFiles(pool);
    if (!lock)
        return failure(lock.error());

    // A missing table first gets the bundled seasons, as it would at login,
    // so that the import adds to them rather than standing alone.
    fs::path path = pool.gamesDatabasePath();
    if (Status created = ensureGamesTable(pool); !created)
        return failure("the games table " + path.string() + " could not be created");
    // A database without the games table is filled too: importing is one
    // of the ways out that its refusal names.
    std::unique_ptr<GamesTable> table = GamesTable::create(path, error);
    if (!table || !table->replaceSeasons(parse.records, error))
        return failure("the games table " + path.string() + " could not be written: " + error);
    table.reset();
    // Success means the seasons stand in the table under its name now,
    // whatever another program did to the file meanwhile.
    std::unique_ptr<GamesTable> after = GamesTable::open(path, error);
    std::vector<GameRecord> stored;
    if (after)
        stored = after->records(&error);
    if (!after || !error.empty())
        return failure("the games table " + path.string() +
                       " cannot be read after the import: " + error);
    if (!holdsSeasons(stored, parse.records))
        return failure("the games table " + path.string() +
                       " was changed by another program during the import, which does not "
                       "stand in it; import the file again");
    return {};
}

} // namespace gs
