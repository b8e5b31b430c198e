// Opening "This Week's Picks" on a full season: everything the panel
// recomputes before it shows the grid.

#include "core/dialogs.h"
#include "core/state.h"
#include "core/text.h"
#include "picks/weeklypicks.h"
#include "schedule/calendar.h"
#include "schedule/gamesdb.h"
#include "schedule/importer.h"
#include "schedule/pickfiles.h"
#include "schedule/seasongames.h"
#include "stats/projection.h"
#include "stats/teamrecords.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace gs;

constexpr int kPlayers = 100;

std::string readWhole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// A pool as it stands on the reference day: every season in the games
// table, 2009 finished, 2010 scored through the reference day, and 100
// players with their pick files.
class Pool {
public:
    Pool() {
        std::string pattern = (fs::temp_directory_path() / "gridslate-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary folder");
        m_home = pattern;
        State = ProgramState{};
        Actions_Load(m_home);
        fs::create_directories(State.ProgramFolder);
        State.SeasonYear = "2010";
        fillGamesTable();
        addPlayers();
    }
    ~Pool() {
        std::error_code ec;
        fs::remove_all(m_home, ec);
    }

private:
    void fillGamesTable() {
        ScheduleParse parse = parseSchedule(readWhole(GS_SCHEDULES_CSV));
        if (!parse.ok)
            throw std::runtime_error(parse.error);
        for (GameRecord& record : parse.records) {
            bool running = numericValue(record.year) == 2010;
            if (numericValue(record.year) > 2010 || (running && !onOrBeforeReference(record.date)))
                record.visitorScore = record.homeScore = "";
        }
        std::string error;
        auto table = GamesTable::open(gamesDatabasePath(), error);
        if (!table || !table->replaceSeasons(parse.records, error))
            throw std::runtime_error(error);
    }

    void addPlayers() {
        for (int k = 1; k <= kPlayers; ++k) {
            UserSlot& slot = State.UserTable[k];
            slot.name = k == 1 ? "admin" : k == 2 ? "PC" : "player" + std::to_string(k);
            slot.folder = programFolderText();
            slot.active = 1;
            slot.admin = k == 1;
            State.List4.entries.push_back(slot.name);
            State.List5.entries.push_back(slot.name);
        }
        for (int k = 1; k <= kPlayers; ++k) {
            if (k == 2)
                continue;
            State.PicksTable = PickTable{};
            for (int w = 1; w <= 8; ++w)
                for (int t = 1 + (k + w) % 2; t <= kTeamCount; t += 2)
                    State.PicksTable[w][t] = 1;
            SavePicks(State.UserTable[k].name);
        }
        State.CurrentUser = "player42";
    }

    fs::path m_home;
};

// Everything the menu command runs before the panel is drawn: the season's
// games, the player's picks, the week, the team records, the computer
// player and the grid model of the current week.
void openWeeklyPicks() {
    mnuItemThisWeek_Click();
}

void bench_open_weekly_picks(benchmark::State& state) {
    Pool pool;
    openWeeklyPicks(); // the first run writes last season's old-scores file
    for (auto _ : state) {
        openWeeklyPicks();
        benchmark::DoNotOptimize(State.SpreadTable.data());
    }
}
BENCHMARK(bench_open_weekly_picks)->Unit(benchmark::kMillisecond);

// The same when the computer player's file has to be written again, as on
// the first opening after new scores: dominated by the flush to disk.
void bench_open_weekly_picks_saving_pc(benchmark::State& state) {
    Pool pool;
    openWeeklyPicks();
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove(pickFilePath(kComputerPlayer));
        state.ResumeTiming();
        openWeeklyPicks();
    }
}
BENCHMARK(bench_open_weekly_picks_saving_pc)->Unit(benchmark::kMillisecond);

// The parts on their own, to see where the time goes.
void bench_rebuild_season_games(benchmark::State& state) {
    Pool pool;
    for (auto _ : state)
        RebuildSeasonGames();
}
BENCHMARK(bench_rebuild_season_games)->Unit(benchmark::kMillisecond);

void bench_project_teams(benchmark::State& state) {
    Pool pool;
    RebuildSeasonGames();
    ProjectTeams();
    for (auto _ : state)
        ProjectTeams();
}
BENCHMARK(bench_project_teams)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
