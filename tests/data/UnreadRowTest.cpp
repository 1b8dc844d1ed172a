// A row that another program's lock kept from being read is never edited
// or deleted from values nobody saw: the program either reads it first or
// refuses with the lock's message, and nothing of the row changes.

#include "SqliteFixture.h"

#include "data/ADOConnection.h"
#include "data/ADOTable.h"
#include "support/QtPrinters.h"
#include "toolkit/db/DatabaseError.h"

#include <gtest/gtest.h>

namespace {

constexpr int kBusyTimeoutMs = 50;
const QString kBusyWord = QStringLiteral("занята");

class UnreadRowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fixture.CreateDirectory({Record({"2-11-01", "Иванов", "Ленина", "1", "", "10", "Почта"}),
                                 Record({"2-11-02", "Петров", "Мира", "2", "", "3", "Школа"}),
                                 Record({"2-11-03", "Сидоров", "Мира", "5", "", "7", "Баня"})});
        connection.SetConnectionString(fixture.ConnectionString());
        connection.SetBusyTimeout(kBusyTimeoutMs);
        table.SetConnection(&connection);
        table.SetTableName(QStringLiteral("Велирск"));
        table.Open();
        // Listed, not read: the rows' values are read only when asked for.
        table.SetRecNo(2);
    }

    TField *Field(const char *name) const { return table.FieldByName(QString::fromUtf8(name)); }
    QStringList Row2()
    {
        return other.Rows(QStringLiteral("SELECT Фамилия, Организация FROM Велирск WHERE rowid = 2"));
    }

    SqliteFixture fixture;
    TADOConnection connection;
    TADOTable table;
    SqliteFixture::OtherConnection other{fixture.Path()};
};

} // namespace

TEST_F(UnreadRowTest, anEditBegunUnderALockFailsWithTheLockAndLaterShowsTheRowAsItIs)
{
    other.Execute(QStringLiteral("BEGIN EXCLUSIVE"));
    try {
        table.Edit();
        ADD_FAILURE() << "an edit began on a row that could not be read";
    } catch (const EDatabaseError &error) {
        EXPECT_TRUE(error.Message().contains(kBusyWord)) << error.what();
    }
    EXPECT_EQ(table.State(), dsBrowse);
    other.Execute(QStringLiteral("ROLLBACK"));

    table.Edit();
    EXPECT_EQ(Field("Фамилия")->AsString(), QStringLiteral("Петров"));
    Field("Организация")->SetAsString(QStringLiteral("Театр"));
    table.Post();
    EXPECT_EQ(Row2(), QStringList{QStringLiteral("Петров|Театр")});
}

// The values shown while the lock was held were NULLs standing for a row
// not read: a delete after the lock is gone must not take them as seen.
TEST_F(UnreadRowTest, aRowShownUnreadIsNotDeletedUntilItWasShownAsItIs)
{
    other.Execute(QStringLiteral("BEGIN EXCLUSIVE"));
    EXPECT_TRUE(Field("Организация")->IsNull());
    EXPECT_THROW(table.Delete(), EDatabaseError);
    other.Execute(QStringLiteral("ROLLBACK"));
    EXPECT_EQ(table.RecordCount(), 3);

    try {
        table.Delete();
        ADD_FAILURE() << "deleted a row whose values were never shown";
    } catch (const EDatabaseError &error) {
        EXPECT_TRUE(error.Message().contains(kBusyWord)) << error.what();
    }
    EXPECT_EQ(Row2(), QStringList{QStringLiteral("Петров|Школа")});
    EXPECT_EQ(Field("Организация")->AsString(), QStringLiteral("Школа")) << "the refused delete shows the row";

    table.Delete();
    EXPECT_TRUE(Row2().isEmpty());
    EXPECT_EQ(table.RecordCount(), 2);
}
