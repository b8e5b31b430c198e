#include "poollist.h"

#include "core/poollock.h"
#include "core/poolmachine.h"
#include "core/poolsettings.h"
#include "core/text.h"
#include "core/textfile.h"
#include "core/userlist.h"
#include "schedule/pickfiles.h"

#include <algorithm>
#include <set>

namespace gs {

namespace fs = std::filesystem;

namespace {

constexpr size_t kUserFields = 7;

bool isNumberField(std::string_view field) {
    return !field.empty() && field.size() <= 4 &&
           std::all_of(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The reason a received user line cannot be taken, or "".
std::string checkUserLine(const std::vector<std::string>& fields) {
    if (fields.size() != kUserFields)
        return "it is no user line of 7 fields";
    if (!isSafeFileName(fields[0]) || trimSpaces(fields[0]).empty())
        return "the name " + quotedForMessage(fields[0]) + " cannot be a player's";
    for (size_t f : {1u, 2u, 3u, 5u})
        if (!isNumberField(fields[f]))
            return "the field " + quotedForMessage(fields[f]) + " is no number";
    return {};
}

bool holds(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

std::string nameOfLine(const std::string& line) {
    return line.substr(0, line.find(','));
}

// The local line with another active flag; every other byte stays.
std::string withActive(const std::string& line, int16_t active) {
    size_t first = line.find(',');
    if (first == std::string::npos)
        return line + "," + std::to_string(active);
    size_t second = line.find(',', first + 1);
    std::string rest = second == std::string::npos ? "" : line.substr(second);
    return line.substr(0, first) + "," + std::to_string(active) + rest;
}

} // namespace

Result<PoolList> parsePoolList(std::string_view bytes) {
    auto refused = [](const std::string& why) {
        return failure(ErrorKind::Malformed, std::string("The received user list ") +
                                                 kUserListFileName + " was not installed: " + why +
                                                 ". This computer's list stays as it was.");
    };
    if (bytes.empty() || (bytes.back() != '\n' && bytes.back() != '\r'))
        return refused("it is empty or cut short");
    std::vector<std::string> lines = splitLines(bytes);
    PoolList list;
    list.season = lines.front();
    if (list.season.size() != 4 || !isNumberField(list.season))
        return refused("line 1 holds no season");
    std::set<std::string> names;
    for (size_t k = 1; k < lines.size(); ++k) {
        std::vector<std::string> fields = splitFields(lines[k]);
        std::string reason = checkUserLine(fields);
        if (reason.empty() && !names.insert(fields[0]).second)
            reason = "the name " + quotedForMessage(fields[0]) + " stands twice";
        if (!reason.empty())
            return refused("line " + std::to_string(k + 1) + ": " + reason);
        list.users.push_back({fields[0], toInt16(numericValue(fields[1])),
                              toInt16(numericValue(fields[2])), numericValue(fields[5]) != 0.0});
    }
    if (list.users.size() > static_cast<size_t>(kUserSlots))
        return refused("it holds more than " + std::to_string(kUserSlots) + " users");
    if (!names.contains(kComputerPlayer))
        return refused(std::string("it does not hold the computer player ") + kComputerPlayer);
    return list;
}

PoolListMerge mergePoolList(const std::vector<std::string>& localLines, const PoolList& received,
                            const std::vector<std::string>& poolUsers,
                            const std::vector<std::string>& remoteUsers,
                            const std::string& dataFolder, const std::string& joiningPlayer) {
    std::vector<std::string> local; // the local user lines, empty ones dropped
    for (size_t k = 1; k < localLines.size(); ++k)
        if (!localLines[k].empty())
            local.push_back(localLines[k]);
    auto localLine = [&](const std::string& name) {
        return std::find_if(local.begin(), local.end(),
                            [&](const std::string& line) { return nameOfLine(line) == name; });
    };

    PoolListMerge merge;
    merge.lines.push_back(received.season);
    merge.poolUsers = poolUsers;
    merge.remoteUsers = remoteUsers;
    std::vector<std::string> receivedNames;
    for (const PoolListUser& user : received.users) {
        receivedNames.push_back(user.name);
        if (!holds(merge.poolUsers, user.name))
            merge.poolUsers.push_back(user.name);
        if (user.active == 1)
            merge.activeOrder.push_back(user.name);
        if (auto line = localLine(user.name); line != local.end()) {
            merge.lines.push_back(withActive(*line, user.active));
            continue;
        }
        merge.lines.push_back(user.name + "," + std::to_string(user.active) + "," +
                              std::to_string(user.colorScheme) + ",0,," + (user.flag ? "1" : "0") +
                              "," + dataFolder);
        if (user.name != joiningPlayer && !holds(merge.remoteUsers, user.name))
            merge.remoteUsers.push_back(user.name);
    }
    for (const std::string& line : local) {
        std::string name = nameOfLine(line);
        if (holds(receivedNames, name))
            continue;
        merge.lines.push_back(holds(poolUsers, name) ? withActive(line, 0) : line);
    }
    return merge;
}

std::string notAPlayerMessage(const std::string& name) {
    return name + " is not a player of this pool: ask its administrator to add you";
}

namespace {

// The pick files of this machine's own users keep the pool order after
// their picks; from now on it is the received one.
Status keepReceivedOrder(Pool& pool, const std::vector<std::string>& remoteUsers) {
    for (const std::string& name : playersOnFile(pool)) {
        if (isComputerPlayer(name) || holds(remoteUsers, name) || !isSafeFileName(name))
            continue;
        Result<PickFileContent> content =
            readPickFile(pickFilePath(pool, name), poolSeasonShape(pool));
        if (!content || content->extraLines.empty() || content->extraLines == pool.poolOrder())
            continue;
        if (Status saved = savePicks(pool, name, content->picks); !saved)
            return saved;
    }
    return {};
}

} // namespace

Result<PoolListInstalled> installPoolList(Pool& pool, const fs::path& received,
                                          const std::string& joiningPlayer) {
    Result<std::string> bytes = readFileBytes(received);
    if (!bytes)
        return failure(bytes.error().kind, std::string("The received user list ") +
                                               kUserListFileName +
                                               " cannot be read: " + bytes.error().message);
    Result<PoolList> list = parsePoolList(*bytes);
    if (!list)
        return failure(list.error());
    if (!joiningPlayer.empty() &&
        std::none_of(list->users.begin(), list->users.end(),
                     [&](const PoolListUser& user) { return user.name == joiningPlayer; }))
        return failure(ErrorKind::Refused, notAPlayerMessage(joiningPlayer));

    Result<PoolLock> lock = lockPoolFiles(pool);
    if (!lock)
        return failure(lock.error());
    fs::path listPath = userListPath(pool.folders());
    Result<std::vector<std::string>> localLines = readTextFile(listPath);
    if (!localLines)
        return failure(localLines.error().kind,
                       "The user list " + listPath.string() +
                           " cannot be read: " + localLines.error().message);
    fs::path settingsPath = poolSettingsPath(pool.folders());
    Result<PoolSettings> settings = PoolSettings::load(settingsPath);
    if (!settings)
        return failure(settings.error());
    PoolListMerge merge = mergePoolList(
        *localLines, *list, namesOfSetting(*settings, kPoolUsersKey),
        namesOfSetting(*settings, kRemoteUsersKey), pool.programFolderText(), joiningPlayer);
    if (merge.lines.size() > static_cast<size_t>(kUserSlots) + 1)
        return failure(ErrorKind::Refused,
                       "The received user list and this computer's own users together are more "
                       "than " +
                           std::to_string(kUserSlots) +
                           " users, so the list was not installed. This computer's list stays "
                           "as it was.");

    // The names first: should the list's write fail, a newcomer is still
    // nobody who may act here.
    PoolSettings updated = *settings;
    updated.set(kPoolUsersKey, namesSetting(merge.poolUsers));
    updated.set(kRemoteUsersKey, namesSetting(merge.remoteUsers));
    if (updated.lines() != settings->lines())
        if (Status saved = updated.save(settingsPath); !saved)
            return failure(saved.error());
    if (merge.lines != *localLines)
        if (Status written = writeLinesAtomic(listPath, merge.lines, FileAccess::OwnerOnly);
            !written)
            return failure(written.error());

    Result<UserListLoad> loaded = loadUserList(pool);
    if (!loaded)
        return failure(loaded.error());
    pool.setSavedPoolOrder(merge.activeOrder);
    refreshPoolOrder(pool);
    if (Status kept = keepReceivedOrder(pool, merge.remoteUsers); !kept)
        return failure(kept.error());

    PoolListInstalled installed{list->season, 0};
    for (const PoolListUser& user : list->users)
        installed.players += user.active == 1 && !isComputerPlayer(user.name);
    return installed;
}

} // namespace gs
