#pragma once

#include "data/CustomADODataSet.h"
#include "data/SqlLines.h"

// A query in the program's SQL dialect (see SqlDialect.h), with a static cursor.
//
// The text is a list of lines: clearing it and adding a line each close the
// query when it is open; CommandText() is the lines, each followed by CR LF.
// Opening plans the text for the connection's engine, runs it and makes the first row
// current.
//
// Rows of a query over one table (see TQueryPlan) are that table's rows:
// the query lists the table's rowids in its own order, keeps them and
// reads each row's values by rowid; deleting a row of the
// query deletes it from the table, and the columns that plainly read table
// columns can be edited. Other queries are read-only.
class TADOQuery : public TCustomADODataSet
{
    Q_OBJECT

public:
    explicit TADOQuery(QObject *parent = nullptr);

    TSqlLines *SQL() { return &m_sql; }
    const TSqlLines *SQL() const { return &m_sql; }
    QString CommandText() const { return m_sql.Text(); }

protected:
    TCursorSource CursorSource() override;

private:
    TSqlLines m_sql;
};
