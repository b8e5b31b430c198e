// publish: the pool's page written for a browser, and sent to its page
// address.

#include "commands.h"

#include "core/codepage.h"
#include "core/poolmachine.h"
#include "exchange/pagepublish.h"
#include "publish/pagebuild.h"

namespace gs {

namespace fs = std::filesystem;

int publishCommand(CommandContext& c) {
    const std::optional<std::string> out = c.args.get<std::string>("--out");
    const std::optional<std::string> to = c.args.get<std::string>("--to");
    // Sending to the page address and keeping it are the administrator's:
    // refused before anything is written.
    if (to && (!requireAdmin(c.pool, c.pool.currentUser(), c.dialogs) ||
               !requireAdministratorsMachine(c.pool, c.dialogs)))
        return 1;
    // Nor does --out put the page into the exchange place.
    const UserSlot* user = c.pool.currentSlot();
    if (Status usable =
            out ? checkPagePlace(c.pool, openingPlace(user ? user->exchangeAddress : ""), *out)
                : Status{};
        !usable) {
        c.dialogs.refuse(usable.error().message);
        return 1;
    }
    const fs::path file = out ? fs::path(*out) / kPageFileName : homePagePath(c.pool);
    std::error_code ec;
    if (out && (fs::create_directories(*out, ec), ec)) {
        c.dialogs.refuse("The folder " + *out + " cannot be made: " + ec.message());
        return 1;
    }
    if (Status written = writePoolPageFile(c.pool, c.dialogs, file); !written) {
        c.dialogs.refuse(written.error().message);
        return 1;
    }
    c.out << "Wrote " << file.string() << '\n';
    if (!to)
        return 0;
    DirectRequests requests;
    SleepingWait wait;
    const PageSending sending{makeTransport, requests, wait, [&c](const std::string& line) {
                                  c.out << cp1252ToUtf8(line) << '\n';
                              }};
    return sendPageAndKeepAddress(c.pool, c.dialogs, file, *to, sending) ? 0 : 1;
}

} // namespace gs
