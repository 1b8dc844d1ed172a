#include "data/ReaderPool.h"

#include <QFile>
#include <sqlite3.h>

#include <thread>

TReaderPool::TReaderPool(QString path)
    : m_path(std::move(path))
{ }

TReaderPool::~TReaderPool()
{
    for (sqlite3 *db : m_idle)
        sqlite3_close_v2(db);
}

sqlite3 *TReaderPool::Take(int &rc)
{
    {
        const std::lock_guard guard(m_lock);
        if (!m_idle.empty()) {
            sqlite3 *db = m_idle.back();
            m_idle.pop_back();
            rc = SQLITE_OK;
            return db;
        }
    }
    sqlite3 *db = nullptr;
    rc = sqlite3_open_v2(QFile::encodeName(m_path).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    return db;
}

// A search keeps one reader per core busy at most.
void TReaderPool::Give(sqlite3 *db)
{
    const bool atRest = sqlite3_get_autocommit(db) && !sqlite3_next_stmt(db, nullptr);
    {
        const std::lock_guard guard(m_lock);
        if (atRest && m_idle.size() < std::max(1U, std::thread::hardware_concurrency())) {
            // Its handler belonged to the store that used it.
            sqlite3_busy_handler(db, nullptr, nullptr);
            m_idle.push_back(db);
            return;
        }
    }
    sqlite3_close_v2(db);
}
