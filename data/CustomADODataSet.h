#pragma once

#include "data/BackgroundCursor.h"
#include "data/RowidList.h"
#include "data/Store.h"
#include "toolkit/db/DataSet.h"

#include <QStringList>
#include <functional>
#include <unordered_set>
#include <vector>

class TADOConnection;

// A static cursor over rows of a table of the connection's store (the base
// of TADOTable and TADOQuery).
//
// The cursor keeps only the number of each row (its rowid, 8 bytes a row,
// see TRowidList); record numbers are positions in that list. A row's values are
// read by rowid when they are asked for, through a small cache, all values
// of a row in one step. No statement or transaction stays open between
// calls, so the program holds no lock on the file while the user looks. A
// row a painter asks for is read only when that takes no wait for another
// program's lock; else it is shown as not yet read and asked for again.
//
// A query's rowids are all read when it opens. A whole table is counted in
// one read transaction that also notes its highest rowid; its rowids, in
// rowid order, are listed later as far as they are needed. Rows that other
// processes add after opening stay out, and the count stays exact, until
// the set follows the store (FollowStore): then a query runs again and a
// table is counted again, and the rows of interest are found again by rowid.
// A query that took long to list runs again in the background (see
// TBackgroundCursor) and is followed when its rows are in; commits of
// others meanwhile are followed by one more run after it, and a run that
// overlapped a commit of this connection is run again before it is shown.
//
// Writing: each post or delete is one short transaction of the store, which
// names the row by rowid and requires every column to still hold the value
// that was read (NULLs included), and exactly one row must change. Another
// process's change or delete of the row, or a lock held past the timeout,
// raises EDatabaseError; the data set then keeps the user's edit (see
// TDataSet).
// An edit or a delete never goes on from a row that could not be read: it
// reads the row first, waiting for a lock as any read does, and fails with
// the lock's message when the lock outlasts the wait. A row the person was
// shown as not read is not deleted until it has been shown as it is.
// Cancelling an edit forgets the cached values, so the row is read afresh.
// Once the connection finds the file damaged (see TADOConnection), nothing
// is written any more.
//
// Cursors that cannot name the rows of one table (see TQueryPlan) are read
// into memory once and cannot be changed.
class TCustomADODataSet : public TDataSet
{
    Q_OBJECT

public:
    explicit TCustomADODataSet(QObject *parent = nullptr);
    ~TCustomADODataSet() override;

    TADOConnection *Connection() const { return m_connection; }
    // Closes the set first when it is open.
    void SetConnection(TADOConnection *connection);

    static constexpr qint64 kDefaultForegroundListingMs = 50;
    // A query whose last listing took longer than this many milliseconds
    // follows the store through a run in the background.
    void SetForegroundListingLimit(qint64 milliseconds) { m_foregroundListingMs = milliseconds; }

protected:
    struct TCursorSource {
        QString table;           // the table whose rows the cursor lists; empty when not traceable
        QString cursorSql;       // traceable: rowid in column 0; otherwise the values of each row
        QString readerSql;       // traceable: the values of the row whose rowid is parameter 1
        bool wholeTable = false; // every row of `table` in rowid order; cursorSql unused
        QString nullCursorSql;   // traceable: rowids listed before cursorSql's (see TQueryPlan)
        QString rangeCursorSql;  // traceable: cursorSql over a range of rowids (see TQueryPlan)
        std::vector<bool> rangeKeysDescending;
        TScanTerms scanTerms;
    };
    // The statements of the cursor, built when the set opens.
    virtual TCursorSource CursorSource() = 0;

