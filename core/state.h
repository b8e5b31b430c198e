#pragma once

// The program-wide state: every table and global the routines share, in one
// plain struct with one instance, so that a test resets the whole program
// with one assignment (State = ProgramState{}).

#include "grid.h"
#include "league.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace gs {

inline constexpr int kUserSlots = 100;
inline constexpr int kWeeks = 17;
inline constexpr int kMaxSeasonGames = 256;

// Left in CurrentUser by LoadUserList.
inline constexpr const char* NewListSentinel = "0718264053917";
inline constexpr const char* NotFoundSentinel = "306158247190";

inline constexpr const char* kDefaultReferenceDate = "11/02/2010";
inline constexpr const char* kGamesFileName = "scoresheet97.mdb";

struct UserSlot {
    std::string name;            // empty: the slot is free
    std::string password;        // clear text
    std::string listPassword;    // as the user list holds it, before the preference file
    std::string folder;          // where the user's pick files live
    std::string exchangeAddress; // FTP address or LAN folder
    int16_t active = 0;
    int16_t colorScheme = 0;
    int16_t admin = 0;
    bool flag = false;
};

// One row of SeasonGames: texts as the games table holds them.
struct SeasonGame {
    std::string visitor;
    std::string home;
    std::string date;
    std::string visitorScore;
    std::string homeScore;
    bool scored() const { return !visitorScore.empty() && !homeScore.empty(); }
};

// Weeks 1..17 by teams 1..32; 1 = picked.
using PickTable = std::array<std::array<int, kTeamCount + 1>, kWeeks + 1>;

// Rows 1..32 (teams); columns 1 points for, 2 points against, 3 wins,
// 4 losses, 5 ties, 6 division.
using TeamRecordTable = std::array<std::array<double, 7>, kTeamCount + 1>;

struct ColorSlots {
    bool set = false; // a scheme outside the table leaves every slot black
    Rgb background = 0;
    Rgb button = 0;
    Rgb text = 0;
};

// The panels of the main window; one is shown at a time.
enum class Panel { None, WeeklyPicks };

// What the main window shows, apart from the dialogs.
struct MainWindowModel {
    std::string caption = "Gridslate";
    // The login controls: Text1, Text2, Command12, Command13, Label28, Label29.
    bool loginVisible = true;
    std::string Text1; // user name box
    std::string Text2; // password box
    bool fileMenuEnabled = false;
    bool viewMenuEnabled = false;
    bool backupAdminEnabled = false;  // mnuItemBackupAdmin
    bool restoreAdminEnabled = false; // mnuItemRestoreAdmin
    bool manualVisible = false;       // OLE1
    Panel panel = Panel::None;

    // The weekly picks panel.
    GridModel MSFlexGrid1;
    ControlModel Label2{"Viewing Picks for Week"}; // heading
    ControlModel Label3;                           // the displayed week's number
    ControlModel Command1{"Next"};
    ControlModel Command2{"Prev."};
    ControlModel Label4;  // date of the week's first game
    ControlModel Label13; // date of the week's last game
    ControlModel Label14{"Thru"};
    ControlModel Command3{"Save Picks"};
    // The SeasonGames row of each MSFlexGrid1 row (-1 for the header row), so
    // that a click or a colour finds its own game even when two teams meet
    // twice in a season.
    std::vector<int> MSFlexGrid1Games;
};

struct ProgramState {
    std::filesystem::path InstallFolder; // where the exports go
    std::filesystem::path ProgramFolder; // every data file of the pool
    std::filesystem::path StagingFolder; // the exchange's local staging folder
    std::string CurrentUser;
    std::string SeasonYear;
    std::string ReferenceDate;
    int CurrentColorScheme = 0;
    ColorSlots Colors;
    bool PreferencesRead = false; // the last load read the current user's preference file

    std::array<UserSlot, kUserSlots + 1> UserTable;
    ListModel List4; // "Players on File"
    ListModel List5; // "Active Players", in pool order
    std::vector<std::string> SavedActivePlayers;

    LeagueTableData LeagueTable;
    std::vector<SeasonGame> SeasonGames;
    int ScoredGameCount = 0;
    PickTable PicksTable{};
    PickTable ProjectedPicks{};
    std::array<int16_t, kMaxSeasonGames + 1> SpreadTable{};
    TeamRecordTable TeamRecords{};

    int CurrentWeek = 1;
    int DisplayedWeek = 1;
    bool SeasonOver = false;
    bool PicksSaved = true;

    MainWindowModel Window;
};

extern ProgramState State;

// The per-user data folder: $XDG_DATA_HOME/gridslate, else
// ~/.local/share/gridslate.
std::filesystem::path defaultInstallFolder();

// Places InstallFolder at the given folder, ProgramFolder at its "data"
// folder and the staging folder at its "XFRD" folder.
void setInstallFolder(const std::filesystem::path& folder);

// ProgramFolder as the user list stores it: without a trailing separator.
std::string programFolderText();

// The games table's file.
std::filesystem::path gamesDatabasePath();

// SeasonYear as a number.
int seasonYearNumber();

// The main window's start-up: league table, panels hidden, folders, the
// reference date, File and View menus disabled. Reads nothing from disk.
void Actions_Load(const std::filesystem::path& installFolder);

// Hides every panel of the main window (not the login controls).
void HideAllPanels();

// True for a user whose admin field is 1; otherwise says "You do not have
// administrator control" (except for an admin field other than 0 and 1).
bool IsAdmin(const std::string& name);

// The first slot 1..100 whose name equals the name exactly, or 0.
int userSlot(const std::string& name);

} // namespace gs
