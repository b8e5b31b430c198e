#include "export/csvexports.h"

#include "core/league.h"
#include "tests/results/resultsfixture.h"
#include "tests/support/commandrun.h"

namespace gs {
namespace {

using test::crlf;

// A week of games around the pool's current day (11/02/2010): a win before
// it, a tie without a date, a Monday game, a game on the day itself (the
// Tuesday starts week 2) and a game not played yet.
std::vector<GameRecord> aroundTheReferenceDay() {
    return {
        {"Miami Dolphins", "Buffalo Bills", "10/31/2010", "20", "10", "2010"},
        {"Detroit Lions", "Chicago Bears", "", "14", "14", "2010"},
        {"Houston Texans", "Indianapolis Colts", "11/1/2010", "17", "30", "2010"},
        {"N.Y. Jets", "New England Patriots", "11/2/2010", "21", "7", "2010"},
        {"Tampa Bay Buccaneers", "Atlanta Falcons", "11/7/2010", "", "", "2010"},
    };
}

PickTable picks(std::initializer_list<const char*> weekOne,
                std::initializer_list<const char*> weekTwo = {}) {
    PickTable table{};
    for (const char* team : weekOne)
        table[1][Team::named(team)->number()] = 1;
    for (const char* team : weekTwo)
        table[2][Team::named(team)->number()] = 1;
    return table;
}

// ann picks every winner but the tie; bob every loser and nothing in week 2.
const PickTable kAnn = picks({"Miami Dolphins", "Detroit Lions", "Indianapolis Colts"},
                             {"N.Y. Jets", "Tampa Bay Buccaneers"});
const PickTable kBob = picks({"Buffalo Bills", "Chicago Bears", "Houston Texans"});

TEST(PickExportTable, WithoutActivePlayersRowsHaveSevenFieldsAndNoWeeks) {
    for (PickExport kind : {PickExport::History, PickExport::Results})
        EXPECT_EQ(crlf(pickExportLines(kind, gamesOf(aroundTheReferenceDay()).value(), 2010, {},
                                       test::dateOf("11/02/2010"))),
                  crlf({"Week,Date,,Visitor Team,,Home Team,",
                        ",10/31/2010,Sunday,Miami Dolphins,20,Buffalo Bills,10",
                        ",,Sunday,Detroit Lions,14,Chicago Bears,14",
                        ",11/1/2010,Monday,Houston Texans,17,Indianapolis Colts,30",
                        ",11/2/2010,Tuesday,N.Y. Jets,21,New England Patriots,7", ",,,,,,"}));
}

TEST(PickExportTable, ProgressCountsUpToGamesTimesPlayersPlusGames) {
    int steps = 0;
    pickExportLines(PickExport::History, gamesOf(aroundTheReferenceDay()).value(), 2010,
                    {{"ann", kAnn}, {"bob", kBob}}, test::dateOf("11/02/2010"), [&] { ++steps; });
    // 5 game rows, 5 x 2 player cells and 7 table rows written or skipped.
    EXPECT_EQ(steps, 5 + 10 + 7);
}

// A pool whose games table holds the games around the reference day as
// season 2010, with ann and bob active and admin on file but not playing.
class ExportFiles : public testing::Test, public test::PoolBuilder {
protected:
    void SetUp() override {
        test::storeRecords(pool, aroundTheReferenceDay());
        season(2010).inactivePlayer("admin").players({"ann", "bob"}).loggedIn("admin");
        savedUserList().picks("ann", kAnn).picks("bob", kBob);
    }
    fs::path installed(const char* file) const { return pool.folders().install / file; }
};

TEST_F(ExportFiles, TheThreeFilesGoToTheInstallFolderWithTheirMessages) {
    CsvExports exports(pool, dialogs);
    exports.exportHistory();
    exports.exportResults();
    exports.exportStatistics();
    EXPECT_EQ(dialogs.messages(),
              (std::vector<std::string>{
                  "Export Status: User Pick History Export Complete.\nThe file is " +
                      installed("AllUserPickHistory.csv").string(),
                  "Export Status: User Pick Results Export Complete.\nThe file is " +
                      installed("AllUserPickResults.csv").string(),
                  "Export Status: User Stat Export Complete.\nThe file is " +
                      installed("AllUserStats2010.csv").string()}));

    // Only games before the reference day count in the history's total;
    // bob's unpicked week 2 shows nothing.
    EXPECT_EQ(
        readBytes(installed("AllUserPickHistory.csv")),
        crlf({"Week,Date,,Visitor Team,,Home Team,,ann,bob",
              "1,10/31/2010,Sunday,Miami Dolphins,20,Buffalo Bills,10,MIA,BUF",
              "1,,Sunday,Detroit Lions,14,Chicago Bears,14,DET,CHI",
              "1,11/1/2010,Monday,Houston Texans,17,Indianapolis Colts,30,IND,HOU",
              "2,11/2/2010,Tuesday,N.Y. Jets,21,New England Patriots,7,NYJ,", ",,,,,,, 2, 0"}));
    EXPECT_EQ(
        readBytes(installed("AllUserPickResults.csv")),
        crlf({"Week,Date,,Visitor Team,,Home Team,,ann,bob",
              "1,10/31/2010,Sunday,Miami Dolphins,20,Buffalo Bills,10,1,0",
              "1,,Sunday,Detroit Lions,14,Chicago Bears,14,0,0",
              "1,11/1/2010,Monday,Houston Texans,17,Indianapolis Colts,30,1,0",
              "2,11/2/2010,Tuesday,N.Y. Jets,21,New England Patriots,7,1,0", ",,,,,,, 3, 0"}));
    // Week 1 closes with the game on the reference day, which counts.
    EXPECT_EQ(
        readBytes(installed("AllUserStats2010.csv")),
        crlf({"", "User: ann", "Week,Total,% Week,Correct,Picks,% Overall",
              "1,2,66.6667,2,3,66.6667", "", "User: bob",
              "Week,Total,% Week,Correct,Picks,% Overall", "1,0,0,0,3,0", "",
              "User Stat Summary:", "User,Correct,Picks,% Correct", "ann,3,4,75", "bob,0,3,0"}));
}

TEST_F(ExportFiles, TheStatisticsFollowTheSeasonInForceNotTheStoredOne) {
    pool.setSeasonYear(2011);
    Result<ExportOutcome> outcome = exportUserStatistics(pool);
    ASSERT_TRUE(outcome) << outcome.error();
    EXPECT_EQ(outcome->path, installed("AllUserStats2011.csv"));
    EXPECT_EQ(pool.seasonYear(), 2011);
    // The 2011 pick files were read (made empty), not those of 2010.
    EXPECT_TRUE(fs::exists(pool.folders().program / "ann2011.dat"));
    EXPECT_EQ(readBytes(outcome->path),
              crlf({"", "User: ann", "Week,Total,% Week,Correct,Picks,% Overall", "", "User: bob",
                    "Week,Total,% Week,Correct,Picks,% Overall", "", "User Stat Summary:",
                    "User,Correct,Picks,% Correct", "ann,0,0,0", "bob,0,0,0"}));
}

// The three exports write through one routine: a file that cannot be
// written is reported, and the bar goes away.
TEST_F(ExportFiles, AnUnwritableFileIsReportedAndNothingIsComplete) {
    fs::create_directories(pickHistoryPath(pool.folders()));
    CsvExports exports(pool, dialogs);
    exports.exportHistory();
    EXPECT_EQ(dialogs.kinds, std::vector<MessageKind>{MessageKind::Error});
    EXPECT_THAT(dialogs.messages(),
                testing::ElementsAre(testing::StartsWith("Error: The file could not be saved.")));
    EXPECT_TRUE(fs::is_empty(pickHistoryPath(pool.folders())));
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
    for (size_t i = 1; i + 1 < seen.size(); ++i)
        EXPECT_EQ(seen[i].value, seen[i - 1].value + 1);
    EXPECT_EQ(seen[seen.size() - 2].value, 15);
    EXPECT_FALSE(seen.back().visible);
}

TEST(GameList, PrintsTheWeekTheProgramCountsAndWholeScores) {
    Season byDates{gamesOf({{"Dallas Cowboys", "N.Y. Giants", "9/12/2010", " 17", "20 ", "2010"},
                            {"Minnesota Vikings", "Detroit Lions", "9/13/2010", "3", "", "2010"},
                            {"Oakland Raiders", "Denver Broncos", "9/19/2010", "", "", "2010"}})
                       .value()};
    EXPECT_EQ(test::crlf(gameListLines(byDates)),
              test::crlf({"Week,Date,Kickoff,Visitor,Home,Visitor Score,Home Score",
                          "1,9/12/2010,,Dallas Cowboys,N.Y. Giants,17,20",
                          "1,9/13/2010,,Minnesota Vikings,Detroit Lions,,",
                          "2,9/19/2010,,Oakland Raiders,Denver Broncos,,"}));
    // A Tuesday game keeps the week the table gives it.
    Season official{
        gamesOf(
            {{"Buffalo Bills", "Tennessee Titans", "10/13/2020", "16", "42", "2020", 5, "19:00"},
             {"Chicago Bears", "Tampa Bay Buccaneers", "10/8/2020", "20", "19", "2020", 5},
             {"Miami Dolphins", "San Francisco 49ers", "10/11/2020", "43", "17", "2020", 5},
             {"Los Angeles Rams", "Washington Football Team", "10/15/2020", "", "", "2020", 6}})
            .value(),
        0, seasonShape(2020)};
    EXPECT_EQ(gameListLines(official)[1],
              "5,10/13/2020,19:00,Buffalo Bills,Tennessee Titans,16,42");
    EXPECT_EQ(gameListLines(official).back(),
              "6,10/15/2020,,Los Angeles Rams,Washington Football Team,,");
}

// Each command reaches its export (the files' contents are the export's
// own tests'); the three share one runner, so its failure is seen once.
TEST(ExportCommands, WriteTheFileAndPrintItsPathOrFailWithTheReason) {
    test::TempDir home;
    for (const auto& [command, file] : {std::pair{"export-history", "AllUserPickHistory.csv"},
                                        {"export-results", "AllUserPickResults.csv"},
                                        {"export-stats", "AllUserStats2010.csv"}}) {
        test::CommandRun run = test::runGridslateIn(home.path(), {command});
        ASSERT_EQ(run.status, 0) << command << run.err;
        EXPECT_EQ(run.out, (home.path() / file).string() + "\n");
        EXPECT_TRUE(fs::is_regular_file(home.path() / file));
    }
    fs::remove(home.path() / "AllUserPickHistory.csv");
    fs::create_directories(home.path() / "AllUserPickHistory.csv");
    test::CommandRun failed = test::runGridslateIn(home.path(), {"export-history"});
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.out, "");
    EXPECT_TRUE(failed.err.starts_with("gridslate: The file could not be saved.")) << failed.err;
}

} // namespace
} // namespace gs
