#include "data/RangeMerge.h"

#include "data/SqliteStatement.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstring>

namespace {

// SQLite's order of storage classes; integers and reals compare by value.
int ClassRank(int type)
{
    switch (type) {
    case SQLITE_NULL: return 0;
    case SQLITE_INTEGER:
    case SQLITE_FLOAT: return 1;
    case SQLITE_TEXT: return 2;
    default: return 3;
    }
}

template <typename T> int Order(T a, T b)
{
    return a < b ? -1 : b < a ? 1 : 0;
}

int CompareBytes(const void *a, int aSize, const void *b, int bSize)
{
    const int common = std::min(aSize, bSize);
    const int bytes = common > 0 ? std::memcmp(a, b, size_t(common)) : 0;
    return bytes != 0 ? bytes : Order(aSize, bSize);
}

// Only the accessor of the value's own storage class is called: another
// would convert the value in place.
int CompareValues(sqlite3_stmt *a, sqlite3_stmt *b, int column)
{
    const int aType = sqlite3_column_type(a, column);
    const int bType = sqlite3_column_type(b, column);
    const int rank = Order(ClassRank(aType), ClassRank(bType));
    if (rank != 0)
        return rank;
    switch (ClassRank(aType)) {
    case 0: return 0;
    case 1:
        if (aType == SQLITE_INTEGER && bType == SQLITE_INTEGER)
            return Order(sqlite3_column_int64(a, column), sqlite3_column_int64(b, column));
        // A long double holds every 64-bit integer exactly.
        return Order(aType == SQLITE_INTEGER ? static_cast<long double>(sqlite3_column_int64(a, column))
                                             : static_cast<long double>(sqlite3_column_double(a, column)),
                     bType == SQLITE_INTEGER ? static_cast<long double>(sqlite3_column_int64(b, column))
                                             : static_cast<long double>(sqlite3_column_double(b, column)));
    case 2: {
        const unsigned char *aText = sqlite3_column_text(a, column);
        const unsigned char *bText = sqlite3_column_text(b, column);
        return CompareBytes(aText, sqlite3_column_bytes(a, column), bText, sqlite3_column_bytes(b, column));
    }
    default: {
        const void *aBlob = sqlite3_column_blob(a, column);
        const void *bBlob = sqlite3_column_blob(b, column);
        return CompareBytes(aBlob, sqlite3_column_bytes(a, column), bBlob, sqlite3_column_bytes(b, column));
    }
    }
}

} // namespace

TRangeMerge::TRangeMerge(std::vector<bool> keysDescending)
    : m_keysDescending(std::move(keysDescending))
{ }

int TRangeMerge::Compare(sqlite3_stmt *a, sqlite3_stmt *b) const
{
    for (int key = 0; key < int(m_keysDescending.size()); ++key) {
        const int order = CompareValues(a, b, key + 1);
        if (order != 0)
            return m_keysDescending[key] ? -order : order;
    }
    return Order(sqlite3_column_int64(a, 0), sqlite3_column_int64(b, 0));
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
