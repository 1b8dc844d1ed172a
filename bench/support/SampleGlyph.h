#pragma once

#include "toolkit/gdi/Colors.h"

#include <QImage>

// A glyph as the benchmarks' image lists hold it: a shaded block on the
// fuchsia key colour, so that masked drawing has work to do.
inline QImage SampleGlyph(int size)
{
    QImage picture(size, size, QImage::Format_RGB32);
    picture.fill(ToQRgb(clFuchsia));
    for (int y = 3; y < size - 3; ++y)
        for (int x = 2; x < size - 2; ++x)
            picture.setPixel(x, y, ToQRgb(RGB(40 + 10 * x, 120, 20 + 10 * y)));
    return picture;
}
