#include "resultsfixture.h"

#include "core/text.h"
#include "core/userlist.h"
#include "schedule/calendar.h"
#include "schedule/pickfiles.h"
#include "schedule/seasongames.h"

#include <gtest/gtest.h>

namespace gs::test {

ResultsPool::ResultsPool() {
    if (Status ready = ensureGamesTable(pool); !ready)
        ADD_FAILURE() << ready.error().message;
}

void writeUserList(Pool& pool, const std::vector<std::string>& players,
                   const std::string& current) {
    std::string folder = pool.programFolderText();
    std::vector<std::string> lines = {"2010", "admin,1,9,1,,0," + folder, "PC,1,1,0,,0," + folder};
    for (const std::string& name : players)
        lines.push_back(name + ",1,1,0,,0," + folder);
    writeBytes(pool.folders.program / "UserList.db", crlf(lines));
    pool.currentUser = current;
    Result<UserListLoad> load = loadUserList(pool);
    ASSERT_TRUE(load) << load.error().message;
    fillUserLists(pool);
}

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

Season bundled2010() {
    Season season;
    season.games = seasonFromCsv(2010, "11/02/2010");
    for (const SeasonGame& game : season.games)
        season.scoredGameCount += game.scored() ? 1 : 0;
    return season;
}

std::vector<int> weeksOf(const Season& season) {
    std::vector<int> weeks;
    WeekTracker tracker;
    int week = 1;
    for (const SeasonGame& game : season.games) {
        if (tracker.isBoundary(game.date))
            ++week;
        weeks.push_back(week);
    }
    return weeks;
}

void pickGame(PickTable& picks, const Season& season, int game, Side side) {
    const SeasonGame& g = season.games.at(static_cast<size_t>(game));
    int week = weeksOf(season).at(static_cast<size_t>(game));
    int visitor = teamNumber(g.visitor);
    int home = teamNumber(g.home);
    bool visitorWon = numericValue(g.visitorScore) > numericValue(g.homeScore);
    int team = 0;
    switch (side) {
    case Side::Visitor:
        team = visitor;
        break;
    case Side::Home:
        team = home;
        break;
    case Side::Winner:
        team = visitorWon ? visitor : home;
        break;
    case Side::Loser:
        team = visitorWon ? home : visitor;
        break;
    }
    picks[week][team] = 1;
}

PickTable sidePicks(const Season& season, Side side, int first, int last) {
    PickTable picks{};
    std::vector<int> weeks = weeksOf(season);
    for (size_t g = 0; g < season.games.size(); ++g)
        if (weeks[g] >= first && weeks[g] <= last)
            pickGame(picks, season, static_cast<int>(g), side);
    return picks;
}

} // namespace gs::test
