#pragma once

#include "painter.h"

#include <QString>

namespace gs {

// Gives a control the name by which tests and tools find it, and a readable
// name for assistive technology.
template <typename Widget>
Widget* named(Widget* widget, const QString& name, const QString& accessibleName) {
    widget->setObjectName(name);
    widget->setAccessibleName(accessibleName);
    return widget;
}

// The same, for a control painted in the colour scheme.
template <typename Widget>
Widget* named(Widget* widget, const QString& name, const QString& accessibleName, PaintRole role) {
    setPaintRole(widget, role);
    return named(widget, name, accessibleName);
}

} // namespace gs
