#pragma once

#include "painter.h"
#include "settings/colors.h"

#include <QRadioButton>

#include <array>
#include <functional>

namespace gs {

// "Color Scheme": one option per team scheme and "Close"; a click repaints
// every window at once through the given callback.
class ColorSettingsDialog : public PaintedDialog {
    Q_OBJECT
public:
    ColorSettingsDialog(Pool& pool, std::function<void()> repaintAll, QWidget* parent = nullptr);

private:
    void render();

    ColorSettings m_model;
    std::function<void()> m_repaintAll;
    std::array<QRadioButton*, kSchemeCount + 1> m_options{};
};

} // namespace gs
