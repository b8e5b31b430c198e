#include "exchangeoperations.h"

#include "core/poolday.h"
#include "core/poolmachine.h"
#include "core/poolrules.h"
#include "core/startup.h"
#include "core/text.h"
#include "core/textfile.h"
#include "core/userlist.h"
#include "exchange/exchangefiles.h"
#include "exchange/ftptransport.h"
#include "exchange/lantransport.h"
#include "exchange/latepicks.h"
#include "exchange/listing.h"
#include "exchange/poollist.h"
#include "net/address.h"
#include "publish/pagebuild.h"
#include "schedule/pickextras.h"
#include "schedule/seasongames.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>

namespace gs {

namespace fs = std::filesystem;

namespace {

constexpr const char* kOldScoresPrefix = "oldscores";

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           upperAscii(text.substr(0, prefix.size())) == upperAscii(prefix);
}

int percentOf(size_t done, size_t count) {
    return count == 0 ? 0 : static_cast<int>(done * 100 / count);
}

} // namespace

const char* modeName(ExchangeMode mode) {
    return mode == ExchangeMode::Ftp ? "FTP" : "LAN";
}

ExchangePlace openingPlace(const std::string& storedAddress) {
    if (startsWith(storedAddress, kFtpScheme))
        return {ExchangeMode::Ftp, storedAddress.substr(6)};
    return {ExchangeMode::Lan, storedAddress};
}

namespace {

// True when the path is the folder or lies inside it, as the file system
// resolves both (links, "..", a trailing separator).
bool isWithin(const fs::path& path, const fs::path& folder) {
    std::error_code ec;
    fs::path inner = fs::weakly_canonical(path, ec);
    if (ec)
        return false;
    fs::path outer = fs::weakly_canonical(folder, ec);
    if (ec)
        return false;
    auto [outerEnd, innerAt] =
        std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end());
    return outerEnd == outer.end();
}

// A folder that holds a pool's data: its marker, or a preference file.
bool holdsPoolData(const fs::path& folder) {
    std::error_code ec;
    if (fs::exists(folder / kDataFolderMarker, ec))
        return true;
    for (fs::directory_iterator entry(folder, ec), end; !ec && entry != end; entry.increment(ec))
        if (entry->path().filename().string().ends_with("_UserPref.dbu"))
            return true;
    return false;
}

} // namespace

Status checkExchangePlace(const Pool& pool, const ExchangePlace& place, PlaceUse use) {
    if (place.address.empty() || (place.mode == ExchangeMode::Ftp && place.address == kFtpScheme))
        return failure(ErrorKind::Refused, kNoPlaceMessage);
    if (place.mode == ExchangeMode::Ftp)
        return {};
    fs::path folder = place.address;
    for (const fs::path& own : {pool.folders().program, pool.folders().staging})
        if (isWithin(folder, own))
            return failure(ErrorKind::Refused,
                           "The shared folder " + place.address +
                               " is this computer's own data folder or lies inside it; choose the "
                               "pool's shared folder instead.");
    if (use == PlaceUse::Writing && holdsPoolData(folder))
        return failure(
            ErrorKind::Refused,
            "The shared folder " + place.address +
                " holds the data files of a pool, so nothing was written into it; choose "
                "the pool's shared folder instead.");
    return {};
}

std::unique_ptr<Transport> makeTransport(ExchangeMode mode, const std::string& address) {
    if (mode == ExchangeMode::Ftp)
        return std::make_unique<FtpTransport>(address);
    return std::make_unique<LanTransport>(address);
}

// The operation's wait: ends at once once the person cancelled.
class ExchangeOperations::CancellableWait final : public RetryWait {
public:
    CancellableWait(RetryWait& inner, const bool& cancelled)
        : m_inner(inner), m_cancelled(cancelled) {}
    bool wait(int milliseconds) override {
        if (m_cancelled)
            return false;
        bool waited = m_inner.wait(milliseconds);
        return waited && !m_cancelled;
    }

private:
    RetryWait& m_inner;
    const bool& m_cancelled;
};

