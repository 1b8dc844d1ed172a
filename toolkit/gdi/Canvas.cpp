#include "toolkit/gdi/Canvas.h"

#include "toolkit/gdi/BitmapPixels.h"
#include "toolkit/gdi/SpanSet.h"

#include <algorithm>

TCanvas::TCanvas() = default;

TCanvas::TCanvas(QImage *image)
{
    SetImage(image);
}

void TCanvas::SetImage(QImage *image)
{
    m_image = image;
    if (m_image && !m_image->isNull() && m_image->format() != QImage::Format_RGB32
        && m_image->format() != QImage::Format_ARGB32 && m_image->format() != QImage::Format_ARGB32_Premultiplied)
        *m_image = m_image->convertToFormat(QImage::Format_RGB32);
    m_scale = m_image ? TDeviceScale::FromRatio(m_image->devicePixelRatio()) : TDeviceScale();
    m_width = m_image ? m_scale.LogicalExtent(m_image->width()) : 0;
    m_height = m_image ? m_scale.LogicalExtent(m_image->height()) : 0;
}

// An image of unit scale may be replaced in place by its owner; its size is
// read anew each time.
int TCanvas::Width() const
{
    if (!m_image)
        return 0;
    return m_scale.IsUnit() ? m_image->width() : m_width;
}

int TCanvas::Height() const
{
    if (!m_image)
        return 0;
    return m_scale.IsUnit() ? m_image->height() : m_height;
}

void TCanvas::SetPalette(const QVector<QRgb> &palette)
{
    m_palette.SetEntries(palette);
}

bool TCanvas::Drawable() const
{
    return m_image && !m_image->isNull();
}

TRect TCanvas::WritableArea() const
{
    if (!Drawable())
        return {};
    const TRect image(0, 0, Width(), Height());
    return m_state.clipped ? image.Intersected(m_state.clip) : image;
}

void TCanvas::SetClipRect(const TRect &logical)
{
    m_state.clipped = true;
    m_state.clip = logical.IsEmpty() ? TRect{} : ToDevice(logical);
}

void TCanvas::IntersectClipRect(const TRect &logical)
{
    const TRect device = logical.IsEmpty() ? TRect{} : ToDevice(logical);
    m_state.clip = m_state.clipped ? m_state.clip.Intersected(device) : device;
    m_state.clipped = true;
}

void TCanvas::ClearClip()
{
    m_state.clipped = false;
    m_state.clip = {};
}

TRect TCanvas::ClipRect() const
{
    const TRect area = WritableArea();
    return area.IsEmpty() ? TRect{} : area.Offset(-m_state.origin.X, -m_state.origin.Y);
}

void TCanvas::Save()
{
    m_saved.push_back(m_state);
}

void TCanvas::Restore()
{
    if (m_saved.empty())
        return;
    m_state = m_saved.back();
    m_saved.pop_back();
}

QRgb TCanvas::Resolve(TColor color) const
{
    return ToQRgb(color);
}

void TCanvas::WritePixel(int x, int y, QRgb rgb)
{
    if (WritableArea().Contains(x, y))
        StorePixel(x, y, rgb);
}

void TCanvas::StorePixel(int x, int y, QRgb rgb)
{
    if (m_scale.IsUnit()) {
        reinterpret_cast<QRgb *>(m_image->scanLine(y))[x] = m_palette.Map(rgb);
        return;
    }
    FillSurfaceRun(x, x + 1, y, m_palette.Map(rgb));
}

void TCanvas::FillSurfaceRun(int x0, int x1, int y, QRgb rgb)
{
    const int left = SurfaceX(x0), right = SurfaceX(x1);
    for (int row = SurfaceY(y), end = SurfaceY(y + 1); row < end; ++row) {
        QRgb *line = reinterpret_cast<QRgb *>(m_image->scanLine(row));
        std::fill(line + left, line + std::max(left, right), rgb);
    }
}

QRgb TCanvas::ReadPixel(int x, int y) const
{
    if (m_scale.IsUnit())
        return reinterpret_cast<const QRgb *>(m_image->constScanLine(y))[x];
    return reinterpret_cast<const QRgb *>(m_image->constScanLine(SurfaceY(y)))[SurfaceX(x)];
}

void TCanvas::XorPixel(int x, int y, QRgb mask)
{
    if (!WritableArea().Contains(x, y))
        return;
    if (m_scale.IsUnit()) {
        StorePixel(x, y, ReadPixel(x, y) ^ mask);
        return;
    }
    // Every pixel of the block on its own: text drawn at the image's
    // resolution keeps its strokes when inverted.
    const int left = SurfaceX(x), right = SurfaceX(x + 1);
    for (int row = SurfaceY(y), end = SurfaceY(y + 1); row < end; ++row) {
        QRgb *line = reinterpret_cast<QRgb *>(m_image->scanLine(row));
        for (int column = left; column < right; ++column)
            line[column] = m_palette.Map(line[column] ^ mask);
    }
}

