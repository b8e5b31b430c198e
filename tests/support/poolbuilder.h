#pragma once

// The pool a test needs, in a fresh temporary home, built in a few chained
// steps instead of each test file's own set-up:
//
//   PoolBuilder b;
//   b.season(2011).player("admin", kAdminRights).player("PC").player("alice")
//       .games({2011}, "9/26/2011").day("9/27/2011").loggedIn("alice");
//
// Players go into the next free slots, active, with the program folder.
// Nothing is on disk until a step says so (games, savedUserList, picks).

#include "core/season.h"
#include "tests/support/testsupport.h"

#include <string>
#include <vector>

namespace gs::test {

inline constexpr int kAdminRights = 1;

// Writes a player's pick file: the week lines of the picks, then the active order.
void writePicks(const Pool& pool, const std::string& player, const PickTable& picks,
                const std::vector<std::string>& activeOrder = {});

class PoolBuilder : public PoolFixture {
public:
    PoolBuilder& season(int year);
    PoolBuilder& day(const std::string& date);
    PoolBuilder& player(const std::string& name, int admin = 0);
    PoolBuilder& players(const std::vector<std::string>& names);
    // A player on file who is not active.
    PoolBuilder& inactivePlayer(const std::string& name);
    PoolBuilder& loggedIn(const std::string& name);
    // Real seasons into the games table; scores after scoresThrough are left out.
    PoolBuilder& games(const std::vector<int>& years, const std::string& scoresThrough = "");
    // The bundled seasons, as a first start installs them.
    PoolBuilder& bundledGames();
    // Writes UserList.db from the slots and loads it back, as a login would.
    PoolBuilder& savedUserList();
    // A player's pick file: the week lines of the picks, then the active order.
    PoolBuilder& picks(const std::string& player, const PickTable& picks,
                       const std::vector<std::string>& activeOrder = {});

private:
    int m_nextSlot = 1;
};

} // namespace gs::test
