#include "data/RangeMerge.h"

#include "data/SqliteStatement.h"
#include "data/StoredRecord.h"

#include <sqlite3.h>

TRangeMerge::TRangeMerge(std::vector<bool> keysDescending)
    : m_keysDescending(std::move(keysDescending))
{ }

int TRangeMerge::Compare(sqlite3_stmt *a, sqlite3_stmt *b) const
{
    for (int key = 0; key < int(m_keysDescending.size()); ++key) {
        const int order = CompareAsSorted(ColumnField(a, key + 1), ColumnField(b, key + 1));
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
