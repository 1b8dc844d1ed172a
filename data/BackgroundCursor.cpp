#include "data/BackgroundCursor.h"

#include "data/Store.h"
#include "toolkit/db/DatabaseError.h"

#include <QMetaObject>

TBackgroundCursor::TBackgroundCursor(QObject *parent) : QObject(parent) {}

TBackgroundCursor::~TBackgroundCursor()
{
    Cancel();
}

void TBackgroundCursor::Start(std::unique_ptr<TStore> reader, TLister list)
{
    Cancel();
    m_reader = std::move(reader);
    m_cancelled = false;
    m_running = true;
    m_thread = std::thread(&TBackgroundCursor::Run, this, std::move(list), ++m_run);
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
        if (m_reader)
            m_reader->Interrupt();
    }
    m_thread.join();
}

void TBackgroundCursor::Run(TLister list, int run)
{
    auto rowids = std::make_shared<std::vector<qint64>>();
    QString failure;
    TStore *reader = nullptr;
    {
        const std::lock_guard guard(m_lock);
        reader = m_cancelled ? nullptr : m_reader.get();
    }
    try {
        if (reader)
            *rowids = list(*reader);
    } catch (const EDatabaseError &error) {
        failure = error.Message();
    }
    {
        const std::lock_guard guard(m_lock);
        m_reader.reset();
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
