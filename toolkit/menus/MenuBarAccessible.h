#pragma once

#include <QAccessibleWidget>

class TMenuBar;

// What assistive technology sees of a menu bar: a menu bar whose children
// are its shown items, in the order they stand on the bar.
class TMenuBarAccessible : public QAccessibleWidget
{
public:
    explicit TMenuBarAccessible(TMenuBar *bar);

    QAccessibleInterface *child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;

private:
    TMenuBar *Bar() const;
    // Indexes of the top-level items that the bar shows.
    QList<int> ShownItems() const;
};
