#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <thread>

class TStore;

// Work over a reading connection of its own (TStore::OpenReader) on a thread
// of its own, so that the window goes on painting meanwhile. One run at a
// time: Start() while a run goes on, Cancel() and destruction interrupt the
// run's reader and wait for its thread. The reader is closed on the run's
// thread when the work returns; the work reports its answer itself.
class TReaderThread
{
public:
    TReaderThread() = default;
    ~TReaderThread();
    TReaderThread(const TReaderThread &) = delete;
    TReaderThread &operator=(const TReaderThread &) = delete;

    using TWork = std::function<void(TStore &reader)>;
    void Start(std::unique_ptr<TStore> reader, TWork work);
    void Cancel();
    // Waits for the run's thread without interrupting it.
    void Join();
    // For the work, once it has returned: whether Cancel() interrupted it.
    bool Cancelled();

private:
    void Run(const TWork &work);

    std::thread m_thread;
    std::mutex m_lock; // guards m_reader and m_cancelled between the threads
    std::unique_ptr<TStore> m_reader;
    bool m_cancelled = false;
};
