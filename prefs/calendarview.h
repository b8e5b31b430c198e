#pragma once

// The "Season Calendar" window: a month calendar limited to the season's
// game days; a click on a day lists that day's games as "visitor @ home".

#include "core/dialogs.h"
#include "core/grid.h"
#include "core/pool.h"
#include "core/season.h"

#include <optional>
#include <string>

namespace gs {

struct CalendarDate {
    int year = 0;
    int month = 0;
    int day = 0;
    bool operator==(const CalendarDate&) const = default;
    auto operator<=>(const CalendarDate&) const = default;
};

// A date text M/D/YYYY (leading zeros allowed) as a calendar date; nothing
// for a text that is no valid date.
std::optional<CalendarDate> calendarDate(const std::string& text);

// The date as the games table writes it: no leading zeros, four-digit year.
std::string dateText(const CalendarDate& date);

class SeasonCalendar {
public:
    SeasonCalendar(const Pool& pool, Dialogs& dialogs) : m_pool(pool), m_dialogs(dialogs) {}

    // Opening: reads the season's games and limits the calendar to the days
    // from the first game to the last; the game list stays hidden.
    void open();
    // A click on a day: lists the games of that day in season order.
    void clickDate(const CalendarDate& date);

    std::string caption = "Season Calendar";
    ControlModel hint{"Click on a date to see game list.", true};
    ControlModel closeButton{"Close", true};
    ListModel games;
    bool gamesVisible = false;
    // The calendar alone, or the calendar with the game list beside it.
    int widthTwips = 3525;

    // The days that can be chosen; none for a season without dated games.
    std::optional<CalendarDate> earliest;
    std::optional<CalendarDate> latest;
    std::optional<CalendarDate> selected;

private:
    const Pool& m_pool;
    Dialogs& m_dialogs;
    Season m_season;
};

inline constexpr int kCalendarAloneTwips = 3525;
inline constexpr int kCalendarWithListTwips = 7050;

} // namespace gs
