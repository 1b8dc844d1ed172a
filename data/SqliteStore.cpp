#include "data/SqliteStore.h"

#include "data/CaseInsensitiveLike.h"
#include "data/DatabaseFile.h"
#include "data/LocalFileSystem.h"
#include "data/PageListing.h"
#include "data/RangeMerge.h"
#include "data/ReaderPool.h"
#include "data/SchemaNames.h"
#include "data/SideBySide.h"
#include "data/SqliteStatement.h"
#include "toolkit/app/WaitCursor.h"
#include "toolkit/db/DatabaseDamaged.h"
#include "toolkit/db/DatabaseError.h"
#include "toolkit/db/DatabaseLocked.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScopedValueRollback>
#include <QStringList>
#include <QThread>
#include <sqlite3.h>

#include <algorithm>
#include <exception>
#include <iterator>
#include <thread>

namespace {

// How often, in engine instructions, a running statement reports that it
// is still busy (well under a millisecond apart).
constexpr int kProgressInstructions = 20000;
// Files up to this size are checked page by page when they open; the check
// reads the whole file, which takes well under a second at this size.
// Bigger files are checked in the background (see TADOConnection).
constexpr qint64 kQuickCheckLimitBytes = 16 * 1024 * 1024;
// The part of a file on a local disk that SQLite reads through a memory
// mapping rather than a copy per page; a search scans the whole table.
constexpr qint64 kMappedBytes = qint64(1) << 30;

QString Tr(const char *text)
{
    return QCoreApplication::translate("TCustomADODataSet", text);
}

int ReportProgress(void *)
{
    TWaitCursor::Tick();
    return 0;
}

// What SQLite's check of every page found, as a sentence; empty when the
// file is whole. The check's report ("*** in database main ***", then what
// it found on which page) is kept at the end, without the heading that
// names the schema.
QString PageDamage(sqlite3 *db)
{
    TSqliteStatement check(db, QStringLiteral("PRAGMA quick_check(1)"));
    if (!check.Step() || check.Value(0) == QStringLiteral("ok"))
        return {};
    QStringList found = check.Value(0)->split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    found.removeIf([](const QString &line) { return line.startsWith(QStringLiteral("***")); });
    return QCoreApplication::translate("ADOConnection", "the file is damaged (%1).")
        .arg(found.join(QStringLiteral("; ")));
}

// The file's journal mode; the statement is done with before the mode can
// be changed, which no statement that is still open allows.
QString JournalMode(sqlite3 *db)
{
    TSqliteStatement mode(db, QStringLiteral("PRAGMA journal_mode"));
    return mode.Step() ? mode.Value(0).value_or(QString()) : QString();
}

// WAL keeps its index in shared memory, which clerks on other machines that
// open the file over a network do not share: the file is put back to the
// rollback journal. Leaving WAL first checkpoints every frame into the file,
// so nothing committed is lost; while another program has the file open in
// WAL the switch cannot be made, and the file is refused.
void UseRollbackJournal(sqlite3 *db)
{
    if (JournalMode(db).compare(QStringLiteral("wal"), Qt::CaseInsensitive) != 0)
        return;
    const auto heldInWal = [] {
        return EDatabaseError(QCoreApplication::translate(
            "ADOConnection", "another program has the file open in WAL mode, which is unsafe when clerks on several "
                             "machines share the file. Close that program and start this one again."));
    };
    try {
        TSqliteStatement rollbackJournal(db, QStringLiteral("PRAGMA journal_mode = DELETE"));
        if (!rollbackJournal.Step()
            || rollbackJournal.Value(0)->compare(QStringLiteral("delete"), Qt::CaseInsensitive) != 0)
            throw heldInWal();
    } catch (const EDatabaseLocked &) {
        throw heldInWal();
    }
}

int DeclaredLength(const QString &declaredType)
{
    static const QRegularExpression length(QStringLiteral("\\(\\s*(\\d+)"));
    const QRegularExpressionMatch match = length.match(declaredType);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

// Whether a column still holds exactly a value read from it (its storage
// class and its bytes), that value being bound as parameter `parameter`.
QString ColumnHolds(const QString &column, TStoredValue::TStorageClass storageClass, int parameter)
{
    const QString quoted = QuoteSqlName(column);
    switch (storageClass) {
    case TStoredValue::Null: return QStringLiteral("%1 IS ?%2").arg(quoted, QString::number(parameter));
    case TStoredValue::Integer:
        return QStringLiteral("(typeof(%1) = 'integer' AND %1 = ?%2)").arg(quoted, QString::number(parameter));
    case TStoredValue::Real:
        return QStringLiteral("(typeof(%1) = 'real' AND %1 = ?%2)").arg(quoted, QString::number(parameter));
    case TStoredValue::Text:
        return QStringLiteral("(typeof(%1) = 'text' AND CAST(%1 AS BLOB) = CAST(?%2 AS BLOB))")
            .arg(quoted, QString::number(parameter));
    case TStoredValue::Blob:
        return QStringLiteral("(typeof(%1) = 'blob' AND %1 = ?%2)").arg(quoted, QString::number(parameter));
    }
    return {};
}

// " AND ..." requiring each column to hold its value as read, the values
// bound from parameter `firstParameter` on by BindAsRead.
QString StillAsRead(const std::vector<TStore::TColumnAsRead> &asRead, int firstParameter)
{
    QString checks;
    int parameter = firstParameter;
    for (const TStore::TColumnAsRead &column : asRead)
        checks += QStringLiteral(" AND ") + ColumnHolds(column.column, column.value.storageClass, parameter++);
    return checks;
}

void BindAsRead(TSqliteStatement &statement, const std::vector<TStore::TColumnAsRead> &asRead, int firstParameter)
{
    int parameter = firstParameter;
    for (const TStore::TColumnAsRead &column : asRead)
        statement.Bind(parameter++, column.value);
}

std::vector<TStore::TColumn> ColumnsOf(const TSqliteStatement &statement)
{
    std::vector<TStore::TColumn> columns;
    for (int column = 0; column < statement.ColumnCount(); ++column) {
        columns.push_back({statement.ColumnName(column), DeclaredLength(statement.ColumnDeclaredType(column)),
                           statement.ColumnOriginTable(column), statement.ColumnOriginName(column)});
    }
    return columns;
}

class TSqliteRowReader : public TStore::TRowReader
{
public:
    TSqliteRowReader(const TSqliteStore &store, const QString &sql)
        : m_store(store)
        , m_statement(store.Handle(), sql)
        , m_columns(ColumnsOf(m_statement))
    { }

    const std::vector<TStore::TColumn> &Columns() const override { return m_columns; }

    bool Read(qint64 rowid, TStore::TStoredRecord &values) override
    {
        // The connection is inside a statement that waits: it runs no other.
        if (m_store.PaintingInWait())
            throw EDatabaseLocked(SqliteErrorMessage(m_store.Handle(), SQLITE_BUSY));
        try {
            m_statement.Reset();
            m_statement.Bind(1, rowid);
            const bool found = m_statement.Step();
            if (found) {
                values.resize(m_columns.size());
                for (int column = 0; column < int(m_columns.size()); ++column)
                    values[column] = m_statement.Stored(column);
            }
            m_statement.Reset();
            return found;
        } catch (...) {
            m_statement.Reset();
            throw;
        }
    }

private:
    const TSqliteStore &m_store;
    TSqliteStatement m_statement;
    std::vector<TStore::TColumn> m_columns;
};

// An interrupt that comes as a listing ends can cut its end short as well:
// the end is run again until no transaction is left open.
void EndRead(sqlite3 *db, const char *end)
{
    constexpr int kEndAttempts = 100;
    for (int attempt = 0; attempt < kEndAttempts && !sqlite3_get_autocommit(db); ++attempt)
        sqlite3_exec(db, end, nullptr, nullptr, nullptr);
}

} // namespace

std::unique_ptr<TSqliteStore> TSqliteStore::Open(const QString &path)
{
    CheckDatabaseFile(path);
    sqlite3 *db = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    std::unique_ptr<TSqliteStore> store(new TSqliteStore(db, path, false));
    if (rc != SQLITE_OK)
        ThrowSqliteError(db, rc);
    sqlite3_progress_handler(db, kProgressInstructions, ReportProgress, nullptr);
    // Reading the schema is the first real access to the file: it finds
    // foreign, damaged and locked files, and rolls back a journal that a
    // writer which died mid-commit left, before the file is judged whole.
    // A file shorter than its header says reads as malformed: it is
    // reported as truncated.
    rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_schema", nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK || (rc & 0xFF) == SQLITE_CORRUPT) {
        const QString damage = DatabaseFileDamage(path);
        if (!damage.isEmpty())
            throw EDatabaseError(damage);
    }
    if (rc != SQLITE_OK)
        ThrowSqliteError(db, rc);
    if (sqlite3_db_readonly(db, "main") == 1)
        throw EDatabaseError(SqliteErrorMessage(db, SQLITE_READONLY));
    store->m_pagesChecked = QFileInfo(path).size() <= kQuickCheckLimitBytes;
    if (store->m_pagesChecked) {
        const QString damage = PageDamage(db);
        if (!damage.isEmpty())
            throw EDatabaseDamaged(damage);
    }
    // Taken before any data set reads, so that no commit slips between.
    store->m_dataVersion = store->DataVersion().value_or(0);
    return store;
}

