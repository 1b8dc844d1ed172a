#include "toolkit/gdi/SpanSet.h"

#include <algorithm>

namespace {

using Span = TSpanSet::Span;
using Row = TSpanSet::Row;

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

TSpanSet TSpanSet::FromRows(int top, std::vector<Row> rows)
{
    TSpanSet s;
    s.m_top = top;
    s.m_rows = std::move(rows);
    s.Trim();
    return s;
}

void TSpanSet::Trim()
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

TSpanSet TSpanSet::FromRect(const TRect &r)
{
    const TRect n = r.Normalized();
    if (n.IsEmpty())
        return {};
    return FromRows(n.Top, std::vector<Row>(size_t(n.Height()), Row{Span{n.Left, n.Right}}));
}

TSpanSet TSpanSet::Combined(const TSpanSet &a, const TSpanSet &b, TRegionCombine mode)
{
    if (mode == RGN_COPY)
        return a;
    if (a.IsEmpty() && b.IsEmpty())
        return {};
    const int top = a.IsEmpty() ? b.m_top : b.IsEmpty() ? a.m_top : std::min(a.m_top, b.m_top);
    const int bottom = std::max(a.m_top + int(a.m_rows.size()), b.m_top + int(b.m_rows.size()));
    static const Row empty;
    auto rowOf = [](const TSpanSet &s, int y) -> const Row & {
        const int i = y - s.m_top;
        return i >= 0 && i < int(s.m_rows.size()) ? s.m_rows[size_t(i)] : empty;
    };
    std::vector<Row> rows;
    rows.reserve(size_t(bottom - top));
    for (int y = top; y < bottom; ++y)
        rows.push_back(CombineRows(rowOf(a, y), rowOf(b, y), mode));
    return FromRows(top, std::move(rows));
}

void TSpanSet::Combine(const TSpanSet &other, TRegionCombine mode)
{
    *this = Combined(*this, other, mode);
}

void TSpanSet::Offset(int dx, int dy)
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

bool TSpanSet::Contains(int x, int y) const
{
    const int i = y - m_top;
    return i >= 0 && i < int(m_rows.size()) && InRow(m_rows[size_t(i)], x);
}
