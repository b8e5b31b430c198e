#pragma once

// Whole-file reads and atomic writes of the program's text files.
//
// Data files are lines ended by CR LF in Windows-1252. Readers accept LF and
// lone CR as well. Every write goes to a temporary file beside the target,
// is flushed to disk and then renamed over the target, so a crash or a full
// disk leaves either the old file or the new one, never a mixture.

#include "result.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace gs {

// No data file of a pool comes near this size (the largest, a pick file, is
// a few kilobytes); a larger file is refused rather than read into memory.
inline constexpr std::uintmax_t kMaxDataFileBytes = 4 * 1024 * 1024;

// Reads a whole file; the error's message says why it could not be read.
// Only a regular file of at most maxBytes is read: a folder, a pipe, a
// device or a larger file is Unreadable and is never opened for reading
// (opening a pipe could wait for ever). NotFound means there is no such
// file (also when one appears only after the attempt). Files that come from
// outside the pool, such as a season's schedule, have limits of their own.
Result<std::string> readFileBytes(const std::filesystem::path& path,
                                  std::uintmax_t maxBytes = kMaxDataFileBytes);

// Reads all lines of a file, failing as readFileBytes does. A final line
// break does not add an empty line.
Result<std::vector<std::string>> readTextFile(const std::filesystem::path& path);

// What stands at a path that is no regular file, for a message: "a folder",
// "a named pipe", "a device", "a socket"; "" for a regular file or nothing.
// Looked at without opening it.
std::string nonFileKind(const std::filesystem::path& path);

// Splits text into lines at CR LF, LF or CR.
std::vector<std::string> splitLines(std::string_view text);

// Who may read a file the program writes. The mode is set on the
// temporary file before it is renamed into place, so the file never stands
// under its name with another mode, and an existing file gets the mode at
// its next write.
enum class FileAccess {
    Shared,    // as any new file: 0666 less the umask
    OwnerOnly, // 0600 whatever the umask: the files that hold passwords
};

// Creates an empty temporary file in the target's folder, for a writer
// that fills it and then calls renameIntoPlace.
Result<std::filesystem::path> createTemporaryBeside(const std::filesystem::path& target);

// A temporary file that its creator holds open.
struct OpenTemporary {
    int fd = -1;
    std::filesystem::path path;
};

// As createTemporaryBeside, but the file is returned open. The caller
// closes it only once the file is renamed into place or removed: a file
// held open is never taken for a leftover by another copy of the program
// starting meanwhile (removeStaleTemporaries).
Result<OpenTemporary> createHeldTemporaryBeside(const std::filesystem::path& target);

// Renames a finished temporary file over the target and makes the rename
// durable. On failure the temporary file is removed and the target is
// unchanged.
Status renameIntoPlace(const std::filesystem::path& temporary, const std::filesystem::path& target);

// Where a rename that never replaces left things.
enum class Placement {
    Placed,       // the temporary file now stands under the target's name
    AlreadyThere, // a file stood there and was kept; the temporary is gone
};

// Renames a finished temporary file to the target only when no file stands
// there, so that of two programs installing the same file at once the
// first one's stays. On failure the temporary file is removed.
Result<Placement> renameIntoPlaceIfAbsent(const std::filesystem::path& temporary,
                                          const std::filesystem::path& target);

// Writes bytes atomically. On failure the reason says what failed and the
// target is unchanged.
Status writeFileAtomic(const std::filesystem::path& path, std::string_view bytes,
                       FileAccess access = FileAccess::Shared);

// The bytes of lines each followed by CR LF.
std::string joinLines(const std::vector<std::string>& lines);

// Writes each line followed by CR LF, atomically. The reason of a failure
// starts with "The file could not be saved.", ready to be shown.
Status writeLinesAtomic(const std::filesystem::path& path, const std::vector<std::string>& lines,
                        FileAccess access = FileAccess::Shared);

// Writes lines as writeLinesAtomic does, but only where no file stands: a
// file that another program made meanwhile is kept (AlreadyThere).
Result<Placement> writeLinesIfAbsent(const std::filesystem::path& path,
                                     const std::vector<std::string>& lines,
                                     FileAccess access = FileAccess::Shared);

// Copies a regular file atomically over the target; same error convention
// as writeFileAtomic. A source larger than maxBytes (also one that grows
// past it while it is copied) is refused and the target left as it was.
Status copyFileAtomic(const std::filesystem::path& from, const std::filesystem::path& to,
                      FileAccess access = FileAccess::Shared,
                      std::uintmax_t maxBytes = UINTMAX_MAX);

// The access a file has now: OwnerOnly when neither its group nor others
// may read or write it (or it cannot be looked at), else Shared.
FileAccess currentAccess(const std::filesystem::path& path);

// Creates the pool's data folder, readable by its owner only (0700
// whatever the umask); missing folders above it get the usual mode. An
// existing folder is left as it is.
Status createDataFolder(const std::filesystem::path& folder);

// Removes the program's own temporary files that a killed program left in
// a folder: the names ".NAME.XXXXXX" that the writes above use, and their
// SQLite "-journal", when no running process holds them open (the writes
// hold theirs until they are renamed). Anything else, such as the live
// games table's journal, is left alone, and so is everything when the
// system cannot tell which files are open. Returns how many were removed.
int removeStaleTemporaries(const std::filesystem::path& folder);

// True when something other than a folder stands under the name and may be
// read; a pipe or a device is not opened to find out.
bool fileExists(const std::filesystem::path& path);

} // namespace gs
