#include "core/latechange.h"
#include "tests/support/namedcases.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

constexpr const char* kNy = "America/New_York";
constexpr const char* kChi = "America/Chicago";

// A game of September 2021 ("12": the 12th, "12 16:25" with its kickoff,
// Eastern), the values held and received (0: none), the pool's moments of
// the last download ("": never), the file's time ("": not told) and now
// ("13": a fixed day, "14 12:05" on New York's clock), and whether the
// received value is taken, on a machine in `zone`.
struct ChangeCase : test::NamedCase {
    const char* game;
    int held;
    int received;
    const char* lastDownload;
    const char* sent;
    const char* now;
    bool taken;
    const char* zone = kNy;
};

class LateChange : public testing::TestWithParam<ChangeCase> {};

TEST_P(LateChange, TakesAChangeOnlyWhileItsGameWasOpen) {
    const ChangeCase& c = GetParam();
    TimeZone ny = TimeZone::named(kNy).value(), zone = TimeZone::named(c.zone).value();
    auto day = [](std::string_view text) {
        return *Date::parse("9/" + std::string(text.substr(0, text.find(' '))) + "/2021");
    };
    auto at = [&](std::string_view text) { // "12 16:25"
        std::string hhmm(text.substr(3));
        auto minutes = std::chrono::minutes(60 * std::stoi(hhmm) + std::stoi(hhmm.substr(3)));
        return *PoolMoment::at(day(text), minutes, ny).instant();
    };
    auto moment = [&](std::string_view text) {
        return text.size() < 3 ? PoolMoment::ofDay(day(text)) : PoolMoment::now(at(text), zone);
    };
    Team team = *Team::ofNumber(1);
    Game game{team, team, day(c.game), {}, {}, 1, 2021, {}};
    if (std::string_view(c.game).size() > 3)
        game.kickoff = Kickoff::parse(*game.date, c.game + 3).value();
    auto value = [](int v) { return v ? GameValue(v) : std::nullopt; };
    DownloadTimes times{{}, {}, moment(c.now)};
    if (*c.lastDownload)
        times.lastDownload = moment(c.lastDownload);
    if (*c.sent)
        times.sent = at(c.sent);

    LateChangeMerge merge =
        mergeLateChanges({game}, {value(c.held)}, {value(c.received)}, times, zone);
    EXPECT_EQ(merge.values[0], value(c.taken ? c.received : c.held));
    EXPECT_EQ(merge.refused.size(), c.taken ? 0u : 1u);
}

// The game kicks off at 16:25 on Sunday 9/12/2021.
constexpr const char* kGame = "12 16:25";
using C = ChangeCase;
INSTANTIATE_TEST_SUITE_P(
    Cases, LateChange,
    testing::Values(
        C{"OpenGameTakesTheChange", kGame, 1, 2, "10 09:00", "12 12:00", "12 12:05", true},
        C{"SameValueAfterKickoff", kGame, 2, 2, "13 09:00", "14 12:00", "14 12:05", true},
        C{"LockedAtLastDownload", kGame, 1, 2, "12 17:00", "12 12:00", "14 12:05", false},
        C{"RemovedAfterKickoff", kGame, 2, 0, "12 17:00", "13 12:00", "14 12:05", false},
        C{"KickedOffSinceSentBefore", kGame, 1, 2, "10 09:00", "12 16:24", "14 12:05", true},
        C{"KickedOffSinceSentAtKickoff", kGame, 1, 2, "10 09:00", "12 16:25", "14 12:05", false},
        C{"FirstTimeSentBeforeKickoff", kGame, 0, 2, "", "12 12:00", "14 12:05", true},
        C{"FirstTimeSentAfterKickoff", kGame, 0, 2, "", "12 17:00", "14 12:05", false},
        // A file time after the download (a clock ahead), or none, counts as now.
        C{"FileTimeAheadOfTheDownload", kGame, 1, 2, "10 09:00", "13 12:00", "12 12:05", true},
        C{"FileTimeNotTold", kGame, 1, 2, "10 09:00", "", "14 12:05", false},
        // Without a kickoff a game locks as its day starts on this machine.
        C{"NoKickoffLockedAtMidnight", "12", 1, 2, "10 09:00", "12 00:30", "14 12:05", false},
        C{"NoKickoffOpenInChicago", "12", 1, 2, "10 09:00", "12 00:30", "14 12:05", true, kChi},
        // A fixed day locks its games from its start; a file time on it counts as the day.
        C{"FixedDayFileSentTheDayBefore", kGame, 1, 2, "10", "11 10:00", "13", true},
        C{"FixedDayFileSentThatDay", kGame, 1, 2, "10", "12 10:00", "12", false},
        C{"FixedDayOfTheLastDownload", kGame, 1, 2, "12", "11 10:00", "13", false}),
    test::caseName);

} // namespace
} // namespace gs
