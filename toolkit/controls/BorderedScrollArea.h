#pragma once

#include "toolkit/controls/StandardControl.h"

#include <QEvent>
#include <QFrame>

// A Qt scrolling view (list, tree, text view) as a standard control: the
// classic border is drawn around its viewport instead of Qt's frame.
template <class ScrollArea>
class TBorderedScrollArea : public ScrollArea, public TStandardControl
{
public:
    explicit TBorderedScrollArea(QWidget *parent)
        : ScrollArea(parent), TStandardControl(*this, clWindow, QPalette::Base, true)
    {
        this->setFrameStyle(QFrame::NoFrame);
        BorderWidthChanged(NonClientWidth());
    }

protected:
    bool event(QEvent *event) override
    {
        const bool handled = ScrollArea::event(event);
        // The view's own paint events reach this widget; its viewport's do not.
        if (event->type() == QEvent::Paint)
            PaintBorder();
        return handled;
    }

    void BorderWidthChanged(int width) override { this->setViewportMargins(width, width, width, width); }
};
