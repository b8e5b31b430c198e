#pragma once

// A grid of the main window drawn through GridTableModel: the grid's header
// row stays in place while the rows scroll, and a click reports the grid's
// own row and column.

#include "core/grid.h"

#include <QTableView>
#include <functional>

namespace gs {

class GridTableModel;

class GridTableView : public QTableView {
    Q_OBJECT
public:
    explicit GridTableView(QWidget* parent = nullptr);

    // Shows the grid, which must stay alive until the next render or
    // detach; column widths follow the grid's twips.
    void render(const GridModel& grid);
    // Shows nothing, while the grid is rebuilt.
    void detach();
    // Rows as tight as the text allows, for lists that should show whole.
    void setCompactRows();

    GridTableModel* gridModel() const { return m_model; }
    // The view's index of a grid cell (invalid for the header row).
    QModelIndex indexOf(int row, int col) const;

    // Pixels for a grid width in twips. The twips were chosen for the small
    // system font of old; the widths grow with the font in use, so that the
    // texts they were made for still fit.
    int pixelsForWidth(int twips) const;
    // Pixels for a grid height in twips, at 300 twips a row.
    int pixelsForHeight(int twips) const;

    std::function<void(int row, int col)> onCellClicked;

private:
    GridTableModel* m_model = nullptr;
    std::vector<int> m_widths;
};

} // namespace gs
