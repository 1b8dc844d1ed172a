#pragma once

#include "support/Input.h"

#include "components/FlatBtn.h"

#include <QApplication>
#include <QKeyEvent>
#include <gtest/gtest.h>

#include <memory>

using State = TFlatBtnMouseState;

// Outline colours that tell the four roles apart.
inline constexpr TColor kInactive = RGB(255, 0, 0), kActive = RGB(0, 255, 0), kOutline = RGB(0, 0, 255),
                        kOutline2 = RGB(255, 255, 0), kFace = RGB(255, 255, 255);

// A shown, active window holding one button at (10, 10).
class FlatGlyphButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        host = std::make_unique<QWidget>();
        host->resize(200, 120);
        button = new TFlatGlyphButton(host.get());
        button->move(10, 10);
        other = new QWidget(host.get());
        other->setFocusPolicy(Qt::StrongFocus);
        other->setGeometry(150, 80, 20, 20);
        host->show();
        QApplication::setActiveWindow(host.get());
        // The window would give the first control, the button, the focus.
        other->setFocus();
        QApplication::processEvents();
    }

    void move(QPoint local, Qt::MouseButtons held = Qt::NoButton) { MoveMouse(button, local, held); }
    void press(QPoint local) { SendMouse(button, QEvent::MouseButtonPress, local); }
    void release(QPoint local) { SendMouse(button, QEvent::MouseButtonRelease, local); }

    // Sends a key to the focused control, from where it travels up.
    bool key(int code, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString &text = QString())
    {
        QKeyEvent event(QEvent::KeyPress, code, modifiers, text);
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : host.get();
        QApplication::sendEvent(target, &event);
        return event.isAccepted();
    }

    QImage look() { return button->grab().toImage(); }
    TColor pixel(const QImage &image, int x, int y) { return FromQRgb(image.pixel(x, y)); }

    void useOutlineColours()
    {
        button->SetColor(kFace);
        button->SetInactiveColor(kInactive);
        button->SetActiveColor(kActive);
        button->SetActiveOutlineColor(kOutline);
        button->SetActiveOutlineColor2(kOutline2);
    }

    const QPoint inside{20, 10};
    const QPoint outside{120, 60};
    std::unique_ptr<QWidget> host;
    TFlatGlyphButton *button = nullptr;
    QWidget *other = nullptr;
};
