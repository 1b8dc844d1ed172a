#include "toolkit/grid/ColumnSizingDrag.h"

#include "toolkit/grid/DBGridPainter.h"

#include <algorithm>

void TColumnSizingDrag::Begin(int col, int x, int width, int lineX)
{
    m_col = col;
    m_startX = x;
    m_startWidth = width;
    m_lineX = lineX;
}

void TColumnSizingDrag::MoveTo(int x, int colStart)
{
    m_lineX = colStart + WidthAt(x);
}

TColumnSizingDrag::TResult TColumnSizingDrag::Finish(int x)
{
    const TResult result{m_col, WidthAt(x)};
    m_col = -1;
    return result;
}

int TColumnSizingDrag::WidthAt(int x) const
{
    return std::max(kMinSizedColumnWidth, m_startWidth + x - m_startX);
}
