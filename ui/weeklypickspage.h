#pragma once

// The "This Week's Picks" page: the week's games, the player's picks and
// the buttons that move between weeks and save the picks.

#include "panelpage.h"
#include "picks/weeklypicks.h"

#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace gs {

class GridView;

class WeeklyPicksPage : public PanelPage {
    Q_OBJECT
public:
    // The window keeps the panel: it asks the panel about picks not yet
    // saved before anything else may take the page's place.
    WeeklyPicksPage(WeeklyPicksPanel& panel, Runner run, QWidget* parent = nullptr);

    void open() override;
    void render() override;
    void reloadPicks() override;

private:
    WeeklyPicksPanel& m_panel;
    QLabel* m_heading = nullptr;
    QLabel* m_weekNumber = nullptr;
    QLabel* m_firstDate = nullptr;
    QLabel* m_thru = nullptr;
    QLabel* m_lastDate = nullptr;
    QPushButton* m_previousWeek = nullptr;
    QPushButton* m_nextWeek = nullptr;
    QPushButton* m_savePicks = nullptr;
    QLabel* m_tiebreakerLabel = nullptr;
    QLineEdit* m_tiebreaker = nullptr;
    GridView* m_grid = nullptr;
    std::string m_shownStatus; // the status line this page put up last
};

} // namespace gs
