#pragma once

// The late-change rule (core/latechange.h) applied to a received pick file:
// a pick of a game is the value the rule compares, and a pick it refuses is
// put back as held into the received file's week line, every other byte of
// the file staying as it came.

#include "core/latechange.h"
#include "core/result.h"
#include "core/season.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace gs {

// A player's pick of each game of the season, in the games' order: 1 the
// visiting team, 2 the home team, 3 both (a damaged line), none for neither.
std::vector<GameValue> gamePicks(const Season& season, const std::vector<int>& weeks,
                                 const PickTable& picks);

struct ReceivedPicks {
    // The lines to install in place of the received file; none when it is
    // installed as it came.
    std::optional<std::vector<std::string>> lines;
    // One sentence for each refused pick: "Ann: the pick of Kansas City
    // Chiefs at Philadelphia Eagles (week 1) changed after its kickoff;
    // kept PHI".
    std::vector<std::string> refusals;
};

// Merges the received pick file of a player with the copy held (a missing
// or unreadable one holds no pick). Fails only when the received file
// cannot be read.
Result<ReceivedPicks> mergeReceivedPicks(const Season& season, const std::string& player,
                                         const std::filesystem::path& held,
                                         const std::filesystem::path& received,
                                         const DownloadTimes& times, const TimeZone& zone);

// The same rule for a received tiebreaker file (guesses and confidence
// values): a game's confidence value, and a week's guess as a value of the
// game it was made for, change only while that game is open. A refused
// value is put back as held and the file installed is written afresh;
// "Ann: the tiebreaker of week 1 (Los Angeles Rams at Atlanta Falcons)
// changed after its kickoff; kept 45", "Ann: the confidence of ... (week 1)
// changed after its kickoff; kept 5" name each one.
Result<ReceivedPicks> mergeReceivedExtras(const Season& season, const std::string& player,
                                          const std::filesystem::path& held,
                                          const std::filesystem::path& received,
                                          const DownloadTimes& times, const TimeZone& zone);

} // namespace gs
