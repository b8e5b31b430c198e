#pragma once

// Paints a window with the three colours of the scheme in force
// (State.Colors). Only the controls a window names are painted; grids, lists,
// text boxes and message boxes keep their own colours.

#include <QStringList>
#include <QWidget>

namespace gs {

struct PaintPlan {
    QStringList windowBackground;   // widgets whose back colour is the background
    QStringList buttons;            // back colour from the button colour
    QStringList texts;              // text colour from the text colour
    QStringList buttonColoredTexts; // text colour from the button colour
    QStringList options;            // option buttons, whose indicators follow the scheme
};

// Applies the plan to the widget (found by objectName below it).
void paintWindow(QWidget* window, const PaintPlan& plan);

// Names "Prefix1".."PrefixN".
QStringList numberedNames(const QString& prefix, int first, int last);

} // namespace gs

#include <QDialog>

namespace gs {

// A dialog that repaints itself whenever the colour scheme changes.
class PaintedDialog : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;
    virtual void paint() = 0;
};

} // namespace gs
