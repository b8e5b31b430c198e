#include "date.h"

#include <array>
#include <charconv>

namespace gs {

namespace {

bool isLeap(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return kDays[static_cast<size_t>(month - 1)] + (month == 2 && isLeap(year) ? 1 : 0);
}

// A part of a date: one to `most` digits and nothing else.
std::optional<int> digitsOf(std::string_view text, size_t most) {
    if (text.empty() || text.size() > most)
        return std::nullopt;
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// The three parts between two separators, or false.
bool splitThree(std::string_view text, char separator, std::array<std::string_view, 3>& parts) {
    size_t first = text.find(separator);
    if (first == std::string_view::npos)
        return false;
    size_t second = text.find(separator, first + 1);
    if (second == std::string_view::npos || text.find(separator, second + 1) != text.npos)
        return false;
    parts = {text.substr(0, first), text.substr(first + 1, second - first - 1),
             text.substr(second + 1)};
    return true;
}

} // namespace

std::optional<Date> Date::fromParts(int year, int month, int day) {
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > daysInMonth(year, month))
        return std::nullopt;
    Date date;
    date.m_year = year;
    date.m_month = month;
    date.m_day = day;
    date.m_text = std::to_string(month) + "/" + std::to_string(day) + "/" + std::to_string(year);
    return date;
}

std::optional<Date> Date::parse(std::string_view text) {
    std::string_view view = text;
    std::array<std::string_view, 3> parts;
    std::optional<int> year, month, day;
    bool fullYear = true;
    if (splitThree(view, '/', parts)) {
        month = digitsOf(parts[0], 2);
        day = digitsOf(parts[1], 2);
        year = digitsOf(parts[2], 4);
        fullYear = parts[2].size() == 4;
        if (year && *year < 30)
            *year += 2000;
        else if (year && *year < 100)
            *year += 1900;
    } else if (splitThree(view, '-', parts) && parts[0].size() == 4) {
        year = digitsOf(parts[0], 4);
        month = digitsOf(parts[1], 2);
        day = digitsOf(parts[2], 2);
    }
    if (!year || !month || !day)
        return std::nullopt;
    std::optional<Date> date = fromParts(*year, *month, *day);
    if (date) {
        date->m_text = std::string(text);
        date->m_fullYear = fullYear;
    }
    return date;
}

long Date::dayNumber() const {
    // After Howard Hinnant's days_from_civil.
    long y = m_month <= 2 ? m_year - 1 : m_year;
    long era = (y >= 0 ? y : y - 399) / 400;
    long yoe = y - era * 400;
    long doy = (153 * (m_month > 2 ? m_month - 3 : m_month + 9) + 2) / 5 + m_day - 1;
    long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

int Date::weekday() const {
    // 1/1/1970 was a Thursday.
    return static_cast<int>(((dayNumber() + 4) % 7 + 7) % 7) + 1;
}

int dayOfWeek(std::string_view text) {
    std::optional<Date> date = Date::parse(text);
    return date ? date->weekday() : 0;
}

std::string dayName(int day) {
    static constexpr std::array<const char*, 7> kNames = {
        "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    if (day < 1 || day > 7)
        return {};
    return kNames[static_cast<size_t>(day - 1)];
}

bool onOrBefore(std::string_view date, const Date& day) {
    std::optional<Date> game = Date::parse(date);
    return !game || *game <= day;
}

} // namespace gs
