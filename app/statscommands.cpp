#include "commands.h"

#include "core/codepage.h"
#include "core/poolday.h"
#include "core/poolmachine.h"
#include "core/poolrules.h"
#include "core/text.h"
#include "core/userlist.h"
#include "export/csvexports.h"
#include "results/userstatistics.h"
#include "results/viewdata.h"
#include "results/weekwinners.h"
#include "schedule/seasongames.h"
#include "stats/ratings.h"

#include <optional>

namespace gs {

int ratingsCommand(CommandContext& c) {
    const int season = c.args.get<int>("--season").value_or(c.pool.seasonYear());
    Result<std::vector<Game>> games = readGames(c.pool);
    if (!games) {
        c.dialogs.refuse(games.error().message);
        return 1;
    }
    c.out << "Team,Rating,Wins,Losses,Ties\n";
    for (const TeamRating& team : seasonRatingList(*games, season, c.pool.referenceDate()))
        c.out << cp1252ToUtf8(team.name) << ',' << shownRating(team.rating) << ',' << team.wins
              << ',' << team.losses << ',' << team.ties << '\n';
    return 0;
}

int gamesCommand(CommandContext& c) {
    const int season = c.args.get<int>("--season").value_or(c.pool.seasonYear());
    Result<std::vector<Game>> games = readGames(c.pool);
    if (!games) {
        c.dialogs.refuse(games.error().message);
        return 1;
    }
    for (const std::string& line : gameListLines(seasonOf(*games, season)))
        c.out << cp1252ToUtf8(line) << '\n';
    return 0;
}

int poolDayCommand(CommandContext& c) {
    if (std::optional<std::string> day = c.args.get<std::string>("day")) {
        std::string setting = *day == "none" ? "" : *day;
        if (Status stored = storePoolDaySetting(c.pool, setting); !stored) {
            c.dialogs.refuse(stored.error().message);
            return 1;
        }
    }
    // Only without a setting does the day depend on the season; the season
    // is named then, as the one in force (a new home's is 2010).
    const std::string& setting = c.pool.daySetting();
    c.out << "Setting: "
          << (setting.empty() ? std::string("none: ") + kDefaultReferenceDate +
                                    " up to the 2015 season, now after it"
                              : setting)
          << "\nThe pool's day: " << c.pool.moment().text();
    if (!c.pool.dayOverride().empty())
        c.out << " for this command (--reference-date)";
    else if (setting.empty())
        c.out << " for season " << c.pool.seasonYear()
              << ", the season in force (--season YYYY names another)";
    else
        c.out << (setting == kTodaySetting ? " (now)" : "") << " in every season";
    c.out << '\n';
    return 0;
}

int standingsCommand(CommandContext& c) {
    // Exactly what opening "User Statistics" works out, as the grid the
    // panel shows, so that the two never tell different figures.
    UserStatistics statistics = computeUserStatistics(c.pool);
    tellStatisticsProblems(statistics, c.dialogs);
    const GridModel totals = standingsGrid(statistics.standings, statistics.rule);
    for (int r = 0; r < totals.rows(); ++r) {
        for (int col = 0; col < totals.cols(); ++col)
            c.out << (col > 0 ? "," : "") << cp1252ToUtf8(totals.cell(r, col).text);
        c.out << '\n';
    }
    return 0;
}

int winnersCommand(CommandContext& c) {
    std::vector<std::string> errors;
    const Season season = seasonForView(c.pool, errors);
    // The players in the pool's order, as the user's pick file keeps it.
    ownPicksForView(c.pool, errors);
    refreshPoolOrder(c.pool);
    for (const std::string& error : errors)
        c.dialogs.refuse(error);
    if (!errors.empty())
        return 1;
    for (const std::string& line : winnersLines(seasonWeekWinners(c.pool, season)))
        c.out << cp1252ToUtf8(line) << '\n';
    return 0;
}

int poolRulesCommand(CommandContext& c) {
    if (std::optional<std::string> name = c.args.get<std::string>("rule")) {
        std::optional<PoolRule> rule = poolRuleNamed(*name);
        if (!rule) {
            c.dialogs.refuse("The pool's rule is confidence or winners, not \"" + *name + "\".");
            return 1;
        }
        if (!requireAdmin(c.pool, c.pool.currentUser(), c.dialogs) ||
            !requireAdministratorsMachine(c.pool, c.dialogs))
            return 1;
        if (Status stored = storePoolRule(c.pool.folders(), *rule); !stored) {
            c.dialogs.refuse(stored.error().message);
            return 1;
        }
    }
    c.out << "Rule: " << poolRuleName(poolRule(c.pool.folders())) << '\n';
    return 0;
}

} // namespace gs
