// The search statement builder over anything a person can type into the
// seven edits (one criterion per line of the input; an edit holds no NUL):
// the statement always translates and always reads rows of the directory
// table, so that its rows can be edited and deleted, and its cursor lists
// the rowids alone with the LIKE terms in their faster form; with every edit
// empty no row is left out, and the rows without an apartment are listed
// apart, before the others.
#include "data/SqlDialect.h"
#include "forms/SearchStatement.h"

#include <QStringList>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QString typed = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    typed.remove(QChar(0));
    const QStringList criteria = typed.split(QLatin1Char('\n'));
    const QString statement = SearchStatement::Lines(criteria).join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    // An escaping EDatabaseError ends the run as a finding.
    const TQueryPlan plan = PlanQuery(statement);
    if (!plan.traceable || plan.table != QStringLiteral("Велирск"))
        __builtin_trap();
    if (!plan.cursorSql.startsWith(QStringLiteral("SELECT Велирск.rowid FROM Велирск WHERE Велирск.")))
        __builtin_trap();
    bool anyTyped = false;
    for (int field = 0; field < SearchStatement::kCriterionCount; ++field)
        anyTyped = anyTyped || !criteria.value(field).isEmpty();
    if (anyTyped == !plan.nullCursorSql.isEmpty())
        __builtin_trap();
    if (!anyTyped && plan.nullCursorSql != QStringLiteral("SELECT Велирск.rowid FROM Велирск WHERE Велирск.Квартира IS NULL"))
        __builtin_trap();
    return 0;
}