void TSqliteStore::AcceptAsDirectory()
{
    // Leaving WAL writes to the file: only once it is known to be whole and
    // to be the directory.
    if (!m_backgroundReader)
        UseRollbackJournal(m_db);
}

TSqliteStore::TSqliteStore(sqlite3 *db, QString path, bool backgroundReader)
    : m_db(db)
    , m_path(std::move(path))
    , m_backgroundReader(backgroundReader)
    , m_ranges(int(std::thread::hardware_concurrency()))
    , m_readers(backgroundReader ? nullptr : std::make_shared<TReaderPool>(m_path))
{
    if (!m_db)
        return;
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    sqlite3_busy_handler(m_db, m_backgroundReader ? WaitOutLockInBackground : WaitOutLock, this);
    InstallCaseInsensitiveLike(m_db);
    if (IsOnLocalFileSystem(m_path))
        sqlite3_exec(m_db, QByteArray("PRAGMA mmap_size = " + QByteArray::number(kMappedBytes)).constData(), nullptr,
                     nullptr, nullptr);
}

// A reader goes back to the pool unless a cancel may have left the engine's
// interrupt standing for its next statement.
TSqliteStore::~TSqliteStore()
{
    if (m_backgroundReader && m_readers && m_db && !m_interrupted)
        m_readers->Give(m_db);
    else
        sqlite3_close_v2(m_db);
}

