#pragma once

#include "toolkit/gdi/Geometry.h"

class TBitmap;
class TCanvas;
class TFlatSkin;
class TMenuItem;

// Where the parts of one item go, in the coordinates of the off-screen
// surface the item is composed on.
struct TSkinItemGeometry {
    TSize Surface;    // W + 4 by H for a popup item, W by H for a bar item
    TPoint CopyTo;    // where the surface lands on the target
    TRect Work;       // R: for a popup item one row deeper than the surface
    TRect Icon;       // I: the icon column
    TRect Mark;       // M: the check box or glyph box
    TRect Text;       // X: caption and shortcut
    TRect Full;       // F: Work with four more columns on the left
};

// Measures and draws the menu items a TFlatSkin has hooked, in its flat
// look: icon column, dimmed glyphs, framed selection, shadowed bar item.
class TSkinMenuPainter
{
public:
    explicit TSkinMenuPainter(TFlatSkin &Skin) : m_skin(Skin) {}

    // Width and Height arrive holding the standard size and are only raised,
    // except that a separator is always 4 high.
    void Measure(TMenuItem &Item, TCanvas &Canvas, int &Width, int &Height) const;
    void Draw(TMenuItem &Item, TCanvas &Target, const TRect &Rect, bool Selected) const;

    TSkinItemGeometry Geometry(const TRect &ItemRect, bool BarItem, bool RightToLeft, int GlyphWidth) const;
    // The item's glyph composed on the transparent key colour; empty (width
    // 0) when the item has no picture.
    TBitmap ComposeGlyph(const TMenuItem &Item) const;

private:
    void DrawBackground(TCanvas &Surface, const TSkinItemGeometry &G, bool BarItem, bool RightToLeft) const;
    // Returns whether the item was drawn lit (selected or hot).
    bool DrawSelection(TCanvas &Surface, const TSkinItemGeometry &G, const TMenuItem &Item, const TRect &ItemRect,
                       bool BarItem, bool RightToLeft, bool Selected) const;
    void DrawCaption(TCanvas &Surface, TSkinItemGeometry G, const TMenuItem &Item, bool BarItem, bool RightToLeft,
                     bool Selected) const;
    void RequestFlatFrame(TMenuItem &Item, bool RightToLeft) const;

    TFlatSkin &m_skin;
};
