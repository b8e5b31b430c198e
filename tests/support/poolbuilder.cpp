#include "poolbuilder.h"

#include "core/userlist.h"
#include "schedule/pickfiles.h"
#include "schedule/seasongames.h"

#include <gtest/gtest.h>

namespace gs::test {

void writePicks(const Pool& pool, const std::string& player, const PickTable& picks,
                const std::vector<std::string>& activeOrder) {
    std::vector<std::string> lines;
    for (int w = 1; w <= kWeeks; ++w) {
        std::vector<int> picked;
        for (int t = 1; t <= kTeamCount; ++t)
            if (picks[w][t] == 1)
                picked.push_back(t);
        lines.push_back(weekLine(picked));
    }
    lines.insert(lines.end(), activeOrder.begin(), activeOrder.end());
    writeBytes(pickFilePath(pool, player), crlf(lines));
}

PoolBuilder& PoolBuilder::season(int year) {
    pool.setSeasonYear(year);
    return *this;
}

PoolBuilder& PoolBuilder::day(const std::string& date) {
    pool.setReferenceDate(dateOf(date));
    return *this;
}

PoolBuilder& PoolBuilder::player(const std::string& name, int admin) {
    addUser(pool, m_nextSlot++, name, admin);
    return *this;
}

PoolBuilder& PoolBuilder::players(const std::vector<std::string>& names) {
    for (const std::string& name : names)
        player(name);
    return *this;
}

PoolBuilder& PoolBuilder::inactivePlayer(const std::string& name) {
    addUser(pool, m_nextSlot, name);
    editUser(pool, m_nextSlot++, [](UserSlot& user) { user.active = 0; });
    return *this;
}

PoolBuilder& PoolBuilder::loggedIn(const std::string& name) {
    pool.setCurrentUser(name);
    return *this;
}

PoolBuilder& PoolBuilder::games(const std::vector<int>& years, const std::string& scoresThrough) {
    storeSeasons(pool, years, scoresThrough);
    return *this;
}

PoolBuilder& PoolBuilder::bundledGames() {
    if (Status ready = ensureGamesTable(pool); !ready)
        ADD_FAILURE() << ready.error();
    return *this;
}

PoolBuilder& PoolBuilder::savedUserList() {
    if (Status saved = saveUserList(pool); !saved)
        ADD_FAILURE() << saved.error();
    if (Result<UserListLoad> load = loadUserList(pool); !load)
        ADD_FAILURE() << load.error();
    refreshPoolOrder(pool);
    return *this;
}

PoolBuilder& PoolBuilder::picks(const std::string& player, const PickTable& picks,
                                const std::vector<std::string>& activeOrder) {
    writePicks(pool, player, picks, activeOrder);
    return *this;
}

} // namespace gs::test
