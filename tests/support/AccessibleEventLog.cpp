#include "support/AccessibleEventLog.h"

#include <QStringList>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace {

TAccessibleEventLog *currentLog = nullptr;

// What a screen reader's arrival does: without it Qt drops every event
// before any handler sees it.
void SetAccessibilityActive(bool active)
{
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(active);
}

} // namespace

TAccessibleEventLog::TAccessibleEventLog()
    : m_previousHandler(QAccessible::installUpdateHandler(&TAccessibleEventLog::Record))
    , m_wasActive(QAccessible::isActive())
{
    currentLog = this;
    SetAccessibilityActive(true);
}

TAccessibleEventLog::~TAccessibleEventLog()
{
    SetAccessibilityActive(m_wasActive);
    QAccessible::installUpdateHandler(m_previousHandler);
    currentLog = nullptr;
}

void TAccessibleEventLog::Record(QAccessibleEvent *event)
{
    if (!currentLog)
        return;
    QAccessibleInterface *target = event->accessibleInterface();
    TEntry entry{event->type(), target ? target->role() : QAccessible::NoRole,
                 target ? target->text(QAccessible::Name) : QString(), event->object()};
    if (QAccessibleTableCellInterface *cell = target ? target->tableCellInterface() : nullptr) {
        entry.row = cell->rowIndex();
        entry.column = cell->columnIndex();
    }
    currentLog->m_entries.push_back(entry);
}

std::vector<TAccessibleEventLog::TEntry> TAccessibleEventLog::Of(QAccessible::Event type) const
{
    std::vector<TEntry> found;
    for (const TEntry &entry : m_entries)
        if (entry.type == type)
            found.push_back(entry);
    return found;
}

QStringList TAccessibleEventLog::Names(QAccessible::Event type) const
{
    QStringList names;
    for (const TEntry &entry : m_entries)
        if (entry.type == type)
            names.append(entry.name);
    return names;
}

QStringList TAccessibleEventLog::Moves() const
{
    QStringList moves;
    for (const TEntry &entry : m_entries) {
        if (entry.type == QAccessible::Focus)
            moves.append(QStringLiteral("focus ") + entry.name);
        else if (entry.type == QAccessible::PopupMenuStart)
            moves.append(QStringLiteral("popup start ") + entry.name);
        else if (entry.type == QAccessible::PopupMenuEnd)
            moves.append(QStringLiteral("popup end ") + entry.name);
    }
    return moves;
}

QObject *TAccessibleEventLog::LastFocused() const
{
    for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it)
        if (it->type == QAccessible::Focus)
            return it->object;
    return nullptr;
}

QStringList ChildNames(QAccessibleInterface *parent)
{
    QStringList names;
    for (int i = 0; parent && i < parent->childCount(); ++i)
        names.append(parent->child(i)->text(QAccessible::Name));
    return names;
}
