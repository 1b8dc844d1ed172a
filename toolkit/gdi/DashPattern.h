#pragma once

#include "toolkit/gdi/Pen.h"

#include <array>

// The dashes of a thin styled pen: lengths of the drawn and skipped runs,
// repeated along the pixels of a line from its first pixel on.
class TDashPattern
{
public:
    // The pattern of a style; null for the styles that draw every pixel.
    static const TDashPattern *Of(TPenStyle style);

    // Whether the pixel at this position along the line is drawn.
    bool Draws(int position) const;

private:
    static constexpr int kMaxRuns = 6;

    constexpr TDashPattern(std::array<int, kMaxRuns> runs, int count)
        : m_runs(runs)
        , m_count(count)
    { }

    std::array<int, kMaxRuns> m_runs;
    int m_count;
};
