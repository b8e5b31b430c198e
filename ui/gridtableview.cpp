#include "gridtableview.h"

#include "gridtablemodel.h"
#include "textconv.h"

#include <QHeaderView>
#include <QPalette>
#include <algorithm>

namespace gs {

namespace {

// Columns the grid leaves at its default width.
constexpr int kDefaultColumnTwips = 1000;
// The average character width, in pixels, of the font the twips were made for.
constexpr double kOriginalCharWidth = 5.0;
constexpr double kTwipsPerRow = 300.0;

} // namespace

GridTableView::GridTableView(QWidget* parent) : QTableView(parent) {
    // The cells keep their own colours whatever the desktop's theme: the
    // result marks were chosen to read on them.
    QPalette cells = palette();
    cells.setColor(QPalette::Base, toQColor(kGridCell));
    cells.setColor(QPalette::Text, toQColor(kBlack));
    setPalette(cells);
    m_model = new GridTableModel(this);
    setModel(m_model);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::StrongFocus);
    setWordWrap(false);
    connect(this, &QTableView::clicked, this, [this](const QModelIndex& index) {
        if (onCellClicked && index.isValid())
            onCellClicked(index.row() + m_model->headerRows(), index.column());
    });
}

void GridTableView::render(const GridModel& grid) {
    // A reset view forgets its column widths.
    if (m_model->setGrid(&grid))
        m_widths.clear();
    horizontalHeader()->setVisible(m_model->headerRows() > 0);
    m_widths.resize(static_cast<size_t>(grid.cols()), -1);
    for (int c = 0; c < grid.cols(); ++c) {
        int twips = grid.columnWidth(c);
        int width = pixelsForWidth(twips > 0 ? twips : kDefaultColumnTwips);
        // Widths the person dragged stay until the grid's own change.
        if (m_widths[static_cast<size_t>(c)] != width) {
            m_widths[static_cast<size_t>(c)] = width;
            setColumnWidth(c, width);
        }
    }
}

void GridTableView::setCompactRows() {
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 2);
}

void GridTableView::detach() {
    m_model->setGrid(nullptr);
    m_widths.clear();
}

int GridTableView::pixelsForWidth(int twips) const {
    double scale = std::max(1.0, fontMetrics().averageCharWidth() / kOriginalCharWidth);
    return static_cast<int>(twipsToPixels(twips) * scale + 0.5);
}

int GridTableView::pixelsForHeight(int twips) const {
    double rows = twips / kTwipsPerRow;
    return static_cast<int>(rows * verticalHeader()->defaultSectionSize() + 0.5) + 2 * frameWidth();
}

QModelIndex GridTableView::indexOf(int row, int col) const {
    return m_model->index(row - m_model->headerRows(), col);
}

} // namespace gs
