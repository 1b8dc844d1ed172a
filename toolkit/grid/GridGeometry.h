#pragma once

#include "toolkit/grid/GridMetrics.h"

#include <optional>
#include <vector>

// Horizontal extent of a column or vertical extent of a row in client
// coordinates: the cell covers [Start, End); its line follows at End.
struct TGridSpan {
    int Start = 0;
    int End = 0;
    bool operator==(const TGridSpan &) const = default;
};

// The plain geometry of a grid: column widths, fixed columns and rows, the
// left column, equal row heights, the line width and options and the client
// size. Every answer is computed from these on demand, in time linear in the
// column count and independent of the number of records.
class TGridGeometry : public TGridMetrics
{
public:
    static constexpr int kDefaultGridLineWidth = 1;

    void SetColumnWidths(std::vector<int> widths);
    void SetFixedCols(int count);
    void SetFixedRows(int count);
    void SetLeftCol(int col);
    void SetDefaultRowHeight(int height);
    void SetGridLineWidth(int width);
    void SetClientSize(int width, int height);
    void SetLines(bool fixedVert, bool vert, bool fixedHorz, bool horz);
    void SetColSizing(bool on);
    void SetIndicatorShown(bool on);

    int ColCount() const override { return int(m_colWidths.size()); }
    int FixedCols() const override { return m_fixedCols; }
    int FixedRows() const override { return m_fixedRows; }
    int LeftCol() const override { return m_leftCol; }
    int VisibleColCount() const override;
    int ColWidths(int col) const override;
    void SetColWidths(int col, int width) override;
    int RowHeights(int row) const override;
    int GridLineWidth() const override { return m_gridLineWidth; }
    int ClientWidth() const override { return m_clientWidth; }
    int GridWidth() const override;
    bool FixedVertLines() const override { return m_fixedVertLines; }
    bool VertLines() const override { return m_vertLines; }
    bool FixedHorzLines() const override { return m_fixedHorzLines; }
    bool HorzLines() const override { return m_horzLines; }
    bool ColSizing() const override { return m_colSizing; }
    bool IndicatorShown() const override { return m_indicatorShown; }

    int ClientHeight() const { return m_clientHeight; }
    int DefaultRowHeight() const { return m_defaultRowHeight; }
    // Line widths the layout reserves: one line after every column (row)
    // when any area draws vertical (horizontal) lines.
    int VertLineWidth() const;
    int HorzLineWidth() const;

    // Extent of a fixed column or of a scrollable column from LeftCol on
    // that starts inside the client area; nothing for columns out of view.
    std::optional<TGridSpan> ColumnSpan(int col) const;
    // Extent of grid row `row` (fixed rows first, then data rows in view).
    TGridSpan RowSpan(int row) const;
    // Data rows that start inside the client area (the last may be cut off),
    // and those shown whole (at least 1, the paging step).
    int VisibleDataRows() const;
    int WholeDataRows() const;
    // Grid column / grid row under a client point, lines included in the
    // cell before them; -1 outside every cell.
    int ColumnAt(int x) const;
    int RowAt(int y) const;
    // Largest left column that still shows the last column whole.
    int MaxLeftCol() const;
    // Moves LeftCol as little as possible so that `col` is fully in view.
    void ScrollColumnIntoView(int col);

private:
    int ClampedLeftCol(int col) const;

    std::vector<int> m_colWidths;
    int m_fixedCols = 0;
    int m_fixedRows = 0;
    int m_leftCol = 0;
    int m_defaultRowHeight = 17;
    int m_gridLineWidth = kDefaultGridLineWidth;
    int m_clientWidth = 0;
    int m_clientHeight = 0;
    bool m_fixedVertLines = true;
    bool m_vertLines = true;
    bool m_fixedHorzLines = true;
    bool m_horzLines = true;
    bool m_colSizing = true;
    bool m_indicatorShown = false;
};
