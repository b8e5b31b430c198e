#include "export/csvexports.h"

#include "core/league.h"
#include "core/textfile.h"
#include "core/userlist.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace gs {
namespace {

namespace fs = std::filesystem;
using test::crlf;
using test::readBytes;
using test::weekLine;
using test::writeBytes;

// A week of games around the pool's current day (11/02/2010): a win before
// it, a tie without a date, a Monday game, a game on the day itself (the
// Tuesday starts week 2) and a game not played yet.
std::vector<SeasonGame> aroundTheReferenceDay() {
    return {
        {"Miami Dolphins", "Buffalo Bills", "10/31/2010", "20", "10"},
        {"Detroit Lions", "Chicago Bears", "", "14", "14"},
        {"Houston Texans", "Indianapolis Colts", "11/1/2010", "17", "30"},
        {"N.Y. Jets", "New England Patriots", "11/2/2010", "21", "7"},
        {"Tampa Bay Buccaneers", "Atlanta Falcons", "11/7/2010", "", ""},
    };
}

std::vector<int> teams(std::initializer_list<const char*> names) {
    std::vector<int> numbers;
    for (const char* name : names)
        numbers.push_back(teamNumber(name));
    return numbers;
}

PickTable picks(std::initializer_list<std::pair<int, std::vector<int>>> weeks) {
    PickTable table{};
    for (const auto& [week, picked] : weeks)
        for (int team : picked)
            table[week][team] = 1;
    return table;
}

// ann picks every winner but the tie; bob every loser and nothing in week 2.
const PickTable kAnn = picks({{1, teams({"Miami Dolphins", "Detroit Lions", "Indianapolis Colts"})},
                              {2, teams({"N.Y. Jets", "Tampa Bay Buccaneers"})}});
const PickTable kBob = picks({{1, teams({"Buffalo Bills", "Chicago Bears", "Houston Texans"})}});

std::string text(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines)
        out += line + "\n";
    return out;
}

TEST(PickExportTable, HistoryShowsEachPickAndCountsOnlyGamesBeforeTheReferenceDay) {
    auto lines = pickExportLines(PickExport::History, aroundTheReferenceDay(), 2010,
                                 {{"ann", kAnn}, {"bob", kBob}}, "11/02/2010");
    EXPECT_EQ(text(lines), "Week,Date,,Visitor Team,,Home Team,,ann,bob\n"
                           "1,10/31/2010,Sunday,Miami Dolphins,20,Buffalo Bills,10,MIA,BUF\n"
                           "1,,Sunday,Detroit Lions,14,Chicago Bears,14,DET,CHI\n"
                           "1,11/1/2010,Monday,Houston Texans,17,Indianapolis Colts,30,IND,HOU\n"
                           "2,11/2/2010,Tuesday,N.Y. Jets,21,New England Patriots,7,NYJ,NE\n"
                           ",,,,,,, 2, 0\n");
}

TEST(PickExportTable, ResultsMarkRightPicksAndCountTheReferenceDay) {
    auto lines = pickExportLines(PickExport::Results, aroundTheReferenceDay(), 2010,
                                 {{"ann", kAnn}, {"bob", kBob}}, "11/02/2010");
    EXPECT_EQ(text(lines), "Week,Date,,Visitor Team,,Home Team,,ann,bob\n"
                           "1,10/31/2010,Sunday,Miami Dolphins,20,Buffalo Bills,10,1,0\n"
                           "1,,Sunday,Detroit Lions,14,Chicago Bears,14,0,0\n"
                           "1,11/1/2010,Monday,Houston Texans,17,Indianapolis Colts,30,1,0\n"
                           "2,11/2/2010,Tuesday,N.Y. Jets,21,New England Patriots,7,1,0\n"
                           ",,,,,,, 3, 0\n");
}

TEST(PickExportTable, WithoutActivePlayersRowsHaveSevenFieldsAndNoWeeks) {
    for (PickExport kind : {PickExport::History, PickExport::Results}) {
        auto lines = pickExportLines(kind, aroundTheReferenceDay(), 2010, {}, "11/02/2010");
        EXPECT_EQ(text(lines), "Week,Date,,Visitor Team,,Home Team,\n"
                               ",10/31/2010,Sunday,Miami Dolphins,20,Buffalo Bills,10\n"
                               ",,Sunday,Detroit Lions,14,Chicago Bears,14\n"
                               ",11/1/2010,Monday,Houston Texans,17,Indianapolis Colts,30\n"
                               ",11/2/2010,Tuesday,N.Y. Jets,21,New England Patriots,7\n"
                               ",,,,,,\n");
    }
}

