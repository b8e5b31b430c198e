#include "pool.h"

#include "dialogs.h"
#include "text.h"
#include "textfile.h"

#include <algorithm>
#include <cstdlib>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace gs {

namespace fs = std::filesystem;

Folders Folders::at(const fs::path& home) {
    Folders folders;
    // A home that cannot be made absolute (the working folder is gone) stays
    // as given; its files then fail with their own reasons.
    std::error_code ec;
    fs::path absolute = fs::absolute(home, ec);
    folders.install = (ec ? home : absolute).lexically_normal();
    if (!folders.install.has_filename())
        folders.install = folders.install.parent_path();
    folders.program = folders.install / "data";
    folders.staging = folders.install / "XFRD";
    return folders;
}

Result<fs::path> defaultHome() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome && *dataHome)
        return fs::path(dataHome) / "gridslate";
    std::string home;
    if (const char* variable = std::getenv("HOME"); variable && *variable) {
        home = variable;
    } else {
        // A service or a cron job may run without HOME.
        std::vector<char> buffer(16384);
        passwd entry{};
        passwd* found = nullptr;
        if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
            found->pw_dir && *found->pw_dir)
            home = found->pw_dir;
    }
    if (home.empty())
        return failure(ErrorKind::NotFound,
                       "no folder for the data is known: neither XDG_DATA_HOME nor HOME is set, "
                       "and the user has no home folder; give one with --home");
    return fs::path(home) / ".local" / "share" / "gridslate";
}

void Pool::setUser(int slot, UserSlot user) {
    if (slot < 1 || slot > kUserSlots)
        return;
    m_users[static_cast<size_t>(slot)] = std::move(user);
}

int Pool::userSlot(const std::string& name) const {
    for (int k = 1; k <= kUserSlots; ++k)
        if (m_users[k].name == name)
            return k;
    return 0;
}

const UserSlot* Pool::currentSlot() const {
    int k = userSlot(m_currentUser);
    return k ? &m_users[k] : nullptr;
}

bool Pool::isAdmin(const std::string& name) const {
    int k = userSlot(name);
    return k && m_users[k].admin == 1;
}

bool Pool::hasRatingPlayer() const {
    int k = userSlot(kRatingPlayer);
    return k && m_users[k].flag;
}

bool isComputerPlayer(std::string_view name) {
    return std::any_of(kComputerPlayers.begin(), kComputerPlayers.end(),
                       [&](const char* player) { return name == player; });
}

bool isComputerPickFile(std::string_view fileName) {
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    for (std::string_view player : kComputerPlayers) {
        if (fileName.size() != player.size() + 8 || !fileName.starts_with(player))
            continue;
        std::string_view year = fileName.substr(player.size(), 4);
        if (std::all_of(year.begin(), year.end(), isDigit) &&
            upperAscii(fileName.substr(player.size() + 4)) == ".DAT")
            return true;
    }
    return false;
}

bool isReservedUserName(std::string_view name) {
    return isComputerPlayer(upperAscii(name));
}

bool requireAdmin(const Pool& pool, const std::string& name, Dialogs& dialogs) {
    int k = pool.userSlot(name);
    int16_t admin = k ? pool.users()[k].admin : 0;
    if (admin == 1)
        return true;
    if (admin == 0)
        dialogs.refuse(kNotAdminMessage);
    return false;
}

namespace {

// The program folders of the homes that chose the folder for pick files.
std::vector<std::string> markedHomes(const fs::path& folder) {
    Result<std::vector<std::string>> lines = readTextFile(folder / kPickFolderMark);
    return lines ? *lines : std::vector<std::string>{};
}

} // namespace

Status markPickFolder(const Pool& pool, const fs::path& folder) {
    std::vector<std::string> homes = markedHomes(folder);
    if (std::find(homes.begin(), homes.end(), pool.programFolderText()) != homes.end())
        return {};
    homes.push_back(pool.programFolderText());
    return writeLinesAtomic(folder / kPickFolderMark, homes);
}

fs::path Pool::pickFolder(int slot) const {
    const std::string& stored = m_users[slot].folder;
    if (stored.empty() || stored == programFolderText())
        return m_folders.program;
    std::vector<std::string> homes = markedHomes(stored);
    if (std::find(homes.begin(), homes.end(), programFolderText()) == homes.end())
        return m_folders.program;
    return stored;
}

std::string Pool::programFolderText() const {
    return m_folders.program.string();
}

fs::path Pool::gamesDatabasePath() const {
    return m_folders.program / kGamesFileName;
}

} // namespace gs
