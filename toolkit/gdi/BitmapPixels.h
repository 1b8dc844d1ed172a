#pragma once

#include "toolkit/gdi/Colors.h"

#include <QImage>
#include <QVector>

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };

// tmAuto takes the transparent colour from the bottom-left pixel;
// tmFixed uses the colour set with SetTransparentColor.
enum TTransparentMode { tmAuto, tmFixed };

// What a canvas reads of a bitmap that it draws or tiles as a brush: the
// pixels, kept as 32-bit RGB, the format and palette they came with, and
// the transparent colour. A bitmap of zero width or height is empty.
class TBitmapPixels
{
public:
    int Width() const { return m_image.width(); }
    int Height() const { return m_image.height(); }
    bool Empty() const { return m_image.isNull(); }

    TPixelFormat PixelFormat() const { return m_format; }
    const QVector<QRgb> &Palette() const { return m_palette; }

    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool transparent) { m_transparent = transparent; }
    TTransparentMode TransparentMode() const { return m_transparentMode; }
    void SetTransparentMode(TTransparentMode mode) { m_transparentMode = mode; }
    // The bottom-left pixel under tmAuto (clNone for an empty bitmap).
    TColor TransparentColor() const;
    // Sets the colour and switches to tmFixed.
    void SetTransparentColor(TColor color);

    const QImage &Image() const { return m_image; }
    QImage &Image() { return m_image; }

protected:
    QImage m_image;
    TPixelFormat m_format = pfDevice;
    QVector<QRgb> m_palette;
    bool m_transparent = false;
    TTransparentMode m_transparentMode = tmAuto;
    TColor m_transparentColor = clNone;
};
