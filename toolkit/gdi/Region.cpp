#include "toolkit/gdi/Region.h"

#include "toolkit/gdi/Rasterizer.h"

#include <QImage>
#include <algorithm>

namespace {

using Span = TSpanSet::Span;
using Row = TSpanSet::Row;

} // namespace

TRegion TRegion::FromRect(const TRect &r)
{
    return TRegion(TSpanSet::FromRect(r));
}

TRegion TRegion::FromRoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight)
{
    return TRegion(TRasterizer::RoundRectShape(left, top, right, bottom, ellipseWidth, ellipseHeight));
}

TRegion TRegion::FromEllipse(int left, int top, int right, int bottom)
{
    return TRegion(TRasterizer::EllipseShape(left, top, right, bottom));
}

TRegion TRegion::FromPolygon(const std::vector<TPoint> &points, TPolyFillMode mode)
{
    return TRegion(TRasterizer::PolygonShape(points, mode));
}

TRegion TRegion::Combined(const TRegion &a, const TRegion &b, TRegionCombine mode)
{
    return TRegion(TSpanSet::Combined(a.m_spans, b.m_spans, mode));
}

void TRegion::Combine(const TRegion &other, TRegionCombine mode)
{
    m_spans.Combine(other.m_spans, mode);
}

TRect TRegion::BoundingBox() const
{
    if (IsEmpty())
        return {};
    const std::vector<Row> &rows = m_spans.Rows();
    const int top = m_spans.Top();
    int left = rows.front().empty() ? 0 : rows.front().front().x0;
    int right = left;
    bool any = false;
    for (const Row &row : rows) {
        if (row.empty())
            continue;
        left = any ? std::min(left, row.front().x0) : row.front().x0;
        right = any ? std::max(right, row.back().x1) : row.back().x1;
        any = true;
    }
    return {left, top, right, top + int(rows.size())};
}

TRegion TRegion::Frame(int width, int height) const
{
    const int w = std::max(0, width), h = std::max(0, height);
    // A pixel is inner when the pixels width columns to either side and
    // height rows above and below it are all in the region.
    TRegion inner = *this;
    for (const auto &[dx, dy] : {std::pair{w, 0}, std::pair{-w, 0}, std::pair{0, h}, std::pair{0, -h}}) {
        TRegion moved = *this;
        moved.Offset(dx, dy);
        inner.Combine(moved, RGN_AND);
    }
    return Combined(*this, inner, RGN_DIFF);
}

std::vector<TRect> TRegion::Rects() const
{
    const std::vector<Row> &rows = m_spans.Rows();
    const int top = m_spans.Top();
    std::vector<TRect> result;
    size_t i = 0;
    while (i < rows.size()) {
        size_t j = i + 1;
        while (j < rows.size() && rows[j] == rows[i])
            ++j;
        for (const Span &s : rows[i])
            result.push_back({s.x0, top + int(i), s.x1, top + int(j)});
        i = j;
    }
    return result;
}

QRegion TRegion::ToQRegion() const
{
    QRegion region;
    const std::vector<TRect> rects = Rects();
    std::vector<QRect> qrects;
    qrects.reserve(rects.size());
    for (const TRect &r : rects)
        qrects.push_back(r.ToQRect());
    region.setRects(qrects.data(), int(qrects.size()));
    return region;
}

QBitmap TRegion::ToQBitmap(int width, int height) const
{
    QImage mask(std::max(0, width), std::max(0, height), QImage::Format_Mono);
    if (mask.isNull())
        return QBitmap();
    mask.setColor(0, qRgb(255, 255, 255));
    mask.setColor(1, qRgb(0, 0, 0));
    mask.fill(0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (Contains(x, y))
                mask.setPixel(x, y, 1);
    return QBitmap::fromImage(mask);
}
