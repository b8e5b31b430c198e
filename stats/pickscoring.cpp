#include "pickscoring.h"

#include "core/text.h"
#include "schedule/calendar.h"

#include <algorithm>

namespace gs {

namespace {

bool counts(const Game& game, const ScoringRange& range) {
    if (!game.scored())
        return false;
    return !range.referenceDate || game.playedBy(*range.referenceDate);
}

// One game of week w into the count: picked when either team is picked,
// correct when the picked team won.
void countGame(const Game& game, const ScoringRange& range, const PickTable& picks, int week,
               const ExtrasTable* values, PickCount& count) {
    if (!counts(game, range))
        return;
    const auto& chosen = picks[week];
    if (chosen[game.visitor.number()] != 1 && chosen[game.home.number()] != 1)
        return;
    ++count.picked;
    if (std::optional<Team> winner = game.winner(); winner && chosen[winner->number()] == 1) {
        ++count.correct;
        if (values)
            count.points += (*values)[static_cast<size_t>(week)]
                                .values[static_cast<size_t>(game.visitor.number())];
    }
}

WeekStanding closeWeek(int week, const PickCount& count, double& overall,
                       const std::vector<WeekStanding>& closed) {
    WeekStanding standing;
    standing.week = week;
    standing.correct = count.correct;
    standing.picked = count.picked;
    // With nothing picked yet the overall figure keeps its last value.
    if (count.picked > 0)
        overall = percentOf(count.correct, count.picked);
    standing.overall = overall;
    size_t previous = static_cast<size_t>(week) - 2;
    if (week == 1 || previous >= closed.size()) {
        standing.weekCorrect = count.correct;
        standing.weekPercent = overall;
    } else {
        int weekCorrect = count.correct - closed[previous].correct;
        int weekPicked = count.picked - closed[previous].picked;
        standing.weekCorrect = weekCorrect;
        standing.weekPercent = percentOf(weekCorrect, weekPicked);
    }
    return standing;
}

} // namespace

double percentOf(int correct, int picked) {
    if (picked <= 0)
        return 0.0;
    // In ten-thousandths the rounding sees the exact quotient: both counts
    // are small, so a half stays a half.
    return roundHalfEven(1e6 * correct / picked) / 1e4;
}

std::string percentText(int correct, int picked) {
    return decimalText(percentOf(correct, picked));
}

ScoringRange scoringRange(const std::vector<Game>& games,
                          const std::optional<Date>& referenceDate) {
    ScoringRange range;
    range.referenceDate = referenceDate;
    int counted = 0;
    for (const Game& game : games)
        counted += counts(game, range) ? 1 : 0;
    range.lastRow = std::min(counted, kMaxGames);
    return range;
}

PickRecord scorePicks(const std::vector<Game>& games, const ScoringRange& range,
                      const PickTable& picks, const ExtrasTable* values) {
    PickRecord record;
    PickCount count;
    double overall = 0;
    int week = 1;
    WeekTracker tracker;
    for (int r = 0; r <= range.lastRow && r < static_cast<int>(games.size()); ++r) {
        const Game& game = games[static_cast<size_t>(r)];
        if (tracker.isBoundary(game)) {
            record.weeks.push_back(closeWeek(week, count, overall, record.weeks));
            week = std::min(week + 1, kMaxWeeks);
        }
        countGame(game, range, picks, week, values, count);
    }
    // The season's last week has no next week to close it: it closes when
    // every game of the season counts.
    const int rows = static_cast<int>(games.size());
    if (rows > 0 && range.lastRow >= rows &&
        (record.weeks.empty() || record.weeks.back().week != week))
        record.weeks.push_back(closeWeek(week, count, overall, record.weeks));
    record.season = count;
    return record;
}

PickRecord scorePicks(const Season& season, const PickTable& picks) {
    return scorePicks(season.games, scoringRange(season.games), picks);
}

std::vector<Standing> rankStandings(const std::vector<Game>& games, const ScoringRange& range,
                                    const std::vector<PlayerPickTable>& players, bool byPoints) {
    std::vector<Standing> standings;
    standings.reserve(players.size());
    for (const PlayerPickTable& player : players) {
        PickCount count =
            scorePicks(games, range, player.picks, player.values ? &*player.values : nullptr)
                .season;
        standings.push_back({player.name, count, percentOf(count.correct, count.picked)});
    }
    std::stable_sort(standings.begin(), standings.end(),
                     [byPoints](const Standing& a, const Standing& b) {
                         if (byPoints && a.count.points != b.count.points)
                             return a.count.points > b.count.points;
                         return a.percent > b.percent;
                     });
    return standings;
}

std::array<std::string, 6> weekCells(const WeekStanding& week) {
    return {std::to_string(week.week),     std::to_string(week.weekCorrect),
            decimalText(week.weekPercent), std::to_string(week.correct),
            std::to_string(week.picked),   decimalText(week.overall)};
}

std::array<std::string, 4> standingCells(const Standing& standing) {
    return {standing.player, std::to_string(standing.count.correct),
            std::to_string(standing.count.picked), decimalText(standing.percent)};
}

std::array<std::string, 5> pointsStandingCells(const Standing& standing) {
    return {standing.player, std::to_string(standing.count.points),
            std::to_string(standing.count.correct), std::to_string(standing.count.picked),
            decimalText(standing.percent)};
}

} // namespace gs