// Waits out another program's lock for up to the lock timeout, in the
// engine's own growing steps; the wait cursor comes up meanwhile, as for any
// long step, and the windows paint. The timeout counts the time painting
// took too. Returns 0 to give up.
int TSqliteStore::WaitOutLock(void *data, int attempt)
{
    auto *store = static_cast<TSqliteStore *>(data);
    const std::optional<qint64> stepMs = store->NextLockWaitStep(attempt);
    if (!stepMs)
        return 0;
    TWaitCursor::Tick();
    store->PaintWhileWaiting();
    QThread::msleep(*stepMs);
    return 1;
}

// A reader on another thread waits without painting; a cancel ends the
// wait at once, where the engine's own waiting would sleep the timeout out.
int TSqliteStore::WaitOutLockInBackground(void *data, int attempt)
{
    auto *store = static_cast<TSqliteStore *>(data);
    const std::optional<qint64> stepMs = store->NextLockWaitStep(attempt);
    if (!stepMs || store->m_interrupted)
        return 0;
    QThread::msleep(*stepMs);
    return 1;
}

// The engine's own growing steps, up to the lock timeout counted from the
// first attempt; nothing once it has passed.
std::optional<qint64> TSqliteStore::NextLockWaitStep(int attempt)
{
    static constexpr int kStepsMs[] = {1, 2, 5, 10, 15, 20, 25, 25, 25, 50, 50, 100};
    constexpr int kSteps = int(std::size(kStepsMs));
    if (attempt == 0)
        m_lockWait.start();
    const qint64 left = m_lockTimeoutMs - m_lockWait.elapsed();
    if (left <= 0)
        return std::nullopt;
    return std::clamp<qint64>(left, 0, kStepsMs[std::min(attempt, kSteps - 1)]);
}

