#include "teamrecords.h"

#include "core/text.h"
#include "schedule/pickfiles.h"
#include "schedule/seasongames.h"

#include <algorithm>

namespace gs {

namespace {

void clearRecords(TeamRecordTable& records) {
    for (int t = 1; t <= kTeamCount; ++t)
        for (double TeamRecord::*count : kRecordCounts)
            records[t].*count = 0.0;
}

int countScored(const std::vector<Game>& games) {
    int count = 0;
    for (const Game& game : games)
        if (game.scored())
            ++count;
    return count;
}

// One side of a game: its own score, the opponent's, and whether the game
// was entered at all (a 0-0 that nobody entered is no tie).
void addSide(TeamRecordTable& records, Team team, double own, double other, bool entered) {
    TeamRecord& record = records[static_cast<size_t>(team.number())];
    record.pointsFor += own;
    record.pointsAgainst += other;
    if (own > other)
        record.wins += 1;
    else if (own < other)
        record.losses += 1;
    else if (entered)
        record.ties += 1;
}

// Rows 0..lastRow; a row past the end stands for a blank row and adds nothing.
void addRows(const std::vector<Game>& games, int lastRow, TeamRecordTable& records) {
    int end = std::min(lastRow + 1, static_cast<int>(games.size()));
    for (int r = 0; r < end; ++r) {
        const Game& game = games[static_cast<size_t>(r)];
        double vs = game.visitorPoints();
        double hs = game.homePoints();
        addSide(records, game.visitor, vs, hs, game.entered());
        addSide(records, game.home, hs, vs, game.entered());
    }
}

// Both scores compared as numbers, from the side of one team.
std::string resultWord(double own, double other) {
    if (own > other)
        return "Won ";
    if (own < other)
        return "Lost ";
    return "Tied ";
}

std::string resultText(const Game& game, bool teamVisits) {
    // A meeting not yet played has no result to show.
    if (!game.scored())
        return {};
    double visitor = game.visitorPoints();
    double home = game.homePoints();
    std::string word = teamVisits ? resultWord(visitor, home) : resultWord(home, visitor);
    return word + signedText(visitor) + " to " + signedText(home);
}

} // namespace

int addSeasonResults(const std::vector<Game>& games, TeamRecordTable& records) {
    int scored = countScored(games);
    addRows(games, scored, records);
    return scored;
}

bool loadLastSeasonRecords(const Pool& pool, int year, TeamRecordTable& records) {
    Status read = readOldScores(pool.folders(), year, records);
    if (read)
        return true;
    clearRecords(records);
    std::vector<Game> games = storedSeasonGames(pool, year);
    if (games.empty() || countScored(games) != static_cast<int>(games.size()))
        return false;
    addSeasonResults(games, records);
    // Only a shortcut for next time: the records stand without the file. A
    // file that is there but cannot be read is the person's to look at, not
    // to be replaced.
    if (read.error().kind == ErrorKind::NotFound)
        (void)writeOldScores(pool.folders(), year, records);
    return true;
}

TeamRecordTable computeTeamRecords(const Pool& pool, const Season& season) {
    TeamRecordTable records = emptyTeamRecords();
    int scored = countScored(season.games);
    if (scored == 0)
        loadLastSeasonRecords(pool, pool.seasonYear() - 1, records);
    addRows(season.games, scored, records);
    return records;
}

TeamLists teamGameLists(const Season& season, const PickTable& picks, Team team) {
    TeamLists lists;
    bool seasonStarted = countScored(season.games) > 0;
    for (const Game& game : season.games) {
        double vs = game.visitorPoints();
        double hs = game.homePoints();
        bool entered = game.entered();
        if (game.visitor == team) {
            if (entered && vs > hs)
                lists.beaten.push_back(game.home);
            if (entered && vs < hs)
                lists.lostTo.push_back(game.home);
            if (seasonStarted && !entered)
                lists.remaining.push_back(game);
        }
        if (game.home == team) {
            if (entered && vs > hs)
                lists.lostTo.push_back(game.visitor);
            if (entered && vs < hs)
                lists.beaten.push_back(game.visitor);
            if (seasonStarted && !entered)
                lists.remaining.push_back(game);
        }
    }
    for (int t = 1; t <= kTeamCount; ++t)
        if (std::optional<Team> other = Team::ofNumber(t); other->division() == team.division())
            lists.division.push_back(*other);
    for (int w = 1; w <= kMaxWeeks; ++w)
        if (picks[w][team.number()] == 1)
            ++lists.pickedCount;
    return lists;
}

HeadToHeadResult headToHead(const Season& season, Team team, Team opponent) {
    HeadToHeadResult result;
    bool found = false;
    int seasonCount = 0;
    for (const Game& game : season.games) {
        ++seasonCount;
        bool visiting = game.visitor == team && game.home == opponent;
        bool atHome = game.home == team && game.visitor == opponent;
        if (!visiting && !atHome)
            continue;
        result.heading = team.name(season.year) + " against " + opponent.name(season.year);
        std::string text = resultText(game, visiting);
        if (found && seasonCount <= season.scoredGameCount) {
            result.secondDate = game.dateText();
            result.secondResult = text;
        } else if (!found) {
            result.firstDate = game.dateText();
            result.firstResult = text;
            found = true;
        }
    }
    return result;
}

std::optional<Game> findScheduledGame(const Season& season, Team visitor, Team home) {
    std::optional<Game> found;
    for (const Game& game : season.games)
        if (game.visitor == visitor && game.home == home)
            found = game;
    return found;
}

} // namespace gs
