#include "EngineDirectory.h"

#include "support/QtPrinters.h"

// What the data sets promise whichever engine holds the directory: a post
// changes its row alone, another user's change, delete or lock never loses
// what was typed, and a lost server connection is made again.

class BothEngines : public EngineTest
{ };

namespace {

std::vector<TRecord> TwinRows()
{
    return {
        Record({"1", "Иванов", "Мира", "1", "NULL", "10", "NULL"}),
        Record({"2", "Петров", "Мира", "2", "", "3", ""}),
        Record({"2", "Петров", "Мира", "2", "", "3", ""}),
    };
}

QString Rows(EngineDirectory &d)
{
    return d.Rows(QStringLiteral("SELECT Телефон, Фамилия, Корпус, Организация FROM Велирск ORDER BY rowid"))
        .join(u';');
}

} // namespace

TEST_P(BothEngines, postsChangeTheirRowAloneAndKeepEmptyFieldsEmpty)
{
    EngineDirectory d(GetParam(), TwinRows());
    TField *surname = d.table.FieldByName(QStringLiteral("Фамилия"));
    d.table.SetRecNo(3);
    d.table.Edit();
    surname->SetAsString(QStringLiteral("Сидоров"));
    d.table.Post();
    EXPECT_EQ(Rows(d), QStringLiteral("1|Иванов|NULL|NULL;2|Петров||;2|Сидоров||"))
        << "of two equal rows only one changes";

    d.table.Append();
    d.table.FieldByName(QStringLiteral("Телефон"))->SetAsString(QStringLiteral("4"));
    surname->SetAsString(QStringLiteral("Новиков"));
    d.table.Post();
    EXPECT_EQ(d.table.RecordCount(), 4);
    EXPECT_EQ(d.Rows(QStringLiteral("SELECT Фамилия, Улица, Корпус FROM Велирск WHERE Телефон = '4'")),
              QStringList{"Новиков|NULL|NULL"});

    d.table.First();
    d.table.Delete();
    EXPECT_EQ(d.Rows(QStringLiteral("SELECT count(*) FROM Велирск WHERE Телефон = '1'")), QStringList{"0"});
    EXPECT_EQ(d.table.RecordCount(), 3);
}

TEST_P(BothEngines, anotherUsersChangeDeleteOrLockKeepsWhatWasTyped)
{
    EngineDirectory d(GetParam(), TwinRows());
    TField *surname = d.table.FieldByName(QStringLiteral("Фамилия"));
    d.table.Edit();
    surname->SetAsString(QStringLiteral("Набрано"));
    // NULL and an empty text differ: the row was changed.
    d.Elsewhere(QStringLiteral("UPDATE Велирск SET Корпус = '' WHERE Телефон = '1'"));
    EXPECT_TRUE(DatabaseErrorOf([&] { d.table.Post(); }).contains(QStringLiteral("изменил")));
    EXPECT_EQ(surname->AsString(), QStringLiteral("Набрано"));
    d.table.Cancel();

    d.table.Edit();
    surname->SetAsString(QStringLiteral("Набрано"));
    d.Elsewhere(QStringLiteral("DELETE FROM Велирск WHERE Телефон = '1'"));
    EXPECT_TRUE(DatabaseErrorOf([&] { d.table.Post(); }).contains(QStringLiteral("удалил")));
    EXPECT_EQ(surname->AsString(), QStringLiteral("Набрано"));
    d.table.Cancel();
    d.table.Refresh();

    // A lock held past the timeout: the post is refused and can be made again.
    d.table.First();
    d.table.Edit();
    surname->SetAsString(QStringLiteral("Набрано"));
    if (GetParam() == TSqlEngine::Postgres) {
        d.Elsewhere(QStringLiteral("BEGIN"));
        d.Elsewhere(QStringLiteral("SELECT * FROM Велирск FOR UPDATE"));
    } else {
        d.Elsewhere(QStringLiteral("BEGIN EXCLUSIVE"));
    }
    EXPECT_TRUE(DatabaseErrorOf([&] { d.table.Post(); }).contains(QStringLiteral("занята")));
    EXPECT_EQ(d.table.State(), dsEdit);
    d.Elsewhere(QStringLiteral("ROLLBACK"));
    d.table.Post();
    EXPECT_EQ(d.Rows(QStringLiteral("SELECT count(*) FROM Велирск WHERE Фамилия = 'Набрано'")), QStringList{"1"});
}

TEST_P(BothEngines, anEmptyTableCountsNothingAndNumbersNothing)
{
    EngineDirectory d(GetParam(), {});
    EXPECT_EQ(d.table.RecordCount(), 0);
    EXPECT_EQ(d.table.RecNo(), -1);
    d.table.Insert();
    EXPECT_EQ(d.table.RecNo(), -1);
    d.table.FieldByName(QStringLiteral("Телефон"))->SetAsString(QStringLiteral("1"));
    d.table.Post();
    EXPECT_EQ(d.table.RecordCount(), 1);
    EXPECT_EQ(d.table.RecNo(), 1);
}

INSTANTIATE_ENGINES(BothEngines);

TEST(Server, aLostConnectionKeepsWhatWasTypedAndIsMadeAgainForTheNextPost)
{
    if (ServerFixture::TestServer().isEmpty())
        GTEST_SKIP() << "VELIRSK_TEST_SERVER names no test server";
    EngineDirectory d(TSqlEngine::Postgres, TwinRows());
    TField *surname = d.table.FieldByName(QStringLiteral("Фамилия"));
    d.table.Edit();
    surname->SetAsString(QStringLiteral("Набрано"));
    d.Elsewhere(QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity "
                               "WHERE datname = current_database() AND pid <> pg_backend_pid()"));
    EXPECT_TRUE(DatabaseErrorOf([&] { d.table.Post(); }).contains(QStringLiteral("потеряна")));
    EXPECT_EQ(d.table.State(), dsEdit);
    EXPECT_EQ(surname->AsString(), QStringLiteral("Набрано"));
    d.table.Post();
    EXPECT_EQ(d.Rows(QStringLiteral("SELECT Фамилия FROM Велирск WHERE Телефон = '1'")), QStringList{"Набрано"});

    // The notifications missed meanwhile are made up for by one more look.
    d.Elsewhere(QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity "
                               "WHERE datname = current_database() AND pid <> pg_backend_pid()"));
    d.Elsewhere(QStringLiteral("DELETE FROM Велирск WHERE Телефон = '2'"));
    EXPECT_TRUE(d.Follow());
    EXPECT_EQ(d.table.RecordCount(), 1);
}

TEST(Server, anUnreachableServerOrAMissingTableIsACleanRefusal)
{
    if (ServerFixture::TestServer().isEmpty())
        GTEST_SKIP() << "VELIRSK_TEST_SERVER names no test server";
    TADOConnection connection;
    connection.SetServer(QStringLiteral("host=/nonexistent/folder connect_timeout=2"));
    EXPECT_TRUE(DatabaseErrorOf([&] { connection.Open(); }).contains(QStringLiteral("сервер недоступен")));
    EXPECT_FALSE(connection.Connected());

    connection.SetServer(ServerFixture::TestServer());
    TADOTable table;
    table.SetConnection(&connection);
    table.SetTableName(QStringLiteral("Велирск"));
    EXPECT_TRUE(DatabaseErrorOf([&] { table.Open(); }).contains(QStringLiteral("нет таблицы")));
}
