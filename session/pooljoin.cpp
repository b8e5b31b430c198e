#include "pooljoin.h"

#include "accounts/accounts.h"
#include "core/filerollback.h"
#include "core/poolmachine.h"
#include "core/text.h"
#include "core/textfile.h"
#include "core/userlist.h"

#include <set>

namespace gs {

namespace fs = std::filesystem;

namespace {

// Passes refusals and warnings on; what a download says when it went well
// ("Operation Complete.") is no news in the middle of a join.
class JoinDialogs final : public Dialogs {
public:
    explicit JoinDialogs(Dialogs& inner) : m_inner(inner) {}
    void message(MessageKind kind, const std::string& text, const std::string& title) override {
        if (kind != MessageKind::Information)
            m_inner.message(kind, text, title);
    }
    bool confirm(const std::string&, const std::string&) override { return false; }
    std::string input(const std::string&, const std::string&, const std::string&) override {
        return {};
    }

private:
    Dialogs& m_inner;
};

// The data folder as it was before the join, put back when the join fails:
// the files it held, and none of the files the join added. The lock file and
// the data folder's marker (hidden files) stay.
class DataFolderSnapshot {
public:
    Status take(const fs::path& folder) {
        m_folder = folder;
        std::error_code ec;
        for (fs::directory_iterator entry(folder, ec), end; !ec && entry != end;
             entry.increment(ec)) {
            std::string name = entry->path().filename().string();
            if (name.starts_with(".") || !entry->is_regular_file(ec))
                continue;
            m_names.insert(name);
            if (Status kept = m_files.remember(entry->path()); !kept)
                return kept;
        }
        if (ec)
            return failure(ErrorKind::Unreadable, "The data folder " + folder.string() +
                                                      " cannot be read: " + ec.message());
        return {};
    }
    void restore() {
        m_files.restore();
        std::error_code ec;
        std::vector<fs::path> added;
        for (fs::directory_iterator entry(m_folder, ec), end; !ec && entry != end;
             entry.increment(ec)) {
            std::string name = entry->path().filename().string();
            if (!name.starts_with(".") && !m_names.contains(name))
                added.push_back(entry->path());
        }
        for (const fs::path& path : added)
            fs::remove(path, ec);
    }

private:
    fs::path m_folder;
    std::set<std::string> m_names;
    FileRollback m_files;
};

// The player's and the local admin's password; the place is the player's.
Status keepAccounts(Pool& pool, const JoinRequest& request, const std::string& address) {
    for (const char* name : {kAdminUser, request.player.c_str()}) {
        int k = pool.userSlot(name);
        if (k == 0)
            continue;
        UserSlot slot = pool.users()[k];
        slot.password = request.password;
        if (slot.name == request.player)
            slot.exchangeAddress = address;
        pool.setUser(k, std::move(slot));
    }
    if (Status saved = saveUserList(pool); !saved)
        return saved;
    if (request.player == kAdminUser)
        return {};
    return writeLinesAtomic(preferencePath(pool.folders(), kAdminUser),
                            {encodePassword(request.password) + ","}, FileAccess::OwnerOnly);
}

} // namespace

std::optional<std::string> joinPool(Pool& pool, Dialogs& dialogs, const JoinRequest& request,
                                    const TransportFactory& makeTransport, RequestRunner& requests,
                                    RetryWait& wait, const ExchangeLimits& limits,
                                    const std::function<void(const std::string&)>& onFileMoved) {
    const std::string& player = request.player;
    if (fileExists(userListPath(pool.folders()))) {
        dialogs.refuse("This computer already holds a pool's user list in " +
                       pool.programFolderText() + ", so it cannot join a pool.");
        return std::nullopt;
    }
    if (isReservedUserName(player)) {
        dialogs.refuse("You are not the " + upperAscii(player) + ", I am.");
        return std::nullopt;
    }
    for (const Status& checked : {checkUserName(player), checkPassword(request.password)})
        if (!checked) {
            dialogs.refuse(checked.error().message);
            return std::nullopt;
        }
    // A folder is kept as the whole path, so that it means the same place
    // from wherever the program starts.
    ExchangePlace place = openingPlace(trimSpaces(request.place));
    std::string address = place.address;
    if (place.mode == ExchangeMode::Ftp) {
        address = kFtpScheme + place.address;
    } else if (!address.empty()) {
        std::error_code ec;
        fs::path absolute = fs::absolute(address, ec);
        place.address = address = (ec ? fs::path(address) : absolute).lexically_normal().string();
    }
    if (Status usable = checkExchangePlace(pool, place, PlaceUse::Writing); !usable) {
        dialogs.refuse(usable.error().message);
        return std::nullopt;
    }

    DataFolderSnapshot snapshot;
    if (Status taken = snapshot.take(pool.folders().program); !taken) {
        dialogs.refuse(taken.error().message);
        return std::nullopt;
    }
    auto fail = [&](const std::string& reason) -> std::optional<std::string> {
        if (!reason.empty())
            dialogs.refuse(reason);
        snapshot.restore();
        std::error_code ec;
        fs::remove_all(pool.folders().staging, ec);
        pool.replaceUsers(UserTable{});
        pool.setCurrentUser({});
        return std::nullopt;
    };

    // A new list of admin and PC, which the pool's list is merged into.
    pool.setCurrentUser(player);
    if (Result<UserListLoad> made = loadUserList(pool); !made)
        return fail(made.error().message);
    if (Status marked = markPlayersMachine(pool, player); !marked)
        return fail(marked.error().message);

    JoinDialogs quiet(dialogs);
    ExchangeState state;
    state.place = place;
    ExchangeOperations operations(pool, quiet, state, makeTransport, requests, wait);
    operations.limits = limits;
    operations.onFileMoved = onFileMoved;
    operations.joiningPlayer = player;
    OperationEnd end = operations.downloadAllUserFiles();
    operations.quit();
    // Every reason was told on the way.
    if (end != OperationEnd::Completed || !operations.poolListInstalled())
        return fail({});
    if (Status kept = keepAccounts(pool, request, address); !kept)
        return fail(kept.error().message);

    const PoolListInstalled& joined = *operations.poolListInstalled();
    return player + " joined the pool of the " + joined.season + " season, which has " +
           std::to_string(joined.players) + (joined.players == 1 ? " player." : " players.");
}

} // namespace gs
