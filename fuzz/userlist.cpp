// The user list "UserList.db" as a load reads it: line 1 the season, then
// one user a line. Lists come from backups and other machines.

#include "fuzzhome.h"

#include "core/userlist.h"
#include "schedule/pickfiles.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace gs;
    const fuzz::FuzzHome& home = fuzz::FuzzHome::instance();
    home.writeDataFile(kUserListFileName, data, size);

    Pool pool(home.path());
    pool.setCurrentUser(kAdminUser);
    Result<UserListLoad> load = loadUserList(pool);
    if (!load)
        return 0;
    // What a login does next with the table: the two player lists, the
    // season as a number and every player's pick file path.
    refreshPoolOrder(pool);
    (void)pool.seasonYear();
    (void)pool.isAdmin(pool.currentUser());
    for (const std::string& player : playersOnFile(pool))
        (void)pickFilePath(pool, player);
    return 0;
}