// Only paints are delivered: input, timers and other posted events would
// run the program's code in the middle of a statement. A wait inside a
// glance may be inside a paint already, which must not be entered again.
void TSqliteStore::PaintWhileWaiting()
{
    if (m_glancing || m_paintingInWait || !qApp || QThread::currentThread() != qApp->thread())
        return;
    const QScopedValueRollback painting(m_paintingInWait, true);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
}

bool TSqliteStore::Glance(const std::function<void()> &reads)
{
    if (m_paintingInWait)
        return false;
    const QScopedValueRollback timeout(m_lockTimeoutMs, std::min(m_lockTimeoutMs, kLockGlanceMs));
    const QScopedValueRollback glancing(m_glancing, true);
    reads();
    return true;
}

template <typename Work> void TSqliteStore::InReadTransaction(Work &&work)
{
    std::optional<TWaitCursor> wait;
    if (!m_backgroundReader)
        wait.emplace();
    const int rc = sqlite3_exec(m_db, "BEGIN", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        ThrowSqliteError(m_db, rc);
    try {
        work();
    } catch (...) {
        EndRead(m_db, "ROLLBACK");
        throw;
    }
    EndRead(m_db, "COMMIT");
}

template <typename Work> void TSqliteStore::InWriteTransaction(Work &&work)
{
    const TWaitCursor wait;
    const auto lockedError = [] {
        return EDatabaseError(Tr("The database is locked by another user or program, so the change was not saved. "
                                 "Nothing was lost: try again in a moment."));
    };
    int rc = sqlite3_exec(m_db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        if (IsBusyCode(rc))
            throw lockedError();
        ThrowSqliteError(m_db, rc);
    }
    try {
        work();
        rc = sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK) {
            if (IsBusyCode(rc))
                throw lockedError();
            ThrowSqliteError(m_db, rc);
        }
    } catch (...) {
        if (!sqlite3_get_autocommit(m_db))
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

TSchemaNames TSqliteStore::TableNames()
{
    TSchemaNames names;
    TSqliteStatement tables(m_db, QStringLiteral("SELECT name FROM sqlite_schema WHERE type = 'table'"));
    while (tables.Step())
        names.Add(*tables.Value(0));
    return names;
}

QString TSqliteStore::FindTable(const QString &name)
{
    const QStringList tables = TableNames().Matches(name);
    if (tables.size() > 1) {
        throw EDatabaseError(Tr("The database file holds several tables whose names differ from \"%1\" in case "
                                "alone (%2), so it is not clear which one to show.")
                                 .arg(name, tables.join(QStringLiteral(", "))));
    }
    return tables.value(0);
}

// Rows are found again by their rowid: a table without one, or whose column
// named rowid hides it, cannot be edited safely and is refused plainly.
void TSqliteStore::CheckRowNumbers(const QString &table)
{
    TSqliteStatement hidden(m_db, QStringLiteral("SELECT name FROM pragma_table_info(?1) WHERE lower(name) = 'rowid'"));
    hidden.Bind(1, TFieldValue(table));
    if (hidden.Step()) {
        throw EDatabaseError(Tr("The table \"%1\" cannot be shown: its column \"%2\" has the name the program needs "
                                "for numbering the rows.")
                                 .arg(table, *hidden.Value(0)));
    }
    sqlite3_stmt *probe = nullptr;
    const QByteArray sql = QStringLiteral("SELECT rowid FROM %1").arg(QuoteSqlName(table)).toUtf8();
    const int rc = sqlite3_prepare_v2(m_db, sql.constData(), int(sql.size()), &probe, nullptr);
    sqlite3_finalize(probe);
    if (rc != SQLITE_OK) {
        throw EDatabaseError(Tr("The table \"%1\" cannot be shown: it is made without row numbers (WITHOUT ROWID), "
                                "by which the program finds a row again when it is changed.")
                                 .arg(table));
    }
}

QString TSqliteStore::TableReaderSql(const QString &table)
{
    return QStringLiteral("SELECT * FROM %1 WHERE rowid = ?1").arg(QuoteSqlName(table));
}

TQueryPlan TSqliteStore::PlanQuery(const QString &statement)
{
    TSchemaNames names = TableNames();
    TSqliteStatement columns(m_db,
                             QStringLiteral("SELECT DISTINCT c.name FROM sqlite_schema t, pragma_table_info(t.name) c "
                                            "WHERE t.type = 'table'"));
    while (columns.Step())
        names.Add(*columns.Value(0));
    return ::PlanQuery(names.Respell(statement));
}

std::unique_ptr<TStore::TRowReader> TSqliteStore::PrepareReader(const QString &sql)
{
    return std::make_unique<TSqliteRowReader>(*this, sql);
}

std::vector<TRecord> TSqliteStore::ReadAll(const QString &sql, std::vector<TColumn> &columns)
{
    const TWaitCursor wait;
    TSqliteStatement cursor(m_db, sql);
    columns = ColumnsOf(cursor);
    std::vector<TRecord> rows;
    while (cursor.Step()) {
        TRecord row(columns.size());
        for (int column = 0; column < int(columns.size()); ++column)
            row[column] = cursor.Value(column);
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<qint64> TSqliteStore::ListCursor(const QString &cursorSql)
{
    std::optional<TWaitCursor> wait;
    if (!m_backgroundReader)
        wait.emplace();
    TSqliteStatement cursor(m_db, cursorSql);
    std::vector<qint64> rowids;
    while (cursor.Step())
        rowids.push_back(cursor.Int64(0));
    rowids.shrink_to_fit();
    return rowids;
}

TStore::TTableSize TSqliteStore::MeasureTable(const QString &table)
{
    const QString quoted = QuoteSqlName(table);
    TTableSize size;
    InReadTransaction([&] {
        TSqliteStatement last(m_db, QStringLiteral("SELECT max(rowid) FROM %1").arg(quoted));
        last.Step();
        size.highest = last.Int64(0);
        TSqliteStatement count(m_db, QStringLiteral("SELECT count(*) FROM %1").arg(quoted));
        count.Step();
        size.rows = count.Int64(0);
    });
    return size;
}

void TSqliteStore::ListRowids(const QString &table, qint64 after, qint64 before, int limit, bool descending,
                              std::vector<qint64> &out)
{
    TSqliteStatement list(
        m_db, QStringLiteral("SELECT rowid FROM %1 WHERE rowid > ?1 AND rowid < ?2 ORDER BY rowid %2 LIMIT ?3")
                  .arg(QuoteSqlName(table), descending ? QStringLiteral("DESC") : QStringLiteral("ASC")));
    list.Bind(1, after);
    list.Bind(2, before);
    list.Bind(3, qint64(limit));
    while (list.Step())
        out.push_back(list.Int64(0));
}

bool TSqliteStore::RowExists(const QString &table, qint64 rowid)
{
    TSqliteStatement exists(m_db, QStringLiteral("SELECT 1 FROM %1 WHERE rowid = ?1").arg(QuoteSqlName(table)));
    exists.Bind(1, rowid);
    return exists.Step();
}

bool TSqliteStore::Update(const QString &table, qint64 rowid, const std::vector<TColumnValue> &changes,
                          const std::vector<TColumnAsRead> &asRead)
{
    QStringList assignments;
    for (int i = 0; i < int(changes.size()); ++i)
        assignments << QStringLiteral("%1 = ?%2").arg(QuoteSqlName(changes[i].column), QString::number(i + 2));
    const int firstCheck = int(changes.size()) + 2;
    const QString sql =
        QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?1%3")
            .arg(QuoteSqlName(table), assignments.join(QStringLiteral(", ")), StillAsRead(asRead, firstCheck));
    bool changed = false;
    InWriteTransaction([&] {
        TSqliteStatement update(m_db, sql);
        update.Bind(1, rowid);
        for (int i = 0; i < int(changes.size()); ++i)
            update.Bind(i + 2, changes[i].value);
        BindAsRead(update, asRead, firstCheck);
        update.Step();
        changed = sqlite3_changes(m_db) == 1;
    });
    return changed;
}

qint64 TSqliteStore::Insert(const QString &table, const std::vector<TColumnValue> &values)
{
    QStringList columns;
    QStringList placeholders;
    for (int i = 0; i < int(values.size()); ++i) {
        columns << QuoteSqlName(values[i].column);
        placeholders << QStringLiteral("?%1").arg(i + 1);
    }
    const QString quoted = QuoteSqlName(table);
    const QString sql = columns.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoted)
                                          : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                                .arg(quoted, columns.join(QStringLiteral(", ")),
                                                     placeholders.join(QStringLiteral(", ")));
    qint64 rowid = 0;
    InWriteTransaction([&] {
        TSqliteStatement insert(m_db, sql);
        for (int i = 0; i < int(values.size()); ++i)
            insert.Bind(i + 1, values[i].value);
        insert.Step();
        rowid = sqlite3_last_insert_rowid(m_db);
    });
    return rowid;
}

bool TSqliteStore::Delete(const QString &table, qint64 rowid, const std::vector<TColumnAsRead> &asRead)
{
    const QString sql =
        QStringLiteral("DELETE FROM %1 WHERE rowid = ?1%2").arg(QuoteSqlName(table), StillAsRead(asRead, 2));
    bool deleted = false;
    InWriteTransaction([&] {
        TSqliteStatement remove(m_db, sql);
        remove.Bind(1, rowid);
        BindAsRead(remove, asRead, 2);
        remove.Step();
        deleted = sqlite3_changes(m_db) == 1;
    });
    return deleted;
}

bool TSqliteStore::ReadOnly()
{
    return sqlite3_db_readonly(m_db, "main") != 0;
}

std::optional<qint64> TSqliteStore::DataVersion()
{
    // A writer's lock makes the look fail at once rather than wait.
    const int lockTimeout = m_lockTimeoutMs;
    m_lockTimeoutMs = 0;
    std::optional<qint64> version;
    try {
        TSqliteStatement pragma(m_db, QStringLiteral("PRAGMA data_version"));
        if (pragma.Step())
            version = pragma.Int64(0);
    } catch (const EDatabaseError &) {
    }
    m_lockTimeoutMs = lockTimeout;
    return version;
}

// The file's data version changes with every commit of another connection.
std::optional<bool> TSqliteStore::OthersCommitted()
{
    if (!sqlite3_get_autocommit(m_db))
        return std::nullopt;
    const std::optional<qint64> version = DataVersion();
    if (!version)
        return std::nullopt;
    const bool changed = *version != m_dataVersion;
    m_dataVersion = *version;
    return changed;
}

std::unique_ptr<TStore> TSqliteStore::OpenReader() const
{
    return OpenRangeReader();
}

std::unique_ptr<TSqliteStore> TSqliteStore::OpenRangeReader() const
{
    int rc = SQLITE_OK;
    sqlite3 *db = m_readers->Take(rc);
    std::unique_ptr<TSqliteStore> reader(new TSqliteStore(db, m_path, true));
    if (rc != SQLITE_OK)
        ThrowSqliteError(db, rc);
    reader->m_readers = m_readers;
    reader->m_ranges = m_ranges;
    reader->m_rangesFromRows = m_rangesFromRows;
    reader->m_lockTimeoutMs = m_lockTimeoutMs;
    return reader;
}

void TSqliteStore::Interrupt()
{
    const std::lock_guard guard(m_interruptLock);
    m_interrupted = true;
    sqlite3_interrupt(m_db);
    for (sqlite3 *reader : m_rangeReaders)
        sqlite3_interrupt(reader);
}

void TSqliteStore::SetRanges(int ranges, qint64 fromRows)
{
    m_ranges = ranges;
    m_rangesFromRows = fromRows;
}

// The merge compares the keys as stored, byte for byte: each must be a
// column of BINARY collation in a file whose text is UTF-8.
bool TSqliteStore::KeysCompareAsStored(const QString &rangeCursorSql, int keys)
{
    TSqliteStatement encoding(m_db, QStringLiteral("PRAGMA encoding"));
    if (!encoding.Step() || encoding.Value(0) != QStringLiteral("UTF-8"))
        return false;
    encoding.Reset();
    const TSqliteStatement cursor(m_db, rangeCursorSql);
    for (int key = 1; key <= keys; ++key) {
        if (!SortsByBytes(m_db, sqlite3_column_database_name(cursor.Handle(), key),
                          sqlite3_column_table_name(cursor.Handle(), key),
                          sqlite3_column_origin_name(cursor.Handle(), key)))
            return false;
    }
    return true;
}

void TSqliteStore::WatchRangeReaders(const std::vector<std::unique_ptr<TSqliteStore>> &readers)
{
    const std::lock_guard guard(m_interruptLock);
    if (m_interrupted)
        ThrowSqliteError(m_db, SQLITE_INTERRUPT);
    m_rangeReaders.clear();
    for (const auto &reader : readers)
        m_rangeReaders.push_back(reader->m_db);
}

// Every range must be read as of the same moment. While one connection
// holds its read lock no other can commit, so the ranges read one version
// when each takes its lock while the first holds its own. A writer that is
// about to commit keeps new readers out and waits for the held locks: all
// are let go and taken again in a moment, rather than waited on in turn.
void TSqliteStore::HoldOneSnapshot(const std::vector<std::unique_ptr<TSqliteStore>> &readers)
{
    constexpr int kRetryMs = 5;
    const auto beginRead = [](sqlite3 *db) {
        int rc = sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        if (rc == SQLITE_OK)
            rc = sqlite3_exec(db, "PRAGMA schema_version", nullptr, nullptr, nullptr);
        return rc;
    };
    QElapsedTimer waiting;
    waiting.start();
    for (;;) {
        int rc = beginRead(m_db);
        if (rc != SQLITE_OK) {
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
            ThrowSqliteError(m_db, rc);
        }
        size_t held = 0;
        for (; held < readers.size(); ++held) {
            rc = beginRead(readers[held]->m_db);
            if (rc != SQLITE_OK)
                break;
        }
        if (held == readers.size())
            return;
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        for (size_t reader = 0; reader <= held; ++reader)
            sqlite3_exec(readers[reader]->m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        if (!IsBusyCode(rc) || waiting.elapsed() >= m_lockTimeoutMs)
            ThrowSqliteError(readers[held]->m_db, rc);
        QThread::msleep(kRetryMs);
    }
}

// Each of min() and max() alone is read off one end of the table; the two
// in one query would scan it whole.
std::optional<std::pair<qint64, qint64>> TSqliteStore::RowidSpan(const QString &table)
{
    TSqliteStatement span(
        m_db,
        QStringLiteral("SELECT (SELECT min(rowid) FROM %1), (SELECT max(rowid) FROM %1)").arg(QuoteSqlName(table)));
    if (!span.Step() || sqlite3_column_type(span.Handle(), 0) == SQLITE_NULL)
        return std::nullopt;
    return std::pair(span.Int64(0), span.Int64(1));
}

bool TSqliteStore::ListsAtOnce(const QString &table)
{
    const std::optional<std::pair<qint64, qint64>> span = RowidSpan(table);
    return !span || __int128(span->second) - span->first + 1 < m_rangesFromRows;
}

// The pages are read under the lock that the transaction's first read
// takes, as of that moment.
std::optional<std::vector<qint64>> TSqliteStore::ListFromTablePages(const QString &table,
                                                                    const std::vector<bool> &keysDescending,
                                                                    const TScanTerms &scanTerms)
{
    if (scanTerms.columnsSql.isEmpty() || !sqlite3_get_autocommit(m_db))
        return std::nullopt;
    std::optional<std::vector<qint64>> rowids;
    InReadTransaction([&] {
        const int rc = sqlite3_exec(m_db, "PRAGMA schema_version", nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK)
            ThrowSqliteError(m_db, rc);
        rowids = ListFromPages(m_db, table, scanTerms, keysDescending, {m_ranges, m_rangesFromRows}, m_interrupted);
    });
    if (!rowids && m_interrupted)
        ThrowSqliteError(m_db, SQLITE_INTERRUPT);
    return rowids;
}

// The first range is listed on this connection and this thread, the others
// each on a reader and a thread of their own; a statement that sorts has
// read its whole range when it stands on its first row, and the merge then
// only walks the sorted ranges.
std::optional<std::vector<qint64>> TSqliteStore::ListCursorInRanges(const QString &table, const QString &rangeCursorSql,
                                                                    const std::vector<bool> &keysDescending,
                                                                    const TScanTerms &scanTerms)
{
    if (std::optional<std::vector<qint64>> rowids = ListFromTablePages(table, keysDescending, scanTerms))
        return rowids;
    if (m_ranges < 2 || rangeCursorSql.isEmpty())
        return std::nullopt;
    std::optional<TWaitCursor> wait;
    if (!m_backgroundReader)
        wait.emplace();
    const std::optional<std::pair<qint64, qint64>> span = RowidSpan(table);
    if (!span)
        return std::nullopt;
    const qint64 lowest = span->first;
    const qint64 highest = span->second;
    const __int128 rows = __int128(highest) - lowest + 1;
    if (rows < m_rangesFromRows || !KeysCompareAsStored(rangeCursorSql, int(keysDescending.size())))
        return std::nullopt;
    const int ranges = int(std::min<__int128>(m_ranges, rows));

    std::vector<std::unique_ptr<TSqliteStore>> readers;
    for (int range = 1; range < ranges; ++range) {
        readers.push_back(OpenRangeReader());
        // Waiting is left to HoldOneSnapshot.
        sqlite3_busy_timeout(readers.back()->m_db, 0);
    }
    WatchRangeReaders(readers);
    std::vector<TSqliteStatement> statements(ranges);
    const auto finish = [&](const char *end) {
        statements.clear();
        {
            const std::lock_guard guard(m_interruptLock);
            m_rangeReaders.clear();
        }
        EndRead(m_db, end);
        for (const auto &reader : readers)
            EndRead(reader->m_db, end);
    };
    try {
        HoldOneSnapshot(readers);
        std::vector<TRangeMerge::TPart> parts(ranges);
        RunSideBySide(size_t(ranges), [&](size_t range) {
            const qint64 first = qint64(lowest + rows * range / ranges);
            const qint64 last =
                range + 1 == size_t(ranges) ? highest : qint64(lowest + rows * (range + 1) / ranges - 1);
            statements[range] = TSqliteStatement(range == 0 ? m_db : readers[range - 1]->m_db, rangeCursorSql);
            statements[range].Bind(1, first);
            statements[range].Bind(2, last);
            parts[range] = {&statements[range], statements[range].Step()};
        });
        std::vector<qint64> rowids = TRangeMerge(keysDescending).Merge(parts);
        finish("COMMIT");
        return rowids;
    } catch (...) {
        finish("ROLLBACK");
        throw;
    }
}

QString TSqliteStore::FindDamage()
{
    return PageDamage(m_db);
}
