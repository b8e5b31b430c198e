#include "ftptransport.h"

#include "core/text.h"
#include "core/textfile.h"
#include "exchange/listing.h"
#include "net/address.h"
#include "net/curlhandles.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <curl/curl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace gs {

namespace {

// A listing longer than this is not a directory of pick files.
constexpr size_t kListingLimit = 500000;
// The reply to an RNFR that the server will go on with; no other command
// the exchange sends is answered with it.
constexpr std::string_view kRenamePendingReply = "350";

Outcome refusedName(const std::string& name) {
    return Outcome::failure(kRefusedNameCode, "\"" + name + "\" is not a plain file name");
}

std::string sizeText(std::uint64_t bytes) {
    constexpr std::uint64_t kKilobyte = 1024;
    constexpr std::uint64_t kMegabyte = kKilobyte * kKilobyte;
    if (bytes >= kMegabyte && bytes % kMegabyte == 0)
        return std::to_string(bytes / kMegabyte) + " MB";
    if (bytes >= kKilobyte && bytes % kKilobyte == 0)
        return std::to_string(bytes / kKilobyte) + " KB";
    return std::to_string(bytes) + " bytes";
}

long wholeSeconds(std::chrono::seconds duration) {
    return static_cast<long>(std::max<std::chrono::seconds::rep>(duration.count(), 1));
}

// Every line of the listing ended by CR LF, whatever line ends the server and
// libcurl's text mode left; a last line without a line end stays as it is.
std::string withCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\n' && (i == 0 || text[i - 1] != '\r'))
            out += '\r';
        out += c;
    }
    return out;
}

// A remote name beside a file for a send: hidden, unique to this send, and
// not ending in the target's extension, so no reader takes it for a data
// file. ".part" holds the new copy until it is renamed into place, ".old"
// the old one while a server that will not rename over a file is served.
std::string besideRemoteName(const std::string& name, const char* suffix) {
    std::random_device random;
    char token[16];
    std::snprintf(token, sizeof token, "%08x", static_cast<unsigned>(random()));
    return "." + name + "." + token + suffix;
}

size_t appendListing(char* data, size_t size, size_t count, void* target) {
    auto& listing = *static_cast<std::string*>(target);
    size_t bytes = size * count;
    if (listing.size() + bytes > kListingLimit)
        return 0; // libcurl ends the transfer with a write error
    listing.append(data, bytes);
    return bytes;
}

// A fetch as it arrives: counted, because a server need not announce the
// size it sends, and written on only while within the limit.
struct Download {
    FILE* file = nullptr;
    std::uint64_t received = 0;
    std::uint64_t limit = 0;
    bool tooLarge = false;
};

size_t writeDownload(char* data, size_t size, size_t count, void* target) {
    auto& download = *static_cast<Download*>(target);
    size_t bytes = size * count;
    if (download.received + bytes > download.limit) {
        download.tooLarge = true;
        return 0; // libcurl ends the transfer with a write error
    }
    download.received += bytes;
    return std::fwrite(data, 1, bytes, download.file);
}

} // namespace

struct FtpTransport::Session {
    CURL* curl = nullptr;
    char error[CURL_ERROR_SIZE] = {};
    // Whether the server answered an RNFR of the request with "go on".
    bool renamePending = false;
    ~Session() {
        if (!curl)
            return;
        // Sends QUIT on a connection that is still open, but waits only a
        // moment for the goodbye of a server that has stopped answering.
        curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, 1L);
        curl_easy_cleanup(curl);
    }

    // Has the next request's replies seen, so that a failed rename tells
    // whether the server refused the RNFR (it allows no renaming here at
    // all) or only the RNTO.
    void watchReplies() {
        renamePending = false;
        curl_easy_setopt(curl, CURLOPT_DEBUGFUNCTION, seeReply);
        curl_easy_setopt(curl, CURLOPT_DEBUGDATA, this);
        curl_easy_setopt(curl, CURLOPT_VERBOSE, 1L);
    }
    static int seeReply(CURL*, curl_infotype type, char* data, size_t size, void* target) {
        if (type == CURLINFO_HEADER_IN &&
            std::string_view(data, size).starts_with(kRenamePendingReply))
            static_cast<Session*>(target)->renamePending = true;
        return 0;
    }
};

