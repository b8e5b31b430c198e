// A pool across three machines: the administrator's and two players' that
// joined it, through weeks 9 to 11 of 2010 over a shared folder and over
// FTP. The merge's rules and the table check are pinned by the library
// tests; here, that the pool assembles on every machine.

#include "adminsupport.h"
#include "core/league.h"
#include "core/poolday.h"
#include "core/poolmachine.h"
#include "core/userlist.h"
#include "exchangehome.h"
#include "schedule/calendar.h"
#include "schedule/pickextras.h"
#include "schedule/pickfiles.h"
#include "scores/scoreentry.h"
#include "tests/support/commandrun.h"

#include <map>

namespace gs {
namespace {

class PoolMachines : public testing::TestWithParam<ExchangeMode> {
protected:
    PoolMachines() : place(GetParam()) {}

    std::string placeText() const {
        return GetParam() == ExchangeMode::Ftp ? kFtpScheme + place.address()
                                               : place.folder().string();
    }
    // `gridslate --home HOME --reference-date DAY` and the line; PLACE and
    // FILE stand for the shared place and the score file. The day is the
    // administrator's to set: a player's machine keeps its own.
    test::CommandRun runAny(const fs::path& home, const std::string& day, const std::string& line,
                            const std::string& input = "") {
        std::vector<std::string> args;
        if (home == admin.path())
            args = {"--reference-date", day};
        for (const std::string& word : test::words(line))
            args.push_back(word == "PLACE" ? placeText() : word == "FILE" ? file().string() : word);
        return test::runGridslateIn(home, args, input);
    }
    test::CommandRun run(const fs::path& home, const std::string& day, const std::string& line,
                         const std::string& input = "") {
        test::CommandRun done = runAny(home, day, line, input);
        EXPECT_EQ(done.status, 0) << line << ": " << done.err;
        return done;
    }
    fs::path file() const { return admin.path() / "scores.csv"; }
    // Noon of a day on this machine's clock.
    static std::chrono::sys_seconds noonOf(const std::string& day) {
        return *parsePoolMoment(day + " 12:00", machineZone().value(), {}).value().instant();
    }
    // The pool as a command of the user sees it.
    Pool poolOf(const fs::path& home, const std::string& user) {
        Pool pool(home);
        pool.setCurrentUser(user);
        EXPECT_TRUE(loadUserList(pool));
        return pool;
    }
    // The rows of the week's games in the season's table order.
    std::vector<size_t> gamesOf(int week) const {
        std::vector<size_t> rows;
        for (size_t g = 0; g < weeks.size(); ++g)
            if (weeks[g] == week)
                rows.push_back(g);
        return rows;
    }
    // The player picks every game of the week: the home team, the visitor,
    // or each in turn.
    void pick(const fs::path& home, const std::string& player, int week, int side) {
        Pool pool = poolOf(home, player);
        PickTable picks = loadPicks(pool, player)->picks;
        for (size_t g : gamesOf(week))
            picks[week][Team::named(side == 1 || (side == 2 && g % 2 == 0) ? real[g].home
                                                                           : real[g].visitor)
                            ->number()] = 1;
        ASSERT_TRUE(savePicks(pool, player, picks));
        // A guess and confidence values 1..N, in table order or reversed.
        ExtrasTable extras = loadExtras(pool, player).value();
        std::vector<size_t> rows = gamesOf(week);
        extras[week].guess = TiebreakGuess{30 + 10 * side, 1, 2};
        for (size_t k = 0; k < rows.size(); ++k)
            extras[week].values[Team::named(real[rows[k]].visitor)->number()] =
                static_cast<int>(side == 1 ? k + 1 : rows.size() - k);
        ASSERT_TRUE(saveExtras(pool, player, extras));
    }
    // The week's real scores, typed into "Enter Scores" or as a file.
    void enterScores(int week, const std::string& day) {
        Pool pool = poolOf(admin.path(), "admin");
        pool.setDayOverride(day);
        refreshPoolDay(pool);
        test::FakeDialogs dialogs;
        std::unique_ptr<ScoreEntry> entry = openScoreEntry(pool, dialogs);
        ASSERT_TRUE(entry);
        for (size_t g : gamesOf(week)) {
            entry->visitorScore = real[g].visitorScore;
            entry->homeScore = real[g].homeScore;
            entry->nextGame();
        }
        EXPECT_TRUE(entry->commitAndClose());
        EXPECT_TRUE(dialogs.shown.empty());
    }
    void writeScoreFile(int week) {
        std::vector<std::string> lines = {"TeamA,TeamB,Date,Visitor,Home,Year"};
        for (size_t g : gamesOf(week))
            lines.push_back(real[g].visitor + "," + real[g].home + "," + real[g].date + "," +
                            real[g].visitorScore + "," + real[g].homeScore + ",2010");
        writeBytes(file(), test::crlf(lines));
    }
    std::string tableOf(const fs::path& home) {
        return test::dumpRecords(test::tableRecords(Pool(home)));
    }
    std::map<std::string, std::string> filesUnder(const fs::path& home) {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(home))
            if (entry.is_regular_file())
                files[entry.path().string()] = readBytes(entry.path());
        return files;
    }

