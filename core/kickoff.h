#pragma once

// When a game locks. The community games file gives each game's kickoff as
// its day and "HH:MM" in US Eastern time; the pool works on a moment of the
// machine's clock: a day, with or without a time of day in the machine's
// zone. Zones and their daylight-saving changes come from the system's tz
// database (/usr/share/zoneinfo) through the date library; no rule of any
// zone is written here. Every function takes its zone, so that a test names
// the zone it runs in.

#include "date.h"
#include "result.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace date {
class time_zone;
}

namespace gs {

// The zone in which the community games file gives kickoffs.
inline constexpr const char* kKickoffZone = "America/New_York";

// A zone of the tz database.
class TimeZone {
public:
    // The zone of that name ("America/Chicago"); NotFound when the tz
    // database has no such zone or cannot be read.
    static Result<TimeZone> named(std::string_view name);

    // The name as the tz database has it.
    const std::string& name() const;
    // The date library's zone, for the conversions in kickoff.cpp.
    const date::time_zone& zone() const { return *m_zone; }

private:
    friend Result<TimeZone> machineZone(const char* tzVariable);
    explicit TimeZone(const date::time_zone* zone) : m_zone(zone) {}
    const date::time_zone* m_zone;
};

// The machine's zone: the one $TZ names when it is set (a leading ':' as the
// C library allows; empty means UTC, as for the C library), else the one
// /etc/localtime links to (UTC without it, as for the C library). NotFound
// for a $TZ the tz database does not know (a POSIX rule like "CET-1CEST"
// included), with a sentence naming it.
Result<TimeZone> machineZone();
// The same for a given value of $TZ (null: not set).
Result<TimeZone> machineZone(const char* tzVariable);

// A game's kickoff: an absolute instant, read from the game's day and the
// file's "HH:MM" in US Eastern time.
class Kickoff {
public:
    // `time` is exactly "HH:MM", 00:00 to 23:59; Malformed otherwise, and
    // NotFound when the tz database lacks the Eastern zone.
    static Result<Kickoff> parse(const Date& day, std::string_view time);

    // "HH:MM" as the file gives it, in Eastern time.
    const std::string& text() const { return m_text; }
    std::chrono::sys_seconds instant() const { return m_instant; }

private:
    std::string m_text;
    std::chrono::sys_seconds m_instant;
};

// The moment the pool works on: its day and, when it has one, the time of
// day on the machine's clock, in the zone it was read in. A local time that
// daylight saving makes ambiguous takes the earlier instant: in the autumn
// overlap (1:30 twice on 11/7/2021 in New York) the first of the two, still
// in daylight time; in the spring gap (2:30 on 3/14/2021 in New York never
// happens) the earlier of the two readings of the clock's offsets: the time
// less the offset after the gap (2:30 less -4 hours, 06:30 UTC, which the
// clock showed as 1:30 standard time), never the jump (07:00 UTC).
class PoolMoment {
public:
    // A fixed day without a time of day.
    static PoolMoment ofDay(Date day);
    // A day and a time of day (00:00 to 23:59) in the zone.
    static PoolMoment at(Date day, std::chrono::minutes timeOfDay, const TimeZone& zone);
    // Now: the instant the clock read, and its day in the zone.
    static PoolMoment now(std::chrono::sys_seconds clock, const TimeZone& zone);

    const Date& day() const { return m_day; }
    // Set when the moment has a time of day.
    const std::optional<std::chrono::sys_seconds>& instant() const { return m_instant; }
    // "M/D/YYYY", or "M/D/YYYY HH:MM" in the zone it was read in.
    std::string text() const;

private:
    Date m_day;
    std::optional<std::chrono::sys_seconds> m_instant;
    std::string m_time; // "HH:MM", empty without a time of day
};

// Reads the pool's day from one argument or setting: "M/D/YYYY" (a fixed
// day), "M/D/YYYY HH:MM" (24-hour, in `zone`), or "today" (`clock`, in
// `zone`). Refused for anything else, with a sentence saying what is taken.
Result<PoolMoment> parsePoolMoment(std::string_view text, const TimeZone& zone,
                                   std::chrono::sys_seconds clock);

// The system clock, to the second.
std::chrono::sys_seconds systemClock();

// Whether a game can no longer be picked at the pool's moment. A game with a
// kickoff locks at its kickoff, when the moment has a time of day; otherwise
// (no kickoff, or a fixed day) a game locks on its day: when its date is on
// or before the pool's day.
bool isLocked(const Date& gameDay, const std::optional<Kickoff>& kickoff, const PoolMoment& moment);

// The tooltip of a locked game: "Kicked off Sun 9/7/2025 1:00 PM", the
// kickoff on the machine's clock in `zone`; without a kickoff the game's
// own date alone: "Kicked off Sun 9/7/2025".
std::string kickedOffText(const Date& gameDay, const std::optional<Kickoff>& kickoff,
                          const TimeZone& zone);

} // namespace gs
