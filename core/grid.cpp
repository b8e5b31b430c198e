#include "grid.h"

#include <cstdio>

namespace gs {

void GridModel::reset(int rows, int cols, int fixedRows, int fixedCols) {
    m_cols = cols;
    m_fixedRows = fixedRows;
    m_fixedCols = fixedCols;
    m_cells.assign(rows, std::vector<GridCell>(cols));
    m_widths.resize(cols, 0);
    m_aligns.resize(cols, Align::Left);
}

void GridModel::addRow() {
    m_cells.emplace_back(m_cols);
}

void GridModel::setColumnWidth(int col, int twips) {
    if (col >= static_cast<int>(m_widths.size()))
        m_widths.resize(col + 1, 0);
    m_widths[col] = twips;
}

int GridModel::columnWidth(int col) const {
    return col < static_cast<int>(m_widths.size()) ? m_widths[col] : 0;
}

void GridModel::setColumnAlign(int col, Align align) {
    if (col >= static_cast<int>(m_aligns.size()))
        m_aligns.resize(col + 1, Align::Left);
    m_aligns[col] = align;
}

Align GridModel::columnAlign(int col) const {
    return col < static_cast<int>(m_aligns.size()) ? m_aligns[col] : Align::Left;
}

std::string GridModel::dump() const {
    std::string out;
    for (const auto& row : m_cells) {
        for (int c = 0; c < m_cols; ++c) {
            if (c > 0)
                out += " | ";
            const GridCell& cell = row[c];
            out += cell.locked ? "(L)" : "";
            out += cell.bold ? "*" + cell.text + "*" : cell.text;
            if (cell.textColor) {
                char colour[16];
                std::snprintf(colour, sizeof colour, "{#%06X}", *cell.textColor);
                out += colour;
            }
            if (cell.background) {
                char colour[16];
                std::snprintf(colour, sizeof colour, "[#%06X]", *cell.background);
                out += colour;
            }
        }
        out += '\n';
    }
    return out;
}

} // namespace gs
