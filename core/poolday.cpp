#include "poolday.h"

#include "date.h"
#include "poollock.h"
#include "poolmachine.h"
#include "poolsettings.h"

#include <ctime>

namespace gs {

namespace fs = std::filesystem;

namespace {

constexpr int kLastSeasonOfOld = 2015;

} // namespace

Date localDate() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return *Date::fromParts(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

bool isPoolDaySetting(const std::string& setting) {
    if (setting == kTodaySetting)
        return true;
    std::optional<Date> day = Date::parse(setting);
    return day && day->hasFullYear();
}

Date poolDayFor(const std::string& setting, int season, const Date& today) {
    if (setting == kTodaySetting)
        return today;
    if (isPoolDaySetting(setting))
        return *Date::parse(setting);
    return season <= kLastSeasonOfOld ? *Date::parse(kDefaultReferenceDate) : today;
}

void loadPoolDaySetting(Pool& pool) {
    Result<PoolSettings> settings = PoolSettings::load(poolSettingsPath(pool.folders()));
    pool.setDaySetting(settings ? settings->value(kPoolDayKey).value_or("") : "");
}

Status storePoolDaySetting(Pool& pool, const std::string& setting) {
    if (!setting.empty() && !isPoolDaySetting(setting))
        return failure(ErrorKind::Refused,
                       "The pool's day must be a date M/D/YYYY or \"today\", not \"" + setting +
                           "\".");
    if (isPlayersMachine(pool.folders()))
        return failure(ErrorKind::Refused, kPlayersMachineMessage);
    Result<PoolLock> lock = lockPoolFiles(pool);
    if (!lock)
        return failure(lock.error());
    fs::path path = poolSettingsPath(pool.folders());
    Result<PoolSettings> settings = PoolSettings::load(path);
    if (!settings)
        return failure(settings.error());
    settings->set(kPoolDayKey, setting);
    if (Status saved = settings->save(path); !saved)
        return saved;
    pool.setDaySetting(setting);
    refreshPoolDay(pool);
    return {};
}

void refreshPoolDay(Pool& pool) {
    const std::string& setting =
        pool.dayOverride().empty() ? pool.daySetting() : pool.dayOverride();
    pool.setReferenceDate(
        poolDayFor(setting, pool.seasonYear(), pool.clock() ? pool.clock()() : localDate()));
}

} // namespace gs
