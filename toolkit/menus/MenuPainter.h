#pragma once

#include "toolkit/gdi/Geometry.h"
#include "toolkit/menus/MenuItemFace.h"

#include <QSize>

class TCanvas;

// How a bar item looks at the moment; later states win over earlier ones
// (an open item is drawn pressed even while the pointer is over it).
enum class TBarItemLook { Normal, Hot, Pressed };

// Where the parts of one popup item go, inside the item's rectangle.
struct TPopupItemLayout {
    TRect Check;   // the check column: glyph or check mark
    TRect Caption; // caption and, right-aligned in it, the shortcut
    TRect Arrow;   // the sub-menu arrow
};

// The standard, classic look of menus. Owner-drawn items bypass it. It
// draws what a face holds and knows nothing of menus and their items.
class TMenuPainter
{
public:
    // The width of the check column of a popup showing glyphs this wide.
    static int CheckColumnWidth(int widestGlyph);

    static QSize MeasureBarItem(const TMenuItemFace &item);
    static QSize MeasurePopupItem(const TMenuItemFace &item, int checkColumn);
    static TPopupItemLayout PopupItemLayout(const TRect &item, int checkColumn, bool rightToLeft);

    static void DrawBarBackground(TCanvas &canvas, const TRect &band);
    static void DrawBarItem(TCanvas &canvas, const TMenuItemFace &item, const TRect &rect, TBarItemLook look,
                            bool rightToLeft);
    static void DrawPopupFrame(TCanvas &canvas, const TRect &window);
    static void DrawPopupItem(TCanvas &canvas, const TMenuItemFace &item, const TRect &rect, bool selected,
                              int checkColumn, bool rightToLeft);
    // The platform draws the sub-menu arrow of an owner-drawn item that has
    // one itself, over what the handler drew, in the menu text colour: the
    // owner paints the selection, and its colours are unknown here.
    static void DrawOwnerDrawnArrow(TCanvas &canvas, const TRect &rect, bool enabled, bool rightToLeft);
};
