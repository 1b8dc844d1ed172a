#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

// Synthetic input delivered straight to a widget, as the window system
// would deliver it.
inline void PressKey(QWidget *target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                     const QString &text = {})
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, key == Qt::Key_Alt ? Qt::NoModifier : modifiers, text);
    QApplication::sendEvent(target, &release);
}

inline void SendMouse(QWidget *target, QEvent::Type type, const QPoint &pos,
                      Qt::MouseButton button = Qt::LeftButton)
{
    const QPointF global = target->mapToGlobal(QPointF(pos));
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease || type == QEvent::MouseMove
                                         ? Qt::MouseButtons()
                                         : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(pos), global, type == QEvent::MouseMove ? Qt::NoButton : button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

inline void Click(QWidget *target, const QPoint &pos)
{
    SendMouse(target, QEvent::MouseButtonPress, pos);
    SendMouse(target, QEvent::MouseButtonRelease, pos);
}
