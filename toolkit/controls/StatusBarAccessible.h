#pragma once

#include <QAccessible>
#include <QAccessibleWidget>
#include <vector>

class TStatusBar;

// What assistive technology sees of a status bar: a status bar whose
// children are its panels (the one simple panel while it shows), each a
// static text named by what it shows.
class TStatusBarAccessible : public QAccessibleWidget
{
public:
    explicit TStatusBarAccessible(TStatusBar *bar);
    ~TStatusBarAccessible() override;

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;

    // Tells a reader that the text of panel `index` changed (the simple
    // panel is index 0 while it shows), or that panels came or went.
    static void PanelTextChanged(TStatusBar *bar, int index);
    static void PanelsChanged(TStatusBar *bar);

    // Makes Qt's accessibility ask us for every TStatusBar.
    static void Install();

private:
    TStatusBar *Bar() const;

    mutable std::vector<QAccessible::Id> m_panels; // made as asked, by index
};
