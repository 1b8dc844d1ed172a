#include "components/GridRoutine.h"

int GridVertLineWidth(const TGridMetrics &grid)
{
    return grid.FixedVertLines() || grid.VertLines() ? grid.GridLineWidth() : 0;
}

int GridHorzLineWidth(const TGridMetrics &grid)
{
    return grid.FixedHorzLines() || grid.HorzLines() ? grid.GridLineWidth() : 0;
}

int ColumnFillWidth(const TGridMetrics &grid, int target)
{
    const int colCount = grid.ColCount();
    if (target < 0)
        target = colCount - 1;
    int width = grid.ClientWidth();
    const int line = GridVertLineWidth(grid);

    for (int i = 0; i < grid.FixedCols(); ++i)
        width -= grid.ColWidths(i);

    // The first column that is not fully in view still takes room up to the
    // client edge, so it is counted with its line.
    int last = grid.LeftCol() + grid.VisibleColCount();
    if (last < colCount)
        width -= line;
    else
        last -= 1;

    const bool visible = grid.LeftCol() <= target && target <= last;
    for (int i = grid.LeftCol(); i <= last; ++i)
        if (i != target)
            width -= grid.ColWidths(i);
    width -= (grid.VisibleColCount() + grid.FixedCols()) * line;

    if (width < 0)
        width = -line;
    return visible ? width : -width;
}

bool InSizingZone(int edge, int lineWidth, int x)
{
    if (lineWidth >= kSizingZoneWidth)
        return edge - lineWidth <= x && x <= edge;
    const int zoneRight = edge + (kSizingZoneWidth - lineWidth) / 2;
    return zoneRight - (kSizingZoneWidth - 1) <= x && x <= zoneRight;
}

void FitColumnWidth(TGridMetrics &grid, int dataColumn)
{
    const int indicator = grid.IndicatorShown() ? 1 : 0;
    const int dataColumns = grid.ColCount() - indicator;
    if (dataColumn < 0)
        dataColumn = dataColumns - 1;
    if (dataColumn < 0 || dataColumn >= dataColumns)
        return;
    const int target = dataColumn + indicator;
    const int width = ColumnFillWidth(grid, target);
    if (width >= 0)
        grid.SetColWidths(target, width);
}

int GridColumnAtBorder(const TGridMetrics &grid, int x, int y)
{
    if (!grid.ColSizing())
        return -1;
    const int line = GridVertLineWidth(grid);
    const int hline = GridHorzLineWidth(grid);

    int bottom = -1;
    for (int row = 0; row < grid.FixedRows(); ++row)
        bottom += grid.RowHeights(row) + hline;
    if (y < 0 || y > bottom)
        return -1;

    const int colCount = grid.ColCount();
    if (grid.LeftCol() >= colCount)
        return -1;
    int edge = 0;
    for (int i = 0; i < grid.FixedCols(); ++i)
        edge += grid.ColWidths(i) + line;
    edge += grid.ColWidths(grid.LeftCol()) + line;
    int prev = edge;
    int i = grid.LeftCol() + 1;
    while (i < colCount && edge < x) {
        prev = edge;
        edge += grid.ColWidths(i) + line;
        ++i;
    }
    if (edge > grid.GridWidth())
        edge = grid.GridWidth() + line;

    // The border after the walk wins over the one before it.
    if (InSizingZone(edge, line, x))
        return i - 1;
    if (InSizingZone(prev, line, x))
        return i - 2;
    return -1;
}

int ColumnAtBorder(const TGridMetrics &grid, int x, int y)
{
    return GridColumnAtBorder(grid, x, y) - (grid.IndicatorShown() ? 1 : 0);
}