TEST(PickExportTable, ResultsTotalOfTwelveRightPicksOnTheRealSeason) {
    std::vector<SeasonGame> games = test::seasonFromCsv(2010, "11/02/2010");
    PickTable twelve{};
    // The winners of the first 12 games of week 1.
    for (size_t g = 0; g < 12; ++g) {
        const SeasonGame& game = games[g];
        bool visitorWon = std::stoi(game.visitorScore) > std::stoi(game.homeScore);
        twelve[1][teamNumber(visitorWon ? game.visitor : game.home)] = 1;
    }
    auto lines = pickExportLines(PickExport::Results, games, 2010, {{"ann", twelve}}, "11/02/2010");
    EXPECT_EQ(lines.front(), "Week,Date,,Visitor Team,,Home Team,,ann");
    EXPECT_EQ(lines.back(), ",,,,,,, 12");
    // Every scored game is a line; the unscored rest of the season is not.
    EXPECT_EQ(lines.size(), 117u + 2u);
}

TEST(PickExportTable, ProgressCountsUpToGamesTimesPlayersPlusGames) {
    int steps = 0;
    pickExportLines(PickExport::History, aroundTheReferenceDay(), 2010,
                    {{"ann", kAnn}, {"bob", kBob}}, "11/02/2010", [&] { ++steps; });
    // 5 game rows, 5 x 2 player cells and 7 table rows written or skipped.
    EXPECT_EQ(steps, 5 + 10 + 7);
}

// A pool whose games table holds the games around the reference day as
// season 2010, with ann and bob active and admin on file but not playing.
class ExportFiles : public testing::Test {
protected:
    test::PoolFixture program;
    Pool& pool = program.pool;

    void SetUp() override {
        std::vector<GameRecord> records;
        for (const SeasonGame& g : aroundTheReferenceDay())
            records.push_back({g.visitor, g.home, g.date, g.visitorScore, g.homeScore, "2010"});
        test::storeRecords(pool, records);
        writeBytes(userListPath(pool.folders),
                   crlf({"2010", "admin,0,9,1,,0,", "ann,1,1,0,,0,", "bob,1,1,0,,0,"}));
        writePicks("ann2010.dat", kAnn);
        writePicks("bob2010.dat", kBob);
        pool.currentUser = "admin";
        ASSERT_TRUE(loadUserList(pool));
    }

    void writePicks(const std::string& file, const PickTable& table) {
        std::vector<std::string> lines;
        for (int w = 1; w <= kWeeks; ++w) {
            std::vector<int> picked;
            for (int t = 1; t <= kTeamCount; ++t)
                if (table[w][t] == 1)
                    picked.push_back(t);
            lines.push_back(weekLine(picked));
        }
        writeBytes(pool.folders.program / file, crlf(lines));
    }
};

TEST_F(ExportFiles, TheThreeFilesGoToTheInstallFolderWithTheirMessages) {
    CsvExports exports(pool, program.dialogs);
    exports.exportHistory();
    exports.exportResults();
    exports.exportStatistics();
    EXPECT_EQ(program.dialogs.messages(),
              (std::vector<std::string>{
                  "Export Status: User Pick History Export Complete.\nThe file is " +
                      (pool.folders.install / "AllUserPickHistory.csv").string(),
                  "Export Status: User Pick Results Export Complete.\nThe file is " +
                      (pool.folders.install / "AllUserPickResults.csv").string(),
                  "Export Status: User Stat Export Complete.\nThe file is " +
                      (pool.folders.install / "AllUserStats2010.csv").string()}));

    EXPECT_EQ(
        readBytes(pool.folders.install / "AllUserPickHistory.csv"),
        crlf({"Week,Date,,Visitor Team,,Home Team,,ann,bob",
              "1,10/31/2010,Sunday,Miami Dolphins,20,Buffalo Bills,10,MIA,BUF",
              "1,,Sunday,Detroit Lions,14,Chicago Bears,14,DET,CHI",
              "1,11/1/2010,Monday,Houston Texans,17,Indianapolis Colts,30,IND,HOU",
              "2,11/2/2010,Tuesday,N.Y. Jets,21,New England Patriots,7,NYJ,NE", ",,,,,,, 2, 0"}));
    EXPECT_EQ(
        readBytes(pool.folders.install / "AllUserPickResults.csv"),
        crlf({"Week,Date,,Visitor Team,,Home Team,,ann,bob",
              "1,10/31/2010,Sunday,Miami Dolphins,20,Buffalo Bills,10,1,0",
              "1,,Sunday,Detroit Lions,14,Chicago Bears,14,0,0",
              "1,11/1/2010,Monday,Houston Texans,17,Indianapolis Colts,30,1,0",
              "2,11/2/2010,Tuesday,N.Y. Jets,21,New England Patriots,7,1,0", ",,,,,,, 3, 0"}));
    // Week 1 closes with the game on the reference day, which counts.
    EXPECT_EQ(
        readBytes(pool.folders.install / "AllUserStats2010.csv"),
        crlf({"", "User: ann", "Week,Total,% Week,Correct,Picks,% Overall",
              "1,2,66.6667,2,3,66.6667", "", "User: bob",
              "Week,Total,% Week,Correct,Picks,% Overall", "1,0,0,0,3,0", "",
              "User Stat Summary:", "User,Correct,Picks,% Correct", "ann,3,4,75", "bob,0,3,0"}));
}

