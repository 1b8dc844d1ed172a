#pragma once

#include <QAccessible>
#include <QString>

// Qt asks every installed factory for each class of an object's hierarchy in
// turn, by class name, and takes the first interface it is given.
template <typename TWidget, typename TInterface>
QAccessibleInterface *AccessibleFor(const QString &className, QObject *object)
{
    if (className == QLatin1String(TWidget::staticMetaObject.className()))
        if (auto *widget = qobject_cast<TWidget *>(object))
            return new TInterface(widget);
    return nullptr;
}

// Installs the factory the first time it is called; later calls do nothing.
template <QAccessible::InterfaceFactory Factory> void InstallAccessibleFactoryOnce()
{
    static const bool installed = (QAccessible::installFactory(Factory), true);
    (void)installed;
}

template <typename TWidget, typename TInterface> void InstallAccessibleFactory()
{
    InstallAccessibleFactoryOnce<&AccessibleFor<TWidget, TInterface>>();
}
