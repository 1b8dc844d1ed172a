#include "toolkit/gdi/Canvas.h"

#include "toolkit/gdi/BitmapPixels.h"

#include <cstdint>
#include <vector>

namespace {

// For the target's image pixels [from, to) of a copy from the logical span
// (sourceStart, sourceLength) to (boxStart, boxLength): the source image
// pixel each one takes, or -1 outside the source. Under the unit scale this
// is the platform's stretch rule, column by column.
std::vector<int> SourcePixels(const TScaledAxis &target, int from, int to, int boxStart, int boxLength,
                              const TScaledAxis &source, int sourceStart, int sourceLength, bool mirror)
{
    std::vector<int> pixels(std::size_t(std::max(0, to - from)), -1);
    if (boxLength <= 0 || sourceLength <= 0)
        return pixels;
    for (int device = from; device < to; ++device) {
        const int logical = target.LogicalOf(device);
        const int blockWidth = target.Edge(logical + 1) - target.Edge(logical);
        int within = device - target.Edge(logical);
        int offset = int((std::int64_t(logical - boxStart) * sourceLength) / boxLength);
        if (mirror) {
            offset = sourceLength - 1 - offset;
            within = blockWidth - 1 - within;
        }
        const int sourceLogical = sourceStart + offset;
        const int sourceBlock = source.Edge(sourceLogical + 1) - source.Edge(sourceLogical);
        const int pixel = source.Edge(sourceLogical) + (blockWidth > 0 ? within * sourceBlock / blockWidth : 0);
        if (pixel >= 0 && pixel < source.deviceExtent)
            pixels[std::size_t(device - from)] = pixel;
    }
    return pixels;
}

} // namespace

void TCanvas::Blit(const TRect &dest, const TCanvas *source, const TRect &sourceRect, TRasterOp rop, bool withSource)
{
    if (!Drawable())
        return;
    const unsigned code = TernaryCode(rop);
    const bool needsSource = withSource && UsesSource(code);
    if (needsSource && (!source || !source->Drawable()))
        return;
    const TRect box = dest.Normalized();
    if (box.IsEmpty())
        return;
    const bool mirrorX = (dest.Width() < 0) != (sourceRect.Width() < 0);
    const bool mirrorY = (dest.Height() < 0) != (sourceRect.Height() < 0);
    const TRect src = sourceRect.Normalized();
    if (needsSource && src.IsEmpty())
        return;
    const TRect area = box.Intersected(WritableArea());
    const bool sourceMono = needsSource && source->m_palette.IsMonochrome();
    const bool targetMono = m_palette.IsMonochrome();
    const QRgb text = Resolve(m_state.textColor) & kRgbBits;
    const QRgb background = Resolve(m_state.bkColor) & kRgbBits;
    const QRgb sourceBackground = needsSource ? (source->Resolve(source->m_state.bkColor) & kRgbBits) : 0;
    const bool patterned = m_state.brush.Bitmap() && !m_state.brush.Bitmap()->Empty();
    const QRgb solidPattern = m_state.brush.Paints() ? Resolve(m_state.brush.Color()) & kRgbBits : 0;

    // Each target pixel takes the source pixel that the logical rule gives;
    // within a logical pixel the image's own pixels correspond one to one
    // as far as the blocks allow, so that copied text keeps its strokes.
    const std::vector<int> sourceRows =
        SourcePixels(AxisY(), ToSurface(area).Top, ToSurface(area).Bottom, box.Top, box.Height(),
                     needsSource ? source->AxisY() : TScaledAxis{}, src.Top, src.Height(), mirrorY);
    const std::vector<int> sourceColumns =
        SourcePixels(AxisX(), ToSurface(area).Left, ToSurface(area).Right, box.Left, box.Width(),
                     needsSource ? source->AxisX() : TScaledAxis{}, src.Left, src.Width(), mirrorX);
    const TRect areaSurface = ToSurface(area);
    for (int y = areaSurface.Top; y < areaSurface.Bottom; ++y) {
        const QRgb *sourceLine = nullptr;
        if (needsSource) {
            const int sy = sourceRows[std::size_t(y - areaSurface.Top)];
            if (sy < 0)
                continue;
            sourceLine = reinterpret_cast<const QRgb *>(source->m_image->constScanLine(sy));
        }
        const int logicalY = AxisY().LogicalOf(y);
        QRgb *line = reinterpret_cast<QRgb *>(m_image->scanLine(y));
        for (int x = areaSurface.Left; x < areaSurface.Right; ++x) {
            QRgb s = 0;
            if (needsSource) {
                const int sx = sourceColumns[std::size_t(x - areaSurface.Left)];
                if (sx < 0)
                    continue;
                s = sourceLine[sx] & kRgbBits;
                if (sourceMono && !targetMono)
                    s = s == kRgbBits ? background : text;
                else if (targetMono && !sourceMono)
                    s = s == sourceBackground ? kRgbBits : 0;
            }
            const QRgb p =
                patterned ? BrushPixel(m_state.brush, AxisX().LogicalOf(x), logicalY) & kRgbBits : solidPattern;
            line[x] = m_palette.Map(ApplyTernary(code, p, s, line[x] & kRgbBits));
        }
    }
}

