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
        for (int column = 1; column <= 5; ++column)
            records[t][column] = 0.0;
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
    auto& row = records[team];
    row[1] += own;
    row[2] += other;
    if (own > other)
        row[3] += 1;
    else if (own < other)
        row[4] += 1;
    else if (entered)
        row[5] += 1;
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
std::vector<GameRecord> gameRecords() {
    if (!FileExists(gamesDatabasePath()))
        return {};
    std::string error;
    std::unique_ptr<GamesTable> table = GamesTable::open(gamesDatabasePath(), error);
    if (!table)
        return {};
    return table->records(&error);
}

std::vector<SeasonGame> seasonOf(const std::vector<GameRecord>& records, int year) {
    std::vector<SeasonGame> games;
    for (const GameRecord& record : records)
        if (numericValue(record.Year) == year)
            games.push_back({record.TeamA, record.TeamB, record.Date, record.Visitor, record.Home});
    return games;
}

bool isSeason(const GameRecord& record) {
    return numericValue(record.Year) == numericValue(State.SeasonYear);
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
    if (record.Visitor.empty() || record.Home.empty())
        return {};
    double visitor = numericValue(record.Visitor);
    double home = numericValue(record.Home);
    std::string word = teamVisits ? resultWord(visitor, home) : resultWord(home, visitor);
    return word + signedText(visitor) + " to " + signedText(home);
}

} // namespace

int addSeasonResults(const std::vector<SeasonGame>& games, TeamRecordTable& records) {
    int scored = countScored(games);
    addRows(games, scored, records);
    return scored;
}

bool loadLastSeasonRecords(int year) {
    if (ReadOldScores(year))
        return true;
    clearRecords(State.TeamRecords);
    std::vector<SeasonGame> games = seasonOf(gameRecords(), year);
    if (games.empty() || countScored(games) != static_cast<int>(games.size()))
        return false;
    addSeasonResults(games, State.TeamRecords);
    writeOldScoresFile(year);
    return true;
}

void ComputeTeamRecords() {
    clearRecords(State.TeamRecords);
    State.ScoredGameCount = countScored(State.SeasonGames);
    if (State.ScoredGameCount == 0)
        loadLastSeasonRecords(seasonYearNumber() - 1);
    addRows(State.SeasonGames, State.ScoredGameCount, State.TeamRecords);
}

TeamLists TeamGameLists(int team) {
    TeamLists lists;
    if (team < 1 || team > kTeamCount)
        return lists;
    const std::string& name = State.LeagueTable.teamName[team];
    bool seasonStarted = State.ScoredGameCount > 0;
    for (const SeasonGame& game : State.SeasonGames) {
        std::string v = TrimSpaces(game.visitor);
        std::string h = TrimSpaces(game.home);
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
    int division = State.LeagueTable.teamDivision[team];
    for (int t = 1; t <= kTeamCount; ++t)
        if (State.LeagueTable.teamDivision[t] == division)
            lists.division.push_back(State.LeagueTable.teamName[t]);
    for (int w = 1; w <= kWeeks; ++w)
        if (State.PicksTable[w][team] == 1)
            ++lists.pickedCount;
    return lists;
}

HeadToHeadResult HeadToHead(const std::string& team, const std::string& opponent) {
    HeadToHeadResult result;
    std::string x = StripSpaces(team);
    std::string y = StripSpaces(opponent);
    bool found = false;
    int seasonCount = 0;
    for (const GameRecord& record : gameRecords()) {
        if (!isSeason(record))
            continue;
        ++seasonCount;
        std::string a = StripSpaces(record.TeamA);
        std::string b = StripSpaces(record.TeamB);
        bool visiting = a == x && b == y;
        bool atHome = b == x && a == y;
        if (!visiting && !atHome)
            continue;
        result.heading = team + " against " + opponent;
        std::string text = resultText(record, visiting);
        if (found && seasonCount <= State.ScoredGameCount) {
            result.secondDate = record.Date;
            result.secondResult = text;
        } else if (!found) {
            result.firstDate = record.Date;
            result.firstResult = text;
            found = true;
        }
    }
    return result;
}

ScheduledGame FindScheduledGame(const std::string& team, const std::string& entry) {
    ScheduledGame game;
    bool away = !entry.empty() && entry.front() == '@';
    std::string opponent = away ? entry.substr(1) : entry;
    std::string x = StripSpaces(team);
    std::string y = StripSpaces(opponent);
    for (const GameRecord& record : gameRecords()) {
        if (!isSeason(record))
            continue;
        std::string a = StripSpaces(record.TeamA);
        std::string b = StripSpaces(record.TeamB);
        if (away && a == x && b == y)
            game.heading = team + " at " + opponent;
        else if (!away && b == x && a == y)
            game.heading = opponent + " at " + team;
        else
            continue;
        game.dayName = DayName(dayOfWeek(record.Date));
        game.date = record.Date;
    }
    return game;
}

} // namespace gs
