#include "calendar.h"

#include <algorithm>

namespace gs {

bool WeekTracker::isBoundary(std::string_view date, int officialWeek) {
    int day = date.empty() ? m_day : dayOfWeek(date);
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
        for (const SeasonGame& game : season.games)
            weeks.push_back(std::min(game.week, season.shape.weeks));
        return weeks;
    }
    WeekTracker tracker;
    int week = 1;
    for (const SeasonGame& game : season.games) {
        if (tracker.isBoundary(game) && week < season.shape.weeks)
            ++week;
        weeks.push_back(week);
    }
    return weeks;
}

WeekRows findWeekRows(const std::vector<SeasonGame>& games, int week) {
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
