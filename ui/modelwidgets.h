#pragma once

// Showing the logic's plain view models in Qt widgets, the same way on
// every page.

#include "core/grid.h"

class QAction;
class QComboBox;
class QLabel;
class QListWidget;
class QWidget;

namespace gs {

// A label's or a button's caption, whether it is visible and enabled, and
// its tooltip.
void showControl(QWidget* widget, const ControlModel& model);

// A menu entry: whether it is enabled, and why not, as its tooltip and in
// the status bar. The caption stays the menu's, with its mnemonic.
void showEntry(QAction* action, const ControlModel& model);

// The list's entries (replaced only when they changed, so that the view
// keeps its scroll position) and its selection, without telling the page of
// the selection change: the model made it.
void showList(QListWidget* widget, const ListModel& model);
// The same for a drop-down list.
void showList(QComboBox* box, const ListModel& model);

// The larger bold font of a page's heading.
void makeHeading(QLabel* label);

} // namespace gs
