#include "exchange/exchangefiles.h"

#include "exchangehome.h"
#include "schedule/gamesdb.h"

#include <gtest/gtest.h>
#include <ostream>
#include <sqlite3.h>

namespace gs {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::writeBytes;

struct PasswordCase {
    const char* name;
    std::string local;
    std::string shared;
};

void PrintTo(const PasswordCase& c, std::ostream* os) {
    *os << c.name;
}

class UserListWithoutPasswords : public testing::TestWithParam<PasswordCase> {};

TEST_P(UserListWithoutPasswords, EmptiesOnlyThePasswordFields) {
    EXPECT_EQ(userListWithoutPasswords(GetParam().local), GetParam().shared);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, UserListWithoutPasswords,
    testing::Values(
        PasswordCase{"CrLfLines",
                     "2010\r\nadmin,1,9,1,kxw,0,/home/a/data\r\nAl,1,0,0,K\x80z,0,/p\r\n",
                     "2010\r\nadmin,1,9,1,,0,/home/a/data\r\nAl,1,0,0,,0,/p\r\n"},
        PasswordCase{"LfLines", "2011\nPC,1,1,0,Z,0,/d\n", "2011\nPC,1,1,0,,0,/d\n"},
        PasswordCase{"LastLineWithoutLineEnd", "2010\r\nAl,0,3,0,secret,1,/f",
                     "2010\r\nAl,0,3,0,,1,/f"},
        PasswordCase{"PasswordIsTheLastField", "2010\r\nAl,1,0,0,secret\r\n",
                     "2010\r\nAl,1,0,0,\r\n"},
        PasswordCase{"EmptyPasswordStays", "2010\r\nadmin,1,9,1,,0,/d\r\n",
                     "2010\r\nadmin,1,9,1,,0,/d\r\n"},
        PasswordCase{"ShortLinesStay", "2010\r\nAl,1,0\r\n\r\nx\r\n",
                     "2010\r\nAl,1,0\r\n\r\nx\r\n"},
        PasswordCase{"FolderWithCommasStays", "2010\r\nAl,1,0,0,pw,0,/a,b,c\r\n",
                     "2010\r\nAl,1,0,0,,0,/a,b,c\r\n"},
        PasswordCase{"FirstLineIsTheSeason", "1,2,3,4,5,6\r\n", "1,2,3,4,5,6\r\n"},
        PasswordCase{"Empty", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DownloadExtension, IsThreeCharactersAfterTheFirstDot) {
    EXPECT_EQ(downloadExtension("scoresheet97.mdb"), "MDB");
    EXPECT_EQ(downloadExtension("Old.MdBx"), "MDB");
    EXPECT_EQ(downloadExtension("a.b.mdb"), "B.M");
    EXPECT_EQ(downloadExtension("UserList.db"), "DB");
    EXPECT_EQ(downloadExtension("noextension"), "");
    EXPECT_EQ(downloadExtension("dot."), "");
}

class GamesTableCheck : public testing::Test {
protected:
    fs::path file(const std::string& name) const { return folder.path() / name; }

    // A database with one table made by the statement.
    fs::path database(const std::string& name, const char* createTable) {
        fs::path path = file(name);
        sqlite3* db = nullptr;
        sqlite3_open(path.c_str(), &db);
        sqlite3_exec(db, createTable, nullptr, nullptr, nullptr);
        sqlite3_close(db);
        return path;
    }

    test::TempDir folder;
};

TEST_F(GamesTableCheck, AcceptsAGamesTable) {
    test::writeGamesTable(file("scoresheet97.mdb"), 2010);
    EXPECT_TRUE(checkGamesTableFile(file("scoresheet97.mdb")));
}

TEST_F(GamesTableCheck, RefusesWhatIsNoGamesTable) {
    test::writeGamesTable(file("whole.mdb"), 2010);
    std::string whole = readBytes(file("whole.mdb"));
    writeBytes(file("half.mdb"), whole.substr(0, whole.size() / 2));
    writeBytes(file("text.mdb"), "TeamA,TeamB,Date,Visitor,Home,Year\r\n");
    writeBytes(file("empty.mdb"), "");
    database("other.mdb", "CREATE TABLE Picks (Name TEXT)");
    database(
        "fivefields.mdb",
        "CREATE TABLE Scoresheet (TeamA TEXT, TeamB TEXT, Date TEXT, Visitor TEXT, Home TEXT)");
    database("sevenfields.mdb", "CREATE TABLE Scoresheet (TeamA TEXT, TeamB TEXT, Date TEXT, "
                                "Visitor TEXT, Home TEXT, Year TEXT, Extra TEXT)");
    for (const char* name : {"half.mdb", "text.mdb", "empty.mdb", "other.mdb", "fivefields.mdb",
                             "sevenfields.mdb", "missing.mdb"}) {
        Status checked = checkGamesTableFile(file(name));
        EXPECT_FALSE(checked) << name;
        if (!checked) {
            EXPECT_TRUE(checked.error().message.starts_with(
                "The received games table " + std::string(name) + " cannot be used: "))
                << checked.error().message;
        }
    }
}

TEST_F(GamesTableCheck, FieldsMayBeInAnyCase) {
    database("lower.mdb", "CREATE TABLE scoresheet (teama TEXT, teamb TEXT, date TEXT, "
                          "visitor TEXT, home TEXT, year TEXT)");
    EXPECT_TRUE(checkGamesTableFile(file("lower.mdb")));
}

TEST_F(GamesTableCheck, AcceptsATableThatKeepsWeeks) {
    {
        auto table = GamesTable::create(file("weeks.mdb"));
        ASSERT_TRUE(table) << table.error().message;
        Status filled = (*table)->replaceSeasons(
            {{"Carolina Panthers", "Denver Broncos", "9/8/2016", "20", "21", "2016", 1}});
        ASSERT_TRUE(filled) << filled.error().message;
    }
    Status checked = checkGamesTableFile(file("weeks.mdb"));
    EXPECT_TRUE(checked) << checked.error().message;
    database("weekandextra.mdb", "CREATE TABLE Scoresheet (TeamA TEXT, TeamB TEXT, Date TEXT, "
                                 "Visitor TEXT, Home TEXT, Year TEXT, Week INTEGER, Extra TEXT)");
    EXPECT_FALSE(checkGamesTableFile(file("weekandextra.mdb")));
}

TEST(GamesTableInstall, ReplacesTheTableOnlyWithAGoodOne) {
    test::PoolFixture home;
    test::writeGamesTable(home.pool.gamesDatabasePath(), 2010, "10/01/2010");
    std::string local = readBytes(home.pool.gamesDatabasePath());
    fs::path received = home.home.path() / "received.mdb";

    writeBytes(received, "not a database");
    EXPECT_FALSE(installGamesTable(home.pool, received));
    EXPECT_EQ(readBytes(home.pool.gamesDatabasePath()), local);

    fs::remove(received);
    test::writeGamesTable(received, 2010);
    writeBytes(home.pool.gamesDatabasePath().string() + "-journal", "hot");
    Status busy = installGamesTable(home.pool, received);
    ASSERT_FALSE(busy);
    EXPECT_NE(busy.error().message.find("is in use"), std::string::npos) << busy.error().message;
    EXPECT_EQ(readBytes(home.pool.gamesDatabasePath()), local);

    fs::remove(home.pool.gamesDatabasePath().string() + "-journal");
    ASSERT_TRUE(installGamesTable(home.pool, received));
    EXPECT_EQ(readBytes(home.pool.gamesDatabasePath()), readBytes(received));
}

// A received table with the given records, and a local one with the whole
// season of 2010.
class ReceivedGames : public testing::Test {
protected:
    ReceivedGames() { test::writeGamesTable(home.pool.gamesDatabasePath(), 2010); }
    Status install(const std::vector<GameRecord>& records) {
        {
            auto table = GamesTable::create(received);
            Status filled =
                table ? (*table)->replaceSeasons(records) : Status(failure(table.error()));
            EXPECT_TRUE(filled) << filled.error().message;
        }
        return installGamesTable(home.pool, received);
    }
    std::vector<GameRecord> season(size_t games) {
        std::vector<GameRecord> records = test::seasonRecords(2010);
        records.resize(games);
        return records;
    }
    test::PoolFixture home;
    fs::path received = home.home.path() / "received.mdb";
};

TEST_F(ReceivedGames, AreInstalledOnlyWhenEveryRecordIsAGameAndTheSeasonIsWhole) {
    std::string local = readBytes(home.pool.gamesDatabasePath());
    struct Case {
        const char* name;
        std::vector<GameRecord> records;
        const char* reason;
    };
    std::vector<GameRecord> unknownTeam = season(256);
    unknownTeam[7].home = "Springfield Atoms";
    std::vector<GameRecord> badDate = season(256);
    badDate[0].date = "2/30/2010";
    std::vector<GameRecord> otherSeason = test::seasonRecords(2009);
    const Case refused[] = {
        {"UnknownTeam", unknownTeam, "record 8: unknown team \"Springfield Atoms\""},
        {"BadDate", badDate, "record 1: invalid date"},
        {"NoGamesOfTheSeason", otherSeason, "it holds no games of the season 2010"},
        {"MostOfTheSeasonMissing", season(253),
         "it holds 253 games of the season 2010 where "
         "this computer's table holds 256"},
    };
    for (const Case& c : refused) {
        SCOPED_TRACE(c.name);
        fs::remove(received);
        Status installed = install(c.records);
        ASSERT_FALSE(installed);
        EXPECT_NE(installed.error().message.find(c.reason), std::string::npos)
            << installed.error().message;
        EXPECT_EQ(readBytes(home.pool.gamesDatabasePath()), local);
    }
    // A season may lose a cancelled game or two.
    fs::remove(received);
    ASSERT_TRUE(install(season(254)));
    EXPECT_EQ(readBytes(home.pool.gamesDatabasePath()), readBytes(received));
}

TEST(PickFileOwner, IsTheNameBeforeFourDigitsAndDat) {
    const std::pair<const char*, const char*> cases[] = {
        {"Al2010.dat", "Al"}, {"AL2010.DAT", "AL"}, {"Al 2010.dat", "Al "}, {"Al2010x.dat", ""},
        {"2010.dat", ""},     {"Al201.dat", ""},    {"Al2010.txt", ""},     {"Al.dat", ""},
    };
    for (auto [file, owner] : cases)
        EXPECT_EQ(pickFileOwner(file), owner) << file;
}

struct PickFileCase {
    const char* name;
    const char* fileName;
    std::string bytes;
    bool whole;
};

void PrintTo(const PickFileCase& c, std::ostream* os) {
    *os << c.name;
}

std::string lines(size_t count, const std::string& line) {
    return test::crlf(std::vector<std::string>(count, line));
}

std::string lfLines(size_t count, const std::string& line) {
    std::string bytes;
    for (size_t i = 0; i < count; ++i)
        bytes += line + "\n";
    return bytes;
}

class PickFileWhole : public testing::TestWithParam<PickFileCase> {};

TEST_P(PickFileWhole, JudgesTheReceivedFile) {
    test::TempDir folder;
    fs::path path = folder.path() / GetParam().fileName;
    writeBytes(path, GetParam().bytes);
    Status checked = checkPickFileWhole(path);
    EXPECT_EQ(checked.has_value(), GetParam().whole);
    if (!checked) {
        EXPECT_EQ(checked.error().message, "The received file " + std::string(GetParam().fileName) +
                                               " is empty or cut short; the local copy was kept.");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, PickFileWhole,
    testing::Values(
        PickFileCase{"PlayersFile", "Al2010.dat", test::pickFileBytes(), true},
        PickFileCase{"WeekLinesOnly", "Al2010.dat", lines(17, test::weekLine()), true},
        PickFileCase{"LfLines", "Al2010.dat", lfLines(17, test::weekLine()), true},
        PickFileCase{"Empty", "Al2010.dat", "", false},
        PickFileCase{"SixteenWeeks", "Al2010.dat", lines(16, test::weekLine()), false},
        PickFileCase{"CutInAWeekLine", "Al2010.dat",
                     lines(16, test::weekLine()) + test::weekLine().substr(0, 20) + "\r\n", false},
        PickFileCase{"NoLastLineEnd", "Al2010.dat",
                     test::pickFileBytes().substr(0, test::pickFileBytes().size() - 2), false},
        PickFileCase{"ComputersFile", "PC2010.dat", lines(17, test::weekLine()) + lines(256, "0"),
                     true},
        PickFileCase{"ComputersFileWithoutSpreads", "PC2010.dat", lines(17, test::weekLine()),
                     false},
        PickFileCase{"PlayerNamedLikeTheComputer", "PCfan2010.dat", lines(17, test::weekLine()),
                     true},
        PickFileCase{"OldScores", "oldscores2010.dat", lines(32, " 1, 2, 0, 20, 10"), true},
        PickFileCase{"OldScoresCutShort", "oldscores2010.dat", lines(31, " 1, 2, 0, 20, 10"),
                     false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace gs
