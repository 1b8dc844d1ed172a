#pragma once

#include "toolkit/gdi/Colors.h"

class TBitmapPixels;

enum TBrushStyle { bsSolid, bsClear };

// The brush of a canvas: a solid colour, nothing (bsClear), or a pattern
// bitmap tiled from the canvas origin. The pattern is not owned and must
// outlive its use; a monochrome pattern paints its black pixels in the
// canvas's text colour and its white pixels in its background colour.
class TBrush
{
public:
    TColor Color() const { return m_color; }
    void SetColor(TColor color) { m_color = color; }
    TBrushStyle Style() const { return m_style; }
    void SetStyle(TBrushStyle style) { m_style = style; }
    const TBitmapPixels *Bitmap() const { return m_bitmap; }
    void SetBitmap(const TBitmapPixels *pattern) { m_bitmap = pattern; }

    // Whether filling with this brush paints anything.
    bool Paints() const { return m_bitmap != nullptr || m_style != bsClear; }

    friend bool operator==(const TBrush &, const TBrush &) = default;

private:
    TColor m_color = clWhite;
    TBrushStyle m_style = bsSolid;
    const TBitmapPixels *m_bitmap = nullptr;
};
