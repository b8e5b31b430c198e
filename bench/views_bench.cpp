// The views where players compare themselves, on a big pool: 100 active
// players with their pick files and the full 256-game 2010 season, every
// game scored and every pick revealed. Each view is measured as the person
// sees it (the View menu command, then the window painted offscreen) and as
// the logic alone.

#include "core/dialogs.h"
#include "core/pool.h"
#include "core/textfile.h"
#include "core/userlist.h"
#include "export/csvexports.h"
#include "picks/allresults.h"
#include "schedule/calendar.h"
#include "schedule/importer.h"
#include "schedule/pickfiles.h"
#include "schedule/seasongames.h"
#include "stats/teamviews.h"
#include "stats/userstatistics.h"
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

constexpr int kPlayers = 100;

class QuietDialogs final : public Dialogs {
public:
    void message(MessageKind, const std::string& text, const std::string&) override {
        lastMessage = text;
    }
    bool confirm(const std::string&, const std::string&) override { return true; }
    std::string input(const std::string&, const std::string&, const std::string&) override {
        return {};
    }
    std::string lastMessage;
};

// A home with the games table, the user list and every player's pick file.
class BigPool {
public:
    BigPool() : m_home(makeHome()), pool(m_home) {
        fs::create_directories(pool.folders.program);
        if (Status imported = importSchedule(pool, GS_SCHEDULES_CSV); !imported)
            throw std::runtime_error(imported.error());
        // Every game of 2010 is played: every pick is revealed and judged.
        pool.referenceDate = "3/1/2011";
        writeUserList();
        pool.currentUser = kAdminUser;
        if (!loadUserList(pool))
            throw std::runtime_error("cannot load the user list");
        fillUserLists(pool);
        writePickFiles();
    }
    ~BigPool() {
        std::error_code ec;
        fs::remove_all(m_home, ec);
    }

private:
    static fs::path makeHome() {
        std::string pattern = (fs::temp_directory_path() / "gridslate-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary folder");
        return pattern;
    }

    void writeUserList() {
        std::string folder = pool.programFolderText();
        std::vector<std::string> lines = {"2010", "admin,1,9,1,,0," + folder,
                                          "PC,1,1,0,,0," + folder};
        for (int k = 3; k <= kPlayers; ++k)
            lines.push_back("player" + std::to_string(k) + ",1,1,0,,0," + folder);
        if (!writeLinesAtomic(pool.folders.program / "UserList.db", lines))
            throw std::runtime_error("cannot write the user list");
    }

    // Each player picks the visiting or the home team of every game, by a
    // pattern of his own, so that the board is full of green and red.
    void writePickFiles() {
        Result<Season> season = rebuildSeasonGames(pool);
        if (!season)
            throw std::runtime_error(season.error());
        for (int k = 1; k <= kPlayers; ++k) {
            std::string name = pool.users[k].name;
            if (name == kComputerPlayer)
                continue;
            PickTable picks{};
            WeekTracker tracker;
            int week = 1;
            int game = 0;
            for (const SeasonGame& g : season->games) {
                if (tracker.isBoundary(g.date) && week < kWeeks)
                    ++week;
                bool home = (game++ * 7 + k) % 3 != 0;
                picks[week][teamNumber(home ? g.home : g.visitor)] = 1;
            }
            if (!savePicks(pool, name, picks))
                throw std::runtime_error("cannot write a pick file");
        }
    }

    fs::path m_home;

public:
    Pool pool;
    QuietDialogs dialogs;
};

// The main window on the big pool, logged in as admin.
struct Window {
    BigPool big;
    MainWindow window{big.pool, big.dialogs};

    Window() {
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
    Window w;
    w.openAndShow("allResultsAction");
    for (auto _ : state)
        w.openAndShow("allResultsAction");
    if (w.shape("allResultsGrid") != std::pair{256 + 1, 7 + kPlayers})
        state.SkipWithError("the board is not 256 games (and the totals) by 100 players");
}
BENCHMARK(bench_all_results_open_and_show)->Unit(benchmark::kMillisecond);

void bench_all_results_panel_only(benchmark::State& state) {
    BigPool big;
    AllResultsPanel panel(big.pool, big.dialogs);
    for (auto _ : state) {
        panel.open();
        benchmark::DoNotOptimize(panel.model().grid.rows());
    }
}
BENCHMARK(bench_all_results_panel_only)->Unit(benchmark::kMillisecond);

void bench_user_statistics_open_and_show(benchmark::State& state) {
    Window w;
    w.openAndShow("userStatisticsAction");
    for (auto _ : state)
        w.openAndShow("userStatisticsAction");
    if (w.shape("totalsGrid").first != kPlayers)
        state.SkipWithError("the totals do not hold 100 players");
}
BENCHMARK(bench_user_statistics_open_and_show)->Unit(benchmark::kMillisecond);

void bench_user_statistics_panel_only(benchmark::State& state) {
    BigPool big;
    UserStatisticsPanel panel(big.pool, big.dialogs);
    for (auto _ : state) {
        panel.open();
        benchmark::DoNotOptimize(panel.model().totalsGrid.rows());
    }
}
BENCHMARK(bench_user_statistics_panel_only)->Unit(benchmark::kMillisecond);

// A click on a team of "Team Statistics" (two teams in turn, so that every
// click changes the team), the detail box painted.
void bench_team_detail_click(benchmark::State& state) {
    Window w;
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
BENCHMARK(bench_team_detail_click)->Unit(benchmark::kMillisecond);

void bench_team_detail_logic_only(benchmark::State& state) {
    BigPool big;
    TeamStatisticsPanel panel(big.pool, big.dialogs);
    panel.open();
    int row = 0;
    for (auto _ : state) {
        row = row == 18 ? 19 : 18;
        panel.showTeam(row);
        benchmark::DoNotOptimize(panel.detail().wins.caption.data());
    }
}
BENCHMARK(bench_team_detail_logic_only)->Unit(benchmark::kMillisecond);

void bench_team_ranking_open_and_show(benchmark::State& state) {
    Window w;
    for (auto _ : state)
        w.openAndShow("teamRankingAction");
}
BENCHMARK(bench_team_ranking_open_and_show)->Unit(benchmark::kMillisecond);

// "Export" > "All-User Pick Results" from the window, its progress bar
// painted as it goes, against the same export as the command line runs it:
// the window may take at most 50 ms longer.
void bench_export_results_from_the_window(benchmark::State& state) {
    Window w;
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
            state.SkipWithError(written.error().c_str());
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
