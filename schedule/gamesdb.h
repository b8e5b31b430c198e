#pragma once

// The games table "Scoresheet": a SQLite database in ProgramFolder under the
// file name the pool exchanges (scoresheet97.mdb). Six text fields in this
// order: TeamA, TeamB, Date, Visitor, Home, Year, an optional integer field
// Week that only a table holding official weeks has, and an optional text
// field Kickoff that only a table holding kickoffs has. Record order is
// the order the games were played and is kept as rowid order.

#include "core/game.h"
#include "core/result.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace gs {

// One record of the table as it is stored: fields TeamA, TeamB, Date,
// Visitor, Home, Year, the optional Week and Kickoff, and the rowid it is read and
// written back by. The one place where a game is text: the layers above
// take it as a Game (gameOf).
struct GameRecord {
    std::string visitor;      // TeamA: the visiting team
    std::string home;         // TeamB: the home team
    std::string date;         // Date
    std::string visitorScore; // Visitor: the visiting team's score, "" until entered
    std::string homeScore;    // Home: the home team's score, "" until entered
    std::string year;         // Year
    // Week: the game's official week, 0 where the table has none (tables
    // made before the column, and every bundled season).
    int week = 0;
    // Kickoff: the game's kickoff "HH:MM" in US Eastern time, "" where the
    // table has none (tables made before the column, and every bundled
    // season).
    std::string kickoff = {};
    // Where the record stands in the table; 0 for one not read from it.
    long long rowid = 0;
    // Records are equal when their fields are: where they stand is no part
    // of what they hold.
    bool operator==(const GameRecord& other) const {
        return visitor == other.visitor && home == other.home && date == other.date &&
               visitorScore == other.visitorScore && homeScore == other.homeScore &&
               year == other.year && week == other.week && kickoff == other.kickoff;
    }
};

// The game a record holds: its teams by their names (any season's, spaces
// aside), its date (none for an empty field), its scores as they are written
// its season by the numeric value of Year, and its kickoff where the record
// has one. Fails (Malformed) for a team the league does not know, a date
// that is no date, a year that is no whole number and a kickoff that is no
// "HH:MM" (or has no date).
Result<Game> gameOf(const GameRecord& record);

class GamesTable {
public:
    // Opens an existing database file that holds the table "Scoresheet" with
    // its six fields (Week and Kickoff or not); nothing in the file is changed. Fails
    // when it cannot be opened, and with NoGamesTable when it holds no such
    // table (for instance a file of 0 bytes).
    static Result<std::unique_ptr<GamesTable>> open(const std::filesystem::path& path);
    // Opens the database file, creating the file and the table where they
    // are missing: for a new table, or an import the person asked for.
    static Result<std::unique_ptr<GamesTable>> create(const std::filesystem::path& path);
    ~GamesTable();
    GamesTable(const GamesTable&) = delete;
    GamesTable& operator=(const GamesTable&) = delete;

    // Every record in table order, with its rowid; empty fields read as "".
    Result<std::vector<GameRecord>> records() const;

    // Replaces every record of the seasons (by numeric Year) that the given
    // records hold, in one transaction; other seasons stay as they are.
    // Seasons stay contiguous and in year order. The field Week (Kickoff)
    // is added when a record with a week (kickoff) is written to a table
    // without it. With
    // `seen`, nothing is written unless the table still holds exactly those
    // records (else it fails with Changed). With `mark`, the same
    // transaction stores it as the file's import mark. On failure nothing
    // changes.
    Status replaceSeasons(const std::vector<GameRecord>& records,
                          const std::vector<GameRecord>* seen = nullptr,
                          std::optional<int> mark = std::nullopt);

    // The number the last import stored with its records (SQLite's
    // user_version, in the file's header: no table), 0 for none. An import
    // that must change other files with the table tells by it whether its
    // commit happened.
    Result<int> importMark() const;

    // The rowids of every record, in table order.
    Result<std::vector<long long>> rowids() const;
    // One record by rowid.
    Result<GameRecord> read(long long rowid) const;
    // Writes the two score fields of one record ("" stores an empty field).
    Status writeScores(long long rowid, const std::string& visitor, const std::string& home);

    sqlite3* handle() const { return m_db; }

    // The new scores of one record ("" stores an empty field), with the
    // record as the caller read it.
    struct ScoreChange {
        long long rowid = 0;
        GameRecord seen;
        std::string visitor;
        std::string home;
        bool operator==(const ScoreChange&) const = default;
    };
    // Writes the scores of many records in one transaction. Nothing changes
    // when any record no longer exists or no longer holds what was seen, so
    // an edit made meanwhile by another window or program is never lost
    // (the write fails with Changed).
    Status writeManyScores(const std::vector<ScoreChange>& changes);

private:
    explicit GamesTable(sqlite3* db) : m_db(db) {}
    static Result<std::unique_ptr<GamesTable>> openFile(const std::filesystem::path& path,
                                                        bool create);
    sqlite3* m_db = nullptr;
};

// Done when a database file that comes from elsewhere (received from
// another machine, or a backup) is plain data as the games table is: the
// one table "Scoresheet" with at least the fields TeamA, TeamB, Date,
// Visitor, Home and Year (more are ignored), and no trigger, view, index or
// other table, which a later write to the table could set off. Otherwise
// says what is wrong; the file is only read.
Status checkPlainGamesTable(const std::filesystem::path& path);

// A record cursor over the table in table order, as score entry uses it.
// Edits of Visitor and Home are held until the cursor moves or flush() runs,
// then written to the table.
class RecordCursor {
public:
    // Starts at the first record. When the table cannot be read the cursor
    // is empty and lastError() says why.
    explicit RecordCursor(GamesTable& table);

    int recordCount() const { return static_cast<int>(m_rowids.size()); }
    // Past the last record; an empty table is both past its end and before
    // its start.
    bool eof() const { return m_position >= recordCount(); }
    // Before the first record.
    bool bof() const { return m_position < 0 || m_rowids.empty(); }
    int position() const { return m_position; }

    // Each move writes a pending edit first; false when that write failed
    // (the reason is in lastError(); the cursor then stays where it was).
    bool moveFirst();
    bool moveLast();
    bool moveNext();
    bool movePrevious();
    bool move(int records);

    // A field of the current record by name, compared without regard to
    // case ("year" finds "Year"). "" outside the table.
    std::string field(std::string_view name) const;
    // Sets "Visitor" or "Home" of the current record; other names are ignored.
    void setField(std::string_view name, const std::string& value);
    // Writes a pending edit now.
    bool flush();
    const std::string& lastError() const { return m_error; }

private:
    bool goTo(int position);
    GamesTable& m_table;
    std::vector<long long> m_rowids;
    int m_position = 0;
    GameRecord m_current;
    bool m_dirty = false;
    std::string m_error;
};

// The scores a record holds, as a refusal names them: "24-17", or for half
// an entry which half ("the visitor score 24 only").
std::string heldScores(const GameRecord& record);

} // namespace gs
