#include "schedule/gamesdb.h"

#include "tests/support/testsupport.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace gs {
namespace {

namespace fs = std::filesystem;

std::string dump(const std::vector<GameRecord>& records) {
    std::string text;
    for (const auto& r : records)
        text += r.TeamA + "|" + r.TeamB + "|" + r.Date + "|" + r.Visitor + "|" + r.Home + "|" +
                r.Year + "\n";
    return text;
}

// Runs fixed SQL on a connection (test set-up only; no values pasted in).
void sql(sqlite3* db, const char* statement) {
    char* error = nullptr;
    ASSERT_EQ(sqlite3_exec(db, statement, nullptr, nullptr, &error), SQLITE_OK) << error;
}

std::string scalar(sqlite3* db, const char* query) {
    sqlite3_stmt* stmt = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db, query, -1, &stmt, nullptr), SQLITE_OK);
    std::string value;
    if (sqlite3_step(stmt) == SQLITE_ROW && sqlite3_column_text(stmt, 0))
        value = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
    sqlite3_finalize(stmt);
    return value;
}

// Another program holding the write lock on the database file.
class OtherWriter {
public:
    explicit OtherWriter(const fs::path& path) {
        sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
        sql(m_db, "BEGIN IMMEDIATE");
    }
    ~OtherWriter() {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(m_db);
    }

private:
    sqlite3* m_db = nullptr;
};

const std::vector<GameRecord> kSeason2010 = {
    {"Minnesota Vikings", "New Orleans Saints", "9/9/2010", "9", "14", "2010"},
    {"Miami Dolphins", "Buffalo Bills", "9/12/2010", "", "", "2010"},
    {"Caf\xE9 Team", "N.Y. Jets", "9/13/2010", "7", "", "2010"},
};
const std::vector<GameRecord> kSeason2009 = {
    {"Tennessee Titans", "Pittsburgh Steelers", "9/10/2009", "10", "13", "2009"},
    {"Miami Dolphins", "Atlanta Falcons", "9/13/2009", "7", "19", "2009"},
};

class GamesDb : public testing::Test {
protected:
    std::unique_ptr<GamesTable> open() {
        std::string error;
        auto table = GamesTable::open(m_path, error);
        EXPECT_TRUE(table) << error;
        return table;
    }
    // Fills the table with the given records and closes it.
    void fill(const std::vector<GameRecord>& records) {
        auto table = open();
        std::string error;
        ASSERT_TRUE(table->replaceSeasons(records, error)) << error;
    }
    std::string stored() {
        auto table = open();
        std::string error;
        auto records = table->records(&error);
        EXPECT_EQ(error, "");
        return dump(records);
    }
    test::TempDir m_dir;
    fs::path m_path = m_dir.path() / "games.mdb";
};

TEST_F(GamesDb, NewFileHasTheSixFieldsInOrderAndNoRecords) {
    auto table = open();
    EXPECT_EQ(scalar(table->handle(), "SELECT group_concat(name, ',') FROM "
                                      "pragma_table_info('Scoresheet')"),
              "TeamA,TeamB,Date,Visitor,Home,Year");
    EXPECT_TRUE(table->records().empty());
    EXPECT_TRUE(fs::exists(m_path));
}

TEST_F(GamesDb, RecordsComeBackInTheirOrderWithEveryByte) {
    std::vector<GameRecord> records = kSeason2009;
    records.insert(records.end(), kSeason2010.begin(), kSeason2010.end());
    fill(records);
    EXPECT_EQ(stored(), dump(records));
    auto table = open();
    // Empty scores are stored as empty fields, not as empty texts.
    EXPECT_EQ(scalar(table->handle(), "SELECT count(*) FROM Scoresheet WHERE Visitor IS NULL"),
              "1");
    EXPECT_EQ(scalar(table->handle(), "SELECT count(*) FROM Scoresheet WHERE Home IS NULL"), "2");
}

TEST_F(GamesDb, ScoresStoredAsTextOrNumbersReadAsText) {
    // A table produced by another tool may hold '' or whole numbers.
    {
        auto table = open();
        sql(table->handle(), "INSERT INTO Scoresheet VALUES "
                             "('Miami Dolphins','Buffalo Bills','9/12/2010','',13,'2010')");
    }
    EXPECT_EQ(stored(), "Miami Dolphins|Buffalo Bills|9/12/2010||13|2010\n");
}

