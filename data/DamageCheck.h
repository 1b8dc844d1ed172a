#pragma once

#include "data/ReaderThread.h"

#include <QObject>
#include <QString>

#include <memory>

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
    void Run(TStore &reader, int run);

    TReaderThread m_thread;
    int m_run = 0; // owner's thread only: a finding of an earlier run is dropped
};
