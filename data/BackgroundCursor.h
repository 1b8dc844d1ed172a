#pragma once

#include <QObject>
#include <QString>

#include <memory>
#include <mutex>
#include <thread>
#include <vector>

struct sqlite3;

// Lists a cursor's rowids on a thread of its own, over a read-only
// connection of its own to the same file (with the program's LIKE), so that
// a long search runs again while the window goes on painting. The answer
// comes back as a signal on the thread that owns this object.
//
// One run at a time: Start() while a run goes on, Cancel() and destruction
// interrupt it and wait for its thread; an interrupted run answers nothing.
class TBackgroundCursor : public QObject
{
    Q_OBJECT

public:
    explicit TBackgroundCursor(QObject *parent = nullptr);
    ~TBackgroundCursor() override;

    // `cursorSql` gives a rowid in column 0 of each row.
    void Start(const QString &path, const QString &cursorSql);
    void Cancel();
    bool Running() const { return m_running; }

signals:
    // The rowids in the cursor's order, or the reason there are none.
    void Listed(std::shared_ptr<std::vector<qint64>> rowids);
    void Failed(const QString &message);

private:
    void Run(QString path, QString cursorSql, int run);

    std::thread m_thread;
    std::mutex m_lock;       // guards m_db and m_cancelled between the threads
    sqlite3 *m_db = nullptr;
    bool m_cancelled = false;
    // Owner's thread only: the run whose answer is awaited; an answer of
    // an earlier run is dropped.
    int m_run = 0;
    bool m_running = false;
};
