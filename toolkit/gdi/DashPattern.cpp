#include "toolkit/gdi/DashPattern.h"

const TDashPattern *TDashPattern::Of(TPenStyle style)
{
    static const TDashPattern dash({18, 6}, 2);
    static const TDashPattern dot({3, 3}, 2);
    static const TDashPattern dashDot({9, 6, 3, 6}, 4);
    static const TDashPattern dashDotDot({9, 3, 3, 3, 3, 3}, 6);
    switch (style) {
    case psDash: return &dash;
    case psDot: return &dot;
    case psDashDot: return &dashDot;
    case psDashDotDot: return &dashDotDot;
    default: return nullptr;
    }
}

bool TDashPattern::Draws(int position) const
{
    int period = 0;
    for (int i = 0; i < m_count; ++i)
        period += m_runs[size_t(i)];
    int p = position % period;
    for (int i = 0; i < m_count; ++i) {
        if (p < m_runs[size_t(i)])
            return i % 2 == 0;
        p -= m_runs[size_t(i)];
    }
    return false;
}
