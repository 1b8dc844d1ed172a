#pragma once

#include <QAccessibleWidget>

class TPopupMenuWindow;

// What assistive technology sees of an open popup window: a popup menu named
// like the item it drops from, child of that item, with its shown rows as
// its children.
class TPopupMenuAccessible : public QAccessibleWidget
{
public:
    explicit TPopupMenuAccessible(TPopupMenuWindow *window);

    QString text(QAccessible::Text t) const override;
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;

private:
    TPopupMenuWindow *Window() const;
};
