#include "toolkit/grid/DBGridCellAccessible.h"

#include "toolkit/db/DataSet.h"
#include "toolkit/grid/DBGrid.h"
#include "toolkit/grid/DBGridAccessible.h"
#include "toolkit/grid/DBGridPainter.h"

#include <QWindow>

TDBGridCellAccessible::TDBGridCellAccessible(TDBGrid *grid, int row, int column)
    : m_grid(grid)
    , m_row(row)
    , m_column(column)
{ }

void *TDBGridCellAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableCellInterface && !IsTitle())
        return static_cast<QAccessibleTableCellInterface *>(this);
    if (type == QAccessible::ActionInterface && !IsTitle())
        return static_cast<QAccessibleActionInterface *>(this);
    return nullptr;
}

bool TDBGridCellAccessible::isValid() const
{
    if (!m_grid || m_column >= m_grid->Columns().Count())
        return false;
    if (IsTitle())
        return bool(m_grid->Options() & dgTitles);
    const TDataSet *ds = m_grid->DataSet();
    return ds && m_row < ds->DisplayRowCount();
}

QWindow *TDBGridCellAccessible::window() const
{
    return m_grid ? m_grid->window()->windowHandle() : nullptr;
}

QAccessibleInterface *TDBGridCellAccessible::parent() const
{
    return m_grid ? QAccessible::queryAccessibleInterface(m_grid.data()) : nullptr;
}

QAccessibleInterface *TDBGridCellAccessible::table() const
{
    return parent();
}

QString TDBGridCellAccessible::text(QAccessible::Text t) const
{
    if (t != QAccessible::Name || !isValid())
        return {};
    if (IsTitle())
        return m_grid->Columns()[m_column]->TitleCaption();
    return m_grid->CellText(m_row, m_column);
}

QAccessible::Role TDBGridCellAccessible::role() const
{
    return IsTitle() ? QAccessible::ColumnHeader : QAccessible::Cell;
}

// The cell's rectangle on the screen while it is in view, else empty.
QRect TDBGridCellAccessible::rect() const
{
    if (!isValid())
        return {};
    const int gridCol = m_column + (m_grid->IndicatorShown() ? 1 : 0);
    const int gridRow = IsTitle() ? 0 : m_grid->FixedRows() + m_row - m_grid->TopRow();
    if (!IsTitle() && gridRow < m_grid->FixedRows())
        return {};
    const QRect cell = m_grid->CellRect(gridCol, gridRow).ToQRect();
    if (cell.isEmpty())
        return {};
    const QRect visible = cell.translated(kGridBorderWidth, kGridBorderWidth) & m_grid->ClientRect();
    return QRect(m_grid->mapToGlobal(visible.topLeft()), visible.size());
}

bool TDBGridCellAccessible::IsCurrent() const
{
    const TDataSet *ds = m_grid->DataSet();
    return ds && m_row == ds->ActiveDisplayRow() && m_column == m_grid->SelectedIndex();
}

bool TDBGridCellAccessible::isSelected() const
{
    if (!isValid() || IsTitle())
        return false;
    const TDataSet *ds = m_grid->DataSet();
    if (m_grid->Options() & dgRowSelect)
        return m_row == ds->ActiveDisplayRow();
    return IsCurrent();
}

QAccessible::State TDBGridCellAccessible::state() const
{
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    if (rect().isEmpty()) {
        state.invisible = true;
        state.offscreen = true;
    }
    if (IsTitle())
        return state;
    state.focusable = true;
    state.selectable = true;
    state.selected = isSelected();
    state.focused = IsCurrent() && m_grid->hasFocus() && !m_grid->EditorMode();
    const TDataSet *ds = m_grid->DataSet();
    const TField *field = m_grid->Columns()[m_column]->Field();
    const TDBGridOptions options = m_grid->Options();
    state.editable = (options & dgEditing) && !(options & dgRowSelect) && !m_grid->ReadOnly() && ds->CanModify()
                     && field && !field->ReadOnly();
    state.readOnly = !state.editable;
    return state;
}

QList<QAccessibleInterface *> TDBGridCellAccessible::columnHeaderCells() const
{
    const auto *grid = dynamic_cast<TDBGridAccessible *>(table());
    QAccessibleInterface *title = grid ? grid->Cell(kTitleRow, m_column) : nullptr;
    return title ? QList<QAccessibleInterface *>{title} : QList<QAccessibleInterface *>{};
}

QStringList TDBGridCellAccessible::actionNames() const
{
    return IsTitle() ? QStringList{} : QStringList{setFocusAction()};
}

void TDBGridCellAccessible::doAction(const QString &actionName)
{
    if (actionName == setFocusAction() && isValid() && !IsTitle())
        m_grid->GoToCell(m_row, m_column);
}
