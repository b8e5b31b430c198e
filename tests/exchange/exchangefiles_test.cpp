#include "exchange/exchangefiles.h"

#include "core/poolday.h"
#include "exchange/downloadrecord.h"
#include "exchange/latepicks.h"
#include "exchange/poollist.h"
#include "exchangehome.h"
#include "schedule/gamesdb.h"
#include "schedule/importer.h"
#include "schedule/pickextras.h"
#include "schedule/seasongames.h"
#include "scores/scoreentry.h"
#include "scores/scoreimport.h"
#include "tests/support/namedcases.h"

namespace gs {
namespace {

TEST(UserListWithoutPasswords, EmptiesOnlyThePasswordFields) {
    const std::pair<std::string, std::string> cases[] = {
        // Short and empty lines stay; a folder may hold commas; the password
        // may end a line, and the last line may have no line end.
        {"2010\r\nadmin,1,9,1,kxw,0,/home/a/data\r\nAl,1,0,0,K\x80z,0,/a,b,c\r\nBo,1,9,1,,0,/d\r\n"
         "Al,1,0\r\n\r\nx\r\nCy,1,0,0,secret\r\nDi,0,3,0,secret,1,/f",
         "2010\r\nadmin,1,9,1,,0,/home/a/data\r\nAl,1,0,0,,0,/a,b,c\r\nBo,1,9,1,,0,/d\r\n"
         "Al,1,0\r\n\r\nx\r\nCy,1,0,0,\r\nDi,0,3,0,,1,/f"},
        {"2011\nPC,1,1,0,Z,0,/d\n", "2011\nPC,1,1,0,,0,/d\n"},
        // The first line is the season, whatever it holds.
        {"1,2,3,4,5,6\r\n", "1,2,3,4,5,6\r\n"},
        {"", ""},
    };
    for (const auto& [local, shared] : cases)
        EXPECT_EQ(userListWithoutPasswords(local), shared);
}

TEST(GamesTableCheck, AcceptsOnlyATableWithTheGamesFields) {
    test::TempDir folder;
    auto file = [&](const std::string& name) { return folder.path() / name; };
    // A database with one table of these fields.
    auto database = [&](const std::string& name, const std::string& table) {
        EXPECT_TRUE(test::runSql(file(name), "CREATE TABLE " + table));
    };
    const std::string six = "TeamA TEXT, TeamB TEXT, Date TEXT, Visitor TEXT, Home TEXT, Year TEXT";
    test::writeGamesTable(file("whole.mdb"), test::seasonRecords(2010));
    // A table that keeps the official weeks has one field more.
    test::writeGamesTable(file("weeks.mdb"), {{"Carolina Panthers", "Denver Broncos", "9/8/2016",
                                               "20", "21", "2016", 1}});
    database("lower.mdb", "scoresheet (teama TEXT, teamb TEXT, date TEXT, visitor TEXT, home "
                          "TEXT, year TEXT)");
    std::string whole = readBytes(file("whole.mdb"));
    writeBytes(file("half.mdb"), whole.substr(0, whole.size() / 2));
    database("other.mdb", "Picks (Name TEXT)");
    // A later release's table may have more fields; nothing but the table is plain data.
    database("extrafield.mdb", "Scoresheet (" + six + ", Extra TEXT)");
    database("fivefields.mdb", "Scoresheet (TeamA, TeamB, Date, Visitor, Home)");
    for (const auto& [name, extra] :
         {std::pair{"trigger.mdb", "CREATE TRIGGER t AFTER UPDATE ON Scoresheet BEGIN "
                                   "UPDATE Scoresheet SET Date = '1/1/1999'; END"},
          {"view.mdb", "CREATE VIEW v AS SELECT * FROM Scoresheet"},
          {"index.mdb", "CREATE INDEX i ON Scoresheet (Year)"},
          {"twotables.mdb", "CREATE TABLE Picks (Name TEXT)"}}) {
        test::writeGamesTable(file(name), test::seasonRecords(2010));
        EXPECT_TRUE(test::runSql(file(name), extra));
    }
    for (const char* name : {"whole.mdb", "weeks.mdb", "lower.mdb", "extrafield.mdb"}) {
        Status checked = checkGamesTableFile(file(name));
        EXPECT_TRUE(checked) << name << ": " << checked.error();
    }
    EXPECT_EQ(checkGamesTableFile(file("trigger.mdb")).error().message,
              "The received games table trigger.mdb cannot be used: it holds the trigger \"t\" "
              "besides the table \"Scoresheet\"");
    for (const char* name : {"half.mdb", "other.mdb", "fivefields.mdb", "view.mdb", "index.mdb",
                             "twotables.mdb", "missing.mdb"}) {
        Status checked = checkGamesTableFile(file(name));
        std::string refusal = checked ? "accepted" : checked.error().message;
        EXPECT_TRUE(refusal.starts_with("The received games table " + std::string(name) +
                                        " cannot be used: "))
            << refusal;
    }
}

TEST(GamesTableInstall, TakesOnlyAWholeSeasonOfGamesWhileTheLocalTableIsIdle) {
    test::PoolFixture home;
    fs::path local = home.pool.gamesDatabasePath();
    test::writeGamesTable(local, test::seasonRecords(2010, "10/01/2010"));
    const std::string localBytes = readBytes(local);
    fs::path received = home.home.path() / "received.mdb";
    auto install = [&](const std::vector<GameRecord>& records) {
        fs::remove(received);
        test::writeGamesTable(received, records);
        return installGamesTable(home.pool, received);
    };
    auto season = [](size_t games) {
        std::vector<GameRecord> records = test::seasonRecords(2010);
        records.resize(games);
        return records;
    };
    std::vector<GameRecord> unknownTeam = season(256);
    unknownTeam[7].home = "Springfield Atoms";
    std::vector<GameRecord> badDate = season(256);
    badDate[0].date = "2/30/2010";
    const std::pair<std::vector<GameRecord>, std::string> refused[] = {
        {unknownTeam, "record 8: unknown team \"Springfield Atoms\""},
        {badDate, "record 1: invalid date"},
        {test::seasonRecords(2009), "it holds no games of the season 2010"},
        {season(253),
         "it holds 253 games of the season 2010 where this computer's table holds 256"},
        // A journal beside the local table belongs to it.
        {season(256), "is in use"},
    };
    for (const auto& [records, reason] : refused) {
        SCOPED_TRACE(reason);
        if (reason == "is in use")
            writeBytes(local.string() + "-journal", "hot");
        Status installed = install(records);
        ASSERT_FALSE(installed);
        EXPECT_NE(installed.error().message.find(reason), std::string::npos) << installed.error();
        EXPECT_EQ(readBytes(local), localBytes);
    }
    fs::remove(local.string() + "-journal");
    // A season may lose a cancelled game or two.
    ASSERT_TRUE(install(season(254)));
    EXPECT_EQ(readBytes(local), readBytes(received));
}

// Whatever writes a score (score entry, the score import, the community
// merge, and the copies before them with " 21"), the players take the table.
TEST(GamesTableInstall, TakesEveryTableTheProgramWrites) {
    test::PoolFixture admin, player;
    for (Pool* pool : {&admin.pool, &player.pool})
        ASSERT_TRUE(ensureGamesTable(*pool));
    ASSERT_TRUE(importSchedule(admin.pool, test::communityCsv()));
    test::addUser(admin.pool, 1, "admin", 1);
    admin.pool.setCurrentUser("admin");
    admin.pool.setDayOverride("11/8/2010");
    refreshPoolDay(admin.pool);
    std::unique_ptr<ScoreEntry> entry = openScoreEntry(admin.pool, admin.dialogs);
    ASSERT_TRUE(entry);
    entry->visitorScore = "024";
    entry->homeScore = "3";
    EXPECT_TRUE(entry->commitAndClose());
    entry.reset();
    std::unique_ptr<GamesTable> table = std::move(openGamesTable(admin.pool).value());
    const fs::path scores = admin.home.path() / "scores.csv";
    writeBytes(scores, "TeamA,TeamB,Date,Visitor,Home,Year\r\n"
                       "Baltimore Ravens,Atlanta Falcons,11/11/2010,21,26,2010\r\n");
    EXPECT_TRUE(importScoreFile(*table, scores, {}).ok);
    ASSERT_TRUE(table->writeScores(table->rowids().value().back(), " 21", " 7"));
    table.reset();

    Status installed = installGamesTable(player.pool, admin.pool.gamesDatabasePath());
    ASSERT_TRUE(installed) << installed.error();
    const std::string records = test::dumpRecords(test::tableRecords(player.pool));
    for (const char* form : {"|24|3|2010", "|21|26|2010", "| 21| 7|2021"})
        EXPECT_NE(records.find(form), std::string::npos) << form;
}

TEST(PickFileWhole, JudgesTheReceivedFile) {
    auto lines = [](size_t count, const std::string& line) {
        return test::crlf(std::vector<std::string>(count, line));
    };
    const std::string week = test::weekLine();
    std::string lfWeeks = lines(kWeeks, week);
    std::erase(lfWeeks, '\r');
    const std::string whole = test::pickFileBytes();
    struct Case {
        const char* name;
        const char* fileName;
        std::string bytes;
        bool whole;
    };
    const Case cases[] = {
        {"PlayersFile", "Al2010.dat", whole, true},
        {"WeekLinesOnly", "Al2010.dat", lines(17, week), true},
        {"LfLines", "Al2010.dat", lfWeeks, true},
        {"SixteenWeeks", "Al2010.dat", lines(16, week), false},
        {"CutInAWeekLine", "Al2010.dat", lines(16, week) + week.substr(0, 20) + "\r\n", false},
        {"NoLastLineEnd", "Al2010.dat", whole.substr(0, whole.size() - 2), false},
        {"ComputersFile", "PC2010.dat", lines(17, week) + lines(256, "0"), true},
        {"ComputersFileWithoutSpreads", "PC2010.dat", lines(17, week), false},
        {"PlayerNamedLikeTheComputer", "PCfan2010.dat", lines(17, week), true},
        {"OldScores", "oldscores2010.dat", lines(32, " 1, 2, 0, 20, 10"), true},
        {"OldScoresCutShort", "oldscores2010.dat", lines(31, " 1, 2, 0, 20, 10"), false},
    };
    test::TempDir folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(folder.path() / c.fileName, c.bytes);
        Status checked = checkPickFileWhole(folder.path() / c.fileName);
        EXPECT_EQ(checked ? "whole" : checked.error().message,
                  c.whole ? "whole"
                          : "The received file " + std::string(c.fileName) +
                                " is empty or cut short; the local copy was kept.");
    }
}

TEST(LatePicks, PutsARefusedPickBackAsHeldAndNamesIt) {
    test::TempDir folder;
    auto game = [](const char* visitor, const char* home, const char* day, const char* time) {
        Game game{*Team::named(visitor), *Team::named(home), Date::parse(day), {}, {}, 1, 2025, {}};
        if (*time)
            game.kickoff = Kickoff::parse(*game.date, time).value();
        return game;
    };
    Season season;
    season.year = 2025;
    season.games = {game("Kansas City Chiefs", "Philadelphia Eagles", "9/7/2025", "16:25"),
                    game("Dallas Cowboys", "N.Y. Giants", "9/8/2025", "")};
    int kc = season.games[0].visitor.number(), phi = season.games[0].home.number();
    int dal = season.games[1].visitor.number(), nyg = season.games[1].home.number();
    auto file = [&](const std::vector<int>& weekOne) {
        Lines lines(18, test::weekLine());
        lines[0] = test::weekLine(weekOne);
        lines.insert(lines.end(), {"admin", "Ann"});
        return lines;
    };
    fs::path held = folder.path() / "held.dat", received = folder.path() / "received.dat";
    writeBytes(held, test::crlf(file({phi, nyg})));
    writeBytes(received, test::crlf(file({kc, dal})));
    TimeZone zone = TimeZone::named("America/New_York").value();
    auto at = [&](const char* text) { return *parsePoolMoment(text, zone, {}).value().instant(); };
    auto moment = [&](const char* text) { return PoolMoment::now(at(text), zone); };
    DownloadTimes times{moment("9/6/2025 12:00"), at("9/7/2025 17:00"), moment("9/7/2025 17:05")};

    Result<ReceivedPicks> merged = mergeReceivedPicks(season, "Ann", held, received, times, zone);
    ASSERT_TRUE(merged);
    EXPECT_EQ(merged->refusals, Lines{"Ann: the pick of Kansas City Chiefs at Philadelphia Eagles "
                                      "(week 1) changed after its kickoff; kept PHI"});
    EXPECT_EQ(merged->lines, file({phi, dal}));
    // Nothing held, never downloaded: the played game's pick is dropped.
    times.lastDownload.reset();
    merged = mergeReceivedPicks(season, "Ann", folder.path() / "none.dat", received, times, zone);
    EXPECT_EQ(merged->refusals, Lines{"Ann: the pick of Kansas City Chiefs at Philadelphia Eagles "
                                      "(week 1) changed after its kickoff; kept no pick"});
    EXPECT_EQ(merged->lines, file({dal}));
    // A guess and confidence values come under the same rule.
    auto extras = [&](int guess, int kcValue, int dalValue) {
        ExtrasTable table{};
        table[1].guess = TiebreakGuess{guess, kc, phi};
        table[1].values[static_cast<size_t>(kc)] = kcValue;
        table[1].values[static_cast<size_t>(dal)] = dalValue;
        return extrasLines(table, seasonShape(2025));
    };
    writeBytes(held, test::crlf(extras(45, 2, 1)));
    writeBytes(received, test::crlf(extras(50, 1, 2)));
    times.lastDownload = moment("9/6/2025 12:00");
    merged = mergeReceivedExtras(season, "Ann", held, received, times, zone);
    EXPECT_EQ(merged->refusals,
              (Lines{"Ann: the tiebreaker of week 1 (Kansas City Chiefs at Philadelphia Eagles) "
                     "changed after its kickoff; kept 45",
                     "Ann: the confidence of Kansas City Chiefs at Philadelphia Eagles (week 1) "
                     "changed after its kickoff; kept 2"}));
    EXPECT_EQ(merged->lines, extras(45, 2, 2));
    // The record of downloads: read leniently, written whole with CR LF.
    Folders folders = Folders::at(folder.path());
    fs::create_directories(folders.program);
    writeBytes(folders.program / kDownloadTimesFileName,
               "Bob2025.dat=2025-09-07T17:00:00Z\nbroken\nAl2025.dat=yesterday\r\n"
               "Cy2010.dat=11/3/2010\n");
    DownloadRecord record = DownloadRecord::read(folders, zone);
    EXPECT_EQ(record.lastDownload("Bob2025.dat")->text(), "9/7/2025 13:00");
    record.note("Ann2025.dat", moment("9/7/2025 17:05"));
    ASSERT_TRUE(record.save(folders));
    EXPECT_EQ(readBytes(folders.program / kDownloadTimesFileName),
              "Ann2025.dat=2025-09-07T21:05:00Z\r\nBob2025.dat=2025-09-07T17:00:00Z\r\n"
              "Cy2010.dat=11/3/2010\r\n");
}

// A received list is taken whole or not at all.
TEST(PoolList, RefusesADamagedOrForeignListNamingItsLine) {
    const std::pair<std::string, std::string> cases[] = {
        {"2010\r\nPC,1,1,0,,0,/d", "it is empty or cut short"},
        {"<html><body>Not Found</body></html>\n", "line 1 holds no season"},
        {"2010\r\nPC,1,1,0,,0,/d\r\nAl,1,9,0,,0\r\n", "line 3: it is no user line of 7 fields"},
        {"2010\r\nPC,1,1,0,,0,/d\r\n../x,1,9,0,,0,/d\r\n",
         "line 3: the name \"../x\" cannot be a player's"},
        {"2010\r\nPC,1,one,0,,0,/d\r\n", "line 2: the field \"one\" is no number"},
        {"2010\r\nPC,1,1,0,,0,/d\r\nPC,1,1,0,,0,/d\r\n", "line 3: the name \"PC\" stands twice"},
        {"2010\r\nadmin,1,9,1,,0,/d\r\n", "it does not hold the computer player PC"},
    };
    for (const auto& [bytes, reason] : cases) {
        Result<PoolList> list = parsePoolList(bytes);
        EXPECT_EQ(list ? "taken" : list.error().message,
                  "The received user list UserList.db was not installed: " + reason +
                      ". This computer's list stays as it was.");
    }
}

struct MergeCase : test::NamedCase {
    std::vector<std::string> poolUsers;   // held by earlier received lists
    std::vector<std::string> remoteUsers; // known here through them only
    const char* joining;
    std::string merged; // the lines, then "remote:" and the pool's names
};

class PoolListMerges : public testing::TestWithParam<MergeCase> {};

// This machine's list: its admin, PC, Ann (who plays here), Zed (added here)
// and Old (a player of an earlier pool's list). The pool's: Bob is new, Ann
// inactive and with rights there, the season 2011.
TEST_P(PoolListMerges, TakeThePoolsMembersOrderAndSeasonAndKeepWhatIsThisMachines) {
    const std::vector<std::string> local = {
        "2010",
        "admin,1,9,1,klm,0,/h/data",
        "Old,1,4,0,,0,/h/data",
        "Ann,1,5,0,abc,0,/h/data",
        "PC,1,1,0,Z,0,/h/data",
        "Zed,1,2,0,,0,/mine",
    };
    PoolList received = parsePoolList("2011\r\nPC,1,1,0,,0,/a/data\r\nBob,1,3,1,,1,/a/data\r\n"
                                      "Ann,0,9,1,,0,/a/data\r\nadmin,1,9,1,,0,/a/data\r\n")
                            .value();
    PoolListMerge merge = mergePoolList(local, received, GetParam().poolUsers,
                                        GetParam().remoteUsers, "/h/data", GetParam().joining);
    auto names = [](const std::vector<std::string>& list) {
        std::string text;
        for (const std::string& name : list)
            text += " " + name;
        return text;
    };
    std::string text;
    for (const std::string& line : merge.lines)
        text += line + "\n";
    text += "remote:" + names(merge.remoteUsers) + " pool:" + names(merge.poolUsers) +
            " order:" + names(merge.activeOrder);
    EXPECT_EQ(text, GetParam().merged);
}

const std::string kMerged = "2011\nPC,1,1,0,Z,0,/h/data\nBob,1,3,0,,1,/h/data\n"
                            "Ann,0,5,0,abc,0,/h/data\nadmin,1,9,1,klm,0,/h/data\n";

INSTANTIATE_TEST_SUITE_P(
    Lists, PoolListMerges,
    testing::Values(MergeCase{"TheFirstMerge",
                              {},
                              {},
                              "",
                              kMerged + "Old,1,4,0,,0,/h/data\nZed,1,2,0,,0,/mine\n"
                                        "remote: Bob pool: PC Bob Ann admin order: PC Bob admin"},
                    MergeCase{"ALaterOneWithoutOld",
                              {"Old", "PC"},
                              {"Old"},
                              "",
                              kMerged +
                                  "Old,0,4,0,,0,/h/data\nZed,1,2,0,,0,/mine\n"
                                  "remote: Old Bob pool: Old PC Bob Ann admin order: PC Bob admin"},
                    MergeCase{"BobJoiningHere",
                              {},
                              {},
                              "Bob",
                              kMerged + "Old,1,4,0,,0,/h/data\nZed,1,2,0,,0,/mine\n"
                                        "remote: pool: PC Bob Ann admin order: PC Bob admin"}),
    test::caseName);

} // namespace
} // namespace gs
