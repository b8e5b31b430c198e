#include "calendardialog.h"

#include "controls.h"
#include "textconv.h"

#include <QCalendarWidget>
#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTextCharFormat>
#include <QVBoxLayout>

namespace gs {

namespace {

QDate toQDate(const Date& date) {
    return QDate(date.year(), date.month(), date.day());
}

} // namespace

CalendarDialog::CalendarDialog(const Pool& pool, Dialogs& dialogs, QWidget* parent)
    : PaintedDialog(parent), m_model(pool, dialogs) {
    m_model.open();
    setObjectName("seasonCalendarDialog");
    setWindowTitle(toQt(m_model.caption));
    setAccessibleName(toQt(m_model.caption));
    setPaintRole(this, PaintRole::Background);

    m_calendar = named(new QCalendarWidget, "seasonCalendar", "Season calendar");
    m_calendar->setGridVisible(true);
    if (m_model.earliest && m_model.latest)
        m_calendar->setDateRange(toQDate(*m_model.earliest), toQDate(*m_model.latest));
    if (m_model.selected)
        m_calendar->setSelectedDate(toQDate(*m_model.selected));
    // Game days stand out: bold, on the scheme-independent grid colour of
    // the results' winning picks, with text that reads on it.
    QTextCharFormat gameDay;
    gameDay.setFontWeight(QFont::Bold);
    gameDay.setBackground(toQColor(kGreenCell));
    gameDay.setForeground(toQColor(kBlack));
    gameDay.setToolTip("Games on this day");
    // The weekend's red as the grids' dark red, which reads on white.
    for (Qt::DayOfWeek day : {Qt::Saturday, Qt::Sunday}) {
        QTextCharFormat weekend = m_calendar->weekdayTextFormat(day);
        weekend.setForeground(toQColor(kRed));
        m_calendar->setWeekdayTextFormat(day, weekend);
    }
    for (const Date& day : m_model.gameDays)
        m_calendar->setDateTextFormat(toQDate(day), gameDay);
    m_games = named(new QListWidget, "gamesList", "Games of the chosen day");
    m_games->setMinimumWidth(300);
    m_games->setMinimumHeight(m_calendar->sizeHint().height());
    auto* hint = named(new QLabel(toQt(m_model.hint.caption)), "calendarHintLabel",
                       "Click on a date to see game list", PaintRole::Text);
    auto* close = named(new QPushButton(toQt(m_model.closeButton.caption)), "closeButton", "Close",
                        PaintRole::Button);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* row = new QHBoxLayout;
    row->addWidget(m_calendar);
    row->addWidget(m_games);
    layout->addLayout(row);
    layout->addWidget(hint);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);

    connect(m_calendar, &QCalendarWidget::clicked, this, [this](QDate date) {
        if (std::optional<Date> day = Date::fromParts(date.year(), date.month(), date.day()))
            m_model.clickDate(*day);
        render();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    render();
}

void CalendarDialog::render() {
    m_games->clear();
    for (const std::string& entry : m_model.games.entries)
        m_games->addItem(toQt(entry));
    m_games->setVisible(m_model.gamesVisible);
}

} // namespace gs
