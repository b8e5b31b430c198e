#include "ratingplayer.h"

#include "core/league.h"
#include "schedule/calendar.h"
#include "schedule/seasongames.h"
#include "stats/projection.h"

#include <algorithm>
#include <cmath>

namespace gs {

RatingProjection loadRatingPicks(const Pool& pool) {
    ComputerFileContent file = loadComputerFile(pool, kRatingPlayer);
    return {file.picks, file.numbers};
}

void projectRatingPicks(RatingProjection& projection, const Season& season,
                        const TeamRatings& seasonStart) {
    const std::vector<Game>& games = season.games;
    const SeasonShape shape = season.shape;
    int end = std::min({comingWeekEnd(games), static_cast<int>(games.size()), shape.maxGames});
    // A week's picks and margins come from the ratings as the week began,
    // never from results of that week or later, so that a pick made late is
    // the pick that would have been made in time.
    TeamRatings running = seasonStart;
    TeamRatings weekStart = seasonStart;
    WeekTracker tracker;
    int week = 1;
    for (int r = 0; r < end; ++r) {
        const Game& game = games[static_cast<size_t>(r)];
        // Games past the last week count as the last week's, as PC's do.
        if (tracker.isBoundary(game) && week < shape.weeks) {
            ++week;
            weekStart = running;
        }
        rateScoredGame(running, game);
        int visitor = game.visitor.number();
        int home = game.home.number();
        double edge = ratingEdge(weekStart, visitor, home);
        auto& picks = projection.picks[week];
        if (picks[visitor] == picks[home]) {
            bool homePicked = homeWinChance(edge) >= 0.5;
            picks[visitor] = homePicked ? 0 : 1;
            picks[home] = homePicked ? 1 : 0;
        }
        int16_t& margin = projection.margins[static_cast<size_t>(r)];
        if (margin == 0)
            margin = static_cast<int16_t>(marginOnFile(edge));
    }
}

Result<ComputerPicksSaved> saveRatingPicks(const Pool& pool, const RatingProjection& projection) {
    return saveComputerFile(pool, kRatingPlayer, projection.picks, projection.margins);
}

RatingPlayerState updateRatingPlayer(const Pool& pool, const std::vector<Game>& games,
                                     const Season& season, std::vector<std::string>& errors,
                                     std::vector<std::string>& warnings) {
    RatingPlayerState state;
    state.listed = pool.hasRatingPlayer();
    if (!state.listed)
        return state;
    state.season = pool.seasonYear();
    state.seasonStart = seasonStartRatings(games, pool.seasonYear());
    state.projection = loadRatingPicks(pool);
    projectRatingPicks(state.projection, season, state.seasonStart);
    if (Result<ComputerPicksSaved> saved = saveRatingPicks(pool, state.projection); !saved)
        errors.push_back(saved.error().message);
    else if (!saved->notice.empty())
        warnings.push_back(saved->notice);
    return state;
}

RatingPlayerState updateRatingPlayer(const Pool& pool, const Season& season,
                                     std::vector<std::string>& errors,
                                     std::vector<std::string>& warnings) {
    if (!pool.hasRatingPlayer())
        return {};
    Result<std::vector<Game>> games = readGames(pool);
    if (!games) {
        errors.push_back(games.error().message);
        return {};
    }
    return updateRatingPlayer(pool, *games, season, errors, warnings);
}

FavouriteTexts::FavouriteTexts(const RatingPlayerState& state, const std::vector<Game>& games,
                               int week, int weekFirstRow)
    : m_state(state), m_games(games), m_week(week), m_weekStart(state.seasonStart) {
    if (state.listed)
        rateSeasonRows(m_weekStart, games, weekFirstRow);
}

std::string FavouriteTexts::textOf(int row) const {
    if (!m_state.listed || m_week < 1 || m_week > kMaxWeeks || row < 0 ||
        row >= static_cast<int>(m_games.size()) || row >= kMaxGames)
        return {};
    const Game& game = m_games[static_cast<size_t>(row)];
    int visitor = game.visitor.number();
    int home = game.home.number();
    int margin = m_state.projection.margins[static_cast<size_t>(row)];
    if (margin == 0)
        return {};
    const auto& picks = m_state.projection.picks[m_week];
    int picked = picks[home] == 1 ? home : picks[visitor] == 1 ? visitor : 0;
    if (picked == 0)
        return {};
    double chance = homeWinChance(ratingEdge(m_weekStart, visitor, home));
    if (picked == visitor)
        chance = 1 - chance;
    return teamAbbreviation(picked, m_state.season) + " " +
           std::to_string(static_cast<int>(std::round(100 * chance))) + " % by " +
           std::to_string(margin);
}

} // namespace gs
