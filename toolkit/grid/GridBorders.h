#pragma once

#include "toolkit/grid/GridMetrics.h"

// Where a grid's column borders lie and which of them the mouse can size.
// Computed from the metrics on every call, in time linear in the column
// count.

// Width of the sizing zone around a column border, in pixels.
inline constexpr int kSizingZoneWidth = 8;

// The grid-line width when the grid draws vertical (horizontal) lines in its
// fixed or its scrollable area, else 0.
int VertLineWidth(const TGridMetrics &grid);
int HorzLineWidth(const TGridMetrics &grid);

// Whether x lies in the sizing zone of a border whose line ends before
// `edge` and is `lineWidth` wide.
bool InBorderSizingZone(int edge, int lineWidth, int x);

// Grid column whose right border lies under (x, y) in the title rows, or -1;
// nothing when the grid does not let the user size columns.
int ColumnBorderAt(const TGridMetrics &grid, int x, int y);
