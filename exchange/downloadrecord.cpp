#include "downloadrecord.h"

#include "core/textfile.h"

#include <cstdio>
#include <ctime>
#include <string_view>

namespace gs {

namespace chr = std::chrono;

namespace {

std::filesystem::path recordPath(const Folders& folders) {
    return folders.program / kDownloadTimesFileName;
}

// "2025-09-07T17:00:00Z"
std::string timeText(chr::sys_seconds when) {
    std::time_t seconds = chr::system_clock::to_time_t(when);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

std::optional<chr::sys_seconds> parseTime(std::string_view text) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    char end = 0;
    std::string copy(text);
    if (std::sscanf(copy.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c", &year, &month, &day, &hour, &minute,
                    &second, &end) != 7 ||
        end != 'Z' || copy.size() != 20)
        return std::nullopt;
    chr::year_month_day date{chr::year{year}, chr::month{static_cast<unsigned>(month)},
                             chr::day{static_cast<unsigned>(day)}};
    if (!date.ok() || hour > 23 || minute > 59 || second > 59 || hour < 0 || minute < 0 ||
        second < 0)
        return std::nullopt;
    return chr::sys_days{date} + chr::hours{hour} + chr::minutes{minute} + chr::seconds{second};
}

} // namespace

DownloadRecord DownloadRecord::read(const Folders& folders, const TimeZone& zone) {
    DownloadRecord record;
    Result<std::vector<std::string>> lines = readTextFile(recordPath(folders));
    if (!lines)
        return record;
    for (const std::string& line : *lines) {
        size_t equals = line.find('=');
        if (equals == std::string::npos || equals == 0)
            continue;
        std::string value = line.substr(equals + 1);
        std::optional<Date> day = Date::parse(value);
        if (std::optional<chr::sys_seconds> when = parseTime(value))
            record.m_times.insert_or_assign(line.substr(0, equals), PoolMoment::now(*when, zone));
        else if (day && day->hasFullYear())
            record.m_times.insert_or_assign(line.substr(0, equals), PoolMoment::ofDay(*day));
    }
    return record;
}

std::optional<PoolMoment> DownloadRecord::lastDownload(const std::string& fileName) const {
    auto found = m_times.find(fileName);
    if (found == m_times.end())
        return std::nullopt;
    return found->second;
}

void DownloadRecord::note(const std::string& fileName, const PoolMoment& when) {
    m_times.insert_or_assign(fileName, when);
}

Status DownloadRecord::save(const Folders& folders) const {
    std::vector<std::string> lines;
    lines.reserve(m_times.size());
    for (const auto& [name, when] : m_times)
        lines.push_back(name + "=" +
                        (when.instant() ? timeText(*when.instant()) : when.day().text()));
    return writeLinesAtomic(recordPath(folders), lines);
}

} // namespace gs
