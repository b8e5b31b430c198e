#include "schedule/gamesdb.h"

#include "tests/support/testsupport.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace gs {
namespace {

using test::dumpRecords;

// Runs fixed SQL on a connection (test set-up only; no values pasted in).
void sql(sqlite3* db, const char* statement) {
    char* error = nullptr;
    ASSERT_EQ(sqlite3_exec(db, statement, nullptr, nullptr, &error), SQLITE_OK) << error;
}

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
        auto table = GamesTable::create(fixture.pool.gamesDatabasePath());
        EXPECT_TRUE(table) << table.error();
        return table ? std::move(*table) : nullptr;
    }
    std::string stored() { return dumpRecords(test::tableRecords(fixture.pool)); }
    void store(const std::vector<GameRecord>& records) {
        test::storeRecords(fixture.pool, records);
    }
    test::PoolFixture fixture;
};

TEST_F(GamesDb, ReplaceKeepsOtherSeasonsAndEveryByteInYearOrder) {
    // Out of order on purpose, a year with a trailing space, and scores as
    // another tool may store them: '' and whole numbers.
    sql(open()->handle(),
        "INSERT INTO Scoresheet VALUES "
        "('Dallas Cowboys','N.Y. Giants','9/8/2011',NULL,NULL,'2011'),"
        "('Old Visitor','Old Home','9/9/2010','1','2','2010 '),"
        "('Chicago Bears','Detroit Lions','9/11/2011','',13,'2011'),"
        "('Tennessee Titans','Pittsburgh Steelers','9/10/2009','10','13','2009')");
    store({kSeason2010[0], kSeason2010[1], kSeason2009[1], kSeason2010[2]});
    EXPECT_EQ(stored(), "Miami Dolphins|Atlanta Falcons|9/13/2009|7|19|2009\n"
                        "Minnesota Vikings|New Orleans Saints|9/9/2010|9|14|2010\n"
                        "Miami Dolphins|Buffalo Bills|9/12/2010|||2010\n"
                        "Caf\xE9 Team|N.Y. Jets|9/13/2010|7||2010\n"
                        "Dallas Cowboys|N.Y. Giants|9/8/2011|||2011\n"
                        "Chicago Bears|Detroit Lions|9/11/2011||13|2011\n");
}

TEST_F(GamesDb, FailedReplaceHalfwayLeavesEveryRecord) {
    store(kSeason2009);
    store(kSeason2010);
    std::string before = stored();
    auto table = open();
    // The last insert is refused after the old 2010 records are gone.
    sql(table->handle(), "CREATE TRIGGER refuse BEFORE INSERT ON Scoresheet "
                         "WHEN NEW.TeamA = 'Boom' BEGIN SELECT RAISE(ABORT, 'refused'); END");
    std::vector<GameRecord> replacement = {kSeason2010[0],
                                           {"Boom", "Bang", "9/20/2010", "", "", "2010"}};
    Status replaced = table->replaceSeasons(replacement);
    ASSERT_FALSE(replaced);
    EXPECT_EQ(replaced.error().message, "refused");
    EXPECT_EQ(stored(), before);
}

// Whether the table has the field, as older copies of the program read it.
bool hasWeekField(sqlite3* db) {
    return sqlite3_exec(db, "SELECT Week FROM Scoresheet", nullptr, nullptr, nullptr) == SQLITE_OK;
}

std::string weeksOf(const std::vector<GameRecord>& records) {
    std::string weeks;
    for (const GameRecord& record : records)
        weeks += std::to_string(record.week) + " ";
    return weeks;
}

TEST_F(GamesDb, WeekFieldIsAddedOnlyWithTheFirstWeeks) {
    store(kSeason2009);
    EXPECT_FALSE(hasWeekField(open()->handle()));
    std::vector<GameRecord> weeks = kSeason2010;
    weeks[0].week = 1;
    weeks[1].week = 1;
    store(weeks);
    EXPECT_TRUE(hasWeekField(open()->handle()));
    EXPECT_EQ(weeksOf(test::tableRecords(fixture.pool)), "0 0 1 1 0 ");
    Result<GameRecord> one = open()->read(3);
    ASSERT_TRUE(one);
    EXPECT_EQ(*one, weeks[0]);
    // A season without weeks stays without them in a table that has the field.
    store(kSeason2010);
    EXPECT_EQ(weeksOf(test::tableRecords(fixture.pool)), "0 0 0 0 0 ");
}

TEST_F(GamesDb, ReplaceWithWhatWasSeenRefusesAChangedTable) {
    store(kSeason2009);
    std::vector<GameRecord> seen = test::tableRecords(fixture.pool);
    std::vector<GameRecord> changed = seen;
    changed[0].visitorScore = "11";
    store(changed);
    std::string before = test::readBytes(fixture.pool.gamesDatabasePath());
    Status refused = open()->replaceSeasons(kSeason2010, &seen);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error(), (Error{ErrorKind::Changed,
                                      "the games table was changed by another program meanwhile"}));
    EXPECT_EQ(test::readBytes(fixture.pool.gamesDatabasePath()), before);
    Status replaced = open()->replaceSeasons(kSeason2010, &changed);
    EXPECT_TRUE(replaced) << replaced.error();
}

// Where the cursor stands: "bof", "eof" or position:TeamA.
std::string where(const RecordCursor& cursor) {
    if (cursor.bof())
        return cursor.eof() ? "bof+eof" : "bof";
    if (cursor.eof())
        return "eof";
    return std::to_string(cursor.position()) + ":" + cursor.field("TeamA");
}

// Fields are named in any case; only scores can change, and an edit is
// written when the cursor moves or flushes. Moving past either end stops one
// step outside the table, as a recordset does.
TEST_F(GamesDb, CursorWalksLikeARecordsetAndWritesItsEditsWhenItMoves) {
    EXPECT_EQ(where(RecordCursor(*open())), "bof+eof");
    store(kSeason2010);
    auto table = open();
    RecordCursor cursor(*table);
    std::string fields;
    for (const char* name : {"teama", "TEAMB", "date", "Visitor", "home", "year", "Week"})
        fields += "[" + cursor.field(name) + "]";
    EXPECT_EQ(fields, "[Minnesota Vikings][New Orleans Saints][9/9/2010][9][14][2010][]");
    cursor.setField("visitor", "17");
    cursor.setField("HOME", "20");
    cursor.setField("TeamA", "Someone Else");
    EXPECT_EQ(stored(), dumpRecords(kSeason2010)); // nothing written before a move
    std::string path = where(cursor);
    auto step = [&](bool moved) {
        EXPECT_TRUE(moved);
        path += ", " + where(cursor);
    };
    step(cursor.moveNext());
    cursor.setField("Visitor", "3");
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
    cursor.setField("Visitor", ""); // clearing a score stores an empty field
    EXPECT_TRUE(cursor.flush());
    EXPECT_EQ(path, "0:Minnesota Vikings, 1:Miami Dolphins, 2:Caf\xE9 Team, eof, eof, "
                    "2:Caf\xE9 Team, 0:Minnesota Vikings, bof, 1:Miami Dolphins, "
                    "0:Minnesota Vikings, eof, bof, 2:Caf\xE9 Team");
    EXPECT_EQ(stored(), "Minnesota Vikings|New Orleans Saints|9/9/2010|17|20|2010\n"
                        "Miami Dolphins|Buffalo Bills|9/12/2010|3||2010\n"
                        "Caf\xE9 Team|N.Y. Jets|9/13/2010|||2010\n");
}

} // namespace
} // namespace gs
