#include "data/ADOTable.h"

#include "data/ADOConnection.h"
#include "data/Store.h"
#include "toolkit/db/DatabaseError.h"

TADOTable::TADOTable(QObject *parent)
    : TCustomADODataSet(parent)
{ }

void TADOTable::SetTableName(const QString &tableName)
{
    if (tableName == m_tableName)
        return;
    Close();
    m_tableName = tableName;
}

TADOTable::TCursorSource TADOTable::CursorSource()
{
    const QString table = m_tableName.isEmpty() ? QString() : Connection()->Store().FindTable(m_tableName);
    if (table.isEmpty() && !Connection()->Server().isEmpty())
        throw EDatabaseError(tr("The database on the server does not hold the table \"%1\".").arg(m_tableName));
    if (table.isEmpty())
        throw EDatabaseError(tr("The database file does not hold the table \"%1\".").arg(m_tableName));
    return {table, QString(), Connection()->Store().TableReaderSql(table), true, QString(), QString(), {}, {}};
}
