#include "download.h"

#include "core/text.h"
#include "core/textfile.h"
#include "core/version.h"
#include "net/address.h"
#include "net/curlhandles.h"

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
    bool outOfTime = false; // the fetch's time, tries included, ran out
    bool cancelled = false;
    bool writeFailed = false;
    bool answered = false; // a header line arrived
    curl_off_t seen = -1;
    Clock::time_point lastByte = Clock::now();
    Clock::time_point deadline;
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
// cancelled, has brought no byte for the stall limit or has run out of
// time: libcurl's own loop would look only about once a second.
CURLcode runTransfer(CURLM* multi, CURL* curl, Transfer& transfer) {
    const DownloadRequest& request = *transfer.request;
    const auto wake = std::clamp(std::min(request.limits.stall, request.limits.total) / 4,
                                 std::chrono::milliseconds(5), std::chrono::milliseconds(200));
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
        else if (Clock::now() >= transfer.deadline)
            transfer.outOfTime = true;
        else if (Clock::now() - transfer.lastByte > request.limits.stall)
            transfer.stalled = true;
        if (transfer.cancelled || transfer.stalled || transfer.outOfTime) {
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

// A secure connection that could not be set up: the same server and the
// same library will fail the same way again.
bool isTlsFailure(CURLcode code) {
    switch (code) {
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_ENGINE_NOTFOUND:
    case CURLE_SSL_ENGINE_SETFAILED:
    case CURLE_SSL_ENGINE_INITFAILED:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CRL_BADFILE:
    case CURLE_SSL_CLIENTCERT:
    case CURLE_USE_SSL_FAILED:
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
    case CURLE_BAD_CONTENT_ENCODING:
        return true;
    default:
        return isCertificateFailure(code) || isTlsFailure(code);
    }
}

// HTTP answers that say the same to the same request later: every 4xx but
// a timeout (408) and "too many requests" (429), and of the 5xx a method
// or a version the server does not serve.
bool isLastingHttpFailure(long status) {
    if (status == 408 || status == 429)
        return false;
    return (status >= 400 && status < 500) || status == 501 || status == 505;
}

enum class Scheme { Http, File, Other };

Scheme schemeOf(std::string_view url) {
    std::string start;
    for (char c : url.substr(0, 8))
        start += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (start.starts_with("https://") || start.starts_with("http://"))
        return Scheme::Http;
    return start.starts_with("file://") ? Scheme::File : Scheme::Other;
}

// The address as libcurl's URL parser reads it, or why it cannot be used.
// The parser is lenient: "http:///ok" would be fetched from the host "ok",
// so an address must name its server right after "://".
std::string checkAddress(const CurlUrl& parsed, std::string_view url, Scheme scheme) {
    if (scheme == Scheme::Http) {
        size_t authority = url.find("://") + 3;
        if (authority >= url.size() || std::string_view("/?#").contains(url[authority]))
            return "it names no server";
    }
    if (!parsed.handle)
        return "libcurl could not start";
    CURLUcode code = curl_url_set(parsed.handle, CURLUPART_URL, std::string(url).c_str(), 0);
    return code == CURLUE_OK ? "" : curl_url_strerror(code);
}

struct TryOutcome {
    DownloadResult result;
    bool retry = false;
};

std::string outOfTimeText(const DownloadRequest& request, const std::string& shown) {
    return "the download of " + shown + " did not end within " + secondsText(request.limits.total) +
           ", tries included";
}

TryOutcome tryOnce(CURLM* multi, CURL* curl, const DownloadRequest& request,
                   const std::filesystem::path& target, const std::string& shown,
                   Clock::time_point deadline) {
    TryOutcome outcome;
    DownloadResult& result = outcome.result;
    Transfer transfer;
    transfer.request = &request;
    transfer.deadline = deadline;
    // The connection may take only the time that is left; running out of it
    // is the fetch's time running out, not a server out of reach.
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    bool connectCut = left < request.limits.connect;
    curl_easy_setopt(
        curl, CURLOPT_CONNECTTIMEOUT_MS,
        static_cast<long>(std::max<long long>(std::min(left, request.limits.connect).count(), 1)));
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
    if (transfer.outOfTime ||
        (code == CURLE_OPERATION_TIMEDOUT && !transfer.answered && connectCut)) {
        result.reason = outOfTimeText(request, shown);
        return outcome;
    }
    if (transfer.stalled) {
        result.reason = "no data came from " + shown + " for " + secondsText(request.limits.stall);
        outcome.retry = true;
        return outcome;
    }
    const std::string answered =
        "the server answered " + shown + " with HTTP code " + std::to_string(result.httpStatus);
    if (code == CURLE_OK) {
        // Only the whole file, or "not modified" to a request that named
        // the version it has, answers what was asked.
        bool conditional = !request.conditional.empty();
        if (result.httpStatus == 304 && !conditional) {
            result.reason = answered + " (not modified) to a request for the whole file";
            return outcome;
        }
        if (result.httpStatus != 200 && result.httpStatus != 304) {
            result.reason = answered + ", which does not answer a request for the whole file";
            return outcome;
        }
        result.status =
            result.httpStatus == 304 ? DownloadStatus::NotModified : DownloadStatus::Fetched;
        result.validators = transfer.validators;
        return outcome;
    }
    if (code == CURLE_HTTP_RETURNED_ERROR) {
        result.reason = answered;
        outcome.retry = !isLastingHttpFailure(result.httpStatus);
        return outcome;
    }
    if (isCertificateFailure(code)) {
        result.reason = "the certificate of " + shown + " could not be verified: " + curlText;
        return outcome;
    }
    if (isTlsFailure(code)) {
        result.reason = "no secure connection to " + shown + " could be made: " + curlText;
        return outcome;
    }
    if (code == CURLE_BAD_CONTENT_ENCODING) {
        result.reason = "what " + shown + " sent could not be decoded: " + curlText;
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
bool pauseUnlessCancelled(const DownloadRequest& request, std::chrono::milliseconds pause) {
    Clock::time_point end = Clock::now() + pause;
    while (Clock::now() < end) {
        if (request.cancel && request.cancel->load())
            return false;
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
        std::this_thread::sleep_for(std::min(left, std::chrono::milliseconds(50)));
    }
    return !(request.cancel && request.cancel->load());
}

// A file:// address is read here, not by libcurl, which would open a pipe
// and wait for a writer for ever: only a regular file is opened.
DownloadResult copyFileAddress(const DownloadRequest& request, const CurlUrl& parsed,
                               const std::filesystem::path& target, const std::string& shown) {
    DownloadResult result;
    char* path = nullptr;
    if (curl_url_get(parsed.handle, CURLUPART_PATH, &path, CURLU_URLDECODE) != CURLUE_OK) {
        result.reason = shown + " is not a well-formed address";
        return result;
    }
    std::string file = path;
    curl_free(path);
    if (std::string kind = nonFileKind(file); !kind.empty()) {
        result.reason = shown + " names " + kind + ", not a file";
        return result;
    }
    result.tries = 1;
    Result<std::string> bytes = readFileBytes(file, request.limits.maxBytes);
    if (!bytes) {
        result.reason = shown + " could not be read: " + bytes.error().message;
        return result;
    }
    FILE* out = std::fopen(target.c_str(), "wb");
    bool written = out && std::fwrite(bytes->data(), 1, bytes->size(), out) == bytes->size();
    if (out)
        written = std::fclose(out) == 0 && written;
    if (!written) {
        result.reason = "the download could not be written to " + target.string();
        return result;
    }
    if (request.progress)
        request.progress(bytes->size(), bytes->size());
    result.status = DownloadStatus::Fetched;
    return result;
}

} // namespace

bool hasAcceptedScheme(std::string_view url) {
    return schemeOf(url) != Scheme::Other;
}

DownloadResult downloadToFile(const DownloadRequest& request, const std::filesystem::path& target) {
    const Clock::time_point deadline = Clock::now() + request.limits.total;
    const std::string shown = maskedAddress(request.url);
    DownloadResult failed;
    Scheme scheme = schemeOf(request.url);
    if (scheme == Scheme::Other) {
        failed.reason = "only https://, http:// and file:// addresses can be used, not " + shown;
        return failed;
    }
    if (!startCurl()) {
        failed.reason = "libcurl could not start";
        return failed;
    }
    CurlUrl parsed;
    if (std::string problem = checkAddress(parsed, request.url, scheme); !problem.empty()) {
        failed.reason = shown + " is not a well-formed address: " + problem;
        return failed;
    }
    if (scheme == Scheme::File)
        return copyFileAddress(request, parsed, target, shown);
    CurlHandle handle;
    CurlMulti multi;
    if (!handle.curl || !multi.multi) {
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
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "https,http");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "https,http");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, static_cast<long>(request.limits.redirects));
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
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
        TryOutcome outcome = tryOnce(multi.multi, curl, request, target, shown, deadline);
        DownloadResult& result = outcome.result;
        result.tries = attempt;
        if (!outcome.retry || attempt == tries)
            return result;
        // A server that is busy may say when to come back.
        curl_off_t asked = 0;
        if (result.httpStatus >= 400)
            curl_easy_getinfo(curl, CURLINFO_RETRY_AFTER, &asked);
        // Any wait past the deadline is as good as another.
        asked = std::clamp<curl_off_t>(asked, 0, 1000000);
        auto pause = std::max(request.limits.retryPause,
                              std::chrono::milliseconds(std::chrono::seconds(asked)));
        if (Clock::now() + pause >= deadline) {
            result.reason += asked > 0 ? "; it asked to be tried again in " +
                                             secondsText(std::chrono::seconds(asked))
                                       : "; no time was left to try again";
            result.reason +=
                ", and a download may take " + secondsText(request.limits.total) + " in all";
            return result;
        }
        if (!pauseUnlessCancelled(request, pause)) {
            DownloadResult cancelled;
            cancelled.status = DownloadStatus::Cancelled;
            cancelled.reason = "the download of " + shown + " was cancelled";
            cancelled.tries = attempt;
            return cancelled;
        }
    }
}

} // namespace gs
