#include "toolkit/gdi/Canvas.h"

#include "toolkit/gdi/DashPattern.h"
#include "toolkit/gdi/Rasterizer.h"
#include "toolkit/gdi/Region.h"
#include "toolkit/gdi/SpanSet.h"

#include <functional>

namespace {

using ShapeBuilder = std::function<TSpanSet(int, int, int, int)>;

// Shared by Rectangle, Ellipse and RoundRect: the pen centred on the thin
// outline (inside the box for psInsideFrame), the brush inside it. Without a
// pen the brush fills the box less its right column and bottom row, as the
// platform does.
void DrawBoxFigure(TCanvas &canvas, const ShapeBuilder &shape, TRect box,
                   const std::function<void(const TSpanSet &, const TSpanSet &)> &paint)
{
    box = box.Normalized();
    const TPen &pen = canvas.Pen();
    if (pen.Style() == psClear) {
        paint(TSpanSet(), shape(box.Left, box.Top, box.Right - 1, box.Bottom - 1));
        return;
    }
    const int width = pen.Width();
    if (pen.Style() == psInsideFrame && width > 1) {
        const int outward = width / 2, inward = width - 1 - outward;
        box = TRect(box.Left + outward, box.Top + outward, box.Right - inward, box.Bottom - inward);
    }
    const TRasterizer::Figure figure = TRasterizer::BoxFigure(shape, box.Left, box.Top, box.Right, box.Bottom, width);
    paint(figure.outline, figure.inside);
}

} // namespace

void TCanvas::ThinPenLine(int x0, int y0, int x1, int y1, int &patternPosition)
{
    const TDashPattern *pattern = TDashPattern::Of(m_state.pen.Style());
    TRasterizer::ThinLine(x0, y0, x1, y1, [&](int x, int y) {
        if (!pattern || pattern->Draws(patternPosition))
            PenPixel(x, y);
        ++patternPosition;
    });
}

void TCanvas::PenSegment(TPoint from, TPoint to, int &patternPosition)
{
    if (m_state.pen.Style() == psClear)
        return;
    const TPoint a = ToDevice(from.X, from.Y), b = ToDevice(to.X, to.Y);
    if (m_state.pen.Width() > 1)
        PaintWithPen(TRasterizer::WideLine(a.X, a.Y, b.X, b.Y, m_state.pen.Width()));
    else
        ThinPenLine(a.X, a.Y, b.X, b.Y, patternPosition);
}

void TCanvas::MoveTo(int x, int y)
{
    m_state.penPos = {x, y};
}

void TCanvas::LineTo(int x, int y)
{
    int patternPosition = 0;
    PenSegment(m_state.penPos, {x, y}, patternPosition);
    m_state.penPos = {x, y};
}

void TCanvas::Polyline(const std::vector<TPoint> &points)
{
    if (points.empty())
        return;
    if (m_state.pen.Width() > 1 && m_state.pen.Style() != psClear) {
        TSpanSet band;
        for (size_t i = 0; i + 1 < points.size(); ++i) {
            const TPoint a = ToDevice(points[i].X, points[i].Y), b = ToDevice(points[i + 1].X, points[i + 1].Y);
            band.Combine(TRasterizer::WideLine(a.X, a.Y, b.X, b.Y, m_state.pen.Width()));
        }
        PaintWithPen(band);
        return;
    }
    int patternPosition = 0;
    for (size_t i = 0; i + 1 < points.size(); ++i)
        PenSegment(points[i], points[i + 1], patternPosition);
}

void TCanvas::Polygon(const std::vector<TPoint> &points)
{
    if (points.size() < 2)
        return;
    std::vector<TPoint> device;
    device.reserve(points.size());
    for (const TPoint &p : points)
        device.push_back(ToDevice(p.X, p.Y));
    PaintWithBrush(TRasterizer::PolygonShape(device, m_state.fillMode), m_state.brush);
    std::vector<TPoint> closed = points;
    closed.push_back(points.front());
    Polyline(closed);
}

void TCanvas::PaintFigure(const TSpanSet &outline, const TSpanSet &inside)
{
    PaintWithBrush(inside, m_state.brush);
    PaintWithPen(outline);
}

void TCanvas::Rectangle(int left, int top, int right, int bottom)
{
    const TRect box = ToDevice(TRect(left, top, right, bottom));
    DrawBoxFigure(*this, &TRasterizer::RectShape, box,
                  [this](const TSpanSet &outline, const TSpanSet &inside) { PaintFigure(outline, inside); });
}

void TCanvas::Ellipse(int left, int top, int right, int bottom)
{
    const TRect box = ToDevice(TRect(left, top, right, bottom));
    DrawBoxFigure(*this, &TRasterizer::EllipseShape, box,
                  [this](const TSpanSet &outline, const TSpanSet &inside) { PaintFigure(outline, inside); });
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight)
{
    const TRect box = ToDevice(TRect(left, top, right, bottom));
    const ShapeBuilder shape = [ellipseWidth, ellipseHeight](int l, int t, int r, int b) {
        return TRasterizer::RoundRectShape(l, t, r, b, ellipseWidth, ellipseHeight);
    };
    DrawBoxFigure(*this, shape, box,
                  [this](const TSpanSet &outline, const TSpanSet &inside) { PaintFigure(outline, inside); });
}

void TCanvas::FillRect(const TRect &r)
{
    if (r.IsEmpty())
        return;
    PaintRectWithBrush(ToDevice(r), m_state.brush);
}

void TCanvas::FillSolidRect(const TRect &r, TColor color)
{
    m_state.brush.SetStyle(bsSolid);
    m_state.brush.SetColor(color);
    FillRect(r);
}

void TCanvas::FrameRect(const TRect &r)
{
    if (r.IsEmpty())
        return;
    PaintWithBrush(TRegion::FromRect(ToDevice(r)).Frame(1, 1).Spans(), m_state.brush);
}

void TCanvas::InvertRect(const TRect &r)
{
    if (r.IsEmpty() || !Drawable())
        return;
    const TRect d = ToDevice(r).Intersected(WritableArea());
    for (int y = d.Top; y < d.Bottom; ++y)
        for (int x = d.Left; x < d.Right; ++x)
            XorPixel(x, y, kInvertAll);
}

void TCanvas::DrawFocusRect(const TRect &r)
{
    if (r.IsEmpty() || !Drawable())
        return;
    const TSpanSet frame = TRegion::FromRect(ToDevice(r)).Frame(1, 1).Spans();
    const TRect area = WritableArea();
    const auto &rows = frame.Rows();
    // Every other pixel, on a checkerboard fixed to the image, is inverted.
    for (size_t i = 0; i < rows.size(); ++i) {
        const int y = frame.Top() + int(i);
        for (const TSpanSet::Span &s : rows[i])
            for (int x = s.x0; x < s.x1; ++x)
                if (((x + y) & 1) == 0 && area.Contains(x, y))
                    XorPixel(x, y, kInvertAll);
    }
}

void TCanvas::FillRgn(const TRegion &region, const TBrush &brush)
{
    TSpanSet device = region.Spans();
    device.Offset(m_state.origin.X, m_state.origin.Y);
    PaintWithBrush(device, brush);
}

void TCanvas::FrameRgn(const TRegion &region, const TBrush &brush, int width, int height)
{
    TSpanSet device = region.Frame(width, height).Spans();
    device.Offset(m_state.origin.X, m_state.origin.Y);
    PaintWithBrush(device, brush);
}
