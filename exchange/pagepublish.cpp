#include "exchange/pagepublish.h"

#include "core/poolmachine.h"
#include "net/address.h"
#include "publish/pagebuild.h"

namespace gs {

namespace fs = std::filesystem;

bool sendPageAndKeepAddress(Pool& pool, Dialogs& dialogs, const fs::path& page,
                            const std::string& address, const PageSending& sending) {
    if (!requireAdmin(pool, pool.currentUser(), dialogs) ||
        !requireAdministratorsMachine(pool, dialogs))
        return false;
    const UserSlot* user = pool.currentSlot();
    ExchangeState state;
    state.place = openingPlace(user ? user->exchangeAddress : std::string());
    ExchangeOperations operations(pool, dialogs, state, sending.makeTransport, sending.requests,
                                  sending.wait);
    operations.onFileMoved = sending.onFileMoved;
    const OperationEnd end = operations.sendPoolPage(address, page);
    operations.quit();
    if (end != OperationEnd::Completed)
        return false;
    if (Status stored = storePageAddress(pool, address); !stored) {
        dialogs.refuse(stored.error().message);
        return false;
    }
    return true;
}

std::optional<fs::path> publishPoolPageFromWindow(Pool& pool, Dialogs& dialogs,
                                                  const PageSending& sending) {
    const fs::path page = homePagePath(pool);
    if (Status written = writePoolPageFile(pool, dialogs, page); !written) {
        dialogs.refuse(written.error().message);
        return std::nullopt;
    }
    if (pool.isAdmin(pool.currentUser()) && !isPlayersMachine(pool.folders())) {
        // The kept address is offered with its password hidden; left as
        // shown, it keeps the password.
        const std::string kept = storedPageAddress(pool);
        const std::string shown = maskedAddress(kept);
        std::string typed =
            dialogs.input("The pool's page is written to " + page.string() +
                              ".\nSend it as index.html to this page address (a folder or an "
                              "ftp:// address; never the exchange place, whose pick files must "
                              "not be readable from the web). Leave it empty to keep the page on "
                              "this computer only:",
                          kPublishTitle, shown);
        if (typed == shown)
            typed = kept;
        if (!typed.empty() && sendPageAndKeepAddress(pool, dialogs, page, typed, sending))
            dialogs.inform("The pool's page was sent to " + maskedAddress(typed) + ".",
                           kPublishTitle);
    }
    if (!dialogs.confirm("The pool's page is written to " + page.string() +
                             ".\nOpen it in the browser?",
                         kPublishTitle))
        return std::nullopt;
    return page;
}

} // namespace gs
