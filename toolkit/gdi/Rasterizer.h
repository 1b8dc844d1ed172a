#pragma once

#include "toolkit/gdi/Geometry.h"
#include "toolkit/gdi/SpanSet.h"

#include <functional>
#include <vector>

// The platform's pixel rules for figures, in one place. Every shape is a
// set of spans (a TSpanSet); the canvas paints them and regions are built
// from them, so a region of a shape holds exactly the pixels the canvas
// paints for it.
class TRasterizer
{
public:
    // The pixels of a thin line from (x0, y0) towards (x1, y1), end point
    // left out, in drawing order (Bresenham; ties keep the minor coordinate
    // of the start).
    static void ThinLine(int x0, int y0, int x1, int y1, const std::function<void(int, int)> &plot);

    // A line of a wide pen: the pixels whose centres lie closer than
    // width / 2 to the segment (round ends); an even width centres the pen
    // half a pixel up and to the left of the path.
    static TSpanSet WideLine(int x0, int y0, int x1, int y1, int width);

    // Filled shapes within the box (left, top)..(right, bottom), right and
    // bottom excluded; an inverted box is normalised, an empty one gives the
    // empty set.
    static TSpanSet RectShape(int left, int top, int right, int bottom);
    static TSpanSet EllipseShape(int left, int top, int right, int bottom);
    static TSpanSet RoundRectShape(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
    // The pixels whose centres lie inside the polygon by the fill rule.
    static TSpanSet PolygonShape(const std::vector<TPoint> &points, TPolyFillMode mode);

    // The thin outline of a shape that has one span per row: the pixels of
    // each row not covered by both neighbouring rows, which join diagonally
    // (8-connected) along slopes.
    static TSpanSet Outline(const TSpanSet &shape);

    // The outline band of a pen of the given width centred on the box's
    // thin outline, and the inside that the brush fills, for a shape
    // builder taking a box.
    struct Figure {
        TSpanSet outline;
        TSpanSet inside;
    };
    static Figure BoxFigure(const std::function<TSpanSet(int, int, int, int)> &shape, int left, int top, int right,
                            int bottom, int penWidth);
};
