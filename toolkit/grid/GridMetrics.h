#pragma once

// The metrics of a grid that column fitting computes with. Grid columns are
// counted from 0 including the fixed ones; positions are client coordinates.
// TDBGrid implements it over its widget; TGridGeometry is the plain model.
class TGridMetrics
{
public:
    virtual ~TGridMetrics() = default;

    virtual int ColCount() const = 0;
    virtual int FixedCols() const = 0;
    virtual int FixedRows() const = 0;
    // First scrollable grid column in view.
    virtual int LeftCol() const = 0;
    // Scrollable columns from LeftCol whose right edge, line included, ends
    // no further right than ClientWidth() + one line; LeftCol always counts.
    virtual int VisibleColCount() const = 0;
    virtual int ColWidths(int col) const = 0;
    virtual void SetColWidths(int col, int width) = 0;
    virtual int RowHeights(int row) const = 0;
    virtual int GridLineWidth() const = 0;
    virtual int ClientWidth() const = 0;
    // x just past the last column's right line when every column from
    // LeftCol on fits; otherwise ClientWidth().
    virtual int GridWidth() const = 0;

    virtual bool FixedVertLines() const = 0;
    virtual bool VertLines() const = 0;
    virtual bool FixedHorzLines() const = 0;
    virtual bool HorzLines() const = 0;
    virtual bool ColSizing() const = 0;
    // With the record indicator shown, data column k is grid column k + 1.
    virtual bool IndicatorShown() const = 0;
};
