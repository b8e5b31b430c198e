#pragma once

// The pool: the folders of one installation, its players, and the season and
// day it works on. Whoever runs the program owns one (the main window for
// the run, a command of the command line for the command, a test for each
// temporary home) and passes it by reference to what needs it.

#include "date.h"
#include "kickoff.h"
#include "result.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace gs {

inline constexpr int kUserSlots = 100;
inline constexpr const char* kDefaultReferenceDate = "11/02/2010";
inline constexpr int kDefaultSeason = 2010;
inline constexpr const char* kGamesFileName = "scoresheet97.mdb";
inline constexpr const char* kAdminUser = "admin";
inline constexpr const char* kComputerPlayer = "PC";
// The second computer player, which picks from the teams' ratings. Only the
// administrator adds it; a pool starts without it.
inline constexpr const char* kRatingPlayer = "ELO";
// Every computer player: the program writes their pick files itself.
inline constexpr std::array<const char*, 2> kComputerPlayers = {kComputerPlayer, kRatingPlayer};

// True for a computer player's name, exactly as the user list keeps it.
bool isComputerPlayer(std::string_view name);

// True for a computer player's pick file of a season: its name, four digits
// and ".dat" in any letter case (PC2010.dat, ELO2011.DAT).
bool isComputerPickFile(std::string_view fileName);

// True for a name no person may take: a computer player's in any letter case.
bool isReservedUserName(std::string_view name);

// Who holds the lock of the data files in this program (poollock.h): shared
// by a pool and its copies, so that an operation that holds the lock may
// call another that takes it.
struct PoolLockState {
    int fd = -1;
    int depth = 0;
};

// Where an installation keeps its files.
struct Folders {
    std::filesystem::path install; // exports go here
    std::filesystem::path program; // every data file of the pool
    std::filesystem::path staging; // the exchange's local staging folder

    // The folders of an installation at this home: data files in "data",
    // the staging folder "XFRD".
    static Folders at(const std::filesystem::path& home);
};

// The per-user data folder: $XDG_DATA_HOME/gridslate, else
// ~/.local/share/gridslate, where ~ is $HOME or, without it, the home the
// password database gives the user. Fails when neither names a home, rather
// than putting the data in the working folder.
Result<std::filesystem::path> defaultHome();

struct UserSlot {
    std::string name;            // empty: the slot is free
    std::string password;        // clear text
    std::string listPassword;    // as the user list holds it, before the preference file
    std::string folder;          // where the user's pick files live
    std::string exchangeAddress; // FTP address or LAN folder
    int16_t active = 0;
    int16_t colorScheme = 0;
    int16_t admin = 0;
    // Set on the rating player's slot alone: it tells the rating player from
    // a person who took the name ELO before the name was reserved.
    bool flag = false;
    // Taken off the list in the user administration and not yet saved: the
    // player is on neither list any more, but the slot stays taken, so that
    // nobody else gets the name before the list is saved and loaded again.
    bool removed = false;
};

// Slots 1..100; slot 0 is unused.
using UserTable = std::array<UserSlot, kUserSlots + 1>;

// The user list's user lines and the current user's preference file as a
// pool last read or wrote them: a save keeps what another program changed
// in them since (userlist.h).
struct UserFilesSeen {
    bool known = false; // the user list was read or written
    std::vector<std::string> userLines;
    std::string preferencesOf; // whose preference file; "" when not known
    // Its line; for a missing file the line it stands for (the user list's
    // password, no exchange address).
    std::string preferences;
};

class Pool {
public:
    explicit Pool(const std::filesystem::path& home) : m_folders(Folders::at(home)) {}

    const Folders& folders() const { return m_folders; }

    // Who is logged in; a command's --user.
    const std::string& currentUser() const { return m_currentUser; }
    void setCurrentUser(std::string name) { m_currentUser = std::move(name); }

    // The season the pool works on, by its year.
    int seasonYear() const { return m_seasonYear; }
    void setSeasonYear(int year) { m_seasonYear = year; }

    // The pool's moment (poolday.h keeps it up to date): its day, and the
    // time of day when the pool works on one. Every lock is decided on it
    // (Game::lockedAt); what compares days takes its day.
    const PoolMoment& moment() const { return m_moment; }
    void setMoment(PoolMoment moment) { m_moment = std::move(moment); }
    const Date& referenceDate() const { return m_moment.day(); }
    // A fixed day without a time of day.
    void setReferenceDate(Date day) { m_moment = PoolMoment::ofDay(std::move(day)); }
    // The pool's day setting ("today", a day, or empty for none), and the
    // command line's --reference-date, which stands for it in one command.
    const std::string& daySetting() const { return m_daySetting; }
    void setDaySetting(std::string setting) { m_daySetting = std::move(setting); }
    const std::string& dayOverride() const { return m_dayOverride; }
    void setDayOverride(std::string day) { m_dayOverride = std::move(day); }
    // Reads the machine's clock; empty for the system's clock. Tests put in
    // their own.
    using Clock = std::function<std::chrono::sys_seconds()>;
    const Clock& clock() const { return m_clock; }
    void setClock(Clock clock) { m_clock = std::move(clock); }

