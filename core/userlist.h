#pragma once

// The user list "UserList.db" and the per-user preference files.
//
// UserList.db: line 1 the season year (the season a load starts in), then
// one line a user:
// name,active,colour scheme,admin,encoded password,flag,folder
// The preference file <name>_UserPref.dbu holds one line:
// encoded password,exchange address

#include "pool.h"
#include "result.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace gs {

class Dialogs;

inline constexpr const char* kUserListFileName = "UserList.db";
inline constexpr const char* kPreferencesDefaultedMessage =
    "Error reading User Preferences. Defaults set.";

// Passwords are stored with every character code shifted up by 10.
std::string encodePassword(std::string_view clear);
// False when a stored character has a code below 10 and cannot be decoded.
bool decodePassword(std::string_view stored, std::string& clear);

std::filesystem::path userListPath(const Folders& folders);
std::filesystem::path preferencePath(const Folders& folders, const std::string& userName);

enum class UserListOutcome {
    Loaded,       // the table holds the list, and the current user is on it
    Created,      // there was no list: a new one with admin and PC was written
    UserNotFound, // the table holds the list, but the current user is not on it
};

struct UserListLoad {
    UserListOutcome outcome = UserListOutcome::Loaded;
    // The current user's preference file exists but could not be read or is
    // damaged: the password is empty and the exchange address the program
    // folder.
    bool preferencesDefaulted = false;
    // The current user has no preference file yet (every new player): the
    // password stays the user list's and the exchange address is the program
    // folder. Nobody needs telling; the next account change writes the file.
    bool preferencesMissing = false;
    // User lines past the 100th, which were not loaded.
    size_t droppedUserLines = 0;
};

// The season a line 1 of the user list stands for: its four-digit year, or
// 2010 for a missing or malformed one.
std::string storedSeasonYear(std::string_view line);

// Stores the pool's season in line 1 of the user list, leaving every user
// line as it is, so that the next load starts in that season.
Status storeSeasonInUserList(const Pool& pool);

// Reads the user list into the pool's table and the season from its line 1
// (creating the file with admin and PC when it is missing), and the current
// user's preference file. Fails when the list can neither be read nor
// created.
Result<UserListLoad> loadUserList(Pool& pool);

// Reads the user list again, for players added or removed since the login,
// keeping the season chosen for this run (loading takes the one stored with
// the list).
Result<UserListLoad> reloadUserList(Pool& pool);

// Tells the person what a load noticed on the way (a damaged preference file
// replaced by the defaults, users past the 100th left out). A missing
// preference file is no news.
void tellLoadNotices(const UserListLoad& load, Dialogs& dialogs);

// Writes UserList.db (line 1 the pool's season): the active players in the
// pool order, then the other players on file, each with the table's fields;
// then the current user's preference file. Works the pool order out first
// when no view has yet, and writes nothing while no player is active.
Status saveUserList(Pool& pool);

// "Players on File": every player in the table, in slot order, but for those
// the user administration took off the list.
std::vector<std::string> playersOnFile(const Pool& pool);

// "Active Players": the active players in the order the current user's pick
// file saved, then the other active players in slot order (a name that
// differs from a listed one only by spaces is taken for it).
std::vector<std::string> activePlayersInPoolOrder(const Pool& pool);

// Moves the player of a slot behind every other player of the table, the
// place in "Players on File" of a player just added or renamed (the user
// list writes its inactive players in that order); the slots between move
// up one.
void listUserLast(Pool& pool, int slot);

// Works the pool order out afresh from the table, as every view of the
// players does when it opens.
void refreshPoolOrder(Pool& pool);

} // namespace gs
