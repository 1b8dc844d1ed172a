#pragma once

#include <QAccessible>
#include <QAccessibleActionInterface>

class TMenu;
class TMenuBar;
class TMenuItem;
class TPopupMenuWindow;

// What assistive technology sees of one menu item: a menu item (a separator
// for a line) named by its caption without the ampersand, with its shortcut
// as accelerator, its enabled and checked states, and a press action that
// does what Enter does on it. While its sub-menu is open, the popup window
// is its one child.
//
// An item is no object, so its interface is not tied to one: each item gets
// one interface, kept in Qt's accessibility cache while the item stays in its
// menu's tree and dropped when it leaves the tree or the menu goes.
class TMenuItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    // The interface of the item; nullptr for no item and for a menu's
    // invisible root.
    static QAccessibleInterface *For(TMenuItem *item);

    TMenuItem *Item() const { return m_item; }

    bool isValid() const override;
    QObject *object() const override;
    QWindow *window() const override;
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString &text) override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &actionName) const override;

private:
    friend class TMenuItemInterfaces;
    TMenuItemAccessible(TMenu *menu, TMenuItem *item);

    // The bar that shows a bar item; nullptr for the items of popups.
    TMenuBar *Bar() const;
    int BarIndex() const;
    // The open window that shows the item, and the item's row there.
    TPopupMenuWindow *ShowingWindow() const;
    int Row(const TPopupMenuWindow *window) const;
    // The open window of the item's sub-menu.
    TPopupMenuWindow *SubMenuWindow() const;
    bool Highlighted() const;
    bool HasKeyboard() const;

    TMenu *m_menu;
    TMenuItem *m_item;
};
