#include "toolkit/gdi/Region.h"

#include "toolkit/gdi/Rasterizer.h"

#include <QImage>
#include <algorithm>

namespace {

using Span = TRegion::Span;
using Row = TRegion::Row;

bool InRow(const Row &row, int x)
{
    for (const Span &s : row) {
        if (x < s.x0)
            return false;
        if (x < s.x1)
            return true;
    }
    return false;
}

// Combines two sorted, disjoint span lists by a boolean rule.
Row CombineRows(const Row &a, const Row &b, TRegionCombine mode)
{
    std::vector<int> edges;
    edges.reserve(2 * (a.size() + b.size()));
    for (const Span &s : a) {
        edges.push_back(s.x0);
        edges.push_back(s.x1);
    }
    for (const Span &s : b) {
        edges.push_back(s.x0);
        edges.push_back(s.x1);
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    Row result;
    for (size_t i = 0; i + 1 < edges.size(); ++i) {
        const int x = edges[i];
        const bool inA = InRow(a, x), inB = InRow(b, x);
        bool in = false;
        switch (mode) {
        case RGN_AND: in = inA && inB; break;
        case RGN_OR: in = inA || inB; break;
        case RGN_XOR: in = inA != inB; break;
        case RGN_DIFF: in = inA && !inB; break;
        case RGN_COPY: in = inA; break;
        }
        if (!in)
            continue;
        if (!result.empty() && result.back().x1 == x)
            result.back().x1 = edges[i + 1];
        else
            result.push_back({x, edges[i + 1]});
    }
    return result;
}

} // namespace

TRegion TRegion::FromRows(int top, std::vector<Row> rows)
{
    TRegion r;
    r.m_top = top;
    r.m_rows = std::move(rows);
    r.Trim();
    return r;
}

void TRegion::Trim()
{
    size_t first = 0;
    while (first < m_rows.size() && m_rows[first].empty())
        ++first;
    size_t last = m_rows.size();
    while (last > first && m_rows[last - 1].empty())
        --last;
    if (first == last) {
        m_rows.clear();
        m_top = 0;
        return;
    }
    m_rows.erase(m_rows.begin() + long(last), m_rows.end());
    m_rows.erase(m_rows.begin(), m_rows.begin() + long(first));
    m_top += int(first);
}

TRegion TRegion::FromRect(const TRect &r)
{
    const TRect n = r.Normalized();
    if (n.IsEmpty())
        return {};
    return FromRows(n.Top, std::vector<Row>(size_t(n.Height()), Row{Span{n.Left, n.Right}}));
}

TRegion TRegion::FromRoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight)
{
    return TRasterizer::RoundRectShape(left, top, right, bottom, ellipseWidth, ellipseHeight);
}

TRegion TRegion::FromEllipse(int left, int top, int right, int bottom)
{
    return TRasterizer::EllipseShape(left, top, right, bottom);
}

TRegion TRegion::FromPolygon(const std::vector<TPoint> &points, TPolyFillMode mode)
{
    return TRasterizer::PolygonShape(points, mode);
}

TRegion TRegion::Combined(const TRegion &a, const TRegion &b, TRegionCombine mode)
{
    if (mode == RGN_COPY)
        return a;
    if (a.IsEmpty() && b.IsEmpty())
        return {};
    const int top = a.IsEmpty() ? b.m_top : b.IsEmpty() ? a.m_top : std::min(a.m_top, b.m_top);
    const int bottom = std::max(a.m_top + int(a.m_rows.size()), b.m_top + int(b.m_rows.size()));
    static const Row empty;
    auto rowOf = [](const TRegion &r, int y) -> const Row & {
        const int i = y - r.m_top;
        return i >= 0 && i < int(r.m_rows.size()) ? r.m_rows[size_t(i)] : empty;
    };
    std::vector<Row> rows;
    rows.reserve(size_t(bottom - top));
    for (int y = top; y < bottom; ++y)
        rows.push_back(CombineRows(rowOf(a, y), rowOf(b, y), mode));
    return FromRows(top, std::move(rows));
}

void TRegion::Combine(const TRegion &other, TRegionCombine mode)
{
    *this = Combined(*this, other, mode);
}

void TRegion::Offset(int dx, int dy)
{
    if (IsEmpty())
        return;
    m_top += dy;
    for (Row &row : m_rows)
        for (Span &s : row) {
            s.x0 += dx;
            s.x1 += dx;
        }
}

bool TRegion::IsEmpty() const
{
    return m_rows.empty();
}

TRect TRegion::BoundingBox() const
{
    if (IsEmpty())
        return {};
    int left = m_rows.front().empty() ? 0 : m_rows.front().front().x0;
    int right = left;
    bool any = false;
    for (const Row &row : m_rows) {
        if (row.empty())
            continue;
        left = any ? std::min(left, row.front().x0) : row.front().x0;
        right = any ? std::max(right, row.back().x1) : row.back().x1;
        any = true;
    }
    return {left, m_top, right, m_top + int(m_rows.size())};
}

bool TRegion::Contains(int x, int y) const
{
    const int i = y - m_top;
    return i >= 0 && i < int(m_rows.size()) && InRow(m_rows[size_t(i)], x);
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
    std::vector<TRect> result;
    size_t i = 0;
    while (i < m_rows.size()) {
        size_t j = i + 1;
        while (j < m_rows.size() && m_rows[j] == m_rows[i])
            ++j;
        for (const Span &s : m_rows[i])
            result.push_back({s.x0, m_top + int(i), s.x1, m_top + int(j)});
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

bool operator==(const TRegion &a, const TRegion &b)
{
    return a.m_top == b.m_top && a.m_rows == b.m_rows;
}
