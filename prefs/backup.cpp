#include "backup.h"

#include "core/text.h"
#include "core/textfile.h"
#include "core/userlist.h"
#include "schedule/pickfiles.h"

namespace gs {

namespace fs = std::filesystem;

namespace {

constexpr const char* kBackupExtension = ".bak";

} // namespace

Result<BackupPair> picksBackupPair(const Pool& pool) {
    if (!isSafeFileName(pool.currentUser))
        return failure("The name \"" + pool.currentUser + "\" cannot be used as a file name.");
    BackupPair pair;
    pair.data = pickFilePath(pool, pool.currentUser);
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

void BackupCommands::backUp(const BackupPair& pair, const std::string& title) {
    if (!fileExists(pair.data)) {
        m_dialogs.refuse("There is no " + pair.data.string() + " to back up.", title);
        return;
    }
    if (Status copied = copyFileAtomic(pair.data, pair.backup, pair.access); !copied) {
        m_dialogs.refuse("The backup could not be made. " + copied.error(), title);
        return;
    }
    m_dialogs.inform(pair.data.filename().string() + " has been backed up to " +
                         pair.backup.string() + ".",
                     title);
}

bool BackupCommands::restore(const BackupPair& pair, const std::string& title) {
    // Without a backup there is nothing to ask about, and nothing may change.
    if (!fileExists(pair.backup)) {
        m_dialogs.refuse("There is no backup " + pair.backup.string() +
                             " to restore. Nothing has been changed.",
                         title);
        return false;
    }
    if (!m_dialogs.confirm("Proceed with restore?", title))
        return false;
    if (Status copied = copyFileAtomic(pair.backup, pair.data, pair.access); !copied) {
        m_dialogs.refuse("The restore failed; " + pair.data.string() + " is as it was. " +
                             copied.error(),
                         title);
        return false;
    }
    m_dialogs.inform(pair.data.filename().string() + " has been restored from " +
                         pair.backup.string() + ".",
                     title);
    return true;
}

void BackupCommands::backUpPicks() {
    Result<BackupPair> pair = picksBackupPair(m_pool);
    if (!pair) {
        m_dialogs.refuse(pair.error());
        return;
    }
    backUp(*pair, "Backup Picks Data");
}

void BackupCommands::backUpUserList() {
    if (!requireAdmin(m_pool, m_pool.currentUser, m_dialogs))
        return;
    backUp(userListBackupPair(m_pool.folders), "Backup User Data");
}

bool BackupCommands::restorePicks() {
    Result<BackupPair> pair = picksBackupPair(m_pool);
    if (!pair) {
        m_dialogs.refuse(pair.error());
        return false;
    }
    return restore(*pair, "Restore Picks Data");
}

void BackupCommands::restoreUserList() {
    if (!requireAdmin(m_pool, m_pool.currentUser, m_dialogs))
        return;
    restore(userListBackupPair(m_pool.folders), "Restore User Data");
}

} // namespace gs
