#include "core/latechange.h"
#include "tests/support/namedcases.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

constexpr const char* kNy = "America/New_York";
constexpr const char* kChi = "America/Chicago";

TimeZone zoneOf(const char* name) {
    return TimeZone::named(name).value();
}
// "M/D/YYYY HH:MM" on a clock in New York.
std::chrono::sys_seconds at(std::string_view text) {
    return *parsePoolMoment(text, zoneOf(kNy), {}).value().instant();
}

// The pool's moment on a machine in the zone: an instant ("M/D/YYYY HH:MM"
// in New York) or a fixed day ("M/D/YYYY").
PoolMoment momentOf(std::string_view text, const TimeZone& zone) {
    if (text.find(' ') == text.npos)
        return PoolMoment::ofDay(*Date::parse(text));
    return PoolMoment::now(at(text), zone);
}

// A game ("M/D/YYYY", or with its kickoff "M/D/YYYY HH:MM" Eastern), the
// values held and received (0: none), the pool's moments of the last download
// ("": never), the file's time ("": not told) and now, and whether the
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
    std::string_view text = c.game;
    Team team = *Team::ofNumber(1);
    Game game{team, team, Date::parse(text.substr(0, text.find(' '))), {}, {}, 1, 2021, {}};
    if (text.find(' ') != text.npos)
        game.kickoff = Kickoff::parse(*game.date, text.substr(text.find(' ') + 1)).value();
    auto value = [](int v) { return v ? GameValue(v) : std::nullopt; };
    TimeZone zone = zoneOf(c.zone);
    DownloadTimes times{{}, {}, momentOf(c.now, zone)};
    if (*c.lastDownload)
        times.lastDownload = momentOf(c.lastDownload, zone);
    if (*c.sent)
        times.sent = at(c.sent);

    LateChangeMerge merge =
        mergeLateChanges({game}, {value(c.held)}, {value(c.received)}, times, zone);
    EXPECT_EQ(merge.values[0], value(c.taken ? c.received : c.held));
    EXPECT_EQ(merge.refused.size(), c.taken ? 0u : 1u);
}

// The game kicks off at 16:25 on Sunday 9/12/2021 (Eastern).
constexpr const char* kGame = "9/12/2021 16:25";
INSTANTIATE_TEST_SUITE_P(
    Cases, LateChange,
    testing::Values(ChangeCase{"OpenGameTakesTheChange", kGame, 1, 2, "9/10/2021 09:00",
                               "9/12/2021 12:00", "9/12/2021 12:05", true},
                    ChangeCase{"SameValueAfterKickoff", kGame, 2, 2, "9/13/2021 09:00",
                               "9/14/2021 12:00", "9/14/2021 12:05", true},
                    ChangeCase{"KickedOffAtLastDownloadWhateverTheFileTime", kGame, 1, 2,
                               "9/12/2021 17:00", "9/12/2021 12:00", "9/14/2021 12:05", false},
                    ChangeCase{"RemovedAfterKickoff", kGame, 2, 0, "9/12/2021 17:00",
                               "9/13/2021 12:00", "9/14/2021 12:05", false},
                    ChangeCase{"KickedOffSinceSentBefore", kGame, 1, 2, "9/10/2021 09:00",
                               "9/12/2021 16:24", "9/14/2021 12:05", true},
                    ChangeCase{"KickedOffSinceSentAtKickoff", kGame, 1, 2, "9/10/2021 09:00",
                               "9/12/2021 16:25", "9/14/2021 12:05", false},
                    ChangeCase{"FirstTimeSentBeforeKickoff", kGame, 0, 2, "", "9/12/2021 12:00",
                               "9/14/2021 12:05", true},
                    ChangeCase{"FirstTimeSentAfterKickoffIsDropped", kGame, 0, 2, "",
                               "9/12/2021 17:00", "9/14/2021 12:05", false},
                    // A clock running ahead gives no later time than the download's.
                    ChangeCase{"FileTimeAheadOfTheDownload", kGame, 1, 2, "9/10/2021 09:00",
                               "9/13/2021 12:00", "9/12/2021 12:05", true},
                    // Without a kickoff a game locks as its day starts on this machine:
                    // 0:30 in New York is still the day before in Chicago.
                    ChangeCase{"NoKickoffLockedAtMidnight", "9/12/2021", 1, 2, "9/10/2021 09:00",
                               "9/12/2021 00:30", "9/14/2021 12:05", false},
                    ChangeCase{"NoKickoffOpenInChicago", "9/12/2021", 1, 2, "9/10/2021 09:00",
                               "9/12/2021 00:30", "9/14/2021 12:05", true, kChi},
                    // A place that does not tell the file's time has it sent now.
                    ChangeCase{"FileTimeNotTold", kGame, 1, 2, "9/10/2021 09:00", "",
                               "9/14/2021 12:05", false},
                    // A pool on a fixed day: the day locks its games from its start,
                    // and a file time on or after it counts as the day.
                    ChangeCase{"FixedDayTakesAFileSentTheDayBefore", kGame, 1, 2, "9/10/2021",
                               "9/11/2021 10:00", "9/13/2021", true},
                    ChangeCase{"FixedDayRefusesAFileSentThatDay", kGame, 1, 2, "9/10/2021",
                               "9/12/2021 10:00", "9/12/2021", false},
                    ChangeCase{"FixedDayOfTheLastDownload", kGame, 1, 2, "9/12/2021",
                               "9/11/2021 10:00", "9/13/2021", false}),
    test::caseName);

} // namespace
} // namespace gs
