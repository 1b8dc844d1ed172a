#include "data/BackgroundCursor.h"

#include "data/Store.h"
#include "toolkit/db/DatabaseError.h"

#include <QMetaObject>

TBackgroundCursor::TBackgroundCursor(QObject *parent)
    : QObject(parent)
{ }

TBackgroundCursor::~TBackgroundCursor()
{
    Cancel();
}

void TBackgroundCursor::Start(std::unique_ptr<TStore> reader, TLister list)
{
    Cancel();
    m_running = true;
    m_thread.Start(std::move(reader),
                   [this, list = std::move(list), run = ++m_run](TStore &reader) { Run(reader, list, run); });
}

void TBackgroundCursor::Cancel()
{
    ++m_run;
    m_running = false;
    m_thread.Cancel();
}

void TBackgroundCursor::Run(TStore &reader, const TLister &list, int run)
{
    auto rowids = std::make_shared<std::vector<qint64>>();
    QString failure;
    try {
        *rowids = list(reader);
    } catch (const EDatabaseError &error) {
        failure = error.Message();
    }
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
