#include "textfile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <map>
#include <sys/random.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace gs {

namespace fs = std::filesystem;

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c == '\n' || c == '\r') {
            lines.emplace_back(text.substr(start, i - start));
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
        ++i;
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

namespace {

constexpr const char* kTooLarge = "it is larger than 4 MB, more than any file of a pool holds";

std::string tooLarge(std::uintmax_t maxBytes) {
    if (maxBytes == kMaxDataFileBytes)
        return kTooLarge;
    constexpr std::uintmax_t kMegabyte = 1024 * 1024;
    return "it is larger than " + (maxBytes % kMegabyte == 0
                                       ? std::to_string(maxBytes / kMegabyte) + " MB"
                                       : std::to_string(maxBytes) + " bytes");
}

// Reads an open regular file to its end, refusing it when it grows past the
// limit meanwhile.
Result<std::string> readAll(int fd, std::uintmax_t maxBytes) {
    std::string content;
    char buffer[64 * 1024];
    for (;;) {
        ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return failure(ErrorKind::Unreadable, std::strerror(errno));
        }
        if (got == 0)
            break;
        content.append(buffer, static_cast<size_t>(got));
        if (content.size() > maxBytes)
            return failure(ErrorKind::Unreadable, tooLarge(maxBytes));
    }
    return content;
}

Result<std::string> readOpenFile(int fd, std::uintmax_t maxBytes) {
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        return failure(ErrorKind::Unreadable, std::strerror(errno));
    if (S_ISDIR(status.st_mode))
        return failure(ErrorKind::Unreadable, "it is a folder");
    if (!S_ISREG(status.st_mode))
        return failure(ErrorKind::Unreadable,
                       "it is not a regular file (a pipe, a device or the like)");
    if (static_cast<std::uintmax_t>(status.st_size) > maxBytes)
        return failure(ErrorKind::Unreadable, tooLarge(maxBytes));
    return readAll(fd, maxBytes);
}

} // namespace

Result<std::string> readFileBytes(const fs::path& path, std::uintmax_t maxBytes) {
    // Not blocking: a pipe opened without a writer would wait for ever; the
    // check in readOpenFile refuses it before any read.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        int reason = errno;
        return failure(reason == ENOENT ? ErrorKind::NotFound : ErrorKind::Unreadable,
                       std::strerror(reason));
    }
    Result<std::string> bytes = readOpenFile(fd, maxBytes);
    ::close(fd);
    return bytes;
}

Result<std::vector<std::string>> readTextFile(const fs::path& path) {
    Result<std::string> bytes = readFileBytes(path);
    if (!bytes)
        return failure(bytes.error());
    return splitLines(*bytes);
}

std::string nonFileKind(const fs::path& path) {
    std::error_code ec;
    switch (fs::status(path, ec).type()) {
    case fs::file_type::directory:
        return "a folder";
    case fs::file_type::fifo:
        return "a named pipe";
    case fs::file_type::block:
    case fs::file_type::character:
        return "a device";
    case fs::file_type::socket:
        return "a socket";
    case fs::file_type::unknown:
        return "something else";
    default:
        return "";
    }
}

namespace {

std::string systemError(const std::string& what, const fs::path& path) {
    return what + " " + path.string() + ": " + std::strerror(errno);
}

bool writeAll(int fd, std::string_view bytes) {
    const char* data = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        left -= static_cast<size_t>(written);
    }
    return true;
}