    // The colour scheme in force for the current user.
    int colorScheme() const { return m_colorScheme; }
    void setColorScheme(int scheme) { m_colorScheme = scheme; }

    // The last user-list load read the current user's preference file.
    bool preferencesRead() const { return m_preferencesRead; }
    void setPreferencesRead(bool read) { m_preferencesRead = read; }

    // The players. A load replaces the whole table; an account change or the
    // user administration changes one slot at a time.
    const UserTable& users() const { return m_users; }
    void replaceUsers(const UserTable& users) { m_users = users; }
    // Slots 1..100; any other number changes nothing.
    void setUser(int slot, UserSlot user);

    // The active players in the pool order in force: worked out from the
    // table whenever a view of the players opens (userlist.h), and changed
    // by the user administration (Up, Down, players made active or taken
    // off). The user list saves it and a saved pick file keeps it after its
    // picks, which is why it stays empty until a view has worked it out: a
    // pick file saved before then keeps no order.
    const std::vector<std::string>& poolOrder() const { return m_poolOrder; }
    void setPoolOrder(std::vector<std::string> order) { m_poolOrder = std::move(order); }
    // The pool order as the current user's last loaded pick file keeps it:
    // where working the pool order out starts.
    const std::vector<std::string>& savedPoolOrder() const { return m_savedPoolOrder; }
    void setSavedPoolOrder(std::vector<std::string> order) { m_savedPoolOrder = std::move(order); }

    const UserFilesSeen& userFilesSeen() const { return m_userFilesSeen; }
    void setUserFilesSeen(UserFilesSeen seen) { m_userFilesSeen = std::move(seen); }

    // Whether this program holds the lock of the data files (poollock.h);
    // copies of the pool share it.
    const std::shared_ptr<PoolLockState>& lockState() const { return m_lockState; }

    // The first slot 1..100 whose name equals the name exactly, or 0.
    int userSlot(const std::string& name) const;
    // The slot of the current user; null when the name is on no slot (a
    // list loaded since the login may have lost him), never another user's.
    const UserSlot* currentSlot() const;
    // True for a user whose admin field is 1.
    bool isAdmin(const std::string& name) const;
    // True when the rating player is on the user list, active or not.
    bool hasRatingPlayer() const;

    // The folder on this machine that holds the pick files of the user in a
    // slot. The user list stores absolute folders and travels between
    // machines and homes (copies of a home, the exchange, a restore), so a
    // stored folder is honoured only when "Change Folder Setting" chose it
    // in this very home (its mark names this program folder); any other
    // stored folder, another home's data folder above all, means this
    // pool's program folder, and nothing is ever written into it.
    std::filesystem::path pickFolder(int slot) const;

    // The program folder as the user list stores it: without a trailing separator.
    std::string programFolderText() const;
    std::filesystem::path gamesDatabasePath() const;

private:
    Folders m_folders;
    std::string m_currentUser;
    int m_seasonYear = kDefaultSeason;
    PoolMoment m_moment = PoolMoment::ofDay(*Date::parse(kDefaultReferenceDate));
    std::string m_daySetting;
    std::string m_dayOverride;
    Clock m_clock;
    int m_colorScheme = 0;
    bool m_preferencesRead = false;
    UserTable m_users;
    std::vector<std::string> m_poolOrder;
    std::vector<std::string> m_savedPoolOrder;
    UserFilesSeen m_userFilesSeen;
    std::shared_ptr<PoolLockState> m_lockState = std::make_shared<PoolLockState>();
};

// The refusal shown when a user without administrator rights tries an
// administrator's command.
inline constexpr const char* kNotAdminMessage = "You do not have administrator control";
// The refusal when the current user has left the user list since the login
// (another machine's list was loaded): his slot is nobody's to change.
inline constexpr const char* kNotOnUserListMessage = "You are not on the user list.";

class Dialogs;

// The mark of a folder chosen for pick files: the program folders of the
// homes that chose it, one a line.
inline constexpr const char* kPickFolderMark = ".gridslate-picks";

// Adds this home's program folder to the mark of a folder chosen for its
// pick files.
Status markPickFolder(const Pool& pool, const std::filesystem::path& folder);

// True for a user whose admin field is 1. A user whose field is 0, or who
// is on no slot, is told kNotAdminMessage; any other value refuses silently.
bool requireAdmin(const Pool& pool, const std::string& name, Dialogs& dialogs);

} // namespace gs
