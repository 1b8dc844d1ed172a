#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

// Synthetic input delivered straight to a widget, as the window system
// would deliver it. The one set of keyboard and mouse helpers of the tests.

// A point inside any control the tests click without caring where.
inline constexpr QPoint kInsidePoint{2, 2};

// Presses and releases a key (the release without Alt when the key is Alt).
inline void PressKey(QWidget *target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                     const QString &text = {})
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, key == Qt::Key_Alt ? Qt::NoModifier : modifiers, text);
    QApplication::sendEvent(target, &release);
}

// A press holds `button` during the event; a release and a move hold none
// (MoveMouse moves with buttons held).
inline void SendMouse(QWidget *target, QEvent::Type type, const QPoint &pos = kInsidePoint,
                      Qt::MouseButton button = Qt::LeftButton)
{
    const QPointF global = target->mapToGlobal(QPointF(pos));
    const Qt::MouseButtons buttons =
        type == QEvent::MouseButtonRelease || type == QEvent::MouseMove ? Qt::MouseButtons() : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(pos), global, type == QEvent::MouseMove ? Qt::NoButton : button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// A move, with `held` still down between the press and release of a drag.
inline void MoveMouse(QWidget *target, const QPoint &pos, Qt::MouseButtons held = Qt::NoButton)
{
    QMouseEvent event(QEvent::MouseMove, QPointF(pos), target->mapToGlobal(QPointF(pos)), Qt::NoButton, held,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

inline void Click(QWidget *target, const QPoint &pos = kInsidePoint)
{
    SendMouse(target, QEvent::MouseButtonPress, pos);
    SendMouse(target, QEvent::MouseButtonRelease, pos);
}
