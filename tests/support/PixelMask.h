#pragma once

#include "toolkit/gdi/Colors.h"
#include "toolkit/gdi/Geometry.h"

#include <QImage>
#include <string>

// The pixels of an area as text, one line per row: '#' where the pixel
// differs from the background, '.' where it does not.
inline std::string PixelMask(const QImage &image, const TRect &area, TColor background = clWhite)
{
    std::string out;
    const QRgb bg = ToQRgb(background) & 0x00FFFFFF;
    for (int y = area.Top; y < area.Bottom; ++y) {
        for (int x = area.Left; x < area.Right; ++x)
            out += (image.pixel(x, y) & 0x00FFFFFF) == bg ? '.' : '#';
        out += '\n';
    }
    return out;
}

// An image of the given size filled with a colour.
inline QImage FilledImage(int width, int height, TColor color = clWhite)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(ToQRgb(color));
    return image;
}

inline TColor PixelAt(const QImage &image, int x, int y)
{
    return FromQRgb(image.pixel(x, y));
}
