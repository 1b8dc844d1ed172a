#include "toolkit/grid/DBGridPainter.h"

#include <algorithm>

namespace {

// The indicator marks are drawn around the cell's centre point.
constexpr int kArrowHalfHeight = 4;
constexpr int kArrowWidth = 4;
constexpr int kBeamHalfHeight = 4;
constexpr int kBeamSerifHalfWidth = 2;
constexpr int kStarRadius = 3;

// A one-pixel frame: `light` on the top and left edges, `dark` on the
// bottom and right ones.
void PaintEdge(TCanvas &canvas, const TRect &r, TColor light, TColor dark)
{
    canvas.FillSolidRect({r.Left, r.Top, r.Right - 1, r.Top + 1}, light);
    canvas.FillSolidRect({r.Left, r.Top, r.Left + 1, r.Bottom - 1}, light);
    canvas.FillSolidRect({r.Left, r.Bottom - 1, r.Right, r.Bottom}, dark);
    canvas.FillSolidRect({r.Right - 1, r.Top, r.Right, r.Bottom}, dark);
}

void Line(TCanvas &canvas, int x1, int y1, int x2, int y2)
{
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
}

void PaintArrow(TCanvas &canvas, int cx, int cy)
{
    const int left = cx - kArrowWidth / 2;
    canvas.Brush().SetColor(IndicatorMarkColor());
    canvas.Polygon({{left, cy - kArrowHalfHeight}, {left + kArrowWidth, cy}, {left, cy + kArrowHalfHeight}});
}

void PaintBeam(TCanvas &canvas, int cx, int cy)
{
    const int top = cy - kBeamHalfHeight;
    const int bottom = cy + kBeamHalfHeight;
    Line(canvas, cx, top, cx, bottom + 1);
    Line(canvas, cx - kBeamSerifHalfWidth, top, cx + kBeamSerifHalfWidth + 1, top);
    Line(canvas, cx - kBeamSerifHalfWidth, bottom, cx + kBeamSerifHalfWidth + 1, bottom);
}

void PaintStar(TCanvas &canvas, int cx, int cy)
{
    Line(canvas, cx, cy - kStarRadius, cx, cy + kStarRadius + 1);
    Line(canvas, cx - kStarRadius, cy, cx + kStarRadius + 1, cy);
    Line(canvas, cx - kStarRadius + 1, cy - kStarRadius + 1, cx + kStarRadius, cy + kStarRadius);
    Line(canvas, cx + kStarRadius - 1, cy - kStarRadius + 1, cx - kStarRadius, cy + kStarRadius);
}

} // namespace

TColor FixedLineColor()
{
    return clWindowFrame;
}

TColor DataLineColor(TColor gridColor)
{
    return ColorToRGB(gridColor) == clSilver ? clGray : clSilver;
}

TColor IndicatorMarkColor()
{
    return clWindowText;
}

void PaintSunkenBorder(TCanvas &canvas, const TRect &outer)
{
    PaintEdge(canvas, outer, clBtnShadow, clBtnHighlight);
    PaintEdge(canvas, outer.Inflated(-1, -1), cl3DDkShadow, cl3DLight);
}

void PaintFixedCell(TCanvas &canvas, const TRect &cell, TColor face)
{
    canvas.FillSolidRect(cell, face);
    PaintEdge(canvas, cell, clBtnHighlight, clBtnShadow);
}

void PaintTitleCell(TCanvas &canvas, const TRect &cell, TColor face, const QString &caption)
{
    canvas.FillSolidRect(cell, face);
    canvas.Brush().SetStyle(bsClear);
    canvas.TextRect(cell, cell.Left + kCellTextMargin, cell.Top + kCellTextMargin, caption);
    PaintEdge(canvas, cell, clBtnHighlight, clBtnShadow);
}

void PaintIndicatorCell(TCanvas &canvas, const TRect &cell, TColor face, TIndicatorMark mark)
{
    PaintFixedCell(canvas, cell, face);
    const int cx = cell.Left + cell.Width() / 2;
    const int cy = cell.Top + cell.Height() / 2;
    canvas.Pen().SetColor(IndicatorMarkColor());
    canvas.Pen().SetStyle(psSolid);
    canvas.Brush().SetStyle(bsSolid);
    switch (mark) {
    case TIndicatorMark::None: break;
    case TIndicatorMark::Current: PaintArrow(canvas, cx, cy); break;
    case TIndicatorMark::Editing: PaintBeam(canvas, cx, cy); break;
    case TIndicatorMark::Inserting: PaintStar(canvas, cx, cy); break;
    }
}

namespace {

// Text far longer than its cell can show is cut to the part that can reach the
// cell before it is laid out: every visible character is at least half a
// pixel wide, and laying out a cell of a million characters stalled every
// paint of the grid. The cut keeps the end that the alignment shows.
QString VisiblePart(const QString &text, int cellWidth, TAlignment alignment)
{
    const qsizetype limit = qsizetype(std::max(cellWidth, 0) + 1) * kVisibleCharactersPerPixel;
    if (text.size() <= limit)
        return text;
    switch (alignment) {
    case taRightJustify: return text.right(limit);
    case taCenter: return text.mid((text.size() - limit) / 2, limit);
    case taLeftJustify: break;
    }
    return text.left(limit);
}

} // namespace

void PaintCellText(TCanvas &canvas, const TRect &cell, TAlignment alignment, const QString &fullText)
{
    const QString text = VisiblePart(fullText, cell.Width(), alignment);
    int x = cell.Left + kCellTextMargin;
    if (alignment == taRightJustify)
        x = cell.Right - kCellTextMargin - canvas.TextWidth(text);
    else if (alignment == taCenter)
        x = cell.Left + (cell.Width() - canvas.TextWidth(text)) / 2;
    canvas.TextRect(cell, x, cell.Top + kCellTextMargin, text);
}