// Makes a rename durable; failure here loses nothing already written.
void syncFolderOf(const fs::path& target) {
    fs::path folder = target.parent_path();
    int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

// The characters of the six that end a temporary file's name, as mkstemp
// picks them.
constexpr std::string_view kNameCharacters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr size_t kNameSuffixLength = 6;
constexpr std::string_view kJournalSuffix = "-journal";

// Creates and opens a new file ".NAME.XXXXXX" beside the target.
Result<OpenTemporary> openTemporaryBeside(const fs::path& target, FileAccess access) {
    fs::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";
    for (int attempt = 0; attempt < 100; ++attempt) {
        unsigned char random[kNameSuffixLength];
        // Early in a boot the random source may not be ready; any name will
        // do then, O_EXCL below keeps two programs from sharing one.
        if (::getrandom(random, sizeof random, GRND_NONBLOCK) !=
            static_cast<ssize_t>(sizeof random)) {
            timespec now{};
            ::clock_gettime(CLOCK_REALTIME, &now);
            unsigned long long mixed = static_cast<unsigned long long>(now.tv_nsec) * 2654435761u ^
                                       static_cast<unsigned long long>(::getpid()) << 20 ^
                                       static_cast<unsigned long long>(attempt) * 40503u;
            for (unsigned char& r : random) {
                r = static_cast<unsigned char>(mixed);
                mixed = mixed * 6364136223846793005ull + 1442695040888963407ull;
            }
        }
        // Built step by step: GCC 12 at -O3 warns falsely (-Wrestrict) on
        // "literal" + std::string.
        std::string name(".");
        name += target.filename().string();
        name += '.';
        for (unsigned char r : random)
            name += kNameCharacters[r % kNameCharacters.size()];
        fs::path candidate = folder / name;
        // A shared file gets the mode of any new file (the kernel applies
        // the umask); an owner-only one is never readable by others, not
        // even for a moment, and is 0600 exactly whatever the umask.
        bool ownerOnly = access == FileAccess::OwnerOnly;
        int fd = ::open(candidate.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC,
                        ownerOnly ? 0600 : 0666);
        if (fd >= 0 && ownerOnly && ::fchmod(fd, 0600) != 0) {
            std::string message = systemError("Cannot set the mode of", candidate);
            ::unlink(candidate.c_str());
            ::close(fd);
            return failure(ErrorKind::Unwritable, message);
        }
        if (fd >= 0)
            return OpenTemporary{fd, candidate};
        if (errno != EEXIST)
            break;
    }
    return failure(ErrorKind::Unwritable, systemError("Cannot create a file in", folder));
}

// Fills a temporary file beside the target, makes it durable and renames it
// to the target: over it, or only where none stands (keepExisting). The
// temporary file is held open from its creation until after the rename, so
// that another copy of the program starting meanwhile never takes it for a
// leftover (removeStaleTemporaries).
Result<Placement> placeAtomically(const fs::path& path, FileAccess access, bool keepExisting,
                                  const std::function<Status(int fd)>& fill) {
    Result<OpenTemporary> temporary = openTemporaryBeside(path, access);
    if (!temporary)
        return failure(temporary.error());
    int fd = temporary->fd;
    Status written = fill(fd);
    if (written && ::fsync(fd) != 0)
        written = failure(ErrorKind::Unwritable, systemError("Cannot write", path));
    if (!written) {
        ::unlink(temporary->path.c_str());
        ::close(fd);
        return failure(written.error());
    }
    Result<Placement> placed = Placement::Placed;
    if (keepExisting) {
        placed = renameIntoPlaceIfAbsent(temporary->path, path);
    } else if (Status renamed = renameIntoPlace(temporary->path, path); !renamed) {
        placed = failure(renamed.error());
    }
    // The data is on disk already (fsync above); closing cannot lose it.
    ::close(fd);
    return placed;
}

Status replaceAtomically(const fs::path& path, FileAccess access,
                         const std::function<Status(int fd)>& fill) {
    Result<Placement> placed = placeAtomically(path, access, false, fill);
    if (!placed)
        return failure(placed.error());
    return {};
}

} // namespace

Result<OpenTemporary> createHeldTemporaryBeside(const fs::path& target) {
    return openTemporaryBeside(target, FileAccess::Shared);
}

Result<fs::path> createTemporaryBeside(const fs::path& target) {
    Result<OpenTemporary> temporary = openTemporaryBeside(target, FileAccess::Shared);
    if (!temporary)
        return failure(temporary.error());
    ::close(temporary->fd);
    return temporary->path;
}

Status renameIntoPlace(const fs::path& temporary, const fs::path& target) {
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        std::string message = systemError("Cannot replace", target);
        ::unlink(temporary.c_str());
        return failure(ErrorKind::Unwritable, message);
    }
    syncFolderOf(target);
    return {};
}

