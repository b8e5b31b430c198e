#pragma once

#include <QString>

namespace gs {

// Gives a control its documented name, by which tests and tools find it, and
// a readable name for assistive technology.
template <typename Widget>
Widget* named(Widget* widget, const QString& name, const QString& accessibleName) {
    widget->setObjectName(name);
    widget->setAccessibleName(accessibleName);
    return widget;
}

} // namespace gs
