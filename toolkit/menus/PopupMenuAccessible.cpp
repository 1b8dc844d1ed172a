#include "toolkit/menus/PopupMenuAccessible.h"

#include "toolkit/gdi/Accelerator.h"
#include "toolkit/menus/MenuItem.h"
#include "toolkit/menus/MenuItemAccessible.h"
#include "toolkit/menus/PopupMenuWindow.h"

TPopupMenuAccessible::TPopupMenuAccessible(TPopupMenuWindow *window)
    : QAccessibleWidget(window, QAccessible::PopupMenu)
{ }

TPopupMenuWindow *TPopupMenuAccessible::Window() const
{
    return static_cast<TPopupMenuWindow *>(widget());
}

QString TPopupMenuAccessible::text(QAccessible::Text t) const
{
    // A window closed but not yet deleted has lost its menu.
    const TMenuItem *parentItem = Window()->ParentItem();
    if (t == QAccessible::Name)
        return parentItem ? WithoutAmpersands(parentItem->Caption()) : QString();
    return QAccessibleWidget::text(t);
}

QAccessibleInterface *TPopupMenuAccessible::parent() const
{
    if (QAccessibleInterface *item = TMenuItemAccessible::For(Window()->ParentItem()))
        return item;
    return QAccessibleWidget::parent();
}

QAccessibleInterface *TPopupMenuAccessible::child(int index) const
{
    return TMenuItemAccessible::For(Window()->RowItem(index));
}

int TPopupMenuAccessible::childCount() const
{
    return Window()->RowCount();
}

int TPopupMenuAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    if (!child || child->object())
        return -1;
    for (int row = 0; row < Window()->RowCount(); ++row)
        if (TMenuItemAccessible::For(Window()->RowItem(row)) == child)
            return row;
    return -1;
}

QAccessibleInterface *TPopupMenuAccessible::childAt(int x, int y) const
{
    return TMenuItemAccessible::For(Window()->RowItem(Window()->RowAt(Window()->mapFromGlobal(QPoint(x, y)))));
}