    std::vector<TFieldDef> InternalOpen() override;
    void InternalClose() override;
    int InternalRecordCount() const override;
    const TRecord &InternalGetRecord(int index) const override;
    const TRecord *InternalPeekRecord(int index, TRowRead read) const override;
    void InternalEdit(int index) override;
    void InternalUpdate(int index, const TRecord &original, const TRecord &values) override;
    void InternalInsert(int index, const TRecord &values) override;
    void InternalDelete(int index) override;
    int InternalRefresh(int index) override;
    std::vector<TRowPlace> InternalFollowStore(const std::vector<int> &indexes) override;
    void InternalCancel(int index) override;
    void InternalKnowRow(int index) override;
    bool InternalCanModify() const override;
    QString InternalReadOnlyReason() const override;

private:
    friend class TADOConnection;
    // The connection is going away: close (see CloseForDestruction) and forget it.
    void DetachFromConnection() noexcept;
    // Another data set on the connection deleted a row of `table`.
    void ForgetDeletedRow(const QString &table, qint64 rowid);
    // Another connection committed: follow the store, now or when a run in
    // the background has listed the rows.
    void FollowOtherWriters();
    void StartBackgroundListing();
    void BackgroundListed(const std::shared_ptr<std::vector<qint64>> &rowids);

    using TStoredRecord = std::vector<TStoredValue>;
    struct TCacheSlot {
        qint64 rowid = 0;
        bool filled = false;
        TRecord record;
        TStoredRecord stored; // the same row as the file holds it
    };

    TStore &Store() const;
    // Following other programs lists on this thread: a query that lists
    // long follows in the background (FollowOtherWriters).
    enum class TListing { Painting, Plain };
    void LoadCursor(TListing listing);
    // A traceable query's rowids, in its order.
    static std::vector<qint64> ListQueryRows(TStore &store, const TCursorSource &source);
    // The same on a reader of its own while the windows go on painting,
    // when this is the user-interface thread and the table is not small;
    // EDatabaseCancelled when the person cancels the wait.
    std::vector<qint64> ListQueryRowsPainting();
    void StartTableListing();
    std::vector<TRowPlace> FollowTable(const std::vector<int> &indexes);
    std::vector<TRowPlace> FollowQuery(const std::vector<int> &indexes);
    // Nothing is written to a damaged file, not even an edit begun before
    // the damage was found.
    void RefuseWritingWhenDamaged() const;
    // Raises the conflict error for a row that changed or vanished.
    [[noreturn]] void ThrowRowConflict(qint64 rowid, bool deleting);
    TCacheSlot &Slot(qint64 rowid) const;
    // The row's slot, read into it when it is not there (EDatabaseError when
    // it cannot be read; a row that is gone reads as NULLs).
    const TCacheSlot &ReadRow(qint64 rowid) const;
    // ReadRow for an edit or a delete, which waits for a lock like any read
    // and never goes on without the row's values.
    const TCacheSlot &ReadRowToWrite(qint64 rowid);
    // Row `index` was given out as not read (NULLs, or not yet read).
    void NoteShownUnread(int index) const;
    // The table columns of the set with their values as read.
    std::vector<TStore::TColumnAsRead> AsRead(const TStoredRecord &stored) const;
    void Forget(qint64 rowid);

    TADOConnection *m_connection = nullptr;
    TCursorSource m_source;
    mutable TRowidList m_rowids; // traceable cursors
    std::vector<TRecord> m_rows; // untraceable cursors
    QStringList m_columns;       // per field: the table column it reads, empty if none
    std::unique_ptr<TStore::TRowReader> m_reader;
    mutable std::vector<TCacheSlot> m_cache;
    // Rows last given out as not read: until one is read, a delete of it is
    // refused, as its values were never seen.
    mutable std::unordered_set<qint64> m_shownUnread;
    TRecord m_nullRecord;
    TBackgroundCursor m_background;
    qint64 m_foregroundListingMs = kDefaultForegroundListingMs;
    qint64 m_lastListingMs = 0;                          // how long the query's last listing took
    int m_ownCommitsAtRun = 0;                           // the connection's commits when the run began
    bool m_followAgain = false;                          // others committed during the run
    std::shared_ptr<std::vector<qint64>> m_listedAfresh; // the run's rows, until followed
    qint64 m_editRowid = 0;                              // the row being edited, by rowid: its index may change
    TStoredRecord m_editStored;                          // the row being edited, as read when the edit began
};
