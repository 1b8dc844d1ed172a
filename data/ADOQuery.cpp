#include "data/ADOQuery.h"

#include "data/ADOConnection.h"
#include "data/Store.h"

TADOQuery::TADOQuery(QObject *parent)
    : TCustomADODataSet(parent)
    , m_sql([this] { Close(); })
{ }

TADOQuery::TCursorSource TADOQuery::CursorSource()
{
    const TQueryPlan plan = Connection()->Store().PlanQuery(CommandText());
    if (!plan.traceable)
        return {QString(), plan.sql, QString(), false, QString(), QString(), {}, {}};
    return {plan.table,         plan.cursorSql,      plan.readerSql,           false,
            plan.nullCursorSql, plan.rangeCursorSql, plan.rangeKeysDescending, plan.scanTerms};
}
