#pragma once

#include "data/SqlDialect.h"
#include "data/StoredValue.h"
#include "toolkit/db/Field.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// The engine behind a connection: the directory's SQLite file or a
// PostgreSQL server. The data sets speak to it of rows named by a number of
// the engine's own (SQLite's rowid; on the server the table's identity
// column, also named rowid), and no call leaves a transaction open, so
// nothing is locked while the person looks.
//
// Every failure raises EDatabaseError with a message for the person.
class TStore
{
public:
    using TStoredRecord = std::vector<TStoredValue>;

    // A column of a statement's result, and the table column it plainly
    // reads (both empty when it reads none).
    struct TColumn {
        QString name;
        int size = 0;
        QString originTable;
        QString originColumn;
    };

    // Reads one row by its number; prepared once for a data set.
    class TRowReader
    {
    public:
        virtual ~TRowReader() = default;
        virtual const std::vector<TColumn> &Columns() const = 0;
        // False when there is no such row.
        virtual bool Read(qint64 rowid, TStoredRecord &values) = 0;
    };

    struct TTableSize {
        qint64 rows = 0;
        qint64 highest = 0;
    };
    // A value a post writes into a column.
    struct TColumnValue {
        QString column;
        TFieldValue value;
    };
    // A column's value as it was read: a post or delete changes the row only
    // while every such column still holds exactly it.
    struct TColumnAsRead {
        QString column;
        TStoredValue value;
    };

    virtual ~TStore() = default;

    // The name of the table as stored, found without regard to case; empty
    // when there is none.
    virtual QString FindTable(const QString &name) = 0;
    // Refuses a table whose rows cannot be found again by their number.
    virtual void CheckRowNumbers(const QString &table) = 0;
    // The statements that read every row of `table` in the order of their
    // numbers: the reader of one row (its number as parameter 1).
    virtual QString TableReaderSql(const QString &table) = 0;
    // A statement of the program's dialect planned for this engine.
    virtual TQueryPlan PlanQuery(const QString &statement) = 0;

    virtual std::unique_ptr<TRowReader> PrepareReader(const QString &sql) = 0;
    // Every row of an untraceable statement, and its columns.
    virtual std::vector<TRecord> ReadAll(const QString &sql, std::vector<TColumn> &columns) = 0;
    // The row numbers of a traceable cursor (column 0), in its order.
    virtual std::vector<qint64> ListCursor(const QString &cursorSql) = 0;
    // The row numbers of a cursor that can be listed in ranges of row
    // numbers (TQueryPlan::rangeCursorSql over `table`), in its order; the
    // lists of consecutive ranges are made side by side on several cores
    // and merged. Nothing when the engine lists the cursor better whole (a
    // small table, one core, keys it cannot compare as the engine does).
    // An engine may instead test the rows by `scanTerms` itself, which is
    // all there is for a cursor of every row (an empty rangeCursorSql).
    virtual std::optional<std::vector<qint64>> ListCursorInRanges(const QString &table, const QString &rangeCursorSql,
                                                                  const std::vector<bool> &keysDescending,
                                                                  const TScanTerms &scanTerms) = 0;
    // Whether any cursor over `table` is listed in a moment (a small table):
    // it then needs no thread of its own.
    virtual bool ListsAtOnce(const QString &table) = 0;
    // The number of rows and the highest row number, as of one moment.
    virtual TTableSize MeasureTable(const QString &table) = 0;
    // Appends up to `limit` row numbers r with after < r < before, ascending
    // or descending.
    virtual void ListRowids(const QString &table, qint64 after, qint64 before, int limit, bool descending,
                            std::vector<qint64> &out) = 0;
    virtual bool RowExists(const QString &table, qint64 rowid) = 0;

    // Each write is one short transaction. Update and Delete return false
    // when no row had that number with those values.
    virtual bool Update(const QString &table, qint64 rowid, const std::vector<TColumnValue> &changes,
                        const std::vector<TColumnAsRead> &asRead) = 0;
    virtual qint64 Insert(const QString &table, const std::vector<TColumnValue> &values) = 0;
    virtual bool Delete(const QString &table, qint64 rowid, const std::vector<TColumnAsRead> &asRead) = 0;
    virtual bool ReadOnly() = 0;

    // Whether another connection has committed since the last call (the
    // first call after opening answers for the time since opening); nothing
    // when it cannot be told right now without waiting.
    virtual std::optional<bool> OthersCommitted() = 0;
    // A second connection to the same data, read-only, for a run on another
    // thread; Interrupt() may be called from any thread and ends what runs.
    virtual std::unique_ptr<TStore> OpenReader() const = 0;
    virtual void Interrupt() = 0;
    // Reads all of the data for damage, which may take long: why it is
    // damaged, as a sentence for the person, or empty when it is whole.
    virtual QString FindDamage() = 0;
    // How long a write waits for another program's lock before it gives up.
    virtual void SetLockTimeout(int milliseconds) = 0;
    // Runs `reads` waiting for another program's lock no more than a glance
    // (a lock that outlasts it raises EDatabaseError). Returns false without
    // running them while a statement of this connection is waiting for a
    // lock: what runs meanwhile (a paint) must not start another.
    virtual bool Glance(const std::function<void()> &reads) = 0;
    // The data was found to be the directory: what opening it for good
    // changes in it may be done now, and never to data that is refused.
    virtual void AcceptAsDirectory() = 0;
};
