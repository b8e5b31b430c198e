#pragma once

// The three operations of the file exchange ("Download All User Files",
// "Upload User Files", "Upload Admin Files") and the requests the exchange
// window makes of the shared place, over FTP or a shared folder. The
// window and the exchange commands run them alike.
//
// Every step is a whole file: a file arrives in the staging folder whole
// before it replaces a local one, and a file is sent so that nobody sees
// half of it. A step of the shared place that fails is tried again, a
// bounded number of times; a step on this machine that fails stops the
// operation with the reason.

#include "core/dialogs.h"
#include "core/game.h"
#include "core/grid.h"
#include "core/kickoff.h"
#include "core/pool.h"
#include "exchange/downloadrecord.h"
#include "exchange/exchangelimits.h"
#include "exchange/poollist.h"
#include "exchange/retry.h"
#include "exchange/transport.h"

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace gs {

inline constexpr const char* kOperationCompleteMessage = "Operation Complete.";
inline constexpr const char* kBadUrlMessage = "Bad URL ";
inline constexpr const char* kUnavailableSuffix = " unavailable";
inline constexpr const char* kFtpScheme = "ftp://";
inline constexpr const char* kNoPlaceMessage =
    "No exchange place set yet: type the FTP address or the shared folder and press \"Change\".";

// The failure code of a request refused because another one is still
// running; it is tried again without a word.
inline constexpr long kBusyCode = -2;

enum class ExchangeMode { Ftp, Lan };

// "FTP" or "LAN".
const char* modeName(ExchangeMode mode);

// Where the operations work: the transfer mode and the working address (an
// FTP address with or without "ftp://", or a shared folder).
struct ExchangePlace {
    ExchangeMode mode = ExchangeMode::Lan;
    std::string address;
    bool operator==(const ExchangePlace&) const = default;
};

// The place a stored exchange address opens with: FTP mode and the address
// after "ftp://" when it begins with "ftp://", else LAN mode and the
// address as it is.
ExchangePlace openingPlace(const std::string& storedAddress);

enum class PlaceUse { Reading, Writing };

// Done when the operations may use the place. An empty address is no place
// yet. A shared folder that is, or lies inside, this pool's data folder or
// staging folder is refused for any use: the exchange's copies (the user
// list without its passwords, above all) would land on the files they were
// made from. For writing, a folder that holds any pool's data (its marker
// or a preference file) is refused too; the master files a real shared
// folder holds are no such sign.
Status checkExchangePlace(const Pool& pool, const ExchangePlace& place, PlaceUse use);

// Done when the pool's page may go to the address: a place the exchange
// could write to that neither is the exchange place nor holds it, as a web
// folder holding the exchange place would show everybody's pick files.
Status checkPagePlace(const Pool& pool, const ExchangePlace& exchangePlace,
                      const std::string& pageAddress);

// Makes the transport of a place; tests put their own in.
using TransportFactory =
    std::function<std::unique_ptr<Transport>(ExchangeMode mode, const std::string& address)>;

// The real transports: FtpTransport or LanTransport.
std::unique_ptr<Transport> makeTransport(ExchangeMode mode, const std::string& address);

// Runs one request of the shared place and returns its outcome. The window
// runs it on another thread and keeps itself responsive meanwhile; the
// command line and tests run it in place.
class RequestRunner {
public:
    virtual ~RequestRunner() = default;
    virtual Outcome run(const std::function<Outcome()>& request) = 0;
};

class DirectRequests final : public RequestRunner {
public:
    Outcome run(const std::function<Outcome()>& request) override { return request(); }
};

enum class OperationEnd {
    Completed,
    NothingDone,      // the operation had nothing to do
    MalformedAddress, // "Bad URL " was shown; the window closes
    Failed,           // the reason was shown
    Cancelled,        // the person cancelled a wait
};

// What the window shows of the exchange and the operations change.
struct ExchangeState {
    ExchangePlace place;
    std::string listing; // the last FTP directory listing, as received
    ListModel fileList;
    ProgressModel progress;
    // The progress line: the step under way, and each failed try of it
    // while it is tried again.
    std::string status;
};

class ExchangeOperations {
public:
    ExchangeOperations(Pool& pool, Dialogs& dialogs, ExchangeState& state,
                       TransportFactory makeTransport, RequestRunner& requests, RetryWait& wait);
    ~ExchangeOperations();
    ExchangeOperations(const ExchangeOperations&) = delete;
    ExchangeOperations& operator=(const ExchangeOperations&) = delete;

    // "Download All User Files": the players' pick files from the shared
    // place. A player's download (anybody's on a player's machine, else a
    // user's without administrator rights) first merges the pool's user
    // list, then takes the games table and the computer players' files.
    OperationEnd downloadAllUserFiles();

    // The player who joins the pool with the next download: the shared
    // place must hold the pool's list, the list must hold him, and he is no
    // newcomer who plays elsewhere.
    std::string joiningPlayer;
    // What the last download's merge of the pool's list installed, if any.
    const std::optional<PoolListInstalled>& poolListInstalled() const { return m_poolList; }

    enum class UploadSet {
        // As the window's button: an administrator sends the file selected
        // in the file list, anybody else his own pick files.
        Window,
        // The user's own pick files, whoever he is.
        OwnPickFiles,
    };
    // "Upload User Files". On a player's machine only the player who joined
    // from it uploads, and only his own pick files.
    OperationEnd uploadUserFiles(UploadSet set = UploadSet::Window);

    // "Upload Admin Files": the games table, the computer player's pick file
    // and the user list without its passwords. Needs administrator rights.
    // With a page address kept in the pool's settings, the pool's page is
    // written afresh and sent there as well.
    OperationEnd uploadAdminFiles();

    // Sends the pool's page file as index.html to the page address (a folder
    // or an ftp:// address) by the rule of every send; refused for an address
    // that is, or holds, the exchange place.
    OperationEnd sendPoolPage(const std::string& pageAddress, const std::filesystem::path& page);

    // "Remote Directory": the names of the shared place into the file list
    // (over FTP, the listing into the listing box as well).
    OperationEnd listRemoteDirectory();

    // Removes one file of the shared place, then lists the place again.
    OperationEnd deleteRemoteFile(const std::string& name);

    // Ends the connection to the shared place, if any.
    void quit();

    // Stops the running operation at its next wait or request.
    void cancel() { m_cancelRequested = true; }

    // The master files that "Upload Admin Files" found missing last time.
    const std::vector<std::string>& unavailableFiles() const { return m_unavailable; }

    // How long the shared place may take, how often a step is tried.
    ExchangeLimits limits;
    // Told of each file moved ("Fetched ...", "Installed ...", "Sent ..."),
    // and of each pick a download did not take ("Ann: the pick of ...").
    std::function<void(const std::string&)> onFileMoved;
    // Told whenever the state changed in the middle of an operation.
    std::function<void()> onStateChanged;

private:
    class CancellableWait;

    // Runs a request of the shared place under the failure rule. False when
    // the operation must stop; `end` then says why.
    bool request(const std::string& stepName, const std::function<Outcome(Transport&)>& call,
                 OperationEnd& end);
    Transport& transport();
    // Where requests go: the exchange place, or the page address while the
    // page is sent.
    const ExchangePlace& target() const { return m_pagePlace ? *m_pagePlace : m_state.place; }
    bool sendPageTo(const std::string& pageAddress, OperationEnd& end);
    std::string where() const;
    bool isAdminName() const;
    bool usablePlace(PlaceUse use, OperationEnd& end);
    // Whether a download installs this pick file: only a listed player's
    // own file, by exact name, never the user's own (his machine holds the
    // latest) and, for a user with rights, never a computer player's.
    bool installsPickFile(const std::string& name) const;
    // A player's tiebreaker file comes with his pick file.
    bool installsExtrasFile(const std::string& name) const;
    // A player without administrator rights takes the administrator's games
    // table and computer player's file from the shared place; a user with
    // rights keeps his own, which are the masters.
    bool takesMasterFiles() const;
    // Fetches and merges the pool's list when the names hold it. False when
    // the download must stop.
    bool takePoolList(const std::vector<std::string>& names, OperationEnd& end);
    bool prepareStaging(OperationEnd& end);
    void clearStaging();
    bool stageCopy(const std::filesystem::path& from, const std::string& name, OperationEnd& end);
    bool sendStaged(const std::string& name, OperationEnd& end);
    // Fetches the names into the staging folder; one that is no file is
    // reported and taken off the list.
    bool fetchAll(std::vector<std::string>& names, OperationEnd& end);
    void installFetched(const std::vector<std::string>& names, OperationEnd& end);
    // Whether a received tiebreaker file (or the pool's rules) came whole;
    // says so when it did not.
    bool extrasArrivedWhole(const std::filesystem::path& staged, const std::string& name,
                            OperationEnd& end);
    // Installs a received tiebreaker file (or the pool's rules) over the
    // local one as it came.
    void installExtras(const std::filesystem::path& staged, const std::string& name,
                       OperationEnd& end);
    // Installs a player's received pick file, or tiebreaker file, under the
    // late-change rule: what changed after its game's kickoff stays as this
    // machine held it.
    bool installPlayersPicks(const std::string& name, DownloadRecord& record, const PoolMoment& now,
                             const TimeZone& zone, OperationEnd& end);
    std::vector<std::string> ownPickFiles() const;
    std::filesystem::path ownPickFolder() const;
    std::string selectedFile() const;
    void showProgress(size_t done, size_t count);
    void hideProgress();
    void changed();
    void setStatus(const std::string& line);
    std::string withoutPlacePassword(const std::string& text) const;
    void tell(MessageKind kind, const std::string& text);
    void moved(const std::string& what);
    void beginOperation();

    Pool& m_pool;
    Dialogs& m_dialogs;
    ExchangeState& m_state;
    TransportFactory m_makeTransport;
    RequestRunner& m_requests;
    std::unique_ptr<CancellableWait> m_wait;
    std::unique_ptr<Transport> m_transport;
    ExchangePlace m_transportPlace;
    bool m_cancelRequested = false;
    bool m_playersMachine = false; // as the operation found the home at its start
    // On a player's machine, the player who joined from it: his own picks
    // are made here, so a download never replaces them with the shared copy.
    std::string m_joinedPlayer;
    std::vector<std::string> m_unavailable;
    Outcome m_lastOutcome; // of the last request
    std::optional<PoolListInstalled> m_poolList;
    // The time the shared place gave each file fetched by this download.
    std::map<std::string, std::chrono::sys_seconds> m_sentTimes;
    // The games of the pool's table, read for the first pick file a
    // download installs.
    std::optional<std::vector<Game>> m_games;
    std::optional<ExchangePlace> m_pagePlace;
};

} // namespace gs
