#include "backup.h"

#include "core/poollock.h"
#include "core/text.h"
#include "core/textfile.h"
#include "core/userlist.h"
#include "schedule/gamesdb.h"
#include "schedule/pickfiles.h"

namespace gs {

namespace fs = std::filesystem;

namespace {

constexpr const char* kBackupExtension = ".bak";

} // namespace

Result<BackupPair> picksBackupPair(const Pool& pool) {
    if (!isSafeFileName(pool.currentUser()))
        return failure(ErrorKind::Refused,
                       "The name \"" + pool.currentUser() + "\" cannot be used as a file name.");
    BackupPair pair;
    pair.data = pickFilePath(pool, pool.currentUser());
    pair.backup = pair.data;
    pair.backup.replace_extension(kBackupExtension);
    return pair;
}

BackupPair userListBackupPair(const Folders& folders) {
    BackupPair pair;
    pair.data = userListPath(folders);
    pair.backup = pair.data;
    pair.backup.replace_extension(kBackupExtension);
    pair.access = FileAccess::OwnerOnly;
    return pair;
}

// Each file to its backup; what was done, file by file, in one message.
BackupPair gamesTableBackupPair(const Folders& folders) {
    BackupPair pair;
    pair.data = folders.program / kGamesFileName;
    pair.backup = pair.data;
    pair.backup.replace_extension(kBackupExtension);
    pair.gamesTable = true;
    return pair;
}

std::vector<BackupPair> adminBackupPairs(const Folders& folders) {
    return {userListBackupPair(folders), gamesTableBackupPair(folders)};
}

void BackupCommands::backUp(const std::vector<BackupPair>& pairs, const std::string& title) {
    std::string done;
    for (const BackupPair& pair : pairs) {
        if (!fileExists(pair.data)) {
            m_dialogs.refuse("There is no " + pair.data.string() + " to back up.", title);
            return;
        }
    }
    for (const BackupPair& pair : pairs) {
        if (Status copied = copyFileAtomic(pair.data, pair.backup, pair.access); !copied) {
            m_dialogs.refuse(done + "The backup could not be made. " + copied.error().message,
                             title);
            return;
        }
        done += pair.data.filename().string() + " has been backed up to " + pair.backup.string() +
                ".\n";
    }
    done.pop_back();
    m_dialogs.inform(done, title);
}

bool BackupCommands::restore(const std::vector<BackupPair>& pairs, const std::string& title) {
    std::vector<const BackupPair*> backed;
    std::string missing;
    for (const BackupPair& pair : pairs) {
        if (fileExists(pair.backup))
            backed.push_back(&pair);
        else
            missing += "\nThere is no backup " + pair.backup.string() + "; " +
                       pair.data.filename().string() + " is as it was.";
    }
    // Without a backup there is nothing to ask about, and nothing may change.
    if (backed.empty()) {
        m_dialogs.refuse("There is no backup " + pairs.front().backup.string() +
                             " to restore. Nothing has been changed.",
                         title);
        return false;
    }
    for (const BackupPair* pair : backed)
        if (Status plain = pair->gamesTable ? checkPlainGamesTable(pair->backup) : Status{};
            !plain) {
            m_dialogs.refuse("The backup " + pair->backup.string() +
                                 " is not a games table that can be restored: " +
                                 plain.error().message + ". Nothing has been changed.",
                             title);
            return false;
        }
    if (!m_dialogs.confirm("Proceed with restore?", title))
        return false;
    // No import or save of another program may be half-way through them.
    Result<PoolLock> lock = lockPoolFiles(m_pool);
    if (!lock) {
        m_dialogs.refuse(lock.error().message + " Nothing has been changed.", title);
        return false;
    }
    std::string done;
    for (const BackupPair* pair : backed) {
        if (Status copied = copyFileAtomic(pair->backup, pair->data, pair->access); !copied) {
            m_dialogs.refuse(done + "The restore failed; " + pair->data.string() +
                                 " is as it was. " + copied.error().message,
                             title);
            return !done.empty();
        }
        done += pair->data.filename().string() + " has been restored from " +
                pair->backup.string() + ".\n";
    }
    done.pop_back();
    m_dialogs.inform(done + missing, title);
    return true;
}

void BackupCommands::backUpPicks() {
    Result<BackupPair> pair = picksBackupPair(m_pool);
    if (!pair) {
        m_dialogs.refuse(pair.error().message);
        return;
    }
    backUp({*pair}, "Backup Picks Data");
}

void BackupCommands::backUpAdminData() {
    if (!requireAdmin(m_pool, m_pool.currentUser(), m_dialogs))
        return;
    backUp(adminBackupPairs(m_pool.folders()), "Backup Admin Data");
}

bool BackupCommands::restorePicks() {
    Result<BackupPair> pair = picksBackupPair(m_pool);
    if (!pair) {
        m_dialogs.refuse(pair.error().message);
        return false;
    }
    return restore({*pair}, "Restore Picks Data");
}

void BackupCommands::restoreAdminData() {
    if (!requireAdmin(m_pool, m_pool.currentUser(), m_dialogs))
        return;
    restore(adminBackupPairs(m_pool.folders()), "Restore Admin Data");
}

} // namespace gs
