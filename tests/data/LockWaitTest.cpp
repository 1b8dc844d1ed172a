#include "SqliteFixture.h"

#include "data/ADOConnection.h"
#include "data/ADOTable.h"
#include "data/SqliteStore.h"
#include "toolkit/app/WaitCursor.h"
#include "toolkit/db/DatabaseError.h"

#include <QElapsedTimer>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace {

// A post that meets another program's lock waits for the busy timeout with
// the wait cursor up, then fails with the edit kept, as before.
TEST(LockWait, aWriteWaitsOutTheBusyTimeoutWithTheWaitCursorUp)
{
    SqliteFixture fixture;
    fixture.CreateDirectory({Record({"2-11-01", "Иванов", "Ленина", "1", "", "10", ""})});
    TADOConnection connection;
    connection.SetConnectionString(fixture.ConnectionString());
    constexpr int kTimeoutMs = 150;
    connection.SetBusyTimeout(kTimeoutMs);
    TADOTable table;
    table.SetConnection(&connection);
    table.SetTableName(QStringLiteral("Велирск"));
    table.Open();

    SqliteFixture::OtherConnection other(fixture.Path());
    other.Execute(QStringLiteral("BEGIN IMMEDIATE"));
    table.Edit();
    table.FieldByName(QStringLiteral("Фамилия"))->SetAsString(QStringLiteral("Петров"));
    {
        const TWaitCursor outer(0);
        QElapsedTimer clock;
        clock.start();
        EXPECT_THROW(table.Post(), EDatabaseError);
        EXPECT_GE(clock.elapsed(), kTimeoutMs);
        EXPECT_TRUE(TWaitCursor::Showing());
    }
    EXPECT_EQ(table.State(), dsEdit);
    other.Execute(QStringLiteral("ROLLBACK"));
    table.Post();
    EXPECT_EQ(other.Rows(QStringLiteral("SELECT Фамилия FROM Велирск")), QStringList{QStringLiteral("Петров")});
}

} // namespace

// A reader on another thread that meets a writer's lock waits for the lock
// timeout, unless the search is cancelled: the cancel ends the wait then.
TEST(LockWait, aCancelEndsAReadersWaitForALock)
{
    SqliteFixture fixture;
    fixture.CreateDirectory({Record({"2-11-01", "Иванов", "Ленина", "1", "", "10", ""})});
    const std::unique_ptr<TSqliteStore> store = TSqliteStore::Open(fixture.Path());
    constexpr int kLongTimeoutMs = 20000;
    store->SetLockTimeout(kLongTimeoutMs);
    std::unique_ptr<TStore> reader = store->OpenReader();
    SqliteFixture::OtherConnection other(fixture.Path());
    other.Execute(QStringLiteral("BEGIN EXCLUSIVE"));
    other.Execute(QStringLiteral("UPDATE Велирск SET Дом = '2'"));

    std::atomic<bool> done = false;
    bool refused = false;
    std::thread listing([&] {
        try {
            reader->ListCursor(QStringLiteral("SELECT rowid FROM Велирск"));
        } catch (const EDatabaseError &) {
            refused = true;
        }
        done = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(done) << "the reader did not wait for the lock";
    QElapsedTimer clock;
    clock.start();
    reader->Interrupt();
    listing.join();
    EXPECT_TRUE(refused);
    EXPECT_LT(clock.elapsed(), kLongTimeoutMs / 2) << "the cancel did not end the wait";
}
