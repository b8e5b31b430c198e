#pragma once

// What every start of the program does to the pool's folders before it
// reads anything: the data folder is made (or kept) private and marked as
// a pool's data folder, files that hold passwords are made private, and the
// temporary files of a copy that was killed halfway through a write are
// removed.

#include "pool.h"

#include <string_view>

namespace gs {

// The file that tells any folder holding it for a pool's data folder, so
// that the exchange never takes one for a shared place and writes into it.
inline constexpr const char* kDataFolderMarker = ".gridslate-data";

// Prepares the pool's folders; a step that fails is left for the file it
// concerns to report when it is used.
void prepareFolders(const Pool& pool);

// True for the name of a file that holds a password: the user list, its
// backup and the preference files.
bool holdsPassword(std::string_view fileName);

} // namespace gs