TEST_F(ExportFiles, APlayerWithoutAPickFileGetsAnEmptyOne) {
    fs::remove(pool.folders.program / "bob2010.dat");
    ASSERT_TRUE(exportPickHistory(pool));
    EXPECT_EQ(readBytes(pool.folders.program / "bob2010.dat"),
              crlf(std::vector<std::string>(kWeeks, weekLine())));
    // Without picks every row shows the home team, and a home win counts.
    EXPECT_EQ(
        readBytes(pool.folders.install / "AllUserPickHistory.csv"),
        crlf({"Week,Date,,Visitor Team,,Home Team,,ann,bob",
              "1,10/31/2010,Sunday,Miami Dolphins,20,Buffalo Bills,10,MIA,BUF",
              "1,,Sunday,Detroit Lions,14,Chicago Bears,14,DET,CHI",
              "1,11/1/2010,Monday,Houston Texans,17,Indianapolis Colts,30,IND,IND",
              "2,11/2/2010,Tuesday,N.Y. Jets,21,New England Patriots,7,NYJ,NE", ",,,,,,, 2, 1"}));
}

TEST_F(ExportFiles, TheStatisticsFollowTheSeasonInForceNotTheStoredOne) {
    pool.seasonYear = "2011";
    Result<ExportOutcome> outcome = exportUserStatistics(pool);
    ASSERT_TRUE(outcome) << outcome.error().message;
    EXPECT_EQ(outcome->path, pool.folders.install / "AllUserStats2011.csv");
    EXPECT_EQ(pool.seasonYear, "2011");
    // The 2011 pick files were read (made empty), not those of 2010.
    EXPECT_TRUE(fs::exists(pool.folders.program / "ann2011.dat"));
    EXPECT_EQ(readBytes(outcome->path),
              crlf({"", "User: ann", "Week,Total,% Week,Correct,Picks,% Overall", "", "User: bob",
                    "Week,Total,% Week,Correct,Picks,% Overall", "", "User Stat Summary:",
                    "User,Correct,Picks,% Correct", "ann,0,0,0", "bob,0,0,0"}));
}

TEST_F(ExportFiles, AnUnwritableFolderIsReportedAndNothingIsComplete) {
    pool.folders.install = pool.folders.install / "missing";
    CsvExports exports(pool, program.dialogs);
    std::vector<ProgressModel> seen;
    exports.onProgress = [&](const ProgressModel& p) { seen.push_back(p); };
    exports.exportHistory();
    exports.exportStatistics();
    ASSERT_EQ(program.dialogs.shown.size(), 2u);
    for (const auto& shown : program.dialogs.shown) {
        EXPECT_EQ(shown.title, "Error");
        EXPECT_TRUE(shown.text.starts_with("The file could not be saved.")) << shown.text;
        EXPECT_NE(shown.text.find("missing"), std::string::npos) << shown.text;
    }
    EXPECT_FALSE(fs::exists(pool.folders.install));
    ASSERT_FALSE(seen.empty());
    EXPECT_FALSE(exports.progress().visible);
}

