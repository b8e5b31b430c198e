#include "kickoff.h"

#include <date/tz.h>

#include <array>
#include <cstdlib>
#include <exception>

namespace gs {

namespace chr = std::chrono;

namespace {

constexpr const char* kUtcZone = "Etc/UTC";

// "HH:MM", 00:00 to 23:59, exactly five characters.
std::optional<chr::minutes> parseTimeOfDay(std::string_view text) {
    auto digit = [&](size_t at) { return text[at] - '0'; };
    if (text.size() != 5 || text[2] != ':')
        return std::nullopt;
    for (size_t at : {0, 1, 3, 4})
        if (text[at] < '0' || text[at] > '9')
            return std::nullopt;
    int hours = digit(0) * 10 + digit(1);
    int minutes = digit(3) * 10 + digit(4);
    if (hours > 23 || minutes > 59)
        return std::nullopt;
    return chr::hours(hours) + chr::minutes(minutes);
}

std::string twoDigits(long value) {
    return (value < 10 ? "0" : "") + std::to_string(value);
}

date::local_days localDay(const Date& day) {
    return date::local_days{date::year{day.year()} / day.month() / day.day()};
}

// The calendar day of a local day.
Date dateOf(date::local_days localDay) {
    date::year_month_day ymd(localDay);
    return *Date::fromParts(static_cast<int>(ymd.year()),
                            static_cast<int>(static_cast<unsigned>(ymd.month())),
                            static_cast<int>(static_cast<unsigned>(ymd.day())));
}

// "Sun 9/7/2025".
std::string weekdayAndDate(const Date& day) {
    static constexpr std::array<const char*, 7> kDays = {"Sun", "Mon", "Tue", "Wed",
                                                         "Thu", "Fri", "Sat"};
    return std::string(kDays[static_cast<size_t>(day.weekday() - 1)]) + " " +
           std::to_string(day.month()) + "/" + std::to_string(day.day()) + "/" +
           std::to_string(day.year());
}

// Local times that daylight saving makes ambiguous or skips take the
// earlier instant (see PoolMoment in the header). The library's choice for a
// skipped time is the jump itself, which is not the earlier reading.
chr::sys_seconds instantOf(const Date& day, chr::minutes timeOfDay, const TimeZone& zone) {
    date::local_seconds local = localDay(day) + timeOfDay;
    date::local_info info = zone.zone().get_info(local);
    if (info.result == date::local_info::nonexistent)
        return chr::sys_seconds{local.time_since_epoch() - info.second.offset};
    return zone.zone().to_sys(local, date::choose::earliest);
}

} // namespace

Result<TimeZone> TimeZone::named(std::string_view name) {
    try {
        return TimeZone(date::locate_zone(name));
    } catch (const std::exception&) {
        return failure(ErrorKind::NotFound,
                       "The time zone \"" + std::string(name) +
                           "\" is not in the time zone database (/usr/share/zoneinfo).");
    }
}

const std::string& TimeZone::name() const {
    return m_zone->name();
}

Result<TimeZone> machineZone() {
    return machineZone(std::getenv("TZ"));
}

Result<TimeZone> machineZone(const char* tzVariable) {
    if (tzVariable) {
        std::string_view name = tzVariable;
        if (name.starts_with(':'))
            name.remove_prefix(1);
        if (name.empty())
            return TimeZone::named(kUtcZone);
        Result<TimeZone> zone = TimeZone::named(name);
        if (!zone)
            return failure(ErrorKind::NotFound,
                           "The time zone \"" + std::string(tzVariable) +
                               "\" that TZ names is not in the time zone database "
                               "(/usr/share/zoneinfo); set TZ to a zone's name, such as "
                               "America/Chicago, or unset it.");
        return zone;
    }
    try {
        return TimeZone(date::current_zone());
    } catch (const std::exception&) {
        // No /etc/localtime to read: the C library's local time is UTC then.
        return TimeZone::named(kUtcZone);
    }
}

Result<Kickoff> Kickoff::parse(const Date& day, std::string_view time) {
    std::optional<chr::minutes> timeOfDay = parseTimeOfDay(time);
    if (!timeOfDay)
        return failure(ErrorKind::Malformed, "The kickoff \"" + std::string(time) + "\" of " +
                                                 day.text() +
                                                 " is not a time HH:MM from 00:00 to 23:59.");
    Result<TimeZone> eastern = TimeZone::named(kKickoffZone);
    if (!eastern)
        return failure(eastern.error());
    Kickoff kickoff;
    kickoff.m_text = std::string(time);
    kickoff.m_instant = instantOf(day, *timeOfDay, *eastern);
    return kickoff;
}

PoolMoment PoolMoment::ofDay(Date day) {
    PoolMoment moment;
    moment.m_day = std::move(day);
    return moment;
}

PoolMoment PoolMoment::at(Date day, chr::minutes timeOfDay, const TimeZone& zone) {
    PoolMoment moment;
    moment.m_instant = instantOf(day, timeOfDay, zone);
    moment.m_time = twoDigits(timeOfDay.count() / 60) + ":" + twoDigits(timeOfDay.count() % 60);
    moment.m_day = std::move(day);
    return moment;
}

PoolMoment PoolMoment::now(chr::sys_seconds clock, const TimeZone& zone) {
    date::local_seconds local = zone.zone().to_local(clock);
    date::local_days localDay = date::floor<date::days>(local);
    PoolMoment moment = at(dateOf(localDay), date::floor<chr::minutes>(local - localDay), zone);
    moment.m_instant = clock;
    return moment;
}

std::string PoolMoment::text() const {
    return m_time.empty() ? m_day.text() : m_day.text() + " " + m_time;
}

Result<PoolMoment> parsePoolMoment(std::string_view text, const TimeZone& zone,
                                   chr::sys_seconds clock) {
    if (text == "today")
        return PoolMoment::now(clock, zone);
    size_t space = text.find(' ');
    std::optional<Date> day = Date::parse(text.substr(0, space));
    std::optional<chr::minutes> timeOfDay;
    if (space != std::string_view::npos)
        timeOfDay = parseTimeOfDay(text.substr(space + 1));
    if (!day || !day->hasFullYear() || (space != std::string_view::npos && !timeOfDay))
        return failure(ErrorKind::Refused,
                       "The pool's day must be a date M/D/YYYY, a date and a time "
                       "\"M/D/YYYY HH:MM\" (24-hour) or \"today\", not \"" +
                           std::string(text) + "\".");
    if (!timeOfDay)
        return PoolMoment::ofDay(*day);
    return PoolMoment::at(*day, *timeOfDay, zone);
}

chr::sys_seconds systemClock() {
    return chr::floor<chr::seconds>(chr::system_clock::now());
}

bool isLocked(const Date& gameDay, const std::optional<Kickoff>& kickoff,
              const PoolMoment& moment) {
    if (kickoff && moment.instant())
        return *moment.instant() >= kickoff->instant();
    return gameDay <= moment.day();
}

std::string kickedOffText(const Date& gameDay, const std::optional<Kickoff>& kickoff,
                          const TimeZone& zone) {
    if (!kickoff)
        return "Kicked off " + weekdayAndDate(gameDay);
    date::local_seconds local = zone.zone().to_local(kickoff->instant());
    date::local_days localDay = date::floor<date::days>(local);
    date::hh_mm_ss<chr::seconds> time(local - localDay);
    long hour = time.hours().count();
    return "Kicked off " + weekdayAndDate(dateOf(localDay)) + " " +
           std::to_string(hour % 12 == 0 ? 12 : hour % 12) + ":" +
           twoDigits(time.minutes().count()) + (hour < 12 ? " AM" : " PM");
}

} // namespace gs
