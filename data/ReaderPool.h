#pragma once

#include <QString>
#include <mutex>
#include <vector>

struct sqlite3;

// Read-only connections to one file kept open between uses. A new
// connection reads the schema and maps the file afresh, which for a large
// file costs more than the search it was opened for. Shared by a store and
// the readers it opens, so that it outlives whichever ends last.
class TReaderPool
{
public:
    explicit TReaderPool(QString path);
    ~TReaderPool();
    TReaderPool(const TReaderPool &) = delete;
    TReaderPool &operator=(const TReaderPool &) = delete;

    // An idle connection, or a newly opened one; `rc` is SQLite's answer to
    // the opening (a connection that failed to open is returned too, so
    // that its error can be read, and must be closed).
    sqlite3 *Take(int &rc);
    // Keeps a connection that is at rest (no transaction, no statement)
    // for the next Take, and closes any other, or one too many.
    void Give(sqlite3 *db);

private:
    const QString m_path;
    std::mutex m_lock;
    std::vector<sqlite3 *> m_idle;
};
