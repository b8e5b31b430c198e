// The views where players compare themselves, on a big pool: 100 active
// players with their pick files and a whole season, every game scored and
// every pick revealed: 2010 (17 weeks, 256 games) and 2021 (18 weeks, 272
// games), the benchmark's argument. Each view is measured as the person sees
// it (the View menu command, then the window painted offscreen) and as the
// logic alone.

#include "bigpool.h"
#include "core/dialogs.h"
#include "core/pool.h"
#include "core/textfile.h"
#include "core/userlist.h"
#include "export/csvexports.h"
#include "results/allresults.h"
#include "results/teamviews.h"
#include "results/userstatistics.h"
#include "schedule/calendar.h"
#include "schedule/importer.h"
#include "schedule/pickfiles.h"
#include "schedule/seasongames.h"
#include "ui/gridtableview.h"
#include "ui/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace gs;
using bench::BigPool;
using bench::kPlayers;

// The seasons each view is measured on.
void onBothSeasons(benchmark::internal::Benchmark* bench) {
    bench->ArgName("season")->Arg(2010)->Arg(2021)->Unit(benchmark::kMillisecond);
}

int seasonOf(const benchmark::State& state) {
    return static_cast<int>(state.range(0));
}

// The main window on the big pool, logged in as admin.
struct Window {
    BigPool big;
    MainWindow window{big.pool, big.dialogs};

    explicit Window(int season) : big(season) {
        window.resize(1100, 720);
        window.show();
        window.findChild<QLineEdit*>("userNameEdit")->setText("admin");
        window.findChild<QPushButton*>("loginButton")->click();
        QApplication::processEvents();
    }
    // Rows and columns of a grid of the window, to check what was measured.
    std::pair<int, int> shape(const char* grid) {
        auto* view = window.findChild<GridTableView*>(grid);
        return {view->model()->rowCount(), view->model()->columnCount()};
    }
    // The menu command, then the window painted as it would be on screen.
    void openAndShow(const char* action) {
        window.findChild<QAction*>(action)->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        window.repaint();
    }
};

void bench_all_results_open_and_show(benchmark::State& state) {
    Window w(seasonOf(state));
    w.openAndShow("allResultsAction");
    for (auto _ : state)
        w.openAndShow("allResultsAction");
    int games = seasonShape(seasonOf(state)).maxGames;
    if (w.shape("allResultsGrid") != std::pair{games + 1, 7 + kPlayers + 1})
        state.SkipWithError("the board is not the season's games (and the totals) by 100 players "
                            "and the week winners");
}
BENCHMARK(bench_all_results_open_and_show)->Apply(onBothSeasons);

void bench_all_results_panel_only(benchmark::State& state) {
    BigPool big(seasonOf(state));
    AllResultsPanel panel(big.pool, big.dialogs);
    for (auto _ : state) {
        panel.open();
        benchmark::DoNotOptimize(panel.model().grid.rows());
    }
}
BENCHMARK(bench_all_results_panel_only)->Apply(onBothSeasons);

void bench_user_statistics_open_and_show(benchmark::State& state) {
    Window w(seasonOf(state));
    w.openAndShow("userStatisticsAction");
    for (auto _ : state)
        w.openAndShow("userStatisticsAction");
    if (w.shape("totalsGrid").first != kPlayers)
        state.SkipWithError("the totals do not hold 100 players");
    // A row a week under the fixed header, the season's last week included.
    if (w.shape("leftWeeksGrid").first != seasonShape(seasonOf(state)).weeks)
        state.SkipWithError("the weekly table does not show every week of the season");
}
BENCHMARK(bench_user_statistics_open_and_show)->Apply(onBothSeasons);

void bench_user_statistics_panel_only(benchmark::State& state) {
    BigPool big(seasonOf(state));
    UserStatisticsPanel panel(big.pool, big.dialogs);
    for (auto _ : state) {
        panel.open();
        benchmark::DoNotOptimize(panel.model().totalsGrid.rows());
    }
}
BENCHMARK(bench_user_statistics_panel_only)->Apply(onBothSeasons);

// A click on a team of "Team Statistics" (two teams in turn, so that every
// click changes the team), the detail box painted.
void bench_team_detail_click(benchmark::State& state) {
    Window w(seasonOf(state));
    w.openAndShow("teamStatisticsAction");
    auto* teams = w.window.findChild<QListWidget*>("teamList");
    int row = 0;
    for (auto _ : state) {
        row = row == 18 ? 19 : 18;
        teams->setCurrentRow(row);
        w.window.repaint();
    }
    if (w.window.findChild<QWidget*>("teamDetailBox")->isHidden())
        state.SkipWithError("the detail box did not open");
}
BENCHMARK(bench_team_detail_click)->Apply(onBothSeasons);

void bench_team_detail_logic_only(benchmark::State& state) {
    BigPool big(seasonOf(state));
    TeamStatisticsPanel panel(big.pool, big.dialogs);
    panel.open();
    int row = 0;
    for (auto _ : state) {
        row = row == 18 ? 19 : 18;
        panel.showTeam(row);
        benchmark::DoNotOptimize(panel.detail().wins.caption.data());
    }
}
BENCHMARK(bench_team_detail_logic_only)->Apply(onBothSeasons);

void bench_team_ranking_open_and_show(benchmark::State& state) {
    Window w(2010);
    for (auto _ : state)
        w.openAndShow("teamRankingAction");
}
BENCHMARK(bench_team_ranking_open_and_show)->Unit(benchmark::kMillisecond);

// "Export" > "All-User Pick Results" from the window, its progress bar
// painted as it goes, against the same export as the command line runs it:
// the window may take at most 50 ms longer.
void bench_export_results_from_the_window(benchmark::State& state) {
    Window w(2010);
    auto* entry = w.window.findChild<QAction*>("exportResultsAction");
    for (auto _ : state)
        entry->trigger();
    if (w.big.dialogs.lastMessage.find("Export Complete") == std::string::npos)
        state.SkipWithError(w.big.dialogs.lastMessage.c_str());
}
BENCHMARK(bench_export_results_from_the_window)->Unit(benchmark::kMillisecond);

void bench_export_results_as_the_command(benchmark::State& state) {
    BigPool big;
    for (auto _ : state) {
        Result<ExportOutcome> written = exportPickResults(big.pool);
        if (!written)
            state.SkipWithError(written.error().message.c_str());
    }
}
BENCHMARK(bench_export_results_as_the_command)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
