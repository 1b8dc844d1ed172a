#include "toolkit/gdi/Rasterizer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

using Span = TSpanSet::Span;
using Row = TSpanSet::Row;

// Exact crossing of a polygon edge with a row's centre line, as a fraction.
struct Crossing {
    std::int64_t num;
    std::int64_t den; // > 0
    int direction;
};

std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

std::int64_t CeilDiv(std::int64_t a, std::int64_t b)
{
    return -FloorDiv(-a, b);
}

// The first pixel whose centre lies at or right of the crossing.
int FirstPixelFrom(const Crossing &c)
{
    // centre x + 1/2 >= num/den  <=>  x >= (2 num - den) / (2 den)
    return int(CeilDiv(2 * c.num - c.den, 2 * c.den));
}

Row SingleSpan(int x0, int x1)
{
    return x1 > x0 ? Row{Span{x0, x1}} : Row{};
}

} // namespace

void TRasterizer::ThinLine(int x0, int y0, int x1, int y1, const std::function<void(int, int)> &plot)
{
    const int dx = std::abs(x1 - x0);
    const int dy = std::abs(y1 - y0);
    const int sx = x1 >= x0 ? 1 : -1;
    const int sy = y1 >= y0 ? 1 : -1;
    int x = x0;
    int y = y0;
    if (dx >= dy) {
        int err = 2 * dy - dx;
        for (int i = 0; i < dx; ++i) {
            plot(x, y);
            if (err > 0) {
                y += sy;
                err -= 2 * dx;
            }
            err += 2 * dy;
            x += sx;
        }
    } else {
        int err = 2 * dx - dy;
        for (int i = 0; i < dy; ++i) {
            plot(x, y);
            if (err > 0) {
                x += sx;
                err -= 2 * dy;
            }
            err += 2 * dx;
            y += sy;
        }
    }
}

TSpanSet TRasterizer::WideLine(int x0, int y0, int x1, int y1, int width)
{
    const double shift = width % 2 == 0 ? -0.5 : 0.0;
    const double ax = x0 + shift, ay = y0 + shift, bx = x1 + shift, by = y1 + shift;
    const double radius = width / 2.0;
    const double limit = radius * radius;
    const int reach = width / 2 + 1;
    const int top = std::min(y0, y1) - reach;
    const int bottom = std::max(y0, y1) + reach;
    const int left = std::min(x0, x1) - reach;
    const int right = std::max(x0, x1) + reach;
    const double vx = bx - ax, vy = by - ay;
    const double length2 = vx * vx + vy * vy;
    std::vector<Row> rows;
    for (int y = top; y <= bottom; ++y) {
        int first = 0, last = -1;
        bool any = false;
        for (int x = left; x <= right; ++x) {
            double t = length2 > 0 ? ((x - ax) * vx + (y - ay) * vy) / length2 : 0.0;
            t = std::clamp(t, 0.0, 1.0);
            const double ex = ax + t * vx - x, ey = ay + t * vy - y;
            if (ex * ex + ey * ey < limit) {
                if (!any)
                    first = x;
                last = x;
                any = true;
            }
        }
        rows.push_back(any ? SingleSpan(first, last + 1) : Row{});
    }
    return TSpanSet::FromRows(top, std::move(rows));
}

TSpanSet TRasterizer::RectShape(int left, int top, int right, int bottom)
{
    return TSpanSet::FromRect(TRect(left, top, right, bottom).Normalized());
}

