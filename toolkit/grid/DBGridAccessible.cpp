#include "toolkit/grid/DBGridAccessible.h"

#include "toolkit/app/AccessibleFactory.h"
#include "toolkit/db/DataSet.h"
#include "toolkit/grid/DBGrid.h"
#include "toolkit/grid/DBGridCellAccessible.h"
#include "toolkit/grid/DBGridPainter.h"

TDBGridAccessible::TDBGridAccessible(TDBGrid *grid)
    : QAccessibleWidget(grid, QAccessible::Table)
{ }

TDBGridAccessible::~TDBGridAccessible()
{
    for (QAccessible::Id id : std::as_const(m_cells))
        QAccessible::deleteAccessibleInterface(id);
}

void TDBGridAccessible::Install()
{
    InstallAccessibleFactory<TDBGrid, TDBGridAccessible>();
}

TDBGrid *TDBGridAccessible::Grid() const
{
    return static_cast<TDBGrid *>(widget());
}

void *TDBGridAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

int TDBGridAccessible::TitleRows() const
{
    return (Grid()->Options() & dgTitles) ? 1 : 0;
}

int TDBGridAccessible::rowCount() const
{
    const TDataSet *ds = Grid()->DataSet();
    return ds ? ds->DisplayRowCount() : 0;
}

int TDBGridAccessible::columnCount() const
{
    return Grid()->Columns().Count();
}

QPair<int, int> TDBGridAccessible::CurrentCell() const
{
    const TDataSet *ds = Grid()->DataSet();
    if (!ds || columnCount() == 0)
        return {-1, -1};
    return {ds->ActiveDisplayRow(), Grid()->SelectedIndex()};
}

QAccessibleInterface *TDBGridAccessible::Cell(int row, int column) const
{
    if (row < TDBGridCellAccessible::kTitleRow || row >= rowCount() || column < 0 || column >= columnCount()
        || (row == TDBGridCellAccessible::kTitleRow && TitleRows() == 0))
        return nullptr;
    const QPair<int, int> place(row, column);
    if (const auto kept = m_cells.constFind(place); kept != m_cells.cend())
        return QAccessible::accessibleInterface(*kept);
    if (m_cells.size() >= kMaxKeptCells) {
        const QPair<int, int> current = CurrentCell();
        ForgetCells(m_cells.value(current));
    }
    auto *cell = new TDBGridCellAccessible(Grid(), row, column);
    m_cells.insert(place, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

// No interface has the id 0, so ForgetCells(0) forgets every cell.
void TDBGridAccessible::ForgetCells(QAccessible::Id keep) const
{
    for (auto it = m_cells.begin(); it != m_cells.end();) {
        if (*it == keep) {
            ++it;
            continue;
        }
        QAccessible::deleteAccessibleInterface(*it);
        it = m_cells.erase(it);
    }
}

QAccessibleInterface *TDBGridAccessible::cellAt(int row, int column) const
{
    return row >= 0 ? Cell(row, column) : nullptr;
}

int TDBGridAccessible::childCount() const
{
    const qint64 cells = qint64(TitleRows() + rowCount()) * columnCount();
    return int(cells) + (Grid()->InplaceEditor() ? 1 : 0);
}

QAccessibleInterface *TDBGridAccessible::child(int index) const
{
    const int columns = columnCount();
    const qint64 cells = qint64(TitleRows() + rowCount()) * columns;
    if (index < 0 || columns == 0)
        return nullptr;
    if (index >= cells)
        return index == cells ? QAccessible::queryAccessibleInterface(Grid()->InplaceEditor()) : nullptr;
    return Cell(index / columns - TitleRows(), index % columns);
}

int TDBGridAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    if (!child)
        return -1;
    if (child->object() && child->object() == Grid()->InplaceEditor())
        return int(qint64(TitleRows() + rowCount()) * columnCount());
    const auto *cell = dynamic_cast<const TDBGridCellAccessible *>(child);
    if (!cell || cell->table() != this || !cell->isValid())
        return -1;
    return (cell->rowIndex() + TitleRows()) * columnCount() + cell->columnIndex();
}

QAccessibleInterface *TDBGridAccessible::childAt(int x, int y) const
{
    const TDBGrid *grid = Grid();
    const QPoint local = grid->mapFromGlobal(QPoint(x, y));
    if (QWidget *editor = grid->InplaceEditor(); editor && editor->geometry().contains(local))
        return QAccessible::queryAccessibleInterface(editor);
    if (!grid->ClientRect().contains(local))
        return nullptr;
    const QPoint client = grid->ClientFromWidget(local);
    const int gridRow = grid->Geometry().RowAt(client.y());
    const int column = grid->Geometry().ColumnAt(client.x()) - (grid->IndicatorShown() ? 1 : 0);
    if (gridRow < 0 || column < 0)
        return nullptr;
    const int row =
        gridRow < grid->FixedRows() ? TDBGridCellAccessible::kTitleRow : grid->TopRow() + gridRow - grid->FixedRows();
    return Cell(row, column);
}

QAccessibleInterface *TDBGridAccessible::focusChild() const
{
    if (QWidget *editor = Grid()->InplaceEditor())
        return QAccessible::queryAccessibleInterface(editor);
    if (!Grid()->hasFocus())
        return nullptr;
    const QPair<int, int> current = CurrentCell();
    return cellAt(current.first, current.second);
}

int TDBGridAccessible::selectedCellCount() const
{
    return int(selectedCells().size());
}

// The selection is the current cell, or the current row where whole rows
// are selected, as the grid paints it.
QList<QAccessibleInterface *> TDBGridAccessible::selectedCells() const
{
    const QPair<int, int> current = CurrentCell();
    if (current.first < 0)
        return {};
    if (!(Grid()->Options() & dgRowSelect))
        return {cellAt(current.first, current.second)};
    QList<QAccessibleInterface *> cells;
    for (int column = 0; column < columnCount(); ++column)
        cells << cellAt(current.first, column);
    return cells;
}

QString TDBGridAccessible::columnDescription(int column) const
{
    const TColumn *title = Grid()->Columns()[column];
    return title ? title->TitleCaption() : QString();
}

QString TDBGridAccessible::rowDescription(int) const
{
    return {};
}

int TDBGridAccessible::selectedRowCount() const
{
    return int(selectedRows().size());
}

QList<int> TDBGridAccessible::selectedRows() const
{
    const int current = CurrentCell().first;
    if (current < 0 || !(Grid()->Options() & dgRowSelect))
        return {};
    return {current};
}

bool TDBGridAccessible::isRowSelected(int row) const
{
    return row >= 0 && selectedRows().contains(row);
}

bool TDBGridAccessible::selectRow(int row)
{
    if (!(Grid()->Options() & dgRowSelect) || row < 0 || row >= rowCount())
        return false;
    Grid()->GoToCell(row, Grid()->SelectedIndex());
    return isRowSelected(row);
}

// Cells hold places, not rows: a kept cell reads whatever row is at its
// place now, and one whose place is gone reads as invalid.
void TDBGridAccessible::modelChange(QAccessibleTableModelChangeEvent *) { }
