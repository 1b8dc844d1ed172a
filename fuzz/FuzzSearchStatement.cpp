// The search statement builder over anything a person can type or paste
// into the seven edits (one criterion per line of the input): exactly the
// criteria that the dialog refuses give a statement that fails; any other
// statement translates and reads rows of the directory table, so that its
// rows can be edited and deleted, and its cursor lists the rowids alone
// with the LIKE terms in their faster form; with every edit empty no row is
// left out, and the rows without an apartment are listed apart, before the
// others.
#include "data/SqlDialect.h"
#include "forms/SearchStatement.h"
#include "toolkit/db/DatabaseError.h"

#include <QStringList>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString typed = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList criteria = typed.split(QLatin1Char('\n'));
    bool refused = false;
    for (int field = 0; field < SearchStatement::kCriterionCount; ++field)
        refused = refused || SearchStatement::UnsearchableAt(criteria.value(field)) >= 0;
    const QString statement = SearchStatement::Lines(criteria).join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    TQueryPlan plan;
    try {
        plan = PlanQuery(statement);
    } catch (const EDatabaseError &) {
        if (!refused)
            __builtin_trap();
        return 0;
    }
    if (refused)
        __builtin_trap();
    if (!plan.traceable || plan.table != QStringLiteral("Велирск"))
        __builtin_trap();
    if (!plan.cursorSql.startsWith(QStringLiteral("SELECT Велирск.rowid FROM Велирск WHERE Велирск.")))
        __builtin_trap();
    bool anyTyped = false;
    for (int field = 0; field < SearchStatement::kCriterionCount; ++field)
        anyTyped = anyTyped || !criteria.value(field).isEmpty();
    if (anyTyped == !plan.nullCursorSql.isEmpty())
        __builtin_trap();
    if (!anyTyped
        && plan.nullCursorSql != QStringLiteral("SELECT Велирск.rowid FROM Велирск WHERE Велирск.Квартира IS NULL"))
        __builtin_trap();
    return 0;
}
