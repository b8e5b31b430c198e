#include "gridview.h"

#include "textconv.h"

#include <QHeaderView>
#include <QPainter>
#include <QPalette>
#include <QPixmap>

#include <vector>

namespace gs {

namespace {

// A padlock in the muted colour of a locked row: a shackle over a body with
// a keyhole.
const QIcon& lockIcon() {
    static const QIcon icon = [] {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        const QColor muted = toQColor(kMutedText);
        painter.setPen(QPen(muted, 2));
        painter.drawArc(QRectF(4, 1.5, 8, 9), 0, 180 * 16);
        painter.drawLine(QPointF(4, 6), QPointF(4, 8));
        painter.drawLine(QPointF(12, 6), QPointF(12, 8));
        painter.setPen(Qt::NoPen);
        painter.setBrush(muted);
        painter.drawRoundedRect(QRectF(2, 7.5, 12, 8), 1.5, 1.5);
        painter.setBrush(Qt::white);
        painter.drawEllipse(QRectF(6.75, 9.5, 2.5, 2.5));
        painter.drawRect(QRectF(7.5, 11, 1, 2.5));
        return QIcon(pixmap);
    }();
    return icon;
}

// As wide as the lock mark, so that a column's texts line up beside it.
const QIcon& blankIcon() {
    static const QIcon icon = [] {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::transparent);
        return QIcon(pixmap);
    }();
    return icon;
}

} // namespace

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
    std::vector<bool> lockColumn(static_cast<size_t>(model.cols()), false);
    for (int r = model.fixedRows(); r < model.rows(); ++r)
        for (int c = 0; c < model.cols(); ++c)
            if (model.cell(r, c).locked)
                lockColumn[static_cast<size_t>(c)] = true;
    for (int r = 0; r < model.rows(); ++r) {
        for (int c = 0; c < model.cols(); ++c) {
            const GridCell& cell = model.cell(r, c);
            auto* item = this->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                setItem(r, c, item);
            }
            item->setText(toQt(cell.text));
            bool aligned = lockColumn[static_cast<size_t>(c)] && r >= model.fixedRows();
            item->setIcon(cell.locked ? lockIcon() : aligned ? blankIcon() : QIcon());
            item->setToolTip(toQt(cell.toolTip));
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
