#include "ratings.h"

#include "core/league.h"
#include "core/text.h"
#include "schedule/calendar.h"
#include "schedule/seasongames.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace gs {

namespace {

constexpr double kHomeField = 65;
constexpr double kStep = 20;
constexpr double kChanceScale = 400;
constexpr double kPointsScale = 25;
constexpr double kCarriedShare = 2.0 / 3.0;
// How strongly a favourite's win counts for less: the winner's edge is
// weighed against this, in thousandths.
constexpr double kFavouriteDamping = 2.2;

// The multiplier of a game's shift: larger for a wider margin, smaller when
// the winner was the favourite (winnerEdge > 0).
double marginMultiplier(double margin, double winnerEdge, bool tie) {
    if (tie)
        return std::log(2.0) * kFavouriteDamping;
    double points = std::max(std::fabs(margin), 1.0);
    return std::log(points + 1) * kFavouriteDamping / (0.001 * winnerEdge + kFavouriteDamping);
}

// A game by its texts as the games table holds them: rated when both scores
// are entered and both teams are known.
bool rateScores(TeamRatings& ratings, std::string_view visitorName, std::string_view homeName,
                std::string_view visitorScore, std::string_view homeScore) {
    if (visitorScore.empty() || homeScore.empty())
        return false;
    int visitor = teamNumberIgnoringSpaces(visitorName);
    int home = teamNumberIgnoringSpaces(homeName);
    if (visitor == 0 || home == 0 || visitor == home)
        return false;
    rateGame(ratings, visitor, home, numericValue(visitorScore), numericValue(homeScore));
    return true;
}

bool datedBefore(const std::string& date, const std::optional<Date>& day) {
    return !day || isBefore(date, *day);
}

} // namespace

TeamRatings startingRatings() {
    TeamRatings ratings{};
    ratings.fill(kStartingRating);
    return ratings;
}

double ratingEdge(const TeamRatings& ratings, int visitor, int home) {
    return ratings[home] - ratings[visitor] + kHomeField;
}

double homeWinChance(double edge) {
    return 1 / (std::pow(10.0, -edge / kChanceScale) + 1);
}

double projectedPoints(double edge) {
    return edge / kPointsScale;
}

int marginOnFile(double edge) {
    // std::round takes halves away from zero.
    double points = std::round(std::fabs(projectedPoints(edge)));
    return static_cast<int>(std::clamp(points, 1.0, 999.0));
}

void carryIntoNewSeason(TeamRatings& ratings) {
    for (int t = 1; t <= kTeamCount; ++t)
        ratings[t] = kCarriedShare * ratings[t] + (1 - kCarriedShare) * kStartingRating;
}

void rateGame(TeamRatings& ratings, int visitor, int home, double visitorScore, double homeScore) {
    double edge = ratingEdge(ratings, visitor, home);
    double margin = homeScore - visitorScore;
    double result = margin > 0 ? 1.0 : margin < 0 ? 0.0 : 0.5;
    double winnerEdge = margin < 0 ? -edge : edge;
    double shift =
        kStep * marginMultiplier(margin, winnerEdge, margin == 0) * (result - homeWinChance(edge));
    ratings[home] += shift;
    ratings[visitor] -= shift;
}

bool rateScoredGame(TeamRatings& ratings, const SeasonGame& game) {
    return rateScores(ratings, game.visitor, game.home, game.visitorScore, game.homeScore);
}

TeamRatings seasonStartRatings(const std::vector<GameRecord>& records, int year) {
    // The seasons in year order, each one's games in table order.
    std::map<int, std::vector<const GameRecord*>> seasons;
    for (const GameRecord& record : records)
        seasons[static_cast<int>(numericValue(record.year))].push_back(&record);
    TeamRatings ratings = startingRatings();
    if (seasons.empty() || year <= seasons.begin()->first)
        return ratings;
    for (const auto& [season, games] : seasons) {
        if (season >= year)
            break;
        if (season != seasons.begin()->first)
            carryIntoNewSeason(ratings);
        for (const GameRecord* record : games)
            rateScores(ratings, record->visitor, record->home, record->visitorScore,
                       record->homeScore);
    }
    carryIntoNewSeason(ratings);
    return ratings;
}

void rateSeasonRows(TeamRatings& ratings, const std::vector<SeasonGame>& games, int end) {
    int last = std::min(end, static_cast<int>(games.size()));
    for (int r = 0; r < last; ++r)
        rateScoredGame(ratings, games[static_cast<size_t>(r)]);
}

int shownRating(double rating) {
    return static_cast<int>(std::round(rating));
}

std::vector<TeamRating> seasonRatingList(const std::vector<GameRecord>& records, int year,
                                         const std::optional<Date>& day) {
    TeamRatings ratings = seasonStartRatings(records, year);
    std::vector<TeamRating> list(kTeamCount);
    for (int t = 1; t <= kTeamCount; ++t) {
        list[t - 1].team = t;
        list[t - 1].name = teamName(t, year);
    }
    std::array<bool, kTeamCount + 1> named{};
    Season season = seasonOf(records, year);
    for (const SeasonGame& game : season.games) {
        int visitor = teamNumberIgnoringSpaces(game.visitor);
        int home = teamNumberIgnoringSpaces(game.home);
        for (auto [team, name] : {std::pair{visitor, &game.visitor}, std::pair{home, &game.home}})
            if (team && !named[team]) {
                named[team] = true;
                list[team - 1].name = *name;
            }
        if (!datedBefore(game.date, day) || !rateScoredGame(ratings, game))
            continue;
        double margin = numericValue(game.homeScore) - numericValue(game.visitorScore);
        TeamRating& h = list[home - 1];
        TeamRating& v = list[visitor - 1];
        if (margin > 0) {
            ++h.wins;
            ++v.losses;
        } else if (margin < 0) {
            ++v.wins;
            ++h.losses;
        } else {
            ++h.ties;
            ++v.ties;
        }
    }
    for (TeamRating& line : list)
        line.rating = ratings[line.team];
    std::stable_sort(list.begin(), list.end(), [](const TeamRating& a, const TeamRating& b) {
        return shownRating(a.rating) > shownRating(b.rating);
    });
    return list;
}

} // namespace gs
