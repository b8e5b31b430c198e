#include "resultspage.h"

#include "controls.h"
#include "gridtableview.h"
#include "modelwidgets.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace gs {

namespace {

// The bar is painted at most this often while the board is built: a fast
// build is not slowed down by painting a bar nobody would see move.
constexpr qint64 kProgressPaintMs = 50;

} // namespace

ResultsPage::ResultsPage(Pool& pool, Dialogs& dialogs, Runner run, QWidget* parent)
    : PanelPage(std::move(run), parent), m_panel(pool, dialogs) {
    setObjectName("allResultsPage");
    auto* layout = new QVBoxLayout(this);
    // The board takes the window's whole width: a column more shows.
    layout->setContentsMargins(0, 0, 0, 0);
    m_heading = named(new QLabel("All-User Pick Results"), "allResultsHeading",
                      "All-User Pick Results", PaintRole::Text);
    makeHeading(m_heading);
    m_grid = named(new GridTableView, "allResultsGrid", "Every game and every player's pick");
    m_progress = named(new QProgressBar, "allResultsProgress", "Building the results");
    m_progress->setTextVisible(false);
    m_progress->hide();
    layout->addWidget(m_heading);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_progress);

    m_panel.setProgressReporter([this](const ProgressModel& p) { showProgress(p); });
    m_grid->onCellClicked = [this](int row, int column) {
        this->run([this, row, column] { m_panel.cyclePick(row, column); });
    };
}

void ResultsPage::showProgress(const ProgressModel& progress) {
    if (!m_progress->isVisible() || m_sincePainted.elapsed() < kProgressPaintMs)
        return;
    m_progress->setMaximum(progress.maximum);
    m_progress->setValue(progress.value);
    m_progress->repaint();
    m_sincePainted.restart();
}

void ResultsPage::open() {
    // The board is rebuilt in place: the view must not read it meanwhile.
    m_grid->detach();
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    m_progress->setVisible(isVisible());
    m_sincePainted.start();
    m_panel.open();
    m_scrollToOpening = true;
}

void ResultsPage::render() {
    const AllResultsModel& m = m_panel.model();
    m_progress->setVisible(m.progress.visible);
    m_grid->render(m.grid);
    if (m_scrollToOpening) {
        m_scrollToOpening = false;
        m_grid->scrollTo(m_grid->indexOf(m.openingRow, 0), QAbstractItemView::PositionAtTop);
    }
}

} // namespace gs
