#include "userlist.h"

#include "dialogs.h"
#include "poollock.h"
#include "text.h"
#include "textfile.h"

#include <algorithm>
#include <vector>

namespace gs {

namespace fs = std::filesystem;

namespace {

// The one-character password of the computer player in a new user list.
constexpr const char* kDefaultPcPassword = "P";

std::vector<std::string> splitFields(std::string_view line) {
    std::vector<std::string> fields;
    std::string field;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == ',') {
            fields.push_back(field);
            field.clear();
        } else {
            field += line[i];
            if (i + 1 == line.size())
                fields.push_back(field);
        }
    }
    return fields;
}

std::string userLine(const std::string& name, bool active, const UserSlot& slot, int colorScheme) {
    return name + "," + (active ? "1" : "0") + "," + decimalText(colorScheme) + "," +
           decimalText(slot.admin) + "," + encodePassword(slot.password) + "," +
           (slot.flag ? "1" : "0") + "," + slot.folder;
}

enum class PreferenceRead { Read, Missing, Damaged };

// Reads the current user's preference file into the slot. A missing file
// leaves the password the user list gave and no exchange place; a damaged
// one empties the password as well. No exchange place is ever assumed: the
// data folder, which once served as the default, is the one place the
// exchange must never write to.
PreferenceRead loadPreferences(Pool& pool, UserSlot& slot) {
    pool.setPreferencesRead(false);
    auto useDefaults = [&](PreferenceRead why) {
        if (why == PreferenceRead::Damaged)
            slot.password.clear();
        slot.exchangeAddress.clear();
        return why;
    };
    if (!isSafeFileName(pool.currentUser()))
        return useDefaults(PreferenceRead::Damaged);
    Result<std::vector<std::string>> lines =
        readTextFile(preferencePath(pool.folders(), pool.currentUser()));
    if (failedWith(lines, ErrorKind::NotFound))
        return useDefaults(PreferenceRead::Missing);
    if (!lines || lines->empty())
        return useDefaults(PreferenceRead::Damaged);
    const std::string& line = lines->front();
    size_t comma = line.find(',');
    if (comma == std::string::npos)
        return useDefaults(PreferenceRead::Damaged);
    std::string password;
    if (!decodePassword(std::string_view(line).substr(0, comma), password))
        return useDefaults(PreferenceRead::Damaged);
    pool.setPreferencesRead(true);
    slot.password = password;
    slot.exchangeAddress = line.substr(comma + 1);
    return PreferenceRead::Read;
}

} // namespace

std::string encodePassword(std::string_view clear) {
    std::string stored(clear);
    for (char& c : stored)
        c = static_cast<char>(static_cast<unsigned char>(c) + 10);
    return stored;
}

bool decodePassword(std::string_view stored, std::string& clear) {
    clear.clear();
    for (char c : stored) {
        auto code = static_cast<unsigned char>(c);
        if (code < 10)
            return false;
        clear += static_cast<char>(code - 10);
    }
    return true;
}

std::string storedSeasonYear(std::string_view line) {
    std::string year = trimSpaces(line);
    bool fourDigits = year.size() == 4 && std::all_of(year.begin(), year.end(),
                                                      [](char c) { return c >= '0' && c <= '9'; });
    return fourDigits ? year : std::string(kDefaultSeason);
}

Status storeSeasonInUserList(const Pool& pool) {
    Result<PoolLock> lock = lockPoolFiles(pool);
    if (!lock)
        return failure(lock.error());
    fs::path path = userListPath(pool.folders());
    Result<std::vector<std::string>> lines = readTextFile(path);
    if (failedWith(lines, ErrorKind::NotFound))
        return failure(ErrorKind::NotFound, "The user list " + path.string() +
                                                " is missing, so the season could not be stored.");
    if (!lines)
        return failure(ErrorKind::Unreadable, "The user list " + path.string() +
                                                  " cannot be read: " + lines.error().message);
    if (lines->empty())
        lines->emplace_back();
    lines->front() = storedSeasonYear(pool.seasonYear());
    return writeLinesAtomic(path, *lines, FileAccess::OwnerOnly);
}

