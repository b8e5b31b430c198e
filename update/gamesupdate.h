#pragma once

// Bringing the games table up to date from the public community games file
// in one step, for the update-games command and the window's "Update
// Schedule and Scores": the file is fetched whole into a temporary file,
// checked, and merged as import-schedule merges that layout (all or
// nothing, games in conflict refused unless overwritten).
//
// A fetch is conditional: the validators (ETag, Last-Modified) of the last
// file that was applied are kept per address in GamesDownloads.txt beside
// the pool's settings, with a fingerprint of the games table as that import
// left it. They are sent only while the table still stands so; a server
// whose file is unchanged then answers 304 and the table is up to date.

#include "core/pool.h"
#include "core/result.h"
#include "update/download.h"

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace gs {

inline constexpr const char* kDefaultGamesUrl =
    "https://github.com/nflverse/nfldata/raw/master/data/games.csv";
inline constexpr const char* kGamesDownloadsFileName = "GamesDownloads.txt";

struct GamesUpdateOptions {
    std::optional<std::string> url; // else the pool's setting, else the default
    bool force = false;             // fetch the whole file, whatever was fetched before
    DownloadLimits limits;
};

// The address an update fetches: the one given, else the pool's setting. A
// settings file without one gets the default written in, so that the
// administrator finds where to change it.
Result<std::string> gamesFileUrl(const Pool& pool, const std::optional<std::string>& url);

// Makes an address the pool's setting, for every later update. Refuses
// one that does not begin with https://, http:// or file://.
Status storeGamesFileUrl(const Pool& pool, const std::string& url);

struct FetchedGamesFile {
    std::string url;
    DownloadStatus status = DownloadStatus::Failed;
    // Why nothing can be applied: the fetch failed or was cancelled, or the
    // body is not a whole community games file.
    std::string reason;
    std::string bytes; // the whole file, when fetched
    Validators validators;
    std::string tableStamp; // the table's fingerprint the request relied on
    bool usable() const {
        return status == DownloadStatus::Fetched || status == DownloadStatus::NotModified;
    }
};

// Fetches the games file; changes nothing of the pool. Runs on any thread:
// progress is called on it, and cancel may be set from another.
FetchedGamesFile fetchGamesFile(
    const Pool& pool, const GamesUpdateOptions& options,
    const std::function<void(std::uint64_t received, std::uint64_t total)>& progress = {},
    const std::atomic<bool>* cancel = nullptr);

struct GamesUpdateResult {
    bool ok = false;      // the games table is up to date with the file now
    bool changed = false; // this update wrote it
    // A file refused over games in conflict names them here; applying it
    // again with overwrite takes the file's word for them.
    std::vector<std::string> conflicts;
    std::string summary; // what changed, or why nothing did
};

// Applies a fetched file to the games table and, once it stands there,
// keeps its validators for the next fetch. A failed or refused file keeps
// the old ones.
GamesUpdateResult applyGamesFile(const Pool& pool, const FetchedGamesFile& fetched, bool overwrite);

// Fetches and applies.
GamesUpdateResult updateGames(const Pool& pool, const GamesUpdateOptions& options, bool overwrite);

} // namespace gs
