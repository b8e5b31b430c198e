// Commands for administrators' scripts: list the players, add a player or
// the rating player.

#include "commands.h"

#include "accounts/accounts.h"
#include "accounts/useradministration.h"
#include "core/codepage.h"
#include "core/poollock.h"
#include "core/text.h"
#include "core/userlist.h"

#include <optional>

namespace gs {

namespace {

// A CSV field, quoted when it holds a separator or a quote.
std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

} // namespace

int playersCommand(CommandContext& c) {
    c.out << "Name,Active,Admin,Folder\n";
    for (int k = 1; k <= kUserSlots; ++k) {
        const UserSlot& slot = c.pool.users()[k];
        if (slot.name.empty())
            continue;
        c.out << csvField(cp1252ToUtf8(slot.name)) << ',' << decimalText(slot.active) << ','
              << decimalText(slot.admin) << ',' << csvField(cp1252ToUtf8(slot.folder)) << '\n';
    }
    return 0;
}

int addPlayerCommand(CommandContext& c) {
    if (!requireAdmin(c.pool, c.pool.currentUser(), c.dialogs))
        return 1;
    // The name arrives in UTF-8; the files keep Windows-1252, and a character
    // they cannot carry is refused rather than stored as "?".
    std::optional<std::string> stored = utf8ToCp1252Exactly(*c.args.get<std::string>("name"));
    if (!stored) {
        c.dialogs.refuse(kNameNotAllowedMessage);
        return 1;
    }

    // Held from the read to the rename, so that two scripts adding players
    // at once both keep their player: the second one reads the list anew
    // once the first has saved it.
    Result<PoolLock> lock = lockPoolFiles(c.pool);
    if (!lock) {
        c.dialogs.refuse(lock.error().message);
        return 1;
    }
    if (Result<UserListLoad> load = reloadUserList(c.pool); !load) {
        c.dialogs.refuse(load.error().message);
        return 1;
    }
    // The pool order as opening the panel works it out from the list just
    // loaded, and the rights as they stand in it.
    refreshPoolOrder(c.pool);
    if (const UserSlot* current = c.pool.currentSlot())
        c.pool.setColorScheme(current->colorScheme);
    if (!requireAdmin(c.pool, c.pool.currentUser(), c.dialogs))
        return 1;
    // The rating player is added by its own name, active from the start.
    bool ratingPlayer = *stored == kRatingPlayer;
    AddResult added = ratingPlayer ? addRatingPlayer(c.pool) : addPlayer(c.pool, *stored);
    switch (added.outcome) {
    case AddOutcome::Added:
        break;
    case AddOutcome::Refused:
        c.dialogs.refuse(added.refusal);
        return 1;
    case AddOutcome::ListFull:
        c.err << "gridslate: the user list is full: it holds " << kUserSlots << " players\n";
        return 1;
    }
    if (c.args.has("--active") && !ratingPlayer)
        activatePlayer(c.pool, trimmedUserName(*stored));
    if (Status saved = saveUserListChanges(c.pool, c.dialogs); !saved) {
        c.dialogs.refuse(saved.error().message);
        return 1;
    }
    c.dialogs.inform(kUserListSavedMessage);
    return 0;
}

} // namespace gs
