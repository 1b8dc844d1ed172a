#include "toolkit/gdi/BitmapPixels.h"

TColor TBitmapPixels::TransparentColor() const
{
    if (m_transparentMode == tmFixed)
        return m_transparentColor;
    if (Empty())
        return clNone;
    return FromQRgb(m_image.pixel(0, Height() - 1));
}

void TBitmapPixels::SetTransparentColor(TColor color)
{
    m_transparentColor = color;
    m_transparentMode = tmFixed;
}
