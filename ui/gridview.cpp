#include "gridview.h"

#include "textconv.h"

#include <QHeaderView>
#include <QPalette>

namespace gs {

GridView::GridView(QWidget* parent) : QTableWidget(parent) {
    // The cells keep their own colours whatever the desktop's theme: the
    // result marks were chosen to read on them.
    QPalette cells = palette();
    cells.setColor(QPalette::Base, toQColor(kGridCell));
    cells.setColor(QPalette::Text, toQColor(kBlack));
    setPalette(cells);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QTableWidget::cellClicked, this, [this](int row, int col) {
        if (onCellClicked)
            onCellClicked(row, col);
    });
    connect(this, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (m_rendering || !onCellEdited || item->column() != m_editableColumn)
            return;
        onCellEdited(item->row(), item->column(), fromQt(item->text()));
    });
}

void GridView::setEditableColumn(int column) {
    m_editableColumn = column;
    setEditTriggers(column >= 0
                        ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed
                        : QAbstractItemView::NoEditTriggers);
}

void GridView::render(const GridModel& model) {
    m_rendering = true;
    setRowCount(model.rows());
    setColumnCount(model.cols());
    const QColor headerBack = toQColor(kFixedCell);
    for (int c = 0; c < model.cols(); ++c) {
        int width = twipsToPixels(model.columnWidth(c));
        if (width > 0)
            setColumnWidth(c, width);
    }
    for (int r = 0; r < model.rows(); ++r) {
        for (int c = 0; c < model.cols(); ++c) {
            const GridCell& cell = model.cell(r, c);
            auto* item = this->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                setItem(r, c, item);
            }
            item->setText(toQt(cell.text));
            QFont font = this->font();
            font.setBold(cell.bold);
            item->setFont(font);
            bool fixed = r < model.fixedRows() || c < model.fixedCols();
            item->setForeground(cell.textColor ? QBrush(toQColor(*cell.textColor)) : QBrush());
            if (cell.background)
                item->setBackground(toQColor(*cell.background));
            else
                item->setBackground(fixed ? QBrush(headerBack) : QBrush());
            Qt::Alignment align = Qt::AlignVCenter;
            switch (fixed ? Align::Center : model.columnAlign(c)) {
            case Align::Left:
                align |= Qt::AlignLeft;
                break;
            case Align::Center:
                align |= Qt::AlignHCenter;
                break;
            case Align::Right:
                align |= Qt::AlignRight;
                break;
            }
            item->setTextAlignment(align);
            Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
            if (c == m_editableColumn && r >= model.fixedRows())
                flags |= Qt::ItemIsEditable;
            item->setFlags(flags);
        }
    }
    m_rendering = false;
}

} // namespace gs
