#pragma once

// The user list "UserList.db" and the per-user preference files.
//
// UserList.db: line 1 the season year ("2010"), then one line a user:
// name,active,colour scheme,admin,encoded password,flag,folder
// The preference file <name>_UserPref.dbu holds one line:
// encoded password,exchange address

#include <filesystem>
#include <string>
#include <string_view>

namespace gs {

inline constexpr const char* kUserListFileName = "UserList.db";

// Passwords are stored with every character code shifted up by 10.
std::string encodePassword(std::string_view clear);
// False when a stored character has a code below 10 and cannot be decoded.
bool decodePassword(std::string_view stored, std::string& clear);

std::filesystem::path userListPath();
std::filesystem::path preferencePath(const std::string& userName);

// Reads the user list into UserTable (creating the file with admin and PC
// when it is missing) and the current user's preference file. Leaves a
// sentinel in CurrentUser when the list was just created or the name is not
// in it. Returns false when the file could neither be read nor created (the
// person has been told why); CurrentUser is then unchanged.
bool LoadUserList();

// Writes UserList.db from the two player lists and the table, then the
// current user's preference file. Returns false when nothing or not all was
// written (the person has been told why).
bool SaveUserList();

// Refills "Players on File" and "Active Players" from the table.
void FillUserLists();

} // namespace gs
