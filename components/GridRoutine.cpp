#include "components/GridRoutine.h"

int GridVertLineWidth(const TGridMetrics &grid)
{
    return VertLineWidth(grid);
}

int GridHorzLineWidth(const TGridMetrics &grid)
{
    return HorzLineWidth(grid);
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
    return InBorderSizingZone(edge, lineWidth, x);
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
    return ColumnBorderAt(grid, x, y);
}

int ColumnAtBorder(const TGridMetrics &grid, int x, int y)
{
    return GridColumnAtBorder(grid, x, y) - (grid.IndicatorShown() ? 1 : 0);
}
