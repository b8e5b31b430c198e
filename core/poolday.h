#pragma once

// The pool's current day: the day every lock, reveal, score entry, statistic
// and export compares games with. The pool sets it to a fixed day or to
// "today" (the machine's local date, read afresh whenever it is used). With
// nothing set, a season up to 2015 keeps its day of old, 11/02/2010, and a
// later season uses today, so that every player's machine of a live pool
// locks and reveals games on the real day without a setting.

#include "pool.h"

#include <string>

namespace gs {

inline constexpr const char* kTodaySetting = "today";
// The key of the setting in the pool's settings file.
inline constexpr const char* kPoolDayKey = "day";

// The machine's local date, written M/D/YYYY.
Date localDate();

// True for a setting the pool accepts: "today" or a real M/D/YYYY day.
bool isPoolDaySetting(const std::string& setting);

// The day a setting gives for a season: the setting's own day, today's for
// "today", and for no setting (empty) the rule above. `today` is the
// machine's date, as the pool's clock reads it.
Date poolDayFor(const std::string& setting, int season, const Date& today);

// Reads the pool's day setting from its settings file into pool.daySetting()
// (nothing set when the file is missing or cannot be read).
void loadPoolDaySetting(Pool& pool);

// Stores a day setting ("today", a day, or empty for none) in the settings
// file and in the pool, and refreshes the pool's day.
Status storePoolDaySetting(Pool& pool, const std::string& setting);

// Sets pool.referenceDate() from the pool's day setting, its season and its
// clock; the command line's --reference-date, when given, stands instead.
void refreshPoolDay(Pool& pool);

} // namespace gs
