#pragma once

#include "toolkit/db/Field.h"
#include "toolkit/gdi/Canvas.h"

#include <QString>

// Sizes of the data grid's classic look, in pixels.
inline constexpr int kGridBorderWidth = 2;
inline constexpr int kIndicatorColumnWidth = 11;
inline constexpr int kCellTextMargin = 2;
// Room above and below the text of a row, beyond the font's text height.
inline constexpr int kRowTextPadding = 3;
inline constexpr int kMinSizedColumnWidth = 1;
inline constexpr int kSizingLineWidth = 1;
// The most characters a pixel of cell width can show.
inline constexpr int kVisibleCharactersPerPixel = 2;

enum class TIndicatorMark { None, Current, Editing, Inserting };

// Colour choice of the grid, kept apart from the painters below.
// Lines between fixed cells are dark; lines between data cells are light and
// stay visible on a silver grid.
TColor FixedLineColor();
TColor DataLineColor(TColor gridColor);
TColor IndicatorMarkColor();

// The grid's sunken 3-D border, kGridBorderWidth wide, inside `outer`.
void PaintSunkenBorder(TCanvas &canvas, const TRect &outer);
// A fixed cell drawn as a raised button in `face`.
void PaintFixedCell(TCanvas &canvas, const TRect &cell, TColor face);
// A title cell: raised button with its caption in the canvas font.
void PaintTitleCell(TCanvas &canvas, const TRect &cell, TColor face, const QString &caption);
// An indicator cell: raised button with the mark of the row.
void PaintIndicatorCell(TCanvas &canvas, const TRect &cell, TColor face, TIndicatorMark mark);
// The cell filled with the canvas brush and the text written in the canvas
// font, aligned inside a kCellTextMargin margin and clipped to the cell. Only
// the part of a very long text that can reach the cell is laid out.
void PaintCellText(TCanvas &canvas, const TRect &cell, TAlignment alignment, const QString &text);
