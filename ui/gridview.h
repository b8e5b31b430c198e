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

    // The column whose cells below the header can be typed into (F2, a
    // double click or typing), -1 for none; each finished edit is reported
    // with the cell's new text.
    void setEditableColumn(int column);
    std::function<void(int row, int col, const std::string& text)> onCellEdited;

private:
    int m_editableColumn = -1;
    bool m_rendering = false;
};

} // namespace gs
