#include "data/ADOConnection.h"

#include "data/ConnectionString.h"
#include "data/CustomADODataSet.h"
#include "data/PostgresStore.h"
#include "data/SqliteStore.h"
#include "toolkit/app/ContinuingSentence.h"
#include "toolkit/app/MessageBox.h"
#include "toolkit/db/DatabaseDamaged.h"
#include "toolkit/db/DatabaseError.h"
#include "toolkit/db/DatabaseLocked.h"

#include <QCoreApplication>
#include <QDir>
#include <QScopedValueRollback>
#include <thread>

TADOConnection::TADOConnection(QObject *parent)
    : QObject(parent)
{
    m_storeCheck.setInterval(kStoreCheckIntervalMs);
    connect(&m_storeCheck, &QTimer::timeout, this, &TADOConnection::FollowOtherWriters);
    connect(&m_damageCheck, &TDamageCheck::Found, this, &TADOConnection::ReportDamage);
}

TADOConnection::~TADOConnection()
{
    for (TCustomADODataSet *dataSet : QList<TCustomADODataSet *>(m_dataSets))
        dataSet->DetachFromConnection();
    CloseStore();
}

void TADOConnection::SetConnectionString(const QString &connectionString)
{
    if (connectionString == m_connectionString)
        return;
    Close();
    m_connectionString = connectionString;
}

void TADOConnection::SetServer(const QString &connectionString)
{
    if (connectionString == m_server)
        return;
    Close();
    m_server = connectionString;
}

void TADOConnection::SetBusyTimeout(int milliseconds)
{
    if (milliseconds < 0)
        return;
    m_busyTimeoutMs = milliseconds;
    if (m_store)
        m_store->SetLockTimeout(milliseconds);
}

sqlite3 *TADOConnection::Handle() const
{
    const auto *file = dynamic_cast<const TSqliteStore *>(m_store.get());
    return file ? file->Handle() : nullptr;
}

void TADOConnection::Open()
{
    if (m_store)
        return;
    m_store = m_server.isEmpty() ? OpenFile() : OpenServer();
    m_store->SetLockTimeout(m_busyTimeoutMs);
    m_followPending = false;
    m_storeCheck.start();
    const auto *file = dynamic_cast<const TSqliteStore *>(m_store.get());
    if (file && !file->PagesChecked())
        m_damageCheck.Start(file->OpenReader());
}

void TADOConnection::ReportDamage(const QString &finding)
{
    if (!m_store || Damaged())
        return;
    m_damage = finding;
    emit DamageFound(DamageNotice());
}

QString TADOConnection::DamageNotice() const
{
    if (!Damaged())
        return {};
    return QCoreApplication::translate("ADOConnection",
                                       "Nothing can be changed in the directory: %1 So that nothing is "
                                       "written over the damage, the directory can now only be read.")
        .arg(ContinuingSentence(m_damage));
}

std::unique_ptr<TStore> TADOConnection::OpenServer()
{
    try {
        return TPostgresStore::Open(m_server);
    } catch (const EDatabaseError &error) {
        throw EDatabaseError(QCoreApplication::translate("ADOConnection", "Cannot open the directory on the server: %1")
                                 .arg(ContinuingSentence(error.Message())));
    }
}

std::unique_ptr<TStore> TADOConnection::OpenFile()
{
    const TConnectionString entries = TConnectionString::Parse(m_connectionString);
    const QString dataSource = entries.Value(QStringLiteral("Data Source"));
    if (dataSource.isEmpty())
        throw EDatabaseError(
            QCoreApplication::translate("ADOConnection", "The connection string names no data source file."));
    // An absolute path never reads as an SQLite URI, whatever the library's settings.
    const QString path = QDir::current().absoluteFilePath(dataSource);
    const auto cannotOpen = [&dataSource](const QString &reason) {
        return EDatabaseError(QCoreApplication::translate("ADOConnection", "Cannot open the database file \"%1\": %2")
                                  .arg(dataSource, ContinuingSentence(reason)));
    };
    std::unique_ptr<TSqliteStore> file;
    try {
        file = TSqliteStore::Open(path);
    } catch (const EDatabaseLocked &) {
        // The connection opens while the program starts, and a failure ends
        // the program: there is nothing to try again but the start.
        throw cannotOpen(QCoreApplication::translate(
            "ADOConnection",
            "the database is locked by another user or program. Start the program again in a moment."));
    } catch (const EDatabaseError &error) {
        throw cannotOpen(error.Message());
    }
    const QString ranges = entries.Value(QStringLiteral("Search Threads"));
    const QString fromRows = entries.Value(QStringLiteral("Search Threads From Rows"));
    if (!ranges.isEmpty() || !fromRows.isEmpty()) {
        file->SetRanges(ranges.isEmpty() ? int(std::thread::hardware_concurrency()) : ranges.toInt(),
                        fromRows.isEmpty() ? TSqliteStore::kDefaultRangesFromRows : fromRows.toLongLong());
    }
    m_fileName = path;
    return file;
}

bool TADOConnection::FollowOtherWriters()
{
    // Not inside a look already (a step that let events through).
    if (!m_store || m_following || MessageBoxShowing())
        return false;
    const QScopedValueRollback following(m_following, true);
    const std::optional<bool> committed = m_store->OthersCommitted();
    if (!committed)
        return false;
    if (*committed)
        m_followPending = true;
    if (!m_followPending)
        return false;
    for (TCustomADODataSet *dataSet : QList<TCustomADODataSet *>(m_dataSets)) {
        if (!m_dataSets.contains(dataSet))
            continue;
        try {
            dataSet->FollowOtherWriters();
        } catch (const EDatabaseDamaged &error) {
            ReportDamage(error.Message());
            return false;
        } catch (const EDatabaseError &error) {
            emit FollowFailed(error.Message());
            return false;
        }
    }
    m_followPending = false;
    return true;
}

void TADOConnection::Close()
{
    if (!m_store)
        return;
    for (TCustomADODataSet *dataSet : QList<TCustomADODataSet *>(m_dataSets))
        dataSet->Close();
    CloseStore();
}

void TADOConnection::CloseStore()
{
    m_damageCheck.Cancel();
    m_damage.clear();
    m_storeCheck.stop();
    m_store.reset();
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
