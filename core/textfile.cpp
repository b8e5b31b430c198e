#include "textfile.h"

#include "dialogs.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
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

TextFile readTextFile(const fs::path& path) {
    TextFile file;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::error_code ec;
        file.status = fs::exists(path, ec) ? ReadStatus::Error : ReadStatus::Missing;
        file.error = std::strerror(errno);
        return file;
    }
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) {
        file.status = ReadStatus::Error;
        file.error = "read error";
        return file;
    }
    file.status = ReadStatus::Ok;
    file.lines = splitLines(content.str());
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

std::string writeFileAtomic(const fs::path& path, std::string_view bytes) {
    fs::path folder = path.parent_path();
    if (folder.empty())
        folder = ".";
    std::string pattern = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
    int fd = ::mkstemp(pattern.data());
    if (fd < 0)
        return systemError("Cannot create a file in", folder);

    // mkstemp creates the file readable by its owner only; give it the mode
    // of an ordinary new file.
    mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);

    auto fail = [&](const std::string& what) {
        std::string message = systemError(what, path);
        ::close(fd);
        ::unlink(pattern.c_str());
        return message;
    };
    if (!writeAll(fd, bytes))
        return fail("Cannot write");
    if (::fsync(fd) != 0)
        return fail("Cannot write");
    if (::close(fd) != 0) {
        std::string message = systemError("Cannot write", path);
        ::unlink(pattern.c_str());
        return message;
    }
    if (::rename(pattern.c_str(), path.c_str()) != 0) {
        std::string message = systemError("Cannot replace", path);
        ::unlink(pattern.c_str());
        return message;
    }
    // Make the rename itself durable; failure here loses nothing already written.
    int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {};
}

std::string writeLinesAtomic(const fs::path& path, const std::vector<std::string>& lines) {
    std::string bytes;
    size_t total = 0;
    for (const auto& line : lines)
        total += line.size() + 2;
    bytes.reserve(total);
    for (const auto& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return writeFileAtomic(path, bytes);
}

bool saveLines(const fs::path& path, const std::vector<std::string>& lines) {
    std::string error = writeLinesAtomic(path, lines);
    if (error.empty())
        return true;
    dialogs().message("The file could not be saved. " + error, "Error");
    return false;
}

std::string copyFileAtomic(const fs::path& from, const fs::path& to) {
    std::ifstream in(from, std::ios::binary);
    if (!in)
        return systemError("Cannot read", from);
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad())
        return systemError("Cannot read", from);
    return writeFileAtomic(to, content.str());
}

bool FileExists(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::error_code ec;
    return static_cast<bool>(in) && !fs::is_directory(path, ec);
}

} // namespace gs
