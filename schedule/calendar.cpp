#include "calendar.h"

#include "core/text.h"

#include <array>

namespace gs {

namespace {

struct DateParts {
    double month = 0;
    double day = 0;
    double year = 0;
};

DateParts splitDate(std::string_view text) {
    DateParts parts;
    size_t first = text.find('/');
    if (first == std::string_view::npos) {
        parts.month = numericValue(text);
        return parts;
    }
    parts.month = numericValue(text.substr(0, first));
    size_t second = text.find('/', first + 1);
    if (second == std::string_view::npos) {
        parts.day = numericValue(text.substr(first + 1));
        return parts;
    }
    parts.day = numericValue(text.substr(first + 1, second - first - 1));
    parts.year = numericValue(text.substr(second + 1));
    return parts;
}

bool isLeap(long year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

} // namespace

std::string laterDate(std::string_view a, std::string_view b) {
    DateParts pa = splitDate(a);
    DateParts pb = splitDate(b);
    const std::array<std::pair<double, double>, 3> order = {
        std::pair{pa.year, pb.year}, {pa.month, pb.month}, {pa.day, pb.day}};
    for (const auto& [x, y] : order) {
        if (y < x)
            return std::string(a);
        if (x < y)
            return std::string(b);
    }
    return "same";
}

bool onOrBefore(std::string_view date, std::string_view referenceDate) {
    std::string later = laterDate(date, referenceDate);
    return later == referenceDate || later == "same";
}

std::string dayName(int day) {
    static constexpr const char* kNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                             "Thursday", "Friday", "Saturday"};
    if (day < 1 || day > 7)
        return {};
    return kNames[day - 1];
}

int dayOfWeek(std::string_view date) {
    // Only M/D/Y texts are dates: every part must be a whole number.
    size_t first = date.find('/');
    size_t second = first == std::string_view::npos ? first : date.find('/', first + 1);
    if (second == std::string_view::npos)
        return 0;
    DateParts parts = splitDate(date);
    // Converting a double outside the range of long is undefined, so the
    // parts are bounded first (a damaged file may hold "1e30/1/2010").
    auto isWholeBetween = [](double value, double low, double high) {
        return value >= low && value <= high &&
               value == static_cast<double>(static_cast<long>(value));
    };
    if (!isWholeBetween(parts.month, 1, 12) || !isWholeBetween(parts.day, 1, 31) ||
        !isWholeBetween(parts.year, 0, 9999))
        return 0;
    long month = static_cast<long>(parts.month);
    long day = static_cast<long>(parts.day);
    long year = static_cast<long>(parts.year);
    if (year >= 0 && year < 30)
        year += 2000;
    else if (year >= 30 && year < 100)
        year += 1900;
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12 || year < 100 || year > 9999)
        return 0;
    int length = kDays[month - 1] + (month == 2 && isLeap(year) ? 1 : 0);
    if (day < 1 || day > length)
        return 0;
    // Days since 1/1/1970 (a Thursday), after Howard Hinnant's days_from_civil.
    long y = month <= 2 ? year - 1 : year;
    long era = (y >= 0 ? y : y - 399) / 400;
    long yoe = y - era * 400;
    long doy = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    long days = era * 146097 + doe - 719468;
    long weekday = ((days + 4) % 7 + 7) % 7; // 0 = Sunday
    return static_cast<int>(weekday) + 1;
}

bool WeekTracker::isBoundary(std::string_view date) {
    int day = date.empty() ? m_day : dayOfWeek(date);
    bool boundary = m_day == kMonday && day != kMonday;
    m_day = day;
    return boundary;
}

WeekRows findWeekRows(const std::vector<SeasonGame>& games, int week) {
    WeekRows rows;
    WeekTracker tracker;
    int count = 0;
    for (int r = 0; r < static_cast<int>(games.size()); ++r) {
        bool boundary = tracker.isBoundary(games[r].date);
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
