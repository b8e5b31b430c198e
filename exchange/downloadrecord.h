#pragma once

// When this machine last downloaded each player's file: what the late-change
// rule (core/latechange.h) compares a received file's games with. The record
// is this machine's own and never travels: "DownloadTimes.ini" in the data
// folder, a line "Ann2025.dat=2025-09-07T17:00:00Z" (UTC) for each file,
// written atomically with CR LF. It is read leniently: a line that is not
// such a pair is passed over, and a missing or unreadable record is empty.

#include "core/pool.h"
#include "core/result.h"

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace gs {

inline constexpr const char* kDownloadTimesFileName = "DownloadTimes.ini";

class DownloadRecord {
public:
    // The record of the home's data folder.
    static DownloadRecord read(const Folders& folders);

    // When the file was last downloaded; none when never.
    std::optional<std::chrono::sys_seconds> lastDownload(const std::string& fileName) const;
    void note(const std::string& fileName, std::chrono::sys_seconds when);
    // Writes the record back atomically.
    Status save(const Folders& folders) const;

private:
    std::map<std::string, std::chrono::sys_seconds> m_times;
};

} // namespace gs
