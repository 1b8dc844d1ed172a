#pragma once

#include "toolkit/controls/StandardControl.h"

#include <QEvent>
#include <QFrame>

// A Qt scrolling view (list, tree, text view) as a standard control: the
// classic border is drawn around its viewport instead of Qt's frame. The
// viewport keeps the outermost pixel of the client area free, in the view's
// colour, so that what is drawn on the view's edge is not covered.
template <class ScrollArea> class TBorderedScrollArea : public ScrollArea, public TStandardControl
{
public:
    static constexpr int kClientEdge = 1;

    explicit TBorderedScrollArea(QWidget *parent)
        : ScrollArea(parent)
        , TStandardControl(*this, clWindow, QPalette::Base, true)
    {
        this->setFrameStyle(QFrame::NoFrame);
        this->setBackgroundRole(QPalette::Base);
        this->setAutoFillBackground(true);
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

    void BorderWidthChanged(int width) override
    {
        const int margin = width + kClientEdge;
        this->setViewportMargins(margin, margin, margin, margin);
    }
};
