#include "projection.h"

#include "core/text.h"
#include "schedule/calendar.h"
#include "schedule/pickfiles.h"
#include "stats/teamrecords.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace gs {

namespace {

// How many games past the last scored one the coming week is looked for in.
constexpr int kLookAhead = 20;

// This season's results so far, row by row: columns 1 points for, 2 points
// against, 3 wins, 4 losses, 5 ties, in 16-bit integers.
using WorkingTable = std::array<std::array<int16_t, 6>, kTeamCount + 1>;

// A team's averages as the projection last saw them. They carry over from
// row to row, so a team with no games yet inherits the previous game's values.
struct SideValues {
    double avgFor = 0;
    double avgAgainst = 0;
    double ratio = 0;

    void update(double pointsFor, double pointsAgainst, double games) {
        if (games <= 0)
            return;
        avgFor = pointsFor / games;
        avgAgainst = pointsAgainst / games;
        // A team that has allowed no points keeps its previous ratio.
        if (avgAgainst > 0)
            ratio = avgFor / avgAgainst;
    }
    double margin() const { return std::fabs(avgFor - avgAgainst); }
};

// Sums stay within 16 bits instead of wrapping round on absurd scores.
int16_t saturatedSum(int16_t a, int b) {
    return static_cast<int16_t>(std::clamp(a + b, -32768, 32767));
}

void addSide(WorkingTable& table, int team, int own, int other, bool entered) {
    auto& row = table[team];
    row[1] = saturatedSum(row[1], own);
    row[2] = saturatedSum(row[2], other);
    if (own > other)
        row[3] = saturatedSum(row[3], 1);
    else if (own < other)
        row[4] = saturatedSum(row[4], 1);
    else if (entered)
        row[5] = saturatedSum(row[5], 1);
}

void updateFromWorking(SideValues& side, const WorkingTable& table, int team) {
    const auto& row = table[team];
    side.update(row[1], row[2], row[3] + row[4] + row[5]);
}

void updateFromLastSeason(SideValues& side, const TeamRecordTable& lastSeason, int team) {
    const TeamRecord& record = lastSeason[team];
    side.update(record.pointsFor, record.pointsAgainst, record.gamesPlayed());
}

// PC's picks and spreads as its file holds them; a missing or unreadable
// file starts the season's projections from nothing, as a new file would.
Projection loadComputerPicks(const Pool& pool) {
    ComputerFileContent file = loadComputerFile(pool, kComputerPlayer);
    Projection projection;
    projection.picks = file.picks;
    std::copy(file.numbers.begin(), file.numbers.end(), projection.spreads.begin() + 1);
    return projection;
}

// The first row after the coming week, scanning at most kLookAhead rows past
// the last scored game; rows past the season's last start no week.
int projectionEnd(const std::vector<Game>& games, int scored) {
    int last = std::min(scored + kLookAhead, kMaxGames);
    WeekTracker tracker;
    for (int r = scored + 1; r <= last && r < static_cast<int>(games.size()); ++r)
        if (tracker.isBoundary(games[static_cast<size_t>(r)]))
            return r;
    return last + 1;
}

void pickWinner(PickTable& projected, int week, int visitor, int home, const SideValues& v,
                const SideValues& h) {
    auto& picks = projected[week];
    bool open =
        (picks[visitor] == 0 && picks[home] == 0) || (picks[visitor] == 1 && picks[home] == 1);
    if (!open)
        return;
    bool homeWins = h.ratio >= v.ratio;
    picks[visitor] = homeWins ? 0 : 1;
    picks[home] = homeWins ? 1 : 0;
}

void setSpread(SpreadTable& spreads, int row, const SideValues& v, const SideValues& h) {
    int16_t& spread = spreads[row];
    if (spread != 0)
        return;
    double difference = std::floor(std::fabs(h.margin() - v.margin()));
    if (std::isnan(difference)) // records read as infinite leave no difference
        difference = 0;
    // Absurd scores would give spreads no season has; the file keeps what
    // its readers take for a spread.
    spread = static_cast<int16_t>(std::min(difference, static_cast<double>(kMaxSpread)));
    if (spread == 0)
        spread = 1;
}

} // namespace

int comingWeekEnd(const std::vector<Game>& games) {
    int scored = static_cast<int>(
        std::count_if(games.begin(), games.end(), [](const Game& g) { return g.scored(); }));
    return projectionEnd(games, scored);
}

Projection projectTeams(const Pool& pool, const Season& season) {
    const std::vector<Game>& games = season.games;
    Projection projection = loadComputerPicks(pool);
    // The first week's games also weigh last season's records.
    TeamRecordTable lastSeason = emptyTeamRecords();
    loadLastSeasonRecords(pool, pool.seasonYear() - 1, lastSeason);
    WorkingTable table{};
    int scored = 0;
    for (const Game& game : games)
        if (game.scored())
            ++scored;
    int end = std::min(projectionEnd(games, scored), static_cast<int>(games.size()));
    SideValues visitorSide;
    SideValues homeSide;
    WeekTracker tracker;
    int week = 1;
    for (int r = 0; r < end; ++r) {
        const Game& game = games[static_cast<size_t>(r)];
        // Games past the last week count as the last week's.
        if (tracker.isBoundary(game) && week < poolSeasonShape(pool).weeks)
            ++week;
        int a = game.visitor.number();
        int b = game.home.number();
        int vs = toInt16(game.visitorPoints());
        int hs = toInt16(game.homePoints());
        bool entered = game.entered();
        addSide(table, a, vs, hs, entered);
        addSide(table, b, hs, vs, entered);
        updateFromWorking(visitorSide, table, a);
        updateFromWorking(homeSide, table, b);
        if (week == 1) {
            updateFromLastSeason(visitorSide, lastSeason, a);
            updateFromLastSeason(homeSide, lastSeason, b);
        }
        pickWinner(projection.picks, week, a, b, visitorSide, homeSide);
        setSpread(projection.spreads, r, visitorSide, homeSide);
    }
    return projection;
}

} // namespace gs