    test::SharedPlace place;
    TempDir admin, ann, bob;
    const std::vector<GameRecord> real = test::seasonRecords(2010);
    const std::vector<int> weeks = gameWeeks(test::csvSeason(2010));
};

TEST_P(PoolMachines, ThreeMachinesPlayThreeWeeksAndAgreeOnTheStandings) {
    run(admin.path(), "11/3/2010", "add-player Ann --active");
    run(admin.path(), "11/3/2010", "add-player Bob --active");
    // Ann holds the rights on the administrator's machine: they stay there.
    Pool pool = poolOf(admin.path(), "admin");
    test::editUser(pool, pool.userSlot("Ann"), [](UserSlot& u) { u.admin = 1; });
    test::editCurrentUser(pool, [&](UserSlot& u) { u.exchangeAddress = placeText(); });
    ASSERT_TRUE(saveUserList(pool));
    // A confidence pool: the rule goes with the administrator's files.
    run(admin.path(), "11/3/2010", "pool-rules confidence");
    run(admin.path(), "11/3/2010", "exchange-upload-admin");
    run(ann.path(), "11/3/2010", "--user Ann join PLACE", "ann1\n");
    // A name the pool does not hold joins nothing, and leaves nothing behind.
    test::CommandRun refused = runAny(bob.path(), "11/3/2010", "--user Zed join PLACE", "z\n");
    EXPECT_EQ(refused.status, 1);
    EXPECT_THAT(refused.err, testing::EndsWith("Zed is not a player of this pool: ask its "
                                               "administrator to add you\n"));
    EXPECT_EQ(folderEntries(bob.path() / "data"), Lines{kGamesFileName});
    run(bob.path(), "11/3/2010", "--user Bob join PLACE", "bob1\n");

    const std::string own = encodePassword("ann1");
    const std::string data = (ann.path() / "data").string();
    EXPECT_EQ(readBytes(ann.path() / "data" / "UserList.db"),
              test::crlf({"2010", "admin,1,9,1," + own + ",0," + data, "PC,1,1,0,Z,0," + data,
                          "Ann,1,9,0," + own + ",0," + data, "Bob,1,9,0,,0," + data}));
    EXPECT_EQ(readBytes(ann.path() / "data" / "Ann_UserPref.dbu"),
              own + "," + placeText() + "\r\n");

    struct Week {
        int week;
        const char* pickDay;
        const char* scoreDay;
    };
    for (const Week& w : {Week{9, "11/3/2010", "11/8/2010"}, Week{10, "11/10/2010", "11/15/2010"},
                          Week{11, "11/17/2010", "11/22/2010"}}) {
        pick(admin.path(), "admin", w.week, 2);
        pick(ann.path(), "Ann", w.week, 1);
        pick(bob.path(), "Bob", w.week, 0);
        run(admin.path(), w.pickDay, "exchange-upload");
        run(ann.path(), w.pickDay, "--user Ann exchange-upload");
        run(bob.path(), w.pickDay, "--user Bob exchange-upload");
        // The pool plays 2010 over again: the files were sent on the pick day.
        for (const char* name : {"admin2010.dat", "Ann2010.dat", "Bob2010.dat"})
            fs::last_write_time(place.folder() / name,
                                std::chrono::file_clock::from_sys(noonOf(w.pickDay)));
        run(admin.path(), w.pickDay, "project");
        run(admin.path(), w.pickDay, "exchange-download");
        if (w.week == 9)
            run(admin.path(), w.pickDay, "add-player Cal --active"); // joins in week 9
        if (w.week == 10) {
            writeScoreFile(w.week);
            run(admin.path(), w.scoreDay, "import-scores FILE");
        } else {
            enterScores(w.week, w.scoreDay);
        }
        run(admin.path(), w.scoreDay, "exchange-upload-admin");
        run(ann.path(), w.scoreDay, "--user Ann exchange-download");
        run(bob.path(), w.scoreDay, "--user Bob exchange-download");
        EXPECT_EQ(tableOf(ann.path()), tableOf(admin.path())) << w.week;
        EXPECT_EQ(tableOf(bob.path()), tableOf(admin.path())) << w.week;
    }
    EXPECT_EQ(test::replaceAll(run(bob.path(), "11/23/2010", "--user Bob players").out,
                               (bob.path() / "data").string(), "F"),
              "Name,Active,Admin,Folder\nadmin,1,1,F\nPC,1,0,F\nAnn,1,0,F\nBob,1,0,F\nCal,1,0,F\n");
    std::string standings = run(admin.path(), "11/23/2010", "standings").out;
    EXPECT_EQ(run(ann.path(), "11/23/2010", "--user Ann standings").out, standings);
    EXPECT_EQ(run(bob.path(), "11/23/2010", "--user Bob standings").out, standings);
    EXPECT_THAT(standings, testing::StartsWith("User,Points,Correct,Picks,% Correct\n"));
    EXPECT_NE(standings.find("\nCal,0,0,0,0\n"), std::string::npos) << standings;
    std::string winners = run(admin.path(), "11/23/2010", "winners").out;
    EXPECT_EQ(winners, "Week,Winners,Correct,Guess,Total\n9,Ann,49,40,48\n10,admin,67,50,87\n"
                       "11,Ann,88,40,49\n");
    EXPECT_EQ(run(ann.path(), "11/23/2010", "--user Ann winners").out, winners);
    EXPECT_EQ(run(bob.path(), "11/23/2010", "--user Bob winners").out, winners);

    // What is the administrator's, or Bob's, is refused on Ann's machine.
    writeScoreFile(11);
    for (const char* line :
         {"pool-day today", "import-scores FILE", "update-games", "exchange-upload-admin",
          "exchange-upload", "--user Bob standings", "--user Ann join PLACE"}) {
        test::CommandRun refused = runAny(ann.path(), "11/23/2010", line, "x\n");
        EXPECT_EQ(refused.status, 1) << line;
        EXPECT_THAT(refused.err, testing::AnyOf(testing::HasSubstr(kPlayersMachineMessage),
                                                testing::HasSubstr("log in as Ann to upload"),
                                                testing::HasSubstr("Bob plays on another machine"),
                                                testing::HasSubstr("already holds a pool")))
            << line;
    }

    // A copy of Ann's home works on its own files only.
    TempDir copy;
    fs::copy(ann.path(), copy.path(),
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    fs::remove(ann.path() / "data" / "Ann2010.dat");
    const auto before = filesUnder(ann.path());
    run(copy.path(), "11/23/2010", "--user Ann standings");
    EXPECT_EQ(filesUnder(ann.path()), before);
}

INSTANTIATE_TEST_SUITE_P(Modes, PoolMachines, testing::Values(ExchangeMode::Lan, ExchangeMode::Ftp),
                         testing::PrintToStringParamName());

} // namespace
} // namespace gs
