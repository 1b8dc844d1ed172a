#include "data/RangeMerge.h"

#include "data/SqliteStatement.h"
#include "data/StoredRecord.h"

#include <sqlite3.h>

namespace {

// Only the accessor of the value's own storage class is called: another
// would convert the value in place.
TStoredField FieldOf(sqlite3_stmt *statement, int column)
{
    TStoredField field;
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_NULL: break;
    case SQLITE_INTEGER:
        field.kind = TStoredField::Integer;
        field.integer = sqlite3_column_int64(statement, column);
        break;
    case SQLITE_FLOAT:
        field.kind = TStoredField::Real;
        field.real = sqlite3_column_double(statement, column);
        break;
    case SQLITE_TEXT: {
        field.kind = TStoredField::Text;
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, column));
        field.bytes = {text, size_t(sqlite3_column_bytes(statement, column))};
        break;
    }
    default: {
        field.kind = TStoredField::Blob;
        const auto *blob = static_cast<const char *>(sqlite3_column_blob(statement, column));
        field.bytes = {blob, size_t(sqlite3_column_bytes(statement, column))};
        break;
    }
    }
    return field;
}

} // namespace

TRangeMerge::TRangeMerge(std::vector<bool> keysDescending)
    : m_keysDescending(std::move(keysDescending))
{ }

int TRangeMerge::Compare(sqlite3_stmt *a, sqlite3_stmt *b) const
{
    for (int key = 0; key < int(m_keysDescending.size()); ++key) {
        const int order = CompareAsSorted(FieldOf(a, key + 1), FieldOf(b, key + 1));
        if (order != 0)
            return m_keysDescending[key] ? -order : order;
    }
    const qint64 aRowid = sqlite3_column_int64(a, 0);
    const qint64 bRowid = sqlite3_column_int64(b, 0);
    return aRowid < bRowid ? -1 : aRowid > bRowid ? 1 : 0;
}

// The parts are few (one per core): the next row is found by looking at
// each part's current one.
std::vector<qint64> TRangeMerge::Merge(std::vector<TPart> &parts) const
{
    std::vector<qint64> rowids;
    for (;;) {
        TPart *next = nullptr;
        for (TPart &part : parts) {
            if (part.onRow && (!next || Compare(part.statement->Handle(), next->statement->Handle()) < 0))
                next = &part;
        }
        if (!next)
            break;
        rowids.push_back(next->statement->Int64(0));
        next->onRow = next->statement->Step();
    }
    rowids.shrink_to_fit();
    return rowids;
}
