// The team ratings on the bundled seasons: how long working them all out
// takes, and how often the computer players' picks come right when each
// week is projected with the scores of the weeks before it, as a pool that
// enters its scores week by week sees them.

#include "core/pool.h"
#include "core/text.h"
#include "schedule/calendar.h"
#include "schedule/gamesdb.h"
#include "schedule/pickfiles.h"
#include "schedule/seasongames.h"
#include "stats/projection.h"
#include "stats/ratingplayer.h"
#include "stats/ratings.h"
#include "tests/support/sampledata.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace gs;

constexpr int kFirstMeasured = 2010;
constexpr int kLastMeasured = 2015;

fs::path temporaryHome() {
    std::string pattern = (fs::temp_directory_path() / "gridslate-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    return pattern;
}

// The bundled seasons as the pool reads them.
std::vector<Game> bundledGameValues() {
    Result<std::vector<Game>> games = gamesOf(sample::bundledGames());
    if (!games)
        throw std::runtime_error(games.error().message);
    return *games;
}

// A pool with every bundled season scored in its games table, and PC and
// the rating player on its user list.
class MeasuredPool {
public:
    MeasuredPool() : m_home(temporaryHome()), pool(m_home) {
        fs::create_directories(pool.folders().program);
        records = sample::bundledGames();
        auto table = GamesTable::create(pool.gamesDatabasePath());
        Status stored = table ? (*table)->replaceSeasons(records) : Status(failure(table.error()));
        if (!stored)
            throw std::runtime_error(stored.error().message);
        UserTable users{};
        users[1].name = kAdminUser;
        users[2].name = kComputerPlayer;
        users[3].name = kRatingPlayer;
        users[3].flag = true;
        for (int k = 1; k <= 3; ++k) {
            users[k].active = 1;
            users[k].folder = pool.programFolderText();
        }
        pool.replaceUsers(users);
        games = bundledGameValues();
    }
    ~MeasuredPool() {
        std::error_code ec;
        fs::remove_all(m_home, ec);
    }

private:
    fs::path m_home;

public:
    Pool pool;
    std::vector<GameRecord> records;
    std::vector<Game> games;
};

// The first row of each week by the week rule, without the cap on a week's
// games, so that every game is projected in the week it was played.
std::vector<int> weekStarts(const std::vector<Game>& games) {
    std::vector<int> starts = {0};
    WeekTracker tracker;
    for (int r = 0; r < static_cast<int>(games.size()); ++r)
        if (tracker.isBoundary(games[static_cast<size_t>(r)].dateText()))
            starts.push_back(r);
    starts.push_back(static_cast<int>(games.size()));
    return starts;
}

struct Tally {
    int correct = 0;
    int decided = 0;
    void count(bool right) {
        ++decided;
        correct += right ? 1 : 0;
    }
};

// Counts a player's picks of the season's decided games: right when the
// winner is picked and the loser is not.
void tallyPicks(const std::vector<Game>& games, const PickTable& picks, Tally& tally) {
    WeekTracker tracker;
    int week = 1;
    for (const Game& game : games) {
        if (tracker.isBoundary(game) && week < kMaxWeeks)
            ++week;
        double margin = game.homePoints() - game.visitorPoints();
        if (margin == 0)
            continue;
        int winner = (margin > 0 ? game.home : game.visitor).number();
        int loser = (margin > 0 ? game.visitor : game.home).number();
        tally.count(picks[week][winner] == 1 && picks[week][loser] != 1);
    }
}

// Week by week through each measured season: the scores of the weeks before,
// then the projections and their files, as a refresh makes them.
void measurePicks(benchmark::State& state) {
    MeasuredPool bench;
    Pool& pool = bench.pool;
    Tally elo;
    Tally pc;
    Tally favourites; // each game's favourite with the ratings as its week began
    for (auto _ : state) {
        elo = pc = favourites = Tally{};
        for (int year = kFirstMeasured; year <= kLastMeasured; ++year) {
            pool.setSeasonYear(year);
            for (const char* player : kComputerPlayers)
                fs::remove(pickFilePath(pool, player));
            const Season final = seasonOf(bench.games, year);
            std::vector<int> starts = weekStarts(final.games);
            Projection pcPicks;
            RatingPlayerState eloState;
            for (size_t w = 0; w + 1 < starts.size(); ++w) {
                Season season = final;
                season.scoredGameCount = starts[w];
                for (size_t r = static_cast<size_t>(starts[w]); r < season.games.size(); ++r)
                    season.games[r].visitorScore = season.games[r].homeScore = std::nullopt;
                pcPicks = projectTeams(pool, season);
                if (!saveComputerPicks(pool, pcPicks))
                    throw std::runtime_error("cannot save PC's picks");
                std::vector<std::string> errors;
                std::vector<std::string> warnings;
                eloState = updateRatingPlayer(pool, bench.games, season, errors, warnings);
                if (!errors.empty())
                    throw std::runtime_error(errors.front());
                TeamRatings weekStart = eloState.seasonStart;
                rateSeasonRows(weekStart, final.games, starts[w]);
                for (int r = starts[w]; r < starts[w + 1]; ++r) {
                    const Game& game = final.games[static_cast<size_t>(r)];
                    double margin = game.homePoints() - game.visitorPoints();
                    if (margin == 0)
                        continue;
                    double edge = ratingEdge(weekStart, game.visitor.number(), game.home.number());
                    favourites.count((edge >= 0) == (margin > 0));
                }
            }
            tallyPicks(final.games, pcPicks.picks, pc);
            tallyPicks(final.games, eloState.projection.picks, elo);
        }
    }
    state.counters["decided"] = elo.decided;
    state.counters["elo_right"] = elo.correct;
    state.counters["elo_pct"] = 100.0 * elo.correct / elo.decided;
    state.counters["pc_right"] = pc.correct;
    state.counters["pc_pct"] = 100.0 * pc.correct / pc.decided;
    state.counters["favourite_right"] = favourites.correct;
}
BENCHMARK(measurePicks)->Iterations(1)->Unit(benchmark::kMillisecond);

// Every rating of the bundled seasons, from the games in memory.
void computeAllRatings(benchmark::State& state) {
    const std::vector<Game> games = bundledGameValues();
    for (auto _ : state)
        benchmark::DoNotOptimize(seasonStartRatings(games, 2016));
}
BENCHMARK(computeAllRatings)->Unit(benchmark::kMillisecond);

// The rating list of the last season, as the `ratings` command prints it.
void listSeasonRatings(benchmark::State& state) {
    const std::vector<Game> games = bundledGameValues();
    for (auto _ : state)
        benchmark::DoNotOptimize(seasonRatingList(games, 2015, {}));
}
BENCHMARK(listSeasonRatings)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
