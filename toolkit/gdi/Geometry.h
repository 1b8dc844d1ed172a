#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <algorithm>

struct TPoint {
    int X = 0;
    int Y = 0;

    constexpr TPoint() = default;
    constexpr TPoint(int x, int y)
        : X(x)
        , Y(y)
    { }
    friend constexpr bool operator==(const TPoint &, const TPoint &) = default;
    QPoint ToQPoint() const { return {X, Y}; }
};

struct TSize {
    int cx = 0;
    int cy = 0;

    friend constexpr bool operator==(const TSize &, const TSize &) = default;
};

// A rectangle with the platform's convention: Right and Bottom are the first
// column and row outside it, so Width() is Right - Left. A rectangle whose
// Right <= Left or Bottom <= Top is empty and covers no pixel.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    constexpr TRect() = default;
    constexpr TRect(int left, int top, int right, int bottom)
        : Left(left)
        , Top(top)
        , Right(right)
        , Bottom(bottom)
    { }
    friend constexpr bool operator==(const TRect &, const TRect &) = default;

    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    constexpr TPoint TopLeft() const { return {Left, Top}; }
    constexpr TPoint BottomRight() const { return {Right, Bottom}; }
    constexpr bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
    constexpr bool Contains(TPoint p) const { return Contains(p.X, p.Y); }

    // The rectangle with its edges sorted, so that it is not inverted.
    constexpr TRect Normalized() const
    {
        return {std::min(Left, Right), std::min(Top, Bottom), std::max(Left, Right), std::max(Top, Bottom)};
    }
    constexpr TRect Offset(int dx, int dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }
    constexpr TRect Inflated(int dx, int dy) const { return {Left - dx, Top - dy, Right + dx, Bottom + dy}; }
    // The common part; empty rectangles give the empty rectangle (0,0,0,0).
    constexpr TRect Intersected(const TRect &o) const
    {
        TRect r{std::max(Left, o.Left), std::max(Top, o.Top), std::min(Right, o.Right), std::min(Bottom, o.Bottom)};
        return r.IsEmpty() ? TRect{} : r;
    }
    // The smallest rectangle holding both; an empty one does not count.
    constexpr TRect United(const TRect &o) const
    {
        if (IsEmpty())
            return o.IsEmpty() ? TRect{} : o;
        if (o.IsEmpty())
            return *this;
        return {std::min(Left, o.Left), std::min(Top, o.Top), std::max(Right, o.Right), std::max(Bottom, o.Bottom)};
    }

    QRect ToQRect() const { return QRect(Left, Top, Width(), Height()); }
    static TRect FromQRect(const QRect &r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }
};

constexpr TPoint Point(int x, int y)
{
    return {x, y};
}
constexpr TRect Rect(int left, int top, int right, int bottom)
{
    return {left, top, right, bottom};
}
constexpr TRect Bounds(int left, int top, int width, int height)
{
    return {left, top, left + width, top + height};
}

// Polygon fill rules.
enum TPolyFillMode { ALTERNATE = 1, WINDING = 2 };
