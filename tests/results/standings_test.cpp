#include "app/commandline.h"

#include "tests/results/resultsfixture.h"

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

TEST_F(Standings, TakesNoArguments) {
    EXPECT_EQ(run({"standings", "extra"}), 2);
    EXPECT_EQ(err.str(), "gridslate: standings takes no arguments\n");
    EXPECT_EQ(out.str(), "");
}

} // namespace
} // namespace gs
