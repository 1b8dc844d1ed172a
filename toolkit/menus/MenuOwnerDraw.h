#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

class QWidget;
class TMenuItem;

// The bridge from the menu views to the owner-draw handlers of items: a
// handler runs only while the item's menu is owner-drawn.
class TMenuOwnerDraw
{
public:
    static bool DrawsItem(const TMenuItem &item);
    static bool MeasuresItem(const TMenuItem &item);
    // Standard is the size the standard look needs; the handler may change it.

    // While a handler runs: the window whose surface it draws on (the bar or
    // a popup window); nullptr otherwise.
    static QWidget *DrawingWindow();
    // Window is the bar or popup window that owns the surface.
    static QSize Measure(QWidget *window, TMenuItem &item, QImage &surface, QSize standard);
    static void Draw(QWidget *window, TMenuItem &item, QImage &surface, const QRect &itemRect, bool selected);
};
