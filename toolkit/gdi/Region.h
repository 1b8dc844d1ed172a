#pragma once

#include "toolkit/gdi/Geometry.h"

#include <QBitmap>
#include <QRegion>
#include <vector>

enum TRegionCombine { RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5 };

// A set of pixels kept as horizontal spans per row. Shapes are built by the
// same rules the canvas paints with: a round-rectangle region holds exactly
// the pixels RoundRect paints, a polygon region the pixels whose centres
// lie inside by the chosen fill rule.
class TRegion {
public:
    TRegion() = default;

    static TRegion FromRect(const TRect &r);
    static TRegion FromRoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
    static TRegion FromEllipse(int left, int top, int right, int bottom);
    static TRegion FromPolygon(const std::vector<TPoint> &points, TPolyFillMode mode = WINDING);

    // Sets this region to a combination of itself and other.
    void Combine(const TRegion &other, TRegionCombine mode = RGN_OR);
    static TRegion Combined(const TRegion &a, const TRegion &b, TRegionCombine mode);
    void Offset(int dx, int dy);

    bool IsEmpty() const;
    TRect BoundingBox() const;
    bool Contains(int x, int y) const;
    bool Contains(TPoint p) const { return Contains(p.X, p.Y); }
    // The pixels of the region that lie within width columns or height rows
    // of a pixel outside it: the frame that FrameRgn paints.
    TRegion Frame(int width, int height) const;
    // Maximal rectangles, one per run of equal rows, top to bottom.
    std::vector<TRect> Rects() const;

    QRegion ToQRegion() const;
    // A mask of the given size: the region's pixels set (color1).
    QBitmap ToQBitmap(int width, int height) const;

    friend bool operator==(const TRegion &a, const TRegion &b);

    struct Span {
        int x0; // first pixel
        int x1; // one past the last pixel
        friend bool operator==(const Span &, const Span &) = default;
    };
    using Row = std::vector<Span>;
    // Rows from Top() down; empty rows may occur inside but not at the ends.
    int Top() const { return m_top; }
    const std::vector<Row> &Rows() const { return m_rows; }
    static TRegion FromRows(int top, std::vector<Row> rows);

private:
    void Trim();

    int m_top = 0;
    std::vector<Row> m_rows;
};
