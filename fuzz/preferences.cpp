// A user's preference file "<name>_UserPref.dbu" (encoded password and
// exchange address), read by every load of the user list for the user who
// logs in.

#include "fuzzhome.h"

#include "core/userlist.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// A user list as the first login writes it, so that every input is the
// preference file of a user on the list.
void createUserList(const gs::fuzz::FuzzHome& home) {
    gs::Pool pool(home.path());
    pool.setCurrentUser(gs::kAdminUser);
    if (!gs::loadUserList(pool))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace gs;
    const fuzz::FuzzHome& home = fuzz::FuzzHome::instance();
    static const bool listCreated = (createUserList(home), true);
    (void)listCreated;
    home.writeDataFile(std::string(kAdminUser) + "_UserPref.dbu", data, size);

    Pool pool(home.path());
    pool.setCurrentUser(kAdminUser);
    Result<UserListLoad> load = loadUserList(pool);
    if (!load || load->outcome != UserListOutcome::Loaded)
        std::abort(); // the list itself never changes
    return 0;
}
