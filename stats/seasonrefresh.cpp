#include "seasonrefresh.h"

#include "core/poollock.h"
#include "schedule/calendar.h"
#include "schedule/pickfiles.h"
#include "schedule/seasongames.h"
#include "stats/projection.h"
#include "stats/teamrecords.h"

namespace gs {

int currentWeekFromScores(const std::vector<Game>& games) {
    int boundaries = 0;
    int scoredInWeek = 0;
    WeekTracker tracker;
    for (const Game& game : games) {
        bool boundary = tracker.isBoundary(game);
        bool scored = game.scored();
        if (boundary) {
            if (scored)
                ++boundaries;
            scoredInWeek = 0;
        }
        if (!scored)
            break;
        ++scoredInWeek;
    }
    if (scoredInWeek == 0)
        ++boundaries;
    return boundaries + 1;
}

SeasonState refreshSeason(const Pool& pool) {
    SeasonState state;
    // Held from the read of the games table to the last write: an import
    // that reorders the games and moves the computer players' numbers with
    // them must not come between, or the files written here would put the
    // numbers back on the old games.
    Result<PoolLock> lock = lockPoolFiles(pool);
    if (!lock) {
        state.errors.push_back(lock.error().message);
        return state;
    }
    // Read once: the season's games for everything, every season's for the
    // ratings.
    Result<std::vector<Game>> games = readGames(pool);
    if (games)
        state.season = seasonOf(*games, pool.seasonYear());
    else
        state.errors.push_back(games.error().message);

    state.currentWeek = currentWeekFromScores(state.season.games);
    state.records = computeTeamRecords(pool, state.season);
    if (state.season.scoredGameCount == 0) {
        state.currentWeek = 1;
        loadLastSeasonRecords(pool, pool.seasonYear() - 1, state.records);
    }

    // The season before is read on every refresh; a file in its place that
    // cannot be read is left alone and the records come from the games table.
    TeamRecordTable lastSeason = emptyTeamRecords();
    int lastYear = pool.seasonYear() - 1;
    if (Status read = readOldScores(pool.folders(), lastYear, lastSeason);
        !read && read.error().kind != ErrorKind::NotFound)
        state.warnings.push_back("The old-scores file " +
                                 oldScoresPath(pool.folders(), lastYear).string() +
                                 " cannot be read: " + read.error().message +
                                 ". It was left as it is; the season before is counted from the "
                                 "games table instead.");

    state.projection = projectTeams(pool, state.season);
    if (Result<ComputerPicksSaved> saved = saveComputerPicks(pool, state.projection); !saved)
        state.errors.push_back(saved.error().message);
    else if (!saved->notice.empty())
        state.warnings.push_back(saved->notice);
    if (games)
        state.ratingPlayer =
            updateRatingPlayer(pool, *games, state.season, state.errors, state.warnings);

    // The season ends on its last week; its records become the old-scores
    // file the next season starts from.
    // A season with official weeks is over once every game has its scores
    // (it may hold fewer games than its most: a cancelled game).
    const Season& season = state.season;
    bool allScored = season.hasOfficialWeeks() &&
                     season.scoredGameCount == static_cast<int>(season.games.size());
    if (state.currentWeek > season.shape.weeks || allScored) {
        state.currentWeek = state.season.shape.weeks;
        state.seasonOver = true;
        Status written = writeOldScores(pool.folders(), pool.seasonYear(), state.records);
        state.oldScoresSaved = written.has_value();
        if (!written)
            state.errors.push_back(written.error().message);
    }
    return state;
}

} // namespace gs