ExchangeOperations::ExchangeOperations(Pool& pool, Dialogs& dialogs, ExchangeState& state,
                                       TransportFactory makeTransport, RequestRunner& requests,
                                       RetryWait& wait)
    : m_pool(pool), m_dialogs(dialogs), m_state(state), m_makeTransport(std::move(makeTransport)),
      m_requests(requests), m_wait(std::make_unique<CancellableWait>(wait, m_cancelRequested)) {}

ExchangeOperations::~ExchangeOperations() = default;

Transport& ExchangeOperations::transport() {
    if (!m_transport || !(m_transportPlace == target())) {
        quit();
        m_transport = m_makeTransport(target().mode, target().address);
        m_transportPlace = target();
    }
    return *m_transport;
}

void ExchangeOperations::quit() {
    if (!m_transport)
        return;
    // Ending an FTP connection says goodbye to the server, which may take
    // as long as any other request.
    std::unique_ptr<Transport> ending = std::move(m_transport);
    m_requests.run([&ending] {
        ending->quit();
        ending.reset();
        return Outcome::done();
    });
}

std::string ExchangeOperations::where() const {
    const std::string& address = target().address;
    if (target().mode == ExchangeMode::Lan)
        return address;
    return maskedAddress(startsWithNoCase(address, kFtpScheme) ? address : kFtpScheme + address);
}

bool ExchangeOperations::isAdminName() const {
    return m_pool.currentUser() == kAdminUser;
}

bool ExchangeOperations::takesMasterFiles() const {
    return m_playersMachine || (!isAdminName() && !m_pool.isAdmin(m_pool.currentUser()));
}

bool ExchangeOperations::takePoolList(const std::vector<std::string>& names, OperationEnd& end) {
    if (std::find(names.begin(), names.end(), kUserListFileName) == names.end()) {
        if (joiningPlayer.empty())
            return true;
        tell(MessageKind::Error, "The shared place " + where() + " holds no user list " +
                                     kUserListFileName +
                                     ": its administrator has not uploaded the admin files yet.");
        end = OperationEnd::Failed;
        return false;
    }
    std::vector<std::string> list = {kUserListFileName};
    if (!fetchAll(list, end))
        return false;
    if (list.empty()) // no file, which was reported
        return joiningPlayer.empty();
    Result<PoolListInstalled> installed =
        installPoolList(m_pool, m_pool.folders().staging / kUserListFileName, joiningPlayer);
    if (!installed) {
        // The rest of a player's download still comes, by the list he had.
        tell(MessageKind::Error, installed.error().message);
        end = OperationEnd::Failed;
        return joiningPlayer.empty();
    }
    m_poolList = *installed;
    moved(std::string("Merged ") + kUserListFileName + " into this computer's user list: season " +
          installed->season + ", " + std::to_string(installed->players) + " players");
    return true;
}

bool ExchangeOperations::usablePlace(PlaceUse use, OperationEnd& end) {
    if (Status usable = checkExchangePlace(m_pool, m_state.place, use); !usable) {
        tell(MessageKind::Error, usable.error().message);
        end = OperationEnd::Failed;
        return false;
    }
    return true;
}

bool ExchangeOperations::installsPickFile(const std::string& name) const {
    std::string owner = pickFileOwner(name);
    if (owner.empty() || owner == m_pool.currentUser() || owner == m_joinedPlayer ||
        m_pool.userSlot(owner) == 0)
        return false;
    return takesMasterFiles() || !isComputerPlayer(owner);
}

bool ExchangeOperations::installsExtrasFile(const std::string& name) const {
    if (extrasFileOwner(name).empty())
        return false;
    return installsPickFile(name.substr(0, name.size() - 4) + ".dat");
}

std::string ExchangeOperations::withoutPlacePassword(const std::string& text) const {
    if (target().mode != ExchangeMode::Ftp)
        return text;
    return withoutPassword(text, target().address);
}

void ExchangeOperations::tell(MessageKind kind, const std::string& text) {
    m_dialogs.message(kind, withoutPlacePassword(text),
                      kind == MessageKind::Error ? kErrorTitle : kProgramTitle);
}