FtpTransport::FtpTransport(const std::string& address, const ExchangeLimits& limits)
    : m_address(address), m_limits(limits) {
    // Should the start fail, every request fails when it asks for a handle.
    startCurl();
    AddressFields fields = splitAddress(address);
    if ((!fields.scheme.empty() && upperAscii(fields.scheme) != "FTP") ||
        (fields.host + fields.path).find("://") != std::string::npos) {
        m_malformed = "Only ftp:// addresses can be used";
        return;
    }
    std::string authority = fields.host;
    std::string path = fields.path;
    m_hasUser = fields.hasUser;
    m_user = fields.user;
    m_password = fields.password;
    if (authority.empty()) {
        m_malformed = "The address has no host";
        return;
    }
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    if (path.empty() || path.back() != '/')
        path += '/';

    CurlUrl url;
    if (!url.handle) {
        m_malformed = "libcurl could not start";
        return;
    }
    CURLUcode code =
        curl_url_set(url.handle, CURLUPART_URL, ("ftp://" + authority + "/").c_str(), 0);
    if (code == CURLUE_OK)
        code = curl_url_set(url.handle, CURLUPART_PATH, path.c_str(), CURLU_URLENCODE);
    char* text = nullptr;
    if (code == CURLUE_OK)
        code = curl_url_get(url.handle, CURLUPART_URL, &text, 0);
    if (code != CURLUE_OK) {
        m_malformed = curl_url_strerror(code);
        return;
    }
    m_directoryUrl = text;
    curl_free(text);
}

FtpTransport::~FtpTransport() = default;

void FtpTransport::limit(const ExchangeLimits& limits, SteadyTime deadline) {
    m_limits = limits;
    m_deadline = deadline;
}

FtpTransport::Session* FtpTransport::session(Outcome& failure) {
    if (!m_malformed.empty()) {
        failure = Outcome::malformedAddress(m_malformed);
        return nullptr;
    }
    long remainingMs = 0; // none: no limit
    if (m_deadline != SteadyTime::max()) {
        auto remaining = std::chrono::duration_cast<std::chrono::milliseconds>(
            m_deadline - std::chrono::steady_clock::now());
        if (remaining.count() <= 0) {
            failure = Outcome::failure(CURLE_OPERATION_TIMEDOUT, "The time for this step ran out");
            return nullptr;
        }
        remainingMs = static_cast<long>(remaining.count());
    }
    if (!m_session) {
        auto created = std::make_unique<Session>();
        created->curl = curl_easy_init();
        if (!created->curl) {
            failure = Outcome::failure(CURLE_FAILED_INIT, "libcurl could not start");
            return nullptr;
        }
        m_session = std::move(created);
    } else {
        // Keeps the open connection, forgets the previous request's options.
        curl_easy_reset(m_session->curl);
    }
    CURL* curl = m_session->curl;
    m_session->error[0] = '\0';
    m_session->renamePending = false;
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, m_session->error);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "ftp");
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(
        curl, CURLOPT_CONNECTTIMEOUT_MS,
        static_cast<long>(
            std::chrono::duration_cast<std::chrono::milliseconds>(m_limits.connect).count()));
    // A command left unanswered, or a transfer moving less than a byte a
    // second, for the stall limit has stalled.
    curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, wholeSeconds(m_limits.stall));
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, wholeSeconds(m_limits.stall));
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, remainingMs);
    // Passive mode: the server opens no connection to us, which works
    // behind routers.
    curl_easy_setopt(curl, CURLOPT_FTPPORT, nullptr);
    if (m_hasUser) {
        curl_easy_setopt(curl, CURLOPT_USERNAME, m_user.c_str());
        curl_easy_setopt(curl, CURLOPT_PASSWORD, m_password.c_str());
    }
    return m_session.get();
}

