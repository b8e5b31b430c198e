#include "seasonselection.h"

#include "core/userlist.h"

namespace gs {

void SeasonSelection::open() {
    m_open = true;
    m_selected = 0;
    for (int n = 1; n <= kSeasonOptions; ++n) {
        options[n].caption = std::to_string(kFirstSeason + n - 1);
        options[n].visible = true;
        if (options[n].caption == m_pool.seasonYear)
            m_selected = n;
    }
}

void SeasonSelection::chooseSeason(int option) {
    if (option < 1 || option > kSeasonOptions)
        return;
    m_selected = option;
    m_pool.seasonYear = std::to_string(kFirstSeason + option - 1);
}

bool SeasonSelection::apply() {
    if (Status stored = storeSeasonInUserList(m_pool); !stored) {
        m_dialogs.refuse(stored.error());
        return false;
    }
    // The season switched with the click; Apply only keeps it for later.
    m_dialogs.inform("Season " + m_pool.seasonYear +
                         " is the season now, and the next login starts in it as well.",
                     caption);
    return true;
}

} // namespace gs
