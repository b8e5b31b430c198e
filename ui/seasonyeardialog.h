#pragma once

#include "painter.h"
#include "settings/seasonselection.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <functional>

namespace gs {

// "Season Year": the list of seasons, "Apply" and "Close". A season chosen
// is in force at once: seasonChosen lets the main window show it.
class SeasonYearDialog : public PaintedDialog {
    Q_OBJECT
public:
    SeasonYearDialog(Pool& pool, Dialogs& dialogs, std::function<void()> seasonChosen,
                     QWidget* parent = nullptr);

private:
    void render();

    SeasonSelection m_model;
    std::function<void()> m_seasonChosen;
    QListWidget* m_seasons = nullptr;
    QLineEdit* m_day = nullptr;
    QPushButton* m_setDay = nullptr;
    QLabel* m_dayNow = nullptr;
    QComboBox* m_rule = nullptr;
};

} // namespace gs
