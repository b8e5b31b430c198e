#pragma once

// The "Season Year" window: one option per season of the games table's
// schedules, "Apply" and "Close". A click on an option switches the pool to
// that season at once; everything that depends on the season follows it at
// its next use. "Apply" also stores the season in the user list, so that
// the next login starts in it.

#include "core/dialogs.h"
#include "core/grid.h"
#include "core/pool.h"

#include <array>
#include <string>

namespace gs {

inline constexpr int kFirstSeason = 2009;
inline constexpr int kSeasonOptions = 7; // 2009..2015

class SeasonSelection {
public:
    SeasonSelection(Pool& pool, Dialogs& dialogs) : m_pool(pool), m_dialogs(dialogs) {}

    // Opening: the option of the season in force is the selected one.
    void open();
    // A click on option 1..7 ("2009".."2015").
    void chooseSeason(int option);
    // "Apply": stores the season in force with the user list. False when it
    // could not be stored (the person has been told).
    bool apply();
    // "Close".
    void close() { m_open = false; }

    std::string caption = "Season Year";
    ControlModel label{"Select Season Schedule:", true};
    std::array<ControlModel, kSeasonOptions + 1> options; // 1..7
    ControlModel applyButton{"Apply", true};
    ControlModel closeButton{"Close", true};

    // 1..7, or 0 when the season in force has no option.
    int selectedOption() const { return m_selected; }
    bool isOpen() const { return m_open; }

private:
    Pool& m_pool;
    Dialogs& m_dialogs;
    int m_selected = 0;
    bool m_open = false;
};

} // namespace gs