TSpanSet TRasterizer::EllipseShape(int left, int top, int right, int bottom)
{
    const TRect box = TRect(left, top, right, bottom).Normalized();
    if (box.IsEmpty())
        return {};
    // Pixels whose centres lie inside the ellipse inscribed in the box,
    // its radii a tenth of a pixel short, so that small circles come out
    // round (a 3-pixel circle is a plus, a 6-pixel one 2, 4, 6, 6, 4, 2
    // pixels wide). In twentieths of a pixel a centre (X, Y) lies inside
    // when X²·B² + Y²·A² <= A²·B².
    constexpr std::int64_t kScale = 20;
    constexpr std::int64_t kShortening = 2;
    const std::int64_t a = kScale / 2 * box.Width() - kShortening, b = kScale / 2 * box.Height() - kShortening;
    const std::int64_t a2 = a * a, b2 = b * b, ab2 = a2 * b2;
    const std::int64_t centreX = kScale / 2 * (std::int64_t(box.Left) + box.Right);
    const std::int64_t centreY = kScale / 2 * (std::int64_t(box.Top) + box.Bottom);
    auto offsetX = [&](int px) { return kScale * std::int64_t(px) + kScale / 2 - centreX; };
    std::vector<Row> rows;
    rows.reserve(size_t(box.Height()));
    for (int y = box.Top; y < box.Bottom; ++y) {
        const std::int64_t dy = kScale * std::int64_t(y) + kScale / 2 - centreY;
        const std::int64_t rest = ab2 - dy * dy * a2;
        auto inside = [&](int px) { return offsetX(px) * offsetX(px) * b2 <= rest; };
        // The row's leftmost pixel inside, found from an estimate.
        const double halfWidth = rest > 0 ? std::sqrt(double(rest) / double(b2)) / double(kScale) : 0.0;
        const double centre = (box.Left + box.Right - 1) / 2.0;
        int x = std::clamp(int(std::floor(centre - halfWidth)) - 1, box.Left, box.Right - 1);
        while (x < box.Right && !inside(x))
            ++x;
        while (x > box.Left && inside(x - 1))
            --x;
        const int last = box.Left + box.Right - 1 - x; // mirrored about the centre
        rows.push_back(rest >= 0 && x <= last ? SingleSpan(x, last + 1) : Row{});
    }
    return TSpanSet::FromRows(box.Top, std::move(rows));
}

TSpanSet TRasterizer::RoundRectShape(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight)
{
    const TRect box = TRect(left, top, right, bottom).Normalized();
    if (box.IsEmpty())
        return {};
    const int w = std::min(std::abs(ellipseWidth), box.Width());
    const int h = std::min(std::abs(ellipseHeight), box.Height());
    if (w <= 1 || h <= 1)
        return TSpanSet::FromRect(box);
    const TSpanSet corner = EllipseShape(0, 0, w, h);
    const auto &cornerRows = corner.Rows();
    const int band = h / 2;
    auto cornerSpan = [&](int row) -> Span {
        const int index = row - corner.Top();
        if (index < 0 || index >= int(cornerRows.size()) || cornerRows[index].empty())
            return Span{w / 2, w / 2};
        return cornerRows[index].front();
    };
    std::vector<Row> rows;
    rows.reserve(box.Height());
    for (int y = box.Top; y < box.Bottom; ++y) {
        int x0 = box.Left, x1 = box.Right;
        const int fromTop = y - box.Top;
        const int fromBottom = box.Bottom - 1 - y;
        if (fromTop < band || fromBottom < band) {
            const Span s = cornerSpan(fromTop < band ? fromTop : h - 1 - fromBottom);
            x0 = box.Left + s.x0;
            x1 = box.Right - w + s.x1;
        }
        rows.push_back(SingleSpan(x0, x1));
    }
    return TSpanSet::FromRows(box.Top, std::move(rows));
}

