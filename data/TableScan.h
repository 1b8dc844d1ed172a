#pragma once

#include "data/CaseInsensitiveLike.h"
#include "data/StoredRecord.h"

#include <QtGlobal>
#include <atomic>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

class TTableFile;

// The rows of one table that a conjunction of LIKE terms selects, in the
// order of plain key columns, found by reading the table's pages
// (TTableFile) instead of running a statement: the same rows in the same
// order as SQLite gives for
//   SELECT rowid FROM table WHERE <terms> ORDER BY <keys>
// with the program's LIKE and the keys' BINARY collation, rows whose keys
// all tie in rowid order. A row written before a column with a default was
// added holds no value for it: such a row ends the scan as unreadable here,
// and the engine, which knows the default, lists the rows instead.
class TTableScan
{
public:
    // A term on the field of table column `column` (its place in the
    // record): LIKE `pattern`, or, without one, IS NOT NULL.
    struct TTerm {
        int column = 0;
        std::optional<TLikePattern> pattern;
        bool hasDefault = false;
    };
    struct TKey {
        int column = 0;
        bool descending = false;
        bool hasDefault = false;
    };
    // The text the engine makes of a real number, which LIKE matches.
    using TRealText = std::function<std::string(double)>;

    TTableScan(std::vector<TTerm> terms, std::vector<TKey> keys, TRealText realText);

    // How many threads read the leaves, in runs of consecutive leaves, for
    // a table of about `fromRows` rows or more; one reads a smaller table.
    struct TThreads {
        int count = 1;
        qint64 fromRows = 0;
    };
    // Nothing when the pages are malformed, or when `stop` was found set (it
    // is looked at every few dozen leaves).
    std::optional<std::vector<qint64>> List(const TTableFile &file, quint32 root, TThreads threads,
                                            const std::atomic<bool> &stop);

private:
    // A row's place in a sort: its first key's prefix (see SortPrefix), and
    // the key's length when the prefix holds the whole key.
    static constexpr quint32 kUnsettled = 0xFFFFFFFF;
    struct TSortEntry {
        quint64 prefix = 0;
        quint32 row = 0;
        quint32 settledLength = kUnsettled;
    };
    // The rows one thread found in its run of leaves.
    struct TPart {
        std::vector<qint64> rowids;        // in rowid order
        std::vector<TStoredField> keys;    // each row's keys, one after the other
        std::vector<TSortEntry> sorted;    // the rows by their keys
        std::deque<std::string> keptBytes; // keys of records put together from overflow pages
        bool failed = false;
        qint64 firstRowid = 0;
        qint64 lastRowid = 0;
        bool anyRow = false;
    };
    void ScanLeaves(const TTableFile &file, const quint32 *leaves, size_t count, TPart &part,
                    const std::atomic<bool> &stop) const;
    bool Holds(const TTerm &term, const TStoredField &field) const;
    // Below, at or above zero as row keys `a` sort before, with or after `b`,
    // looking from key `from` on.
    int CompareKeys(const TStoredField *a, const TStoredField *b, size_t from = 0) const;
    quint64 SortPrefix(const TStoredField &key) const;
    TSortEntry SortEntry(const TPart &part, quint32 row) const;
    int CompareEntries(const TPart &aPart, const TSortEntry &a, const TPart &bPart, const TSortEntry &b) const;
    void SortByKeys(TPart &part) const;
    std::vector<qint64> Merge(const std::vector<TPart> &parts) const;

    std::vector<TTerm> m_terms;
    std::vector<TKey> m_keys;
    TRealText m_realText;
    mutable std::mutex m_realTextLock; // the engine's text is made on one connection
};
