#pragma once

#include "components/FlatSkin.h"
#include "components/FlatSkin/ControlSubClass.h"
#include "toolkit/app/Form.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/gdi/SystemColors.h"

#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QImage>

#include <functional>

// A shown form whose active skin has subclassed Control, which lies on a
// panel of a known colour: the control's parent background.
template <class Control> struct SkinnedControl {
    static constexpr TColor kBackground = RGB(212, 208, 200);
    static constexpr QPoint kFarAway{-500, -500};

    TForm form;
    TPanel *panel;
    Control *control;
    TFlatSkin *skin;

    // setUp gives the control its settings before the skin takes it.
    SkinnedControl(int width, int height, const std::function<void(Control &)> &setUp = {},
                   TColor background = kBackground)
    {
        QCursor::setPos(kFarAway);
        form.SetClientSize(width + 40, height + 40);
        panel = new TPanel(form.ClientArea());
        panel->SetBevelOuter(bvNone);
        panel->SetColor(background);
        panel->setGeometry(0, 0, width + 40, height + 40);
        control = new Control(panel);
        control->setGeometry(20, 20, width, height);
        if (setUp)
            setUp(*control);
        // Holds the focus, so that the control starts neither focused nor hot.
        auto *focusHolder = new QWidget(form.ClientArea());
        focusHolder->setFocusPolicy(Qt::StrongFocus);
        focusHolder->setGeometry(0, 0, 1, 1);
        skin = new TFlatSkin(&form);
        skin->SetActive(true);
        form.show();
        focusHolder->setFocus();
        Settle();
    }
    ~SkinnedControl() { ResetSystemSettings(); }

    static void Settle()
    {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    TControlSubClass &Record() const { return *TControlSubClass::Of(*control); }

    // The control as the screen shows it, after a settling paint (the first
    // paint of a control with Ctl3D switches it off).
    QImage Shot() const
    {
        control->grab();
        Settle();
        return control->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    // The pointer over the control's point p, as the window system tells it.
    void PointAt(QPoint p) const
    {
        QCursor::setPos(control->mapToGlobal(p));
        const QPointF local(p);
        QEnterEvent enter(local, local, QPointF(control->mapToGlobal(p)));
        QApplication::sendEvent(control, &enter);
    }

    void Leave() const
    {
        QCursor::setPos(kFarAway);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(control, &leave);
    }
};

inline TColor At(const QImage &image, int x, int y)
{
    return FromQRgb(image.pixel(x, y));
}
