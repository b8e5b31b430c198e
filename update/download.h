#pragma once

// Fetching one file over https:// or http:// with libcurl, or copying it from
// a file:// address, into a file the caller names (a temporary one): bounded
// in time, size and tries, conditional on what the last fetch saw, and
// cancellable.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace gs {

// How long a fetch waits, how much it takes and how often it tries: one
// value, so that tests shorten every wait instead of sitting through it.
struct DownloadLimits {
    // A server that has not accepted the connection by then is taken for down.
    std::chrono::milliseconds connect{15000};
    // A transfer that brings no byte for this long has stalled.
    std::chrono::milliseconds stall{30000};
    // Every try and pause together: whatever a server does (a byte a
    // second, a stall after each answer, a long Retry-After), the fetch ends
    // by then, so that an update run by a script never hangs.
    std::chrono::milliseconds total{45000};
    // A larger file is refused, announced or not: the games file is a few
    // megabytes, and a server's mistake must not fill the disk.
    std::uint64_t maxBytes = 50 * 1024 * 1024;
    // Tries in all. A failure that trying again cannot change is not tried
    // again: a 4xx answer but 408 and 429, a 501 or 505, a TLS or
    // certificate failure, a body that cannot be decoded, a file too large, a
    // malformed address, an answer to a request that was not made. A pause
    // the server asks for (Retry-After) is kept when it ends in time.
    int tries = 3;
    std::chrono::milliseconds retryPause{2000};
    int redirects = 5;
};

// What a server said identifies the version of a file it sent.
struct Validators {
    std::string etag;
    std::string lastModified;
    bool empty() const { return etag.empty() && lastModified.empty(); }
    bool operator==(const Validators&) const = default;
};

struct DownloadRequest {
    std::string url;
    // Sent as If-None-Match and If-Modified-Since when set: a server whose
    // file is unchanged answers 304 and sends nothing.
    Validators conditional;
    DownloadLimits limits;
    // Called on the fetching thread as bytes arrive: received so far, and
    // the announced size (0 when the server announced none).
    std::function<void(std::uint64_t received, std::uint64_t total)> progress;
    // Set by another thread to end the fetch.
    const std::atomic<bool>* cancel = nullptr;
};

enum class DownloadStatus {
    Fetched,     // the whole file is in the target
    NotModified, // the server's file is the one the validators name
    Failed,
    Cancelled,
};

struct DownloadResult {
    DownloadStatus status = DownloadStatus::Failed;
    // Why the fetch failed or was cancelled, for a person; the address in
    // it has its password masked.
    std::string reason;
    Validators validators; // of the fetched file
    long httpStatus = 0;   // of the last answer, 0 for none (file://)
    int tries = 0;
};

// True for an address downloadToFile takes: https://, http:// or file://.
bool hasAcceptedScheme(std::string_view url);

// Fetches the address into the target file, which the fetch truncates and
// fills; on any outcome but Fetched its content means nothing. Only
// https://, http:// and file:// addresses are accepted, and redirects lead
// only to https:// or http://; a file:// address must name a regular file
// (a pipe, a device or a folder is refused before any read). Only a whole
// file (200), or for a conditional request a 304, is taken. Certificates are
// verified against the system's store; proxy variables are honoured as
// libcurl does.
DownloadResult downloadToFile(const DownloadRequest& request, const std::filesystem::path& target);

} // namespace gs
