#pragma once

#include <QList>
#include <QString>

// A connection string: entries "key=value" joined by ";". A value may be
// quoted with double quotes ("" inside standing for one), so that it can
// hold ";"; an empty value is written as "".
class TConnectionString
{
public:
    struct TEntry {
        QString key;
        QString value;
    };

    TConnectionString() = default;
    explicit TConnectionString(QList<TEntry> entries)
        : m_entries(std::move(entries))
    { }

    // Reads a connection string; blanks around keys and values are dropped,
    // empty pieces ignored. Raises EDatabaseError on an entry without "=" or
    // an unterminated quoted value.
    static TConnectionString Parse(const QString &text);

    const QList<TEntry> &Entries() const { return m_entries; }
    // The value of the first entry with this key (compared case-insensitively),
    // or an empty text.
    QString Value(const QString &key) const;
    bool Contains(const QString &key) const;
    // The entries written back: key=value joined by ";", empty values as "".
    QString ToString() const;

private:
    QList<TEntry> m_entries;
};

// The connection string of the directory: the file velirsk.dat in the working
// directory, with the eighteen entries the directory's provider is opened
// with; the connection opens the file that "Data Source" names, and the other
// entries are kept as written.
QString DirectoryConnectionString();
