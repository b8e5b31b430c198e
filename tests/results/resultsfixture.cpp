#include "resultsfixture.h"

#include "core/text.h"
#include "core/userlist.h"
#include "schedule/calendar.h"

#include <gtest/gtest.h>

namespace gs::test {

void writeUserList(Pool& pool, const std::vector<std::string>& players,
                   const std::string& current) {
    std::string folder = pool.programFolderText();
    std::vector<std::string> lines = {"2010", "admin,1,9,1,,0," + folder, "PC,1,1,0,,0," + folder};
    for (const std::string& name : players)
        lines.push_back(name + ",1,1,0,,0," + folder);
    writeBytes(pool.folders().program / "UserList.db", crlf(lines));
    pool.setCurrentUser(current);
    Result<UserListLoad> load = loadUserList(pool);
    ASSERT_TRUE(load) << load.error();
    refreshPoolOrder(pool);
}

void pickGame(PickTable& picks, const Season& season, int game, Side side) {
    const Game& g = season.games.at(static_cast<size_t>(game));
    bool visitorWon = g.visitorPoints() > g.homePoints();
    bool visitor = side == Side::Visitor || (side == Side::Winner && visitorWon) ||
                   (side == Side::Loser && !visitorWon);
    picks[gameWeeks(season).at(static_cast<size_t>(game))]
         [(visitor ? g.visitor : g.home).number()] = 1;
}

PickTable sidePicks(const Season& season, Side side, int first, int last) {
    PickTable picks{};
    std::vector<int> weeks = gameWeeks(season);
    for (size_t g = 0; g < season.games.size(); ++g)
        if (weeks[g] >= first && weeks[g] <= last)
            pickGame(picks, season, static_cast<int>(g), side);
    return picks;
}

} // namespace gs::test
