#include "toolkit/controls/StatusPanelAccessible.h"

#include "toolkit/controls/StatusBar.h"

#include <QWindow>

TStatusPanelAccessible::TStatusPanelAccessible(TStatusBar *bar, int index)
    : m_bar(bar)
    , m_index(index)
{ }

bool TStatusPanelAccessible::isValid() const
{
    if (!m_bar || m_index < 0)
        return false;
    return m_bar->SimplePanel() ? m_index == 0 : m_index < m_bar->PanelCount();
}

QWindow *TStatusPanelAccessible::window() const
{
    return m_bar ? m_bar->window()->windowHandle() : nullptr;
}

QAccessibleInterface *TStatusPanelAccessible::parent() const
{
    return m_bar ? QAccessible::queryAccessibleInterface(m_bar.data()) : nullptr;
}

QString TStatusPanelAccessible::text(QAccessible::Text t) const
{
    if (t != QAccessible::Name || !isValid())
        return {};
    return m_bar->SimplePanel() ? m_bar->SimpleText() : m_bar->Panel(m_index).Text;
}

QRect TStatusPanelAccessible::rect() const
{
    if (!isValid())
        return {};
    const QRect frame = m_bar->SimplePanel() ? m_bar->SimplePanelRect() : m_bar->PanelRect(m_index);
    return QRect(m_bar->mapToGlobal(frame.topLeft()), frame.size());
}

QAccessible::State TStatusPanelAccessible::state() const
{
    QAccessible::State state;
    if (!isValid())
        state.invalid = true;
    else if (!m_bar->isVisible())
        state.invisible = true;
    state.readOnly = true;
    return state;
}
