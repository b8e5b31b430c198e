#pragma once

#include "painter.h"
#include "utilities/calendarview.h"

class QCalendarWidget;
class QListWidget;

namespace gs {

// "Season Calendar": a month calendar limited to the season and, once a day
// is clicked, the list of that day's games beside it.
class CalendarDialog : public PaintedDialog {
    Q_OBJECT
public:
    CalendarDialog(const Pool& pool, Dialogs& dialogs, QWidget* parent = nullptr);

private:
    void render();

    SeasonCalendar m_model;
    QCalendarWidget* m_calendar = nullptr;
    QListWidget* m_games = nullptr;
};

} // namespace gs
