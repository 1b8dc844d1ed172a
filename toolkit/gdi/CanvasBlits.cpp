#include "toolkit/gdi/Canvas.h"

#include "toolkit/gdi/BitmapPixels.h"

#include <cstdint>

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

    for (int y = area.Top; y < area.Bottom; ++y) {
        const QRgb *sourceLine = nullptr;
        if (needsSource) {
            int row = int((std::int64_t(y - box.Top) * src.Height()) / box.Height());
            if (mirrorY)
                row = src.Height() - 1 - row;
            const int sy = src.Top + row;
            if (sy < 0 || sy >= source->Height())
                continue;
            sourceLine = reinterpret_cast<const QRgb *>(source->m_image->constScanLine(sy));
        }
        QRgb *line = reinterpret_cast<QRgb *>(m_image->scanLine(y));
        for (int x = area.Left; x < area.Right; ++x) {
            QRgb s = 0;
            if (needsSource) {
                int column = int((std::int64_t(x - box.Left) * src.Width()) / box.Width());
                if (mirrorX)
                    column = src.Width() - 1 - column;
                const int sx = src.Left + column;
                if (sx < 0 || sx >= source->Width())
                    continue;
                s = sourceLine[sx] & kRgbBits;
                if (sourceMono && !targetMono)
                    s = s == kRgbBits ? background : text;
                else if (targetMono && !sourceMono)
                    s = s == sourceBackground ? kRgbBits : 0;
            }
            const QRgb p = patterned ? BrushPixel(m_state.brush, x, y) & kRgbBits : solidPattern;
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

void TCanvas::StretchBlt(int x, int y, int width, int height, const TCanvas &source, int sx, int sy,
                         int sourceWidth, int sourceHeight, TRasterOp rop)
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
    const TRect area = box.Intersected(WritableArea());
    for (int y = area.Top; y < area.Bottom; ++y) {
        const int sy = int((std::int64_t(y - box.Top) * bitmap.Height()) / box.Height());
        for (int x = area.Left; x < area.Right; ++x) {
            const int sx = int((std::int64_t(x - box.Left) * bitmap.Width()) / box.Width());
            const QRgb s = source.ReadPixel(sx, sy) & kRgbBits;
            if (s != key)
                WritePixel(x, y, s);
        }
    }
}

