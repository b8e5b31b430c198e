#include "teamrecords.h"

#include "core/text.h"
#include "core/textfile.h"
#include "schedule/calendar.h"
#include "schedule/gamesdb.h"
#include "schedule/pickfiles.h"

#include <algorithm>
#include <memory>

namespace gs {

namespace {

void clearRecords(TeamRecordTable& records) {
    for (int t = 1; t <= kTeamCount; ++t)
        for (double TeamRecord::*count : kRecordCounts)
            records[t].*count = 0.0;
}

int countScored(const std::vector<SeasonGame>& games) {
    int count = 0;
    for (const SeasonGame& game : games)
        if (game.scored())
            ++count;
    return count;
}

// One side of a game: its own score, the opponent's, and whether the game
// was entered at all (a 0-0 that nobody entered is no tie).
void addSide(TeamRecordTable& records, int team, double own, double other, bool entered) {
    if (team == 0)
        return;
    TeamRecord& record = records[team];
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
void addRows(const std::vector<SeasonGame>& games, int lastRow, TeamRecordTable& records) {
    int end = std::min(lastRow + 1, static_cast<int>(games.size()));
    for (int r = 0; r < end; ++r) {
        const SeasonGame& game = games[r];
        double vs = numericValue(game.visitorScore);
        double hs = numericValue(game.homeScore);
        bool entered = !game.visitorScore.empty();
        addSide(records, teamNumber(game.visitor), vs, hs, entered);
        addSide(records, teamNumber(game.home), hs, vs, entered);
    }
}

// The games table's records, or none when there is no table to read. A
// missing database file is not created by a mere lookup.
std::vector<GameRecord> gameRecords(const Pool& pool) {
    if (!fileExists(pool.gamesDatabasePath()))
        return {};
    Result<std::unique_ptr<GamesTable>> table = GamesTable::open(pool.gamesDatabasePath());
    if (!table)
        return {};
    return (*table)->records().value_or(std::vector<GameRecord>{});
}

// The season's games with their texts as the table holds them.
std::vector<SeasonGame> gamesOf(const std::vector<GameRecord>& records, int year) {
    std::vector<SeasonGame> games;
    for (const GameRecord& record : records)
        if (numericValue(record.year) == year)
            games.push_back(
                {record.visitor, record.home, record.date, record.visitorScore, record.homeScore});
    return games;
}

bool isSeason(const Pool& pool, const GameRecord& record) {
    return numericValue(record.year) == pool.seasonYear();
}

// Both score fields compared as numbers, from the side of one team.
std::string resultWord(double own, double other) {
    if (own > other)
        return "Won ";
    if (own < other)
        return "Lost ";
    return "Tied ";
}

std::string resultText(const GameRecord& record, bool teamVisits) {
    // A meeting not yet played has no result to show.
    if (record.visitorScore.empty() || record.homeScore.empty())
        return {};
    double visitor = numericValue(record.visitorScore);
    double home = numericValue(record.homeScore);
    std::string word = teamVisits ? resultWord(visitor, home) : resultWord(home, visitor);
    return word + signedText(visitor) + " to " + signedText(home);
}

} // namespace

int addSeasonResults(const std::vector<SeasonGame>& games, TeamRecordTable& records) {
    int scored = countScored(games);
    addRows(games, scored, records);
    return scored;
}

bool loadLastSeasonRecords(const Pool& pool, int year, TeamRecordTable& records) {
    Status read = readOldScores(pool.folders(), year, records);
    if (read)
        return true;
    clearRecords(records);
    std::vector<SeasonGame> games = gamesOf(gameRecords(pool), year);
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

TeamLists teamGameLists(const Season& season, const PickTable& picks, int team) {
    TeamLists lists;
    if (team < 1 || team > kTeamCount)
        return lists;
    const std::string& name = teamName(team, season.year);
    bool seasonStarted = countScored(season.games) > 0;
    for (const SeasonGame& game : season.games) {
        std::string v = trimSpaces(game.visitor);
        std::string h = trimSpaces(game.home);
        double vs = numericValue(game.visitorScore);
        double hs = numericValue(game.homeScore);
        bool entered = !game.visitorScore.empty();
        if (v == name) {
            if (entered && vs > hs)
                lists.beaten.push_back(h);
            if (entered && vs < hs)
                lists.lostTo.push_back(h);
            if (seasonStarted && !entered)
                lists.remaining.push_back("@" + h);
        }
        if (h == name) {
            if (entered && vs > hs)
                lists.lostTo.push_back(v);
            if (entered && vs < hs)
                lists.beaten.push_back(v);
            if (seasonStarted && !entered)
                lists.remaining.push_back(v);
        }
    }
    int division = league().teamDivision[team];
    for (int t = 1; t <= kTeamCount; ++t)
        if (league().teamDivision[t] == division)
            lists.division.push_back(teamName(t, season.year));
    for (int w = 1; w <= kMaxWeeks; ++w)
        if (picks[w][team] == 1)
            ++lists.pickedCount;
    return lists;
}

HeadToHeadResult headToHead(const Pool& pool, int scoredGameCount, const std::string& team,
                            const std::string& opponent) {
    HeadToHeadResult result;
    std::string x = stripSpaces(team);
    std::string y = stripSpaces(opponent);
    bool found = false;
    int seasonCount = 0;
    for (const GameRecord& record : gameRecords(pool)) {
        if (!isSeason(pool, record))
            continue;
        ++seasonCount;
        std::string a = stripSpaces(record.visitor);
        std::string b = stripSpaces(record.home);
        bool visiting = a == x && b == y;
        bool atHome = b == x && a == y;
        if (!visiting && !atHome)
            continue;
        result.heading = team + " against " + opponent;
        std::string text = resultText(record, visiting);
        if (found && seasonCount <= scoredGameCount) {
            result.secondDate = record.date;
            result.secondResult = text;
        } else if (!found) {
            result.firstDate = record.date;
            result.firstResult = text;
            found = true;
        }
    }
    return result;
}

ScheduledGame findScheduledGame(const Pool& pool, const std::string& team,
                                const std::string& entry) {
    ScheduledGame game;
    bool away = !entry.empty() && entry.front() == '@';
    std::string opponent = away ? entry.substr(1) : entry;
    std::string x = stripSpaces(team);
    std::string y = stripSpaces(opponent);
    for (const GameRecord& record : gameRecords(pool)) {
        if (!isSeason(pool, record))
            continue;
        std::string a = stripSpaces(record.visitor);
        std::string b = stripSpaces(record.home);
        if (away && a == x && b == y)
            game.heading = team + " at " + opponent;
        else if (!away && b == x && a == y)
            game.heading = opponent + " at " + team;
        else
            continue;
        game.dayName = dayName(dayOfWeek(record.date));
        game.date = record.date;
    }
    return game;
}

} // namespace gs
