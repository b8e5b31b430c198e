#pragma once

// A GridModel seen through Qt's model/view classes: a view asks only for
// the cells it paints, so a board of hundreds of rows and a hundred players
// costs no more to show than the part of it on screen.

#include "core/grid.h"

#include <QAbstractTableModel>

namespace gs {

class GridTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Shows this grid (nullptr: nothing). The grid is read, never copied,
    // so it must stay alive and unchanged until the next call. True when
    // the view was reset (a new grid or a new shape), false when only the
    // cells' contents were refreshed.
    bool setGrid(const GridModel* grid);
    const GridModel* grid() const { return m_grid; }

    // The grid's first row, when it is a fixed row, is the view's header;
    // the view's row r is the grid's row r + headerRows().
    int headerRows() const { return m_headerRows; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QVariant cellData(const GridCell& cell, bool fixed, int col, int role) const;

    const GridModel* m_grid = nullptr;
    int m_rows = 0;
    int m_cols = 0;
    int m_headerRows = 0;
};

} // namespace gs
