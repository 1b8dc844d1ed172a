#include "SqliteFixture.h"

#include "data/ADOConnection.h"
#include "data/ADOTable.h"
#include "toolkit/app/WaitCursor.h"
#include "toolkit/db/DatabaseError.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

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
