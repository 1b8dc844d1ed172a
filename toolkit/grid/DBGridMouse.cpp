// Clicks that move to a cell or start an edit, the drag that sizes a
// column, and the wheel.

#include "toolkit/grid/DBGrid.h"

#include "toolkit/app/ErrorReporting.h"
#include "toolkit/db/DataSet.h"
#include "toolkit/grid/GridBorders.h"

#include <QMouseEvent>
#include <QWheelEvent>

#include <optional>

namespace {

constexpr int kWheelStepDegrees = 120;

} // namespace

int TDBGrid::SizingColumnAt(QPoint client) const
{
    const int col = ColumnBorderAt(*this, client.x(), client.y());
    return col >= Geometry().FixedCols() ? col : -1;
}

void TDBGrid::mousePressEvent(QMouseEvent *event)
{
    HandleInput([&] { MouseDown(event); });
}

void TDBGrid::MouseDown(QMouseEvent *event)
{
    const QPoint client = ClientFromWidget(event->position().toPoint());
    if (!hasFocus() && !EditorMode())
        setFocus();
    if (event->button() != Qt::LeftButton)
        return;
    if (const int col = SizingColumnAt(client); col >= 0) {
        m_sizing.Begin(col, client.x(), ColWidths(col), Geometry().ColumnSpan(col)->End);
        update();
        return;
    }
    TDataSet *ds = DataSet();
    const int row = Geometry().RowAt(client.y());
    const int col = Geometry().ColumnAt(client.x());
    if (!ds || row < Geometry().FixedRows() || client.x() < 0 || client.x() >= Geometry().ClientWidth())
        return;
    const int displayRow = m_topRow + row - Geometry().FixedRows();
    if (displayRow >= ds->DisplayRowCount())
        return;
    const bool onCurrentCell = displayRow == ds->ActiveDisplayRow() && col == m_col;
    MoveToDisplayRow(displayRow);
    if (col >= Geometry().FixedCols())
        MoveCol(col);
    if (onCurrentCell && !EditorMode())
        StartEditing(QString());
}

void TDBGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    // A quick second press sizes like any other.
    mousePressEvent(event);
}

void TDBGrid::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint client = ClientFromWidget(event->position().toPoint());
    if (m_sizing.Active()) {
        // Keys can scroll the sized column out of view during the drag; its
        // line then stays where it was, and the release still sizes it.
        if (const std::optional<TGridSpan> span = Geometry().ColumnSpan(m_sizing.Col()))
            m_sizing.MoveTo(client.x(), span->Start);
        update();
        return;
    }
    setCursor(SizingColumnAt(client) >= 0 ? Qt::SplitHCursor : Qt::ArrowCursor);
}

void TDBGrid::FinishSizing(int x)
{
    const TColumnSizingDrag::TResult sized = m_sizing.Finish(x);
    SetColWidths(sized.Col, sized.Width);
    update();
}

void TDBGrid::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint client = ClientFromWidget(event->position().toPoint());
    if (m_sizing.Active() && event->button() == Qt::LeftButton)
        FinishSizing(client.x());
    if (OnMouseUp)
        CallGuarded([&] { OnMouseUp(this, event->button(), event->modifiers(), client.x(), client.y()); });
}

void TDBGrid::wheelEvent(QWheelEvent *event)
{
    const int steps = event->angleDelta().y() / kWheelStepDegrees;
    if (steps != 0)
        HandleInput([&] { MoveRows(-steps); });
    event->accept();
}