void TCanvas::CopyRect(const TRect &dest, const TCanvas &source, const TRect &sourceRect)
{
    Blit(ToDevice(dest), &source, source.ToDevice(sourceRect), m_state.copyMode, true);
}

void TCanvas::BitBlt(int x, int y, int width, int height, const TCanvas &source, int sx, int sy, TRasterOp rop)
{
    Blit(ToDevice(Bounds(x, y, width, height)), &source, source.ToDevice(Bounds(sx, sy, width, height)), rop, true);
}

void TCanvas::StretchBlt(int x, int y, int width, int height, const TCanvas &source, int sx, int sy, int sourceWidth,
                         int sourceHeight, TRasterOp rop)
{
    Blit(ToDevice(Bounds(x, y, width, height)), &source, source.ToDevice(Bounds(sx, sy, sourceWidth, sourceHeight)),
         rop, true);
}

void TCanvas::Draw(int x, int y, const TBitmapPixels &bitmap)
{
    StretchDraw(Bounds(x, y, bitmap.Width(), bitmap.Height()), bitmap);
}

void TCanvas::StretchDraw(const TRect &dest, const TBitmapPixels &bitmap)
{
    if (bitmap.Empty() || !Drawable())
        return;
    TCanvas source;
    source.m_image = const_cast<QImage *>(&bitmap.Image());
    source.SetPalette(bitmap.Palette());
    if (!bitmap.Transparent()) {
        // A monochrome bitmap shows its own black and white.
        const TColor savedText = m_state.textColor, savedBk = m_state.bkColor;
        m_state.textColor = clBlack;
        m_state.bkColor = clWhite;
        Blit(ToDevice(dest), &source, TRect(0, 0, bitmap.Width(), bitmap.Height()), m_state.copyMode, true);
        m_state.textColor = savedText;
        m_state.bkColor = savedBk;
        return;
    }
    const QRgb key = ToQRgb(bitmap.TransparentColor()) & kRgbBits;
    const TRect box = ToDevice(dest).Normalized();
    if (box.IsEmpty())
        return;
    const TRect area = ToSurface(box.Intersected(WritableArea()));
    const TScaledAxis bitmapX{TDeviceScale(), bitmap.Width(), bitmap.Width()};
    const TScaledAxis bitmapY{TDeviceScale(), bitmap.Height(), bitmap.Height()};
    const std::vector<int> sourceRows =
        SourcePixels(AxisY(), area.Top, area.Bottom, box.Top, box.Height(), bitmapY, 0, bitmap.Height(), false);
    const std::vector<int> sourceColumns =
        SourcePixels(AxisX(), area.Left, area.Right, box.Left, box.Width(), bitmapX, 0, bitmap.Width(), false);
    for (int y = area.Top; y < area.Bottom; ++y) {
        const QRgb *from =
            reinterpret_cast<const QRgb *>(bitmap.Image().constScanLine(sourceRows[std::size_t(y - area.Top)]));
        QRgb *line = reinterpret_cast<QRgb *>(m_image->scanLine(y));
        for (int x = area.Left; x < area.Right; ++x) {
            const QRgb s = from[sourceColumns[std::size_t(x - area.Left)]] & kRgbBits;
            if (s != key)
                line[x] = m_palette.Map(s);
        }
    }
}
