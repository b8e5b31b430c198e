#pragma once

#include "painter.h"
#include "picks/seasonselection.h"

#include <QRadioButton>

#include <array>

namespace gs {

// "Season Year": an option per season, "Apply" and "Close".
class SeasonYearDialog : public PaintedDialog {
    Q_OBJECT
public:
    SeasonYearDialog(Pool& pool, Dialogs& dialogs, QWidget* parent = nullptr);

private:
    void render();

    SeasonSelection m_model;
    std::array<QRadioButton*, kSeasonOptions + 1> m_options{};
};

} // namespace gs
