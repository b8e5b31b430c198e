#pragma once

// Whose machine a home is. A home set up by joining a pool is a player's
// machine: the scores, the schedule, the pool's day and the master files are
// the administrator's, kept on his own machine, and every download here
// brings the pool's user list. The settings file (PoolSettings.ini) says so,
// and keeps the names the pool's lists brought.

#include "pool.h"
#include "result.h"

#include <string>
#include <vector>

namespace gs {

class Dialogs;
class PoolSettings;

inline constexpr const char* kMachineKey = "machine";
inline constexpr const char* kPlayersMachine = "player";
// The player who joined the pool from this machine: its own picks are his.
inline constexpr const char* kJoinedPlayerKey = "player";
// Every name a received user list of the pool held, joined by ",".
inline constexpr const char* kPoolUsersKey = "poolUsers";
// The names that reached this machine only through the pool's list: they
// play on other machines, and nobody acts as them here.
inline constexpr const char* kRemoteUsersKey = "remoteUsers";

// Why an administrator's operation is refused on a player's machine.
inline constexpr const char* kPlayersMachineMessage =
    "This computer is a player's machine of the pool: the scores, the schedule, the pool's day "
    "and the admin files are kept by the pool's administrator on his own machine.";

// True when the home was set up as a player's machine.
bool isPlayersMachine(const Folders& folders);

// Makes the home the player's machine of the pool, under the pool's lock.
Status markPlayersMachine(const Pool& pool, const std::string& player);

// Done when the current user may send his pick files to the shared place.
// On a player's machine only the player who joined from it may: the local
// admin, above all, shares the pool administrator's name, and his file
// would replace the administrator's picks there.
Status mayUploadPickFiles(const Pool& pool);

// True on any machine but a player's; on a player's machine the person is
// told kPlayersMachineMessage.
bool requireAdministratorsMachine(const Pool& pool, Dialogs& dialogs);

// The names a setting holds, joined by ","; and the setting's text of names.
std::vector<std::string> namesOfSetting(const PoolSettings& settings, const char* key);
std::string namesSetting(const std::vector<std::string>& names);

// True for a user who reached this machine only through the pool's list.
bool playsElsewhere(const Pool& pool, const std::string& name);

// The refusal of a login or a --user as such a user: "Bob plays on another
// machine".
std::string playsElsewhereMessage(const std::string& name);

} // namespace gs
