#include "data/ReaderThread.h"

#include "data/Store.h"

TReaderThread::~TReaderThread()
{
    Cancel();
}

void TReaderThread::Start(std::unique_ptr<TStore> reader, TWork work)
{
    Cancel();
    m_reader = std::move(reader);
    m_cancelled = false;
    m_thread = std::thread([this, work = std::move(work)] { Run(work); });
}

void TReaderThread::Cancel()
{
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

void TReaderThread::Join()
{
    if (m_thread.joinable())
        m_thread.join();
}

bool TReaderThread::Cancelled()
{
    const std::lock_guard guard(m_lock);
    return m_cancelled;
}

// A cancel that comes before the work begins finds no statement to
// interrupt: the work is then not begun at all.
void TReaderThread::Run(const TWork &work)
{
    TStore *reader = nullptr;
    {
        const std::lock_guard guard(m_lock);
        reader = m_cancelled ? nullptr : m_reader.get();
    }
    if (reader)
        work(*reader);
    const std::lock_guard guard(m_lock);
    m_reader.reset();
}
