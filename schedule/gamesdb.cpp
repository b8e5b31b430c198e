#include "gamesdb.h"

#include "core/text.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <map>
#include <sqlite3.h>
#include <sys/stat.h>

namespace gs {

namespace {

// How long a write waits for another program (such as a second copy of the
// pool) to release the database before giving up.
constexpr int kBusyTimeoutMs = 5000;

constexpr const char* kCreateTable = "CREATE TABLE IF NOT EXISTS Scoresheet ("
                                     "TeamA TEXT, TeamB TEXT, Date TEXT, "
                                     "Visitor TEXT, Home TEXT, Year TEXT)";
// The optional fields: a table made before the official weeks were kept has
// no field Week, one made before kickoffs were kept no field Kickoff; the
// reads then take NULL for them (no week, no kickoff), and the writes leave
// them out.
struct OptionalFields {
    bool week = false;
    bool kickoff = false;
};

std::string selectSql(OptionalFields fields, const char* where) {
    return std::string("SELECT rowid, TeamA, TeamB, Date, Visitor, Home, Year, ") +
           (fields.week ? "Week" : "NULL") + ", " + (fields.kickoff ? "Kickoff" : "NULL") +
           " FROM Scoresheet " + where;
}
constexpr const char* kAll = "ORDER BY rowid";
constexpr const char* kOne = "WHERE rowid = ?1";

std::string insertSql(OptionalFields fields) {
    return std::string("INSERT INTO Scoresheet (TeamA, TeamB, Date, Visitor, Home, Year") +
           (fields.week ? ", Week" : "") + (fields.kickoff ? ", Kickoff" : "") +
           ") VALUES (?1, ?2, ?3, ?4, ?5, ?6" + (fields.week ? ", ?7" : "") +
           (fields.kickoff ? ", ?8" : "") + ")";
}
// Only integers: the field's affinity turns a week written as text into one.
constexpr const char* kAddWeek = "ALTER TABLE Scoresheet ADD COLUMN Week INTEGER";
// "HH:MM" in US Eastern time, as the community games file gives it.
constexpr const char* kAddKickoff = "ALTER TABLE Scoresheet ADD COLUMN Kickoff TEXT";

// The kind of a failed SQLite call: another program holding the database,
// a file that is no database or a damaged one, or else the given kind.
ErrorKind kindOf(int rc, ErrorKind otherwise) {
    switch (rc & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return ErrorKind::Busy;
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return ErrorKind::Malformed;
    default:
        return otherwise;
    }
}

// One prepared statement, finalized with the object.
class Statement {
public:
    Statement(sqlite3* db, const char* sql) : m_db(db) {
        m_rc = sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr);
    }
    Statement(sqlite3* db, const std::string& sql) : Statement(db, sql.c_str()) {}
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool ok() const { return m_rc == SQLITE_OK || m_rc == SQLITE_ROW || m_rc == SQLITE_DONE; }
    std::string error() const { return sqlite3_errmsg(m_db); }
    // The failure, of the given kind unless SQLite's code tells a closer one.
    Error failed(ErrorKind otherwise) const { return {kindOf(m_rc, otherwise), error()}; }

    void bindText(int index, const std::string& value) {
        if (ok())
            m_rc = sqlite3_bind_text(m_stmt, index, value.data(), static_cast<int>(value.size()),
                                     SQLITE_TRANSIENT);
    }
    // An empty score is stored as NULL, the way an untouched field reads.
    void bindScore(int index, const std::string& value) {
        if (!value.empty())
            return bindText(index, value);
        if (ok())
            m_rc = sqlite3_bind_null(m_stmt, index);
    }
    void bindInt64(int index, long long value) {
        if (ok())
            m_rc = sqlite3_bind_int64(m_stmt, index, value);
    }
    // No week is stored as NULL, as a record added before the field reads.
    void bindWeek(int index, int week) {
        if (week > 0)
            return bindInt64(index, week);
        if (ok())
            m_rc = sqlite3_bind_null(m_stmt, index);
    }

    // True while a row is available; check ok() afterwards.
    bool step() {
        if (!ok())
            return false;
        m_rc = sqlite3_step(m_stmt);
        return m_rc == SQLITE_ROW;
    }
    // Runs a statement that returns no rows.
    bool run() {
        step();
        return m_rc == SQLITE_DONE;
    }
    void reset() {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
        m_rc = SQLITE_OK;
    }

