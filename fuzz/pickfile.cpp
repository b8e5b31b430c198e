// A pick file "<name><season>.dat": 17 week lines of picks, then the pool
// order (a human player) or 256 spreads (the computer player); and the same
// bytes as the tiebreaker file beside it. Both travel between the players'
// machines with the exchange.

#include "fuzzhome.h"

#include "schedule/pickextras.h"
#include "schedule/pickfiles.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace gs;
    const fuzz::FuzzHome& home = fuzz::FuzzHome::instance();
    // No user list: both players' files live in the data folder.
    Pool pool(home.path());
    home.writeDataFile(std::string(kComputerPlayer) + std::to_string(pool.seasonYear()) + ".dat",
                       data, size);

    // The computer player's reading takes the spreads as well.
    Result<PlayerPicks> computer = loadPicks(pool, kComputerPlayer);
    if (!computer)
        std::abort(); // the file exists and is readable
    Result<PickFileContent> content =
        readPickFile(pickFilePath(pool, kComputerPlayer), poolSeasonShape(pool));
    if (!content)
        std::abort();
    (void)spreadsFromLines(content->extraLines, poolSeasonShape(pool));

    // The same bytes as a tiebreaker file: read leniently, and what was read
    // is written back and read again unchanged.
    home.writeDataFile(extrasFileName(kComputerPlayer, pool.seasonYear()), data, size);
    Result<ExtrasTable> extras = loadExtras(pool, kComputerPlayer);
    if (!extras)
        std::abort();
    if (parseExtras(extrasLines(*extras, poolSeasonShape(pool)), poolSeasonShape(pool)) != *extras)
        std::abort();
    return 0;
}
