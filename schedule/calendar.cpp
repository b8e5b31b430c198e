#include "calendar.h"

#include <algorithm>

namespace gs {

bool WeekTracker::isBoundary(std::string_view date, int officialWeek) {
    return feed(date.empty() ? std::nullopt : std::optional<int>(dayOfWeek(date)), officialWeek);
}

bool WeekTracker::isBoundary(const Game& game) {
    return feed(game.date ? std::optional<int>(game.date->weekday()) : std::nullopt, game.week);
}

bool WeekTracker::feed(std::optional<int> dayOfGame, int officialWeek) {
    int day = dayOfGame.value_or(m_day);
    bool boundary = officialWeek > 0 ? m_week > 0 && officialWeek != m_week
                                     : m_day == kMonday && day != kMonday;
    m_day = day;
    m_week = officialWeek;
    return boundary;
}

std::vector<int> gameWeeks(const Season& season) {
    std::vector<int> weeks;
    weeks.reserve(season.games.size());
    if (season.hasOfficialWeeks()) {
        for (const Game& game : season.games)
            weeks.push_back(std::min(game.week, season.shape.weeks));
        return weeks;
    }
    WeekTracker tracker;
    int week = 1;
    for (const Game& game : season.games) {
        if (tracker.isBoundary(game) && week < season.shape.weeks)
            ++week;
        weeks.push_back(week);
    }
    return weeks;
}

WeekRows findWeekRows(const std::vector<Game>& games, int week) {
    WeekRows rows;
    WeekTracker tracker;
    int count = 0;
    for (int r = 0; r < static_cast<int>(games.size()); ++r) {
        bool boundary = tracker.isBoundary(games[r]);
        if (boundary)
            ++count;
        if (rows.found()) {
            if (boundary || r - rows.first >= kMaxWeekGames)
                break;
            rows.last = r;
        } else if (count == week - 1) {
            rows.first = rows.last = r;
        } else if (count > week - 1) {
            break;
        }
    }
    return rows;
}

} // namespace gs
