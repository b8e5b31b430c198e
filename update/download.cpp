#include "download.h"

#include "core/text.h"
#include "core/version.h"
#include "exchange/address.h"
#include "exchange/curlhandles.h"

#include <algorithm>
#include <cstdio>
#include <curl/curl.h>
#include <thread>

namespace gs {

namespace {

using Clock = std::chrono::steady_clock;

// One try as it goes: the body counted as it arrives (a server need not
// announce its size), the last answer's validators, and why it was ended.
struct Transfer {
    const DownloadRequest* request = nullptr;
    FILE* file = nullptr;
    std::uint64_t received = 0;
    Validators validators;
    bool tooLarge = false;
    bool stalled = false;
    bool cancelled = false;
    bool writeFailed = false;
    bool answered = false; // a header line arrived
    curl_off_t seen = -1;
    Clock::time_point lastByte = Clock::now();
};

size_t writeBody(char* data, size_t size, size_t count, void* target) {
    auto& transfer = *static_cast<Transfer*>(target);
    size_t bytes = size * count;
    if (transfer.received + bytes > transfer.request->limits.maxBytes) {
        transfer.tooLarge = true;
        return 0; // libcurl ends the transfer with a write error
    }
    if (std::fwrite(data, 1, bytes, transfer.file) != bytes) {
        transfer.writeFailed = true;
        return 0;
    }
    transfer.received += bytes;
    transfer.lastByte = Clock::now();
    return bytes;
}

bool startsWithName(std::string_view line, std::string_view name) {
    return line.size() > name.size() && line[name.size()] == ':' &&
           upperAscii(line.substr(0, name.size())) == upperAscii(name);
}

std::string headerValue(std::string_view line, std::string_view name) {
    std::string value = trimSpaces(line.substr(name.size() + 1));
    while (!value.empty() && (value.back() == '\r' || value.back() == '\n' || value.back() == ' '))
        value.pop_back();
    return value;
}

size_t readHeader(char* data, size_t size, size_t count, void* target) {
    auto& transfer = *static_cast<Transfer*>(target);
    std::string_view line(data, size * count);
    transfer.lastByte = Clock::now();
    transfer.answered = true;
    // Each answer, a redirect's too, starts with its status line: only the
    // last answer's validators describe the file.
    if (line.starts_with("HTTP/"))
        transfer.validators = {};
    else if (startsWithName(line, "ETag"))
        transfer.validators.etag = headerValue(line, "ETag");
    else if (startsWithName(line, "Last-Modified"))
        transfer.validators.lastModified = headerValue(line, "Last-Modified");
    return size * count;
}

// Reports progress, and ends a transfer that was cancelled.
int watchTransfer(void* target, curl_off_t total, curl_off_t now, curl_off_t, curl_off_t) {
    auto& transfer = *static_cast<Transfer*>(target);
    const DownloadRequest& request = *transfer.request;
    if (request.cancel && request.cancel->load()) {
        transfer.cancelled = true;
        return 1;
    }
    if (now != transfer.seen) {
        transfer.seen = now;
        if (request.progress)
            request.progress(static_cast<std::uint64_t>(now), static_cast<std::uint64_t>(total));
    }
    return 0;
}

// Runs the transfer, waking often enough to end it at once when it is
// cancelled or has brought no byte for the stall limit: libcurl's own
// loop would look only about once a second.
CURLcode runTransfer(CURLM* multi, CURL* curl, Transfer& transfer) {
    const DownloadRequest& request = *transfer.request;
    const auto wake = std::clamp(request.limits.stall / 4, std::chrono::milliseconds(5),
                                 std::chrono::milliseconds(200));
    curl_multi_add_handle(multi, curl);
    CURLcode code = CURLE_OK;
    for (int running = 1;;) {
        if (curl_multi_perform(multi, &running) != CURLM_OK) {
            code = CURLE_FAILED_INIT;
            break;
        }
        if (!running) {
            int left = 0;
            while (CURLMsg* message = curl_multi_info_read(multi, &left))
                if (message->msg == CURLMSG_DONE && message->easy_handle == curl)
                    code = message->data.result;
            break;
        }
        if (request.cancel && request.cancel->load())
            transfer.cancelled = true;
        else if (Clock::now() - transfer.lastByte > request.limits.stall)
            transfer.stalled = true;
        if (transfer.cancelled || transfer.stalled) {
            code = CURLE_ABORTED_BY_CALLBACK;
            break;
        }
        curl_multi_poll(multi, nullptr, 0, static_cast<int>(wake.count()), nullptr);
    }
    curl_multi_remove_handle(multi, curl);
    return code;
}

std::string sizeText(std::uint64_t bytes) {
    constexpr std::uint64_t kMegabyte = 1024 * 1024;
    if (bytes >= kMegabyte && bytes % kMegabyte == 0)
        return std::to_string(bytes / kMegabyte) + " MB";
    return std::to_string(bytes) + " bytes";
}

std::string secondsText(std::chrono::milliseconds duration) {
    auto count = duration.count();
    if (count % 1000 == 0)
        return std::to_string(count / 1000) + (count == 1000 ? " second" : " seconds");
    return std::to_string(count) + " milliseconds";
}

bool isCertificateFailure(CURLcode code) {
    switch (code) {
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
    case CURLE_SSL_INVALIDCERTSTATUS:
        return true;
    default:
        return false;
    }
}

// Failures that trying again cannot change.
bool isRefusal(CURLcode code) {
    switch (code) {
    case CURLE_UNSUPPORTED_PROTOCOL:
    case CURLE_URL_MALFORMAT:
    case CURLE_TOO_MANY_REDIRECTS:
    case CURLE_FILE_COULDNT_READ_FILE:
    case CURLE_LOGIN_DENIED:
    case CURLE_REMOTE_ACCESS_DENIED:
    case CURLE_REMOTE_FILE_NOT_FOUND:
    case CURLE_FILESIZE_EXCEEDED:
        return true;
    default:
        return isCertificateFailure(code);
    }
}

} // namespace

bool hasAcceptedScheme(std::string_view url) {
    std::string lower;
    for (char c : url.substr(0, 8))
        lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return lower.starts_with("https://") || lower.starts_with("http://") ||
           lower.starts_with("file://");
}

namespace {

struct TryOutcome {
    DownloadResult result;
    bool retry = false;
};

TryOutcome tryOnce(CURLM* multi, CURL* curl, const DownloadRequest& request,
                   const std::filesystem::path& target, const std::string& shown) {
    TryOutcome outcome;
    DownloadResult& result = outcome.result;
    Transfer transfer;
    transfer.request = &request;
    transfer.file = std::fopen(target.c_str(), "wb");
    if (!transfer.file) {
        result.reason = "the download could not be written to " + target.string();
        return outcome;
    }
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
    char error[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, error);
    CURLcode code = runTransfer(multi, curl, transfer);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, nullptr);
    bool closed = std::fclose(transfer.file) == 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &result.httpStatus);
    std::string curlText =
        withoutPassword(error[0] ? error : curl_easy_strerror(code), request.url);

