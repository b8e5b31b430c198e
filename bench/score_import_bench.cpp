// Entering a whole data-set games file of the seven bundled seasons into a
// games table whose scores are all empty: reading the table, planning and
// the one transaction that writes 1,792 scores.

#include "schedule/gamesdb.h"
#include "schedule/importer.h"
#include "scores/scoreimport.h"
#include "tests/support/sampledata.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <stdlib.h>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace gs;

// A games table file of the seven seasons without scores, copied fresh
// before every run, and the data-set file holding their scores.
class Fixture {
public:
    Fixture() {
        std::string pattern = (fs::temp_directory_path() / "gridslate-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary folder");
        m_folder = pattern;
        std::vector<GameRecord> games = sample::bundledGames();
        csv = sample::dataSetGamesFile(games, sample::DataSetColumns::Full);
        for (GameRecord& record : games)
            record.visitorScore = record.homeScore = "";
        auto table = GamesTable::create(m_folder / "empty.mdb");
        Status stored = table ? (*table)->replaceSeasons(games) : Status(failure(table.error()));
        if (!stored)
            throw std::runtime_error(stored.error().message);
    }
    ~Fixture() {
        std::error_code ec;
        fs::remove_all(m_folder, ec);
    }

    fs::path freshTable() const {
        fs::path path = m_folder / "scoresheet97.mdb";
        fs::copy_file(m_folder / "empty.mdb", path, fs::copy_options::overwrite_existing);
        return path;
    }

    // The data-set file on disk.
    fs::path writeCsv() const {
        fs::path path = m_folder / "games.csv";
        std::ofstream out(path, std::ios::binary);
        out << csv;
        if (!out.flush())
            throw std::runtime_error("cannot write " + path.string());
        return path;
    }

    std::string csv;

private:
    fs::path m_folder;
};

std::unique_ptr<GamesTable> openTable(const fs::path& path) {
    auto table = GamesTable::open(path);
    if (!table)
        throw std::runtime_error(table.error().message);
    return std::move(*table);
}

// What the command and the window run: read the table, plan, write.
void bench_score_import(benchmark::State& state) {
    Fixture fixture;
    for (auto _ : state) {
        state.PauseTiming();
        fs::path path = fixture.freshTable();
        state.ResumeTiming();
        auto table = openTable(path);
        std::vector<GameRecord> games = table->records().value();
        ScoreImportPlan plan = planScoreImport(fixture.csv, games, {});
        ScoreImportResult result = applyScoreImport(*table, plan);
        if (!result.ok || result.counts.entered != 1792)
            state.SkipWithError(result.summary.c_str());
    }
    state.counters["rows"] = 1792;
}
BENCHMARK(bench_score_import)->Unit(benchmark::kMillisecond);

// The same through importScoreFile, as the command and the window call it:
// the file read from disk as well.
void bench_score_import_file(benchmark::State& state) {
    Fixture fixture;
    fs::path csv = fixture.writeCsv();
    for (auto _ : state) {
        state.PauseTiming();
        fs::path path = fixture.freshTable();
        state.ResumeTiming();
        auto table = openTable(path);
        ScoreImportResult result = importScoreFile(*table, csv, {});
        if (!result.ok || result.counts.entered != 1792)
            state.SkipWithError(result.summary.c_str());
    }
    state.counters["rows"] = 1792;
}
BENCHMARK(bench_score_import_file)->Unit(benchmark::kMillisecond);

// The parts on their own, to see where the time goes.
void bench_score_import_read_table(benchmark::State& state) {
    Fixture fixture;
    auto table = openTable(fixture.freshTable());
    for (auto _ : state)
        benchmark::DoNotOptimize(table->records());
}
BENCHMARK(bench_score_import_read_table)->Unit(benchmark::kMillisecond);

void bench_score_import_plan(benchmark::State& state) {
    Fixture fixture;
    auto table = openTable(fixture.freshTable());
    std::vector<GameRecord> games = table->records().value();
    for (auto _ : state)
        benchmark::DoNotOptimize(planScoreImport(fixture.csv, games, {}));
}
BENCHMARK(bench_score_import_plan)->Unit(benchmark::kMillisecond);

void bench_score_import_write(benchmark::State& state) {
    Fixture fixture;
    for (auto _ : state) {
        state.PauseTiming();
        auto table = openTable(fixture.freshTable());
        ScoreImportPlan plan = planScoreImport(fixture.csv, table->records().value(), {});
        state.ResumeTiming();
        benchmark::DoNotOptimize(applyScoreImport(*table, plan));
    }
}
BENCHMARK(bench_score_import_write)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
