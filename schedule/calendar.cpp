#include "calendar.h"

namespace gs {

bool WeekTracker::isBoundary(std::string_view date, int officialWeek) {
    int day = date.empty() ? m_day : dayOfWeek(date);
    bool boundary = officialWeek > 0 ? m_week > 0 && officialWeek != m_week
                                     : m_day == kMonday && day != kMonday;
    m_day = day;
    m_week = officialWeek;
    return boundary;
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
