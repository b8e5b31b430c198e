#include "publish/pagebuild.h"

#include "core/poolday.h"
#include "core/poolsettings.h"
#include "core/textfile.h"
#include "results/userstatistics.h"
#include "results/viewdata.h"
#include "results/weekwinners.h"
#include "schedule/calendar.h"
#include "stats/pickscoring.h"
#include "stats/seasonrefresh.h"

namespace gs {

namespace fs = std::filesystem;

namespace {

// The abbreviation of the team a player picked in the game; "" for neither.
std::string pickedTeam(const Game& game, const PickTable& picks, int week, int season) {
    const auto& chosen = picks[static_cast<size_t>(week)];
    if (chosen[game.visitor.number()] == 1)
        return game.visitor.abbreviation(season);
    if (chosen[game.home.number()] == 1)
        return game.home.abbreviation(season);
    return {};
}

LockedPicks lockedPicks(const Pool& pool, const Season& season, const PoolMoment& moment) {
    LockedPicks locked;
    locked.week = currentWeekFromScores(season.games);
    locked.players = pool.poolOrder();
    std::vector<PickTable> picks;
    for (const std::string& player : locked.players)
        picks.push_back(picksForView(pool, player));
    const std::vector<int> weeks = gameWeeks(season);
    for (size_t row = 0; row < season.games.size() && row < weeks.size(); ++row) {
        const Game& game = season.games[row];
        // A pick of a game still open would tell the others what to pick.
        if (weeks[row] != locked.week || !game.lockedAt(moment))
            continue;
        LockedGame shown{game.visitor.abbreviation(season.year),
                         game.home.abbreviation(season.year),
                         game.scored(),
                         {},
                         {}};
        if (std::optional<Team> winner = game.winner(); shown.decided && winner)
            shown.winner = winner->abbreviation(season.year);
        for (const PickTable& table : picks)
            shown.picks.push_back(pickedTeam(game, table, weeks[row], season.year));
        locked.games.push_back(std::move(shown));
    }
    return locked;
}

} // namespace

fs::path homePagePath(const Pool& pool) {
    return pool.folders().install / ("pool-" + std::to_string(pool.seasonYear()) + ".html");
}

PoolMoment poolPageMoment(const Pool& pool) {
    return pool.moment();
}

PageTable weeklyWinnersTable(const Pool& pool, const Season& season) {
    PageTable table{
        "Winners of each decided week", {kWinnersColumns.begin(), kWinnersColumns.end()}, {}};
    for (const WeekWinners& week : seasonWeekWinners(pool, season)) {
        std::array<std::string, 5> fields = winnerFields(week);
        table.rows.emplace_back(fields.begin(), fields.end());
    }
    return table;
}

Result<PoolPageModel> assemblePoolPage(Pool& pool, Dialogs& dialogs, const PoolMoment& moment,
                                       const WinnersOf& winners) {
    UserStatistics statistics = computeUserStatistics(pool);
    if (!statistics.errors.empty())
        return failure(ErrorKind::Unreadable,
                       "The pool's page was not written: " + statistics.errors.front());
    tellStatisticsProblems(statistics, dialogs);

    PoolPageModel model;
    model.season = pool.seasonYear();
    model.writtenAt = moment.text();
    model.standings =
        pageTableOf(kStandingsCaption, standingsGrid(statistics.standings, statistics.rule));
    if (winners)
        model.winners = winners(statistics.season);
    model.picks = lockedPicks(pool, statistics.season, moment);
    for (const std::string& player : pool.poolOrder()) {
        ChartSeries series{player, {}};
        for (const WeekStanding& week :
             scorePicks(statistics.season, picksForView(pool, player)).weeks)
            series.points.push_back({week.week, week.overall});
        model.chart.push_back(std::move(series));
    }
    return model;
}

Status writePoolPageFile(Pool& pool, Dialogs& dialogs, const fs::path& file) {
    const PoolMoment moment = poolPageMoment(pool);
    Result<PoolPageModel> model =
        assemblePoolPage(pool, dialogs, moment, [&pool](const Season& season) {
            return weeklyWinnersTable(pool, season);
        });
    if (!model)
        return failure(model.error());
    return writeFileAtomic(file, renderPoolPage(*model));
}

std::string storedPageAddress(const Pool& pool) {
    Result<PoolSettings> settings = PoolSettings::load(poolSettingsPath(pool.folders()));
    if (!settings)
        return {};
    return settings->value(kPageAddressKey).value_or("");
}

Status storePageAddress(const Pool& pool, const std::string& address) {
    return storePoolSettings(pool, {{kPageAddressKey, address}});
}

} // namespace gs
