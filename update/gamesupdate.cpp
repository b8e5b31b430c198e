#include "gamesupdate.h"

#include "core/poollock.h"
#include "core/poolsettings.h"
#include "core/text.h"
#include "core/textfile.h"
#include "net/address.h"
#include "schedule/importer.h"

#include <cinttypes>
#include <cstdio>
#include <unistd.h>

namespace gs {

namespace fs = std::filesystem;

namespace {

fs::path downloadsPath(const Pool& pool) {
    return pool.folders().program / kGamesDownloadsFileName;
}

// A fingerprint of the games table file: its size and a 64-bit FNV-1a hash
// of its bytes. "" when the file cannot be read.
std::string tableStamp(const Pool& pool) {
    Result<std::string> bytes = readFileBytes(pool.gamesDatabasePath(), kMaxScheduleFileBytes);
    if (!bytes)
        return {};
    std::uint64_t hash = 14695981039346656037ULL;
    for (unsigned char c : *bytes) {
        hash ^= c;
        hash *= 1099511628211ULL;
    }
    char text[40];
    std::snprintf(text, sizeof text, "%zu:%016" PRIx64, bytes->size(), hash);
    return text;
}

// One address's line of GamesDownloads.txt: address (its password masked),
// ETag, Last-Modified and the table's fingerprint, separated by tabs (no
// address holds one).
struct KnownDownload {
    Validators validators;
    std::string tableStamp;
};

std::optional<KnownDownload> knownDownload(const Pool& pool, const std::string& url) {
    Result<std::vector<std::string>> lines = readTextFile(downloadsPath(pool));
    if (!lines)
        return std::nullopt;
    for (const std::string& line : *lines) {
        std::vector<std::string> fields = splitFields(line, '\t');
        if (fields.size() == 4 && fields[0] == maskedAddress(url))
            return KnownDownload{{fields[1], fields[2]}, fields[3]};
    }
    return std::nullopt;
}

// Keeps the validators of an address, and every other address's line.
Status keepDownload(const Pool& pool, const std::string& url, const KnownDownload& known) {
    Result<std::vector<std::string>> kept = readTextFile(downloadsPath(pool));
    if (!kept && kept.error().kind != ErrorKind::NotFound)
        return failure(kept.error());
    // A password never stands in the file, not even in a line an older
    // release wrote.
    const std::string shown = maskedAddress(url);
    std::vector<std::string> lines;
    for (const std::string& line : kept.value_or(std::vector<std::string>{})) {
        const std::string address = splitFields(line, '\t')[0];
        if (maskedAddress(address) != shown)
            lines.push_back(maskedAddress(address) + line.substr(address.size()));
    }
    auto clean = [](std::string text) {
        for (char& c : text)
            if (c == '\t' || c == '\r' || c == '\n')
                c = ' ';
        return text;
    };
    // A server that gave no validators is asked unconditionally next time.
    if (!known.validators.empty())
        lines.push_back(clean(shown) + "\t" + clean(known.validators.etag) + "\t" +
                        clean(known.validators.lastModified) + "\t" + known.tableStamp);
    // The owner's only all the same: an address's user name is nobody
    // else's business either.
    return writeLinesAtomic(downloadsPath(pool), lines, FileAccess::OwnerOnly);
}

// The temporary file a download goes to, held open (so that another copy of
// the program starting meanwhile does not take it for a leftover) and
// removed with the object.
class HeldTemporary {
public:
    explicit HeldTemporary(const fs::path& beside) : m_file(createHeldTemporaryBeside(beside)) {}
    ~HeldTemporary() {
        if (!m_file)
            return;
        std::error_code ec;
        fs::remove(m_file->path, ec);
        ::close(m_file->fd);
    }
    HeldTemporary(const HeldTemporary&) = delete;
    HeldTemporary& operator=(const HeldTemporary&) = delete;
    bool ok() const { return m_file.has_value(); }
    const fs::path& path() const { return m_file->path; }
    const Error& error() const { return m_file.error(); }

private:
    Result<OpenTemporary> m_file;
};

std::string cannotFetch(const std::string& reason) {
    return "The games file could not be fetched: " + reason +
           ". The games table was left as it is.";
}

} // namespace

Result<std::string> gamesFileUrl(const Pool& pool, const std::optional<std::string>& url) {
    if (url)
        return *url;
    fs::path path = poolSettingsPath(pool.folders());
    Result<PoolSettings> settings = PoolSettings::load(path);
    if (!settings)
        return failure(settings.error());
    if (std::optional<std::string> stored = settings->value(kGamesUrlKey);
        stored && !stored->empty())
        return *stored;
    Result<PoolLock> lock = lockPoolFiles(pool);
    if (!lock)
        return failure(lock.error());
    // Read again under the lock: another copy may have written it meanwhile.
    settings = PoolSettings::load(path);
    if (!settings)
        return failure(settings.error());
    if (std::optional<std::string> stored = settings->value(kGamesUrlKey);
        stored && !stored->empty())
        return *stored;
    settings->set(kGamesUrlKey, kDefaultGamesUrl);
    if (Status saved = settings->save(path); !saved)
        return failure(saved.error());
    return std::string(kDefaultGamesUrl);
}

Status storeGamesFileUrl(const Pool& pool, const std::string& url) {
    if (!hasAcceptedScheme(url) || url.find_first_of(" \t\r\n") != std::string::npos)
        return failure(ErrorKind::Refused,
                       "The games file's address must begin with https://, http:// or file:// "
                       "and hold no spaces, not \"" +
                           maskedAddress(url) + "\".");
    return storePoolSettings(pool, {{kGamesUrlKey, url}});
}

FetchedGamesFile
fetchGamesFile(const Pool& pool, const GamesUpdateOptions& options,
               const std::function<void(std::uint64_t received, std::uint64_t total)>& progress,
               const std::atomic<bool>* cancel) {
    FetchedGamesFile fetched;
    Result<std::string> url = gamesFileUrl(pool, options.url);
    if (!url) {
        fetched.reason = cannotFetch(url.error().message);
        return fetched;
    }
    fetched.url = *url;
    const std::string shown = maskedAddress(*url);

    DownloadRequest request;
    request.url = *url;
    request.limits = options.limits;
    request.progress = progress;
    request.cancel = cancel;
    fetched.tableStamp = tableStamp(pool);
    if (!options.force)
        if (std::optional<KnownDownload> known = knownDownload(pool, *url);
            known && !fetched.tableStamp.empty() && known->tableStamp == fetched.tableStamp)
            request.conditional = known->validators;

    HeldTemporary body(pool.folders().program / "games.csv");
    if (!body.ok()) {
        fetched.reason = cannotFetch("no temporary file could be made: " + body.error().message);
        return fetched;
    }
    DownloadResult result = downloadToFile(request, body.path());
    fetched.status = result.status;
    fetched.validators = result.validators;
    if (result.status == DownloadStatus::Cancelled) {
        fetched.reason = "The download was cancelled. The games table was left as it is.";
        return fetched;
    }
    if (result.status != DownloadStatus::Fetched) {
        if (result.status == DownloadStatus::Failed)
            fetched.reason = cannotFetch(
                result.reason +
                (result.tries > 1 ? " (" + std::to_string(result.tries) + " tries)" : ""));
        return fetched;
    }

    Result<std::string> bytes = readFileBytes(body.path(), options.limits.maxBytes);
    if (!bytes) {
        fetched.status = DownloadStatus::Failed;
        fetched.reason = cannotFetch("the download cannot be read: " + bytes.error().message);
        return fetched;
    }
    fetched.bytes = std::move(*bytes);
    // What arrived must be the whole file: its header first, its last line
    // complete (a body cut short without the server saying so ends
    // mid-line).
    std::string problem;
    if (!hasCommunityHeader(fetched.bytes))
        problem = "what " + shown +
                  " sent is not the community games file: its first line is "
                  "not the file's header";
    else if (fetched.bytes.back() != '\n' && fetched.bytes.back() != '\r')
        problem = "the file from " + shown + " was cut short: its last line is not complete";
    if (!problem.empty()) {
        fetched.status = DownloadStatus::Failed;
        fetched.bytes.clear();
        fetched.reason =
            "The games file was refused: " + problem + ". The games table was left as it is.";
    }
    return fetched;
}

GamesUpdateResult applyGamesFile(const Pool& pool, const FetchedGamesFile& fetched,
                                 bool overwrite) {
    GamesUpdateResult update;
    if (!fetched.usable()) {
        update.summary = fetched.reason;
        return update;
    }
    Result<PoolLock> lock = lockPoolFiles(pool);
    if (!lock) {
        update.summary = lock.error().message;
        return update;
    }
    if (fetched.status == DownloadStatus::NotModified) {
        // The answer holds only while the table is still as the request
        // found it.
        if (tableStamp(pool) != fetched.tableStamp) {
            update.summary = "The games table changed while the games file was checked. Update "
                             "again.";
            return update;
        }
        update.ok = true;
        update.summary = "Already up to date: the games file at " + maskedAddress(fetched.url) +
                         " has not changed since it was last applied.";
        return update;
    }
    ScheduleImportResult imported =
        importScheduleText(pool, fetched.bytes, {.overwrite = overwrite});
    update.ok = imported.ok;
    update.changed = imported.changed;
    update.conflicts = imported.conflicts;
    update.summary = imported.summary;
    if (!imported.ok)
        return update;
    // Only a file that was applied changes what the next fetch asks for;
    // after a refused or failed one the old validators stay.
    if (Status kept = keepDownload(pool, fetched.url, {fetched.validators, tableStamp(pool)});
        !kept)
        update.summary +=
            " (The file's version could not be kept for the next update: " + kept.error().message +
            ")";
    return update;
}

GamesUpdateResult updateGames(const Pool& pool, const GamesUpdateOptions& options, bool overwrite) {
    return applyGamesFile(pool, fetchGamesFile(pool, options), overwrite);
}

} // namespace gs
