#include "ratings.h"

#include "core/league.h"
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

bool rateScoredGame(TeamRatings& ratings, const Game& game) {
    if (!game.scored() || game.visitor == game.home)
        return false;
    rateGame(ratings, game.visitor.number(), game.home.number(), game.visitorPoints(),
             game.homePoints());
    return true;
}

TeamRatings seasonStartRatings(const std::vector<Game>& games, int year) {
    // The seasons in year order, each one's games in table order.
    std::map<int, std::vector<const Game*>> seasons;
    for (const Game& game : games)
        seasons[game.season].push_back(&game);
    TeamRatings ratings = startingRatings();
    if (seasons.empty() || year <= seasons.begin()->first)
        return ratings;
    for (const auto& [season, games] : seasons) {
        if (season >= year)
            break;
        if (season != seasons.begin()->first)
            carryIntoNewSeason(ratings);
        for (const Game* game : games)
            rateScoredGame(ratings, *game);
    }
    carryIntoNewSeason(ratings);
    return ratings;
}

void rateSeasonRows(TeamRatings& ratings, const std::vector<Game>& games, int end) {
    int last = std::min(end, static_cast<int>(games.size()));
    for (int r = 0; r < last; ++r)
        rateScoredGame(ratings, games[static_cast<size_t>(r)]);
}

int shownRating(double rating) {
    return static_cast<int>(std::round(rating));
}

std::vector<TeamRating> seasonRatingList(const std::vector<Game>& games, int year,
                                         const std::optional<Date>& day) {
    TeamRatings ratings = seasonStartRatings(games, year);
    std::vector<TeamRating> list;
    for (int t = 1; t <= kTeamCount; ++t)
        list.push_back({*Team::ofNumber(t), teamName(t, year)});
    for (const Game& game : seasonOf(games, year).games) {
        if ((day && !game.playedBefore(*day)) || !rateScoredGame(ratings, game))
            continue;
        double margin = game.homePoints() - game.visitorPoints();
        TeamRating& h = list[static_cast<size_t>(game.home.number() - 1)];
        TeamRating& v = list[static_cast<size_t>(game.visitor.number() - 1)];
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
        line.rating = ratings[static_cast<size_t>(line.team.number())];
    std::stable_sort(list.begin(), list.end(), [](const TeamRating& a, const TeamRating& b) {
        return shownRating(a.rating) > shownRating(b.rating);
    });
    return list;
}

} // namespace gs
