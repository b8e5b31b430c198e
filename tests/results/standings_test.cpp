#include "app/commandline.h"

#include "schedule/pickfiles.h"
#include "tests/results/resultsfixture.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>

namespace gs {
namespace {

using test::Side;
using test::sidePicks;

class Standings : public testing::Test, public test::ResultsPool {
protected:
    void SetUp() override {
        Season season = test::bundled2010();
        writeUserList({"ann", "bob", "cy"}, "admin");
        writePicks("ann", sidePicks(season, Side::Home, 1, 9));
        writePicks("bob", sidePicks(season, Side::Visitor, 1, 8));
    }

    int run(std::vector<std::string> args) {
        out.str("");
        err.str("");
        args.insert(args.begin(), {"--home", home.path().string()});
        return runCommandLine(
            args, [](Pool&) { return 99; }, out, err);
    }

    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(Standings, PrintsTheTotalsOfUserStatisticsAsCsv) {
    ASSERT_EQ(run({"standings"}), 0) << err.str();
    EXPECT_EQ(out.str(), "User,Correct,Picks,% Correct\n"
                         "PC,79,117,67.5214\n"
                         "ann,68,117,58.1197\n"
                         "bob,49,117,41.8803\n"
                         "admin,0,0,0\n"
                         "cy,0,0,0\n");
    EXPECT_EQ(err.str(), "");
}

TEST_F(Standings, WorksOnTheChosenSeason) {
    ASSERT_EQ(run({"--season", "2011", "standings"}), 0) << err.str();
    EXPECT_EQ(out.str(), "User,Correct,Picks,% Correct\n"
                         "admin,0,0,0\n"
                         "PC,0,0,0\n"
                         "ann,0,0,0\n"
                         "bob,0,0,0\n"
                         "cy,0,0,0\n");
}

TEST_F(Standings, TheRatingPlayerStandsAmongThePlayersWithThePicksItKept) {
    // ELO picked every home team of weeks 1..8, the games scored so far, as
    // ann did; those picks stay whatever the ratings say now.
    std::string folder = pool.programFolderText();
    test::writeBytes(
        pool.folders().program / "UserList.db",
        test::crlf({"2010", "admin,1,9,1,,0," + folder, "PC,1,1,0,,0," + folder,
                    "ann,1,1,0,,0," + folder, "ELO,1,1,0,,1," + folder, "bob,1,1,0,,0," + folder}));
    writePicks("ELO", sidePicks(test::bundled2010(), Side::Home, 1, 8));
    ASSERT_EQ(run({"standings"}), 0) << err.str();
    EXPECT_EQ(out.str(), "User,Correct,Picks,% Correct\n"
                         "PC,79,117,67.5214\n"
                         "ann,68,117,58.1197\n"
                         "ELO,68,117,58.1197\n"
                         "bob,49,117,41.8803\n"
                         "admin,0,0,0\n");
    // The standings brought its file up to date: week 9 is picked now.
    Result<PlayerPicks> elo = loadPicks(pool, "ELO");
    ASSERT_TRUE(elo);
    EXPECT_EQ(std::count(elo->picks[9].begin(), elo->picks[9].end(), 1), 13);
}

TEST_F(Standings, TakesNoArguments) {
    EXPECT_EQ(run({"standings", "extra"}), 2);
    EXPECT_EQ(err.str(), "gridslate: standings takes no arguments\n");
    EXPECT_EQ(out.str(), "");
}

// The ratings command on a small table: Atlanta beat Arizona 24-17 and
// Buffalo tied Baltimore 10-10 on 9/13/2009, Carolina won 30-3 at Chicago
// on 9/14/2009; the 2010 season has one game, not yet played.
class RatingsCommand : public Standings {
protected:
    void SetUp() override {
        Standings::SetUp();
        test::storeRecords(
            pool, {{"Arizona Cardinals", "Atlanta Falcons", "9/13/2009", "17", "24", "2009"},
                   {"Baltimore Ravens", "Buffalo Bills", "9/13/2009", "10", "10", "2009"},
                   {"Carolina Panthers", "Chicago Bears", "9/14/2009", "30", "3", "2009"},
                   {"Arizona Cardinals", "Atlanta Falcons", "9/12/2010", "", "", "2010"}});
    }
    // The first lines printed.
    std::string head(size_t lines) const {
        std::string text = out.str();
        size_t end = 0;
        for (size_t k = 0; k < lines && end != std::string::npos; ++k)
            end = text.find('\n', end + (k > 0));
        return text.substr(0, end == std::string::npos ? end : end + 1);
    }
};

struct RatingsCase {
    const char* name;
    std::vector<std::string> args;
    std::string head; // the first four lines
};

void PrintTo(const RatingsCase& c, std::ostream* os) {
    *os << c.name;
}

class RatingsSeason : public RatingsCommand, public testing::WithParamInterface<RatingsCase> {};

TEST_P(RatingsSeason, PrintsBestFirstWithTheRecordOfTheGamesCounted) {
    ASSERT_EQ(run(GetParam().args), 0) << err.str();
    EXPECT_EQ(head(4), GetParam().head);
    const std::string printed = out.str();
    EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 33);
    EXPECT_EQ(err.str(), "");
}

// 2009 ends with Carolina 1545.69, Atlanta 1521.46, Baltimore 1507.82;
// 2010 starts a third of the way back to 1505: 1532.12, 1515.97, 1506.88.
INSTANTIATE_TEST_SUITE_P(Cases, RatingsSeason,
                         testing::Values(RatingsCase{"ThePoolsSeasonBeforeItsFirstGame",
                                                     {"ratings"},
                                                     "Team,Rating,Wins,Losses,Ties\n"
                                                     "Carolina Panthers,1532,0,0,0\n"
                                                     "Atlanta Falcons,1516,0,0,0\n"
                                                     "Baltimore Ravens,1507,0,0,0\n"},
                                         RatingsCase{"APastSeasonAtItsEnd",
                                                     {"ratings", "--season", "2009"},
                                                     "Team,Rating,Wins,Losses,Ties\n"
                                                     "Carolina Panthers,1546,1,0,0\n"
                                                     "Atlanta Falcons,1521,1,0,0\n"
                                                     "Baltimore Ravens,1508,0,0,1\n"},
                                         RatingsCase{"OnlyTheGamesBeforeThePoolsDay",
                                                     {"--reference-date", "9/14/2009", "ratings",
                                                      "--season=2009"},
                                                     "Team,Rating,Wins,Losses,Ties\n"
                                                     "Atlanta Falcons,1521,1,0,0\n"
                                                     "Baltimore Ravens,1508,0,0,1\n"
                                                     "Carolina Panthers,1505,0,0,0\n"},
                                         RatingsCase{"TheSeasonChosenForTheRun",
                                                     {"--season", "2009", "ratings"},
                                                     "Team,Rating,Wins,Losses,Ties\n"
                                                     "Carolina Panthers,1546,1,0,0\n"
                                                     "Atlanta Falcons,1521,1,0,0\n"
                                                     "Baltimore Ravens,1508,0,0,1\n"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RatingsCommand, TakesAtMostASeason) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"ratings", "2009"},
                                                 {"ratings", "--season", "09"},
                                                 {"ratings", "--season"}}) {
        EXPECT_EQ(run(args), 2);
        EXPECT_EQ(err.str(), "gridslate: ratings takes at most a season: ratings [--season "
                             "YYYY]\n");
        EXPECT_EQ(out.str(), "");
    }
}

} // namespace
} // namespace gs