    std::string text(int column) const {
        const unsigned char* value = sqlite3_column_text(m_stmt, column);
        if (!value)
            return {};
        return std::string(reinterpret_cast<const char*>(value),
                           static_cast<size_t>(sqlite3_column_bytes(m_stmt, column)));
    }
    long long int64(int column) const { return sqlite3_column_int64(m_stmt, column); }

    GameRecord record() const {
        GameRecord read{text(1), text(2), text(3), text(4), text(5), text(6)};
        read.rowid = int64(0);
        if (sqlite3_column_type(m_stmt, 7) == SQLITE_INTEGER)
            read.week = static_cast<int>(std::clamp<long long>(int64(7), 0, 99));
        read.kickoff = text(8);
        return read;
    }

private:
    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
    int m_rc = SQLITE_OK;
};

// Every statement run this way changes the file.
Status exec(sqlite3* db, const char* sql) {
    Statement statement(db, sql);
    if (statement.run())
        return {};
    return failure(statement.failed(ErrorKind::Unwritable));
}

// An IMMEDIATE transaction: the write lock is taken up front, so a busy
// database fails before anything is changed. Rolled back unless committed.
class Transaction {
public:
    explicit Transaction(sqlite3* db) : m_db(db) {}
    ~Transaction() {
        if (m_open)
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    Status begin() {
        Status begun = exec(m_db, "BEGIN IMMEDIATE");
        m_open = begun.has_value();
        return begun;
    }
    Status commit() {
        if (Status committed = exec(m_db, "COMMIT"); !committed)
            return committed;
        m_open = false;
        return {};
    }

private:
    sqlite3* m_db;
    bool m_open = false;
};

// The records of the table with the given seasons replaced: every season
// contiguous, seasons in numeric year order, records in their own order.
std::vector<GameRecord> mergeSeasons(const std::vector<GameRecord>& existing,
                                     const std::vector<GameRecord>& replacement) {
    std::map<double, std::vector<GameRecord>> seasons;
    for (const auto& record : replacement)
        seasons[numericValue(record.year)].push_back(record);
    std::map<double, std::vector<GameRecord>> kept;
    for (const auto& record : existing) {
        double year = numericValue(record.year);
        if (!seasons.contains(year))
            kept[year].push_back(record);
    }
    seasons.merge(kept);
    std::vector<GameRecord> merged;
    for (auto& [year, records] : seasons)
        merged.insert(merged.end(), records.begin(), records.end());
    return merged;
}

// True when the database holds the table "Scoresheet" with every field the
// program reads and writes (names compared as SQLite does, without regard to
// case). A database without it is someone else's file or a damaged one; an
// empty table made in its place would pass for a pool without seasons.
Status checkGamesFields(sqlite3* db) {
    Statement columns(db, "SELECT name FROM pragma_table_info('Scoresheet')");
    std::vector<std::string> names;
    while (columns.step())
        names.push_back(upperAscii(columns.text(0)));
    if (!columns.ok())
        return failure(columns.failed(ErrorKind::Unreadable));
    if (names.empty())
        return failure(ErrorKind::NoGamesTable, "it holds no table \"Scoresheet\"");
    for (const char* field : {"TeamA", "TeamB", "Date", "Visitor", "Home", "Year"})
        if (std::find(names.begin(), names.end(), upperAscii(field)) == names.end())
            return failure(ErrorKind::NoGamesTable,
                           std::string("its table \"Scoresheet\" has no field ") + field);
    return {};
}

// Which optional fields the table has. Asked at each read, since another
// program may add a field to an open table; a failure here shows again in
// the read that follows.
OptionalFields optionalFields(sqlite3* db) {
    OptionalFields fields;
    Statement columns(db, "SELECT upper(name) FROM pragma_table_info('Scoresheet')");
    while (columns.step()) {
        std::string name = columns.text(0);
        fields.week = fields.week || name == "WEEK";
        fields.kickoff = fields.kickoff || name == "KICKOFF";
    }
    return fields;
}

} // namespace

Result<std::unique_ptr<GamesTable>> GamesTable::open(const std::filesystem::path& path) {
    return openFile(path, false);
}

Result<std::unique_ptr<GamesTable>> GamesTable::create(const std::filesystem::path& path) {
    return openFile(path, true);
}

Result<std::unique_ptr<GamesTable>> GamesTable::openFile(const std::filesystem::path& path,
                                                         bool create) {
    // SQLite would wait for ever on a pipe and read a device as a database;
    // only a regular file (or, to create one, nothing) is handed to it.
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode))
        return failure(ErrorKind::Unreadable,
                       S_ISDIR(status.st_mode)
                           ? "it is a folder"
                           : "it is not a regular file (a pipe, a device or the like)");
    sqlite3* db = nullptr;
    int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
    int rc = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        std::string message = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
        sqlite3_close(db);
        return failure(kindOf(rc, create ? ErrorKind::Unwritable : ErrorKind::Unreadable), message);
    }
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    std::unique_ptr<GamesTable> table(new GamesTable(db));
    if (create)
        if (Status made = exec(db, kCreateTable); !made)
            return failure(made.error());
    // Also the first real read of the file: a file that is not a database
    // fails here rather than at the first scan.
    if (Status fields = checkGamesFields(db); !fields)
        return failure(fields.error());
    return table;
}

