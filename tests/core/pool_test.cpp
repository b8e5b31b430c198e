#include "core/pool.h"
#include "core/poolday.h"
#include "core/poollock.h"
#include "core/poolsettings.h"
#include "tests/support/testsupport.h"

#include <cstdlib>
#include <optional>
#include <pwd.h>
#include <unistd.h>

namespace gs {
namespace {

// Sets or clears an environment variable for one test.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name))
            m_saved = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedVariable() { m_saved ? ::setenv(m_name, m_saved->c_str(), 1) : ::unsetenv(m_name); }

private:
    const char* m_name;
    std::optional<std::string> m_saved;
};

// Every digit counts in the year: a season ending in 9 is a season too.
TEST(ComputerPickFile, IsAComputerPlayersNameFourDigitsAndDat) {
    for (const char* name : {"PC2019.dat", "ELO1999.DAT", "PC2010.Dat"})
        EXPECT_TRUE(isComputerPickFile(name)) << name;
    for (const char* name : {"PC201x.dat", "pc2010.dat", "PC20100.dat", "Al2010.dat", "PC2010.txt"})
        EXPECT_FALSE(isComputerPickFile(name)) << name;
}

// Without either variable the data would land in the working folder; the
// password database knows the user's home.
TEST(DefaultHome, FollowsXdgDataHomeThenHomeThenThePasswordDatabase) {
    ScopedVariable data("XDG_DATA_HOME", "/x/data");
    ScopedVariable home("HOME", "/h");
    EXPECT_EQ(defaultHome().value_or(""), fs::path("/x/data/gridslate"));
    ScopedVariable noData("XDG_DATA_HOME", "");
    EXPECT_EQ(defaultHome().value_or(""), fs::path("/h/.local/share/gridslate"));
    passwd* user = ::getpwuid(::getuid());
    ASSERT_NE(user, nullptr);
    ScopedVariable unsetData("XDG_DATA_HOME", nullptr);
    ScopedVariable unsetHome("HOME", nullptr);
    EXPECT_EQ(defaultHome().value_or(""),
              fs::path(user->pw_dir) / ".local" / "share" / "gridslate");
}

// Two pool objects on one home stand for two programs; copies of one pool
// are one program, whose nested operations share the lock.
TEST(PoolLock, ExcludesOtherProgramsButNotTheHolderItself) {
    test::PoolFixture first;
    Pool second(first.home.path());
    Result<PoolLock> held = lockPoolFiles(first.pool);
    ASSERT_TRUE(held) << held.error().message;

    Pool copy = first.pool;
    Result<PoolLock> nested = lockPoolFiles(copy, std::chrono::milliseconds(0));
    EXPECT_TRUE(nested) << nested.error().message;

    Result<PoolLock> other = lockPoolFiles(second, std::chrono::milliseconds(20));
    ASSERT_FALSE(other);
    EXPECT_EQ(other.error(), (Error{ErrorKind::Busy, kPoolBusyMessage}));

    // Released only when the outermost holder lets go.
    nested->release();
    EXPECT_FALSE(lockPoolFiles(second, std::chrono::milliseconds(0)));
    held->release();
    EXPECT_TRUE(lockPoolFiles(second, std::chrono::milliseconds(0)));
}

TEST(PoolDay, FollowsTheSettingTheSeasonAndTheClock) {
    struct Case {
        const char* setting;
        int season;
        const char* day;
    };
    const Case cases[] = {
        {"", 2010, "11/02/2010"},
        {"", 2015, "11/02/2010"},
        {"", 2016, "12/7/2026 06:00"}, // now, on the clock of Chicago
        {"", 2021, "12/7/2026 06:00"},
        {"today", 2010, "12/7/2026 06:00"},
        {"9/12/2021", 2010, "9/12/2021"},
        {"9/12/2021", 2021, "9/12/2021"},
        {"9/12/2021 13:05", 2010, "9/12/2021 13:05"},
        {"2/30/2021", 2021, "12/7/2026 06:00"},
        {"9/12/21", 2010, "11/02/2010"},
    };
    const TimeZone chicago = TimeZone::named("America/Chicago").value();
    for (const Case& c : cases)
        EXPECT_EQ(poolMomentFor(c.setting, c.season, chicago, test::noonOf("12/7/2026")).text(),
                  c.day)
            << c.setting << " " << c.season;
}

TEST(PoolDay, IsKeptInTheSettingsFileBesideOtherKeysAndReadAtEveryRefresh) {
    test::PoolFixture home;
    Pool& pool = home.pool;
    std::string today = "9/19/2021";
    pool.setClock([&] { return test::noonOf(today); });
    test::addUser(pool, 1, "admin", 1);
    pool.setCurrentUser("admin");
    pool.setSeasonYear(2021);
    PoolSettings other;
    other.set("gamesUrl", "file:///games.csv");
    ASSERT_TRUE(other.save(poolSettingsPath(pool.folders())));

    ASSERT_TRUE(storePoolDaySetting(pool, "today"));
    EXPECT_EQ(pool.referenceDate().text(), "9/19/2021");
    today = "9/20/2021";
    refreshPoolDay(pool);
    EXPECT_EQ(pool.referenceDate().text(), "9/20/2021");
    pool.setDayOverride("9/9/2021");
    refreshPoolDay(pool);
    EXPECT_EQ(pool.referenceDate().text(), "9/9/2021");

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
