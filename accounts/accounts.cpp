#include "accounts.h"

#include "core/codepage.h"
#include "core/poollock.h"
#include "core/text.h"
#include "core/textfile.h"
#include "core/userlist.h"
#include "schedule/pickfiles.h"

#include <algorithm>

namespace gs {

namespace fs = std::filesystem;

namespace {

// Bytes that Windows-1252 leaves undefined.
bool isUndefinedByte(unsigned char code) {
    return code == 0x81 || code == 0x8D || code == 0x8F || code == 0x90 || code == 0x9D;
}

bool isControl(unsigned char code) {
    return code < 0x20 || code == 0x7F;
}

// Tells the person why a change failed after putting back the files it had
// written so far.
void tellChangeFailed(Dialogs& dialogs, const std::string& reason, FileRollback& changes) {
    Status restored = changes.restore();
    if (restored)
        dialogs.refuse(reason + " Nothing was changed.");
    else
        dialogs.refuse(reason +
                       " The old files could not all be put back: " + restored.error().message);
}

// The last step of a change: saves the user list, or, when that fails, puts
// the pool and every file back as they were before the change and tells why.
bool saveChange(Pool& pool, const Pool& before, Dialogs& dialogs, FileRollback& changes) {
    Status saved = saveUserListRemembering(pool, dialogs, changes);
    if (saved)
        return true;
    pool = before;
    tellChangeFailed(dialogs, saved.error().message, changes);
    return false;
}

// Keeps the pool order just saved in the current user's pick file, whose
// order the next login puts first. A file that holds no order yet, or the
// same one, is left alone.
void keepPoolOrderInPickFile(Pool& pool, Dialogs& dialogs) {
    const std::string& user = pool.currentUser();
    if (isComputerPlayer(user) || !isSafeFileName(user) || pool.userSlot(user) == 0)
        return;
    Result<PickFileContent> content = readPickFile(pickFilePath(pool, user), poolSeasonShape(pool));
    if (!content || content->extraLines.empty() || content->extraLines == pool.poolOrder())
        return;
    if (Status saved = savePicks(pool, user, content->picks); !saved)
        dialogs.refuse(saved.error().message);
}

std::string withoutTrailingSeparator(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

bool sameFolder(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    if (fs::equivalent(a, b, ec))
        return true;
    return a.lexically_normal() == b.lexically_normal();
}

} // namespace

Status checkUserName(std::string_view name) {
    bool allowed = !trimSpaces(name).empty() && name.size() <= kMaxUserNameLength &&
                   name.find_first_not_of('.') != std::string_view::npos;
    for (char c : name) {
        auto code = static_cast<unsigned char>(c);
        if (c == ',' || c == '/' || c == '\\' || isControl(code) || isUndefinedByte(code))
            allowed = false;
    }
    if (!allowed)
        return failure(ErrorKind::Refused, kNameNotAllowedMessage);
    return {};
}

bool isUserNameTaken(const Pool& pool, const std::string& name, const std::string& renamed) {
    // Names that differ only by spaces look alike in every list, and the
    // pool order tells players apart without their spaces.
    std::string stripped = upperAscii(stripSpaces(name));
    auto alike = [&](const std::string& other) {
        if (!renamed.empty() && other == renamed && name != renamed)
            return false;
        return upperAscii(stripSpaces(other)) == stripped;
    };
    // A player taken off the list but not yet saved still holds his slot.
    bool onSlot = std::any_of(pool.users().begin() + 1, pool.users().end(),
                              [&](const UserSlot& slot) { return alike(slot.name); });
    const std::vector<std::string>& order = pool.poolOrder();
    return onSlot || std::any_of(order.begin(), order.end(), alike);
}

Status checkNewUserName(const Pool& pool, const std::string& name, const std::string& renamed) {
    auto notAllowed = [] { return failure(ErrorKind::Refused, kNameNotAllowedMessage); };
    if (!checkUserName(name) || name.find_first_of(":*?\"<>|") != std::string::npos)
        return notAllowed();
    const std::string upper = upperAscii(name);
    for (const char* reserved : {kAdminUser, kComputerPlayer, kRatingPlayer})
        if (upper == upperAscii(reserved) && name != reserved)
            return notAllowed();
    // Windows takes these for devices, with any extension ("CON.x2025.dat"
    // too), and the superscript digits of Windows-1252 for ordinary ones.
    std::string device = trimSpaces(upper.substr(0, upper.find('.')));
    bool numbered = device.size() == 4 &&
                    (device.starts_with("COM") || device.starts_with("LPT")) &&
                    ((device[3] >= '1' && device[3] <= '9') || device[3] == '\xB9' ||
                     device[3] == '\xB2' || device[3] == '\xB3');
    if (numbered || device == "CON" || device == "PRN" || device == "AUX" || device == "NUL")
        return notAllowed();
    if (isUserNameTaken(pool, name, renamed))
        return failure(ErrorKind::Refused, kNameTakenMessage);
    return {};
}

std::string trimmedUserName(std::string_view typed) {
    size_t first = typed.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    size_t last = typed.find_last_not_of(' ');
    return std::string(typed.substr(first, last - first + 1));
}

Status checkPassword(std::string_view password) {
    for (char c : password) {
        auto code = static_cast<unsigned char>(c);
        if (isControl(code) || isUndefinedByte(code))
            return failure(ErrorKind::Refused,
                           "The password cannot contain control characters or characters "
                           "outside the Windows-1252 code page.");
        if (code > 245 || c == '"')
            return failure(ErrorKind::Refused, "The password cannot contain the character \"" +
                                                   std::string(1, c) + "\".");
    }
    return {};
}

std::vector<fs::path> seasonPickFiles(const fs::path& folder, const std::string& user) {
    std::vector<fs::path> files;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (name.size() != user.size() + 8 || name.compare(0, user.size(), user) != 0 ||
            name.compare(user.size() + 4, 4, ".dat") != 0)
            continue;
        std::string_view digits = std::string_view(name).substr(user.size(), 4);
        if (std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
            files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

Status saveUserListRemembering(Pool& pool, Dialogs& dialogs, FileRollback& changes) {
    if (Status kept = changes.remember(userListPath(pool.folders())); !kept)
        return kept;
    if (isSafeFileName(pool.currentUser()))
        if (Status kept = changes.remember(preferencePath(pool.folders(), pool.currentUser()));
            !kept)
            return kept;
    if (Status saved = saveUserList(pool); !saved)
        return saved;
    pool.setSavedPoolOrder(pool.poolOrder());
    keepPoolOrderInPickFile(pool, dialogs);
    return {};
}

UserNameChange::UserNameChange(Pool& pool, Dialogs& dialogs, std::string oldName)
    : m_pool(pool), m_dialogs(dialogs), m_oldName(std::move(oldName)) {
    currentName = ControlModel{m_oldName, true};
}

Status UserNameChange::copyFiles(const std::string& name, int slot, FileRollback& changes) {
    fs::path folder = m_pool.pickFolder(slot);
    for (const fs::path& file : seasonPickFiles(folder, m_oldName)) {
        std::string season = file.filename().string().substr(m_oldName.size());
        fs::path target = folder / (name + season);
        if (Status kept = changes.remember(target); !kept)
            return kept;
        if (Status copied = copyFileAtomic(file, target); !copied)
            return copied;
    }
    if (!isSafeFileName(m_oldName))
        return {};
    fs::path preferences = preferencePath(m_pool.folders(), m_oldName);
    fs::path target = preferencePath(m_pool.folders(), name);
    if (Status kept = changes.remember(target); !kept)
        return kept;
    if (fileExists(preferences))
        return copyFileAtomic(preferences, target, FileAccess::OwnerOnly);
    // A file left by a former user of the new name must not hand that
    // user's password to this one.
    std::error_code ec;
    if (fs::remove(target, ec); ec)
        return failure(ErrorKind::Unwritable,
                       "Cannot remove " + target.string() + ": " + ec.message());
    return {};
}

void UserNameChange::renameInLists(const std::string& name, int slot) {
    // The renamed player goes to the end of both lists, as if just added.
    std::vector<std::string> order = m_pool.poolOrder();
    if (auto it = std::find(order.begin(), order.end(), m_oldName); it != order.end()) {
        order.erase(it);
        order.push_back(name);
        m_pool.setPoolOrder(std::move(order));
    }
    UserSlot renamed = m_pool.users()[slot];
    renamed.name = name;
    m_pool.setUser(slot, std::move(renamed));
    listUserLast(m_pool, slot);
}

bool UserNameChange::save() {
    const std::string name = trimmedUserName(newName);
    if (isReservedUserName(name)) {
        m_dialogs.refuse(kNameNotAllowedMessage);
        return false;
    }
    // Two users of one name would share a pick file; the player himself may
    // change the letter case of his.
    if (Status allowed = checkNewUserName(m_pool, name, m_oldName); !allowed) {
        m_dialogs.refuse(allowed.error().message);
        return false;
    }
    int k = m_pool.userSlot(m_oldName);
    if (k == 0) {
        m_dialogs.refuse("The player " + m_oldName + " is not on the user list.");
        return false;
    }

    const Pool before = m_pool;
    FileRollback changes;
    if (Status copied = copyFiles(name, k, changes); !copied) {
        tellChangeFailed(m_dialogs, copied.error().message, changes);
        return false;
    }
    renameInLists(name, k);
    if (m_pool.currentUser() == m_oldName)
        m_pool.setCurrentUser(name);
    return saveChange(m_pool, before, m_dialogs, changes);
}

PasswordChange::PasswordChange(Pool& pool, Dialogs& dialogs, std::string user)
    : m_pool(pool), m_dialogs(dialogs), m_user(std::move(user)) {
    this->user = ControlModel{m_user, true};
}

Status PasswordChange::rewritePreferences(const std::string& name, FileRollback& changes) {
    if (!isSafeFileName(name))
        return {};
    Result<PoolLock> lock = lockPoolFiles(m_pool);
    if (!lock)
        return failure(lock.error());
    fs::path path = preferencePath(m_pool.folders(), name);
    Result<std::vector<std::string>> lines = readTextFile(path);
    if (failedWith(lines, ErrorKind::NotFound))
        return {};
    std::string address;
    if (lines && !lines->empty())
        if (size_t comma = lines->front().find(','); comma != std::string::npos)
            address = lines->front().substr(comma + 1);
    if (Status kept = changes.remember(path); !kept)
        return kept;
    return writeLinesAtomic(path, {encodePassword(password) + "," + address},
                            FileAccess::OwnerOnly);
}

bool PasswordChange::save() {
    if (password != verification) {
        m_dialogs.refuse(kPasswordsDifferMessage);
        return false;
    }
    if (Status carried = checkPassword(password); !carried) {
        m_dialogs.refuse(carried.error().message);
        return false;
    }
    int k = m_pool.userSlot(m_user);
    if (k == 0) {
        m_dialogs.refuse("The player " + m_user + " is not on the user list.");
        return false;
    }

    const Pool before = m_pool;
    FileRollback changes;
    UserSlot slot = m_pool.users()[k];
    slot.password = password;
    slot.listPassword = password;
    m_pool.setUser(k, std::move(slot));
    // The current user's preference file is written by the save itself.
    if (m_user != m_pool.currentUser())
        if (Status rewritten = rewritePreferences(m_user, changes); !rewritten) {
            m_pool = before;
            tellChangeFailed(m_dialogs, rewritten.error().message, changes);
            return false;
        }
    return saveChange(m_pool, before, m_dialogs, changes);
}

std::string FolderChange::startFolder() {
    int k = m_pool.userSlot(m_pool.currentUser());
    if (k == 0) {
        m_dialogs.refuse(kNotOnUserListMessage);
        return {};
    }
    // Where the user's pick files are on this machine, whatever folder a
    // list brought from elsewhere names.
    return m_pool.pickFolder(k).string();
}

bool FolderChange::select(const std::string& chosen) {
    if (chosen.empty())
        return false;
    int k = m_pool.userSlot(m_pool.currentUser());
    if (k == 0) {
        m_dialogs.refuse(kNotOnUserListMessage);
        return false;
    }
    // The folder is the last field of a comma-separated line of its own.
    if (std::any_of(chosen.begin(), chosen.end(),
                    [](char c) { return c == ',' || isControl(static_cast<unsigned char>(c)); })) {
        m_dialogs.refuse("The user list cannot store the name of this folder: it holds a comma "
                         "or a control character. The folder setting was not changed.");
        return false;
    }
    const std::string folder = withoutTrailingSeparator(chosen);
    const fs::path oldFolder = m_pool.pickFolder(k);
    if (sameFolder(folder, oldFolder)) {
        m_dialogs.inform("Your pick files are already in this folder. The folder setting stays "
                         "as it was.");
        return false;
    }
    std::error_code ec;
    Result<fs::path> probe = failure(ErrorKind::Unwritable, "it is not a folder");
    if (fs::is_directory(folder, ec))
        probe = createTemporaryBeside(fs::path(folder) / "gridslate");
    if (!probe) {
        m_dialogs.refuse("The folder " + folder + " cannot be written (" + probe.error().message +
                         "). The folder setting was not changed.");
        return false;
    }
    fs::remove(*probe, ec);

    const Pool before = m_pool;
    FileRollback changes;
    for (const fs::path& file : seasonPickFiles(oldFolder, m_pool.currentUser())) {
        fs::path target = fs::path(folder) / file.filename();
        Status copied = changes.remember(target);
        if (copied)
            copied = copyFileAtomic(file, target);
        if (!copied) {
            tellChangeFailed(m_dialogs, copied.error().message, changes);
            return false;
        }
    }
    // The mark tells this home's chosen folder from a folder that a list
    // copied from elsewhere names.
    Status marked = changes.remember(fs::path(folder) / kPickFolderMark);
    if (marked)
        marked = markPickFolder(m_pool, folder);
    if (!marked) {
        tellChangeFailed(m_dialogs, marked.error().message, changes);
        return false;
    }
    UserSlot slot = m_pool.users()[k];
    slot.folder = folder;
    m_pool.setUser(k, std::move(slot));
    return saveChange(m_pool, before, m_dialogs, changes);
}

} // namespace gs
