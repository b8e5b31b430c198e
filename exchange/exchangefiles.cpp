#include "exchangefiles.h"

#include "core/league.h"
#include "core/poollock.h"
#include "core/season.h"
#include "core/text.h"
#include "core/textfile.h"
#include "schedule/gamesdb.h"
#include "schedule/importer.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <sqlite3.h>

namespace gs {

namespace fs = std::filesystem;

namespace {

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// A read-only connection, closed with the object.
class ReadOnlyDatabase {
public:
    explicit ReadOnlyDatabase(const fs::path& path) {
        m_rc = sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READONLY, nullptr);
    }
    ~ReadOnlyDatabase() { sqlite3_close(m_db); }
    ReadOnlyDatabase(const ReadOnlyDatabase&) = delete;
    ReadOnlyDatabase& operator=(const ReadOnlyDatabase&) = delete;

    bool opened() const { return m_rc == SQLITE_OK; }
    std::string error() const { return m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(m_rc); }

    // Runs a query, handing each row to the visitor; false on any error.
    template <typename Visit> bool query(const char* sql, Visit visit) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(m_db, sql, -1, &statement, nullptr) != SQLITE_OK)
            return false;
        int rc = SQLITE_ROW;
        while ((rc = sqlite3_step(statement)) == SQLITE_ROW)
            visit(statement);
        sqlite3_finalize(statement);
        return rc == SQLITE_DONE;
    }

private:
    sqlite3* m_db = nullptr;
    int m_rc = SQLITE_OK;
};

std::string columnText(sqlite3_stmt* statement, int column) {
    const unsigned char* text = sqlite3_column_text(statement, column);
    return text ? reinterpret_cast<const char*>(text) : "";
}

bool hasSqliteHeader(const fs::path& path) {
    Result<std::string> bytes = readFileBytes(path);
    if (!bytes)
        return false;
    static constexpr std::string_view kHeader("SQLite format 3\0", 16);
    return bytes->size() >= 100 && std::string_view(*bytes).substr(0, 16) == kHeader;
}

} // namespace

