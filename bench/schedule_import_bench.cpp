// Importing the six seasons 2016 to 2021 of the real community games file
// into a pool that holds the bundled seasons: parsing the file, merging it
// into the table, and the one transaction that writes it. Then the same
// file once more, which finds every game in place and writes nothing.

#include "core/pool.h"
#include "core/textfile.h"
#include "schedule/importer.h"
#include "schedule/seasongames.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <stdexcept>
#include <stdlib.h>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace gs;

// A pool with the bundled seasons only, its table copied fresh before every
// run.
class Fixture {
public:
    Fixture() {
        std::string pattern = (fs::temp_directory_path() / "gridslate-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary folder");
        m_home = pattern;
        pool = std::make_unique<Pool>(m_home);
        fs::create_directories(pool->folders().program);
        if (Status created = ensureGamesTable(*pool); !created)
            throw std::runtime_error(created.error().message);
        fs::copy_file(pool->gamesDatabasePath(), m_home / "bundled.mdb");
        Result<std::string> bytes = readFileBytes(GS_COMMUNITY_CSV);
        if (!bytes)
            throw std::runtime_error(std::string(GS_COMMUNITY_CSV) + ": " + bytes.error().message);
        csv = std::move(*bytes);
    }
    ~Fixture() {
        std::error_code ec;
        fs::remove_all(m_home, ec);
    }
    void freshTable() const {
        fs::copy_file(m_home / "bundled.mdb", pool->gamesDatabasePath(),
                      fs::copy_options::overwrite_existing);
    }

    std::unique_ptr<Pool> pool;
    std::string csv;

private:
    fs::path m_home;
};

void import(const Fixture& fixture, bool expectChange) {
    ScheduleImportResult result = importScheduleText(*fixture.pool, fixture.csv, {});
    if (!result.ok || result.changed != expectChange)
        throw std::runtime_error(result.summary);
}

// The first import: 1,552 games added to the table.
void bench_import_six_seasons(benchmark::State& state) {
    Fixture fixture;
    for (auto _ : state) {
        state.PauseTiming();
        fixture.freshTable();
        state.ResumeTiming();
        import(fixture, true);
    }
}
BENCHMARK(bench_import_six_seasons)->Unit(benchmark::kMillisecond);

// The same file again: read, parsed and compared, nothing written.
void bench_import_six_seasons_again(benchmark::State& state) {
    Fixture fixture;
    fixture.freshTable();
    import(fixture, true);
    for (auto _ : state)
        import(fixture, false);
}
BENCHMARK(bench_import_six_seasons_again)->Unit(benchmark::kMillisecond);

// Parsing alone.
void bench_parse_six_seasons(benchmark::State& state) {
    Fixture fixture;
    for (auto _ : state) {
        ScheduleParse parse = parseSchedule(fixture.csv);
        benchmark::DoNotOptimize(parse);
    }
}
BENCHMARK(bench_parse_six_seasons)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
