#pragma once

#include "data/SqlDialect.h"
#include "data/TableScan.h"

#include <QString>
#include <atomic>
#include <optional>
#include <vector>

struct sqlite3;

// The rowids of a cursor of LIKE terms over `table` (TScanTerms), sorted by
// its keys, found by reading the table's pages (TTableScan). The caller holds
// a read transaction on `db`. Nothing when the file, the table or a column is
// of a form that reading the pages does not take, when the pages are not as
// they should be (the engine then lists the rows, and says what is wrong),
// or when `stop` was set. The pages are read on `threads`.
//
// Taken: an ordinary table of the main file (no generated columns), terms
// and keys on columns that are not part of the primary key (which may be
// the rowid, stored as NULL), keys of BINARY collation.
std::optional<std::vector<qint64>> ListFromPages(sqlite3 *db, const QString &table, const TScanTerms &scanTerms,
                                                 const std::vector<bool> &keysDescending, TTableScan::TThreads threads,
                                                 const std::atomic<bool> &stop);
