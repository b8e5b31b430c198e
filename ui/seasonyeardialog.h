#pragma once

#include "painter.h"
#include "settings/seasonselection.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace gs {

// "Season Year": the list of seasons, "Apply" and "Close".
class SeasonYearDialog : public PaintedDialog {
    Q_OBJECT
public:
    SeasonYearDialog(Pool& pool, Dialogs& dialogs, QWidget* parent = nullptr);

private:
    void render();

    SeasonSelection m_model;
    QListWidget* m_seasons = nullptr;
    QLineEdit* m_day = nullptr;
    QLabel* m_dayNow = nullptr;
};

} // namespace gs
