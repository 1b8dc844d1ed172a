// The dialect translator and its tokenizer over any text: a statement either
// translates or is refused with EDatabaseError; the query planner takes every
// statement that translates.
#include "data/SqlDialect.h"
#include "toolkit/db/DatabaseError.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString statement = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        const QString translated = TranslateDialect(statement);
        const TQueryPlan plan = PlanQuery(statement);
        if (plan.sql != translated)
            __builtin_trap();
    } catch (const EDatabaseError &) {
    }
    return 0;
}
