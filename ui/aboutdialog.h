#pragma once

#include "painter.h"
#include "utilities/help.h"

#include <functional>

namespace gs {

// "About Gridslate": the icon, the name and the version, and "Close". A click
// on the icon opens the maker's page.
class AboutDialog : public PaintedDialog {
    Q_OBJECT
public:
    AboutDialog(std::function<void()> openMakerPage, QWidget* parent = nullptr);
};

// The program's icon: the one built into the program when there is one,
// else a stand-in from the style.
QIcon programIcon(const QWidget* widget);

} // namespace gs
