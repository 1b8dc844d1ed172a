#include "toolkit/grid/GridGeometry.h"

#include <algorithm>

void TGridGeometry::SetColumnWidths(std::vector<int> widths)
{
    for (int &w : widths)
        w = std::max(w, 0);
    m_colWidths = std::move(widths);
    m_fixedCols = std::min(m_fixedCols, ColCount());
    m_leftCol = ClampedLeftCol(m_leftCol);
}

void TGridGeometry::SetFixedCols(int count)
{
    m_fixedCols = std::clamp(count, 0, ColCount());
    m_leftCol = ClampedLeftCol(m_leftCol);
}

void TGridGeometry::SetFixedRows(int count)
{
    m_fixedRows = std::max(count, 0);
}

void TGridGeometry::SetLeftCol(int col)
{
    m_leftCol = ClampedLeftCol(col);
}

void TGridGeometry::SetDefaultRowHeight(int height)
{
    if (height > 0)
        m_defaultRowHeight = height;
}

void TGridGeometry::SetGridLineWidth(int width)
{
    if (width >= 0)
        m_gridLineWidth = width;
}

void TGridGeometry::SetClientSize(int width, int height)
{
    m_clientWidth = std::max(width, 0);
    m_clientHeight = std::max(height, 0);
}

void TGridGeometry::SetLines(bool fixedVert, bool vert, bool fixedHorz, bool horz)
{
    m_fixedVertLines = fixedVert;
    m_vertLines = vert;
    m_fixedHorzLines = fixedHorz;
    m_horzLines = horz;
}

void TGridGeometry::SetColSizing(bool on)
{
    m_colSizing = on;
}

void TGridGeometry::SetIndicatorShown(bool on)
{
    m_indicatorShown = on;
}

int TGridGeometry::ClampedLeftCol(int col) const
{
    return std::clamp(col, m_fixedCols, std::max(m_fixedCols, ColCount() - 1));
}

int TGridGeometry::VertLineWidth() const
{
    return m_fixedVertLines || m_vertLines ? m_gridLineWidth : 0;
}

int TGridGeometry::HorzLineWidth() const
{
    return m_fixedHorzLines || m_horzLines ? m_gridLineWidth : 0;
}

int TGridGeometry::ColWidths(int col) const
{
    return col >= 0 && col < ColCount() ? m_colWidths[col] : 0;
}

void TGridGeometry::SetColWidths(int col, int width)
{
    if (col >= 0 && col < ColCount() && width >= 0)
        m_colWidths[col] = width;
}

int TGridGeometry::RowHeights(int) const
{
    return m_defaultRowHeight;
}

int TGridGeometry::VisibleColCount() const
{
    const int line = VertLineWidth();
    int x = 0;
    for (int i = 0; i < m_fixedCols; ++i)
        x += m_colWidths[i] + line;
    int count = 0;
    for (int i = m_leftCol; i < ColCount(); ++i) {
        x += m_colWidths[i] + line;
        if (x > m_clientWidth + line && i != m_leftCol)
            break;
        ++count;
    }
    return count;
}

int TGridGeometry::GridWidth() const
{
    const int line = VertLineWidth();
    int x = 0;
    for (int i = 0; i < m_fixedCols; ++i)
        x += m_colWidths[i] + line;
    for (int i = m_leftCol; i < ColCount(); ++i)
        x += m_colWidths[i] + line;
    return x <= m_clientWidth + line ? x : m_clientWidth;
}

std::optional<TGridSpan> TGridGeometry::ColumnSpan(int col) const
{
    if (col < 0 || col >= ColCount() || (col >= m_fixedCols && col < m_leftCol))
        return std::nullopt;
    const int line = VertLineWidth();
    int x = 0;
    for (int i = 0; i < std::min(col, m_fixedCols); ++i)
        x += m_colWidths[i] + line;
    for (int i = m_leftCol; i < col; ++i)
        x += m_colWidths[i] + line;
    if (col >= m_fixedCols && x >= m_clientWidth)
        return std::nullopt;
    return TGridSpan{x, x + m_colWidths[col]};
}

TGridSpan TGridGeometry::RowSpan(int row) const
{
    const int top = row * (m_defaultRowHeight + HorzLineWidth());
    return {top, top + m_defaultRowHeight};
}

int TGridGeometry::VisibleDataRows() const
{
    const int pitch = m_defaultRowHeight + HorzLineWidth();
    const int room = m_clientHeight - m_fixedRows * pitch;
    return room > 0 ? (room + pitch - 1) / pitch : 0;
}

int TGridGeometry::WholeDataRows() const
{
    const int pitch = m_defaultRowHeight + HorzLineWidth();
    const int room = m_clientHeight - m_fixedRows * pitch;
    return std::max(1, (room + HorzLineWidth()) / pitch);
}

int TGridGeometry::ColumnAt(int x) const
{
    const int line = VertLineWidth();
    for (int col = 0; col < ColCount(); ++col) {
        const auto span = ColumnSpan(col);
        if (span && x >= span->Start && x < span->End + line)
            return col;
    }
    return -1;
}

int TGridGeometry::RowAt(int y) const
{
    if (y < 0 || y >= m_clientHeight)
        return -1;
    const int row = y / (m_defaultRowHeight + HorzLineWidth());
    return row < m_fixedRows + VisibleDataRows() ? row : -1;
}

int TGridGeometry::MaxLeftCol() const
{
    const int line = VertLineWidth();
    int room = m_clientWidth + line;
    for (int i = 0; i < m_fixedCols; ++i)
        room -= m_colWidths[i] + line;
    int used = 0;
    for (int i = ColCount() - 1; i >= m_fixedCols; --i) {
        used += m_colWidths[i] + line;
        if (used > room && i != ColCount() - 1)
            return i + 1;
    }
    return m_fixedCols;
}

void TGridGeometry::ScrollColumnIntoView(int col)
{
    if (col < m_fixedCols || col >= ColCount())
        return;
    if (col < m_leftCol) {
        m_leftCol = col;
        return;
    }
    while (m_leftCol < col && col >= m_leftCol + VisibleColCount())
        ++m_leftCol;
}
