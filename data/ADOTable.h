#pragma once

#include "data/CustomADODataSet.h"

// A table opened directly by name: every row of the table, in rowid order.
class TADOTable : public TCustomADODataSet
{
    Q_OBJECT

public:
    explicit TADOTable(QObject *parent = nullptr);

    QString TableName() const { return m_tableName; }
    // Closes the table first when it is open.
    void SetTableName(const QString &tableName);
    // Kept for the window layouts: the table is always opened by name, without SQL of the user's.
    bool TableDirect() const { return m_tableDirect; }
    void SetTableDirect(bool tableDirect) { m_tableDirect = tableDirect; }

protected:
    TCursorSource CursorSource() override;

private:
    QString m_tableName;
    bool m_tableDirect = false;
};
