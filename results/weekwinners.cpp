#include "weekwinners.h"

#include "results/viewdata.h"
#include "schedule/calendar.h"
#include "schedule/pickextras.h"
#include "schedule/pickfiles.h"

namespace gs {

ExtrasTable scoringExtras(const Pool& pool, const Season& season, PoolRule rule,
                          const std::string& player) {
    if (!isComputerPlayer(player))
        return extrasForView(pool, player);
    if (rule != PoolRule::Confidence)
        return {};
    // The file's numbers: the rating player's margin of each row; PC's
    // spreads from the season's second game on.
    const ComputerNumbers numbers = loadComputerFile(pool, player).numbers;
    std::vector<int> margins(season.games.size(), 0);
    const bool shifted = player == kComputerPlayer;
    for (size_t r = 0; r < margins.size(); ++r) {
        size_t k = shifted ? r - 1 : r;
        if ((!shifted || r > 0) && k < numbers.size())
            margins[r] = numbers[k];
    }
    return confidenceByMargin(season.games, gameWeeks(season), margins);
}

std::vector<WinnerEntry> winnerEntries(const Pool& pool, const Season& season, PoolRule rule) {
    std::vector<WinnerEntry> entries;
    for (const std::string& player : pool.poolOrder())
        entries.push_back({player, isComputerPlayer(player), picksForView(pool, player),
                           scoringExtras(pool, season, rule, player)});
    return entries;
}

std::vector<WeekWinners> seasonWeekWinners(const Pool& pool, const Season& season) {
    const PoolRule rule = poolRule(pool.folders());
    return rankWeeklyWinners(season.games, gameWeeks(season), rule,
                             winnerEntries(pool, season, rule));
}

std::map<std::string, int> weeksWon(const std::vector<WeekWinners>& weeks) {
    std::map<std::string, int> won;
    for (const WeekWinners& week : weeks)
        for (const std::string& name : week.winners)
            ++won[name];
    return won;
}

} // namespace gs
