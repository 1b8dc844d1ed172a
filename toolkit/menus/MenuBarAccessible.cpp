#include "toolkit/menus/MenuBarAccessible.h"

#include "toolkit/menus/MenuBar.h"
#include "toolkit/menus/MenuBase.h"
#include "toolkit/menus/MenuItemAccessible.h"

TMenuBarAccessible::TMenuBarAccessible(TMenuBar *bar)
    : QAccessibleWidget(bar, QAccessible::MenuBar)
{ }

TMenuBar *TMenuBarAccessible::Bar() const
{
    return static_cast<TMenuBar *>(widget());
}

QList<int> TMenuBarAccessible::ShownItems() const
{
    QList<int> shown;
    const int count = Bar()->Menu()->Items()->Count();
    for (int i = 0; i < count; ++i)
        if (!Bar()->ItemRect(i).isEmpty())
            shown.append(i);
    return shown;
}

QAccessibleInterface *TMenuBarAccessible::child(int index) const
{
    const QList<int> shown = ShownItems();
    if (index < 0 || index >= shown.size())
        return nullptr;
    return TMenuItemAccessible::For(Bar()->Menu()->Items()->Items(shown[index]));
}

int TMenuBarAccessible::childCount() const
{
    return static_cast<int>(ShownItems().size());
}

int TMenuBarAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    const QList<int> shown = ShownItems();
    for (int i = 0; child && i < shown.size(); ++i)
        if (TMenuItemAccessible::For(Bar()->Menu()->Items()->Items(shown[i])) == child)
            return i;
    return -1;
}

QAccessibleInterface *TMenuBarAccessible::childAt(int x, int y) const
{
    const int index = Bar()->ItemAt(Bar()->mapFromGlobal(QPoint(x, y)));
    return index < 0 ? nullptr : TMenuItemAccessible::For(Bar()->Menu()->Items()->Items(index));
}
