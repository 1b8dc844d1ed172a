#pragma once

#include <QObject>
#include <QString>

#include <memory>
#include <mutex>
#include <thread>

class TStore;

// Reads the whole of the data for damage (TStore::FindDamage) on a thread
// of its own, over a reading connection of its own, so that a big file is
// checked while the window is already up. A finding comes back as a signal
// on the thread that owns this object; Cancel() and destruction interrupt
// the check and wait for its thread, and an interrupted check finds nothing.
class TDamageCheck : public QObject
{
    Q_OBJECT

public:
    explicit TDamageCheck(QObject *parent = nullptr);
    ~TDamageCheck() override;

    void Start(std::unique_ptr<TStore> reader);
    void Cancel();

signals:
    void Found(const QString &damage);

private:
    void Run(int run);

    std::thread m_thread;
    std::mutex m_lock;  // guards m_reader and m_cancelled between the threads
    std::unique_ptr<TStore> m_reader;
    bool m_cancelled = false;
    int m_run = 0;      // owner's thread only: a finding of an earlier run is dropped
};
