#pragma once

// The rating player ELO: a computer player that picks, for every game up to
// the end of the coming week, the team the ratings as that week began give
// the better chance (the home team when the chances are equal). A game's
// pick and margin are made once and kept; as they never see a result of
// their week or a later one, the file is the same whenever the player
// joined. Its file ELO<season>.dat has PC's layout: the week
// lines, then the margin of each game of the season in order.

#include "core/pool.h"
#include "core/season.h"
#include "schedule/pickfiles.h"
#include "stats/ratings.h"

#include <string>
#include <vector>

namespace gs {

struct RatingProjection {
    PickTable picks{};
    ComputerNumbers margins{}; // by game row; 0: not projected yet
};

// The rating player's picks and margins as its file holds them; a missing or
// unreadable file gives none.
RatingProjection loadRatingPicks(const Pool& pool);

// Picks every game up to the end of the coming week that has no pick yet,
// and gives every such game without a margin its margin, from the ratings
// before its week's first game: the season's starting ratings moved by the
// scored games of the earlier weeks.
void projectRatingPicks(RatingProjection& projection, const Season& season,
                        const TeamRatings& seasonStart);

// Writes the rating player's file (as saveComputerPicks writes PC's).
Result<ComputerPicksSaved> saveRatingPicks(const Pool& pool, const RatingProjection& projection);

// The rating player as a refresh of the season leaves it.
struct RatingPlayerState {
    bool listed = false; // on the user list; nothing else is set otherwise
    int season = 0;
    TeamRatings seasonStart{};
    RatingProjection projection;
};

// Brings the rating player up to date when it is on the user list: the
// season's starting ratings, its projection, its file. What
// failed goes to `errors`, what the person is told besides to `warnings`.
RatingPlayerState updateRatingPlayer(const Pool& pool, const std::vector<Game>& games,
                                     const Season& season, std::vector<std::string>& errors,
                                     std::vector<std::string>& warnings);

// The same, reading the games table itself.
RatingPlayerState updateRatingPlayer(const Pool& pool, const Season& season,
                                     std::vector<std::string>& errors,
                                     std::vector<std::string>& warnings);

// What "This Week's Picks" shows for the rating player's pick of a game of
// week `week` ("NYG 64 % by 4"): the picked team, its chance with the
// ratings as the week began, and the kept margin. Empty without a pick.
class FavouriteTexts {
public:
    FavouriteTexts(const RatingPlayerState& state, const std::vector<Game>& games, int week,
                   int weekFirstRow);
    std::string textOf(int row) const;

private:
    const RatingPlayerState& m_state;
    const std::vector<Game>& m_games;
    int m_week;
    TeamRatings m_weekStart;
};

} // namespace gs
