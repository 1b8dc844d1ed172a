// The connection-string parser over any text: it parses or refuses with
// EDatabaseError, and what it parsed reads back the same once written.
#include "data/ConnectionString.h"
#include "toolkit/db/DatabaseError.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    TConnectionString parsed;
    try {
        parsed = TConnectionString::Parse(text);
    } catch (const EDatabaseError &) {
        return 0;
    }
    const TConnectionString again = TConnectionString::Parse(parsed.ToString());
    if (again.Entries().size() != parsed.Entries().size())
        __builtin_trap();
    for (qsizetype i = 0; i < parsed.Entries().size(); ++i) {
        if (again.Entries()[i].key != parsed.Entries()[i].key || again.Entries()[i].value != parsed.Entries()[i].value)
            __builtin_trap();
    }
    return 0;
}
