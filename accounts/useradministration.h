#pragma once

// The "User List Administration" panel of the main window: the administrator
// keeps the players on file and the active players, orders the active
// players, hands the administrator rights on, and saves the list. The panel
// edits the pool (its table and pool order) and shows the two player lists
// worked out from it, which the window layer renders and whose selections it
// copies in before every handler; the file changes only when the list is
// saved. The `add-player` command runs the same operations.

#include "core/dialogs.h"
#include "core/grid.h"
#include "core/pool.h"

#include <optional>
#include <string>

namespace gs {

struct UserAdministrationModel {
    ControlModel playersOnFileHeading{"Players on File"};
    ControlModel activePlayersHeading{"Active Players"};
    ControlModel currentAdminHeading{"Current Admin:"};
    ControlModel administratorButton; // caption: the current administrator
    ControlModel removeButton{"Remove"};
    ControlModel addButton{"Add"};
    ControlModel addRatingPlayerButton{"Add Rating Player"};
    ControlModel deactivateButton{"<-"};
    ControlModel activateButton{"->"};
    ControlModel upButton{"Up"};
    ControlModel downButton{"Down"};
    ControlModel saveChangesButton{"Save Changes"};
    ControlModel changePasswordButton{"Change Password"};
    ControlModel changeUserNameButton{"Change User Name"};
};

inline constexpr const char* kUserNamePrompt = "Enter the user's name";
inline constexpr const char* kUserNameTitle = "User Name";
inline constexpr const char* kNotActiveMessage = "User Not Found or Not Active";
inline constexpr const char* kUserListSavedMessage = "User list saved.";
inline constexpr const char* kNoPlayerChosenMessage =
    "Choose a player in \"Players on File\" first.";
// The tooltip of the controls that change the user list, disabled for a user
// without administrator rights.
inline constexpr const char* kAdminRightsNeededTip =
    "Administrator rights are needed to change the user list.";

inline constexpr const char* kHandOverTitle = "Hand Over Administrator Rights";
// The question before the rights go to another player: the giver's go with
// them.
std::string handOverQuestion(const std::string& name);

inline constexpr const char* kRatingPlayerListedMessage =
    "The rating player ELO is already on the user list.";
inline constexpr const char* kRatingPlayerNameTakenMessage =
    "A player named ELO is already on the user list, so the rating player cannot be added.";

enum class AddOutcome {
    Added,
    Refused,  // no rights, or the name was refused; the person has been told
    ListFull, // 100 players on file (or no free slot): nothing is said
};

// What adding a player came to; a refused name comes with what to tell.
struct AddResult {
    AddOutcome outcome = AddOutcome::Added;
    std::string refusal;
};

// The player joins "Players on File" and the first free slot, not yet
// active. The rating player's name is refused in any letter case, as is a
// name the user list cannot carry or already has. Whoever calls it has
// checked the rights.
AddResult addPlayer(Pool& pool, const std::string& typedName);
// The rating player ELO joins both lists and the first free slot, active.
// Refused while a player of that name is on the list.
AddResult addRatingPlayer(Pool& pool);
// The player on file becomes active, last in the pool order; an active
// player stays where he is.
void activatePlayer(Pool& pool, const std::string& name);
// Writes the user list from the pool. When that fails the files are put back,
// and the reason says whether they could all be.
Status saveUserListChanges(Pool& pool, Dialogs& dialogs);

class UserAdministrationPanel {
public:
    UserAdministrationPanel(Pool& pool, Dialogs& dialogs) : m_pool(pool), m_dialogs(dialogs) {}

    // Opening: reloads the user list from its file (the season stays as it
    // was), refills both lists and shows the controls; "Change Password" and
    // "Change User Name" only to an administrator, and the controls that
    // change the user list enabled only for him ("Up" and "Down" stay: the
    // order also goes into the player's own pick file). False when the list
    // could not be read (the person has been told).
    bool open();

    // "Remove" (administrator): the selected player on file leaves both
    // lists; the next save leaves the player out of the file.
    void remove();
    // "Add" (administrator): asks for the name and adds the player.
    void add();
    // What "Add" does with the name (gs::addPlayer), telling a refusal.
    AddOutcome addPlayer(const std::string& name);
    // "Add Rating Player" (administrator): gs::addRatingPlayer, telling a
    // refusal.
    AddOutcome addRatingPlayer();
    // "<-" (administrator): the selected active player becomes inactive;
    // admin and PC stay.
    void deactivate();
    // "->" (administrator): the selected player on file becomes active.
    void activate();
    // "Up" and "Down": move the selected active player one place; the pool
    // order is the order of the active players.
    void moveUp();
    void moveDown();
    // The current administrator button (administrator): asks for an active
    // player and, once the administrator confirmed that his own rights go
    // with them, hands the rights to that player.
    void handOverAdministrator();
    // "Save Changes" (administrator, or the one who has just handed the
    // rights on): writes the user list from the two lists and says so. True
    // when saved.
    bool saveChanges();

    // "Change User Name" and "Change Password" of the panel (administrator):
    // the selected player on file, or nothing when the person has been told
    // why not.
    std::optional<std::string> chosenPlayer();
    // After a rename: the administrator button follows the new name, and no
    // entry stays selected.
    void playerRenamed(const std::string& oldName, const std::string& newName);

    // Selects an entry (-1 for none), as a click in a list does.
    void selectPlayerOnFile(int index) { m_onFileSelected = index; }
    void selectActivePlayer(int index) { m_activeSelected = index; }

    const UserAdministrationModel& model() const { return m_model; }
    // "Players on File" and "Active Players", as the pool has them now.
    ListModel playersOnFile() const;
    ListModel activePlayers() const;

private:
    void clearSelections();
    void move(int step);
    std::string selectedPlayerOnFile() const;
    std::string selectedActivePlayer() const;

    Pool& m_pool;
    Dialogs& m_dialogs;
    UserAdministrationModel m_model;
    int m_onFileSelected = -1;
    int m_activeSelected = -1;
    // The rights went to another player since the panel opened: the giver
    // still saves that change.
    bool m_rightsHandedOver = false;
};

} // namespace gs
