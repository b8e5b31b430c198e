#include "schedule/importer.h"

#include "core/csv.h"
#include "core/date.h"
#include "core/league.h"
#include "core/text.h"
#include "schedule/seasongames.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>
#include <map>
#include <ostream>
#include <sqlite3.h>

namespace gs {
namespace {

namespace fs = std::filesystem;

const std::string kHeader =
    "season,game_type,week,gameday,gametime,away_team,home_team,away_score,home_score\n";

// Five games of 2016: two played, three to come.
const std::string kCarDen = "2016,REG,1,2016-09-08,20:30,CAR,DEN,20,21\n";
const std::string kTbAtl = "2016,REG,1,2016-09-11,13:00,TB,ATL,31,24\n";
const std::string kMinTen = "2016,REG,1,2016-09-11,13:00,MIN,TEN,,\n";
const std::string kSeaLa = "2016,REG,2,2016-09-18,16:25,SEA,LA,NA,NA\n";
const std::string kPhiChi = "2016,REG,2,2016-09-19,20:30,PHI,CHI,,\n";
const std::string kBase = kHeader + kCarDen + kTbAtl + kMinTen + kSeaLa + kPhiChi;

// The season's records as "visitor|home|date|visitor score|home score|week".
std::string dumpSeason(const std::vector<GameRecord>& records, int year) {
    std::string text;
    for (const GameRecord& r : records)
        if (numericValue(r.year) == year)
            text += r.visitor + "|" + r.home + "|" + r.date + "|" + r.visitorScore + "|" +
                    r.homeScore + "|" + std::to_string(r.week) + "\n";
    return text;
}

const std::string kBaseStored = "Carolina Panthers|Denver Broncos|9/8/2016|20|21|1\n"
                                "Tampa Bay Buccaneers|Atlanta Falcons|9/11/2016|31|24|1\n"
                                "Minnesota Vikings|Tennessee Titans|9/11/2016|||1\n"
                                "Seattle Seahawks|Los Angeles Rams|9/18/2016|||2\n"
                                "Philadelphia Eagles|Chicago Bears|9/19/2016|||2\n";

class CommunityImport : public testing::Test {
protected:
    void SetUp() override {
        Status created = ensureGamesTable(pool());
        ASSERT_TRUE(created) << created.error().message;
    }
    const Pool& pool() const { return fixture.pool; }
    ScheduleImportResult import(const std::string& csv, ScheduleImportOptions options = {}) {
        fs::path file = fixture.home.path() / "games.csv";
        test::writeBytes(file, csv);
        return importScheduleFile(pool(), file, options);
    }
    std::string season(int year) { return dumpSeason(test::tableRecords(pool()), year); }
    std::string tableBytes() { return test::readBytes(pool().gamesDatabasePath()); }
    // Scores typed into the window, which stores them as " 7".
    void enterScores(const std::string& visitor, const std::string& visitorScore,
                     const std::string& homeScore) {
        std::vector<GameRecord> records = test::tableRecords(pool());
        for (GameRecord& record : records)
            if (record.visitor == visitor && record.year == "2016") {
                record.visitorScore = visitorScore;
                record.homeScore = homeScore;
            }
        test::storeRecords(pool(), records);
    }
    test::PoolFixture fixture;
};

TEST_F(CommunityImport, RealFileGivesSixSeasonsWithTheirOfficialWeeks) {
    std::vector<GameRecord> bundled = test::tableRecords(pool());
    ScheduleImportResult result = importScheduleFile(pool(), test::communityCsv(), {});
    ASSERT_TRUE(result.ok) << result.summary;
    EXPECT_EQ(result.summary,
              "Updated seasons 2016 to 2021 (1552 games): added 1552 games, removed 0, changed "
              "the date or week of 0; entered the scores of 1552 games; 0 games already held "
              "their scores. Skipped 0 seasons before 2016 and 70 playoff games.");
    std::vector<GameRecord> records = test::tableRecords(pool());
    EXPECT_EQ(std::vector<GameRecord>(records.begin(), records.begin() + 1792), bundled);

    // Every regular-season row of the file, by season, teams and day.
    CsvText csv = readCsv(test::readBytes(test::communityCsv()));
    std::map<std::tuple<std::string, int, int, std::string>, std::string> weekOf;
    for (size_t r = 1; r < csv.records.size(); ++r) {
        const std::vector<std::string>& f = csv.records[r].fields;
        if (f[2] == "REG")
            weekOf[{f[1], teamOfCode(f[7]), teamOfCode(f[9]), f[4]}] = f[3];
    }
    std::map<int, int> games;
    for (size_t i = 1792; i < records.size(); ++i) {
        const GameRecord& r = records[i];
        std::optional<Date> day = Date::parse(r.date);
        ASSERT_TRUE(day) << r.date;
        EXPECT_EQ(day->text(), Date::fromParts(day->year(), day->month(), day->day())->text());
        char iso[11];
        std::snprintf(iso, sizeof iso, "%04d-%02d-%02d", day->year(), day->month(), day->day());
        auto found = weekOf.find({r.year, teamNumber(r.visitor), teamNumber(r.home), iso});
        ASSERT_NE(found, weekOf.end()) << r.visitor << " at " << r.home << " " << r.date;
        EXPECT_EQ(std::to_string(r.week), found->second) << r.visitor << " at " << r.home;
        if (i > 1792 && records[i - 1].year == r.year) {
            EXPECT_LE(records[i - 1].week, r.week) << "order at " << r.date;
        }
        ++games[std::stoi(r.year)];
    }
    EXPECT_EQ(games,
              (std::map<int, int>{
                  {2016, 256}, {2017, 256}, {2018, 256}, {2019, 256}, {2020, 256}, {2021, 272}}));

    // The Rams by season: St. Louis in the bundled 2015, Los Angeles after.
    auto ramsName = [&](const std::string& year) {
        for (const GameRecord& r : records)
            if (r.year == year && teamNumber(r.home) == 29)
                return r.home;
        return std::string();
    };
    EXPECT_EQ(ramsName("2015"), "St. Louis Rams");
    EXPECT_EQ(ramsName("2016"), "Los Angeles Rams");
    EXPECT_EQ(ramsName("2021"), "Los Angeles Rams");

    // A second import of the same file finds every game in place.
    std::string before = tableBytes();
    ScheduleImportResult again = importScheduleFile(pool(), test::communityCsv(), {});
    EXPECT_TRUE(again.ok);
    EXPECT_FALSE(again.changed);
    EXPECT_EQ(again.summary,
              "Already up to date: seasons 2016 to 2021 (1552 games) stand in the games table as "
              "the file has them; 1552 games already held their scores. Skipped 0 seasons before "
              "2016 and 70 playoff games.");
    EXPECT_EQ(tableBytes(), before);
}

struct MergeCase {
    const char* name;
    std::vector<std::pair<std::string, std::pair<std::string, std::string>>> entered;
    std::string file;
    bool overwrite;
    std::string summary; // what the import says
    std::string stored;  // the season afterwards; "" for unchanged
};

void PrintTo(const MergeCase& c, std::ostream* os) {
    *os << c.name;
}

class Merge : public CommunityImport, public testing::WithParamInterface<MergeCase> {};

TEST_P(Merge, FollowsTheFileButKeepsWhatItLacks) {
    ASSERT_TRUE(import(kBase).ok);
    ASSERT_EQ(season(2016), kBaseStored);
    for (const auto& [visitor, scores] : GetParam().entered)
        enterScores(visitor, scores.first, scores.second);
    std::string before = tableBytes();
    std::string stored = season(2016);
    ScheduleImportResult result = import(GetParam().file, {.overwrite = GetParam().overwrite});
    EXPECT_EQ(result.summary, GetParam().summary);
    if (GetParam().stored.empty()) {
        EXPECT_FALSE(result.changed);
        EXPECT_EQ(tableBytes(), before);
    } else {
        EXPECT_TRUE(result.changed);
        EXPECT_EQ(season(2016), GetParam().stored);
    }
}

const char* const kNothingSkipped = " Skipped 0 seasons before 2016 and 0 playoff games.";

std::string refusal(const std::string& conflicts) {
    return "The file was refused and the games table was left as it is: " + conflicts + ".";
}

INSTANTIATE_TEST_SUITE_P(
    Files, Merge,
    testing::Values(
        MergeCase{"ScoresTheFileLacksAreKept",
                  {{"Seattle Seahawks", {" 3", " 6"}}},
                  kBase,
                  false,
                  std::string("Already up to date: season 2016 (5 games) stand in the games "
                              "table as the file has them; 2 games already held their scores.") +
                      kNothingSkipped,
                  ""},
        MergeCase{"SameScoresInAnyFormAreAlreadyThere",
                  {{"Seattle Seahawks", {" 3", " 6"}}},
                  kHeader + kCarDen + kTbAtl + kMinTen +
                      "2016,REG,2,2016-09-18,16:25,SEA,LA,3,6\n" + kPhiChi,
                  false,
                  std::string("Already up to date: season 2016 (5 games) stand in the games "
                              "table as the file has them; 3 games already held their scores.") +
                      kNothingSkipped,
                  ""},
        MergeCase{"NewScoresAreEntered",
                  {},
                  kHeader + kCarDen + kTbAtl + "2016,REG,1,2016-09-11,13:00,MIN,TEN,25,16\n" +
                      kSeaLa + kPhiChi,
                  false,
                  std::string("Updated season 2016 (5 games): added 0 games, removed 0, changed "
                              "the date or week of 0; entered the scores of 1 game; 2 games "
                              "already held their scores.") +
                      kNothingSkipped,
                  "Carolina Panthers|Denver Broncos|9/8/2016|20|21|1\n"
                  "Tampa Bay Buccaneers|Atlanta Falcons|9/11/2016|31|24|1\n"
                  "Minnesota Vikings|Tennessee Titans|9/11/2016|25|16|1\n"
                  "Seattle Seahawks|Los Angeles Rams|9/18/2016|||2\n"
                  "Philadelphia Eagles|Chicago Bears|9/19/2016|||2\n"},
        MergeCase{"DifferentScoreRefusesTheFile",
                  {{"Seattle Seahawks", {" 3", ""}}},
                  kHeader + "2016,REG,1,2016-09-08,20:30,CAR,DEN,20,22\n" + kTbAtl + kMinTen +
                      "2016,REG,2,2016-09-18,16:25,SEA,LA,3,6\n" + kPhiChi,
                  false,
                  refusal("2 games are in conflict with it: 2016 week 1, Carolina Panthers at "
                          "Denver Broncos on 9/8/2016: the table holds 20-21, the file 20-22; "
                          "2016 week 2, Seattle Seahawks at Los Angeles Rams on 9/18/2016: the "
                          "table holds the visitor score 3 only, the file 3-6"),
                  ""},
        MergeCase{"OverwriteTakesTheFilesScores",
                  {},
                  kHeader + "2016,REG,1,2016-09-08,20:30,CAR,DEN,20,22\n" + kTbAtl + kMinTen +
                      kSeaLa + kPhiChi,
                  true,
                  std::string("Updated season 2016 (5 games): added 0 games, removed 0, changed "
                              "the date or week of 0; entered the scores of 1 game (1 of them "
                              "over a different score); 1 game already held its scores.") +
                      kNothingSkipped,
                  "Carolina Panthers|Denver Broncos|9/8/2016|20|22|1\n"
                  "Tampa Bay Buccaneers|Atlanta Falcons|9/11/2016|31|24|1\n"
                  "Minnesota Vikings|Tennessee Titans|9/11/2016|||1\n"
                  "Seattle Seahawks|Los Angeles Rams|9/18/2016|||2\n"
                  "Philadelphia Eagles|Chicago Bears|9/19/2016|||2\n"},
        MergeCase{"CancelledGameIsRemoved",
                  {},
                  kHeader + kCarDen + kTbAtl + kMinTen + kSeaLa,
                  false,
                  std::string("Updated season 2016 (4 games): added 0 games, removed 1, changed "
                              "the date or week of 0; entered the scores of 0 games; 2 games "
                              "already held their scores.") +
                      kNothingSkipped,
                  "Carolina Panthers|Denver Broncos|9/8/2016|20|21|1\n"
                  "Tampa Bay Buccaneers|Atlanta Falcons|9/11/2016|31|24|1\n"
                  "Minnesota Vikings|Tennessee Titans|9/11/2016|||1\n"
                  "Seattle Seahawks|Los Angeles Rams|9/18/2016|||2\n"},
        MergeCase{"ScoredGameIsNotRemoved",
                  {},
                  kHeader + kCarDen + kMinTen + kSeaLa + kPhiChi,
                  false,
                  refusal("1 game is in conflict with it: 2016 week 1, Tampa Bay Buccaneers at "
                          "Atlanta Falcons on 9/11/2016 is not in the file and is scored 31-24"),
                  ""},
        MergeCase{"FileCutShortRemovesNothing",
                  {},
                  kHeader + kCarDen + kTbAtl,
                  false,
                  refusal("3 games are in conflict with it: 2016 week 1, Minnesota Vikings at "
                          "Tennessee Titans on 9/11/2016 is not in the file (the file lacks 3 "
                          "games of 2016); 2016 week 2, Seattle Seahawks at Los Angeles Rams on "
                          "9/18/2016 is not in the file (the file lacks 3 games of 2016); 2016 "
                          "week 2, Philadelphia Eagles at Chicago Bears on 9/19/2016 is not in "
                          "the file (the file lacks 3 games of 2016)"),
                  ""},
        MergeCase{"OverwriteRemovesThem",
                  {},
                  kHeader + kCarDen + kTbAtl,
                  true,
                  std::string("Updated season 2016 (2 games): added 0 games, removed 3, changed "
                              "the date or week of 0; entered the scores of 0 games; 2 games "
                              "already held their scores.") +
                      kNothingSkipped,
                  "Carolina Panthers|Denver Broncos|9/8/2016|20|21|1\n"
                  "Tampa Bay Buccaneers|Atlanta Falcons|9/11/2016|31|24|1\n"},
        MergeCase{"MovedGameTakesItsNewDateWeekAndPlace",
                  {{"Philadelphia Eagles", {" 14", " 10"}}},
                  kHeader + kCarDen + kTbAtl + kMinTen + kSeaLa +
                      "2016,REG,1,2016-09-10,20:30,PHI,CHI,,\n" +
                      "2016,REG,2,2016-09-25,13:00,NYG,WAS,,\n",
                  false,
                  std::string("Updated season 2016 (6 games): added 1 game, removed 0, changed "
                              "the date or week of 1; entered the scores of 0 games; 2 games "
                              "already held their scores.") +
                      kNothingSkipped,
                  "Carolina Panthers|Denver Broncos|9/8/2016|20|21|1\n"
                  "Philadelphia Eagles|Chicago Bears|9/10/2016| 14| 10|1\n"
                  "Tampa Bay Buccaneers|Atlanta Falcons|9/11/2016|31|24|1\n"
                  "Minnesota Vikings|Tennessee Titans|9/11/2016|||1\n"
                  "Seattle Seahawks|Los Angeles Rams|9/18/2016|||2\n"
                  "N.Y. Giants|Washington Redskins|9/25/2016|||2\n"},
        MergeCase{"PlayoffsAndEarlierSeasonsAreSkipped",
                  {},
                  kBase + "2015,REG,1,2015-09-10,20:30,PIT,NE,21,28\n" +
                      "2014,REG,1,2014-09-04,20:30,GB,SEA,16,36\n" +
                      "2016,WC,19,2017-01-07,16:35,OAK,HOU,14,27\n",
                  false,
                  "Already up to date: season 2016 (5 games) stand in the games table as the "
                  "file has them; 2 games already held their scores. Skipped 2 seasons before "
                  "2016 and 1 playoff game.",
                  ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CommunityImport, BundledSeasonsAreMergedOnlyWhenAskedFor) {
    std::string file = kHeader + "2015,REG,1,2015-09-10,20:30,PIT,NE,21,28\n";
    EXPECT_EQ(import(file).summary, "the file holds no regular-season games of the seasons from "
                                    "2016 on");
    std::string before = tableBytes();
    // Asked for, the one game of 2015 would remove the season's other 255.
    ScheduleImportResult asked = import(file, {.fromSeason = 2015});
    EXPECT_FALSE(asked.ok);
    EXPECT_EQ(asked.conflicts.size(), 255u);
    EXPECT_EQ(tableBytes(), before);
}

// A computer player's file: 17 week lines, then its numbers.
std::vector<std::string> computerFile(const std::vector<std::string>& numbers) {
    std::vector<std::string> lines(17, test::weekLine({1}));
    lines.insert(lines.end(), numbers.begin(), numbers.end());
    lines.resize(17 + 256, "0");
    return lines;
}

TEST_F(CommunityImport, ComputerPlayersNumbersFollowTheirGames) {
    ASSERT_TRUE(import(kBase).ok);
    // PC's file leaves out the season's first game; the rating player's
    // starts with it.
    fs::path pc = pool().folders.program / "PC2016.dat";
    fs::path elo = pool().folders.program / "ELO2016.dat";
    test::writeBytes(pc, test::crlf(computerFile({"11", "12", "13", "14"})));
    test::writeBytes(elo, test::crlf(computerFile({"20", "21", "22", "23", "24"})));
    std::string moved =
        kHeader + kCarDen + kTbAtl + kMinTen + kSeaLa + "2016,REG,1,2016-09-10,20:30,PHI,CHI,,\n";

    // Both files change with the table or not at all.
    {
        auto table = GamesTable::open(pool().gamesDatabasePath());
        ASSERT_TRUE(table) << table.error().message;
        ASSERT_EQ(sqlite3_exec((*table)->handle(),
                               "CREATE TRIGGER refuse BEFORE INSERT ON Scoresheet "
                               "BEGIN SELECT RAISE(ABORT, 'refused'); END",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
    }
    std::string before = tableBytes();
    ScheduleImportResult failed = import(moved);
    EXPECT_FALSE(failed.ok);
    EXPECT_TRUE(failed.summary.ends_with("could not be written: refused")) << failed.summary;
    EXPECT_EQ(test::readBytes(pc), test::crlf(computerFile({"11", "12", "13", "14"})));
    EXPECT_EQ(test::readBytes(elo), test::crlf(computerFile({"20", "21", "22", "23", "24"})));
    EXPECT_EQ(tableBytes(), before);
    {
        auto table = GamesTable::open(pool().gamesDatabasePath());
        ASSERT_TRUE(table) << table.error().message;
        ASSERT_EQ(
            sqlite3_exec((*table)->handle(), "DROP TRIGGER refuse", nullptr, nullptr, nullptr),
            SQLITE_OK);
    }

    ScheduleImportResult result = import(moved);
    ASSERT_TRUE(result.ok) << result.summary;
    EXPECT_EQ(test::readBytes(pc), test::crlf(computerFile({"14", "11", "12", "13"})));
    EXPECT_EQ(test::readBytes(elo), test::crlf(computerFile({"20", "24", "21", "22", "23"})));
}

struct Refusal {
    const char* name;
    std::string rows;
    std::string error;
};

void PrintTo(const Refusal& c, std::ostream* os) {
    *os << c.name;
}

class CommunityRefusal : public CommunityImport, public testing::WithParamInterface<Refusal> {};

TEST_P(CommunityRefusal, NamesTheLineAndChangesNothing) {
    std::string before = tableBytes();
    ScheduleImportResult result = import(kHeader + kCarDen + GetParam().rows);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.summary, GetParam().error);
    EXPECT_EQ(tableBytes(), before);
}

// Distinct games of one week, more than a season may hold.
std::string manyGames(int season, int count) {
    static const char* const kCodes[] = {"ARI", "ATL", "BAL", "BUF", "CAR", "CHI", "CIN", "CLE",
                                         "DAL", "DEN", "DET", "GB",  "HOU", "IND", "JAX", "KC",
                                         "MIA", "MIN", "NYG", "NYJ", "NE",  "NO",  "OAK", "PHI",
                                         "PIT", "SD",  "SF",  "SEA", "STL", "TB",  "TEN", "WAS"};
    std::string rows;
    for (int g = 0; g < count; ++g) {
        int away = g % 32 + 1;
        int home = (g / 32 + away) % 32 + 1;
        if (home == away)
            home = home % 32 + 1;
        rows += std::to_string(season) + ",REG,1," + std::to_string(season) + "-09-12,13:00," +
                kCodes[away - 1] + "," + kCodes[home - 1] + ",,\n";
    }
    return rows;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CommunityRefusal,
    testing::Values(
        Refusal{"UnknownTeamCode", "2016,REG,1,2016-09-11,13:00,XYZ,ATL,,\n",
                "line 3: unknown team code \"XYZ\""},
        Refusal{"WeekPastTheSeason", "2016,REG,18,2017-01-08,13:00,TB,ATL,,\n",
                "line 3: invalid week \"18\" (expected 1 to 17 in 2016)"},
        Refusal{"NoSuchDay", "2016,REG,1,2016-09-31,13:00,TB,ATL,,\n",
                "line 3: invalid date \"2016-09-31\" (expected a real date as YYYY-MM-DD)"},
        Refusal{"KickOffIsNoTime", "2016,REG,1,2016-09-11,1pm,TB,ATL,,\n",
                "line 3: invalid kick-off time \"1pm\" (expected HH:MM)"},
        Refusal{"HalfAScore", "2016,REG,1,2016-09-11,13:00,TB,ATL,31,\n",
                "line 3: only one of the scores is given"},
        Refusal{"ScoreIsNoWholeNumber", "2016,REG,1,2016-09-11,13:00,TB,ATL,31,2.5\n",
                "line 3: invalid home score \"2.5\" (expected empty, NA or a whole number from 0 "
                "to 999)"},
        Refusal{"SameGameTwice", kTbAtl + "2016,REG,9,2016-11-06,13:00,TB,ATL,,\n",
                "line 4: Tampa Bay Buccaneers at Atlanta Falcons stands twice in season 2016 "
                "(line 3)"},
        Refusal{"RowEndsEarly", "2016,REG,1,2016-09-11,13:00,TB\n",
                "line 3: the row ends before the column home_team"},
        Refusal{"SeasonOfMoreThan256Games", manyGames(2019, 257),
                "line 259: season 2019 has more than 256 games"},
        Refusal{"SeasonOfMoreThan272Games", manyGames(2021, 273),
                "line 275: season 2021 has more than 272 games"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CommunityImport, HeaderLackingAColumnIsNamed) {
    ScheduleImportResult result = import(
        "season,game_type,week,gameday,away_team,home_team,away_score,home_score\n" + kCarDen);
    EXPECT_EQ(result.summary, "line 1: the header lacks the columns gametime");
}

} // namespace
} // namespace gs
