#pragma once

// The "Season Year" window: the seasons the games table holds, newest
// first, "Apply" and "Close". Choosing a season switches the pool to it at
// once; everything that depends on the season follows it at
// its next use. "Apply" also stores the season in the user list, so that
// the next login starts in it.

#include "core/dialogs.h"
#include "core/grid.h"
#include "core/pool.h"

#include <array>
#include <string>

namespace gs {

class SeasonSelection {
public:
    SeasonSelection(Pool& pool, Dialogs& dialogs) : m_pool(pool), m_dialogs(dialogs) {}

    // Opening: the seasons of the games table, the season in force selected.
    void open();
    // A click on a season of the list (0 is the newest).
    void chooseSeason(int index);
    // "Apply": stores the season in force with the user list. False when it
    // could not be stored (the person has been told).
    bool apply();
    // "Close".
    void close() { m_open = false; }
    // "Set Day": the pool's day, a day and a time, "today", or empty for the
    // default rule.
    // False when refused (the person has been told). Greyed out with the
    // reason on a player's machine and for a user without administrator
    // rights.
    bool setPoolDay(const std::string& setting);
    // A click on a rule of the pool: 0 winners, 1 confidence. Only the
    // administrator sets it, on his own machine (greyed out otherwise); it
    // travels with his files. False when refused (the person has been told).
    bool chooseRule(int index);

    std::string caption = "Season Year";
    ControlModel label{"Select Season Schedule:", true};
    // The seasons as years, newest first; selected: the season in force, or
    // -1 when the table does not hold it.
    ListModel seasons;
    // The pool's day setting as it stands, and the day it gives now.
    ControlModel dayLabel{"Pool's day (M/D/YYYY, M/D/YYYY HH:MM, today, or empty):", true};
    ControlModel dayBox{"", true};
    ControlModel dayNow{"", true};
    ControlModel setDayButton{"Set Day", true};
    // How the pool scores.
    ControlModel ruleLabel{"Pool rule:", true};
    ControlModel ruleBox{"", true};
    ListModel rules{{"Winners: most correct picks", "Confidence: points 1..N a week"}, 0};
    ControlModel applyButton{"Apply", true};
    ControlModel closeButton{"Close", true};

    bool isOpen() const { return m_open; }

private:
    Pool& m_pool;
    Dialogs& m_dialogs;
    bool m_open = false;
};

} // namespace gs
