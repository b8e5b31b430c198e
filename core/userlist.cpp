#include "userlist.h"

#include "dialogs.h"
#include "poollock.h"
#include "text.h"
#include "textfile.h"

#include <algorithm>
#include <map>
#include <optional>
#include <tuple>
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

// What a missing preference file stands for: the user list's password and
// no exchange place.
std::string missingPreferences(const UserSlot& slot) {
    return encodePassword(slot.listPassword) + ",";
}

// Reads the current user's preference file into the slot. A missing file
// leaves the password the user list gave and no exchange place; a damaged
// one empties the password as well. No exchange place is ever assumed: the
// data folder, which once served as the default, is the one place the
// exchange must never write to.
PreferenceRead loadPreferences(Pool& pool, UserSlot& slot, UserFilesSeen& seen) {
    pool.setPreferencesRead(false);
    seen.preferencesOf.clear();
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
    if (lines || failedWith(lines, ErrorKind::NotFound)) {
        seen.preferencesOf = pool.currentUser();
        seen.preferences = missingPreferences(slot);
        if (lines)
            seen.preferences = lines->empty() ? "" : lines->front();
    }
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

// Fills a slot from a line of the user list, as a load reads it.
void readUserLine(const Pool& pool, const std::string& line, UserSlot& slot) {
    std::vector<std::string> fields = splitFields(line);
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

// A user's line of the user list, with the slot it loads as.
struct ListEntry {
    std::string key; // the name, and for a name that stands twice which time
    std::string line;
    UserSlot slot;
};

std::vector<ListEntry> listEntries(const Pool& pool, const std::vector<std::string>& lines) {
    std::vector<ListEntry> entries;
    std::map<std::string, int> times;
    for (const std::string& line : lines) {
        ListEntry entry{{}, line, {}};
        readUserLine(pool, line, entry.slot);
        if (entry.slot.name.empty())
            continue;
        entry.key = entry.slot.name + '\n' + std::to_string(times[entry.slot.name]++);
        entries.push_back(std::move(entry));
    }
    return entries;
}

// Two lines that load as the same user.
bool sameEntry(const ListEntry* a, const ListEntry* b) {
    if (!a || !b)
        return a == b;
    const UserSlot& x = a->slot;
    const UserSlot& y = b->slot;
    return std::tie(x.name, x.active, x.colorScheme, x.admin, x.listPassword, x.flag, x.folder) ==
           std::tie(y.name, y.active, y.colorScheme, y.admin, y.listPassword, y.flag, y.folder);
}

const ListEntry* entryOf(const std::vector<ListEntry>& entries, const std::string& key) {
    auto it = std::find_if(entries.begin(), entries.end(),
                           [&](const ListEntry& entry) { return entry.key == key; });
    return it == entries.end() ? nullptr : &*it;
}

std::vector<std::string> keysOf(const std::vector<ListEntry>& entries,
                                const std::vector<ListEntry>& within) {
    std::vector<std::string> keys;
    for (const ListEntry& entry : entries)
        if (entryOf(within, entry.key))
            keys.push_back(entry.key);
    return keys;
}

// The user lines to save when the file holds `theirs`, this pool read
// `base` and would write `ours`: each user as the side that changed him
// has him, and refused, naming the users, where both sides changed one.
// The order is this pool's if it changed it, else the file's; users one
// side added come after the others, and the active players first.
Result<std::vector<std::string>> mergeUserLines(const Pool& pool,
                                                const std::vector<std::string>& baseLines,
                                                const std::vector<std::string>& oursLines,
                                                const std::vector<std::string>& theirsLines) {
    std::vector<ListEntry> base = listEntries(pool, baseLines);
    std::vector<ListEntry> ours = listEntries(pool, oursLines);
    std::vector<ListEntry> theirs = listEntries(pool, theirsLines);
    bool reordered = keysOf(ours, base) != keysOf(base, ours);
    std::vector<const ListEntry*> order;
    for (const auto* side : {reordered ? &ours : &theirs, reordered ? &theirs : &ours})
        for (const ListEntry& entry : *side)
            if (std::none_of(order.begin(), order.end(),
                             [&](const ListEntry* taken) { return taken->key == entry.key; }))
                order.push_back(&entry);

    std::vector<const ListEntry*> merged;
    std::string clashes;
    for (const ListEntry* any : order) {
        const ListEntry* b = entryOf(base, any->key);
        const ListEntry* o = entryOf(ours, any->key);
        const ListEntry* t = entryOf(theirs, any->key);
        const ListEntry* chosen = o;
        if (sameEntry(o, b))
            chosen = t;
        else if (!sameEntry(t, b) && !sameEntry(o, t))
            clashes += (clashes.empty() ? "" : ", ") + any->slot.name;
        if (chosen)
            merged.push_back(chosen);
    }
    if (!clashes.empty())
        return failure(ErrorKind::Changed,
                       "The user list " + userListPath(pool.folders()).string() +
                           " was changed by another program since it was read here, and these "
                           "players were changed both there and here: " +
                           clashes + "; open the user list again and make the change once more.");
    std::stable_partition(merged.begin(), merged.end(),
                          [](const ListEntry* entry) { return entry->slot.active == 1; });
    std::vector<std::string> lines;
    for (const ListEntry* entry : merged)
        lines.push_back(entry->line);
    return lines;
}

// Makes the pool's players those of the saved lines, keeping the current
// user's password and exchange address.
void adoptUserLines(Pool& pool, const std::vector<std::string>& lines) {
    const UserSlot* current = pool.currentSlot();
    UserSlot kept = current ? *current : UserSlot{};
    UserTable users{};
    std::vector<std::string> order;
    for (size_t i = 0; i < lines.size() && i < static_cast<size_t>(kUserSlots); ++i) {
        UserSlot& slot = users[i + 1];
        readUserLine(pool, lines[i], slot);
        if (current && slot.name == kept.name) {
            slot.password = kept.password;
            slot.exchangeAddress = kept.exchangeAddress;
        }
        if (slot.active == 1 && !slot.name.empty())
            order.push_back(slot.name);
    }
    pool.replaceUsers(users);
    pool.setPoolOrder(std::move(order));
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
    return fourDigits ? year : std::to_string(kDefaultSeason);
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
    lines->front() = storedSeasonYear(std::to_string(pool.seasonYear()));
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
            pool.setUserFilesSeen({true, {lines.begin() + 1, lines.end()}, {}, {}});
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
    pool.setSeasonYear(std::stoi(storedSeasonYear(lines.empty() ? std::string() : lines.front())));

    size_t userLines = lines.empty() ? 0 : lines.size() - 1;
    for (size_t i = 1; i < lines.size() && i <= kUserSlots; ++i)
        readUserLine(pool, lines[i], users[i]);
    if (userLines > static_cast<size_t>(kUserSlots))
        load.droppedUserLines = userLines - kUserSlots;

    pool.replaceUsers(users);
    UserFilesSeen seen{true, {lines.begin() + (lines.empty() ? 0 : 1), lines.end()}, {}, {}};

    int k = pool.userSlot(pool.currentUser());
    if (k == 0) {
        load.outcome = UserListOutcome::UserNotFound;
        pool.setUserFilesSeen(std::move(seen));
        return load;
    }
    UserSlot current = pool.users()[k];
    PreferenceRead preferences = loadPreferences(pool, current, seen);
    pool.setUser(k, std::move(current));
    pool.setUserFilesSeen(std::move(seen));
    load.preferencesDefaulted = preferences == PreferenceRead::Damaged;
    load.preferencesMissing = preferences == PreferenceRead::Missing;
    return load;
}

Result<UserListLoad> reloadUserList(Pool& pool) {
    const int season = pool.seasonYear();
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
    std::vector<std::string> ours;
    const auto& active = pool.poolOrder();
    for (const std::string& name : active) {
        UserSlot slot = slotFor(name);
        ours.push_back(userLine(name, true, slot, slot.colorScheme));
    }
    for (const std::string& name : playersOnFile(pool)) {
        if (std::find(active.begin(), active.end(), name) != active.end())
            continue;
        UserSlot slot = slotFor(name);
        int scheme = name == pool.currentUser() ? pool.colorScheme() : slot.colorScheme;
        ours.push_back(userLine(name, false, slot, scheme));
    }
    const UserSlot* current = isSafeFileName(pool.currentUser()) ? pool.currentSlot() : nullptr;
    std::string preferences;
    if (current)
        preferences = encodePassword(current->password) + "," + current->exchangeAddress;

    // Held from the reads below to the last write: what another program
    // saved since this pool read the files is kept, not written over.
    Result<PoolLock> lock = lockPoolFiles(pool);
    if (!lock)
        return failure(lock.error());
    const UserFilesSeen& seen = pool.userFilesSeen();
    // Line 1 is the season a login starts in, which only the season
    // window's "Apply" changes: the season browsed meanwhile, or chosen for
    // one command, stays out of it.
    fs::path path = userListPath(pool.folders());
    std::string loginSeason = std::to_string(kDefaultSeason);
    std::vector<std::string> userLines = ours;
    if (Result<std::vector<std::string>> stored = readTextFile(path); stored) {
        loginSeason = storedSeasonYear(stored->empty() ? std::string() : stored->front());
        if (seen.known) {
            std::vector<std::string> theirs(stored->begin() + (stored->empty() ? 0 : 1),
                                            stored->end());
            Result<std::vector<std::string>> merged =
                mergeUserLines(pool, seen.userLines, ours, theirs);
            if (!merged)
                return failure(merged.error());
            userLines = std::move(*merged);
        }
    } else if (stored.error().kind == ErrorKind::NotFound) {
        loginSeason = storedSeasonYear(std::to_string(pool.seasonYear()));
    }

    fs::path preferenceFile = current ? preferencePath(pool.folders(), pool.currentUser()) : "";
    std::string theirPreferences;
    bool writePreferences = current != nullptr;
    if (current && seen.preferencesOf == pool.currentUser()) {
        Result<std::vector<std::string>> stored = readTextFile(preferenceFile);
        theirPreferences = missingPreferences(*current);
        if (stored)
            theirPreferences = stored->empty() ? "" : stored->front();
        bool readAsBefore = stored || failedWith(stored, ErrorKind::NotFound);
        if (readAsBefore && theirPreferences != seen.preferences) {
            if (preferences == seen.preferences)
                writePreferences = false;
            else if (preferences != theirPreferences)
                return failure(ErrorKind::Changed,
                               "The preference file " + preferenceFile.string() +
                                   " was changed by another program since it was read here, "
                                   "and here too; make the change once more.");
        }
    }

    std::vector<std::string> lines = {loginSeason};
    lines.insert(lines.end(), userLines.begin(), userLines.end());
    // Both files hold passwords.
    if (Status written = writeLinesAtomic(path, lines, FileAccess::OwnerOnly); !written)
        return written;
    if (userLines != ours)
        adoptUserLines(pool, userLines);
    UserFilesSeen saved{true, std::move(userLines), pool.currentUser(), preferences};
    if (!writePreferences) {
        // Another program's password and address stand; this pool takes them.
        saved.preferences = theirPreferences;
        if (int k = pool.userSlot(pool.currentUser())) {
            UserSlot slot = pool.users()[k];
            std::string password;
            size_t comma = theirPreferences.find(',');
            if (comma != std::string::npos &&
                decodePassword(std::string_view(theirPreferences).substr(0, comma), password)) {
                slot.password = password;
                slot.exchangeAddress = theirPreferences.substr(comma + 1);
                pool.setUser(k, std::move(slot));
            }
        }
    }
    if (!current)
        saved.preferencesOf.clear();
    pool.setUserFilesSeen(std::move(saved));
    if (!writePreferences)
        return {};
    return writeLinesAtomic(preferenceFile, {preferences}, FileAccess::OwnerOnly);
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
