#pragma once

// The "Update Schedule and Scores" window: the games file is fetched on a
// worker thread while the window shows how much has arrived and offers to
// cancel; once it is here the file is applied on the window's thread, a
// file refused over games in conflict is shown and overwritten only when the
// person agrees, and a summary ends it. The window layer runs fetch() on
// its worker, calls showProgress() now and then, and finish() with what
// fetch() returned. Between fetches the address can be changed: "Change"
// stores it in the pool's settings and fetches from it.

#include "core/dialogs.h"
#include "core/grid.h"
#include "core/pool.h"
#include "update/gamesupdate.h"

#include <atomic>
#include <cstdint>
#include <string>

namespace gs {

struct GamesUpdateWindowModel {
    std::string caption = "Update Schedule and Scores";
    ControlModel addressLabel{"Address:", true};
    // Where the file comes from, its password masked; what the person
    // typed between fetches.
    ControlModel address{"", true, false};
    ControlModel changeButton{"Change", true, false};
    ControlModel status{"", true};         // what is going on
    ProgressModel progress{true, 0, 0, 0}; // bytes of the total; 0..0 while it is unknown
    ControlModel cancelButton{"Cancel", true, false};
    ControlModel closeButton{"Close", true, true};
};

class GamesUpdateWindow {
public:
    GamesUpdateWindow(const Pool& pool, Dialogs& dialogs, GamesUpdateOptions options = {});

    // Settles the address; false when there is none to fetch (the person
    // has been told why) and the window has nothing to do.
    bool start();
    // The fetch, for the worker thread; touches only the file and the counts.
    FetchedGamesFile fetch();
    // The bytes that arrived so far, into the model.
    void showProgress();
    // "Cancel": the fetch ends at its next look, changing nothing.
    void cancel();
    // What the person typed into the address box.
    void typeAddress(const std::string& text) { m_model.address.caption = text; }
    // "Change": stores the typed address as the pool's and starts a fetch
    // from it; false when it was refused (the person has been told why) or
    // a fetch is running.
    bool changeAddress();
    // Applies what was fetched and tells the person how it went.
    void finish(const FetchedGamesFile& fetched);

    bool isRunning() const { return m_running; }
    const GamesUpdateWindowModel& model() const { return m_model; }

private:
    void setRunning(bool running);

    const Pool& m_pool;
    Dialogs& m_dialogs;
    GamesUpdateOptions m_options;
    GamesUpdateWindowModel m_model;
    bool m_running = false;
    std::atomic<bool> m_cancel{false};
    std::atomic<std::uint64_t> m_received{0};
    std::atomic<std::uint64_t> m_total{0};
};

} // namespace gs
