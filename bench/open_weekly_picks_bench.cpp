// Opening "This Week's Picks" on a full season: everything the panel
// recomputes before it shows the grid.

#include "core/dialogs.h"
#include "core/pool.h"
#include "core/text.h"
#include "picks/weeklypicks.h"
#include "schedule/calendar.h"
#include "schedule/gamesdb.h"
#include "schedule/importer.h"
#include "schedule/pickfiles.h"
#include "schedule/seasongames.h"
#include "stats/projection.h"
#include "stats/teamrecords.h"
#include "tests/support/sampledata.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace gs;

constexpr int kPlayers = 100;

fs::path temporaryHome() {
    std::string pattern = (fs::temp_directory_path() / "gridslate-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    return pattern;
}

// Answers nothing and shows nothing: a benchmark has nobody to ask.
class SilentDialogs final : public Dialogs {
public:
    void message(MessageKind, const std::string&, const std::string&) override {}
    bool confirm(const std::string&, const std::string&) override { return false; }
    std::string input(const std::string&, const std::string&, const std::string&) override {
        return {};
    }
};

// A pool as it stands on the reference day: every season in the games
// table, 2009 finished, 2010 scored through the reference day, and 100
// players with their pick files.
class BenchPool {
public:
    BenchPool() : m_home(temporaryHome()), pool(m_home) {
        fs::create_directories(pool.folders().program);
        fillGamesTable();
        addPlayers();
    }
    ~BenchPool() {
        std::error_code ec;
        fs::remove_all(m_home, ec);
    }

private:
    fs::path m_home;

public:
    Pool pool;
    SilentDialogs dialogs;

private:
    void fillGamesTable() {
        std::vector<GameRecord> games = sample::bundledGames();
        for (GameRecord& record : games) {
            bool running = numericValue(record.year) == 2010;
            if (numericValue(record.year) > 2010 ||
                (running && !onOrBefore(record.date, pool.referenceDate())))
                record.visitorScore = record.homeScore = "";
        }
        auto table = GamesTable::create(pool.gamesDatabasePath());
        Status stored = table ? (*table)->replaceSeasons(games) : Status(failure(table.error()));
        if (!stored)
            throw std::runtime_error(stored.error().message);
    }

    void addPlayers() {
        UserTable users{};
        std::vector<std::string> order;
        for (int k = 1; k <= kPlayers; ++k) {
            UserSlot& slot = users[k];
            slot.name = k == 1 ? "admin" : k == 2 ? "PC" : "player" + std::to_string(k);
            slot.folder = pool.programFolderText();
            slot.active = 1;
            slot.admin = k == 1;
            order.push_back(slot.name);
        }
        pool.replaceUsers(users);
        pool.setPoolOrder(order);
        for (int k = 1; k <= kPlayers; ++k) {
            if (k == 2)
                continue;
            PickTable picks{};
            for (int w = 1; w <= 8; ++w)
                for (int t = 1 + (k + w) % 2; t <= kTeamCount; t += 2)
                    picks[w][t] = 1;
            if (!savePicks(pool, pool.users()[k].name, picks))
                throw std::runtime_error("cannot save the picks");
        }
        pool.setCurrentUser("player42");
    }
};

// Everything the menu command runs before the panel is drawn: the season's
// games, the player's picks, the week, the team records, the computer
// player and the grid model of the current week.
void bench_open_weekly_picks(benchmark::State& state) {
    BenchPool bench;
    WeeklyPicksPanel panel(bench.pool, bench.dialogs);
    panel.open(); // the first run writes last season's old-scores file
    for (auto _ : state) {
        panel.open();
        benchmark::DoNotOptimize(panel.model().grid.rows());
    }
}
BENCHMARK(bench_open_weekly_picks)->Unit(benchmark::kMillisecond);

// The same when the computer player's file has to be written again, as on
// the first opening after new scores: dominated by the flush to disk.
void bench_open_weekly_picks_saving_pc(benchmark::State& state) {
    BenchPool bench;
    WeeklyPicksPanel panel(bench.pool, bench.dialogs);
    panel.open();
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove(pickFilePath(bench.pool, kComputerPlayer));
        state.ResumeTiming();
        panel.open();
    }
}
BENCHMARK(bench_open_weekly_picks_saving_pc)->Unit(benchmark::kMillisecond);

// The parts on their own, to see where the time goes.
void bench_rebuild_season_games(benchmark::State& state) {
    BenchPool bench;
    for (auto _ : state)
        benchmark::DoNotOptimize(rebuildSeasonGames(bench.pool));
}
BENCHMARK(bench_rebuild_season_games)->Unit(benchmark::kMillisecond);

void bench_project_teams(benchmark::State& state) {
    BenchPool bench;
    Season season = rebuildSeasonGames(bench.pool).value_or(Season{});
    for (auto _ : state)
        benchmark::DoNotOptimize(projectTeams(bench.pool, season));
}
BENCHMARK(bench_project_teams)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
