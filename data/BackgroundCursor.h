#pragma once

#include "data/ReaderThread.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class TStore;

// Lists a cursor's row numbers on a thread of its own, over a reading
// connection of its own to the same data (TStore::OpenReader), so that a
// long search runs again while the window goes on painting. The answer
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

    // `list` lists the row numbers through `reader`, on the run's thread alone.
    using TLister = std::function<std::vector<qint64>(TStore &reader)>;
    void Start(std::unique_ptr<TStore> reader, TLister list);
    void Cancel();
    bool Running() const { return m_running; }

signals:
    // The row numbers in the cursor's order, or the reason there are none.
    void Listed(std::shared_ptr<std::vector<qint64>> rowids);
    void Failed(const QString &message);

private:
    void Run(TStore &reader, const TLister &list, int run);

    TReaderThread m_thread;
    // Owner's thread only: the run whose answer is awaited; an answer of
    // an earlier run is dropped.
    int m_run = 0;
    bool m_running = false;
};
