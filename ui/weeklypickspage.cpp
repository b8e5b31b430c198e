#include "weeklypickspage.h"

#include "controls.h"
#include "gridview.h"
#include "modelwidgets.h"
#include "textconv.h"

#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QVBoxLayout>

namespace gs {

WeeklyPicksPage::WeeklyPicksPage(WeeklyPicksPanel& panel, Runner run, QWidget* parent)
    : PanelPage(std::move(run), parent), m_panel(panel) {
    setObjectName("weeklyPicksPage");
    auto* layout = new QVBoxLayout(this);

    auto* header = new QHBoxLayout;
    m_heading = named(new QLabel, "weekHeadingLabel", "Viewing Picks for Week", PaintRole::Text);
    m_weekNumber = named(new QLabel, "weekNumberLabel", "Week number", PaintRole::Text);
    m_firstDate =
        named(new QLabel, "firstDateLabel", "Date of the week's first game", PaintRole::Text);
    m_thru = named(new QLabel, "thruLabel", "Thru", PaintRole::Text);
    m_lastDate =
        named(new QLabel, "lastDateLabel", "Date of the week's last game", PaintRole::Text);
    m_previousWeek =
        named(new QPushButton, "previousWeekButton", "Previous week", PaintRole::Button);
    m_nextWeek = named(new QPushButton, "nextWeekButton", "Next week", PaintRole::Button);
    m_savePicks = named(new QPushButton, "savePicksButton", "Save Picks", PaintRole::Button);
    // Ctrl+S saves the picks while the button may be pressed.
    auto* saveKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), this);
    saveKey->setObjectName("savePicksShortcut");
    connect(saveKey, &QShortcut::activated, m_savePicks, [save = m_savePicks] {
        if (save->isVisible() && save->isEnabled())
            save->click();
    });
    QFont big = m_heading->font();
    big.setPointSize(big.pointSize() + 2);
    big.setBold(true);
    m_heading->setFont(big);
    m_weekNumber->setFont(big);
    header->addWidget(m_heading);
    header->addWidget(m_weekNumber);
    header->addSpacing(24);
    header->addWidget(m_firstDate);
    header->addWidget(m_thru);
    header->addWidget(m_lastDate);
    header->addStretch();
    header->addWidget(m_previousWeek);
    header->addWidget(m_nextWeek);
    layout->addLayout(header);

    m_grid = named(new GridView, "picksGrid", "This week's games");
    layout->addWidget(m_grid, 1);

    auto* footer = new QHBoxLayout;
    m_tiebreakerLabel = named(new QLabel, "tiebreakerLabel", "Tiebreaker", PaintRole::Text);
    m_tiebreaker = named(new QLineEdit, "tiebreakerEdit",
                         "Tiebreaker: your guess of the total points of the week's last game");
    m_tiebreaker->setValidator(new QIntValidator(0, kMaxGuess, m_tiebreaker));
    m_tiebreaker->setMaximumWidth(80);
    m_tiebreakerLabel->setBuddy(m_tiebreaker);
    footer->addWidget(m_tiebreakerLabel);
    footer->addWidget(m_tiebreaker);
    footer->addStretch();
    footer->addWidget(m_savePicks);
    layout->addLayout(footer);

    connect(m_nextWeek, &QPushButton::clicked, this,
            [this] { this->run([this] { m_panel.showNextWeek(); }); });
    connect(m_previousWeek, &QPushButton::clicked, this,
            [this] { this->run([this] { m_panel.showPreviousWeek(); }); });
    connect(m_savePicks, &QPushButton::clicked, this,
            [this] { this->run([this] { m_panel.savePicks(); }); });
    m_grid->onCellClicked = [this](int row, int column) {
        this->run([this, row, column] { m_panel.togglePick(row, column); });
    };
    m_grid->onCellEdited = [this](int row, int, const std::string& text) {
        this->run([this, row, text] { m_panel.setConfidence(row, text); });
    };
    connect(m_tiebreaker, &QLineEdit::editingFinished, this, [this] {
        if (m_tiebreaker->isModified())
            this->run([this] { m_panel.setTiebreaker(fromQt(m_tiebreaker->text())); });
        m_tiebreaker->setModified(false);
    });
}

void WeeklyPicksPage::open() {
    m_panel.open();
}

void WeeklyPicksPage::reloadPicks() {
    m_panel.reloadPicks();
}

void WeeklyPicksPage::render() {
    const WeeklyPicksModel& m = m_panel.model();
    showControl(m_heading, m.heading);
    showControl(m_weekNumber, m.weekNumber);
    showControl(m_firstDate, m.firstDate);
    showControl(m_thru, m.thru);
    showControl(m_lastDate, m.lastDate);
    showControl(m_nextWeek, m.nextWeekButton);
    showControl(m_previousWeek, m.previousWeekButton);
    showControl(m_savePicks, m.savePicksButton);
    showControl(m_tiebreakerLabel, m.tiebreakerLabel);
    m_tiebreaker->setVisible(m.tiebreakerField.visible);
    m_tiebreaker->setEnabled(m.tiebreakerField.enabled);
    if (!m_tiebreaker->isModified())
        m_tiebreaker->setText(toQt(m.tiebreakerField.caption));
    m_grid->setEditableColumn(m.confidenceColumn);
    m_grid->render(m.grid);
    // A click on a locked game says why nothing changed.
    if (auto* main = qobject_cast<QMainWindow*>(window()); main && isVisible()) {
        if (!m.status.empty())
            main->statusBar()->showMessage(toQt(m.status));
        else if (m.status != m_shownStatus)
            main->statusBar()->clearMessage();
    }
    m_shownStatus = m.status;
}

} // namespace gs
