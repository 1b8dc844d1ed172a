#pragma once

#include "toolkit/gdi/Geometry.h"

#include <vector>

enum TRegionCombine { RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5 };

// A set of pixels kept as horizontal spans per row: what the rasteriser
// produces for a figure, what the canvas paints and what a region holds.
// Every row's spans are sorted and disjoint; there are no empty rows at
// either end, and the empty set has no rows at all.
class TSpanSet
{
public:
    struct Span {
        int x0; // first pixel
        int x1; // one past the last pixel
        friend bool operator==(const Span &, const Span &) = default;
    };
    using Row = std::vector<Span>;

    TSpanSet() = default;

    // Rows from top down; empty rows at the ends are dropped.
    static TSpanSet FromRows(int top, std::vector<Row> rows);
    // The rectangle's pixels, right column and bottom row excluded; an
    // inverted rectangle is normalised.
    static TSpanSet FromRect(const TRect &r);

    static TSpanSet Combined(const TSpanSet &a, const TSpanSet &b, TRegionCombine mode);
    void Combine(const TSpanSet &other, TRegionCombine mode = RGN_OR);
    void Offset(int dx, int dy);

    bool IsEmpty() const { return m_rows.empty(); }
    bool Contains(int x, int y) const;
    int Top() const { return m_top; }
    const std::vector<Row> &Rows() const { return m_rows; }

    friend bool operator==(const TSpanSet &a, const TSpanSet &b) = default;

private:
    void Trim();

    int m_top = 0;
    std::vector<Row> m_rows;
};
