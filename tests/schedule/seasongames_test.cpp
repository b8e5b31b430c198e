#include "schedule/seasongames.h"

#include "schedule/calendar.h"
#include "schedule/gamesdb.h"
#include "schedule/importer.h"
#include "tests/support/namedcases.h"
#include "tests/support/testsupport.h"

#include <algorithm>
#include <sys/wait.h>
#include <unistd.h>

namespace gs {
namespace {

using test::dumpRecords;
using test::runSql;

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
    fs::path path() const { return fixture.pool.gamesDatabasePath(); }
    std::string stored() { return dumpRecords(test::tableRecords(fixture.pool)); }
    void store(const std::vector<GameRecord>& records) {
        test::storeRecords(fixture.pool, records);
    }
    test::PoolFixture fixture;
};

TEST_F(GamesDb, ReplaceKeepsOtherSeasonsAndEveryByteInYearOrder) {
    // Out of order on purpose, a year with a trailing space, and scores as
    // another tool may store them: '' and whole numbers.
    open();
    ASSERT_TRUE(runSql(path(),
                       "INSERT INTO Scoresheet VALUES "
                       "('Dallas Cowboys','N.Y. Giants','9/8/2011',NULL,NULL,'2011'),"
                       "('Old Visitor','Old Home','9/9/2010','1','2','2010 '),"
                       "('Chicago Bears','Detroit Lions','9/11/2011','',13,'2011'),"
                       "('Tennessee Titans','Pittsburgh Steelers','9/10/2009','10','13','2009')"));
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
    // The last insert is refused after the old 2010 records are gone.
    ASSERT_TRUE(runSql(path(), "CREATE TRIGGER refuse BEFORE INSERT ON Scoresheet WHEN "
                               "NEW.TeamA = 'Boom' BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    auto table = open();
    std::vector<GameRecord> replacement = {kSeason2010[0],
                                           {"Boom", "Bang", "9/20/2010", "", "", "2010"}};
    Status replaced = table->replaceSeasons(replacement);
    ASSERT_FALSE(replaced);
    EXPECT_EQ(replaced.error().message, "refused");
    EXPECT_EQ(stored(), before);
}

std::string weeksOf(const std::vector<GameRecord>& records) {
    std::string weeks;
    for (const GameRecord& record : records)
        weeks += std::to_string(record.week) + " ";
    return weeks;
}

TEST_F(GamesDb, WeekAndKickoffFieldsAreAddedOnlyWithTheFirstOnes) {
    store(kSeason2009);
    // Whether the table has the fields, as older copies of the program read it.
    EXPECT_FALSE(runSql(path(), "SELECT Week FROM Scoresheet"));
    std::vector<GameRecord> weeks = kSeason2010;
    weeks[0].week = 1;
    weeks[1].week = 1;
    store(weeks);
    EXPECT_TRUE(runSql(path(), "SELECT Week FROM Scoresheet"));
    EXPECT_FALSE(runSql(path(), "SELECT Kickoff FROM Scoresheet"));
    weeks[1].kickoff = "20:20";
    store(weeks);
    EXPECT_TRUE(runSql(path(), "SELECT Kickoff FROM Scoresheet"));
    EXPECT_EQ(test::tableRecords(fixture.pool)[3], weeks[1]);
    Game game = gameOf(weeks[1]).value();
    EXPECT_EQ(game.kickoffText() + " " +
                  std::to_string(game.kickoff->instant().time_since_epoch().count()),
              "20:20 1284337200"); // 9/13/2010 00:20 UTC
    weeks[1].kickoff.clear();
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
    auto score = [](const std::optional<Score>& s) { return s ? s->text() : std::string(); };
    for (const auto& g : season.games)
        text += g.visitorName() + "|" + g.homeName() + "|" + g.dateText() + "|" +
                score(g.visitorScore) + "|" + score(g.homeScore) + "\n";
    return text + "scored " + std::to_string(season.scoredGameCount) + "\n";
}

class SeasonGamesTest : public testing::Test {
protected:
    SeasonGamesTest() { pool.setSeasonYear(2010); }
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
        ASSERT_TRUE(runSql(tablePath(), made));
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
        UnreadableTable{"TableWithoutTheScores",
                        "CREATE TABLE Scoresheet (TeamA TEXT, TeamB TEXT, Date TEXT, Year TEXT)",
                        "its table \"Scoresheet\" has no field Visitor" + kLeftAsItIs,
                        ErrorKind::NoGamesTable},
        // A record that holds no game: the views would count another season
        // than the table's.
        UnreadableTable{"ATeamOutsideTheLeague",
                        "CREATE TABLE Scoresheet (TeamA, TeamB, Date, Visitor, Home, Year); "
                        "INSERT INTO Scoresheet VALUES ('Dallas Cowboys','N.Y. Giants','','','',"
                        "'2009'), ('Gotham Knights','Buffalo Bills','9/12/2010','','','2010')",
                        "record 2: unknown team \"Gotham Knights\"", ErrorKind::Malformed}),
    test::caseName);

// Games a week in weeks 1..18, "-" for a week the season lacks. 2012 has no
// Monday game in official week 16, so its games and week 17's make one
// derived week of 32 games, of which a week shows the first 21.
TEST(RealWeeks, SplitTheSeason) {
    for (auto [year, expected] :
         {std::pair{2010, "16 16 16 14 14 14 14 13 13 14 16 16 16 16 16 16 16 -"},
          {2012, "16 16 16 15 14 14 13 14 14 14 14 16 16 16 16 21 - -"}}) {
        std::vector<Game> games = test::csvSeason(year).games;
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

// A record names a team by any of its names, spaces aside; the game names
// and codes it as its season does (a renamed team from the season of the
// rename on).
TEST(GameOfARecord, TakesAnyNameOfATeamAndRefusesWhatIsNoGame) {
    Game game = gameOf({"St. Louis Rams", "NewEngland Patriots", "", "", "", "2016"}).value();
    EXPECT_EQ(game.visitorName() + "|" + game.visitor.abbreviation(2015) + "|" +
                  game.visitor.abbreviation(2016) + "|" + game.homeName(),
              "Los Angeles Rams|STL|LAR|New England Patriots");
    for (auto [date, year, reason] : {std::tuple{"9/31/2010", "2010", "invalid date \"9/31/2010\""},
                                      {"9/12/2010", "2010.5", "invalid year \"2010.5\""}})
        EXPECT_EQ(gameOf({"Dallas Cowboys", "N.Y. Giants", date, "", "", year}).error().message,
                  reason);
    EXPECT_EQ(gameOf({"Dallas Cowboys", "N.Y. Giants", "9/12/2010", "", "", "2010", 1, "1 PM"})
                  .error()
                  .message,
              "invalid kickoff \"1 PM\"");
}

} // namespace
} // namespace gs
