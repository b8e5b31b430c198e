// The exchange window's three operations for scripts: an administrator can
// send the master files after entering scores without opening the window.

#include "commands.h"

#include "accounts/accounts.h"
#include "core/codepage.h"
#include "core/userlist.h"
#include "exchange/exchangeoperations.h"
#include "session/pooljoin.h"

#include <functional>
#include <iostream>
#include <termios.h>
#include <unistd.h>

namespace gs {

namespace {

int runExchange(CommandContext& c, const std::function<OperationEnd(ExchangeOperations&)>& run) {
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

// One line of the input, without its line end; nullopt at its end.
std::optional<std::string> readLine(std::istream& in) {
    std::string line;
    if (!std::getline(in, line))
        return std::nullopt;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

// Asks on the terminal without showing what is typed.
std::optional<std::string> askHidden(std::ostream& prompts, const std::string& prompt) {
    prompts << prompt << std::flush;
    termios shown{};
    bool hidden = ::tcgetattr(STDIN_FILENO, &shown) == 0;
    if (hidden) {
        termios silent = shown;
        silent.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        hidden = ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &silent) == 0;
    }
    std::optional<std::string> line = readLine(std::cin);
    if (hidden)
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &shown);
    prompts << '\n';
    return line;
}

// The password for this machine: one line of the input, or typed twice on
// a terminal. Told and nullopt when none came or the two differ.
std::optional<std::string> joinPassword(CommandContext& c, const std::string& player) {
    std::optional<std::string> password;
    if (c.in || !::isatty(STDIN_FILENO)) {
        password = readLine(c.in ? *c.in : std::cin);
    } else {
        password = askHidden(c.err, "Password for " + player + " on this computer: ");
        std::optional<std::string> again = askHidden(c.err, "Repeat the password: ");
        if (password && again != password) {
            c.dialogs.refuse(kPasswordsDifferMessage);
            return std::nullopt;
        }
    }
    if (!password) {
        c.dialogs.refuse("join reads the password for this computer from standard input, and "
                         "none came.");
        return std::nullopt;
    }
    std::optional<std::string> stored = utf8ToCp1252Exactly(*password);
    if (!stored)
        c.dialogs.refuse("The password holds a character outside the Windows-1252 code page.");
    return stored;
}

} // namespace

int joinCommand(CommandContext& c) {
    std::string player = utf8ToCp1252Exactly(*c.user).value_or(*c.user);
    std::optional<std::string> password = joinPassword(c, player);
    if (!password)
        return 1;
    DirectRequests requests;
    SleepingWait wait;
    std::optional<std::string> joined =
        joinPool(c.pool, c.dialogs, {player, *c.args.get<std::string>("place"), *password},
                 makeTransport, requests, wait, ExchangeLimits{},
                 [&c](const std::string& line) { c.out << cp1252ToUtf8(line) << '\n'; });
    if (!joined)
        return 1;
    c.out << cp1252ToUtf8(*joined) << '\n';
    return 0;
}

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