    if (transfer.cancelled) {
        result.status = DownloadStatus::Cancelled;
        result.reason = "the download of " + shown + " was cancelled";
        return outcome;
    }
    if (transfer.tooLarge || code == CURLE_FILESIZE_EXCEEDED) {
        result.reason = "the file at " + shown + " is larger than " +
                        sizeText(request.limits.maxBytes) + ", more than a games file holds";
        return outcome;
    }
    if (transfer.writeFailed || (code == CURLE_OK && !closed)) {
        result.reason = "the download could not be written to " + target.string();
        return outcome;
    }
    if (transfer.stalled) {
        result.reason = "no data came from " + shown + " for " + secondsText(request.limits.stall);
        outcome.retry = true;
        return outcome;
    }
    if (code == CURLE_OK) {
        result.status =
            result.httpStatus == 304 ? DownloadStatus::NotModified : DownloadStatus::Fetched;
        result.validators = transfer.validators;
        return outcome;
    }
    if (code == CURLE_HTTP_RETURNED_ERROR) {
        result.reason =
            "the server answered " + shown + " with HTTP code " + std::to_string(result.httpStatus);
        outcome.retry = result.httpStatus >= 500;
        return outcome;
    }
    if (isCertificateFailure(code)) {
        result.reason = "the certificate of " + shown + " could not be verified: " + curlText;
        return outcome;
    }
    if (code == CURLE_PARTIAL_FILE) {
        result.reason = "the file at " + shown + " arrived cut short: " + curlText;
        outcome.retry = true;
        return outcome;
    }
    if (code == CURLE_OPERATION_TIMEDOUT && !transfer.answered) {
        result.reason =
            shown + " could not be reached within " + secondsText(request.limits.connect);
        outcome.retry = true;
        return outcome;
    }
    result.reason = shown + " could not be fetched: " + curlText;
    outcome.retry = !isRefusal(code);
    return outcome;
}

// Sleeps between tries, in short steps so that a cancel ends the pause.
bool pauseUnlessCancelled(const DownloadRequest& request) {
    Clock::time_point end = Clock::now() + request.limits.retryPause;
    while (Clock::now() < end) {
        if (request.cancel && request.cancel->load())
            return false;
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
        std::this_thread::sleep_for(std::min(left, std::chrono::milliseconds(50)));
    }
    return !(request.cancel && request.cancel->load());
}

} // namespace

DownloadResult downloadToFile(const DownloadRequest& request, const std::filesystem::path& target) {
    const std::string shown = maskedAddress(request.url);
    DownloadResult failed;
    if (!hasAcceptedScheme(request.url)) {
        failed.reason = "only https://, http:// and file:// addresses can be used, not " + shown;
        return failed;
    }
    CurlHandle handle;
    CurlMulti multi;
    if (!startCurl() || !handle.curl || !multi.multi) {
        failed.reason = "libcurl could not start";
        return failed;
    }
    CURL* curl = handle.curl;
    CurlList headers;
    if (!request.conditional.etag.empty())
        headers.append("If-None-Match: " + request.conditional.etag);
    if (!request.conditional.lastModified.empty())
        headers.append("If-Modified-Since: " + request.conditional.lastModified);
    const std::string agent = std::string("Gridslate/") + kVersion;

    curl_easy_setopt(curl, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "https,http,file");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "https,http");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, static_cast<long>(request.limits.redirects));
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS,
                     static_cast<long>(std::max<long long>(request.limits.connect.count(), 1)));
    curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE,
                     static_cast<curl_off_t>(request.limits.maxBytes));
    curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(curl, CURLOPT_USERAGENT, agent.c_str());
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers.head);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, writeBody);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, readHeader);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, watchTransfer);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);

    const int tries = std::max(request.limits.tries, 1);
    for (int attempt = 1;; ++attempt) {
        TryOutcome outcome = tryOnce(multi.multi, curl, request, target, shown);
        outcome.result.tries = attempt;
        if (!outcome.retry || attempt == tries)
            return outcome.result;
        if (!pauseUnlessCancelled(request)) {
            DownloadResult cancelled;
            cancelled.status = DownloadStatus::Cancelled;
            cancelled.reason = "the download of " + shown + " was cancelled";
            cancelled.tries = attempt;
            return cancelled;
        }
    }
}

} // namespace gs
