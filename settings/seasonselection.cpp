#include "seasonselection.h"

#include "core/poolday.h"
#include "core/poolmachine.h"
#include "core/poolrules.h"
#include "core/userlist.h"
#include "schedule/seasongames.h"

namespace gs {

void SeasonSelection::open() {
    m_open = true;
    // The pool's day is the administrator's, set on his own machine.
    bool playersMachine = isPlayersMachine(m_pool.folders());
    bool admin = m_pool.isAdmin(m_pool.currentUser());
    for (ControlModel* control : {&dayBox, &setDayButton}) {
        control->enabled = !playersMachine && admin;
        control->toolTip = playersMachine ? kPlayersMachineMessage : admin ? "" : kNotAdminMessage;
    }
    dayBox.caption = m_pool.daySetting();
    dayNow.caption = "The pool's day is " + m_pool.moment().text() + ".";
    ruleBox.enabled = admin && !playersMachine;
    ruleBox.toolTip = playersMachine ? kPlayersMachineMessage : admin ? "" : kNotAdminMessage;
    rules.selected = poolRule(m_pool.folders()) == PoolRule::Confidence ? 1 : 0;
    seasons = ListModel{};
    Result<std::vector<int>> years = seasonsInTable(m_pool);
    if (!years) {
        m_dialogs.refuse(years.error().message);
        return;
    }
    for (int year : *years) {
        seasons.entries.push_back(std::to_string(year));
        if (year == m_pool.seasonYear())
            seasons.selected = static_cast<int>(seasons.entries.size()) - 1;
    }
}

void SeasonSelection::chooseSeason(int index) {
    if (index < 0 || index >= static_cast<int>(seasons.entries.size()))
        return;
    seasons.selected = index;
    m_pool.setSeasonYear(std::stoi(seasons.entries[static_cast<size_t>(index)]));
    refreshPoolDay(m_pool);
    dayNow.caption = "The pool's day is " + m_pool.moment().text() + ".";
}

bool SeasonSelection::setPoolDay(const std::string& setting) {
    if (Status stored = storePoolDaySetting(m_pool, setting); !stored) {
        m_dialogs.refuse(stored.error().message);
        return false;
    }
    dayBox.caption = m_pool.daySetting();
    dayNow.caption = "The pool's day is " + m_pool.moment().text() + ".";
    return true;
}

bool SeasonSelection::chooseRule(int index) {
    if (index < 0 || index >= static_cast<int>(rules.entries.size()) || index == rules.selected)
        return true;
    if (!requireAdmin(m_pool, m_pool.currentUser(), m_dialogs) ||
        !requireAdministratorsMachine(m_pool, m_dialogs))
        return false;
    if (Status stored =
            storePoolRule(m_pool.folders(), index == 1 ? PoolRule::Confidence : PoolRule::Winners);
        !stored) {
        m_dialogs.refuse(stored.error().message);
        return false;
    }
    rules.selected = index;
    return true;
}

bool SeasonSelection::apply() {
    if (Status stored = storeSeasonInUserList(m_pool); !stored) {
        m_dialogs.refuse(stored.error().message);
        return false;
    }
    // The season switched with the click; Apply only keeps it for later.
    m_dialogs.inform("Season " + std::to_string(m_pool.seasonYear()) +
                         " is the season now, and the next login starts in it as well.",
                     caption);
    return true;
}

} // namespace gs
