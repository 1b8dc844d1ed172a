#include "toolkit/controls/StatusBarAccessible.h"

#include "toolkit/app/AccessibleFactory.h"
#include "toolkit/controls/StatusBar.h"
#include "toolkit/controls/StatusPanelAccessible.h"

TStatusBarAccessible::TStatusBarAccessible(TStatusBar *bar)
    : QAccessibleWidget(bar, QAccessible::StatusBar)
{ }

TStatusBarAccessible::~TStatusBarAccessible()
{
    for (QAccessible::Id id : m_panels)
        QAccessible::deleteAccessibleInterface(id);
}

void TStatusBarAccessible::Install()
{
    InstallAccessibleFactory<TStatusBar, TStatusBarAccessible>();
}

TStatusBar *TStatusBarAccessible::Bar() const
{
    return static_cast<TStatusBar *>(widget());
}

int TStatusBarAccessible::childCount() const
{
    return Bar()->SimplePanel() ? 1 : Bar()->PanelCount();
}

QAccessibleInterface *TStatusBarAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    if (std::size_t(index) >= m_panels.size())
        m_panels.resize(std::size_t(index) + 1, 0);
    QAccessible::Id &id = m_panels[std::size_t(index)];
    if (!id)
        id = QAccessible::registerAccessibleInterface(new TStatusPanelAccessible(Bar(), index));
    return QAccessible::accessibleInterface(id);
}

int TStatusBarAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    const auto *panel = dynamic_cast<const TStatusPanelAccessible *>(child);
    if (!panel || panel->parent() != this || !panel->isValid())
        return -1;
    return panel->Index();
}

QAccessibleInterface *TStatusBarAccessible::childAt(int x, int y) const
{
    for (int i = 0; i < childCount(); ++i)
        if (QAccessibleInterface *panel = child(i); panel->rect().contains(x, y))
            return panel;
    return nullptr;
}

void TStatusBarAccessible::PanelTextChanged(TStatusBar *bar, int index)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleInterface *barInterface = QAccessible::queryAccessibleInterface(bar);
    QAccessibleInterface *panel = barInterface ? barInterface->child(index) : nullptr;
    if (!panel)
        return;
    QAccessibleEvent event(panel, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void TStatusBarAccessible::PanelsChanged(TStatusBar *bar)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(bar, QAccessible::ObjectReorder);
    QAccessible::updateAccessibility(&event);
}
