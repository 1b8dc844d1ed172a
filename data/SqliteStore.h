#pragma once

#include "data/Store.h"

#include <QElapsedTimer>
#include <QString>
#include <atomic>
#include <memory>
#include <mutex>
#include <utility>

struct sqlite3;
class TReaderPool;
class TSchemaNames;

// The directory's SQLite file. The file is opened read-write and never
// created; other processes may open it at the same time (its rollback
// journal is kept). SQLite's reading of unknown double-quoted names as
// strings is off, LIKE is the case-insensitive one of CaseInsensitiveLike.h,
// and a lock of another program is waited out for up to the lock timeout
// with the wait cursor up. The windows keep painting while a statement
// waits; nothing else runs then, and nothing that paints may use the
// connection (see Glance).
//
// Rows are named by SQLite's rowid. A row is changed or deleted only while
// every column still holds the value that was read: its storage class and
// its bytes (so NULLs, numbers and text that is not UTF-8 compare safely).
class TSqliteStore : public TStore
{
public:
    static constexpr int kDefaultLockTimeoutMs = 3000;
    // Another program's commit holds its lock for a few milliseconds.
    static constexpr int kLockGlanceMs = 25;
    // A cursor over fewer rows than this is listed whole: starting the
    // threads of ranges would cost more than they save.
    static constexpr qint64 kDefaultRangesFromRows = 50000;

    // Raises EDatabaseError saying why when the file is missing, empty, not
    // a database, truncated, damaged or read-only, or held in WAL mode by
    // another program, and EDatabaseLocked when it is locked; the file is
    // then left exactly as it was. A file left in WAL mode is put back to
    // the rollback journal.
    static std::unique_ptr<TSqliteStore> Open(const QString &path);
    ~TSqliteStore() override;

    sqlite3 *Handle() const { return m_db; }

    QString FindTable(const QString &name) override;
    void CheckRowNumbers(const QString &table) override;
    QString TableReaderSql(const QString &table) override;
    TQueryPlan PlanQuery(const QString &statement) override;
    std::unique_ptr<TRowReader> PrepareReader(const QString &sql) override;
    std::vector<TRecord> ReadAll(const QString &sql, std::vector<TColumn> &columns) override;
    std::vector<qint64> ListCursor(const QString &cursorSql) override;
    // Fewer rowids than a listing in ranges starts from.
    bool ListsAtOnce(const QString &table) override;
    // Read from the table's pages when the file and the terms allow
    // (TTableScan), otherwise in ranges on several cores.
    std::optional<std::vector<qint64>> ListCursorInRanges(const QString &table, const QString &rangeCursorSql,
                                                          const std::vector<bool> &keysDescending,
                                                          const TScanTerms &scanTerms) override;
    // How many ranges, each on a thread and a reading connection of its
    // own, a cursor over at least `fromRows` rows is listed in, and on how
    // many threads the pages of such a table are read (the cores of the
    // machine unless set; fewer than two lists every cursor whole). Readers
    // opened later take the setting.
    void SetRanges(int ranges, qint64 fromRows);
    TTableSize MeasureTable(const QString &table) override;
    void ListRowids(const QString &table, qint64 after, qint64 before, int limit, bool descending,
                    std::vector<qint64> &out) override;
    bool RowExists(const QString &table, qint64 rowid) override;
    bool Update(const QString &table, qint64 rowid, const std::vector<TColumnValue> &changes,
                const std::vector<TColumnAsRead> &asRead) override;
    qint64 Insert(const QString &table, const std::vector<TColumnValue> &values) override;
    bool Delete(const QString &table, qint64 rowid, const std::vector<TColumnAsRead> &asRead) override;
    bool ReadOnly() override;
    std::optional<bool> OthersCommitted() override;
    std::unique_ptr<TStore> OpenReader() const override;
    void Interrupt() override;
    void SetLockTimeout(int milliseconds) override { m_lockTimeoutMs = milliseconds; }
    QString FindDamage() override;
    // A file left in WAL goes back to the rollback journal.
    void AcceptAsDirectory() override;
    // Whether opening checked every page of the file; a bigger file is
    // left to FindDamage on a reader.
    bool PagesChecked() const { return m_pagesChecked; }
    bool Glance(const std::function<void()> &reads) override;
    // A statement is waiting for a lock and the windows are painting.
    bool PaintingInWait() const { return m_paintingInWait; }

private:
    TSqliteStore(sqlite3 *db, QString path, bool readOnlyCopy);
    static int WaitOutLock(void *store, int attempt);
    static int WaitOutLockInBackground(void *store, int attempt);
    std::optional<qint64> NextLockWaitStep(int attempt);
    void PaintWhileWaiting();
    // Runs `work` in one read transaction, or in one write transaction begun
    // IMMEDIATE; a lock held past the timeout is reported as such.
    template <typename Work> void InReadTransaction(Work &&work);
    template <typename Work> void InWriteTransaction(Work &&work);
    std::optional<qint64> DataVersion();
    std::unique_ptr<TSqliteStore> OpenRangeReader() const;
    // The lowest and highest rowid of `table`; nothing when it is empty.
    std::optional<std::pair<qint64, qint64>> RowidSpan(const QString &table);
    bool KeysCompareAsStored(const QString &rangeCursorSql, int keys);
    std::optional<std::vector<qint64>> ListFromTablePages(const QString &table, const std::vector<bool> &keysDescending,
                                                          const TScanTerms &scanTerms);
    void HoldOneSnapshot(const std::vector<std::unique_ptr<TSqliteStore>> &readers);
    void WatchRangeReaders(const std::vector<std::unique_ptr<TSqliteStore>> &readers);
    TSchemaNames TableNames();

    sqlite3 *m_db = nullptr;
    QString m_path;
    bool m_backgroundReader = false; // a reader for another thread: no wait cursor
    int m_lockTimeoutMs = kDefaultLockTimeoutMs;
    QElapsedTimer m_lockWait; // since the waiting statement first met the lock
    bool m_glancing = false;  // inside Glance: a paint may be in progress
    bool m_paintingInWait = false;
    qint64 m_dataVersion = 0;
    bool m_pagesChecked = false;
    int m_ranges = 0;
    qint64 m_rangesFromRows = kDefaultRangesFromRows;
    // Interrupt() may come from another thread while ranges are listed:
    // it reaches their readers too, and no listing in ranges starts after it.
    std::mutex m_interruptLock;
    std::vector<sqlite3 *> m_rangeReaders;
    std::atomic<bool> m_interrupted = false;
    // The readers of this file at rest, shared with the readers in use.
    std::shared_ptr<TReaderPool> m_readers;
};
