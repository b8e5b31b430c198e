#pragma once

// Publishing the pool's page: written into the home (or a folder), sent to
// its page address by the rule of every send, and the address kept for
// "Upload Admin Files". The `publish` command and "Publish Pool Page..."
// run it alike.

#include "core/dialogs.h"
#include "core/pool.h"
#include "exchange/exchangeoperations.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace gs {

inline constexpr const char* kPublishTitle = "Publish Pool Page";

// How a page reaches its address: the transports and how their requests run.
struct PageSending {
    TransportFactory makeTransport;
    RequestRunner& requests;
    RetryWait& wait;
    // Told of the page sent ("Sent index.html to ...").
    std::function<void(const std::string&)> onFileMoved = {};
};

// Sends the page file as index.html to the address, refused when it is or
// holds the current user's exchange place; once sent, the address is kept
// in the pool's settings. Needs administrator rights on the administrator's
// machine. False when the page did not arrive or the address was not kept
// (the reason told).
bool sendPageAndKeepAddress(Pool& pool, Dialogs& dialogs, const std::filesystem::path& page,
                            const std::string& address, const PageSending& sending);

// "Publish Pool Page...": writes the page into the home, asks the
// administrator for the page address (the kept one offered; an empty answer
// keeps the page on this computer), sends it there, and asks whether to open
// the page. The page file to open, or nullopt.
std::optional<std::filesystem::path> publishPoolPageFromWindow(Pool& pool, Dialogs& dialogs,
                                                               const PageSending& sending);

} // namespace gs