void ExchangeOperations::moved(const std::string& what) {
    if (onFileMoved)
        onFileMoved(withoutPlacePassword(what));
}

void ExchangeOperations::setStatus(const std::string& line) {
    m_state.status = withoutPlacePassword(line);
    changed();
}

void ExchangeOperations::changed() {
    if (onStateChanged)
        onStateChanged();
}

void ExchangeOperations::showProgress(size_t done, size_t count) {
    m_state.progress = {true, 0, 100, percentOf(done, count)};
    changed();
}

void ExchangeOperations::hideProgress() {
    m_state.progress.visible = false;
    changed();
}

void ExchangeOperations::beginOperation() {
    m_cancelRequested = false;
    m_playersMachine = isPlayersMachine(m_pool.folders());
    m_joinedPlayer = joinedPlayer(m_pool.folders());
    m_state.status.clear();
    m_sentTimes.clear();
    m_games.reset();
}

bool ExchangeOperations::request(const std::string& stepName,
                                 const std::function<Outcome(Transport&)>& call,
                                 OperationEnd& end) {
    m_lastOutcome = Outcome::done();
    if (m_cancelRequested) {
        end = OperationEnd::Cancelled;
        return false;
    }
    setStatus(stepName + "...");
    Transport& place = transport();
    auto attempt = [&](SteadyTime deadline) {
        return m_requests.run([&] {
            place.limit(limits, deadline);
            return call(place);
        });
    };

    if (target().mode == ExchangeMode::Lan) {
        // A shared folder answers at once; trying again would not help.
        Outcome outcome = attempt(SteadyTime::max());
        m_lastOutcome = outcome;
        if (outcome.isDone())
            return true;
        tell(MessageKind::Error, stepName + " failed: " + outcome.text);
        end = OperationEnd::Failed;
        return false;
    }

    // Each failed try shows on the progress line, never in a message box of
    // its own: the person sees the operation persist and can still cancel.
    int tries = 0;
    auto showRetry = [&](const Outcome& failed) {
        ++tries;
        if (failed.code == kBusyCode)
            return;
        setStatus(stepName + ": try " + std::to_string(tries) + " of " +
                  std::to_string(limits.tries) + " failed (" + failed.text + ", error " +
                  std::to_string(failed.code) + "); trying again.");
    };
    StepResult result = runStep(stepName, attempt, *m_wait, limits, showRetry);
    m_lastOutcome = result.last;
    switch (result.end) {
    case StepEnd::Done:
        if (m_cancelRequested) {
            end = OperationEnd::Cancelled;
            return false;
        }
        return true;
    case StepEnd::MalformedAddress:
        tell(MessageKind::Error, kBadUrlMessage + maskedAddress(target().address));
        end = OperationEnd::MalformedAddress;
        return false;
    case StepEnd::GaveUp:
        tell(MessageKind::Error, result.message);
        end = OperationEnd::Failed;
        return false;
    case StepEnd::Cancelled:
        end = OperationEnd::Cancelled;
        return false;
    }
    return false;
}

bool ExchangeOperations::prepareStaging(OperationEnd& end) {
    const fs::path& staging = m_pool.folders().staging;
    // Files left by an operation that was cut short are never sent or
    // installed by this one.
    clearStaging();
    std::error_code ec;
    fs::create_directories(staging, ec);
    if (ec || !fs::is_directory(staging, ec)) {
        tell(MessageKind::Error,
             "The staging folder " + staging.string() + " cannot be created: " + ec.message());
        end = OperationEnd::Failed;
        return false;
    }
    return true;
}

void ExchangeOperations::clearStaging() {
    // A staging folder that is already empty or gone is what was wanted.
    std::error_code ec;
    fs::remove_all(m_pool.folders().staging, ec);
}

bool ExchangeOperations::stageCopy(const fs::path& from, const std::string& name,
                                   OperationEnd& end) {
    std::error_code ec;
    if (!fs::is_regular_file(from, ec)) {
        tell(MessageKind::Error, "The file " + from.string() + " does not exist.");
        end = OperationEnd::Failed;
        return false;
    }
    if (Status copied = copyFileAtomic(from, m_pool.folders().staging / name); !copied) {
        tell(MessageKind::Error, copied.error().message);
        end = OperationEnd::Failed;
        return false;
    }
    return true;
}

