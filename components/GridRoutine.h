#pragma once

#include "toolkit/grid/GridBorders.h"

// Column fitting over a grid's metrics. Nothing is stored between calls;
// every routine is linear in the column count and allocates nothing. The
// border geometry is the toolkit grid's own (GridBorders); the routines here
// answer for it under the names the windows use.

// The grid-line width when the grid draws vertical (horizontal) lines in its
// fixed or its scrollable area, else 0.
int GridVertLineWidth(const TGridMetrics &grid);
int GridHorzLineWidth(const TGridMetrics &grid);

// Width that grid column `target` (negative: the last) must take so that the
// fixed columns, the other columns in view and one line per column fill the
// client width; -line width when they already overflow it. The sign is
// turned when the target is out of view.
int ColumnFillWidth(const TGridMetrics &grid, int target);

// Whether x lies in the sizing zone of a border whose line ends before
// `edge` and is `lineWidth` wide.
bool InSizingZone(int edge, int lineWidth, int x);

// Sets data column `dataColumn` (negative: the last) to its fill width when
// that is not negative. Columns the grid does not have are left alone.
void FitColumnWidth(TGridMetrics &grid, int dataColumn);

// Grid column whose right border lies under (x, y) in the title rows, or -1.
int GridColumnAtBorder(const TGridMetrics &grid, int x, int y);

// The same as a data column (negative when the border is the indicator's or
// none).
int ColumnAtBorder(const TGridMetrics &grid, int x, int y);
