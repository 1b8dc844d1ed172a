#pragma once

#include <QAccessible>
#include <QString>

#include <vector>

// Records what the widgets tell assistive technology while it lives, with
// accessibility active as when a screen reader listens. One log at a time.
class TAccessibleEventLog
{
public:
    struct TEntry {
        QAccessible::Event type;
        QAccessible::Role role;
        QString name;
        QObject *object;
        int row = -1; // a table cell's place
        int column = -1;
    };

    TAccessibleEventLog();
    ~TAccessibleEventLog();
    TAccessibleEventLog(const TAccessibleEventLog &) = delete;
    TAccessibleEventLog &operator=(const TAccessibleEventLog &) = delete;

    const std::vector<TEntry> &Entries() const { return m_entries; }
    std::vector<TEntry> Of(QAccessible::Event type) const;
    // The names of the targets of the events of one type, in order.
    QStringList Names(QAccessible::Event type) const;
    // Focus and popup events as "focus Name", "popup start Name" and
    // "popup end Name", in order: the moves a screen reader follows.
    QStringList Moves() const;
    // The object of the last focus event; nullptr when none came or it
    // went to an interface of no object.
    QObject *LastFocused() const;
    void Clear() { m_entries.clear(); }

private:
    static void Record(QAccessibleEvent *event);

    std::vector<TEntry> m_entries;
    QAccessible::UpdateHandler m_previousHandler;
    bool m_wasActive;
};

// The children of an interface, by name.
QStringList ChildNames(QAccessibleInterface *parent);
