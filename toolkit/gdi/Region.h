#pragma once

#include "toolkit/gdi/Geometry.h"
#include "toolkit/gdi/SpanSet.h"

#include <QBitmap>
#include <QRegion>
#include <vector>

// A window or paint region: a set of pixels built from shapes by the same
// rules the canvas paints with: a round-rectangle region holds exactly the
// pixels RoundRect paints, a polygon region the pixels whose centres lie
// inside by the chosen fill rule.
class TRegion
{
public:
    TRegion() = default;
    explicit TRegion(TSpanSet spans)
        : m_spans(std::move(spans))
    { }

    static TRegion FromRect(const TRect &r);
    static TRegion FromRoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
    static TRegion FromEllipse(int left, int top, int right, int bottom);
    static TRegion FromPolygon(const std::vector<TPoint> &points, TPolyFillMode mode = WINDING);

    // Sets this region to a combination of itself and other.
    void Combine(const TRegion &other, TRegionCombine mode = RGN_OR);
    static TRegion Combined(const TRegion &a, const TRegion &b, TRegionCombine mode);
    void Offset(int dx, int dy) { m_spans.Offset(dx, dy); }

    bool IsEmpty() const { return m_spans.IsEmpty(); }
    TRect BoundingBox() const;
    bool Contains(int x, int y) const { return m_spans.Contains(x, y); }
    bool Contains(TPoint p) const { return Contains(p.X, p.Y); }
    // The pixels of the region that lie within width columns or height rows
    // of a pixel outside it: the frame that FrameRgn paints.
    TRegion Frame(int width, int height) const;
    // Maximal rectangles, one per run of equal rows, top to bottom.
    std::vector<TRect> Rects() const;

    QRegion ToQRegion() const;
    // A mask of the given size: the region's pixels set (color1).
    QBitmap ToQBitmap(int width, int height) const;

    const TSpanSet &Spans() const { return m_spans; }

    friend bool operator==(const TRegion &a, const TRegion &b) = default;

private:
    TSpanSet m_spans;
};
