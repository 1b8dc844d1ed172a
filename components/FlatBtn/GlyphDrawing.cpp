#include "components/FlatBtn/GlyphDrawing.h"

#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"

namespace {

constexpr QRgb kRgbMask = 0x00FFFFFFu;

bool sameColour(QRgb pixel, QRgb colour)
{
    return (pixel & kRgbMask) == (colour & kRgbMask);
}

// A device bitmap with the glyph's pixels, the transparent colour replaced.
TBitmap withColourReplaced(const TBitmap &glyph, QRgb from, QRgb to)
{
    TBitmap work(glyph.Width(), glyph.Height());
    const QImage &source = glyph.Image();
    QImage &target = work.Image();
    for (int y = 0; y < glyph.Height(); ++y)
        for (int x = 0; x < glyph.Width(); ++x) {
            const QRgb pixel = source.pixel(x, y);
            target.setPixel(x, y, sameColour(pixel, from) ? to : pixel);
        }
    return work;
}

// Paints colour wherever the glyph has a black pixel, shifted by (dx, dy);
// the rest of the target stays as it is.
void paintThroughBlackPixels(TBitmap &target, const TBitmap &glyph, int dx, int dy, TColor colour)
{
    const QImage &source = glyph.Image();
    const QRgb black = ToQRgb(clBlack);
    for (int y = 0; y < glyph.Height(); ++y)
        for (int x = 0; x < glyph.Width(); ++x)
            if (sameColour(source.pixel(x, y), black))
                target.Canvas().SetPixel(x + dx, y + dy, colour);
}

} // namespace

void DrawTransparentGlyph(TCanvas &target, int x, int y, const TBitmap &glyph, TColor transparentColor)
{
    if (glyph.Empty())
        return;
    const QRgb transparent = ToQRgb(transparentColor);
    TBitmap andPart = withColourReplaced(glyph, transparent, ToQRgb(clWhite));
    TBitmap orPart = withColourReplaced(glyph, transparent, ToQRgb(clBlack));
    const int w = glyph.Width(), h = glyph.Height();
    target.BitBlt(x, y, w, h, andPart.Canvas(), 0, 0, SRCAND);
    target.BitBlt(x, y, w, h, orPart.Canvas(), 0, 0, SRCPAINT);
}

TBitmap MakeDisabledGlyph(const TBitmap &glyph)
{
    TBitmap result(glyph.Width(), glyph.Height());
    if (result.Empty())
        return result;
    result.Canvas().Brush().SetStyle(bsSolid);
    result.Canvas().Brush().SetColor(clBtnFace);
    result.Canvas().FillRect({0, 0, glyph.Width(), glyph.Height()});
    constexpr int kHighlightOffset = 1;
    paintThroughBlackPixels(result, glyph, kHighlightOffset, kHighlightOffset, clBtnHighlight);
    paintThroughBlackPixels(result, glyph, 0, 0, clBtnShadow);
    return result;
}
