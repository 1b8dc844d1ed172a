#pragma once

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QPair>

class TDBGrid;

// What assistive technology sees of a data grid: a table with one row per
// display row of its data set (every record, not only those in view) and one
// column per grid column, titled by the column titles. Children are the
// title cells, then the data cells row by row, then the in-place editor
// while it is shown.
//
// Cells are made only when a reader asks for one, and are kept for as long
// as the reader may still refer to them; they answer from the grid as it is
// at the moment of asking, so a kept cell never shows stale text.
class TDBGridAccessible : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    // At most this many cells are kept; beyond it, every cell but the
    // current one goes, and a reader asking again gets a new one.
    static constexpr int kMaxKeptCells = 1024;

    explicit TDBGridAccessible(TDBGrid *grid);
    ~TDBGridAccessible() override;

    TDBGrid *Grid() const;
    // The cell of a display row and data column; row -1 is the title row.
    // Null outside the table.
    QAccessibleInterface *Cell(int row, int column) const;

    // QAccessibleInterface
    void *interface_cast(QAccessible::InterfaceType type) override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *focusChild() const override;

    // QAccessibleTableInterface
    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface *> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override;
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override;
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override;
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *event) override;

    // Makes Qt's accessibility ask us for every TDBGrid.
    static void Install();

private:
    int TitleRows() const;
    // The display row and data column of the current cell, or -1 rows.
    QPair<int, int> CurrentCell() const;
    void ForgetCells(QAccessible::Id keep) const;

    mutable QHash<QPair<int, int>, QAccessible::Id> m_cells;
};
