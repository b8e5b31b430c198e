#include "schedule/seasongames.h"

#include "schedule/calendar.h"
#include "schedule/gamesdb.h"
#include "schedule/importer.h"
#include "tests/support/namedcases.h"
#include "tests/support/testsupport.h"

#include <algorithm>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

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

std::string dumpSeason(const Season& season) {
    std::string text;
    for (const auto& g : season.games)
        text += g.visitor + "|" + g.home + "|" + g.date + "|" + g.visitorScore + "|" + g.homeScore +
                "\n";
    return text + "scored " + std::to_string(season.scoredGameCount) + "\n";
}

class SeasonGamesTest : public testing::Test {
protected:
    SeasonGamesTest() { pool.setSeasonYear("2010"); }
    Season rebuild() {
        Result<Season> season = rebuildSeasonGames(pool);
        EXPECT_TRUE(season) << season.error();
        return season ? *season : Season{};
    }
    fs::path tablePath() const { return pool.gamesDatabasePath(); }
    test::PoolFixture fixture;
    Pool& pool = fixture.pool;
};

// A table that stands by the time the bundled one is ready (another copy of
// the program was quicker, and may have imported into it) is kept.
TEST_F(SeasonGamesTest, TakesTheSeasonByNumericYearAndCountsOnlyFullScores) {
    test::storeRecords(
        pool, {
                  {"Tennessee Titans", "Pittsburgh Steelers", "9/10/2009", "10", "13", "2009"},
                  {"  Minnesota Vikings ", "New Orleans Saints ", "9/9/2010", "9", "14", "2010 "},
                  {"Miami Dolphins", "Buffalo Bills", "9/12/2010", "15", "10", "2010"},
                  {"Detroit Lions", "Chicago Bears", "9/12/2010", "14", "", "2010"},
                  {"Dallas Cowboys", "N.Y. Giants", "9/8/2011", "", "", "2011"},
              });
    Status installed = installBundledTable(pool);
    ASSERT_TRUE(installed) << installed.error();
    EXPECT_EQ(folderEntries(pool.folders().program), std::vector<std::string>{kGamesFileName});
    EXPECT_EQ(dumpSeason(rebuild()), "Minnesota Vikings|New Orleans Saints|9/9/2010|9|14\n"
                                     "Miami Dolphins|Buffalo Bills|9/12/2010|15|10\n"
                                     "Detroit Lions|Chicago Bears|9/12/2010|14|\n"
                                     "scored 2\n");
}

// The bundled seasons as the pool saw them on its reference day: 2009
// finished, 2010 scored through 11/02/2010, the later seasons unplayed.
TEST_F(SeasonGamesTest, FreshHomeGetsTheBundledSeasons) {
    fs::remove_all(pool.folders().program); // a first start has no data folder yet
    EXPECT_EQ(dumpSeason(rebuild()), dumpSeason(test::csvSeason(2010, "11/02/2010")));
    std::vector<GameRecord> expected = test::seasonRecords(2009);
    for (int year = 2010; year <= 2015; ++year)
        for (GameRecord& r :
             test::seasonRecords(year, year == 2010 ? "11/02/2010" : test::kNoScores))
            expected.push_back(r);
    EXPECT_EQ(test::dumpRecords(test::tableRecords(pool)), test::dumpRecords(expected));
}

// Runs in a child process; its exit status says whether it succeeded.
template <typename Work> pid_t inChild(int startSignal, Work work) {
    pid_t child = ::fork();
    if (child == 0) {
        char go;
        ssize_t got = ::read(startSignal, &go, 1);
        ::_exit(got == 1 && work() ? 0 : 1);
    }
    return child;
}

