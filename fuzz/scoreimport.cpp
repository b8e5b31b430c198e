// A CSV of final scores, in either layout a score import reads, planned
// against a small games table: weeks 1 to 3 of 2010 from the bundled
// schedules, week 1 scored as the window enters scores, week 2 as an import
// writes them, week 3 still to play, and two records no import can match.

#include "scores/scoreimport.h"
#include "core/textfile.h"
#include "schedule/importer.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::vector<gs::GameRecord> smallTable() {
    gs::Result<std::string> bytes = gs::readFileBytes(GS_FUZZ_SCHEDULES_CSV);
    if (!bytes) {
        std::fprintf(stderr, "%s: %s\n", GS_FUZZ_SCHEDULES_CSV, bytes.error().message.c_str());
        std::abort();
    }
    gs::ScheduleParse parse = gs::parseSchedule(*bytes);
    if (!parse.ok)
        std::abort();
    std::vector<gs::GameRecord> games;
    long long rowid = 0;
    for (const gs::GameRecord& record : parse.records) {
        if (record.year != "2010")
            continue;
        gs::GameRecord game = record;
        game.rowid = ++rowid;
        if (games.size() < 16) {
            game.visitorScore = " " + record.visitorScore;
            game.homeScore = " " + record.homeScore;
        } else if (games.size() >= 32) {
            game.visitorScore.clear();
            game.homeScore.clear();
        }
        games.push_back(std::move(game));
        if (games.size() == 48)
            break;
    }
    // The same game twice, and a record whose year is no number.
    games.push_back(games.back());
    games.push_back({"N.Y. Jets", "Miami Dolphins", "12/26/2010", "", "", "20x0"});
    for (gs::GameRecord* twice : {&games[games.size() - 2], &games.back()})
        twice->rowid = ++rowid;
    return games;
}

void plan(std::string_view text, const std::vector<gs::GameRecord>& games,
          const gs::ScoreImportOptions& options) {
    gs::ScoreImportPlan plan = gs::planScoreImport(text, games, options);
    if (!plan.accepted() && !plan.changes.empty())
        std::abort(); // a refused file never writes a score
    if (gs::describeScoreImport(plan).empty())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::vector<gs::GameRecord> games = smallTable();
    std::string_view text(reinterpret_cast<const char*>(data), size);
    plan(text, games, {});
    plan(text, games, {2010, true});
    return 0;
}