TEST_F(ExportFiles, TheProgressBarShowsWhileTheExportRunsAndNeverPassesItsMaximum) {
    std::vector<ProgressModel> seen;
    ASSERT_TRUE(exportPickResults(pool, [&](const ProgressModel& p) { seen.push_back(p); }));
    ASSERT_GE(seen.size(), 2u);
    EXPECT_TRUE(seen.front().visible);
    EXPECT_EQ(seen.front().minimum, 1);
    EXPECT_EQ(seen.front().value, 1);
    EXPECT_EQ(seen.front().maximum, 5 * 2 + 5);
    for (size_t i = 1; i + 1 < seen.size(); ++i) {
        EXPECT_EQ(seen[i].value, seen[i - 1].value + 1);
        EXPECT_LE(seen[i].value, seen[i].maximum);
    }
    EXPECT_EQ(seen[seen.size() - 2].value, 15);
    EXPECT_FALSE(seen.back().visible);
}

// The files open in a real spreadsheet program: LibreOffice reads each one
// as comma-separated values and writes it out as a table.
TEST_F(ExportFiles, ASpreadsheetProgramReadsTheFiles) {
    std::string office;
    for (const char* name : {"soffice", "libreoffice"})
        if (std::system(("command -v " + std::string(name) + " >/dev/null 2>&1").c_str()) == 0) {
            office = name;
            break;
        }
    if (office.empty())
        GTEST_SKIP() << "LibreOffice is not installed";

    ASSERT_TRUE(exportPickHistory(pool));
    ASSERT_TRUE(exportPickResults(pool));
    ASSERT_TRUE(exportUserStatistics(pool));
    test::TempDir work;
    fs::path out = work.path() / "converted";
    std::string command =
        office + " -env:UserInstallation=file://" + (work.path() / "profile").string() +
        " --headless --infilter=CSV:44,34,76 --convert-to html --outdir " + out.string();
    for (const char* file :
         {"AllUserPickHistory.csv", "AllUserPickResults.csv", "AllUserStats2010.csv"})
        command += " " + (pool.folders.install / file).string();
    command += " >" + (work.path() / "log").string() + " 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << readBytes(work.path() / "log");

    struct Expected {
        const char* file;
        std::vector<const char*> cells;
    };
    for (const Expected& e : std::vector<Expected>{
             {"AllUserPickHistory.html", {">Visitor Team<", ">ann<", ">MIA<", ">NYJ<"}},
             {"AllUserPickResults.html", {">Home Team<", ">bob<", ">Detroit Lions<"}},
             {"AllUserStats2010.html", {">User Stat Summary:<", ">% Overall<", ">66.6667<"}}}) {
        std::string html = readBytes(out / e.file);
        ASSERT_FALSE(html.empty()) << e.file;
        for (const char* cell : e.cells)
            EXPECT_NE(html.find(cell), std::string::npos) << e.file << " lacks " << cell;
    }
}

} // namespace
} // namespace gs

namespace gs {
namespace {

TEST(GameList, PrintsTheWeekTheProgramCountsAndWholeScores) {
    Season byDates;
    byDates.games = {{"Dallas Cowboys", "N.Y. Giants", "9/12/2010", " 17", "20 "},
                     {"Minnesota Vikings", "Detroit Lions", "9/13/2010", "3", ""},
                     {"Oakland Raiders", "Denver Broncos", "9/19/2010", "", ""}};
    EXPECT_EQ(test::crlf(gameListLines(byDates)),
              test::crlf({"Week,Date,Visitor,Home,Visitor Score,Home Score",
                          "1,9/12/2010,Dallas Cowboys,N.Y. Giants,17,20",
                          "1,9/13/2010,Minnesota Vikings,Detroit Lions,,",
                          "2,9/19/2010,Oakland Raiders,Denver Broncos,,"}));
    // A Tuesday game keeps the week the table gives it.
    Season official;
    official.shape = seasonShape(2020);
    official.games = {{"Buffalo Bills", "Tennessee Titans", "10/13/2020", "16", "42", 5},
                      {"Chicago Bears", "Tampa Bay Buccaneers", "10/8/2020", "20", "19", 5},
                      {"Miami Dolphins", "San Francisco 49ers", "10/11/2020", "43", "17", 5}};
    official.games.push_back(
        {"Los Angeles Rams", "Washington Football Team", "10/15/2020", "", "", 6});
    EXPECT_EQ(gameListLines(official)[1], "5,10/13/2020,Buffalo Bills,Tennessee Titans,16,42");
    EXPECT_EQ(gameListLines(official).back(),
              "6,10/15/2020,Los Angeles Rams,Washington Football Team,,");
}

} // namespace
} // namespace gs
