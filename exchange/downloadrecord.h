#pragma once

// The pool's moment when this machine last downloaded each player's file:
// what the late-change rule (core/latechange.h) compares a received file's
// games with. The record is this machine's own and never travels:
// "DownloadTimes.ini" in the data folder, a line for each file, written
// atomically with CR LF: "Ann2025.dat=2025-09-07T17:00:00Z" (an instant, in
// UTC) or, in a pool on a fixed day, "Ann2010.dat=11/3/2010". It is read
// leniently: a line that is not such a pair is passed over, and a missing or
// unreadable record is empty.

#include "core/kickoff.h"
#include "core/pool.h"
#include "core/result.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace gs {

inline constexpr const char* kDownloadTimesFileName = "DownloadTimes.ini";

class DownloadRecord {
public:
    // The record of the home's data folder; instants are read as moments
    // in the zone.
    static DownloadRecord read(const Folders& folders, const TimeZone& zone);

    // When the file was last downloaded; none when never.
    std::optional<PoolMoment> lastDownload(const std::string& fileName) const;
    void note(const std::string& fileName, const PoolMoment& when);
    // Writes the record back atomically.
    Status save(const Folders& folders) const;

private:
    std::map<std::string, PoolMoment> m_times;
};

} // namespace gs
