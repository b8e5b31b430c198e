#pragma once

// A calendar day. Every date the program reads is parsed here, once: the
// games table's "M/D/YYYY" (one or two digits for month and day; a
// two-digit year 00..29 means 2000..2029 and 30..99 1930..1999), and the
// data sets' "YYYY-MM-DD". A date keeps the text it came from, so that a
// file written back holds exactly what it held.

#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace gs {

class Date {
public:
    // A real day of the calendar, or nullopt (also for spaces around it).
    static std::optional<Date> parse(std::string_view text);
    // A day given by its parts, written M/D/YYYY; nullopt when no such day.
    static std::optional<Date> fromParts(int year, int month, int day);

    int year() const { return m_year; }
    int month() const { return m_month; }
    int day() const { return m_day; }
    // Sunday = 1 .. Saturday = 7.
    int weekday() const;
    // Days since 1/1/1970.
    long dayNumber() const;
    // The text the date was read from.
    const std::string& text() const { return m_text; }
    // False for a two-digit year, which only the calendar's rule completes.
    bool hasFullYear() const { return m_fullYear; }
    // YYYYMMDD, a sortable key.
    int key() const { return m_year * 10000 + m_month * 100 + m_day; }

    // Dates compare as days, whatever their texts.
    friend bool operator==(const Date& a, const Date& b) { return a.key() == b.key(); }
    friend std::strong_ordering operator<=>(const Date& a, const Date& b) {
        return a.key() <=> b.key();
    }

private:
    int m_year = 1970;
    int m_month = 1;
    int m_day = 1;
    bool m_fullYear = true;
    std::string m_text = "1/1/1970";
};

inline constexpr int kSunday = 1;
inline constexpr int kMonday = 2;

// The day of the week of a date text, Sunday = 1 .. Saturday = 7, or 0 when
// the text is no date.
int dayOfWeek(std::string_view text);

// 1 "Sunday" .. 7 "Saturday"; any other number gives "".
std::string dayName(int day);

// Whether a date as the games table writes it comes on or before the given
// day, for what walks the table's records (score entry). A date that is no
// date counts as long past: it is locked and shown.
bool onOrBefore(std::string_view date, const Date& day);

} // namespace gs
