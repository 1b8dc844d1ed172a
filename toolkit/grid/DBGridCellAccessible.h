#pragma once

#include <QAccessible>
#include <QPointer>

class TDBGrid;

// One cell of a data grid as assistive technology sees it: a data cell named
// by the text it shows, or a column title (row -1). It holds only its place,
// and reads the grid whenever asked; a place the grid no longer has makes it
// invalid.
class TDBGridCellAccessible : public QAccessibleInterface,
                              public QAccessibleTableCellInterface,
                              public QAccessibleActionInterface
{
public:
    static constexpr int kTitleRow = -1;

    TDBGridCellAccessible(TDBGrid *grid, int row, int column);

    // QAccessibleInterface
    void *interface_cast(QAccessible::InterfaceType type) override;
    bool isValid() const override;
    QObject *object() const override { return nullptr; }
    QWindow *window() const override;
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString &) override { }
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;

    // QAccessibleTableCellInterface
    bool isSelected() const override;
    QList<QAccessibleInterface *> columnHeaderCells() const override;
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_column; }
    int rowIndex() const override { return m_row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override;

    // QAccessibleActionInterface: a data cell's focus action makes it current.
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    bool IsTitle() const { return m_row == kTitleRow; }
    bool IsCurrent() const;

    QPointer<TDBGrid> m_grid;
    int m_row;
    int m_column;
};
