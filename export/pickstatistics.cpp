#include "pickstatistics.h"

#include "core/text.h"
#include "schedule/calendar.h"

#include <algorithm>

namespace gs {

namespace {

const SeasonGame& gameAt(const std::vector<SeasonGame>& games, int row) {
    static const SeasonGame kBlank;
    return row >= 0 && row < static_cast<int>(games.size()) ? games[static_cast<size_t>(row)]
                                                            : kBlank;
}

bool counts(const SeasonGame& game, const ScoringRange& range) {
    if (!game.scored())
        return false;
    return range.referenceDate.empty() || onOrBefore(game.date, range.referenceDate);
}

// Adds one game's pick to the count, for a player's picks of the game's week.
void countGame(const SeasonGame& game, const ScoringRange& range,
               const std::array<int, kTeamCount + 1>& week, PickCount& count) {
    if (!counts(game, range))
        return;
    int visitor = teamNumber(trimSpaces(game.visitor));
    int home = teamNumber(trimSpaces(game.home));
    if (visitor == 0 || home == 0)
        return;
    if (week[visitor] != 1 && week[home] != 1)
        return;
    ++count.picked;
    double visitorScore = numericValue(game.visitorScore);
    double homeScore = numericValue(game.homeScore);
    int winner = visitorScore > homeScore ? visitor : homeScore > visitorScore ? home : 0;
    if (winner != 0 && week[winner] == 1)
        ++count.correct;
}

// Walks the range week by week; closeWeek(week, count so far) runs for every
// week that the row starting the next one closes.
template <typename CloseWeek>
PickCount walkWeeks(const std::vector<SeasonGame>& games, const ScoringRange& range,
                    const PickTable& picks, CloseWeek closeWeek) {
    PickCount count;
    WeekTracker tracker;
    int week = 1;
    bool lastWeekClosed = false;
    for (int r = 0; r <= range.lastRow; ++r) {
        const SeasonGame& game = gameAt(games, r);
        if (tracker.isBoundary(game.date) && !lastWeekClosed) {
            closeWeek(week, count);
            if (week < kWeeks)
                ++week;
            else
                lastWeekClosed = true;
        }
        countGame(game, range, picks[week], count);
    }
    return count;
}

} // namespace

ScoringRange scoringRangeOnOrBefore(const std::vector<SeasonGame>& games,
                                    const std::string& referenceDate) {
    ScoringRange range;
    range.referenceDate = referenceDate;
    int scored = 0;
    for (const SeasonGame& game : games)
        if (counts(game, range))
            ++scored;
    range.lastRow = std::min(scored, kMaxSeasonGames);
    return range;
}

std::vector<WeekRow> weeklyTable(const std::vector<SeasonGame>& games, const ScoringRange& range,
                                 const PickTable& picks) {
    std::vector<WeekRow> rows;
    std::string overall = "0";
    walkWeeks(games, range, picks, [&](int week, const PickCount& count) {
        WeekRow row;
        row.week = week;
        row.correct = count.correct;
        row.picks = count.picked;
        // With nothing picked yet the overall figure keeps its last value.
        if (count.picked > 0)
            overall = percentText(count.correct, count.picked);
        if (rows.empty()) {
            row.total = count.correct;
            row.weekPercent = overall;
        } else {
            int weekCorrect = count.correct - rows.back().correct;
            int weekPicked = count.picked - rows.back().picks;
            row.total = weekCorrect;
            row.weekPercent = percentText(weekCorrect, weekPicked);
        }
        row.overallPercent = overall;
        rows.push_back(std::move(row));
    });
    return rows;
}

PickCount countPicks(const std::vector<SeasonGame>& games, const ScoringRange& range,
                     const PickTable& picks) {
    return walkWeeks(games, range, picks, [](int, const PickCount&) {});
}

std::vector<TotalsRow> totalsTable(const std::vector<SeasonGame>& games, const ScoringRange& range,
                                   const std::vector<PlayerPickTable>& players) {
    std::vector<TotalsRow> rows;
    rows.reserve(players.size());
    for (const PlayerPickTable& player : players) {
        PickCount count = countPicks(games, range, player.picks);
        rows.push_back(
            {player.name, count.correct, count.picked, percentText(count.correct, count.picked)});
    }
    std::stable_sort(rows.begin(), rows.end(), [](const TotalsRow& a, const TotalsRow& b) {
        return numericValue(a.percent) > numericValue(b.percent);
    });
    return rows;
}

} // namespace gs
