#include "data/DamageCheck.h"

#include "data/Store.h"
#include "toolkit/db/DatabaseDamaged.h"

#include <QMetaObject>

TDamageCheck::TDamageCheck(QObject *parent) : QObject(parent) {}

TDamageCheck::~TDamageCheck()
{
    Cancel();
}

void TDamageCheck::Start(std::unique_ptr<TStore> reader)
{
    Cancel();
    m_reader = std::move(reader);
    m_cancelled = false;
    m_thread = std::thread(&TDamageCheck::Run, this, ++m_run);
}

void TDamageCheck::Cancel()
{
    ++m_run;
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

void TDamageCheck::Run(int run)
{
    TStore *reader = nullptr;
    {
        const std::lock_guard guard(m_lock);
        reader = m_cancelled ? nullptr : m_reader.get();
    }
    QString damage;
    bool cancelled = false;
    try {
        if (reader)
            damage = reader->FindDamage();
    } catch (const EDatabaseDamaged &error) {
        // So damaged that the check itself cannot go on.
        damage = error.Message();
    } catch (const EDatabaseError &) {
        // Interrupted, or kept out by a lock: the reads of the window tell
        // of damage on their own when they meet it.
    }
    {
        const std::lock_guard guard(m_lock);
        cancelled = m_cancelled;
        m_reader.reset();
    }
    if (damage.isEmpty() || cancelled)
        return;
    QMetaObject::invokeMethod(
        this,
        [this, damage, run] {
            if (run == m_run)
                emit Found(damage);
        },
        Qt::QueuedConnection);
}