bool succeeded(pid_t child) {
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Two programs on a home without a games table: one builds the bundled
// table (as `project` does), the other imports a season. Whenever the
// import says it succeeded, the season stands in the table.
TEST(ConcurrentStart, AnImportReportedAsDoneIsInTheTable) {
    test::TempDir dir;
    fs::path csv = dir.path() / "s.csv";
    test::writeBytes(csv, "TeamA,TeamB,Date,Visitor,Home,Year\r\n"
                          "Dallas Cowboys,N.Y. Giants,9/8/2011,24,17,2011\r\n");
    const std::string imported = "Dallas Cowboys|N.Y. Giants|9/8/2011|24|17|2011\n";
    int importsDone = 0;
    for (int round = 0; round < 40; ++round) {
        Pool pool(dir.path() / ("home" + std::to_string(round)));
        int start[2];
        ASSERT_EQ(::pipe(start), 0);
        pid_t builder = inChild(start[0], [&] { return ensureGamesTable(pool).has_value(); });
        pid_t importer = inChild(start[0], [&] { return importSchedule(pool, csv).has_value(); });
        ASSERT_EQ(::write(start[1], "go", 2), 2);
        ::close(start[0]);
        ::close(start[1]);
        EXPECT_TRUE(succeeded(builder)) << "round " << round;
        if (!succeeded(importer))
            continue;
        ++importsDone;
        std::vector<GameRecord> season2011;
        for (const GameRecord& record : test::tableRecords(pool))
            if (record.year == "2011")
                season2011.push_back(record);
        EXPECT_EQ(test::dumpRecords(season2011), imported) << "round " << round;
        EXPECT_EQ(folderEntries(pool.folders().program), std::vector<std::string>{kGamesFileName})
            << "round " << round;
    }
    EXPECT_GT(importsDone, 0);
}

// A database file made with SQLite itself, holding the given statements.
void writeDatabase(const fs::path& path, const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

struct UnreadableTable : test::NamedCase {
    std::string made; // SQL run on a new database, "folder", or the file's bytes
    std::string reason;
    ErrorKind kind;
};

class UnreadableTables : public SeasonGamesTest,
                         public testing::WithParamInterface<UnreadableTable> {};

// Taking such a file for an empty games table would lose every season
// without a word; it is refused, named, and left exactly as it was: only a
// missing file is built afresh.
TEST_P(UnreadableTables, AreRefusedAndLeftAsTheyWere) {
    const std::string& made = GetParam().made;
    if (made.starts_with("CREATE"))
        writeDatabase(tablePath(), made);
    else if (made == "folder")
        fs::create_directory(tablePath());
    else
        test::writeBytes(tablePath(), made);
    std::string before = fs::is_regular_file(tablePath()) ? test::readBytes(tablePath()) : "";
    Result<Season> season = rebuildSeasonGames(pool);
    ASSERT_FALSE(season);
    EXPECT_EQ(season.error(),
              (Error{GetParam().kind, "The games table " + tablePath().string() +
                                          " cannot be read: " + GetParam().reason}));
    EXPECT_TRUE(ensureGamesTable(pool));
    EXPECT_EQ(fs::is_regular_file(tablePath()) ? test::readBytes(tablePath()) : "", before);
}

const std::string kLeftAsItIs = ". The file was left as it is: remove it to have the bundled "
                                "seasons restored, or import a schedule into it.";

INSTANTIATE_TEST_SUITE_P(
    Cases, UnreadableTables,
    testing::Values(
        UnreadableTable{"NoDatabase", "anything at all", "file is not a database",
                        ErrorKind::Malformed},
        UnreadableTable{"AFolder", "folder", "it is a folder", ErrorKind::Unreadable},
        UnreadableTable{"EmptyFile", "", "it holds no table \"Scoresheet\"" + kLeftAsItIs,
                        ErrorKind::NoGamesTable},
        UnreadableTable{"AnotherDatabase", "CREATE TABLE Notes (Text TEXT)",
                        "it holds no table \"Scoresheet\"" + kLeftAsItIs, ErrorKind::NoGamesTable},
        UnreadableTable{"TableWithoutTheScores",
                        "CREATE TABLE Scoresheet (TeamA TEXT, TeamB TEXT, Date TEXT, Year TEXT)",
                        "its table \"Scoresheet\" has no field Visitor" + kLeftAsItIs,
                        ErrorKind::NoGamesTable}),
    test::caseName);

// Thu, Sun, Mon, Mon, Thu, (no date), Mon, (no date), Sun. An undated game
// carries the day before it, so the undated game after the Monday is still
// Monday and the Sunday after it opens a week. Where every game carries its
// official week, the weeks decide: in 2020 a Tuesday game ends week 5; week
// 17 of 2022 had no Monday game.
TEST(WeekRule, AGameAfterAMondayGameOrAnOfficialWeekOpensAWeek) {
    WeekTracker byDays, byWeeks;
    std::string marks;
    for (const char* date : {"11/4/2010", "11/7/2010", "11/8/2010", "11/8/2010", "11/11/2010", "",
                             "11/15/2010", "", "11/21/2010"})
        marks += byDays.isBoundary(date) ? "N" : ".";
    marks += " ";
    const std::pair<const char*, int> games[] = {
        {"10/11/2020", 5}, {"10/12/2020", 5}, {"10/13/2020", 5}, {"10/15/2020", 6},
        {"1/1/2023", 17},  {"1/2/2023", 17},  {"1/7/2023", 18}};
    for (auto [date, week] : games)
        marks += byWeeks.isBoundary(date, week) ? "N" : ".";
    EXPECT_EQ(marks, "....N...N ...NN.N");
}

// Games a week in weeks 1..18, "-" for a week the season lacks. 2012 has no
// Monday game in official week 16, so its games and week 17's make one
// derived week of 32 games, of which a week shows the first 21.
TEST(RealWeeks, SplitTheSeason) {
    for (auto [year, expected] :
         {std::pair{2010, "16 16 16 14 14 14 14 13 13 14 16 16 16 16 16 16 16 -"},
          {2012, "16 16 16 15 14 14 13 14 14 14 14 16 16 16 16 21 - -"}}) {
        std::vector<SeasonGame> games = test::seasonFromCsv(year);
        ASSERT_EQ(games.size(), 256u);
        std::string sizes;
        for (int week = 1; week <= 18; ++week) {
            WeekRows rows = findWeekRows(games, week);
            if (week > 1)
                sizes += ' ';
            sizes += rows.found() ? std::to_string(rows.last - rows.first + 1) : std::string("-");
        }
        EXPECT_EQ(sizes, expected) << year;
    }
}

TEST(TeamsBySeason, NamesFollowTheSeasonAndEveryNameFindsItsTeam) {
    struct Case {
        int team;
        int season;
        const char* name;
        const char* abbreviation;
    };
    const Case cases[] = {
        {29, 2015, "St. Louis Rams", "STL"},
        {29, 2016, "Los Angeles Rams", "LAR"},
        {26, 2016, "San Diego Chargers", "SD"},
        {26, 2017, "Los Angeles Chargers", "LAC"},
        {23, 2020, "Las Vegas Raiders", "LV"},
        {32, 2019, "Washington Redskins", "WAS"},
        {32, 2021, "Washington Football Team", "WAS"},
        {32, 2022, "Washington Commanders", "WAS"},
        {9, 2021, "Dallas Cowboys", "DAL"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(teamName(c.team, c.season), c.name) << c.season;
        EXPECT_EQ(teamAbbreviation(c.team, c.season), c.abbreviation) << c.season;
        EXPECT_EQ(teamNumber(c.name), c.team);
        EXPECT_EQ(teamNumberIgnoringSpaces(c.name), c.team);
    }
    const std::pair<const char*, int> codes[] = {{"LA", 29},    {"STL", 29}, {"lv", 23},
                                                 {" OAK ", 23}, {"SD", 26},  {"JAC", 15},
                                                 {"JAX", 15},   {"XYZ", 0}};
    for (auto [code, team] : codes)
        EXPECT_EQ(teamOfCode(code), team) << code;
    EXPECT_EQ(seasonShape(2020), (SeasonShape{17, 256}));
    EXPECT_EQ(seasonShape(2021), (SeasonShape{18, 272}));
}

} // namespace
} // namespace gs