TEST_F(GamesDb, ReplaceKeepsOtherSeasonsAndMakesEverySeasonContiguous) {
    // Out of order on purpose: 2011, 2010 (with a trailing space), 2011, 2009.
    {
        auto table = open();
        sql(table->handle(),
            "INSERT INTO Scoresheet VALUES "
            "('Dallas Cowboys','N.Y. Giants','9/8/2011',NULL,NULL,'2011'),"
            "('Old Visitor','Old Home','9/9/2010','1','2','2010 '),"
            "('Chicago Bears','Detroit Lions','9/11/2011',NULL,NULL,'2011'),"
            "('Tennessee Titans','Pittsburgh Steelers','9/10/2009','10','13','2009')");
    }
    auto table = open();
    std::string error;
    ASSERT_TRUE(table->replaceSeasons(kSeason2010, error)) << error;
    EXPECT_EQ(dump(table->records()), "Tennessee Titans|Pittsburgh Steelers|9/10/2009|10|13|2009\n"
                                      "Minnesota Vikings|New Orleans Saints|9/9/2010|9|14|2010\n"
                                      "Miami Dolphins|Buffalo Bills|9/12/2010|||2010\n"
                                      "Caf\xE9 Team|N.Y. Jets|9/13/2010|7||2010\n"
                                      "Dallas Cowboys|N.Y. Giants|9/8/2011|||2011\n"
                                      "Chicago Bears|Detroit Lions|9/11/2011|||2011\n");
}

TEST_F(GamesDb, ReplaceGroupsTheGivenSeasonsInYearOrder) {
    std::vector<GameRecord> mixed = {kSeason2010[0], kSeason2009[0], kSeason2010[1],
                                     kSeason2009[1]};
    fill(mixed);
    EXPECT_EQ(stored(), dump({kSeason2009[0], kSeason2009[1], kSeason2010[0], kSeason2010[1]}));
}

TEST_F(GamesDb, FailedReplaceHalfwayLeavesEveryRecord) {
    fill(kSeason2009);
    fill(kSeason2010);
    std::string before = stored();
    auto table = open();
    // The last insert is refused after the old 2010 records are gone.
    sql(table->handle(), "CREATE TRIGGER refuse BEFORE INSERT ON Scoresheet "
                         "WHEN NEW.TeamA = 'Boom' BEGIN SELECT RAISE(ABORT, 'refused'); END");
    std::vector<GameRecord> replacement = {kSeason2010[0], kSeason2010[1]};
    replacement.push_back({"Boom", "Bang", "9/20/2010", "", "", "2010"});
    std::string error;
    EXPECT_FALSE(table->replaceSeasons(replacement, error));
    EXPECT_EQ(error, "refused");
    EXPECT_EQ(dump(table->records()), before);
    table.reset();
    EXPECT_EQ(stored(), before);
}

TEST_F(GamesDb, ReplaceOnALockedDatabaseChangesNothing) {
    fill(kSeason2009);
    std::string before = stored();
    auto table = open();
    sqlite3_busy_timeout(table->handle(), 0); // fail at once instead of waiting
    std::string error;
    {
        OtherWriter writer(m_path);
        EXPECT_FALSE(table->replaceSeasons(kSeason2010, error));
    }
    EXPECT_EQ(error, "database is locked");
    EXPECT_EQ(stored(), before);
}

TEST_F(GamesDb, AFileThatIsNotADatabaseIsRefused) {
    test::writeBytes(m_path, std::string(2048, 'x'));
    std::string error;
    EXPECT_FALSE(GamesTable::open(m_path, error));
    EXPECT_EQ(error, "file is not a database");
    EXPECT_EQ(test::readBytes(m_path), std::string(2048, 'x'));
}

TEST_F(GamesDb, AMissingFolderIsRefused) {
    std::string error;
    EXPECT_FALSE(GamesTable::open(m_dir.path() / "none" / "games.mdb", error));
    EXPECT_EQ(error, "unable to open database file");
}

TEST_F(GamesDb, ReadAndWriteOneRecordByRowid) {
    fill(kSeason2010);
    auto table = open();
    std::vector<long long> ids = table->rowids();
    ASSERT_EQ(ids.size(), 3u);
    std::string error;
    ASSERT_TRUE(table->writeScores(ids[1], "21", "", error)) << error;
    GameRecord record;
    ASSERT_TRUE(table->read(ids[1], record));
    EXPECT_EQ(dump({record}), "Miami Dolphins|Buffalo Bills|9/12/2010|21||2010\n");
    EXPECT_FALSE(table->read(ids[2] + 1, record, &error));
    EXPECT_FALSE(table->writeScores(ids[2] + 1, "1", "2", error));
    EXPECT_EQ(error, "the record 4 no longer exists");
}

// Where the cursor stands: "bof", "eof" or position:TeamA.
std::string where(const RecordCursor& cursor) {
    if (cursor.bof())
        return cursor.eof() ? "bof+eof" : "bof";
    if (cursor.eof())
        return "eof";
    return std::to_string(cursor.position()) + ":" + cursor.field("TeamA");
}