GamesTable::~GamesTable() {
    sqlite3_close(m_db);
}

Result<std::vector<GameRecord>> GamesTable::records() const {
    std::vector<GameRecord> records;
    Statement select(m_db, selectSql(optionalFields(m_db), kAll));
    while (select.step())
        records.push_back(select.record());
    if (!select.ok())
        return failure(select.failed(ErrorKind::Unreadable));
    return records;
}

Status GamesTable::replaceSeasons(const std::vector<GameRecord>& records,
                                  const std::vector<GameRecord>* seen, std::optional<int> mark) {
    Transaction transaction(m_db);
    if (Status begun = transaction.begin(); !begun)
        return begun;
    Result<std::vector<GameRecord>> existing = this->records();
    if (!existing)
        return failure(existing.error());
    if (seen && *existing != *seen)
        return failure(ErrorKind::Changed,
                       "the games table was changed by another program meanwhile");
    std::vector<GameRecord> merged = mergeSeasons(*existing, records);
    // Each field is added only for the first weeks or kickoffs written, so
    // that a table of seasons without them stays as older copies of the
    // program made it.
    OptionalFields fields = optionalFields(m_db);
    if (!fields.week && std::any_of(merged.begin(), merged.end(),
                                    [](const GameRecord& record) { return record.week > 0; })) {
        if (Status added = exec(m_db, kAddWeek); !added)
            return added;
        fields.week = true;
    }
    if (!fields.kickoff && std::any_of(merged.begin(), merged.end(), [](const GameRecord& record) {
            return !record.kickoff.empty();
        })) {
        if (Status added = exec(m_db, kAddKickoff); !added)
            return added;
        fields.kickoff = true;
    }
    // Emptying the table restarts the rowids at 1, so the inserts below
    // set the record order.
    if (Status emptied = exec(m_db, "DELETE FROM Scoresheet"); !emptied)
        return emptied;
    Statement insert(m_db, insertSql(fields));
    for (const auto& record : merged) {
        insert.reset();
        insert.bindText(1, record.visitor);
        insert.bindText(2, record.home);
        insert.bindText(3, record.date);
        insert.bindScore(4, record.visitorScore);
        insert.bindScore(5, record.homeScore);
        insert.bindText(6, record.year);
        if (fields.week)
            insert.bindWeek(7, record.week);
        if (fields.kickoff)
            insert.bindScore(8, record.kickoff); // none as NULL
        if (!insert.run())
            return failure(insert.failed(ErrorKind::Unwritable));
    }
    if (mark)
        if (Status marked = exec(m_db, ("PRAGMA user_version = " + std::to_string(*mark)).c_str());
            !marked)
            return marked;
    return transaction.commit();
}

Result<int> GamesTable::importMark() const {
    Statement select(m_db, "PRAGMA user_version");
    if (select.step())
        return static_cast<int>(select.int64(0));
    return failure(select.failed(ErrorKind::Unreadable));
}

Result<std::vector<long long>> GamesTable::rowids() const {
    std::vector<long long> ids;
    Statement select(m_db, "SELECT rowid FROM Scoresheet ORDER BY rowid");
    while (select.step())
        ids.push_back(select.int64(0));
    if (!select.ok())
        return failure(select.failed(ErrorKind::Unreadable));
    return ids;
}

