#include "startup.h"

#include "poollock.h"
#include "textfile.h"
#include "userlist.h"

#include <sys/stat.h>

namespace gs {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kPreferenceSuffix = "_UserPref.dbu";

// Takes group and other rights away; an older version made these files
// with the umask's mode.
void makePrivate(const fs::path& path, mode_t mode) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0 || (status.st_mode & 077) == 0)
        return;
    if (S_ISDIR(status.st_mode) || S_ISREG(status.st_mode))
        ::chmod(path.c_str(), mode);
}

} // namespace

bool holdsPassword(std::string_view fileName) {
    return fileName == kUserListFileName || fileName == "UserList.bak" ||
           (fileName.size() > kPreferenceSuffix.size() && fileName.ends_with(kPreferenceSuffix));
}

void prepareFolders(const Pool& pool) {
    const fs::path& data = pool.folders().program;
    if (!createDataFolder(data))
        return;
    makePrivate(data, 0700);
    std::error_code ec;
    for (fs::directory_iterator entry(data, ec), end; !ec && entry != end; entry.increment(ec))
        if (holdsPassword(entry->path().filename().string()))
            makePrivate(entry->path(), 0600);
    if (!fileExists(data / kDataFolderMarker))
        (void)writeLinesIfAbsent(data / kDataFolderMarker,
                                 {"This folder holds the data files of a Gridslate pool."});

    // Another copy that holds the lock is writing now; its temporaries are
    // not leftovers, and the next start will clean up instead.
    Result<PoolLock> lock = lockPoolFiles(pool, std::chrono::milliseconds(0));
    if (!lock)
        return;
    for (const fs::path& folder : {data, pool.folders().install, pool.folders().staging})
        removeStaleTemporaries(folder);
}

} // namespace gs
