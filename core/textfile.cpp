#include "textfile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
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

// Reads an open regular file to its end, refusing it when it grows past the
// limit meanwhile.
ReadStatus readAll(int fd, std::string& bytes, std::string& error) {
    std::string content;
    char buffer[64 * 1024];
    for (;;) {
        ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            error = std::strerror(errno);
            return ReadStatus::Error;
        }
        if (got == 0)
            break;
        content.append(buffer, static_cast<size_t>(got));
        if (content.size() > kMaxDataFileBytes) {
            error = kTooLarge;
            return ReadStatus::Error;
        }
    }
    bytes = std::move(content);
    return ReadStatus::Ok;
}

} // namespace

ReadStatus readFileBytes(const fs::path& path, std::string& bytes, std::string& error) {
    // Not blocking: a pipe opened without a writer would wait for ever; the
    // check below refuses it before any read.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        int reason = errno;
        error = std::strerror(reason);
        return reason == ENOENT ? ReadStatus::Missing : ReadStatus::Error;
    }
    struct stat status {};
    ReadStatus result = ReadStatus::Error;
    if (::fstat(fd, &status) != 0)
        error = std::strerror(errno);
    else if (S_ISDIR(status.st_mode))
        error = "it is a folder";
    else if (!S_ISREG(status.st_mode))
        error = "it is not a regular file (a pipe, a device or the like)";
    else if (static_cast<std::uintmax_t>(status.st_size) > kMaxDataFileBytes)
        error = kTooLarge;
    else
        result = readAll(fd, bytes, error);
    ::close(fd);
    return result;
}

TextFile readTextFile(const fs::path& path) {
    TextFile file;
    std::string bytes;
    file.status = readFileBytes(path, bytes, file.error);
    if (file.status == ReadStatus::Ok)
        file.lines = splitLines(bytes);
    return file;
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

} // namespace

fs::path createTemporaryBeside(const fs::path& target, std::string& error) {
    fs::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";
    // Built step by step: GCC 12 at -O3 warns falsely (-Wrestrict) on
    // "literal" + std::string.
    std::string name(".");
    name += target.filename().string();
    name += ".XXXXXX";
    std::string pattern = (folder / name).string();
    int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        error = systemError("Cannot create a file in", folder);
        return {};
    }
    // mkstemp creates the file readable by its owner only; give it the mode
    // of an ordinary new file.
    mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    ::close(fd);
    return pattern;
}

Status renameIntoPlace(const fs::path& temporary, const fs::path& target) {
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        std::string message = systemError("Cannot replace", target);
        ::unlink(temporary.c_str());
        return failure(message);
    }
    // Make the rename itself durable; failure here loses nothing already written.
    fs::path folder = target.parent_path();
    int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {};
}

namespace {

void syncFolderOf(const fs::path& target) {
    fs::path folder = target.parent_path();
    int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

} // namespace

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
        return failure(message);
    }
    syncFolderOf(target);
    return Placement::Placed;
}

Status writeFileAtomic(const fs::path& path, std::string_view bytes) {
    std::string error;
    fs::path temporary = createTemporaryBeside(path, error);
    if (temporary.empty())
        return failure(error);
    int fd = ::open(temporary.c_str(), O_WRONLY | O_TRUNC);
    bool written = fd >= 0 && writeAll(fd, bytes) && ::fsync(fd) == 0;
    if (!written)
        error = systemError("Cannot write", path);
    if (fd >= 0 && ::close(fd) != 0 && written) {
        written = false;
        error = systemError("Cannot write", path);
    }
    if (!written) {
        ::unlink(temporary.c_str());
        return failure(error);
    }
    return renameIntoPlace(temporary, path);
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

Status writeLinesAtomic(const fs::path& path, const std::vector<std::string>& lines) {
    Status written = writeFileAtomic(path, joinLines(lines));
    if (!written)
        return failure("The file could not be saved. " + written.error());
    return {};
}

Status copyFileAtomic(const fs::path& from, const fs::path& to) {
    // Copied piece by piece, without the size limit of a file that is read:
    // the games table travels this way too.
    int in = ::open(from.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (in < 0)
        return failure(systemError("Cannot read", from));
    struct stat status {};
    if (::fstat(in, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(in);
        return failure("Cannot read " + from.string() + ": it is not a regular file");
    }
    std::string error;
    fs::path temporary = createTemporaryBeside(to, error);
    if (temporary.empty()) {
        ::close(in);
        return failure(error);
    }
    int out = ::open(temporary.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    bool copied = out >= 0;
    if (!copied)
        error = systemError("Cannot write", to);
    char buffer[64 * 1024];
    while (copied) {
        ssize_t got = ::read(in, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            error = systemError("Cannot read", from);
            copied = false;
        } else if (got == 0) {
            break;
        } else if (!writeAll(out, std::string_view(buffer, static_cast<size_t>(got)))) {
            error = systemError("Cannot write", to);
            copied = false;
        }
    }
    if (copied && ::fsync(out) != 0) {
        error = systemError("Cannot write", to);
        copied = false;
    }
    if (out >= 0 && ::close(out) != 0 && copied) {
        error = systemError("Cannot write", to);
        copied = false;
    }
    ::close(in);
    if (!copied) {
        ::unlink(temporary.c_str());
        return failure(error);
    }
    return renameIntoPlace(temporary, to);
}

bool fileExists(const fs::path& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && !S_ISDIR(status.st_mode) &&
           ::access(path.c_str(), R_OK) == 0;
}

} // namespace gs
