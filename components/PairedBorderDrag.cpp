#include "components/PairedBorderDrag.h"

#include "components/GridRoutine.h"
#include "toolkit/grid/DBGrid.h"

#include <QMouseEvent>

namespace {

int DataColumnCount(const TGridMetrics &grid)
{
    return grid.ColCount() - (grid.IndicatorShown() ? 1 : 0);
}

int GridColumn(const TGridMetrics &grid, int dataColumn)
{
    return dataColumn + (grid.IndicatorShown() ? 1 : 0);
}

} // namespace

TPairedBorderDrag::~TPairedBorderDrag()
{
    Uninstall();
}

void TPairedBorderDrag::Install(TDBGrid &grid)
{
    Uninstall();
    FDragColumn = -1;
    FPairWidth = 0;
    FDragWidth = 0;
    m_grid = &grid;
    grid.installEventFilter(this);
}

void TPairedBorderDrag::Uninstall()
{
    if (m_grid)
        m_grid->removeEventFilter(this);
    m_grid = nullptr;
}

void TPairedBorderDrag::LeftButtonDown(TGridMetrics &grid, int x, int y)
{
    FDragColumn = ColumnAtBorder(grid, x & 0xFFFF, y & 0xFFFF);
    if (FDragColumn < 0)
        return;
    FDragWidth = grid.ColWidths(GridColumn(grid, FDragColumn));
    FPairWidth = FDragWidth;
    if (FDragColumn + 1 < DataColumnCount(grid))
        FPairWidth += grid.ColWidths(GridColumn(grid, FDragColumn + 1));
}

void TPairedBorderDrag::Complete(TGridMetrics &grid)
{
    if (FDragColumn >= 0 && FDragColumn < DataColumnCount(grid)) {
        if (FDragColumn < DataColumnCount(grid) - 1) {
            const int rest = FPairWidth - grid.ColWidths(GridColumn(grid, FDragColumn));
            if (rest > 0)
                grid.SetColWidths(GridColumn(grid, FDragColumn + 1), rest);
            else
                grid.SetColWidths(GridColumn(grid, FDragColumn), FDragWidth);
        }
        FitColumnWidth(grid, 0);
    }
    FDragColumn = -1;
}

void TPairedBorderDrag::Complete()
{
    if (m_grid)
        Complete(*m_grid);
    else
        FDragColumn = -1;
}

bool TPairedBorderDrag::eventFilter(QObject *watched, QEvent *event)
{
    return watched == m_grid.data() && GridWndProc(event);
}

bool TPairedBorderDrag::GridWndProc(QEvent *event)
{
    // A quick second press arrives as a double click; the grid sizes from it
    // as from any press, so it must start a paired drag as well.
    const auto type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton) {
            const QPoint client = m_grid->ClientFromWidget(mouse->position().toPoint());
            LeftButtonDown(*m_grid, client.x(), client.y());
        }
    }
    return false;
}
