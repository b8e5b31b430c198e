#pragma once

// A grid as a panel shows it: rows by columns of cells with text, bold and
// colours, fixed header rows and columns, and column widths in twips
// (1/1440 inch; 15 twips make one pixel at 96 dpi). The window renders it;
// tests compare its text dump.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace gs {

using Rgb = uint32_t; // 0xRRGGBB

inline constexpr Rgb kBlack = 0x000000;
inline constexpr Rgb kWhite = 0xFFFFFF;
// The colours of a grid's own cells: white, and the header rows and columns.
inline constexpr Rgb kGridCell = kWhite;
inline constexpr Rgb kFixedCell = 0xF0F0F0;
// A winning and a losing pick as text on the grid's cells; dark enough to
// read at 4.5:1 on both kinds of cell.
inline constexpr Rgb kGreen = 0x007A00;
inline constexpr Rgb kRed = 0xC00000;
// The same marks as a cell's background under black text.
inline constexpr Rgb kGreenCell = 0x00C000;
inline constexpr Rgb kRedCell = 0xFF0000;
// The text of a row that can no longer change (a game that kicked off):
// muted, yet 4.5:1 on the grid's cells and on its header colour.
inline constexpr Rgb kMutedText = 0x5E5E5E;

enum class Align { Left, Center, Right };

struct GridCell {
    std::string text;
    bool bold = false;
    std::optional<Rgb> textColor;
    std::optional<Rgb> background;
    // Drawn with a lock mark: the cell's game can no longer be picked.
    bool locked = false;
    std::string toolTip; // shown when the pointer rests on the cell
};

class GridModel {
public:
    // Empties the grid and gives it this shape; every cell becomes plain.
    void reset(int rows, int cols, int fixedRows = 1, int fixedCols = 0);
    void addRow();

    int rows() const { return static_cast<int>(m_cells.size()); }
    int cols() const { return m_cols; }
    int fixedRows() const { return m_fixedRows; }
    int fixedCols() const { return m_fixedCols; }

    GridCell& cell(int row, int col) { return m_cells.at(row).at(col); }
    const GridCell& cell(int row, int col) const { return m_cells.at(row).at(col); }
    void setText(int row, int col, std::string text) { cell(row, col).text = std::move(text); }

    void setColumnWidth(int col, int twips);
    int columnWidth(int col) const;
    void setColumnAlign(int col, Align align);
    Align columnAlign(int col) const;

    // One line a row, cells joined by " | "; a bold cell is written *text*, a
    // coloured one text{#RRGGBB}, one on a coloured background text[#RRGGBB],
    // a locked one with a leading "(L)".
    // Header rows are included.
    std::string dump() const;

private:
    int m_cols = 0;
    int m_fixedRows = 0;
    int m_fixedCols = 0;
    std::vector<std::vector<GridCell>> m_cells;
    std::vector<int> m_widths;
    std::vector<Align> m_aligns;
};

// A button or label as a panel shows it.
struct ControlModel {
    std::string caption;
    bool visible = false;
    bool enabled = true;
    std::string toolTip = {}; // why it is disabled, when that needs saying
};

// A progress bar: shown while a long command runs.
struct ProgressModel {
    bool visible = false;
    int minimum = 0;
    int maximum = 0;
    int value = 0;
};

// A list box: its entries and the selected index (-1 for none).
struct ListModel {
    std::vector<std::string> entries;
    int selected = -1;
};

} // namespace gs
