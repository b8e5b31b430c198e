// The old-scores file "oldscores<season>.dat": the 32 teams' final records
// of a season, which start the next season's projections.

#include "fuzzhome.h"

#include "schedule/pickfiles.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace gs;
    constexpr int kYear = 2009;
    const fuzz::FuzzHome& home = fuzz::FuzzHome::instance();
    home.writeDataFile("oldscores" + std::to_string(kYear) + ".dat", data, size);

    TeamRecordTable records = emptyTeamRecords();
    if (!readOldScores(home.folders(), kYear, records))
        std::abort(); // the file exists and is readable
    return 0;
}