TSpanSet TRasterizer::PolygonShape(const std::vector<TPoint> &points, TPolyFillMode mode)
{
    if (points.size() < 3)
        return {};
    int top = points.front().Y, bottom = points.front().Y;
    for (const TPoint &p : points) {
        top = std::min(top, p.Y);
        bottom = std::max(bottom, p.Y);
    }
    std::vector<Row> rows;
    std::vector<Crossing> crossings;
    for (int y = top; y < bottom; ++y) {
        crossings.clear();
        const std::int64_t centre2 = 2 * std::int64_t(y) + 1; // twice the row's centre
        for (size_t i = 0; i < points.size(); ++i) {
            const TPoint p = points[i];
            const TPoint q = points[(i + 1) % points.size()];
            if (p.Y == q.Y)
                continue;
            const int low = std::min(p.Y, q.Y), high = std::max(p.Y, q.Y);
            if (centre2 < 2 * std::int64_t(low) || centre2 > 2 * std::int64_t(high))
                continue;
            // x = p.X + (centre - p.Y) * (q.X - p.X) / (q.Y - p.Y)
            std::int64_t den = 2 * std::int64_t(q.Y - p.Y);
            std::int64_t num = 2 * std::int64_t(p.X) * (q.Y - p.Y) + (centre2 - 2 * std::int64_t(p.Y)) * (q.X - p.X);
            if (den < 0) {
                den = -den;
                num = -num;
            }
            crossings.push_back({num, den, q.Y > p.Y ? 1 : -1});
        }
        std::sort(crossings.begin(), crossings.end(),
                  [](const Crossing &l, const Crossing &r) { return l.num * r.den < r.num * l.den; });
        Row row;
        auto add = [&row](const Crossing &from, const Crossing &to) {
            const int x0 = FirstPixelFrom(from);
            const int x1 = FirstPixelFrom(to);
            if (x1 <= x0)
                return;
            if (!row.empty() && row.back().x1 >= x0)
                row.back().x1 = std::max(row.back().x1, x1);
            else
                row.push_back({x0, x1});
        };
        if (mode == WINDING) {
            int winding = 0;
            size_t start = 0;
            for (size_t i = 0; i < crossings.size(); ++i) {
                const int before = winding;
                winding += crossings[i].direction;
                if (before == 0 && winding != 0)
                    start = i;
                else if (before != 0 && winding == 0)
                    add(crossings[start], crossings[i]);
            }
        } else {
            for (size_t i = 0; i + 1 < crossings.size(); i += 2)
                add(crossings[i], crossings[i + 1]);
        }
        rows.push_back(std::move(row));
    }
    return TSpanSet::FromRows(top, std::move(rows));
}

TSpanSet TRasterizer::Outline(const TSpanSet &shape)
{
    const auto &rows = shape.Rows();
    std::vector<Row> result(rows.size());
    auto spanOf = [&](long index) -> const Span * {
        if (index < 0 || index >= long(rows.size()) || rows[index].empty())
            return nullptr;
        return &rows[index].front();
    };
    for (long i = 0; i < long(rows.size()); ++i) {
        const Span *row = spanOf(i);
        if (!row)
            continue;
        const Span *above = spanOf(i - 1);
        const Span *below = spanOf(i + 1);
        if (!above || !below) {
            result[i].push_back(*row);
            continue;
        }
        // Covered from both sides, apart from the row's own ends.
        const int innerLeft = std::max({above->x0, below->x0, row->x0 + 1});
        const int innerRight = std::min({above->x1, below->x1, row->x1 - 1});
        if (innerLeft >= innerRight) {
            result[i].push_back(*row);
            continue;
        }
        result[i].push_back({row->x0, innerLeft});
        result[i].push_back({innerRight, row->x1});
    }
    return TSpanSet::FromRows(shape.Top(), std::move(result));
}

TRasterizer::Figure TRasterizer::BoxFigure(const std::function<TSpanSet(int, int, int, int)> &shape, int left, int top,
                                           int right, int bottom, int penWidth)
{
    const TRect box = TRect(left, top, right, bottom).Normalized();
    const int width = std::max(1, penWidth);
    const int outward = width / 2;
    const int inward = width - 1 - outward;
    const TSpanSet outer = shape(box.Left - outward, box.Top - outward, box.Right + inward, box.Bottom + inward);
    const TSpanSet innerShape = shape(box.Left + inward, box.Top + inward, box.Right - outward, box.Bottom - outward);
    Figure figure;
    const TRect innerBox(box.Left + inward, box.Top + inward, box.Right - outward, box.Bottom - outward);
    if (!innerBox.IsEmpty())
        figure.inside = TSpanSet::Combined(innerShape, Outline(innerShape), RGN_DIFF);
    figure.outline = TSpanSet::Combined(outer, figure.inside, RGN_DIFF);
    return figure;
}