std::string pickFileOwner(std::string_view fileName) {
    constexpr size_t kYearAndExtension = 8; // "2010.dat"
    if (fileName.size() <= kYearAndExtension || !isDataFileName(fileName))
        return {};
    std::string_view year = fileName.substr(fileName.size() - kYearAndExtension, 4);
    if (!std::all_of(year.begin(), year.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return {};
    return std::string(fileName.substr(0, fileName.size() - kYearAndExtension));
}

std::string userListWithoutPasswords(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    size_t start = 0;
    bool firstLine = true;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        end = end == std::string_view::npos ? bytes.size() : end + 1;
        std::string_view line = bytes.substr(start, end - start);
        start = end;
        // Line 1 is the season; a user line's password lies between its
        // fourth and fifth comma (names and encoded passwords hold none).
        size_t fourth = std::string_view::npos;
        for (size_t i = 0, commas = 0; !firstLine && i < line.size(); ++i)
            if (line[i] == ',' && ++commas == 4) {
                fourth = i;
                break;
            }
        firstLine = false;
        if (fourth == std::string_view::npos) {
            out += line;
            continue;
        }
        size_t fieldEnd = line.find(',', fourth + 1);
        if (fieldEnd == std::string_view::npos) {
            fieldEnd = line.size();
            while (fieldEnd > fourth + 1 &&
                   (line[fieldEnd - 1] == '\n' || line[fieldEnd - 1] == '\r'))
                --fieldEnd;
        }
        out += line.substr(0, fourth + 1);
        out += line.substr(fieldEnd);
    }
    return out;
}

std::string downloadExtension(std::string_view name) {
    size_t dot = name.find('.');
    if (dot == std::string_view::npos)
        return {};
    return upperAscii(name.substr(dot + 1, 3));
}

bool isDataFileName(std::string_view name) {
    return name.size() >= 4 && upperAscii(name.substr(name.size() - 4)) == ".DAT";
}

Status checkGamesTableFile(const fs::path& path) {
    auto refused = [&](const std::string& why) {
        return failure(ErrorKind::Malformed, "The received games table " +
                                                 path.filename().string() +
                                                 " cannot be used: " + why);
    };
    // Opening a file that is no database would succeed and fail only later.
    if (!hasSqliteHeader(path))
        return refused("it is not a SQLite database");
    ReadOnlyDatabase database(path);
    if (!database.opened())
        return refused(database.error());

    std::string integrity;
    if (!database.query("PRAGMA quick_check",
                        [&](sqlite3_stmt* row) { integrity += columnText(row, 0); }))
        return refused(database.error());
    if (integrity != "ok")
        return refused("the database is damaged (" + integrity + ")");

    // Plain data only: a trigger would run at the next write of the table.
    if (Status plain = checkPlainGamesTable(path); !plain)
        return refused(plain.error().message);

    if (!database.query("SELECT TeamA, TeamB, Date, Visitor, Home, Year FROM Scoresheet",
                        [](sqlite3_stmt*) {}))
        return refused(database.error());
    return {};
}

namespace {

// The games of a season among the records.
long seasonGameCount(const std::vector<GameRecord>& records, const std::string& year) {
    return std::count_if(records.begin(), records.end(),
                         [&](const GameRecord& r) { return r.year == year; });
}

Status checkReceivedGames(const Pool& pool, const fs::path& received) {
    // As Year holds it: four digits.
    const std::string season = std::to_string(pool.seasonYear());
    auto refused = [&](const std::string& why) {
        return failure(ErrorKind::Malformed, "The received games table " +
                                                 received.filename().string() +
                                                 " was not installed: " + why);
    };
    Result<std::unique_ptr<GamesTable>> table = GamesTable::open(received);
    if (!table)
        return refused(table.error().message);
    Result<std::vector<GameRecord>> read = (*table)->records();
    if (!read)
        return refused(read.error().message);
    const std::vector<GameRecord>& records = *read;
    for (size_t k = 0; k < records.size(); ++k)
        if (std::string reason = checkGameRecord(records[k]); !reason.empty())
            return refused("record " + std::to_string(k + 1) + ": " + reason);

    long local = 0;
    if (fileExists(pool.gamesDatabasePath())) {
        ReadOnlyDatabase own(pool.gamesDatabasePath());
        own.query("SELECT Year FROM Scoresheet",
                  [&](sqlite3_stmt* row) { local += columnText(row, 0) == season; });
    }
    long games = seasonGameCount(records, season);
    if (games == 0)
        return refused("it holds no games of the season " + season);
    if (games < local - 2)
        return refused("it holds " + std::to_string(games) + " games of the season " + season +
                       " where this computer's table holds " + std::to_string(local));
    return {};
}

} // namespace

Status installGamesTable(const Pool& pool, const fs::path& received) {
    if (Status checked = checkGamesTableFile(received); !checked)
        return checked;
    // The local table must not change between the count above and the
    // replacement below.
    Result<PoolLock> lock = lockPoolFiles(pool);
    if (!lock)
        return failure(lock.error());
    fs::path target = pool.gamesDatabasePath();
    // A journal beside the table belongs to the table in place; it would be
    // played back into the new file.
    for (const char* suffix : {"-journal", "-wal"})
        if (fileExists(target.string() + suffix))
            return failure(ErrorKind::Busy,
                           "The games table " + target.string() +
                               " is in use, so the received one was not installed.");
    if (Status games = checkReceivedGames(pool, received); !games)
        return games;
    return copyFileAtomic(received, target);
}

Status checkPickFileWhole(const fs::path& path) {
    std::string name = path.filename().string();
    auto truncated = [&] {
        return failure(ErrorKind::Malformed,
                       "The received file " + name +
                           " is empty or cut short; the local copy was kept.");
    };
    Result<std::string> bytes = readFileBytes(path);
    if (!bytes)
        return failure(bytes.error().kind,
                       "The received file " + name + " cannot be read: " + bytes.error().message);
    if (bytes->empty() || (bytes->back() != '\n' && bytes->back() != '\r'))
        return truncated();
    std::vector<std::string> lines = splitLines(*bytes);
    if (startsWith(name, "oldscores")) {
        if (lines.size() < static_cast<size_t>(kTeamCount))
            return truncated();
        return {};
    }
    // The season in the name says how many week lines there are and, for a
    // computer player, how many numbers follow them.
    std::string owner = pickFileOwner(name);
    int year = owner.empty() ? 0 : std::atoi(name.c_str() + owner.size());
    const SeasonShape shape = seasonShape(year);
    const auto weeks = static_cast<size_t>(shape.weeks);
    if (lines.size() < weeks)
        return truncated();
    // A week line holds a digit and a comma for every team but the last.
    for (size_t w = 0; w < weeks; ++w)
        if (lines[w].size() < static_cast<size_t>(2 * kTeamCount - 1))
            return truncated();
    if (isComputerPickFile(name) && lines.size() < weeks + static_cast<size_t>(shape.maxGames))
        return truncated();
    return {};
}

} // namespace gs
