#pragma once

// Account changes: a user's name, password and pick-file folder, each made
// in a small window that the window layer renders from these models; and the
// checks that every user name and password passes before it reaches the
// files.

#include "core/dialogs.h"
#include "core/filerollback.h"
#include "core/grid.h"
#include "core/pool.h"
#include "core/result.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace gs {

inline constexpr const char* kNameNotAllowedMessage = "User Name Not Allowed";
inline constexpr const char* kNameTakenMessage = "User Name Already Taken";
inline constexpr const char* kPasswordsDifferMessage = "Password entries do not match. ";
inline constexpr size_t kMaxUserNameLength = 40;

// Refuses, with kNameNotAllowedMessage, a name that would break the user
// list or the file names made from it: empty after trimming, longer than 40
// characters, only dots, or holding a comma, a slash, a backslash, a control
// character or a character outside Windows-1252.
Status checkUserName(std::string_view name);

// True when a slot of the table or the pool order already has the name,
// spaces and letter case aside (" bob" is taken by "Bob"): the pick files of
// the two would be one file on a shared folder or FTP server that ignores
// case. A player being renamed (renamed: his name on the list) does not hold
// another spelling of his own name against himself, only the very same name.
bool isUserNameTaken(const Pool& pool, const std::string& name, const std::string& renamed = {});

// Refuses a name for a new player or a new name for a player: with
// kNameNotAllowedMessage a name checkUserName refuses, a reserved name
// (admin, PC, ELO) in another letter case, a character that Windows or FTP
// servers refuse in file names (: * ? " < > | besides those above) or a
// device name of Windows (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9, also
// before a dot); with kNameTakenMessage a name isUserNameTaken finds (for
// a rename, renamed is the player's name on the list). The names already on
// a list are never checked again.
Status checkNewUserName(const Pool& pool, const std::string& name, const std::string& renamed = {});

// A typed user name without the spaces around it, as it is stored.
std::string trimmedUserName(std::string_view typed);

// Refuses a password the files cannot carry: the encoding adds 10 to every
// character code, so a code above 245 leaves the code page, a control
// character can become a line break, and '"' becomes the field separator.
Status checkPassword(std::string_view password);

// The user's pick files of every season (name, four digits, ".dat") in a
// folder, in name order.
std::vector<std::filesystem::path> seasonPickFiles(const std::filesystem::path& folder,
                                                   const std::string& user);

// Saves the user list, first remembering the files the save writes so that
// the caller can put them back. After a successful save the pool order just
// written is also the one the current user's pick file keeps, so that it
// comes back at the next login (the person is told if that file cannot be
// written).
Status saveUserListRemembering(Pool& pool, Dialogs& dialogs, FileRollback& changes);

// "Change User Name": renames the player selected in "Players on File".
class UserNameChange {
public:
    UserNameChange(Pool& pool, Dialogs& dialogs, std::string oldName);

    std::string caption = "Change User Name";
    ControlModel currentNameHeading{"Current User Name:", true};
    ControlModel currentName; // the name being changed
    ControlModel newNameHeading{"Enter New User Name:", true};
    std::string newName; // what the new name box holds
    ControlModel saveButton{"Save", true};
    ControlModel cancelButton{"Cancel", true};

    // "Save": checks the new name, copies the player's pick files of every
    // season and preference file to the new name (the old ones stay), renames
    // the player in the table and the lists and saves the user list. True
    // when done and the window closes; on any refusal or failure nothing is
    // changed and the window stays open.
    bool save();

    const std::string& oldName() const { return m_oldName; }

private:
    // Copies the pick and preference files of the user in the slot to the new name.
    Status copyFiles(const std::string& name, int slot, FileRollback& changes);
    // Renames the player in the slot, in the table and the pool order.
    void renameInLists(const std::string& name, int slot);

    Pool& m_pool;
    Dialogs& m_dialogs;
    std::string m_oldName;
};

// "Change Password": sets the password of the user the window names.
class PasswordChange {
public:
    PasswordChange(Pool& pool, Dialogs& dialogs, std::string user);

    std::string caption = "Change Password";
    ControlModel userHeading{"User:", true};
    ControlModel user; // whose password changes
    ControlModel passwordHeading{"New Password", true};
    ControlModel verificationHeading{"Verify New Password", true};
    std::string password;     // the first password box
    std::string verification; // the second password box
    ControlModel saveButton{"Save", true};
    ControlModel cancelButton{"Cancel", true};

    // "Save": the two boxes must agree and the files must be able to carry
    // the password. Saves the user list, and rewrites the user's preference
    // file (kept address) when the user is not the current user but has one,
    // since the login checks the password there. True when done.
    bool save();

private:
    Status rewritePreferences(const std::string& name, FileRollback& changes);

    Pool& m_pool;
    Dialogs& m_dialogs;
    std::string m_user;
};

// "Change Folder Setting": moves the current user's pick files to a folder
// the person chooses (the window layer supplies the chooser).
class FolderChange {
public:
    FolderChange(Pool& pool, Dialogs& dialogs) : m_pool(pool), m_dialogs(dialogs) {}

    std::string caption = "Change Folder Setting";
    std::string selectButton = "Select";

    // The folder the chooser opens on: the current user's. Empty, and the
    // person told, when the current user has no slot.
    std::string startFolder();

    // "Select": copies the current user's pick files of every season to the
    // folder (the old ones stay), sets the user's folder and saves the user
    // list. A folder that already holds the files, cannot be written, or
    // whose name the user list cannot carry changes nothing. True when the
    // folder changed.
    bool select(const std::string& folder);

private:
    Pool& m_pool;
    Dialogs& m_dialogs;
};

} // namespace gs
