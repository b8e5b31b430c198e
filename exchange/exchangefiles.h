#pragma once

// What the exchange checks in the files it receives, and what it leaves out
// of the files it sends.

#include "core/pool.h"
#include "core/result.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace gs {

// The user list as it goes to the shared place: every password field (the
// fifth field of each user line) empty, every other byte as it was. The
// shared copy serves no machine's login, so it need not carry any password.
std::string userListWithoutPasswords(std::string_view bytes);

// The extension as the download compares it: the (at most) three characters
// after the first "." of the name, upper-cased; "" without one.
std::string downloadExtension(std::string_view name);

// True for a name that ends in ".dat", in any case.
bool isDataFileName(std::string_view name);

// The player whose pick file this is: the name before four digits and
// ".dat" (in any case); empty for any other name.
std::string pickFileOwner(std::string_view fileName);

// Done when the file is a readable games table: a SQLite database that is
// plain data (checkPlainGamesTable: the table "Scoresheet" with at least its
// six fields, and nothing else), every record of which can be read.
// Otherwise says what is wrong.
Status checkGamesTableFile(const std::filesystem::path& path);

// Replaces the pool's games table by a received file, atomically, after
// checking it: a readable games table whose every record is a game (known
// teams, a real date, whole-number scores, a four-digit year), holding the
// pool's season with no fewer games than the local table has of it, less
// two (a cancelled game may go; most of a season may not). A file that
// fails the check changes nothing.
Status installGamesTable(const Pool& pool, const std::filesystem::path& received);

// Done when a received pick file arrived whole: its 17 week lines of 32
// picks, ended by a line break. An old-scores file (named "oldscores...")
// needs its 32 lines of team records instead.
Status checkPickFileWhole(const std::filesystem::path& path);

} // namespace gs