TEST_F(GamesDb, CursorWalksLikeARecordset) {
    fill(kSeason2010);
    auto table = open();
    RecordCursor cursor(*table);
    EXPECT_EQ(cursor.recordCount(), 3);
    std::vector<std::string> path{where(cursor)};
    auto step = [&](bool moved) {
        EXPECT_TRUE(moved);
        path.push_back(where(cursor));
    };
    step(cursor.moveNext());
    step(cursor.moveNext());
    step(cursor.moveNext());
    step(cursor.moveNext()); // stays past the end
    step(cursor.movePrevious());
    step(cursor.moveFirst());
    step(cursor.movePrevious());
    step(cursor.move(2));
    step(cursor.move(-1));
    step(cursor.move(10));
    step(cursor.move(-10));
    step(cursor.moveLast());
    EXPECT_EQ(testing::PrintToString(path),
              testing::PrintToString(std::vector<std::string>{
                  "0:Minnesota Vikings", "1:Miami Dolphins", "2:Caf\xE9 Team", "eof", "eof",
                  "2:Caf\xE9 Team", "0:Minnesota Vikings", "bof", "1:Miami Dolphins",
                  "0:Minnesota Vikings", "eof", "bof", "2:Caf\xE9 Team"}));
}

TEST_F(GamesDb, CursorFieldsByNameInAnyCase) {
    fill(kSeason2010);
    auto table = open();
    RecordCursor cursor(*table);
    std::string fields;
    for (const char* name : {"teama", "TEAMB", "date", "Visitor", "home", "year", "Week"})
        fields += "[" + cursor.field(name) + "]";
    EXPECT_EQ(fields, "[Minnesota Vikings][New Orleans Saints][9/9/2010][9][14][2010][]");
    cursor.movePrevious();
    EXPECT_EQ(cursor.field("TeamA"), "");
}

TEST_F(GamesDb, EmptyTableIsBothBeforeAndPastItsEnd) {
    auto table = open();
    RecordCursor cursor(*table);
    EXPECT_EQ(where(cursor), "bof+eof");
    EXPECT_TRUE(cursor.moveNext());
    EXPECT_EQ(where(cursor), "bof+eof");
    cursor.setField("Visitor", "3");
    EXPECT_TRUE(cursor.flush());
    EXPECT_EQ(cursor.field("Visitor"), "");
}

TEST_F(GamesDb, CursorEditsAreWrittenWhenItMovesOrFlushes) {
    fill(kSeason2010);
    {
        auto table = open();
        RecordCursor cursor(*table);
        cursor.setField("visitor", "17");
        cursor.setField("HOME", "20");
        cursor.setField("TeamA", "Someone Else"); // only scores can change
        EXPECT_EQ(cursor.field("Visitor"), "17");
        // Nothing reaches the table before the cursor moves.
        EXPECT_EQ(dump(table->records()), dump(kSeason2010));
        EXPECT_TRUE(cursor.moveNext());
        cursor.setField("Visitor", "3");
        EXPECT_TRUE(cursor.moveLast());
        cursor.setField("Visitor", ""); // clearing a score stores an empty field
        EXPECT_TRUE(cursor.flush());
    }
    EXPECT_EQ(stored(), "Minnesota Vikings|New Orleans Saints|9/9/2010|17|20|2010\n"
                        "Miami Dolphins|Buffalo Bills|9/12/2010|3||2010\n"
                        "Caf\xE9 Team|N.Y. Jets|9/13/2010|||2010\n");
}

TEST_F(GamesDb, CursorStaysWhenItsEditCannotBeWritten) {
    fill(kSeason2010);
    auto table = open();
    sqlite3_busy_timeout(table->handle(), 0);
    RecordCursor cursor(*table);
    ASSERT_TRUE(cursor.moveNext());
    cursor.setField("Home", "28");
    {
        OtherWriter writer(m_path);
        EXPECT_FALSE(cursor.moveNext());
        EXPECT_EQ(cursor.lastError(), "database is locked");
        EXPECT_EQ(where(cursor), "1:Miami Dolphins");
        EXPECT_EQ(cursor.field("Home"), "28"); // the edit is still pending
        EXPECT_FALSE(cursor.flush());
    }
    // Once the other writer is gone the same edit goes through.
    EXPECT_TRUE(cursor.moveNext());
    EXPECT_EQ(cursor.lastError(), "");
    EXPECT_EQ(where(cursor), "2:Caf\xE9 Team");
    EXPECT_EQ(stored(), "Minnesota Vikings|New Orleans Saints|9/9/2010|9|14|2010\n"
                        "Miami Dolphins|Buffalo Bills|9/12/2010||28|2010\n"
                        "Caf\xE9 Team|N.Y. Jets|9/13/2010|7||2010\n");
}

} // namespace
} // namespace gs