fs::path userListPath(const Folders& folders) {
    return folders.program / kUserListFileName;
}

fs::path preferencePath(const Folders& folders, const std::string& userName) {
    return folders.program / (userName + "_UserPref.dbu");
}

Result<UserListLoad> loadUserList(Pool& pool) {
    fs::path path = userListPath(pool.folders());
    UserListLoad load;
    if (!fileExists(path)) {
        if (Status made = createDataFolder(pool.folders().program); !made)
            return failure(made.error());
        std::string folder = pool.programFolderText();
        std::vector<std::string> lines = {
            "2010",
            "admin,1,9,1,,0," + folder,
            "PC,1,1,0," + encodePassword(kDefaultPcPassword) + ",0," + folder,
        };
        // A list another program made meanwhile is kept and read instead.
        Result<Placement> written = writeLinesIfAbsent(path, lines, FileAccess::OwnerOnly);
        if (!written)
            return failure(written.error());
        if (*written == Placement::Placed) {
            load.outcome = UserListOutcome::Created;
            return load;
        }
    }

    Result<std::vector<std::string>> file = readTextFile(path);
    if (!file)
        return failure(file.error().kind, "The user list " + path.string() +
                                              " cannot be read: " + file.error().message);
    const std::vector<std::string>& lines = *file;

    // A load replaces the whole table, so a user removed and saved stays removed.
    UserTable users{};
    pool.setPreferencesRead(false);
    // Line 1 holds the season the pool works on ("Apply" in the season
    // window stores it there).
    pool.setSeasonYear(storedSeasonYear(lines.empty() ? std::string() : lines.front()));

    size_t userLines = lines.empty() ? 0 : lines.size() - 1;
    for (size_t i = 1; i < lines.size() && i <= kUserSlots; ++i) {
        UserSlot& slot = users[i];
        std::vector<std::string> fields = splitFields(lines[i]);
        for (size_t f = 0; f < fields.size() && f < 7; ++f) {
            const std::string& value = fields[f];
            switch (f) {
            case 0:
                slot.name = value;
                break;
            case 1:
                slot.active = toInt16(numericValue(value));
                break;
            case 2:
                slot.colorScheme = toInt16(numericValue(value));
                break;
            case 3:
                slot.admin = toInt16(numericValue(value));
                break;
            case 4:
                decodePassword(value, slot.password);
                slot.listPassword = slot.password;
                break;
            case 5:
                slot.flag = numericValue(value) != 0.0;
                break;
            case 6:
                slot.folder = value;
                break;
            }
            if (slot.folder.empty())
                slot.folder = pool.programFolderText();
        }
    }
    if (userLines > static_cast<size_t>(kUserSlots))
        load.droppedUserLines = userLines - kUserSlots;

    pool.replaceUsers(users);

    int k = pool.userSlot(pool.currentUser());
    if (k == 0) {
        load.outcome = UserListOutcome::UserNotFound;
        return load;
    }
    UserSlot current = pool.users()[k];
    PreferenceRead preferences = loadPreferences(pool, current);
    pool.setUser(k, std::move(current));
    load.preferencesDefaulted = preferences == PreferenceRead::Damaged;
    load.preferencesMissing = preferences == PreferenceRead::Missing;
    return load;
}

Result<UserListLoad> reloadUserList(Pool& pool) {
    const std::string season = pool.seasonYear();
    Result<UserListLoad> load = loadUserList(pool);
    pool.setSeasonYear(season);
    return load;
}

void tellLoadNotices(const UserListLoad& load, Dialogs& dialogs) {
    if (load.droppedUserLines > 0)
        dialogs.inform("The user list holds " + std::to_string(load.droppedUserLines + kUserSlots) +
                       " lines of users; only the first 100 were loaded.");
    if (load.preferencesDefaulted)
        dialogs.inform(kPreferencesDefaultedMessage);
}

