#include "data/BackgroundCursor.h"

#include "data/CaseInsensitiveLike.h"
#include "data/SqliteStatement.h"
#include "toolkit/db/DatabaseError.h"

#include <QFile>
#include <QMetaObject>
#include <sqlite3.h>

namespace {
// Another program's commit holds the file for milliseconds; a run may wait.
constexpr int kBusyTimeoutMs = 3000;
}

TBackgroundCursor::TBackgroundCursor(QObject *parent) : QObject(parent) {}

TBackgroundCursor::~TBackgroundCursor()
{
    Cancel();
}

void TBackgroundCursor::Start(const QString &path, const QString &cursorSql)
{
    Cancel();
    m_cancelled = false;
    m_running = true;
    m_thread = std::thread(&TBackgroundCursor::Run, this, path, cursorSql, ++m_run);
}

void TBackgroundCursor::Cancel()
{
    ++m_run;
    m_running = false;
    if (!m_thread.joinable())
        return;
    {
        const std::lock_guard guard(m_lock);
        m_cancelled = true;
        if (m_db)
            sqlite3_interrupt(m_db);
    }
    m_thread.join();
}

void TBackgroundCursor::Run(QString path, QString cursorSql, int run)
{
    auto rowids = std::make_shared<std::vector<qint64>>();
    QString failure;
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    {
        const std::lock_guard guard(m_lock);
        m_db = db;
        if (m_cancelled)
            sqlite3_interrupt(db);
    }
    try {
        if (rc != SQLITE_OK)
            ThrowSqliteError(db, rc);
        sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
        sqlite3_busy_timeout(db, kBusyTimeoutMs);
        InstallCaseInsensitiveLike(db);
        TSqliteStatement cursor(db, cursorSql);
        while (cursor.Step())
            rowids->push_back(cursor.Int64(0));
    } catch (const EDatabaseError &error) {
        failure = error.Message();
    }
    {
        const std::lock_guard guard(m_lock);
        m_db = nullptr;
    }
    sqlite3_close_v2(db);
    QMetaObject::invokeMethod(
        this,
        [this, rowids, failure, run] {
            if (run != m_run || !m_running)
                return;
            m_running = false;
            if (failure.isEmpty())
                emit Listed(rowids);
            else
                emit Failed(failure);
        },
        Qt::QueuedConnection);
}
