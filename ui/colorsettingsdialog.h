#pragma once

#include "painter.h"
#include "prefs/colors.h"

#include <QRadioButton>
#include <array>

namespace gs {

// "Color Scheme": one option per team scheme and "Close"; a click repaints
// every window at once.
class ColorSettingsDialog : public PaintedDialog {
    Q_OBJECT
public:
    explicit ColorSettingsDialog(QWidget* parent = nullptr);
    void paint() override;

private:
    void render();
    ColorSettingsWindow m_model;
    std::array<QRadioButton*, kSchemeCount + 1> m_options{};
};

} // namespace gs