Status saveUserList(Pool& pool) {
    if (pool.poolOrder().empty())
        refreshPoolOrder(pool);
    if (pool.poolOrder().empty())
        return {};

    auto slotFor = [&pool](const std::string& name) {
        int k = pool.userSlot(name);
        if (k)
            return pool.users()[k];
        UserSlot fallback;
        fallback.colorScheme = 9;
        fallback.folder = pool.programFolderText();
        return fallback;
    };

    Result<PoolLock> lock = lockPoolFiles(pool);
    if (!lock)
        return failure(lock.error());
    // Line 1 is the season a login starts in, which only the season
    // window's "Apply" changes: the season browsed meanwhile, or chosen for
    // one command, stays out of it.
    fs::path path = userListPath(pool.folders());
    std::string loginSeason = kDefaultSeason;
    if (Result<std::vector<std::string>> stored = readTextFile(path); stored)
        loginSeason = storedSeasonYear(stored->empty() ? std::string() : stored->front());
    else if (stored.error().kind == ErrorKind::NotFound)
        loginSeason = storedSeasonYear(pool.seasonYear());
    std::vector<std::string> lines = {loginSeason};
    const auto& active = pool.poolOrder();
    for (const std::string& name : active) {
        UserSlot slot = slotFor(name);
        lines.push_back(userLine(name, true, slot, slot.colorScheme));
    }
    for (const std::string& name : playersOnFile(pool)) {
        if (std::find(active.begin(), active.end(), name) != active.end())
            continue;
        UserSlot slot = slotFor(name);
        int scheme = name == pool.currentUser() ? pool.colorScheme() : slot.colorScheme;
        lines.push_back(userLine(name, false, slot, scheme));
    }
    // Both files hold passwords.
    if (Status written = writeLinesAtomic(path, lines, FileAccess::OwnerOnly); !written)
        return written;

    if (!isSafeFileName(pool.currentUser()))
        return {};
    int k = pool.userSlot(pool.currentUser());
    if (k == 0)
        return {};
    const UserSlot& current = pool.users()[k];
    return writeLinesAtomic(preferencePath(pool.folders(), pool.currentUser()),
                            {encodePassword(current.password) + "," + current.exchangeAddress},
                            FileAccess::OwnerOnly);
}

std::vector<std::string> playersOnFile(const Pool& pool) {
    std::vector<std::string> names;
    for (int k = 1; k <= kUserSlots; ++k) {
        const UserSlot& slot = pool.users()[k];
        if (!slot.name.empty() && !slot.removed)
            names.push_back(slot.name);
    }
    return names;
}

std::vector<std::string> activePlayersInPoolOrder(const Pool& pool) {
    const UserTable& users = pool.users();
    auto isActive = [](const UserSlot& slot) { return slot.active == 1 && !slot.removed; };
    std::vector<std::string> active;
    for (const std::string& saved : pool.savedPoolOrder())
        for (int k = 1; k <= kUserSlots; ++k) {
            const UserSlot& slot = users[k];
            if (slot.name == saved && isActive(slot))
                active.push_back(slot.name);
        }

    for (int k = 1; k <= kUserSlots; ++k) {
        const UserSlot& slot = users[k];
        if (slot.name.empty() || !isActive(slot))
            continue;
        std::string stripped = stripSpaces(slot.name);
        bool listed = std::any_of(active.begin(), active.end(),
                                  [&](const std::string& e) { return stripSpaces(e) == stripped; });
        if (!listed)
            active.push_back(slot.name);
    }
    return active;
}

void listUserLast(Pool& pool, int slot) {
    if (slot < 1 || slot > kUserSlots)
        return;
    UserTable users = pool.users();
    int last = slot;
    for (int k = slot + 1; k <= kUserSlots; ++k)
        if (!users[k].name.empty())
            last = k;
    std::rotate(users.begin() + slot, users.begin() + slot + 1, users.begin() + last + 1);
    pool.replaceUsers(users);
}

void refreshPoolOrder(Pool& pool) {
    pool.setPoolOrder(activePlayersInPoolOrder(pool));
}

} // namespace gs
