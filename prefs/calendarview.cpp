#include "calendarview.h"

#include "core/text.h"
#include "schedule/calendar.h"
#include "schedule/seasongames.h"

#include <charconv>

namespace gs {

namespace {

bool readNumber(std::string_view text, int& value) {
    if (text.empty())
        return false;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

} // namespace

std::optional<CalendarDate> calendarDate(const std::string& text) {
    std::string_view view = text;
    size_t first = view.find('/');
    size_t second = first == std::string_view::npos ? first : view.find('/', first + 1);
    if (second == std::string_view::npos)
        return std::nullopt;
    CalendarDate date;
    if (!readNumber(view.substr(0, first), date.month) ||
        !readNumber(view.substr(first + 1, second - first - 1), date.day) ||
        !readNumber(view.substr(second + 1), date.year))
        return std::nullopt;
    // Four-digit years only: a calendar cannot guess the century.
    if (date.year < 1000 || dayOfWeek(text) == 0)
        return std::nullopt;
    return date;
}

std::string dateText(const CalendarDate& date) {
    return std::to_string(date.month) + "/" + std::to_string(date.day) + "/" +
           std::to_string(date.year);
}

void SeasonCalendar::open() {
    m_season = Season{};
    if (Result<Season> season = rebuildSeasonGames(m_pool))
        m_season = std::move(*season);
    else
        m_dialogs.refuse(season.error());
    widthTwips = kCalendarAloneTwips;
    gamesVisible = false;
    games = ListModel{};

    // The first game's date and the last dated game's; a season without
    // dated games leaves the calendar free.
    const std::vector<SeasonGame>& rows = m_season.games;
    std::optional<CalendarDate> first;
    std::optional<CalendarDate> last;
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
}

void SeasonCalendar::clickDate(const CalendarDate& date) {
    widthTwips = kCalendarWithListTwips;
    gamesVisible = true;
    games = ListModel{};
    selected = date;
    const std::string text = dateText(date);
    for (const SeasonGame& game : m_season.games)
        if (game.date == text)
            games.entries.push_back(game.visitor + " @ " + game.home);
}

} // namespace gs
