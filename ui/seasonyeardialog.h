#pragma once

#include "painter.h"
#include "picks/seasonselection.h"

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
};

} // namespace gs
