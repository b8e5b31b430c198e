#include "settings/seasonselection.h"

#include "core/poolmachine.h"
#include "core/userlist.h"
#include "tests/support/testsupport.h"

namespace gs {
namespace {

using test::crlf;

const std::string kList = crlf({"2010", "admin,1,9,1,,0,", "PC,1,1,0,Z,0,", "ann,1,3,0,,0,"});

class SeasonChoice : public testing::Test {
protected:
    test::PoolFixture program;
    Pool& pool = program.pool;
    SeasonSelection window{program.pool, program.dialogs};

    void SetUp() override {
        writeBytes(userListPath(pool.folders()), kList);
        pool.setCurrentUser("ann");
    }
};

// Only "Apply" changes the season a login starts in: a save of the list made
// while another season is browsed keeps the stored one.
TEST_F(SeasonChoice, OpensOnTheSeasonInForceAndSwitchesAtOnce) {
    ASSERT_TRUE(loadUserList(pool));
    window.open();
    EXPECT_EQ(window.seasons.entries,
              (Lines{"2015", "2014", "2013", "2012", "2011", "2010", "2009"}));
    EXPECT_EQ(window.seasons.selected, 5);
    window.chooseSeason(4);
    EXPECT_EQ(pool.seasonYear(), 2011);
    EXPECT_EQ(window.seasons.selected, 4);
    window.close();
    EXPECT_EQ(pool.seasonYear(), 2011);
    ASSERT_TRUE(saveUserList(pool));
    EXPECT_TRUE(readBytes(userListPath(pool.folders())).starts_with("2010\r\nadmin,1,9,1,,0,"));

    pool.setSeasonYear(1999);
    window.open();
    EXPECT_EQ(window.seasons.selected, -1);
}

TEST_F(SeasonChoice, ThePoolsDayIsSetBesideTheSeason) {
    pool.setClock([] { return test::noonOf("10/3/2021"); });
    // Only an administrator sets it: greyed for ann, and refused.
    ASSERT_TRUE(loadUserList(pool));
    window.open();
    EXPECT_EQ(std::pair(window.setDayButton.enabled, window.setDayButton.toolTip),
              std::pair(false, std::string(kNotAdminMessage)));
    EXPECT_FALSE(window.setPoolDay("today"));
    program.dialogs.clear();
    pool.setCurrentUser("admin");
    window.open();
    EXPECT_EQ(window.dayNow.caption, "The pool's day is 11/02/2010.");
    EXPECT_FALSE(window.setPoolDay("tomorrow"));
    EXPECT_EQ(program.dialogs.messages().size(), 1u);
    ASSERT_TRUE(window.setPoolDay("today"));
    EXPECT_EQ(window.dayBox.caption, "today");
    EXPECT_EQ(pool.referenceDate().text(), "10/3/2021");
    ASSERT_TRUE(window.setPoolDay(""));
    window.chooseSeason(0); // 2015 keeps the day of old
    EXPECT_EQ(window.dayNow.caption, "The pool's day is 11/02/2010.");

    // On a player's machine the day is the administrator's: greyed, and refused.
    ASSERT_TRUE(markPlayersMachine(pool, "ann"));
    window.open();
    for (const ControlModel* control : {&window.dayBox, &window.setDayButton})
        EXPECT_EQ(std::pair(control->enabled, control->toolTip),
                  std::pair(false, std::string(kPlayersMachineMessage)));
    EXPECT_FALSE(window.setPoolDay("today"));
}

TEST_F(SeasonChoice, ApplyStoresTheSeasonForTheNextLogin) {
    window.open();
    window.chooseSeason(1);
    ASSERT_TRUE(window.apply());
    EXPECT_EQ(program.dialogs.messages(),
              Lines{"Season Year: Season 2014 is the season now, and the next login starts in it "
                    "as well."});
    EXPECT_EQ(readBytes(userListPath(pool.folders())), "2014" + kList.substr(4));

    fs::remove(userListPath(pool.folders())); // without a user list, Apply says so
    program.dialogs.clear();
    EXPECT_FALSE(window.apply());
    EXPECT_EQ(program.dialogs.kinds, std::vector<MessageKind>{MessageKind::Error});
    EXPECT_FALSE(fs::exists(userListPath(pool.folders())));
}

// What is no four-digit year on line 1 of the user list reads as 2010.
TEST(StoredSeason, ALoadTakesLineOneOr2010) {
    using Line = std::pair<std::string, int>; // and the season it gives
    for (const auto& [line, season] :
         {Line{"2012", 2012}, Line{" 2011 ", 2011}, Line{"", 2010}, Line{"20111", 2010},
          Line{"201", 2010}, Line{"2O12", 2010}}) {
        test::PoolFixture program;
        writeBytes(userListPath(program.pool.folders()),
                   crlf({line, "admin,1,9,1,,0,", "ann,1,3,0,,0,"}));
        program.pool.setCurrentUser("ann");
        program.pool.setSeasonYear(2013);
        ASSERT_TRUE(loadUserList(program.pool));
        EXPECT_EQ(program.pool.seasonYear(), season) << "\"" << line << "\"";
    }
}

} // namespace
} // namespace gs
