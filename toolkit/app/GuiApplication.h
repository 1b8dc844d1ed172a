#pragma once

#include <QCoreApplication>
#include <QGuiApplication>

// The application object when it is one with windows; nothing in a program
// without them (the tools), where Qt's qGuiApp would hand out the plain
// application object as if it were one.
inline QGuiApplication *GuiApplication()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance());
}
