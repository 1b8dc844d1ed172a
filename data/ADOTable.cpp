#include "data/ADOTable.h"

#include "data/ADOConnection.h"
#include "data/SqlDialect.h"
#include "toolkit/db/DatabaseError.h"

TADOTable::TADOTable(QObject *parent) : TCustomADODataSet(parent) {}

void TADOTable::SetTableName(const QString &tableName)
{
    if (tableName == m_tableName)
        return;
    Close();
    m_tableName = tableName;
}

TADOTable::TCursorSource TADOTable::CursorSource()
{
    TSqliteStatement lookup(Connection()->Handle(),
                            QStringLiteral("SELECT name FROM sqlite_schema WHERE type = 'table' AND name = ?1 COLLATE NOCASE"));
    lookup.Bind(1, TFieldValue(m_tableName));
    if (m_tableName.isEmpty() || !lookup.Step())
        throw EDatabaseError(tr("The database file does not hold the table \"%1\".").arg(m_tableName));
    const QString table = *lookup.Value(0);
    const QString quoted = QuoteSqlName(table);
    return {table, QString(), QStringLiteral("SELECT * FROM %1 WHERE rowid = ?1").arg(quoted), true};
}
