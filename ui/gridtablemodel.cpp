#include "gridtablemodel.h"

#include "textconv.h"

#include <QBrush>
#include <QFont>

namespace gs {

namespace {

const QColor kFixedBackground = toQColor(kFixedCell);

Qt::Alignment alignmentOf(Align align) {
    switch (align) {
    case Align::Left:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case Align::Center:
        return Qt::AlignCenter;
    case Align::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

} // namespace

bool GridTableModel::setGrid(const GridModel* grid) {
    int rows = grid ? grid->rows() : 0;
    int cols = grid ? grid->cols() : 0;
    int headers = grid && grid->fixedRows() > 0 && rows > 0 ? 1 : 0;
    bool sameShape = grid == m_grid && rows == m_rows && cols == m_cols && headers == m_headerRows;
    if (sameShape) {
        // Same cells, new contents: the view keeps its scroll position.
        if (rowCount() > 0 && columnCount() > 0)
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        if (columnCount() > 0)
            emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
        return false;
    }
    beginResetModel();
    m_grid = grid;
    m_rows = rows;
    m_cols = cols;
    m_headerRows = headers;
    endResetModel();
    return true;
}

int GridTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows - headerRows();
}

int GridTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_cols;
}

QVariant GridTableModel::cellData(const GridCell& cell, bool fixed, int col, int role) const {
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return toQt(cell.text);
    case Qt::FontRole:
        if (cell.bold) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::ForegroundRole:
        return cell.textColor ? QVariant(QBrush(toQColor(*cell.textColor))) : QVariant();
    case Qt::BackgroundRole:
        if (cell.background)
            return QBrush(toQColor(*cell.background));
        return fixed ? QVariant(QBrush(kFixedBackground)) : QVariant();
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(fixed ? Qt::Alignment(Qt::AlignCenter)
                                         : alignmentOf(m_grid->columnAlign(col)));
    default:
        return {};
    }
}

QVariant GridTableModel::data(const QModelIndex& index, int role) const {
    if (!m_grid || !index.isValid())
        return {};
    int row = index.row() + headerRows();
    int col = index.column();
    // The grid may have changed shape since the last setGrid: only cells it
    // still has are read.
    if (row >= m_rows || col >= m_cols || row >= m_grid->rows() || col >= m_grid->cols())
        return {};
    bool fixed = row < m_grid->fixedRows() || col < m_grid->fixedCols();
    return cellData(m_grid->cell(row, col), fixed, col, role);
}

QVariant GridTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || headerRows() == 0 || section < 0 || section >= m_cols ||
        section >= m_grid->cols() || m_grid->rows() == 0)
        return {};
    const GridCell& cell = m_grid->cell(0, section);
    if (role == Qt::BackgroundRole)
        return {}; // the header keeps the style's own look
    return cellData(cell, true, section, role);
}

} // namespace gs
