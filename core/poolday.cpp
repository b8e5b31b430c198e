#include "poolday.h"

#include "date.h"
#include "poolmachine.h"
#include "poolsettings.h"

namespace gs {

namespace fs = std::filesystem;

namespace {

constexpr int kLastSeasonOfOld = 2015;

} // namespace

Result<TimeZone> clockZone() {
    Result<TimeZone> zone = machineZone();
    return zone ? zone : TimeZone::named("Etc/UTC");
}

bool isPoolDaySetting(const std::string& setting) {
    Result<TimeZone> zone = TimeZone::named("Etc/UTC");
    return setting == kTodaySetting || (zone && parsePoolMoment(setting, *zone, {}));
}

PoolMoment poolMomentFor(const std::string& setting, int season, const TimeZone& zone,
                         std::chrono::sys_seconds now) {
    if (Result<PoolMoment> moment = parsePoolMoment(setting, zone, now))
        return *moment;
    if (season <= kLastSeasonOfOld)
        return PoolMoment::ofDay(*Date::parse(kDefaultReferenceDate));
    return PoolMoment::now(now, zone);
}

void loadPoolDaySetting(Pool& pool) {
    Result<PoolSettings> settings = PoolSettings::load(poolSettingsPath(pool.folders()));
    pool.setDaySetting(settings ? settings->value(kPoolDayKey).value_or("") : "");
}

Status storePoolDaySetting(Pool& pool, const std::string& setting) {
    if (!setting.empty() && !isPoolDaySetting(setting))
        return failure(ErrorKind::Refused,
                       "The pool's day must be a date M/D/YYYY, a date and a time \"M/D/YYYY "
                       "HH:MM\" (24-hour) or \"today\", not \"" +
                           setting + "\".");
    if (!pool.isAdmin(pool.currentUser()))
        return failure(ErrorKind::Refused, kNotAdminMessage);
    if (isPlayersMachine(pool.folders()))
        return failure(ErrorKind::Refused, kPlayersMachineMessage);
    if (Status saved = storePoolSettings(pool, {{kPoolDayKey, setting}}); !saved)
        return saved;
    pool.setDaySetting(setting);
    refreshPoolDay(pool);
    return {};
}

void refreshPoolDay(Pool& pool) {
    const std::string& setting =
        pool.dayOverride().empty() ? pool.daySetting() : pool.dayOverride();
    std::chrono::sys_seconds now = pool.clock() ? pool.clock()() : systemClock();
    Result<TimeZone> zone = clockZone();
    if (!zone) // no time zone database at all: the pool keeps its day
        return;
    pool.setMoment(poolMomentFor(setting, pool.seasonYear(), *zone, now));
}

} // namespace gs
