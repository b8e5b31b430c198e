#pragma once

// The pool's current moment: the day, and the time of day where it has one,
// that every lock, reveal, score entry, statistic and export compares games
// with. The pool sets it to a fixed day, a day and a time on the machine's
// clock ("9/7/2025 13:05"), or "today" (the machine's clock, date and time,
// read afresh whenever it is used). With nothing set, a season up to 2015
// keeps its day of old, 11/02/2010, and a later season uses now, so that
// every player's machine of a live pool locks each game at its kickoff and
// reveals games on the real day without a setting. Changing the day is the
// administrator's.

#include "pool.h"

#include <string>

namespace gs {

inline constexpr const char* kTodaySetting = "today";
// The key of the setting in the pool's settings file.
inline constexpr const char* kPoolDayKey = "day";

// The zone the machine's clock reads in (machineZone()); UTC, as for the C
// library, where $TZ names no zone of the database.
Result<TimeZone> clockZone();

// True for a setting the pool accepts: "today", a real M/D/YYYY day, or a
// day and a time "M/D/YYYY HH:MM" (24-hour).
bool isPoolDaySetting(const std::string& setting);

// The moment a setting gives for a season: the setting's own day (and
// time, in `zone`), now for "today", and for no setting (empty) the rule
// above. `now` is the machine's clock.
PoolMoment poolMomentFor(const std::string& setting, int season, const TimeZone& zone,
                         std::chrono::sys_seconds now);

// Reads the pool's day setting from its settings file into pool.daySetting()
// (nothing set when the file is missing or cannot be read).
void loadPoolDaySetting(Pool& pool);

// Stores a day setting ("today", a day, a day and a time, or empty for
// none) in the settings file and in the pool, and refreshes the pool's day.
// Refused for a user without administrator rights (kNotAdminMessage) and on
// a player's machine.
Status storePoolDaySetting(Pool& pool, const std::string& setting);

// Sets pool.moment() from the pool's day setting, its season and its
// clock, in the machine's zone; the command line's --reference-date, when
// given, stands instead.
void refreshPoolDay(Pool& pool);

} // namespace gs
