#include "toolkit/grid/GridBorders.h"

int VertLineWidth(const TGridMetrics &grid)
{
    return grid.FixedVertLines() || grid.VertLines() ? grid.GridLineWidth() : 0;
}

int HorzLineWidth(const TGridMetrics &grid)
{
    return grid.FixedHorzLines() || grid.HorzLines() ? grid.GridLineWidth() : 0;
}

bool InBorderSizingZone(int edge, int lineWidth, int x)
{
    if (lineWidth >= kSizingZoneWidth)
        return edge - lineWidth <= x && x <= edge;
    const int zoneRight = edge + (kSizingZoneWidth - lineWidth) / 2;
    return zoneRight - (kSizingZoneWidth - 1) <= x && x <= zoneRight;
}

int ColumnBorderAt(const TGridMetrics &grid, int x, int y)
{
    if (!grid.ColSizing())
        return -1;
    const int line = VertLineWidth(grid);
    const int hline = HorzLineWidth(grid);

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
    if (InBorderSizingZone(edge, line, x))
        return i - 1;
    if (InBorderSizingZone(prev, line, x))
        return i - 2;
    return -1;
}
