#pragma once

// The "Season Calendar" window: a month calendar limited to the season's
// game days, which it marks; a click on a day lists that day's games as
// "visitor @ home" in the list beside it.

#include "core/date.h"
#include "core/dialogs.h"
#include "core/grid.h"
#include "core/pool.h"
#include "core/season.h"

#include <optional>
#include <string>
#include <vector>

namespace gs {

// A game's date as a day of the calendar; nothing for a game without a date
// or with a two-digit year, whose century a calendar cannot guess.
std::optional<Date> calendarDate(const Game& game);

class SeasonCalendar {
public:
    SeasonCalendar(const Pool& pool, Dialogs& dialogs) : m_pool(pool), m_dialogs(dialogs) {}

    // Opening: reads the season's games, limits the calendar to the days
    // from the first game to the last and lists the first day's games. The
    // list is there from the start, so the window keeps its width.
    void open();
    // A click on a day: lists the games of that day in season order.
    void clickDate(const Date& date);

    std::string caption = "Season Calendar";
    ControlModel hint{"Click on a date to see game list.", true};
    ControlModel closeButton{"Close", true};
    ListModel games;
    bool gamesVisible = false;
    // The calendar with the game list beside it.
    int widthTwips = 7050;

    // The days that can be chosen; none for a season without dated games.
    std::optional<Date> earliest;
    std::optional<Date> latest;
    std::optional<Date> selected;
    // Every day with a game, for the calendar to mark.
    std::vector<Date> gameDays;

private:
    const Pool& m_pool;
    Dialogs& m_dialogs;
    Season m_season;
};

inline constexpr int kCalendarAloneTwips = 3525;
inline constexpr int kCalendarWithListTwips = 7050;

} // namespace gs
