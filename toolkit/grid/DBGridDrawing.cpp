// The grid composed off screen from the painters of DBGridPainter: border,
// titles, indicator and data cells, and the line of a column being sized.

#include "toolkit/gdi/DeviceScale.h"
#include "toolkit/grid/DBGrid.h"

#include "toolkit/db/DataSet.h"
#include "toolkit/gdi/SystemColors.h"
#include "toolkit/grid/DBGridPainter.h"

#include <QPainter>

#include <algorithm>
#include <optional>

void TDBGrid::paintEvent(QPaintEvent *)
{
    const TDeviceScale scale = DeviceScaleOf(*this);
    const QSize deviceSize(scale.DeviceExtent(width()), scale.DeviceExtent(height()));
    if (m_backBuffer.size() != deviceSize || m_backBuffer.devicePixelRatio() != scale.Ratio())
        m_backBuffer = ScaledSurface(scale, size());
    TCanvas canvas(&m_backBuffer);
    m_canvas = &canvas;
    PaintGrid(canvas);
    m_canvas = &m_measureCanvas;
    QPainter(this).drawImage(0, 0, m_backBuffer);
}

void TDBGrid::PaintGrid(TCanvas &canvas)
{
    PaintSunkenBorder(canvas, {0, 0, width(), height()});
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clBtnFace);
    canvas.FillRect(
        TRect::FromQRect(rect().adjusted(kGridBorderWidth, kGridBorderWidth, -kGridBorderWidth, -kGridBorderWidth)));

    canvas.Save();
    canvas.SetOrigin(kGridBorderWidth, kGridBorderWidth);
    canvas.SetClipRect({0, 0, Geometry().ClientWidth(), Geometry().ClientHeight()});
    canvas.Brush().SetColor(m_color);
    canvas.FillRect({0, 0, Geometry().ClientWidth(), Geometry().ClientHeight()});
    PaintTitleRow(canvas);
    PaintDataRows(canvas);
    if (m_sizing.Active())
        canvas.InvertRect({m_sizing.LineX(), 0, m_sizing.LineX() + kSizingLineWidth, Geometry().ClientHeight()});
    canvas.Restore();
}

void TDBGrid::PaintCellLines(TCanvas &canvas, const TRect &cell, bool fixed)
{
    const int vline = Geometry().VertLineWidth();
    const int hline = Geometry().HorzLineWidth();
    const bool vertShown = fixed || (m_options & dgColLines);
    const bool horzShown = fixed || (m_options & dgRowLines);
    const TColor lineColor = fixed ? FixedLineColor() : DataLineColor(m_color);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(vertShown ? lineColor : m_color);
    canvas.FillRect({cell.Right, cell.Top, cell.Right + vline, cell.Bottom + hline});
    canvas.Brush().SetColor(horzShown ? lineColor : m_color);
    canvas.FillRect({cell.Left, cell.Bottom, cell.Right + vline, cell.Bottom + hline});
}

void TDBGrid::PaintTitleRow(TCanvas &canvas)
{
    if (Geometry().FixedRows() == 0)
        return;
    for (int col = 0; col < ColCount(); ++col) {
        const TRect cell = CellRect(col, 0);
        if (cell.IsEmpty())
            continue;
        if (col < Geometry().FixedCols()) {
            PaintFixedCell(canvas, cell, m_fixedColor);
        } else {
            canvas.SetFont(m_titleFont);
            PaintTitleCell(canvas, cell, m_fixedColor, m_columns[col - IndicatorOffset()]->TitleCaption());
        }
        PaintCellLines(canvas, cell, true);
    }
}

// A row is drawn from one reading of its values, or as not yet read; once
// one row could not be read without waiting, the rows after it are drawn
// from what is held, and the grid paints again shortly.
void TDBGrid::PaintDataRows(TCanvas &canvas)
{
    TDataSet *ds = DataSet();
    const int active = ds ? ds->ActiveDisplayRow() : -1;
    const TDataSetState state = ds ? ds->State() : dsInactive;
    const int rows = RowsInView();
    TDataSet::TRowRead read = TDataSet::TRowRead::Glance;
    for (int i = 0; i < rows; ++i) {
        const int displayRow = m_topRow + i;
        const int row = Geometry().FixedRows() + i;
        const bool current = displayRow == active;
        const bool hasRow = ds && displayRow < ds->DisplayRowCount();
        if (IndicatorShown()) {
            const TRect cell = CellRect(0, row);
            TIndicatorMark mark = TIndicatorMark::None;
            if (current)
                mark = state == dsEdit     ? TIndicatorMark::Editing
                       : state == dsInsert ? TIndicatorMark::Inserting
                                           : TIndicatorMark::Current;
            PaintIndicatorCell(canvas, cell, m_fixedColor, mark);
            PaintCellLines(canvas, cell, true);
        }
        std::optional<TDataSet::DisplayRowScope> scope;
        TRowContent content = TRowContent::None;
        if (hasRow) {
            scope.emplace(*ds, displayRow, read);
            content = scope->Read() ? TRowContent::Values : TRowContent::NotYetRead;
        }
        if (content == TRowContent::NotYetRead) {
            read = TDataSet::TRowRead::HeldOnly;
            m_unreadRowsRetry.start();
        }
        for (int col = Geometry().FixedCols(); col < ColCount(); ++col) {
            const TRect cell = CellRect(col, row);
            if (cell.IsEmpty())
                continue;
            PaintDataCell(canvas, cell, col, current, content);
            PaintCellLines(canvas, cell, false);
        }
    }
}

void TDBGrid::PaintDataCell(TCanvas &canvas, const TRect &cell, int col, bool currentRow, TRowContent content)
{
    const bool hasRow = content != TRowContent::None;
    // The selected state follows the current cell (or row) alone, whichever
    // window has the focus; the focused state adds the grid's own focus.
    TGridDrawState state;
    if (currentRow && hasRow && ((m_options & dgRowSelect) || col == m_col))
        state |= gdSelected;
    if ((state & gdSelected) && col == m_col && hasFocus())
        state |= gdFocused;

    canvas.SetFont(m_font);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(state & gdSelected ? clHighlight : m_color);
    if (state & gdSelected)
        canvas.Font().SetColor(clHighlightText);

    const int dataCol = col - IndicatorOffset();
    TColumn *column = m_columns[dataCol];
    if (content != TRowContent::Values) {
        canvas.FillRect(cell);
        return;
    }
    if (OnDrawColumnCell)
        OnDrawColumnCell(this, cell, dataCol, column, state);
    else
        DefaultDrawColumnCell(cell, dataCol, column, state);
    if ((state & gdFocused) && !(m_options & dgRowSelect) && !EditorMode())
        canvas.DrawFocusRect(cell);
}

void TDBGrid::DefaultDrawColumnCell(const TRect &rect, int, TColumn *column, TGridDrawState)
{
    const QString text = column && column->Field() ? column->Field()->DisplayText() : QString();
    PaintCellText(*m_canvas, rect, column ? column->Alignment() : taLeftJustify, text);
}

int TDBGrid::RowsInView() const
{
    TDataSet *ds = DataSet();
    const int rows = ds ? std::min(Geometry().VisibleDataRows(), ds->DisplayRowCount() - m_topRow) : 0;
    // An empty set shows the titles alone, unless typing into an empty row
    // there starts the first record.
    const int emptyRow = CanAppend() ? 1 : 0;
    return std::max(rows, std::min(emptyRow, Geometry().VisibleDataRows()));
}
