#pragma once

#include "toolkit/gdi/Colors.h"

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

// How a pen's colour meets the pixels below: copy, invert the pixels, or
// exclusive-or them with the pen's colour.
enum TPenMode { pmCopy, pmNot, pmXor };

// The pen of a canvas. Width 1 (and 0) is the thin pen whose styled
// patterns apply; wider pens are solid and centred on the figure's path.
class TPen
{
public:
    TColor Color() const { return m_color; }
    void SetColor(TColor color) { m_color = color; }
    int Width() const { return m_width; }
    void SetWidth(int width) { m_width = width < 1 ? 1 : width; }
    TPenStyle Style() const { return m_style; }
    void SetStyle(TPenStyle style) { m_style = style; }
    TPenMode Mode() const { return m_mode; }
    void SetMode(TPenMode mode) { m_mode = mode; }

    friend bool operator==(const TPen &, const TPen &) = default;

private:
    TColor m_color = clBlack;
    int m_width = 1;
    TPenStyle m_style = psSolid;
    TPenMode m_mode = pmCopy;
};
