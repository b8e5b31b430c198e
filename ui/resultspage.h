#pragma once

// The "All-User Pick Results" page: the board of every game and every
// active player's picks, with its progress bar while it is built.

#include "panelpage.h"
#include "results/allresults.h"

#include <QElapsedTimer>

class QLabel;
class QProgressBar;

namespace gs {

class GridTableView;

class ResultsPage : public PanelPage {
    Q_OBJECT
public:
    ResultsPage(Pool& pool, Dialogs& dialogs, Runner run, QWidget* parent = nullptr);

    void open() override;
    void render() override;
    const AllResultsPanel& panel() const { return m_panel; }

private:
    void showProgress(const ProgressModel& progress);

    AllResultsPanel m_panel;
    QLabel* m_heading = nullptr;
    GridTableView* m_grid = nullptr;
    QProgressBar* m_progress = nullptr;
    QElapsedTimer m_sincePainted;
    // The next render brings the current week to the top.
    bool m_scrollToOpening = false;
};

} // namespace gs
