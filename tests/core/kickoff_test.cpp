#include "core/kickoff.h"
#include "tests/support/namedcases.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

namespace chr = std::chrono;

constexpr const char* kNy = "America/New_York";
constexpr const char* kChi = "America/Chicago";
constexpr const char* kBer = "Europe/Berlin";
// The clock of "today": 3:30 UTC on 9/13/2021, still 9/12 22:30 in Chicago.
constexpr chr::sys_seconds kClock = chr::sys_days{chr::year{2021} / 9 / 13} + chr::minutes(210);

TimeZone zoneOf(const char* name) {
    return TimeZone::named(name).value();
}

// A game ("M/D/YYYY", or with its kickoff "M/D/YYYY HH:MM" in Eastern time)
// and whether it is locked at a pool moment read on a machine in the zone.
struct LockCase : test::NamedCase {
    const char* zone;
    const char* moment;
    const char* game;
    bool locked;
};

class LockRule : public testing::TestWithParam<LockCase> {};

TEST_P(LockRule, LocksAtKickoffOrOnTheDay) {
    const LockCase& c = GetParam();
    Result<PoolMoment> moment = parsePoolMoment(c.moment, zoneOf(c.zone), kClock);
    ASSERT_TRUE(moment) << moment.error().message;
    std::string_view game = c.game;
    Date day = *Date::parse(game.substr(0, game.find(' ')));
    std::optional<Kickoff> kickoff;
    if (game.find(' ') != game.npos)
        kickoff = Kickoff::parse(day, game.substr(game.find(' ') + 1)).value();
    EXPECT_EQ(isLocked(day, kickoff, *moment), c.locked);
}

// Week 1 of 2021 as the community file has it: Thursday 9/9 20:20, Sunday
// 13:00, 16:25 and 20:20, Monday 9/13 20:15. Clocks went forward on 3/14/2021
// in America, on 3/28 in Europe, and back on 11/7 and 10/31.
INSTANTIATE_TEST_SUITE_P(
    Cases, LockRule,
    testing::Values(
        LockCase{"NoKickoffLocksOnItsDay", kNy, "9/12/2021 00:00", "9/12/2021", true},
        LockCase{"NoKickoffOpenTheDayBefore", kNy, "9/12/2021 23:59", "9/13/2021", false},
        LockCase{"ThursdayLockedOnSunday", kNy, "9/12/2021 12:30", "9/9/2021 20:20", true},
        LockCase{"BeforeKickoff", kNy, "9/12/2021 12:30", "9/12/2021 13:00", false},
        LockCase{"AtKickoff", kNy, "9/12/2021 13:00", "9/12/2021 13:00", true},
        LockCase{"AfterKickoff", kNy, "9/12/2021 13:05", "9/12/2021 13:00", true},
        LockCase{"LateGameStillOpen", kNy, "9/12/2021 13:05", "9/12/2021 16:25", false},
        LockCase{"FixedDayLocksTheWholeDay", kNy, "9/12/2021", "9/12/2021 16:25", true},
        LockCase{"FixedDayKeepsTheNextDayOpen", kNy, "9/12/2021", "9/13/2021 20:15", false},
        LockCase{"ChicagoBeforeKickoff", kChi, "9/12/2021 11:30", "9/12/2021 13:00", false},
        LockCase{"ChicagoAfterKickoff", kChi, "9/12/2021 12:05", "9/12/2021 13:00", true},
        LockCase{"BerlinOpenAfterTheGamesDay", kBer, "9/14/2021 02:14", "9/13/2021 20:15", false},
        LockCase{"TodayLocksAtTheClock", kChi, "today", "9/12/2021 20:20", true},
        LockCase{"TodayIsTheLocalDay", kChi, "today", "9/13/2021", false},
        LockCase{"MarchChicagoAtKickoff", kChi, "3/14/2021 12:00", "3/14/2021 13:00", true},
        LockCase{"MarchBerlinStillInWinter", kBer, "3/14/2021 17:59", "3/14/2021 13:00", false},
        LockCase{"MarchBerlinAtKickoff", kBer, "3/14/2021 18:00", "3/14/2021 13:00", true},
        // 2:30 is in New York's gap: the earlier reading, 06:30 UTC (1:30
        // standard time), not the jump at 07:00 UTC.
        LockCase{"GapIsTheEarlierReading", kNy, "3/14/2021 02:30", "3/14/2021 01:30", true},
        LockCase{"GapIsBeforeTheJump", kNy, "3/14/2021 02:30", "3/14/2021 01:45", false},
        LockCase{"NovemberBerlinBefore", kBer, "11/7/2021 18:59", "11/7/2021 13:00", false},
        LockCase{"NovemberBerlinAtKickoff", kBer, "11/7/2021 19:00", "11/7/2021 13:00", true},
        // 1:30 in Chicago's overlap is the first (6:30 UTC), before 2:00
        // Eastern (7:00 UTC); a kickoff at 1:30 Eastern is its first too.
        LockCase{"OverlapMomentIsTheFirst", kChi, "11/7/2021 01:30", "11/7/2021 02:00", false},
        LockCase{"OverlapKickoffIsTheFirst", kBer, "11/7/2021 06:30", "11/7/2021 01:30", true}),
    test::caseName);

TEST(PoolMomentText, ReadsADayADayAndTimeOrToday) {
    TimeZone chicago = zoneOf(kChi);
    for (auto [text, read] : {std::pair{"9/12/2021 12:30", "9/12/2021 12:30"},
                              {"09/12/2021", "09/12/2021"},
                              {"today", "9/12/2021 22:30"}})
        EXPECT_EQ(parsePoolMoment(text, chicago, kClock)->text(), read);
    for (const char* wrong : {"9/12/21", "9/12/2021 1:00 PM", "9/12/2021 24:00", "9/12/2021 9:30",
                              "9/12/2021 ", "Today", ""})
        EXPECT_TRUE(failedWith(parsePoolMoment(wrong, chicago, kClock), ErrorKind::Refused))
            << wrong;
    for (const char* wrong : {"1:00", "13:60", "13.00", "13:00 "})
        EXPECT_TRUE(failedWith(Kickoff::parse(Date(), wrong), ErrorKind::Malformed)) << wrong;
}

// An unknown $TZ is an error the caller can show, naming it.
TEST(MachineZone, FollowsTzAndRefusesAnUnknownName) {
    EXPECT_EQ(machineZone(":America/Chicago")->name(), kChi);
    EXPECT_EQ(machineZone("")->name(), "Etc/UTC");
    Result<TimeZone> unknown = machineZone("CET-1CEST");
    ASSERT_TRUE(failedWith(unknown, ErrorKind::NotFound));
    EXPECT_NE(unknown.error().message.find("\"CET-1CEST\" that TZ names"), std::string::npos);
}

TEST(KickedOffText, ShowsTheKickoffInTheMachinesZone) {
    Date sunday = *Date::parse("09/07/2025");
    auto text = [&](const char* time, const char* zone) {
        return kickedOffText(sunday, Kickoff::parse(sunday, time).value(), zoneOf(zone));
    };
    EXPECT_EQ(text("13:00", kNy), "Kicked off Sun 9/7/2025 1:00 PM");
    EXPECT_EQ(text("20:20", kBer), "Kicked off Mon 9/8/2025 2:20 AM");
    EXPECT_EQ(text("00:05", kNy), "Kicked off Sun 9/7/2025 12:05 AM");
    EXPECT_EQ(kickedOffText(sunday, std::nullopt, zoneOf(kNy)), "Kicked off Sun 9/7/2025");
}

} // namespace
} // namespace gs
