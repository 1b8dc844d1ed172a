#include "data/ADOConnection.h"

#include "data/CaseInsensitiveLike.h"
#include "data/ConnectionString.h"
#include "data/CustomADODataSet.h"
#include "data/DatabaseFile.h"
#include "data/LocalFileSystem.h"
#include "data/SqliteStatement.h"
#include "toolkit/app/MessageBox.h"
#include "toolkit/app/WaitCursor.h"
#include "toolkit/db/DatabaseError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QThread>
#include <QFileInfo>
#include <sqlite3.h>

#include <algorithm>
#include <iterator>

namespace {

// How often, in engine instructions, a running statement reports that it
// is still busy (well under a millisecond apart).
constexpr int kProgressInstructions = 20000;
// Files up to this size are checked page by page when they open; the check
// reads the whole file, which takes well under a second at this size.
constexpr qint64 kQuickCheckLimitBytes = 16 * 1024 * 1024;
// The part of a file on a local disk that SQLite reads through a memory
// mapping rather than a copy per page; a search scans the whole table.
constexpr qint64 kMappedBytes = qint64(1) << 30;

int ReportProgress(void *)
{
    TWaitCursor::Tick();
    return 0;
}

// Waits out another program's lock for up to the connection's busy timeout,
// in the engine's own growing steps; the wait cursor comes up meanwhile, as
// for any long step. Returns 0 to give up.
int WaitOutLock(void *connection, int attempt)
{
    static constexpr int kStepsMs[] = {1, 2, 5, 10, 15, 20, 25, 25, 25, 50, 50, 100};
    constexpr int kSteps = int(std::size(kStepsMs));
    const int timeout = static_cast<const TADOConnection *>(connection)->BusyTimeout();
    int waited = 0;
    for (int i = 0; i < std::min(attempt, kSteps); ++i)
        waited += kStepsMs[i];
    const int step = kStepsMs[std::min(attempt, kSteps - 1)];
    if (attempt >= kSteps)
        waited += (attempt - kSteps) * step;
    if (waited >= timeout)
        return 0;
    TWaitCursor::Tick();
    QThread::msleep(std::min(step, timeout - waited));
    return 1;
}

// Raises EDatabaseError when SQLite finds a page of the file damaged.
void CheckPages(sqlite3 *db)
{
    TSqliteStatement check(db, QStringLiteral("PRAGMA quick_check(1)"));
    if (check.Step() && check.Value(0) != QStringLiteral("ok"))
        throw EDatabaseError(QCoreApplication::translate("ADOConnection", "the file is damaged (%1).").arg(*check.Value(0)));
}

} // namespace

TADOConnection::TADOConnection(QObject *parent) : QObject(parent)
{
    m_storeCheck.setInterval(kStoreCheckIntervalMs);
    connect(&m_storeCheck, &QTimer::timeout, this, &TADOConnection::FollowOtherWriters);
}

TADOConnection::~TADOConnection()
{
    for (TCustomADODataSet *dataSet : QList<TCustomADODataSet *>(m_dataSets))
        dataSet->DetachFromConnection();
    CloseHandle();
}

void TADOConnection::SetConnectionString(const QString &connectionString)
{
    if (connectionString == m_connectionString)
        return;
    Close();
    m_connectionString = connectionString;
}

void TADOConnection::SetBusyTimeout(int milliseconds)
{
    if (milliseconds < 0)
        return;
    m_busyTimeoutMs = milliseconds;
}

void TADOConnection::Open()
{
    if (m_db)
        return;
    const TConnectionString entries = TConnectionString::Parse(m_connectionString);
    const QString dataSource = entries.Value(QStringLiteral("Data Source"));
    if (dataSource.isEmpty())
        throw EDatabaseError(QCoreApplication::translate("ADOConnection", "The connection string names no data source file."));
    // An absolute path never reads as an SQLite URI, whatever the library's settings.
    const QString path = QDir::current().absoluteFilePath(dataSource);
    CheckDatabaseFile(path, dataSource);

    sqlite3 *db = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    m_db = db;
    try {
        if (rc != SQLITE_OK)
            ThrowSqliteError(db, rc);
        sqlite3_extended_result_codes(db, 1);
        sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
        sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
        sqlite3_busy_handler(db, WaitOutLock, this);
        sqlite3_progress_handler(db, kProgressInstructions, ReportProgress, nullptr);
        InstallCaseInsensitiveLike(db);
        if (IsOnLocalFileSystem(path))
            sqlite3_exec(db, QByteArray("PRAGMA mmap_size = " + QByteArray::number(kMappedBytes)).constData(), nullptr,
                         nullptr, nullptr);
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
        if (QFileInfo(path).size() <= kQuickCheckLimitBytes)
            CheckPages(db);
    } catch (const EDatabaseError &error) {
        CloseHandle();
        throw EDatabaseError(QCoreApplication::translate("ADOConnection", "Cannot open the database file \"%1\": %2")
                                 .arg(dataSource, error.Message()));
    }
    m_fileName = path;
    // Taken before any data set reads, so that no commit slips between.
    m_dataVersion = DataVersion().value_or(0);
    m_storeCheck.start();
}

std::optional<qint64> TADOConnection::DataVersion()
{
    // A writer's lock makes the look fail at once rather than wait.
    const int busyTimeout = m_busyTimeoutMs;
    m_busyTimeoutMs = 0;
    std::optional<qint64> version;
    try {
        TSqliteStatement pragma(m_db, QStringLiteral("PRAGMA data_version"));
        if (pragma.Step())
            version = pragma.Int64(0);
    } catch (const EDatabaseError &) {
    }
    m_busyTimeoutMs = busyTimeout;
    return version;
}

bool TADOConnection::FollowOtherWriters()
{
    if (!m_db || MessageBoxShowing() || !sqlite3_get_autocommit(m_db))
        return false;
    const std::optional<qint64> version = DataVersion();
    if (!version || *version == m_dataVersion)
        return false;
    for (TCustomADODataSet *dataSet : QList<TCustomADODataSet *>(m_dataSets)) {
        if (!m_dataSets.contains(dataSet))
            continue;
        try {
            dataSet->FollowOtherWriters();
        } catch (const EDatabaseError &error) {
            emit FollowFailed(error.Message());
            return false;
        }
    }
    m_dataVersion = *version;
    return true;
}

void TADOConnection::Close()
{
    if (!m_db)
        return;
    for (TCustomADODataSet *dataSet : QList<TCustomADODataSet *>(m_dataSets))
        dataSet->Close();
    CloseHandle();
}

void TADOConnection::CloseHandle()
{
    m_storeCheck.stop();
    sqlite3_close_v2(m_db);
    m_db = nullptr;
    m_fileName.clear();
}

void TADOConnection::AddDataSet(TCustomADODataSet *dataSet)
{
    if (!m_dataSets.contains(dataSet))
        m_dataSets.append(dataSet);
}

void TADOConnection::RemoveDataSet(TCustomADODataSet *dataSet)
{
    m_dataSets.removeAll(dataSet);
}

void TADOConnection::RowDeleted(TCustomADODataSet *from, const QString &table, qint64 rowid)
{
    for (TCustomADODataSet *dataSet : QList<TCustomADODataSet *>(m_dataSets)) {
        if (dataSet != from && m_dataSets.contains(dataSet))
            dataSet->ForgetDeletedRow(table, rowid);
    }
}