Outcome FtpTransport::perform(Session& session) {
    CURLcode code = curl_easy_perform(session.curl);
    if (code == CURLE_OK)
        return Outcome::done();
    // A server may quote what it was sent, the password as well.
    std::string text =
        withoutPassword(session.error[0] ? session.error : curl_easy_strerror(code), m_address);
    if (code == CURLE_URL_MALFORMAT || code == CURLE_UNSUPPORTED_PROTOCOL)
        return Outcome::malformedAddress(text);
    long reply = 0;
    curl_easy_getinfo(session.curl, CURLINFO_RESPONSE_CODE, &reply);
    std::string replyText = " (server reply " + std::to_string(reply) + ")";
    if (code == CURLE_LOGIN_DENIED) {
        // The same name and password would be turned down again.
        std::string who = m_hasUser ? "the login of " + m_user : "the anonymous login";
        return Outcome::refused(code, "The server refused " + who + replyText);
    }
    if (code == CURLE_OPERATION_TIMEDOUT)
        return Outcome::failure(code, "The server stopped answering (" + text + ")");
    if (reply >= 400 && text.find(std::to_string(reply)) == std::string::npos)
        text += replyText;
    // "Not logged in" and the server's refusals of a name or a file (no such
    // file, no room, no such page type, a name not allowed): asking again
    // gets the same answer.
    if (reply == 530 || (reply >= 550 && reply <= 553))
        return Outcome::refused(code, text);
    return Outcome::failure(code, text);
}

Outcome FtpTransport::listNames(std::string& listing) {
    listing.clear();
    Outcome failure;
    Session* current = session(failure);
    if (!current)
        return failure;
    std::string received;
    curl_easy_setopt(current->curl, CURLOPT_URL, m_directoryUrl.c_str());
    curl_easy_setopt(current->curl, CURLOPT_DIRLISTONLY, 1L);
    curl_easy_setopt(current->curl, CURLOPT_WRITEFUNCTION, appendListing);
    curl_easy_setopt(current->curl, CURLOPT_WRITEDATA, &received);
    Outcome outcome = perform(*current);
    if (outcome.kind == OutcomeKind::Failure && outcome.code == CURLE_WRITE_ERROR)
        outcome.text =
            "The listing is longer than " + std::to_string(kListingLimit) + " characters";
    if (outcome.isDone())
        listing = withCrLf(received);
    return outcome;
}

