#pragma once

// Paints windows with the three colours of the scheme in force. Each control
// that follows the scheme carries a paint role; grids, lists, text boxes and
// message boxes keep their own colours.

#include "settings/colors.h"

#include <QDialog>
#include <QWidget>

namespace gs {

enum class PaintRole {
    Background, // back colour from the scheme's background
    Button,     // back colour from the scheme's button colour
    Text,       // text colour from the scheme's text colour
    ButtonText, // text colour from the scheme's button colour
    Option,     // an option button: text colour, and an indicator in the scheme's colours
};

// Marks a control with the role it is painted in.
void setPaintRole(QWidget* widget, PaintRole role);

// Paints the window and the controls below it by their roles.
void paintWindow(QWidget* window, const ColorSlots& colors);

// A dialog that repaints itself whenever the colour scheme changes.
class PaintedDialog : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;
    void paint(const ColorSlots& colors) { paintWindow(this, colors); }

protected:
    // Wide enough that the title bar shows the whole title beside its
    // buttons, however few the controls.
    void showEvent(QShowEvent* event) override;
};

} // namespace gs
