#include "data/ConnectionString.h"

#include "toolkit/db/DatabaseError.h"

#include <QCoreApplication>

namespace {

// Quoted when reading it back bare would change it: blanks at its ends would
// be dropped, a ";" would end it, a leading quote would start a quoted value.
QString QuotedIfNeeded(const QString &value)
{
    if (!value.isEmpty() && !value.contains(u';') && !value.startsWith(u'"') && value.trimmed() == value)
        return value;
    QString text = value;
    text.replace(u'"', QStringLiteral("\"\""));
    return u'"' + text + u'"';
}

} // namespace

TConnectionString TConnectionString::Parse(const QString &text)
{
    QList<TEntry> entries;
    qsizetype pos = 0;
    while (pos < text.size()) {
        const qsizetype equals = text.indexOf(u'=', pos);
        const qsizetype semicolon = text.indexOf(u';', pos);
        if (semicolon >= 0 && (equals < 0 || semicolon < equals)) {
            if (!text.mid(pos, semicolon - pos).trimmed().isEmpty())
                throw EDatabaseError(QCoreApplication::translate("ConnectionString",
                                                                 "The connection string has an entry without \"=\": %1")
                                         .arg(text.mid(pos, semicolon - pos).trimmed()));
            pos = semicolon + 1;
            continue;
        }
        if (equals < 0) {
            if (!text.mid(pos).trimmed().isEmpty())
                throw EDatabaseError(QCoreApplication::translate("ConnectionString",
                                                                 "The connection string has an entry without \"=\": %1")
                                         .arg(text.mid(pos).trimmed()));
            break;
        }
        TEntry entry;
        entry.key = text.mid(pos, equals - pos).trimmed();
        pos = equals + 1;
        while (pos < text.size() && text[pos].isSpace())
            ++pos;
        if (pos < text.size() && text[pos] == u'"') {
            ++pos;
            for (;;) {
                if (pos >= text.size())
                    throw EDatabaseError(
                        QCoreApplication::translate(
                            "ConnectionString", "The connection string has an unterminated quoted value for \"%1\".")
                            .arg(entry.key));
                if (text[pos] == u'"') {
                    if (pos + 1 < text.size() && text[pos + 1] == u'"') {
                        entry.value += u'"';
                        pos += 2;
                        continue;
                    }
                    ++pos;
                    break;
                }
                entry.value += text[pos++];
            }
            const qsizetype end = text.indexOf(u';', pos);
            pos = end < 0 ? text.size() : end + 1;
        } else {
            const qsizetype end = text.indexOf(u';', pos);
            entry.value = text.mid(pos, end < 0 ? -1 : end - pos).trimmed();
            pos = end < 0 ? text.size() : end + 1;
        }
        entries.append(entry);
    }
    return TConnectionString(entries);
}

QString TConnectionString::Value(const QString &key) const
{
    for (const TEntry &entry : m_entries) {
        if (entry.key.compare(key, Qt::CaseInsensitive) == 0)
            return entry.value;
    }
    return QString();
}

bool TConnectionString::Contains(const QString &key) const
{
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [&](const TEntry &entry) { return entry.key.compare(key, Qt::CaseInsensitive) == 0; });
}

QString TConnectionString::ToString() const
{
    QStringList parts;
    for (const TEntry &entry : m_entries)
        parts << entry.key + u'=' + QuotedIfNeeded(entry.value);
    return parts.join(u';');
}

QString DirectoryConnectionString()
{
    const QString empty;
    return TConnectionString({
                                 {QStringLiteral("Provider"), QStringLiteral("Microsoft.Jet.OLEDB.4.0")},
                                 {QStringLiteral("User ID"), QStringLiteral("Admin")},
                                 {QStringLiteral("Data Source"), QStringLiteral("velirsk.dat")},
                                 {QStringLiteral("Mode"), QStringLiteral("Share Deny None")},
                                 {QStringLiteral("Extended Properties"), empty},
                                 {QStringLiteral("Jet OLEDB:System database"), empty},
                                 {QStringLiteral("Jet OLEDB:Registry Path"), empty},
                                 {QStringLiteral("Jet OLEDB:Database Password"), empty},
                                 {QStringLiteral("Jet OLEDB:Engine Type"), QStringLiteral("4")},
                                 {QStringLiteral("Jet OLEDB:Database Locking Mode"), QStringLiteral("0")},
                                 {QStringLiteral("Jet OLEDB:Global Partial Bulk Ops"), QStringLiteral("2")},
                                 {QStringLiteral("Jet OLEDB:Global Bulk Transactions"), QStringLiteral("1")},
                                 {QStringLiteral("Jet OLEDB:New Database Password"), empty},
                                 {QStringLiteral("Jet OLEDB:Create System Database"), QStringLiteral("False")},
                                 {QStringLiteral("Jet OLEDB:Encrypt Database"), QStringLiteral("False")},
                                 {QStringLiteral("Jet OLEDB:Don't Copy Locale on Compact"), QStringLiteral("False")},
                                 {QStringLiteral("Jet OLEDB:Compact Without Replica Repair"), QStringLiteral("False")},
                                 {QStringLiteral("Jet OLEDB:SFP"), QStringLiteral("False")},
                             })
        .ToString();
}
