#include "core/pool.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <pwd.h>
#include <unistd.h>

namespace gs {
namespace {

namespace fs = std::filesystem;

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

} // namespace
} // namespace gs
