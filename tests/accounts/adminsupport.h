#pragma once

// What the administration tests share: a user list on disk, its bytes, and a
// dump of the administration panel's two player lists.

#include "accounts/useradministration.h"
#include "core/pool.h"

#include <string>
#include <vector>

namespace gs::test {

// UserList.db with the line "2010" and these user lines, each line of the
// form name,active,scheme,admin,encoded password,flag,folder; "F" as the
// folder stands for the program folder.
void writeUserList(const Pool& pool, const std::vector<std::string>& users);

// admin (administrator), PC, ann and bob active, carl on file only.
void writePoolOfFive(const Pool& pool);

std::string userListBytes(const Pool& pool);

std::string replaceAll(std::string text, const std::string& from, const std::string& to);

// The user lines of UserList.db (without the season line), the program
// folder written as "F".
std::vector<std::string> userListLines(const Pool& pool);

// The panel's two lists: "onFile: a b c | active: a b | selected: 1 -1"
std::string dumpLists(const UserAdministrationPanel& panel);

// Each named slot as name:active,admin: "admin:1,1 PC:1,0 carl:0,0"
std::string dumpSlots(const Pool& pool);

} // namespace gs::test
