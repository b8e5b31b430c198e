#pragma once

// The pool's user list on a player's machine. The administrator uploads his
// UserList.db (without passwords); a player's download merges it into the
// local list. The received list decides who is in the pool, their order,
// who is active and the season in force; everything that belongs to this
// machine stays as it is: passwords, preference files and exchange
// addresses, colour schemes, administrator rights and folders.

#include "core/pool.h"
#include "core/result.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace gs {

// A user of a received list, with the fields a merge takes from it.
struct PoolListUser {
    std::string name;
    int16_t active = 0;
    int16_t colorScheme = 0;
    bool flag = false; // the rating player's mark
};

struct PoolList {
    std::string season;
    std::vector<PoolListUser> users;
};

// Reads a received user list as the program writes it: the season's four
// digits, then one line of seven fields a user, every line ended by a line
// break, the computer player among the users. A damaged or foreign file is
// refused whole, naming the first line that is wrong.
Result<PoolList> parsePoolList(std::string_view bytes);

struct PoolListMerge {
    std::vector<std::string> lines;       // the local UserList.db after the merge
    std::vector<std::string> poolUsers;   // every name a received list held
    std::vector<std::string> remoteUsers; // names known here only through the pool's lists
    std::vector<std::string> activeOrder; // the active players in the received order
};

// Merges a received list into the local list's lines. The received users
// come first, in their order, each with the received active flag: a local
// user keeps the rest of his line, a newcomer gets no password and no
// rights, the received colour scheme and flag, and this machine's data
// folder. Then the local users the received list lacks, in their order: as
// they are, but inactive when an earlier received list held them. A
// newcomer other than `joiningPlayer` plays on another machine.
PoolListMerge mergePoolList(const std::vector<std::string>& localLines, const PoolList& received,
                            const std::vector<std::string>& poolUsers,
                            const std::vector<std::string>& remoteUsers,
                            const std::string& dataFolder,
                            const std::string& joiningPlayer = std::string());

// The refusal of a name the pool's list does not hold.
std::string notAPlayerMessage(const std::string& name);

struct PoolListInstalled {
    std::string season;
    int players = 0; // the active people on the received list
};

// Merges a received list file into this machine's list under the pool's
// lock, atomically, with the names the settings file keeps; then the pick
// files here keep the received order, and the pool is loaded again (its
// season the received one). A damaged or foreign file, and a list that does
// not hold `joiningPlayer`, change nothing.
Result<PoolListInstalled> installPoolList(Pool& pool, const std::filesystem::path& received,
                                          const std::string& joiningPlayer = std::string());

} // namespace gs
