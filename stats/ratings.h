#pragma once

// The teams' ratings: one number a team, moved by every scored game in the
// order the games were played, from the first season the games table holds
// on. Nothing of them is stored; they are worked out from the table when
// they are needed.
//
// Every team starts at 1505. Before the first game of each later season a
// rating moves a third of the way back to 1505. A game's edge D is the home
// team's rating less the visitor's, plus 65 for playing at home; the home
// team wins with the chance 1 / (10^(-D/400) + 1) and by D/25 points. After
// the game the home team gains, and the visitor loses, 20 * M * (R - chance),
// where R is 1 for a home win, 0 for a loss and 1/2 for a tie, and M grows
// with the margin and shrinks when the favourite won by it.

#include "core/date.h"
#include "core/season.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace gs {

inline constexpr double kStartingRating = 1505;

// Ratings of teams 1..32; entry 0 is unused.
using TeamRatings = std::array<double, kTeamCount + 1>;

// Every team at the starting rating.
TeamRatings startingRatings();

// The edge D of the home team in a game between two teams 1..32.
double ratingEdge(const TeamRatings& ratings, int visitor, int home);

// The home team's chance to win, 0..1, with this edge.
double homeWinChance(double edge);

// The points the home team is expected to win by (negative: the visitor).
double projectedPoints(double edge);

// The margin a computer player's file keeps for this edge: the projected
// points without sign, rounded half away from zero, at least 1.
int marginOnFile(double edge);

// A new season: every rating moves a third of the way back to the start.
void carryIntoNewSeason(TeamRatings& ratings);

// One scored game: the home team gains what the visitor loses.
void rateGame(TeamRatings& ratings, int visitor, int home, double visitorScore, double homeScore);

// Rates one game of a season when both its scores are entered (and it is
// not a team's game against itself); false otherwise.
bool rateScoredGame(TeamRatings& ratings, const Game& game);

// The ratings before the first game of a season: the starting ratings for
// the first season the games hold (or an earlier one); otherwise every
// scored game of the earlier seasons in order, each of those seasons after
// the first, and the season itself, begun by carrying the ratings over. A
// season the games do not hold is passed over.
TeamRatings seasonStartRatings(const std::vector<Game>& games, int year);

// Rates the scored games among rows 0..end-1 of a season, in order.
void rateSeasonRows(TeamRatings& ratings, const std::vector<Game>& games, int end);

// One line of a season's rating list.
struct TeamRating {
    Team team;
    std::string name; // the team's name in the season
    double rating = 0;
    int wins = 0;
    int losses = 0;
    int ties = 0;
};

// The whole-number rating shown for a rating: rounded half away from zero.
int shownRating(double rating);

// Every team's rating in a season after each scored game of the season
// dated before the day (none: every scored game), and its record
// in those games; so for a season wholly before the day, its final
// ratings. Best first; equal shown ratings in team order.
std::vector<TeamRating> seasonRatingList(const std::vector<Game>& games, int year,
                                         const std::optional<Date>& day);

} // namespace gs
