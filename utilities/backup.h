#pragma once

// "Backup" and "Restore" of the "File" menu. A backup is a byte-for-byte
// copy of a data file beside it, named like it with the extension ".bak":
//   Picks Data  the current user's pick file of the season in force
//   Admin Data  the user list (UserList.db <-> UserList.bak) and the games
//               table (scoresheet97.mdb <-> scoresheet97.bak)
// The "Admin Data" entries are for administrators only.

#include "core/dialogs.h"
#include "core/pool.h"
#include "core/result.h"
#include "core/textfile.h"

#include <filesystem>
#include <vector>

namespace gs {

struct BackupPair {
    std::filesystem::path data;
    std::filesystem::path backup;
    // The user list holds passwords: both copies are its owner's only.
    FileAccess access = FileAccess::Shared;
    // The games table: its backup must be plain data to be restored.
    bool gamesTable = false;
};

// The current user's pick file and its backup. Fails for a name that cannot
// be a file name.
Result<BackupPair> picksBackupPair(const Pool& pool);
BackupPair userListBackupPair(const Folders& folders);
BackupPair gamesTableBackupPair(const Folders& folders);
// The files of "Admin Data": the user list and the games table.
std::vector<BackupPair> adminBackupPairs(const Folders& folders);

class BackupCommands {
public:
    BackupCommands(Pool& pool, Dialogs& dialogs) : m_pool(pool), m_dialogs(dialogs) {}

    // "Backup" > "Picks Data": copies the pick file to its backup and says so.
    void backUpPicks();
    // "Backup" > "Admin Data": the user list and the games table, each to
    // its backup.
    void backUpAdminData();
    // "Restore" > "Picks Data": after "Proceed with restore?", copies the
    // backup over the pick file and says which file came back from which.
    // True when the pick file was replaced: whatever shows the player's
    // picks must read them again.
    bool restorePicks();
    // "Restore" > "Admin Data": the same for the user list and the games
    // table, after one question; a file without a backup stays as it is. A
    // backup of the games table that is not plain data (checkPlainGamesTable)
    // refuses the restore whole.
    // The list in memory stays as it is until the next load.
    void restoreAdminData();

private:
    void backUp(const std::vector<BackupPair>& pairs, const std::string& title);
    bool restore(const std::vector<BackupPair>& pairs, const std::string& title);

    Pool& m_pool;
    Dialogs& m_dialogs;
};

} // namespace gs
