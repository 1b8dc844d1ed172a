#pragma once

#include "toolkit/gdi/Geometry.h"

class TBitmap;
class TCanvas;
class TSkinLook;
class TMenuItem;

// Where the parts of one item go, in the coordinates of the off-screen
// surface the item is composed on.
struct TSkinItemGeometry {
    TSize Surface; // W + 4 by H for a popup item, W by H for a bar item
    TPoint CopyTo; // where the surface lands on the target
    TRect Work;    // R: for a popup item one row deeper than the surface
    TRect Icon;    // I: the icon column
    TRect Mark;    // M: the check box or glyph box
    TRect Text;    // X: caption and shortcut
    TRect Full;    // F: Work with four more columns on the left
};

// Measures and draws the menu items a flat skin has hooked, in its flat
// look: icon column, dimmed glyphs, framed selection, shadowed bar item.
class TSkinMenuPainter
{
public:
    explicit TSkinMenuPainter(TSkinLook &skin)
        : m_skin(skin)
    { }

    // Width and Height arrive holding the standard size and are only raised,
    // except that a separator is always 4 high.
    void Measure(TMenuItem &item, TCanvas &canvas, int &width, int &height) const;
    void Draw(TMenuItem &item, TCanvas &target, const TRect &rect, bool selected) const;

    TSkinItemGeometry Geometry(const TRect &itemRect, bool barItem, bool rightToLeft, int glyphWidth) const;
    // The item's glyph composed on the transparent key colour; empty (width
    // 0) when the item has no picture.
    TBitmap ComposeGlyph(const TMenuItem &item) const;

private:
    void DrawBackground(TCanvas &surface, const TSkinItemGeometry &g, bool barItem, bool rightToLeft) const;
    // Returns whether the item was drawn lit (selected or hot).
    bool DrawSelection(TCanvas &surface, const TSkinItemGeometry &g, const TMenuItem &item, const TRect &itemRect,
                       bool barItem, bool rightToLeft, bool selected) const;
    void DrawCaption(TCanvas &surface, TSkinItemGeometry g, const TMenuItem &item, bool barItem, bool rightToLeft,
                     bool selected) const;
    void RequestFlatFrame(TMenuItem &item, bool rightToLeft) const;

    TSkinLook &m_skin;
};