bool ExchangeOperations::sendStaged(const std::string& name, OperationEnd& end) {
    fs::path staged = m_pool.folders().staging / name;
    // Nothing is removed first: the transport replaces the remote copy only
    // by a whole new one, and a send that fails must leave the old.
    if (!request(
            "Sending " + name + " to " + where(),
            [&](Transport& t) { return t.send(staged, name); }, end))
        return false;
    moved("Sent " + name + " to " + where());
    return true;
}

fs::path ExchangeOperations::ownPickFolder() const {
    return m_pool.pickFolder(m_pool.userSlot(m_pool.currentUser()));
}

std::vector<std::string> ExchangeOperations::ownPickFiles() const {
    std::vector<std::string> names;
    std::error_code ec;
    fs::path folder = ownPickFolder();
    for (fs::directory_iterator entry(folder, ec), end; !ec && entry != end; entry.increment(ec)) {
        std::error_code typeError;
        std::string name = entry->path().filename().string();
        if (entry->is_regular_file(typeError) && (pickFileOwner(name) == m_pool.currentUser() ||
                                                  extrasFileOwner(name) == m_pool.currentUser()))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string ExchangeOperations::selectedFile() const {
    const ListModel& list = m_state.fileList;
    if (list.selected < 0 || list.selected >= static_cast<int>(list.entries.size()))
        return {};
    return list.entries[static_cast<size_t>(list.selected)];
}

bool ExchangeOperations::fetchAll(std::vector<std::string>& names, OperationEnd& end) {
    for (size_t k = 0; k < names.size();) {
        showProgress(k, names.size());
        const std::string& name = names[k];
        fs::path staged = m_pool.folders().staging / name;
        if (!request(
                "Fetching " + name + " from " + where(),
                [&](Transport& t) { return t.fetch(name, staged); }, end)) {
            // Something that is no file under a player's name (a folder, a
            // pipe) has been reported; the other files still come.
            if (m_lastOutcome.code != kNotAFileCode)
                return false;
            names.erase(names.begin() + static_cast<std::ptrdiff_t>(k));
            continue;
        }
        if (m_lastOutcome.modified)
            m_sentTimes[name] = *m_lastOutcome.modified;
        moved("Fetched " + name + " from " + where());
        ++k;
    }
    return true;
}

bool ExchangeOperations::extrasArrivedWhole(const fs::path& staged, const std::string& name,
                                            OperationEnd& end) {
    // A file cut short would lose the guesses past the cut: every line ends
    // in a line break (an emptied file holds none).
    Result<std::string> bytes = readFileBytes(staged);
    if (bytes && (bytes->empty() || bytes->back() == '\n' || bytes->back() == '\r'))
        return true;
    tell(MessageKind::Warning,
         "The received file " + name + " is cut short; the local copy was kept.");
    end = OperationEnd::Failed;
    return false;
}

void ExchangeOperations::installExtras(const fs::path& staged, const std::string& name,
                                       OperationEnd& end) {
    if (!extrasArrivedWhole(staged, name, end))
        return;
    fs::path target = m_pool.folders().program / name;
    if (Status copied = copyFileAtomic(staged, target); !copied) {
        tell(MessageKind::Error, copied.error().message);
        end = OperationEnd::Failed;
        return;
    }
    moved("Installed " + name + " in " + m_pool.folders().program.string());
}

bool ExchangeOperations::installPlayersPicks(const std::string& name, DownloadRecord& record,
                                             const PoolMoment& now, const TimeZone& zone,
                                             OperationEnd& end) {
    fs::path staged = m_pool.folders().staging / name;
    fs::path target = m_pool.folders().program / name;
    if (!m_games) {
        Result<std::vector<Game>> games = readGames(m_pool);
        if (!games) {
            tell(MessageKind::Error, games.error().message);
            end = OperationEnd::Failed;
            return false;
        }
        m_games = std::move(*games);
    }

    DownloadTimes times{record.lastDownload(name), std::nullopt, now};
    // A copy held from before this machine kept the record came when it was
    // last written here.
    std::error_code ec;
    if (auto written = fs::last_write_time(target, ec); !times.lastDownload && !ec)
        times.lastDownload = momentNoLaterThan(std::chrono::time_point_cast<std::chrono::seconds>(
                                                   std::chrono::file_clock::to_sys(written)),
                                               now, zone);
    if (auto sent = m_sentTimes.find(name); sent != m_sentTimes.end())
        times.sent = sent->second;

    bool picks = !pickFileOwner(name).empty();
    std::string owner = picks ? pickFileOwner(name) : extrasFileOwner(name);
    int year = std::atoi(name.c_str() + owner.size());
    Result<ReceivedPicks> merged = (picks ? mergeReceivedPicks : mergeReceivedExtras)(
        seasonOf(*m_games, year), owner, target, staged, times, zone);
    Status installed = !merged         ? Status(failure(merged.error()))
                       : merged->lines ? writeLinesAtomic(target, *merged->lines)
                                       : copyFileAtomic(staged, target);
    if (!installed) {
        tell(MessageKind::Error, installed.error().message);
        end = OperationEnd::Failed;
        return false;
    }
    record.note(name, now);
    moved("Installed " + name + " in " + m_pool.folders().program.string());
    for (const std::string& refusal : merged->refusals)
        moved(refusal);
    return true;
}

void ExchangeOperations::installFetched(const std::vector<std::string>& names, OperationEnd& end) {
    bool takesMasters = takesMasterFiles();
    // Whether a pick came in time is judged on the pool's moment, read
    // afresh: the clock's in a live pool, the administrator's fixed day in a
    // pool played over again.
    refreshPoolDay(m_pool);
    const PoolMoment now = m_pool.moment();
    Result<TimeZone> zone = clockZone();
    DownloadRecord record = zone ? DownloadRecord::read(m_pool.folders(), *zone) : DownloadRecord{};
    bool recorded = false;
    for (size_t k = 0; k < names.size(); ++k) {
        showProgress(k, names.size());
        const std::string& name = names[k];
        fs::path staged = m_pool.folders().staging / name;
        if (name == kGamesFileName) {
            if (!takesMasters)
                continue;
            if (Status installed = installGamesTable(m_pool, staged); !installed) {
                tell(MessageKind::Error, installed.error().message);
                end = OperationEnd::Failed;
                continue;
            }
            moved("Installed " + name + " as the games table");
            continue;
        }
        if (name == kPoolRulesFileName) {
            if (takesMasters)
                installExtras(staged, name, end);
            continue;
        }
        if (installsExtrasFile(name)) {
            // A person's guesses and values come under the picks' rule; the
            // computer players' are the administrator's.
            std::string owner = extrasFileOwner(name);
            if (isComputerPlayer(owner) || !zone) {
                installExtras(staged, name, end);
                continue;
            }
            if (extrasArrivedWhole(staged, name, end))
                recorded = installPlayersPicks(name, record, now, *zone, end) || recorded;
            continue;
        }
        if (!startsWith(name, kOldScoresPrefix) && !installsPickFile(name))
            continue;
        if (Status whole = checkPickFileWhole(staged); !whole) {
            // The others are still installed, but the download is not whole.
            tell(MessageKind::Warning, whole.error().message);
            end = OperationEnd::Failed;
            continue;
        }
        // A person's picks: the computer players' files are the
        // administrator's, worked out on his machine.
        if (std::string owner = pickFileOwner(name);
            !owner.empty() && !isComputerPlayer(owner) && !startsWith(name, kOldScoresPrefix)) {
            if (!zone) {
                tell(MessageKind::Error, zone.error().message);
                end = OperationEnd::Failed;
                continue;
            }
            recorded = installPlayersPicks(name, record, now, *zone, end) || recorded;
            continue;
        }
        fs::path target = m_pool.folders().program / name;
        if (Status copied = copyFileAtomic(staged, target); !copied) {
            tell(MessageKind::Error, copied.error().message);
            end = OperationEnd::Failed;
            continue;
        }
        moved("Installed " + name + " in " + m_pool.folders().program.string());
    }
    if (!recorded)
        return;
    if (Status saved = record.save(m_pool.folders()); !saved) {
        tell(MessageKind::Error, saved.error().message);
        end = OperationEnd::Failed;
    }
}

OperationEnd ExchangeOperations::downloadAllUserFiles() {
    beginOperation();
    OperationEnd end = OperationEnd::Completed;
    if (!usablePlace(PlaceUse::Reading, end))
        return end;
    showProgress(0, 1);
    if (!prepareStaging(end)) {
        hideProgress();
        return end;
    }
    bool takesMasters = takesMasterFiles();
    std::string listing;
    if (!request(
            "Listing " + where(), [&](Transport& t) { return t.listNames(listing); }, end)) {
        clearStaging();
        hideProgress();
        return end;
    }

    // The pool's list first: it decides the season the games table is
    // checked against and whose pick files come.
    std::vector<std::string> names = parseListing(listing);
    m_poolList.reset();
    if (takesMasters && !takePoolList(names, end)) {
        clearStaging();
        hideProgress();
        return end;
    }

    std::vector<std::string> wanted;
    bool ftp = m_state.place.mode == ExchangeMode::Ftp;
    for (const std::string& name : names) {
        // A name that is not a plain file name could make a fetch write
        // outside the staging folder.
        if (!isPlainFileName(name))
            continue;
        // The old-scores files travel only through a shared folder.
        bool wantedFile = name == kGamesFileName || name == kPoolRulesFileName ? takesMasters
                          : startsWith(name, kOldScoresPrefix)
                              ? !ftp && isDataFileName(name)
                              : installsPickFile(name) || installsExtrasFile(name);
        if (wantedFile)
            wanted.push_back(name);
    }
    std::stable_partition(wanted.begin(), wanted.end(),
                          [](const std::string& name) { return name == kGamesFileName; });
    if (ftp)
        m_state.listing = listing;
    m_state.fileList = ListModel{wanted, -1};
    if (m_poolList)
        m_state.fileList.entries.insert(m_state.fileList.entries.begin(), kUserListFileName);
    changed();

    // From a shared folder a user with rights keeps his own computer
    // player's file, the master copy; a player takes the administrator's, so
    // that both machines show the same picks for it.
    if (fetchAll(wanted, end))
        installFetched(wanted, end);
    clearStaging();
    hideProgress();
    if (end != OperationEnd::Completed)
        return end;
    if (!ftp) {
        m_state.fileList = ListModel{};
        changed();
        m_dialogs.inform(kOperationCompleteMessage);
    }
    return end;
}

OperationEnd ExchangeOperations::uploadUserFiles(UploadSet set) {
    beginOperation();
    OperationEnd end = OperationEnd::Completed;
    const UserSlot* row = m_pool.currentSlot();
    if (!row) {
        tell(MessageKind::Error, kNotOnUserListMessage);
        return OperationEnd::Failed;
    }
    if (Status may = mayUploadPickFiles(m_pool); !may) {
        tell(MessageKind::Error, may.error().message);
        return OperationEnd::Failed;
    }
    // A player's machine sends its player's picks, and nothing else.
    bool own = set == UploadSet::OwnPickFiles || m_playersMachine;
    if (!usablePlace(PlaceUse::Writing, end))
        return end;
    if (!own && row->admin == 1 && m_state.fileList.entries.empty())
        return OperationEnd::NothingDone;

    // (source, name) of every file to send.
    std::vector<std::pair<fs::path, std::string>> files;
    fs::path userFolder = ownPickFolder();
    if (m_state.place.mode == ExchangeMode::Ftp) {
        if (own || !isAdminName()) {
            std::vector<std::string> names = ownPickFiles();
            m_state.fileList = ListModel{names, -1};
            for (const std::string& name : names)
                files.emplace_back(userFolder / name, name);
        } else if (std::string name = selectedFile(); !name.empty()) {
            files.emplace_back(m_pool.folders().program / name, name);
        }
    } else if (own || row->admin == 0) {
        std::string name = m_pool.currentUser() + std::to_string(m_pool.seasonYear()) + ".dat";
        m_state.fileList = ListModel{{name}, -1};
        files.emplace_back(userFolder / name, name);
        // The player's guesses and confidence values go with his picks, where
        // he has any.
        std::string extras = extrasFileName(m_pool.currentUser(), m_pool.seasonYear());
        if (fileExists(userFolder / extras)) {
            m_state.fileList.entries.push_back(extras);
            files.emplace_back(userFolder / extras, extras);
        }
    } else if (std::string name = selectedFile(); !name.empty()) {
        files.emplace_back(userFolder / name, name);
    }
    for (const auto& file : files)
        if (!isPlainFileName(file.second)) {
            tell(MessageKind::Error, "\"" + file.second + "\" is not a plain file name.");
            return OperationEnd::Failed;
        }

    showProgress(0, 1);
    if (!files.empty() && !prepareStaging(end)) {
        hideProgress();
        return end;
    }
    for (size_t k = 0; k < files.size(); ++k) {
        showProgress(k, files.size());
        if (!stageCopy(files[k].first, files[k].second, end) || !sendStaged(files[k].second, end))
            break;
    }
    if (end == OperationEnd::Completed && files.size() == 1)
        showProgress(1, 1);
    clearStaging();
    hideProgress();
    if (end != OperationEnd::Completed)
        return end;
    m_state.fileList = ListModel{};
    changed();
    m_dialogs.inform(kOperationCompleteMessage);
    return end;
}

OperationEnd ExchangeOperations::uploadAdminFiles() {
    beginOperation();
    OperationEnd end = OperationEnd::Completed;
    m_unavailable.clear();
    if (!requireAdmin(m_pool, m_pool.currentUser(), m_dialogs) ||
        !requireAdministratorsMachine(m_pool, m_dialogs))
        return OperationEnd::NothingDone;
    if (!usablePlace(PlaceUse::Writing, end))
        return end;
    bool ftp = m_state.place.mode == ExchangeMode::Ftp;
    showProgress(0, 1);
    if (!prepareStaging(end)) {
        hideProgress();
        return end;
    }

    struct MasterFile {
        std::string name;
        bool reportMissing;
    };
    const std::vector<MasterFile> masters = {
        {kGamesFileName, true},
        {std::string(kComputerPlayer) + std::to_string(m_pool.seasonYear()) + ".dat", false},
        {std::string(kRatingPlayer) + std::to_string(m_pool.seasonYear()) + ".dat", false},
        {kUserListFileName, true},
        // Only a pool whose administrator chose a rule has one.
        {kPoolRulesFileName, false},
    };
    for (const MasterFile& master : masters) {
        fs::path source = m_pool.folders().program / master.name;
        std::error_code ec;
        if (!fs::is_regular_file(source, ec)) {
            if (master.reportMissing) {
                m_unavailable.push_back(master.name);
                m_dialogs.inform(source.string() + kUnavailableSuffix);
            }
            continue;
        }
        if (master.name == kUserListFileName) {
            // The copy for everybody's eyes carries no password.
            Result<std::string> bytes = readFileBytes(source);
            if (!bytes) {
                tell(MessageKind::Error, "The user list " + source.string() +
                                             " cannot be read: " + bytes.error().message);
                end = OperationEnd::Failed;
                break;
            }
            if (Status staged = writeFileAtomic(m_pool.folders().staging / master.name,
                                                userListWithoutPasswords(*bytes));
                !staged) {
                tell(MessageKind::Error, staged.error().message);
                end = OperationEnd::Failed;
                break;
            }
        } else if (!stageCopy(source, master.name, end)) {
            break;
        }
        if (!sendStaged(master.name, end))
            break;
    }
    // The pool's page goes to its own address, never into the exchange place.
    if (const std::string pageAddress = storedPageAddress(m_pool);
        end == OperationEnd::Completed && !pageAddress.empty()) {
        const fs::path page = m_pool.folders().staging / kPageFileName;
        if (Status written = writePoolPageFile(m_pool, m_dialogs, page); !written) {
            tell(MessageKind::Error, written.error().message);
            end = OperationEnd::Failed;
        } else {
            sendPageTo(pageAddress, end);
        }
    }
    clearStaging();
    if (end != OperationEnd::Completed) {
        hideProgress();
        return end;
    }
    showProgress(1, 1);
    if (ftp)
        m_dialogs.inform(kOperationCompleteMessage);
    hideProgress();
    return end;
}

Status checkPagePlace(const Pool& pool, const ExchangePlace& exchangePlace,
                      const std::string& pageAddress) {
    const ExchangePlace page = openingPlace(pageAddress);
    if (page.address.empty())
        return failure(ErrorKind::Refused, "No page address given: type a folder or an ftp:// "
                                           "address for the pool's page.");
    if (Status usable = checkExchangePlace(pool, page, PlaceUse::Writing); !usable)
        return usable;
    const std::string shown =
        page.mode == ExchangeMode::Ftp ? maskedAddress(pageAddress) : pageAddress;
    const Error holdsExchange{
        ErrorKind::Refused,
        "The page address " + shown +
            " is the exchange place or holds it: the players' pick files there would be "
            "readable from the web. Give the pool's page a folder of its own."};
    if (exchangePlace.address.empty() || exchangePlace.mode != page.mode)
        return {};
    if (page.mode == ExchangeMode::Lan) {
        if (isWithin(exchangePlace.address, page.address))
            return failure(holdsExchange);
        return {};
    }
    // The same server's folder, or one inside it.
    auto folderOf = [](std::string address) {
        while (!address.empty() && address.back() == '/')
            address.pop_back();
        return address;
    };
    const std::string pageFolder = folderOf(page.address);
    const std::string exchangeFolder = folderOf(exchangePlace.address);
    if (exchangeFolder == pageFolder || exchangeFolder.starts_with(pageFolder + "/"))
        return failure(holdsExchange);
    return {};
}

bool ExchangeOperations::sendPageTo(const std::string& pageAddress, OperationEnd& end) {
    if (Status usable = checkPagePlace(m_pool, m_state.place, pageAddress); !usable) {
        tell(MessageKind::Error, usable.error().message);
        end = OperationEnd::Failed;
        return false;
    }
    m_pagePlace = openingPlace(pageAddress);
    const bool sent = sendStaged(kPageFileName, end);
    m_pagePlace.reset();
    return sent;
}

OperationEnd ExchangeOperations::sendPoolPage(const std::string& pageAddress,
                                              const fs::path& page) {
    beginOperation();
    OperationEnd end = OperationEnd::Completed;
    if (!prepareStaging(end))
        return end;
    if (stageCopy(page, kPageFileName, end))
        sendPageTo(pageAddress, end);
    clearStaging();
    return end;
}

OperationEnd ExchangeOperations::listRemoteDirectory() {
    beginOperation();
    OperationEnd end = OperationEnd::Completed;
    if (!usablePlace(PlaceUse::Reading, end))
        return end;
    std::string listing;
    if (!request(
            "Listing " + where(), [&](Transport& t) { return t.listNames(listing); }, end))
        return end;
    if (m_state.place.mode == ExchangeMode::Ftp)
        m_state.listing = listing;
    m_state.fileList = ListModel{parseListing(listing), -1};
    changed();
    return end;
}

OperationEnd ExchangeOperations::deleteRemoteFile(const std::string& name) {
    beginOperation();
    OperationEnd end = OperationEnd::Completed;
    // The shared place holds the pool's master files and everybody's picks;
    // only the administrator's machine removes any of them.
    if (m_playersMachine) {
        tell(MessageKind::Error, kPlayersMachineMessage);
        return OperationEnd::Failed;
    }
    if (!usablePlace(PlaceUse::Writing, end))
        return end;
    if (!request(
            "Removing " + name + " from " + where(), [&](Transport& t) { return t.remove(name); },
            end))
        return end;
    moved("Removed " + name + " from " + where());
    return listRemoteDirectory();
}

} // namespace gs