Result<Placement> renameIntoPlaceIfAbsent(const fs::path& temporary, const fs::path& target) {
    int rc = ::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE);
    // File systems without that kind of rename still refuse a hard link
    // over an existing name.
    if (rc != 0 && (errno == EINVAL || errno == ENOSYS || errno == ENOTSUP)) {
        rc = ::link(temporary.c_str(), target.c_str());
        if (rc == 0)
            ::unlink(temporary.c_str());
    }
    if (rc != 0) {
        bool taken = errno == EEXIST;
        std::string message = systemError("Cannot create", target);
        ::unlink(temporary.c_str());
        if (taken)
            return Placement::AlreadyThere;
        return failure(ErrorKind::Unwritable, message);
    }
    syncFolderOf(target);
    return Placement::Placed;
}

Status writeFileAtomic(const fs::path& path, std::string_view bytes, FileAccess access) {
    return replaceAtomically(path, access, [&](int fd) -> Status {
        if (writeAll(fd, bytes))
            return {};
        return failure(ErrorKind::Unwritable, systemError("Cannot write", path));
    });
}

std::string joinLines(const std::vector<std::string>& lines) {
    size_t total = 0;
    for (const auto& line : lines)
        total += line.size() + 2;
    std::string bytes;
    bytes.reserve(total);
    for (const auto& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

Status writeLinesAtomic(const fs::path& path, const std::vector<std::string>& lines,
                        FileAccess access) {
    Status written = writeFileAtomic(path, joinLines(lines), access);
    if (!written)
        return failure(written.error().kind,
                       "The file could not be saved. " + written.error().message);
    return {};
}

Result<Placement> writeLinesIfAbsent(const fs::path& path, const std::vector<std::string>& lines,
                                     FileAccess access) {
    std::string bytes = joinLines(lines);
    Result<Placement> placed = placeAtomically(path, access, true, [&](int fd) -> Status {
        if (writeAll(fd, bytes))
            return {};
        return failure(ErrorKind::Unwritable, systemError("Cannot write", path));
    });
    if (!placed)
        return failure(placed.error().kind,
                       "The file could not be saved. " + placed.error().message);
    return placed;
}

Status copyFileAtomic(const fs::path& from, const fs::path& to, FileAccess access,
                      std::uintmax_t maxBytes) {
    // Copied piece by piece, without the size limit of a file that is read:
    // the games table travels this way too.
    int in = ::open(from.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (in < 0) {
        ErrorKind kind = errno == ENOENT ? ErrorKind::NotFound : ErrorKind::Unreadable;
        return failure(kind, systemError("Cannot read", from));
    }
    struct stat status {};
    if (::fstat(in, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(in);
        return failure(ErrorKind::Unreadable,
                       "Cannot read " + from.string() + ": it is not a regular file");
    }
    std::string tooLarge = "Cannot copy " + from.string() + ": it is larger than " +
                           std::to_string(maxBytes) + " bytes";
    if (static_cast<std::uintmax_t>(status.st_size) > maxBytes) {
        ::close(in);
        return failure(ErrorKind::Unreadable, tooLarge);
    }
    Status copied = replaceAtomically(to, access, [&](int out) -> Status {
        char buffer[64 * 1024];
        std::uintmax_t total = 0;
        for (;;) {
            ssize_t got = ::read(in, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                return failure(ErrorKind::Unreadable, systemError("Cannot read", from));
            if (got == 0)
                return {};
            total += static_cast<std::uintmax_t>(got);
            if (total > maxBytes)
                return failure(ErrorKind::Unreadable, tooLarge);
            if (!writeAll(out, std::string_view(buffer, static_cast<size_t>(got))))
                return failure(ErrorKind::Unwritable, systemError("Cannot write", to));
        }
    });
    ::close(in);
    return copied;
}

FileAccess currentAccess(const fs::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0 && (status.st_mode & 077) != 0)
        return FileAccess::Shared;
    return FileAccess::OwnerOnly;
}

Status createDataFolder(const fs::path& folder) {
    std::error_code ec;
    if (fs::is_directory(folder, ec))
        return {};
    if (fs::path parent = folder.parent_path(); !parent.empty())
        fs::create_directories(parent, ec);
    if (::mkdir(folder.c_str(), 0700) != 0) {
        if (errno == EEXIST && fs::is_directory(folder, ec))
            return {}; // made by another program meanwhile
        return failure(ErrorKind::Unwritable, systemError("Cannot create the folder", folder));
    }
    // The umask may have taken bits the owner needs.
    ::chmod(folder.c_str(), 0700);
    return {};
}

bool fileExists(const fs::path& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && !S_ISDIR(status.st_mode) &&
           ::access(path.c_str(), R_OK) == 0;
}

namespace {

// ".NAME.XXXXXX" as openTemporaryBeside makes it, or its SQLite journal.
// The live table's own journal ("scoresheet97.mdb-journal") has no leading
// dot and never matches.
bool isTemporaryName(std::string_view name) {
    if (name.ends_with(kJournalSuffix))
        name.remove_suffix(kJournalSuffix.size());
    if (name.size() < 3 + kNameSuffixLength || name.front() != '.')
        return false;
    std::string_view suffix = name.substr(name.size() - kNameSuffixLength);
    return name[name.size() - kNameSuffixLength - 1] == '.' &&
           suffix.find_first_not_of(kNameCharacters) == std::string_view::npos;
}

using FileId = std::pair<dev_t, ino_t>;

// Marks which of the files some running process holds open, from the open
// files that /proc lists of every process. False when /proc cannot tell.
bool markHeldFiles(std::map<FileId, bool>& held) {
    DIR* own = ::opendir("/proc/self/fd");
    if (!own)
        return false;
    ::closedir(own);
    DIR* processes = ::opendir("/proc");
    if (!processes)
        return false;
    while (dirent* process = ::readdir(processes)) {
        std::string_view pid(process->d_name);
        if (pid.empty() || pid.find_first_not_of("0123456789") != std::string_view::npos)
            continue;
        std::string fdFolder = "/proc/" + std::string(pid) + "/fd";
        DIR* descriptors = ::opendir(fdFolder.c_str());
        if (!descriptors)
            continue; // gone meanwhile, or another user's
        while (dirent* descriptor = ::readdir(descriptors)) {
            struct stat status {};
            if (descriptor->d_name[0] == '.' ||
                ::fstatat(::dirfd(descriptors), descriptor->d_name, &status, 0) != 0)
                continue;
            if (auto file = held.find({status.st_dev, status.st_ino}); file != held.end())
                file->second = true;
        }
        ::closedir(descriptors);
    }
    ::closedir(processes);
    return true;
}

} // namespace

int removeStaleTemporaries(const fs::path& folder) {
    std::vector<std::pair<fs::path, FileId>> candidates;
    std::error_code ec;
    for (fs::directory_iterator entry(folder, ec), end; !ec && entry != end; entry.increment(ec)) {
        struct stat status {};
        const fs::path& path = entry->path();
        if (isTemporaryName(path.filename().string()) && ::lstat(path.c_str(), &status) == 0 &&
            S_ISREG(status.st_mode))
            candidates.push_back({path, {status.st_dev, status.st_ino}});
    }
    if (candidates.empty())
        return 0;
    std::map<FileId, bool> held;
    for (const auto& candidate : candidates)
        held[candidate.second] = false;
    // Without a way to tell, a file being written might be taken.
    if (!markHeldFiles(held))
        return 0;
    // Temporaries first, then the journals of those gone: SQLite deletes
    // and makes a journal again with every transaction, so one that was
    // seen free a moment ago may by now be the live journal of a table
    // still being built. A journal is a leftover only once its table is.
    std::stable_partition(candidates.begin(), candidates.end(), [](const auto& candidate) {
        return !candidate.first.string().ends_with(kJournalSuffix);
    });
    int removed = 0;
    for (const auto& [path, id] : candidates) {
        std::string name = path.string();
        if (name.ends_with(kJournalSuffix)) {
            struct stat status {};
            std::string table = name.substr(0, name.size() - kJournalSuffix.size());
            if (::lstat(table.c_str(), &status) == 0)
                continue;
        }
        if (!held[id] && ::unlink(path.c_str()) == 0)
            ++removed;
    }
    return removed;
}

} // namespace gs
