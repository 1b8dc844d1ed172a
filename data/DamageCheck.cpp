#include "data/DamageCheck.h"

#include "data/Store.h"
#include "toolkit/db/DatabaseDamaged.h"

#include <QMetaObject>

TDamageCheck::TDamageCheck(QObject *parent)
    : QObject(parent)
{ }

TDamageCheck::~TDamageCheck()
{
    Cancel();
}

void TDamageCheck::Start(std::unique_ptr<TStore> reader)
{
    Cancel();
    m_thread.Start(std::move(reader), [this, run = ++m_run](TStore &reader) { Run(reader, run); });
}

void TDamageCheck::Cancel()
{
    ++m_run;
    m_thread.Cancel();
}

void TDamageCheck::Run(TStore &reader, int run)
{
    QString damage;
    try {
        damage = reader.FindDamage();
    } catch (const EDatabaseDamaged &error) {
        // So damaged that the check itself cannot go on.
        damage = error.Message();
    } catch (const EDatabaseError &) {
        // Interrupted, or kept out by a lock: the reads of the window tell
        // of damage on their own when they meet it.
    }
    if (damage.isEmpty() || m_thread.Cancelled())
        return;
    QMetaObject::invokeMethod(
        this,
        [this, damage, run] {
            if (run == m_run)
                emit Found(damage);
        },
        Qt::QueuedConnection);
}
