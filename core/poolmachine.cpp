#include "poolmachine.h"

#include "dialogs.h"
#include "poolsettings.h"

#include <algorithm>

namespace gs {

namespace {

std::vector<std::string> namesInSetting(const Folders& folders, const char* key) {
    Result<PoolSettings> settings = PoolSettings::load(poolSettingsPath(folders));
    return settings ? namesOfSetting(*settings, key) : std::vector<std::string>{};
}

} // namespace

bool isPlayersMachine(const Folders& folders) {
    Result<PoolSettings> settings = PoolSettings::load(poolSettingsPath(folders));
    return settings && settings->value(kMachineKey) == kPlayersMachine;
}

std::string joinedPlayer(const Folders& folders) {
    Result<PoolSettings> settings = PoolSettings::load(poolSettingsPath(folders));
    if (!settings || settings->value(kMachineKey) != kPlayersMachine)
        return {};
    return settings->value(kJoinedPlayerKey).value_or("");
}

Status markPlayersMachine(const Pool& pool, const std::string& player) {
    return storePoolSettings(pool, {{kMachineKey, kPlayersMachine}, {kJoinedPlayerKey, player}});
}

Status mayUploadPickFiles(const Pool& pool) {
    Result<PoolSettings> settings = PoolSettings::load(poolSettingsPath(pool.folders()));
    if (!settings || settings->value(kMachineKey) != kPlayersMachine)
        return {};
    std::string player = settings->value(kJoinedPlayerKey).value_or("");
    if (!player.empty() && pool.currentUser() == player)
        return {};
    if (player.empty())
        return failure(ErrorKind::Refused,
                       "This computer is a player's machine of the pool that does not say which "
                       "player joined from it, so no pick files are uploaded from it.");
    return failure(ErrorKind::Refused, "This computer is " + player +
                                           "'s machine in the pool, so only " + player +
                                           "'s pick files are uploaded from it: log in as " +
                                           player + " to upload them.");
}

bool requireAdministratorsMachine(const Pool& pool, Dialogs& dialogs) {
    if (!isPlayersMachine(pool.folders()))
        return true;
    dialogs.refuse(kPlayersMachineMessage);
    return false;
}

std::vector<std::string> namesOfSetting(const PoolSettings& settings, const char* key) {
    std::vector<std::string> names;
    std::string text = settings.value(key).value_or("");
    for (size_t start = 0; start < text.size();) {
        size_t comma = std::min(text.find(',', start), text.size());
        if (comma > start)
            names.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
    return names;
}

std::string namesSetting(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ",") + name;
    return text;
}

bool playsElsewhere(const Pool& pool, const std::string& name) {
    std::vector<std::string> remote = namesInSetting(pool.folders(), kRemoteUsersKey);
    return std::find(remote.begin(), remote.end(), name) != remote.end();
}

std::string playsElsewhereMessage(const std::string& name) {
    return name + " plays on another machine";
}

} // namespace gs