QRgb TCanvas::BrushPixel(const TBrush &brush, int x, int y) const
{
    const TBitmapPixels *pattern = brush.Bitmap();
    if (!pattern || pattern->Empty())
        return Resolve(brush.Color());
    const int px = ((x % pattern->Width()) + pattern->Width()) % pattern->Width();
    const int py = ((y % pattern->Height()) + pattern->Height()) % pattern->Height();
    const QRgb p = pattern->Image().pixel(px, py) & kRgbBits;
    if (pattern->PixelFormat() == pf1bit)
        return p == kRgbBits ? Resolve(m_state.bkColor) : Resolve(m_state.textColor);
    return p;
}

void TCanvas::PaintWithBrush(const TSpanSet &deviceSpans, const TBrush &brush)
{
    if (!Drawable() || !brush.Paints())
        return;
    const TRect area = WritableArea();
    const TBrushFill fill = FillOf(brush);
    const auto &rows = deviceSpans.Rows();
    for (size_t i = 0; i < rows.size(); ++i) {
        const int y = deviceSpans.Top() + int(i);
        if (y < area.Top || y >= area.Bottom)
            continue;
        for (const TSpanSet::Span &s : rows[i])
            PaintBrushRun(std::max(s.x0, area.Left), std::min(s.x1, area.Right), y, brush, fill);
    }
}

// The same as painting the rectangle's spans, without listing them.
void TCanvas::PaintRectWithBrush(const TRect &device, const TBrush &brush)
{
    if (!Drawable() || !brush.Paints())
        return;
    const TRect n = device.Normalized();
    if (n.IsEmpty())
        return;
    const TRect area = WritableArea();
    const TBrushFill fill = FillOf(brush);
    const int x0 = std::max(n.Left, area.Left), x1 = std::min(n.Right, area.Right);
    for (int y = std::max(n.Top, area.Top); y < std::min(n.Bottom, area.Bottom); ++y)
        PaintBrushRun(x0, x1, y, brush, fill);
}

TCanvas::TBrushFill TCanvas::FillOf(const TBrush &brush) const
{
    return {brush.Bitmap() && !brush.Bitmap()->Empty(), m_palette.Map(Resolve(brush.Color()))};
}

void TCanvas::PaintBrushRun(int x0, int x1, int y, const TBrush &brush, const TBrushFill &fill)
{
    if (!m_scale.IsUnit()) {
        if (!fill.patterned) {
            FillSurfaceRun(x0, x1, y, fill.solid);
        } else {
            for (int x = x0; x < x1; ++x)
                FillSurfaceRun(x, x + 1, y, m_palette.Map(BrushPixel(brush, x, y)));
        }
        return;
    }
    QRgb *line = reinterpret_cast<QRgb *>(m_image->scanLine(y));
    if (fill.patterned)
        PaintPatternRun(line, x0, x1, y, brush);
    else
        std::fill(line + x0, line + std::max(x1, x0), fill.solid);
}

void TCanvas::PaintPatternRun(QRgb *line, int x0, int x1, int y, const TBrush &brush)
{
    for (int x = x0; x < x1; ++x)
        line[x] = m_palette.Map(BrushPixel(brush, x, y));
}

void TCanvas::PenPixel(int x, int y)
{
    if (!WritableArea().Contains(x, y))
        return;
    switch (m_state.pen.Mode()) {
    case pmCopy: WritePixel(x, y, Resolve(m_state.pen.Color())); break;
    case pmNot: XorPixel(x, y, kInvertAll); break;
    case pmXor: XorPixel(x, y, Resolve(m_state.pen.Color())); break;
    }
}

void TCanvas::PaintWithPen(const TSpanSet &deviceSpans)
{
    if (!Drawable() || m_state.pen.Style() == psClear)
        return;
    const auto &rows = deviceSpans.Rows();
    for (size_t i = 0; i < rows.size(); ++i)
        for (const TSpanSet::Span &s : rows[i])
            for (int x = s.x0; x < s.x1; ++x)
                PenPixel(x, deviceSpans.Top() + int(i));
}

TColor TCanvas::Pixel(int x, int y) const
{
    const TPoint d = ToDevice(x, y);
    if (!WritableArea().Contains(d))
        return CLR_INVALID;
    return FromQRgb(ReadPixel(d.X, d.Y));
}

void TCanvas::SetPixel(int x, int y, TColor color)
{
    const TPoint d = ToDevice(x, y);
    WritePixel(d.X, d.Y, Resolve(color));
}

void TCanvas::AfterQtDrawing(const TRect &deviceArea)
{
    if (m_palette.Entries().isEmpty() || !Drawable())
        return;
    const TRect d = ToSurface(deviceArea.Intersected(WritableArea()));
    for (int y = d.Top; y < d.Bottom; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(m_image->scanLine(y));
        for (int x = d.Left; x < d.Right; ++x)
            line[x] = m_palette.Map(line[x]);
    }
}
