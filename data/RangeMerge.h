#pragma once

#include <QtGlobal>
#include <vector>

class TSqliteStatement;
struct sqlite3_stmt;

// Merges the lists that one sorted cursor gives over consecutive ranges of
// rowid into the list the whole cursor gives. Each part is a statement with
// the rowid in column 0 and the cursor's ORDER BY keys after it, compared as
// SQLite's BINARY collation compares them: NULL first, then numbers by
// value, then text and blobs by their bytes. Rows whose keys all tie come in
// rowid order, as the one scan of the whole table leaves them.
class TRangeMerge
{
public:
    // One flag per key: whether it sorts descending.
    explicit TRangeMerge(std::vector<bool> keysDescending);

    // A part whose statement already stands on its first row, if any.
    struct TPart {
        TSqliteStatement *statement = nullptr;
        bool onRow = false;
    };
    // Steps every part to its end; the rowids in the cursor's order.
    std::vector<qint64> Merge(std::vector<TPart> &parts) const;

    // Below, at or above zero as the row `a` stands on comes before, ties
    // with or comes after the row `b` stands on.
    int Compare(sqlite3_stmt *a, sqlite3_stmt *b) const;

private:
    std::vector<bool> m_keysDescending;
};
