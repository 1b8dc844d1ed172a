#pragma once

#include "toolkit/gdi/Colors.h"
#include "toolkit/gdi/Font.h"
#include "toolkit/grid/DBGrid.h"

#include <optional>

class TGlyphNavigator;

// What the two windows that show directory rows share: the window font, the
// grid's seven columns, the striped cells and the navigator's glyphs.
namespace DirectoryView {

constexpr int kLastDataColumn = 6;
constexpr TColor kStripeColor = RGB(204, 204, 153);

// "MS Sans Serif", height -11, in the window-text colour.
TFont WindowFont();

// The seven field columns with their widths, titled by their field names,
// and the grid's fonts.
void SetUpColumns(TDBGrid &grid);

// Gives every button of the bar the directory's glyph for it.
void SetStandardGlyphs(TGlyphNavigator &bar);

// The colours a data cell is painted in; empty: as the grid set it. The
// selection wins over the stripe of odd record numbers, and does not depend
// on which window has the focus.
struct TCellColors {
    std::optional<TColor> Brush;
    std::optional<TColor> Font;
};
TCellColors StripedCellColors(int recNo, bool selected);

// The grids' cell handler: asks the data set for the number of the row being
// painted, sets the colours and paints the cell the standard way.
void DrawStripedCell(TDBGrid *grid, const TRect &rect, int dataCol, TColumn *column, TGridDrawState state);

} // namespace DirectoryView