Outcome FtpTransport::fetch(const std::string& remoteName, const std::filesystem::path& localPath) {
    if (!isPlainFileName(remoteName))
        return refusedName(remoteName);
    Outcome failure;
    Session* current = session(failure);
    if (!current)
        return failure;

    // The file arrives beside the target and replaces it only when whole.
    Result<std::filesystem::path> created = createTemporaryBeside(localPath);
    if (!created)
        return Outcome::failure(CURLE_WRITE_ERROR, created.error().message);
    const std::filesystem::path& temporary = *created;
    Download download;
    download.limit = m_limits.fetchBytes;
    download.file = std::fopen(temporary.c_str(), "wb");
    if (!download.file) {
        std::string error = "Cannot write " + localPath.string() + ": " + std::strerror(errno);
        ::unlink(temporary.c_str());
        return Outcome::failure(CURLE_WRITE_ERROR, error);
    }
    char* escaped =
        curl_easy_escape(current->curl, remoteName.c_str(), static_cast<int>(remoteName.size()));
    std::string url = m_directoryUrl + (escaped ? escaped : "");
    curl_free(escaped);
    curl_easy_setopt(current->curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(current->curl, CURLOPT_WRITEFUNCTION, writeDownload);
    curl_easy_setopt(current->curl, CURLOPT_WRITEDATA, &download);
    // Stops a size the server announces before a byte is moved; the count
    // in writeDownload stops one it does not announce.
    curl_easy_setopt(current->curl, CURLOPT_MAXFILESIZE_LARGE,
                     static_cast<curl_off_t>(download.limit));
    // The server's time of the file (MDTM, in UTC), asked before it is sent:
    // when the player's machine sent it.
    curl_easy_setopt(current->curl, CURLOPT_FILETIME, 1L);
    Outcome outcome = perform(*current);
    curl_off_t modified = -1;
    if (outcome.isDone() &&
        curl_easy_getinfo(current->curl, CURLINFO_FILETIME_T, &modified) == CURLE_OK &&
        modified >= 0)
        outcome.modified = std::chrono::sys_seconds(std::chrono::seconds(modified));
    if (download.tooLarge || outcome.code == CURLE_FILESIZE_EXCEEDED)
        outcome = Outcome::refused(CURLE_FILESIZE_EXCEEDED,
                                   remoteName + " is larger than " + sizeText(download.limit) +
                                       ", more than any file of the pool, so it was not taken");

    bool written = std::fflush(download.file) == 0 && ::fsync(::fileno(download.file)) == 0;
    written = std::fclose(download.file) == 0 && written;
    if (outcome.isDone() && !written)
        outcome = Outcome::failure(CURLE_WRITE_ERROR, "Cannot write " + localPath.string() + ": " +
                                                          std::strerror(errno));
    if (!outcome.isDone()) {
        ::unlink(temporary.c_str());
        return outcome;
    }
    if (Status renamed = renameIntoPlace(temporary, localPath); !renamed)
        return Outcome::failure(CURLE_WRITE_ERROR, renamed.error().message);
    return outcome;
}

Outcome FtpTransport::send(const std::filesystem::path& localPath, const std::string& remoteName) {
    if (!isPlainFileName(remoteName))
        return refusedName(remoteName);
    if (!m_malformed.empty())
        return Outcome::malformedAddress(m_malformed);
    FILE* file = std::fopen(localPath.c_str(), "rb");
    struct stat status {};
    if (!file || ::fstat(::fileno(file), &status) != 0 || !S_ISREG(status.st_mode)) {
        std::string error = "Cannot read " + localPath.string() + ": " +
                            (file ? "not a file" : std::strerror(errno));
        if (file)
            std::fclose(file);
        return Outcome::failure(CURLE_READ_ERROR, error);
    }
    Outcome failure;
    Session* current = session(failure);
    if (!current) {
        std::fclose(file);
        return failure;
    }

    // Sent under a temporary name and renamed over the old file, so a reader
    // sees the old file or the whole new one, and a send that fails on the
    // way leaves the old one.
    std::string temporary = besideRemoteName(remoteName, ".part");
    char* escaped =
        curl_easy_escape(current->curl, temporary.c_str(), static_cast<int>(temporary.size()));
    std::string url = m_directoryUrl + (escaped ? escaped : "");
    curl_free(escaped);
    CurlList rename;
    rename.append("RNFR " + temporary);
    rename.append("RNTO " + remoteName);
    curl_easy_setopt(current->curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(current->curl, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(current->curl, CURLOPT_READDATA, file);
    curl_easy_setopt(current->curl, CURLOPT_INFILESIZE_LARGE,
                     static_cast<curl_off_t>(status.st_size));
    curl_easy_setopt(current->curl, CURLOPT_POSTQUOTE, rename.head);
    current->watchReplies();
    Outcome outcome = perform(*current);
    std::fclose(file);
    if (outcome.isDone())
        return outcome;

    if (outcome.code == CURLE_QUOTE_ERROR) {
        // The whole file is on the server under its temporary name.
        if (current->renamePending)
            return replaceAside(temporary, remoteName, outcome);
        long reply = 0;
        curl_easy_getinfo(current->curl, CURLINFO_RESPONSE_CODE, &reply);
        removeQuietly(temporary);
        return Outcome::refused(CURLE_QUOTE_ERROR,
                                "The server allows no renaming (server reply " +
                                    std::to_string(reply) + "), so " + remoteName +
                                    " cannot be replaced whole; the file there was left as it was");
    }
    if (outcome.kind != OutcomeKind::MalformedAddress) {
        curl_off_t sent = 0;
        curl_easy_getinfo(current->curl, CURLINFO_SIZE_UPLOAD_T, &sent);
        bool started = sent > 0 || outcome.code == CURLE_UPLOAD_FAILED ||
                       outcome.code == CURLE_PARTIAL_FILE || outcome.code == CURLE_SEND_ERROR ||
                       outcome.code == CURLE_OPERATION_TIMEDOUT;
        if (started)
            removeQuietly(temporary);
    }
    return outcome;
}

Outcome FtpTransport::renameRemote(const std::string& from, const std::string& to) {
    Outcome failure;
    Session* current = session(failure);
    if (!current)
        return failure;
    CurlList rename;
    rename.append("RNFR " + from);
    rename.append("RNTO " + to);
    curl_easy_setopt(current->curl, CURLOPT_URL, m_directoryUrl.c_str());
    curl_easy_setopt(current->curl, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(current->curl, CURLOPT_POSTQUOTE, rename.head);
    return perform(*current);
}

Outcome FtpTransport::replaceAside(const std::string& temporary, const std::string& remoteName,
                                   const Outcome& refusal) {
    // Some servers rename onto no existing name. The old file steps aside
    // rather than going, so that it can come back should the new one still
    // not take its name. Whether trying again may help is the last step's
    // word; what went wrong, the refused rename's.
    auto refusedRename = [&](const Outcome& last, const Outcome& why) {
        return Outcome{last.kind,
                       CURLE_QUOTE_ERROR,
                       "The server did not rename the sent file to " + remoteName + " (" +
                           why.text + "); the file there was left as it was",
                       {}};
    };
    std::string aside = besideRemoteName(remoteName, ".old");
    if (Outcome moved = renameRemote(remoteName, aside); !moved.isDone()) {
        removeQuietly(temporary);
        return refusedRename(moved, refusal);
    }
    Outcome placed = renameRemote(temporary, remoteName);
    if (!placed.isDone()) {
        renameRemote(aside, remoteName);
        removeQuietly(temporary);
        return refusedRename(placed, placed);
    }
    removeQuietly(aside);
    return Outcome::done();
}

void FtpTransport::removeQuietly(const std::string& remoteName) {
    Outcome ignored;
    Session* current = session(ignored);
    if (!current)
        return;
    CurlList remove;
    remove.append("*DELE " + remoteName); // "*": a failure here is not an error
    curl_easy_setopt(current->curl, CURLOPT_URL, m_directoryUrl.c_str());
    curl_easy_setopt(current->curl, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(current->curl, CURLOPT_POSTQUOTE, remove.head);
    curl_easy_perform(current->curl);
}

Outcome FtpTransport::remove(const std::string& remoteName) {
    if (!isPlainFileName(remoteName))
        return refusedName(remoteName);
    Outcome failure;
    Session* current = session(failure);
    if (!current)
        return failure;
    // DELE after the change into the directory, which plain quote commands
    // would precede.
    CurlList remove;
    remove.append("DELE " + remoteName);
    curl_easy_setopt(current->curl, CURLOPT_URL, m_directoryUrl.c_str());
    curl_easy_setopt(current->curl, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(current->curl, CURLOPT_POSTQUOTE, remove.head);
    Outcome outcome = perform(*current);
    long reply = 0;
    curl_easy_getinfo(current->curl, CURLINFO_RESPONSE_CODE, &reply);
    // The server's "not found" answer: the file is already gone, which is
    // what was asked, and the first send to an empty directory goes ahead.
    if (outcome.code == CURLE_QUOTE_ERROR && reply == 550)
        return Outcome::done();
    return outcome;
}

Outcome FtpTransport::quit() {
    m_session.reset();
    return Outcome::done();
}

} // namespace gs
