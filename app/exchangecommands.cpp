// The exchange window's three operations for scripts: an administrator can
// send the master files after entering scores without opening the window.

#include "commands.h"

#include "core/codepage.h"
#include "core/userlist.h"
#include "exchange/exchangeoperations.h"

#include <functional>

namespace gs {

namespace {

int runExchange(CommandContext& c, const std::function<OperationEnd(ExchangeOperations&)>& run) {
    if (c.args.size() != 1) {
        c.err << "gridslate: " << c.args[0] << " takes no arguments\n";
        return 2;
    }
    // The place the window opens with, from the user's stored address.
    const UserSlot* user = c.pool.currentSlot();
    if (!user) {
        c.dialogs.refuse(kNotOnUserListMessage);
        return 1;
    }
    ExchangeState state;
    state.place = openingPlace(user->exchangeAddress);
    DirectRequests requests;
    SleepingWait wait;
    ExchangeOperations operations(c.pool, c.dialogs, state, makeTransport, requests, wait);
    operations.onFileMoved = [&c](const std::string& line) { c.out << cp1252ToUtf8(line) << '\n'; };
    OperationEnd end = run(operations);
    operations.quit();
    if (end != OperationEnd::Completed)
        return 1;
    if (!operations.unavailableFiles().empty()) {
        c.err << "gridslate: not sent, because missing:";
        for (const std::string& name : operations.unavailableFiles())
            c.err << ' ' << cp1252ToUtf8(name);
        c.err << '\n';
        return 1;
    }
    return 0;
}

} // namespace

int exchangeDownloadCommand(CommandContext& c) {
    return runExchange(c, [](ExchangeOperations& o) { return o.downloadAllUserFiles(); });
}

int exchangeUploadCommand(CommandContext& c) {
    return runExchange(c, [](ExchangeOperations& o) {
        return o.uploadUserFiles(ExchangeOperations::UploadSet::OwnPickFiles);
    });
}

int exchangeUploadAdminCommand(CommandContext& c) {
    return runExchange(c, [](ExchangeOperations& o) { return o.uploadAdminFiles(); });
}

} // namespace gs
