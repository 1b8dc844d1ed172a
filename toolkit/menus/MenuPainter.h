#pragma once

#include "toolkit/gdi/Geometry.h"

#include <QImage>
#include <QSize>

class TCanvas;
class TMenuItem;

// How a bar item looks at the moment; later states win over earlier ones
// (an open item is drawn pressed even while the pointer is over it).
enum class TBarItemLook { Normal, Hot, Pressed };

// Where the parts of one popup item go, inside the item's rectangle.
struct TPopupItemLayout
{
    TRect Check;    // the check column: glyph or check mark
    TRect Caption;  // caption and, right-aligned in it, the shortcut
    TRect Arrow;    // the sub-menu arrow
};

// The standard, classic look of menus. Owner-drawn items bypass it.
class TMenuPainter
{
public:
    // The picture an item shows, transparent pixels at alpha 0: an image from
    // its image list (which wins), else its own bitmap with the bottom-left
    // colour taken out; a null image when the item has neither.
    static QImage ItemGlyph(const TMenuItem &Item);
    // The width of the check column of a popup showing glyphs this wide.
    static int CheckColumnWidth(int WidestGlyph);

    static QSize MeasureBarItem(const TMenuItem &Item);
    static QSize MeasurePopupItem(const TMenuItem &Item, int CheckColumn);
    static TPopupItemLayout PopupItemLayout(const TRect &Item, int CheckColumn, bool RightToLeft);

    static void DrawBarBackground(TCanvas &Canvas, const TRect &Band);
    static void DrawBarItem(TCanvas &Canvas, const TMenuItem &Item, const TRect &Rect, TBarItemLook Look,
                            bool RightToLeft);
    static void DrawPopupFrame(TCanvas &Canvas, const TRect &Window);
    static void DrawPopupItem(TCanvas &Canvas, const TMenuItem &Item, const TRect &Rect, bool Selected,
                              int CheckColumn, bool RightToLeft);
    // The platform draws the sub-menu arrow of an owner-drawn item itself,
    // over what the handler drew, in the menu text colour: the owner paints
    // the selection, and its colours are unknown here.
    static void DrawOwnerDrawnArrow(TCanvas &Canvas, const TMenuItem &Item, const TRect &Rect, bool RightToLeft);
};