Result<GameRecord> GamesTable::read(long long rowid) const {
    Statement select(m_db, selectSql(optionalFields(m_db), kOne));
    select.bindInt64(1, rowid);
    if (select.step())
        return select.record();
    if (!select.ok())
        return failure(select.failed(ErrorKind::Unreadable));
    return failure(ErrorKind::Changed, "the record " + std::to_string(rowid) + " no longer exists");
}

Status GamesTable::writeScores(long long rowid, const std::string& visitor,
                               const std::string& home) {
    Statement update(m_db, "UPDATE Scoresheet SET Visitor = ?1, Home = ?2 WHERE rowid = ?3");
    update.bindScore(1, visitor);
    update.bindScore(2, home);
    update.bindInt64(3, rowid);
    if (!update.run())
        return failure(update.failed(ErrorKind::Unwritable));
    if (sqlite3_changes(m_db) != 1)
        return failure(ErrorKind::Changed,
                       "the record " + std::to_string(rowid) + " no longer exists");
    return {};
}

Status checkPlainGamesTable(const std::filesystem::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return failure(ErrorKind::Unreadable, "it is missing or not a regular file");
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    std::unique_ptr<sqlite3, int (*)(sqlite3*)> closer(db, sqlite3_close);
    if (rc != SQLITE_OK)
        return failure(kindOf(rc, ErrorKind::Unreadable),
                       db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
    // SQLite's own bookkeeping (sqlite_sequence, the statistics, the index
    // of a UNIQUE field) runs no code of the file's.
    Statement objects(db, "SELECT type, name, sql IS NULL, "
                          "upper(substr(ltrim(sql), 1, 12)) = 'CREATE TABLE' FROM sqlite_master");
    int tables = 0;
    while (objects.step()) {
        std::string type = objects.text(0);
        std::string name = objects.text(1);
        bool internal = name.starts_with("sqlite_") &&
                        (type == "table" || (type == "index" && objects.int64(2) != 0));
        if (type == "table" && upperAscii(name) == "SCORESHEET" && objects.int64(3) != 0)
            ++tables;
        else if (!internal)
            return failure(ErrorKind::Refused, "it holds the " + type + " " +
                                                   quotedForMessage(name) +
                                                   " besides the table \"Scoresheet\"");
    }
    if (!objects.ok())
        return failure(objects.failed(ErrorKind::Unreadable));
    if (tables != 1)
        return failure(ErrorKind::NoGamesTable, "it holds no table \"Scoresheet\"");
    return checkGamesFields(db);
}

RecordCursor::RecordCursor(GamesTable& table) : m_table(table) {
    Result<std::vector<long long>> rowids = m_table.rowids();
    if (!rowids) {
        m_error = rowids.error().message;
        return;
    }
    if (rowids->empty())
        return;
    Result<GameRecord> first = m_table.read(rowids->front());
    if (!first) {
        m_error = first.error().message;
        return;
    }
    m_rowids = std::move(*rowids);
    m_current = std::move(*first);
}

bool RecordCursor::moveFirst() {
    return goTo(0);
}

bool RecordCursor::moveLast() {
    return goTo(recordCount() - 1);
}

bool RecordCursor::moveNext() {
    return goTo(m_position + 1);
}

bool RecordCursor::movePrevious() {
    return goTo(m_position - 1);
}

bool RecordCursor::move(int records) {
    long long target = static_cast<long long>(m_position) + records;
    return goTo(static_cast<int>(std::clamp<long long>(target, -1, recordCount())));
}

namespace {

bool sameName(std::string_view a, std::string_view b) {
    return upperAscii(a) == upperAscii(b);
}

} // namespace

std::string RecordCursor::field(std::string_view name) const {
    if (bof() || eof())
        return {};
    const std::pair<const char*, const std::string*> fields[] = {
        {"TeamA", &m_current.visitor},  {"TeamB", &m_current.home},
        {"Date", &m_current.date},      {"Visitor", &m_current.visitorScore},
        {"Home", &m_current.homeScore}, {"Year", &m_current.year},
    };
    for (const auto& [fieldName, value] : fields)
        if (sameName(name, fieldName))
            return *value;
    return {};
}

void RecordCursor::setField(std::string_view name, const std::string& value) {
    if (bof() || eof())
        return;
    std::string* target = nullptr;
    if (sameName(name, "Visitor"))
        target = &m_current.visitorScore;
    else if (sameName(name, "Home"))
        target = &m_current.homeScore;
    if (!target)
        return;
    *target = value;
    m_dirty = true;
}

bool RecordCursor::flush() {
    if (!m_dirty)
        return true;
    if (Status written = m_table.writeScores(m_rowids[static_cast<size_t>(m_position)],
                                             m_current.visitorScore, m_current.homeScore);
        !written) {
        m_error = written.error().message;
        return false;
    }
    m_dirty = false;
    m_error.clear();
    return true;
}

bool RecordCursor::goTo(int position) {
    if (!flush())
        return false;
    // Moving beyond either end stops one step outside the table, as a
    // recordset's BOF and EOF positions do.
    int target = std::max(-1, std::min(position, recordCount()));
    GameRecord record;
    if (target >= 0 && target < recordCount()) {
        Result<GameRecord> read = m_table.read(m_rowids[static_cast<size_t>(target)]);
        if (!read) {
            m_error = read.error().message;
            return false;
        }
        record = std::move(*read);
    }
    m_position = target;
    m_current = record;
    m_error.clear();
    return true;
}

namespace {

// A record is compared field by field as records() reads it, where a NULL
// field reads as "".
constexpr const char* kUpdateIfUnchanged =
    "UPDATE Scoresheet SET Visitor = ?1, Home = ?2 WHERE rowid = ?3 "
    "AND COALESCE(TeamA, '') = ?4 AND COALESCE(TeamB, '') = ?5 AND COALESCE(Date, '') = ?6 "
    "AND COALESCE(Visitor, '') = ?7 AND COALESCE(Home, '') = ?8 AND COALESCE(Year, '') = ?9";

} // namespace

Status GamesTable::writeManyScores(const std::vector<ScoreChange>& changes) {
    if (changes.empty())
        return {};
    Transaction transaction(m_db);
    if (Status begun = transaction.begin(); !begun)
        return begun;
    Statement update(m_db, kUpdateIfUnchanged);
    for (const ScoreChange& change : changes) {
        update.reset();
        update.bindScore(1, change.visitor);
        update.bindScore(2, change.home);
        update.bindInt64(3, change.rowid);
        update.bindText(4, change.seen.visitor);
        update.bindText(5, change.seen.home);
        update.bindText(6, change.seen.date);
        update.bindText(7, change.seen.visitorScore);
        update.bindText(8, change.seen.homeScore);
        update.bindText(9, change.seen.year);
        if (!update.run())
            return failure(update.failed(ErrorKind::Unwritable));
        if (sqlite3_changes(m_db) != 1)
            return failure(ErrorKind::Changed, "the record " + std::to_string(change.rowid) +
                                                   " no longer exists or was changed meanwhile");
    }
    return transaction.commit();
}

std::string heldScores(const GameRecord& record) {
    std::string visitor = trimSpaces(record.visitorScore);
    std::string home = trimSpaces(record.homeScore);
    if (home.empty())
        return "the visitor score " + visitor + " only";
    if (visitor.empty())
        return "the home score " + home + " only";
    return visitor + "-" + home;
}

Result<Game> gameOf(const GameRecord& record) {
    std::optional<Team> visitor = Team::namedIgnoringSpaces(record.visitor);
    if (!visitor)
        return failure(ErrorKind::Malformed, "unknown team " + quotedForMessage(record.visitor));
    std::optional<Team> home = Team::namedIgnoringSpaces(record.home);
    if (!home)
        return failure(ErrorKind::Malformed, "unknown team " + quotedForMessage(record.home));
    std::optional<Date> date;
    if (!record.date.empty() && !(date = Date::parse(record.date)))
        return failure(ErrorKind::Malformed, "invalid date " + quotedForMessage(record.date));
    double year = numericValue(record.year);
    if (year != std::floor(year) || year < INT_MIN || year > INT_MAX)
        return failure(ErrorKind::Malformed, "invalid year " + quotedForMessage(record.year));
    std::optional<Kickoff> kickoff;
    if (!record.kickoff.empty()) {
        Result<Kickoff> read = date ? Kickoff::parse(*date, record.kickoff)
                                    : failure(ErrorKind::Malformed, "a kickoff without a date");
        if (!read)
            return failure(read.error().kind,
                           "invalid kickoff " + quotedForMessage(record.kickoff));
        kickoff = *read;
    }
    return Game{*visitor,
                *home,
                date,
                Score::parse(record.visitorScore),
                Score::parse(record.homeScore),
                record.week,
                static_cast<int>(year),
                kickoff};
}

} // namespace gs
