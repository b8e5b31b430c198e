#include "core/poolday.h"

#include "core/poolsettings.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

TEST(PoolDay, FollowsTheSettingTheSeasonAndTheClock) {
    struct Case {
        const char* setting;
        int season;
        const char* day;
    };
    const Case cases[] = {
        {"", 2010, "11/02/2010"},         {"", 2015, "11/02/2010"},
        {"", 2016, "12/7/2026"},          {"", 2021, "12/7/2026"},
        {"today", 2010, "12/7/2026"},     {"9/12/2021", 2010, "9/12/2021"},
        {"9/12/2021", 2021, "9/12/2021"}, {"2/30/2021", 2021, "12/7/2026"},
        {"9/12/21", 2010, "11/02/2010"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(poolDayFor(c.setting, c.season, "12/7/2026"), c.day)
            << c.setting << " " << c.season;
}

TEST(PoolDay, IsKeptInTheSettingsFileBesideOtherKeysAndReadAtEveryRefresh) {
    test::PoolFixture home;
    Pool& pool = home.pool;
    std::string today = "9/19/2021";
    pool.setClock([&] { return today; });
    pool.setSeasonYear("2021");
    PoolSettings other;
    other.set("gamesUrl", "file:///games.csv");
    ASSERT_TRUE(other.save(poolSettingsPath(pool.folders())));

    ASSERT_TRUE(storePoolDaySetting(pool, "today"));
    EXPECT_EQ(pool.referenceDate(), "9/19/2021");
    today = "9/20/2021";
    refreshPoolDay(pool);
    EXPECT_EQ(pool.referenceDate(), "9/20/2021");
    pool.setDayOverride("9/9/2021");
    refreshPoolDay(pool);
    EXPECT_EQ(pool.referenceDate(), "9/9/2021");

    EXPECT_FALSE(storePoolDaySetting(pool, "someday"));
    Pool next(home.home.path());
    loadPoolDaySetting(next);
    EXPECT_EQ(next.daySetting(), "today");
    Result<PoolSettings> stored = PoolSettings::load(poolSettingsPath(pool.folders()));
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->value("gamesUrl"), "file:///games.csv");
}

} // namespace
} // namespace gs
