#pragma once

// Bringing a season up to date: what opening "This Week's Picks" and the
// `project` command both run.

#include "core/pool.h"
#include "core/season.h"
#include "stats/ratingplayer.h"

#include <string>
#include <vector>

namespace gs {

struct SeasonState {
    Season season;
    int currentWeek = 1; // the week of the first game without a score
    bool seasonOver = false;
    TeamRecordTable records = emptyTeamRecords();
    Projection projection;
    RatingPlayerState ratingPlayer;
    // At the season's end: whether the old-scores file was written.
    bool oldScoresSaved = false;
    // What could not be read or written on the way, in order, ready to be
    // shown; the rest of the state was still worked out.
    std::vector<std::string> errors;
    // What the person is told once without anything having failed, such as
    // a damaged computer player's file kept aside before it was rewritten.
    std::vector<std::string> warnings;
};

// The week of the first game without a score, counting only whole weeks of
// scored games before it.
int currentWeekFromScores(const std::vector<Game>& games);

// Rebuilds the season's games from the games table, works out the current
// week, the team records and the computer players' projections, saves the
// computer players' pick files, and at the season's end writes the season's
// old-scores file; all under the pool lock, so that what it writes follows
// the table it read.
SeasonState refreshSeason(const Pool& pool);

} // namespace gs
