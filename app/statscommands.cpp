#include "commands.h"

#include "core/codepage.h"
#include "core/poolday.h"
#include "core/text.h"
#include "export/csvexports.h"
#include "results/userstatistics.h"
#include "schedule/seasongames.h"
#include "stats/ratings.h"

#include <algorithm>
#include <optional>

namespace gs {

namespace {

bool isYear(const std::string& text) {
    return text.size() == 4 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The season of `ratings [--season YYYY]` (or --season=YYYY); nothing when
// the arguments are wrong.
std::optional<int> ratingsSeason(const std::vector<std::string>& args, int poolSeason) {
    std::string year;
    if (args.size() == 1)
        return poolSeason;
    if (args.size() == 3 && args[1] == "--season")
        year = args[2];
    else if (args.size() == 2 && args[1].starts_with("--season="))
        year = args[1].substr(9);
    if (!isYear(year))
        return std::nullopt;
    return std::stoi(year);
}

} // namespace

int ratingsCommand(CommandContext& c) {
    std::optional<int> season = ratingsSeason(c.args, c.pool.seasonYear());
    if (!season) {
        c.err << "gridslate: ratings takes at most a season: ratings [--season YYYY]\n";
        return 2;
    }
    Result<std::vector<Game>> games = readGames(c.pool);
    if (!games) {
        c.dialogs.refuse(games.error().message);
        return 1;
    }
    c.out << "Team,Rating,Wins,Losses,Ties\n";
    for (const TeamRating& team : seasonRatingList(*games, *season, c.pool.referenceDate()))
        c.out << cp1252ToUtf8(team.name) << ',' << shownRating(team.rating) << ',' << team.wins
              << ',' << team.losses << ',' << team.ties << '\n';
    return 0;
}

int gamesCommand(CommandContext& c) {
    std::optional<int> season = ratingsSeason(c.args, c.pool.seasonYear());
    if (!season) {
        c.err << "gridslate: games takes at most a season: games [--season YYYY]\n";
        return 2;
    }
    Result<std::vector<Game>> games = readGames(c.pool);
    if (!games) {
        c.dialogs.refuse(games.error().message);
        return 1;
    }
    for (const std::string& line : gameListLines(seasonOf(*games, *season)))
        c.out << cp1252ToUtf8(line) << '\n';
    return 0;
}

int poolDayCommand(CommandContext& c) {
    if (c.args.size() > 2) {
        c.err << "gridslate: pool-day takes at most one day: pool-day [M/D/YYYY|today|none]\n";
        return 2;
    }
    if (c.args.size() == 2) {
        std::string setting = c.args[1] == "none" ? "" : c.args[1];
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
                                    " up to the 2015 season, today's date after it"
                              : setting)
          << "\nThe pool's day: " << c.pool.referenceDate().text();
    if (!c.pool.dayOverride().empty())
        c.out << " for this command (--reference-date)";
    else if (setting.empty())
        c.out << " for season " << c.pool.seasonYear()
              << ", the season in force (--season YYYY names another)";
    else
        c.out << (setting == kTodaySetting ? " (today's date)" : "") << " in every season";
    c.out << '\n';
    return 0;
}

int standingsCommand(CommandContext& c) {
    if (c.args.size() != 1) {
        c.err << "gridslate: standings takes no arguments\n";
        return 2;
    }
    // Exactly what opening "User Statistics" works out, as the grid the
    // panel shows, so that the two never tell different figures.
    UserStatistics statistics = computeUserStatistics(c.pool);
    tellStatisticsProblems(statistics, c.dialogs);
    const GridModel totals = standingsGrid(statistics.standings);
    for (int r = 0; r < totals.rows(); ++r) {
        for (int col = 0; col < totals.cols(); ++col)
            c.out << (col > 0 ? "," : "") << cp1252ToUtf8(totals.cell(r, col).text);
        c.out << '\n';
    }
    return 0;
}

} // namespace gs
