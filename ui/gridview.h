#pragma once

#include "core/grid.h"

#include <QTableWidget>
#include <functional>

namespace gs {

// Shows a GridModel: fixed rows and columns look like headers, cells carry
// the model's text, bold and colours, and a click reports the model's row
// and column.
class GridView : public QTableWidget {
    Q_OBJECT
public:
    explicit GridView(QWidget* parent = nullptr);

    void render(const GridModel& model);
    std::function<void(int row, int col)> onCellClicked;
};

} // namespace gs
