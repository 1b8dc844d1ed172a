#include "toolkit/menus/MenuAccessibility.h"

#include "toolkit/app/AccessibleFactory.h"
#include "toolkit/menus/MenuBar.h"
#include "toolkit/menus/MenuBarAccessible.h"
#include "toolkit/menus/MenuItemAccessible.h"
#include "toolkit/menus/PopupMenuAccessible.h"
#include "toolkit/menus/PopupMenuWindow.h"

#include <QAccessible>
#include <QWidget>

namespace {

QAccessibleInterface *CreateForMenuView(const QString &className, QObject *object)
{
    if (QAccessibleInterface *bar = AccessibleFor<TMenuBar, TMenuBarAccessible>(className, object))
        return bar;
    return AccessibleFor<TPopupMenuWindow, TPopupMenuAccessible>(className, object);
}

void Send(QAccessibleInterface *target, QAccessible::Event type)
{
    if (!target)
        return;
    QAccessibleEvent event(target, type);
    QAccessible::updateAccessibility(&event);
}

} // namespace

void InstallMenuAccessibility()
{
    InstallAccessibleFactoryOnce<CreateForMenuView>();
}

void NotifyMenuItemFocused(TMenuItem *item)
{
    if (QAccessible::isActive())
        Send(TMenuItemAccessible::For(item), QAccessible::Focus);
}

void NotifyPopupMenuShown(QWidget *popup, bool shown)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(popup, shown ? QAccessible::PopupMenuStart : QAccessible::PopupMenuEnd);
    QAccessible::updateAccessibility(&event);
}

void NotifyMenuLeft(QWidget *window)
{
    if (!QAccessible::isActive() || !window)
        return;
    // While a closing popup is still the application's popup it holds the
    // application's focus; the window's own focus is where the keys go back.
    QWidget *focus = window->focusWidget();
    Send(QAccessible::queryAccessibleInterface(focus ? focus : window), QAccessible::Focus);
}
