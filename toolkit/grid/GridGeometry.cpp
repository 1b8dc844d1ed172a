#include "toolkit/grid/GridGeometry.h"

#include <algorithm>

void TGridGeometry::SetColumnWidths(std::vector<int> widths)
{
    for (int &w : widths)
        w = std::max(w, 0);
    FColWidths = std::move(widths);
    FFixedCols = std::min(FFixedCols, ColCount());
    FLeftCol = ClampedLeftCol(FLeftCol);
}

void TGridGeometry::SetFixedCols(int count)
{
    FFixedCols = std::clamp(count, 0, ColCount());
    FLeftCol = ClampedLeftCol(FLeftCol);
}

void TGridGeometry::SetFixedRows(int count)
{
    FFixedRows = std::max(count, 0);
}

void TGridGeometry::SetLeftCol(int col)
{
    FLeftCol = ClampedLeftCol(col);
}

void TGridGeometry::SetDefaultRowHeight(int height)
{
    if (height > 0)
        FDefaultRowHeight = height;
}

void TGridGeometry::SetGridLineWidth(int width)
{
    if (width >= 0)
        FGridLineWidth = width;
}

void TGridGeometry::SetClientSize(int width, int height)
{
    FClientWidth = std::max(width, 0);
    FClientHeight = std::max(height, 0);
}

void TGridGeometry::SetLines(bool fixedVert, bool vert, bool fixedHorz, bool horz)
{
    FFixedVertLines = fixedVert;
    FVertLines = vert;
    FFixedHorzLines = fixedHorz;
    FHorzLines = horz;
}

void TGridGeometry::SetColSizing(bool on)
{
    FColSizing = on;
}

void TGridGeometry::SetIndicatorShown(bool on)
{
    FIndicatorShown = on;
}

int TGridGeometry::ClampedLeftCol(int col) const
{
    return std::clamp(col, FFixedCols, std::max(FFixedCols, ColCount() - 1));
}

int TGridGeometry::VertLineWidth() const
{
    return FFixedVertLines || FVertLines ? FGridLineWidth : 0;
}

int TGridGeometry::HorzLineWidth() const
{
    return FFixedHorzLines || FHorzLines ? FGridLineWidth : 0;
}

int TGridGeometry::ColWidths(int col) const
{
    return col >= 0 && col < ColCount() ? FColWidths[col] : 0;
}

void TGridGeometry::SetColWidths(int col, int width)
{
    if (col >= 0 && col < ColCount() && width >= 0)
        FColWidths[col] = width;
}

int TGridGeometry::RowHeights(int) const
{
    return FDefaultRowHeight;
}

int TGridGeometry::VisibleColCount() const
{
    const int line = VertLineWidth();
    int x = 0;
    for (int i = 0; i < FFixedCols; ++i)
        x += FColWidths[i] + line;
    int count = 0;
    for (int i = FLeftCol; i < ColCount(); ++i) {
        x += FColWidths[i] + line;
        if (x > FClientWidth + line && i != FLeftCol)
            break;
        ++count;
    }
    return count;
}

int TGridGeometry::GridWidth() const
{
    const int line = VertLineWidth();
    int x = 0;
    for (int i = 0; i < FFixedCols; ++i)
        x += FColWidths[i] + line;
    for (int i = FLeftCol; i < ColCount(); ++i)
        x += FColWidths[i] + line;
    return x <= FClientWidth + line ? x : FClientWidth;
}

std::optional<TGridSpan> TGridGeometry::ColumnSpan(int col) const
{
    if (col < 0 || col >= ColCount() || (col >= FFixedCols && col < FLeftCol))
        return std::nullopt;
    const int line = VertLineWidth();
    int x = 0;
    for (int i = 0; i < std::min(col, FFixedCols); ++i)
        x += FColWidths[i] + line;
    for (int i = FLeftCol; i < col; ++i)
        x += FColWidths[i] + line;
    if (col >= FFixedCols && x >= FClientWidth)
        return std::nullopt;
    return TGridSpan{x, x + FColWidths[col]};
}

TGridSpan TGridGeometry::RowSpan(int row) const
{
    const int top = row * (FDefaultRowHeight + HorzLineWidth());
    return {top, top + FDefaultRowHeight};
}

int TGridGeometry::VisibleDataRows() const
{
    const int pitch = FDefaultRowHeight + HorzLineWidth();
    const int room = FClientHeight - FFixedRows * pitch;
    return room > 0 ? (room + pitch - 1) / pitch : 0;
}

int TGridGeometry::WholeDataRows() const
{
    const int pitch = FDefaultRowHeight + HorzLineWidth();
    const int room = FClientHeight - FFixedRows * pitch;
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
    if (y < 0 || y >= FClientHeight)
        return -1;
    const int row = y / (FDefaultRowHeight + HorzLineWidth());
    return row < FFixedRows + VisibleDataRows() ? row : -1;
}

int TGridGeometry::MaxLeftCol() const
{
    const int line = VertLineWidth();
    int room = FClientWidth + line;
    for (int i = 0; i < FFixedCols; ++i)
        room -= FColWidths[i] + line;
    int used = 0;
    for (int i = ColCount() - 1; i >= FFixedCols; --i) {
        used += FColWidths[i] + line;
        if (used > room && i != ColCount() - 1)
            return i + 1;
    }
    return FFixedCols;
}

void TGridGeometry::ScrollColumnIntoView(int col)
{
    if (col < FFixedCols || col >= ColCount())
        return;
    if (col < FLeftCol) {
        FLeftCol = col;
        return;
    }
    while (FLeftCol < col && col >= FLeftCol + VisibleColCount())
        ++FLeftCol;
}
