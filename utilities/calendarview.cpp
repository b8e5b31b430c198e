#include "calendarview.h"

#include "schedule/calendar.h"
#include "schedule/seasongames.h"

namespace gs {

std::optional<Date> calendarDate(const std::string& text) {
    std::optional<Date> date = Date::parse(text);
    if (!date || !date->hasFullYear())
        return std::nullopt;
    return date;
}

void SeasonCalendar::open() {
    m_season = Season{};
    if (Result<Season> season = rebuildSeasonGames(m_pool))
        m_season = std::move(*season);
    else
        m_dialogs.refuse(season.error().message);
    widthTwips = kCalendarWithListTwips;
    gamesVisible = true;
    games = ListModel{};
    gameDays.clear();
    for (const SeasonGame& game : m_season.games)
        if (std::optional<Date> day = calendarDate(game.date);
            day && (gameDays.empty() || !(gameDays.back() == *day)))
            gameDays.push_back(*day);

    // The first game's date and the last dated game's; a season without
    // dated games leaves the calendar free.
    const std::vector<SeasonGame>& rows = m_season.games;
    std::optional<Date> first;
    std::optional<Date> last;
    for (auto row = rows.begin(); row != rows.end() && !first; ++row)
        if (!row->date.empty())
            first = calendarDate(row->date);
    for (auto row = rows.rbegin(); row != rows.rend() && !last; ++row)
        if (!row->date.empty())
            last = calendarDate(row->date);
    earliest.reset();
    latest.reset();
    selected.reset();
    if (first && last && *first <= *last) {
        earliest = first;
        latest = last;
    }
    selected = first;
    if (first)
        clickDate(*first);
}

void SeasonCalendar::clickDate(const Date& date) {
    widthTwips = kCalendarWithListTwips;
    gamesVisible = true;
    games = ListModel{};
    selected = date;
    // The table's own spelling of the day: a date stored with leading zeros
    // has never been listed.
    const std::string text = Date::fromParts(date.year(), date.month(), date.day())->text();
    for (const SeasonGame& game : m_season.games)
        if (game.date == text)
            games.entries.push_back(game.visitor + " @ " + game.home);
}

} // namespace gs
