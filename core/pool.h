#pragma once

// The pool: the folders of one installation, its players, and the season and
// day it works on. Whoever runs the program owns one (the main window for
// the run, a command of the command line for the command, a test for each
// temporary home) and passes it by reference to what needs it.

#include "grid.h"
#include "poollock.h"
#include "result.h"

#include <array>
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
inline constexpr const char* kDefaultSeason = "2010";
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
};

// Slots 1..100; slot 0 is unused.
using UserTable = std::array<UserSlot, kUserSlots + 1>;

struct Pool {
    explicit Pool(const std::filesystem::path& home) : folders(Folders::at(home)) {}

    Folders folders;
    std::string currentUser;
    std::string seasonYear = kDefaultSeason;
    // The pool's current day (poolday.h keeps it up to date).
    std::string referenceDate = kDefaultReferenceDate;
    // The pool's day setting ("today", a day, or empty for none), and the
    // command line's --reference-date, which stands for it in one command.
    std::string daySetting;
    std::string dayOverride;
    // Reads the machine's date as M/D/YYYY; tests put in their own.
    std::function<std::string()> clock;
    int colorScheme = 0;
    // The last user-list load read the current user's preference file.
    bool preferencesRead = false;

    UserTable users;
    ListModel playersOnFile; // every user on file, in slot order
    ListModel activePlayers; // the active users, in pool order
    // The pool order as the last loaded pick file of a player keeps it.
    std::vector<std::string> savedActivePlayers;
    // Whether this program holds the lock of the data files (poollock.h);
    // copies of the pool share it.
    std::shared_ptr<PoolLockState> lockState = std::make_shared<PoolLockState>();

    // The first slot 1..100 whose name equals the name exactly, or 0.
    int userSlot(const std::string& name) const;
    // The slot of the current user; slot 100 when the name is on no slot.
    UserSlot& currentSlot();
    // True for a user whose admin field is 1.
    bool isAdmin(const std::string& name) const;
    // True when the rating player is on the user list, active or not.
    bool hasRatingPlayer() const;

    // The folder on this machine that holds the pick files of the user in a
    // slot. The user list stores absolute folders and travels between
    // machines (copies of a home, the exchange, a restore), so a stored
    // folder is honoured only where it means a folder here: a stored folder
    // equal to the computer player's stored folder (the program folder of
    // the machine that saved the list), an empty one, or one that does not
    // exist here all mean this pool's program folder.
    std::filesystem::path pickFolder(int slot) const;

    int seasonYearNumber() const;
    // The program folder as the user list stores it: without a trailing separator.
    std::string programFolderText() const;
    std::filesystem::path gamesDatabasePath() const;
};

// The refusal shown when a user without administrator rights tries an
// administrator's command.
inline constexpr const char* kNotAdminMessage = "You do not have administrator control";

class Dialogs;

// True for a user whose admin field is 1. A user whose field is 0, or who
// is on no slot, is told kNotAdminMessage; any other value refuses silently.
bool requireAdmin(const Pool& pool, const std::string& name, Dialogs& dialogs);

} // namespace gs
