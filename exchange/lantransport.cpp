#include "lantransport.h"

#include "core/textfile.h"
#include "exchange/listing.h"

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
#include <system_error>
#include <vector>

namespace gs {

namespace fs = std::filesystem;

namespace {

Outcome refusedName(const std::string& name) {
    return Outcome::failure(kRefusedNameCode, "\"" + name + "\" is not a plain file name");
}

// Copies whole files only: the target is replaced by a complete copy or left
// as it was. Only regular files of a data file's size travel, so that a
// huge file or a pipe in the shared folder is refused before it is read.
// When the file was last written, to the second; none when it cannot be
// looked at.
std::optional<std::chrono::sys_seconds> modifiedTime(const fs::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return std::nullopt;
    return std::chrono::sys_seconds(std::chrono::seconds(status.st_mtime));
}

Outcome copyWhole(const fs::path& from, const fs::path& to) {
    if (std::string kind = nonFileKind(from); !kind.empty())
        return Outcome::refused(kNotAFileCode, from.string() + " is " + kind + ", not a file");
    std::error_code ec;
    if (!fs::is_regular_file(from, ec))
        return Outcome::failure(ec ? ec.value() : ENOENT,
                                "The file " + from.string() + " does not exist");
    std::optional<std::chrono::sys_seconds> before = modifiedTime(from);
    errno = 0;
    if (Status copied = copyFileAtomic(from, to, FileAccess::Shared, kMaxDataFileBytes); !copied)
        return Outcome::failure(errno ? errno : EIO, copied.error().message);
    // A file replaced while it was copied has the later time: what was
    // copied was written no later than that.
    Outcome done = Outcome::done();
    std::optional<std::chrono::sys_seconds> after = modifiedTime(from);
    done.modified = before && after ? std::max(*before, *after) : after ? after : before;
    return done;
}

} // namespace

LanTransport::LanTransport(fs::path folder) : m_folder(std::move(folder)) {}

Outcome LanTransport::reachFolder() const {
    std::error_code ec;
    if (m_folder.empty() || !fs::is_directory(m_folder, ec))
        return Outcome::failure(ec ? ec.value() : ENOENT,
                                "The shared folder " + m_folder.string() + " cannot be reached");
    return Outcome::done();
}

Outcome LanTransport::listNames(std::string& listing) {
    listing.clear();
    Outcome reached = reachFolder();
    if (!reached.isDone())
        return reached;
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator entry(m_folder, ec), end; !ec && entry != end;
         entry.increment(ec)) {
        std::string name = entry->path().filename().string();
        // A name that could not be fetched, or would break the lines of the
        // listing, is left out. What is no file (a folder, a pipe) is listed
        // all the same, so that a fetch of it says what it is.
        if (isPlainFileName(name))
            names.push_back(name);
    }
    if (ec)
        return Outcome::failure(ec.value(), "The shared folder " + m_folder.string() +
                                                " cannot be read: " + ec.message());
    std::sort(names.begin(), names.end());
    for (const auto& name : names)
        listing += name + "\r\n";
    return Outcome::done();
}

Outcome LanTransport::fetch(const std::string& remoteName, const fs::path& localPath) {
    if (!isPlainFileName(remoteName))
        return refusedName(remoteName);
    Outcome reached = reachFolder();
    if (!reached.isDone())
        return reached;
    return copyWhole(m_folder / remoteName, localPath);
}

Outcome LanTransport::send(const fs::path& localPath, const std::string& remoteName) {
    if (!isPlainFileName(remoteName))
        return refusedName(remoteName);
    Outcome reached = reachFolder();
    if (!reached.isDone())
        return reached;
    return copyWhole(localPath, m_folder / remoteName);
}

Outcome LanTransport::remove(const std::string& remoteName) {
    if (!isPlainFileName(remoteName))
        return refusedName(remoteName);
    Outcome reached = reachFolder();
    if (!reached.isDone())
        return reached;
    std::error_code ec;
    fs::remove(m_folder / remoteName, ec);
    if (ec)
        return Outcome::failure(ec.value(), "Cannot remove " + (m_folder / remoteName).string() +
                                                ": " + ec.message());
    return Outcome::done();
}

Outcome LanTransport::quit() {
    return Outcome::done();
}

} // namespace gs
