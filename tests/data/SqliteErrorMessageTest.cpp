#include "data/SqliteStatement.h"
#include "toolkit/db/DatabaseLocked.h"

#include <QString>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <memory>

namespace {

struct MemoryDatabase {
    MemoryDatabase()
    {
        sqlite3_open(":memory:", &db);
        sqlite3_extended_result_codes(db, 1);
    }
    ~MemoryDatabase() { sqlite3_close(db); }
    int Execute(const char *sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr); }
    sqlite3 *db = nullptr;
};

} // namespace

// Each code the file can give says in Russian what happened; SQLite's
// English stays out unless it says more than the code's name, and then only
// at the end.
TEST(SqliteErrorMessage, codesBecomeRussianSentencesWithoutSqlitesOwnWords)
{
    const struct {
        int code;
        const char *message;
    } cases[] = {
        {SQLITE_BUSY, "База данных занята другим пользователем или программой. Повторите чуть позже."},
        {SQLITE_LOCKED, "База данных занята другим пользователем или программой. Повторите чуть позже."},
        {SQLITE_CORRUPT, "Файл базы данных повреждён."},
        {SQLITE_NOTADB, "Это не база данных справочника."},
        {SQLITE_FULL, "Диск заполнен, изменение не сохранено."},
        {SQLITE_IOERR_READ, "Файл базы данных не читается или не записывается (ошибка ввода-вывода)."},
        {SQLITE_CANTOPEN, "Файл базы данных не открывается."},
        {SQLITE_READONLY, "Файл базы данных нельзя изменить: он доступен только для чтения."},
        {SQLITE_PERM, "Нет доступа к файлу базы данных."},
        {SQLITE_NOMEM, "Не хватает памяти."},
        {SQLITE_MISMATCH, "База данных сообщила об ошибке (datatype mismatch)."},
    };
    MemoryDatabase memory;
    for (const auto &c : cases) {
        EXPECT_EQ(SqliteErrorMessage(memory.db, c.code), QString::fromUtf8(c.message)) << c.code;
        EXPECT_EQ(SqliteErrorMessage(nullptr, c.code), QString::fromUtf8(c.message)) << c.code;
    }
}

TEST(SqliteErrorMessage, sqlitesOwnFindingComesOnlyAtTheEndAndOnlyForItsOwnError)
{
    MemoryDatabase memory;
    ASSERT_EQ(memory.Execute("CREATE TABLE t (x TEXT NOT NULL)"), SQLITE_OK);
    const int rc = memory.Execute("INSERT INTO t VALUES (NULL)");
    EXPECT_EQ(SqliteErrorMessage(memory.db, rc),
              QStringLiteral("База данных не приняла изменение: оно нарушает правило, заданное в ней "
                             "(NOT NULL constraint failed: t.x)."));
    // The connection's last error is another one: its words do not belong.
    EXPECT_EQ(SqliteErrorMessage(memory.db, SQLITE_CORRUPT), QStringLiteral("Файл базы данных повреждён."));

    EXPECT_EQ(SqliteErrorMessage(memory.db, memory.Execute("SELECT * FROM nowhere")),
              QStringLiteral("База данных сообщила об ошибке (no such table: nowhere)."));
}

TEST(SqliteErrorMessage, onlyALockIsThrownAsAnErrorThatPasses)
{
    MemoryDatabase memory;
    EXPECT_THROW(ThrowSqliteError(memory.db, SQLITE_BUSY_SNAPSHOT), EDatabaseLocked);
    EXPECT_THROW(ThrowSqliteError(memory.db, SQLITE_LOCKED), EDatabaseLocked);
    try {
        ThrowSqliteError(memory.db, SQLITE_CORRUPT);
        ADD_FAILURE() << "nothing thrown";
    } catch (const EDatabaseLocked &) {
        ADD_FAILURE() << "a damaged file is no passing lock";
    } catch (const EDatabaseError &error) {
        EXPECT_EQ(error.Message(), QStringLiteral("Файл базы данных повреждён."));
    }
}
