#include "calendarview.h"

#include "schedule/calendar.h"
#include "schedule/seasongames.h"

namespace gs {

std::optional<Date> calendarDate(const Game& game) {
    if (!game.date || !game.date->hasFullYear())
        return std::nullopt;
    return game.date;
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
    for (const Game& game : m_season.games)
        if (std::optional<Date> day = calendarDate(game);
            day && (gameDays.empty() || !(gameDays.back() == *day)))
            gameDays.push_back(*day);

    // The first game's date and the last dated game's; a season without
    // dated games leaves the calendar free.
    const std::vector<Game>& rows = m_season.games;
    std::optional<Date> first;
    std::optional<Date> last;
    for (auto row = rows.begin(); row != rows.end() && !first; ++row)
        first = calendarDate(*row);
    for (auto row = rows.rbegin(); row != rows.rend() && !last; ++row)
        last = calendarDate(*row);
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
    for (const Game& game : m_season.games)
        if (game.dateText() == text)
            games.entries.push_back(game.visitorName() + " @ " + game.homeName());
}

} // namespace gs
