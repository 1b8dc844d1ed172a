// Rows found by reading a table's pages in place, against the same cursor
// run by SQLite, on files of small pages (deep trees, records spilling to
// overflow pages) holding values of every storage class.

#include "SqliteFixture.h"

#include "data/CaseInsensitiveLike.h"
#include "data/PageListing.h"
#include "data/SqlDialect.h"
#include "data/SqliteStore.h"
#include "data/TableFile.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

// A connection that reads as the program's readers do: the program's LIKE,
// the file mapped.
class ReadingConnection
{
public:
    explicit ReadingConnection(const QString &path)
    {
        sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READONLY, nullptr);
        InstallCaseInsensitiveLike(m_db);
        sqlite3_exec(m_db, "PRAGMA mmap_size = 1073741824", nullptr, nullptr, nullptr);
    }
    ~ReadingConnection() { sqlite3_close_v2(m_db); }

    std::vector<qint64> EngineRows(const QString &cursorSql) const
    {
        std::vector<qint64> rowids;
        sqlite3_stmt *cursor = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(m_db, cursorSql.toUtf8().constData(), -1, &cursor, nullptr), SQLITE_OK)
            << sqlite3_errmsg(m_db);
        while (sqlite3_step(cursor) == SQLITE_ROW)
            rowids.push_back(sqlite3_column_int64(cursor, 0));
        sqlite3_finalize(cursor);
        return rowids;
    }

    std::optional<std::vector<qint64>> PageRows(const TQueryPlan &plan, TTableScan::TThreads threads = {1, 0},
                                                bool stopped = false) const
    {
        const std::atomic<bool> stop = stopped;
        sqlite3_exec(m_db, "BEGIN; PRAGMA schema_version", nullptr, nullptr, nullptr);
        std::optional<std::vector<qint64>> rowids =
            ListFromPages(m_db, plan.table, plan.scanTerms, plan.rangeKeysDescending, threads, stop);
        sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr);
        return rowids;
    }

private:
    sqlite3 *m_db = nullptr;
};

// About 3,000 rows on pages of 512 bytes, some deleted: numbers, reals
// whose text SQLite writes its own way, text that is not UTF-8 or starts
// with a byte-order mark, blobs, NULLs, values of several kilobytes, and
// sort keys of every storage class with many ties.
void MakeAwkwardTable(const SqliteFixture &fixture)
{
    // Columns of no type keep each value's storage class as it was written.
    SqliteFixture::OtherConnection other(fixture.Path());
    other.Execute(QStringLiteral("PRAGMA page_size = 512"));
    other.Execute(QStringLiteral("CREATE TABLE Велирск (Телефон, Фамилия, Улица, Дом, Корпус, Квартира, Организация)"));
    other.Execute(QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
        "INSERT INTO Велирск SELECT "
        "CASE i % 4 WHEN 0 THEN i WHEN 1 THEN '2-' || i WHEN 2 THEN i * 0.5 ELSE NULL END, "
        "CASE i % 9 WHEN 0 THEN 'Иванов' || i WHEN 1 THEN 'иванова' WHEN 2 THEN CAST(X'C8E2E0EDEEE2' AS TEXT) "
        "WHEN 3 THEN CAST(X'EFBBBFD098D0B2D0B0D0BD' AS TEXT) WHEN 4 THEN X'D098D0B2' WHEN 5 THEN NULL "
        "WHEN 6 THEN replace(hex(zeroblob(400 + i % 7)), '00', 'Ив') WHEN 7 THEN i ELSE 'Петров' END, "
        "CASE i % 6 WHEN 0 THEN 1e20 WHEN 1 THEN 1.5 WHEN 2 THEN -0.0 WHEN 3 THEN 'Мира' WHEN 4 THEN 100.0 "
        "ELSE 0.1 END, "
        "i % 13, NULL, "
        "CASE i % 6 WHEN 0 THEN i % 3 WHEN 1 THEN (i % 3) + 0.5 WHEN 2 THEN 'кв' || (i % 4) WHEN 3 THEN NULL "
        "WHEN 4 THEN X'00FF' ELSE replace(hex(zeroblob(300)), '00', 'Я') || (i / 6 % 2) END, "
        "'Школа' FROM n"));
    other.Execute(QStringLiteral("DELETE FROM Велирск WHERE rowid % 7 = 3"));
    other.Execute(QStringLiteral("VACUUM"));
    other.Execute(QStringLiteral("DELETE FROM Велирск WHERE rowid % 11 = 5"));
}

const QStringList kAwkwardStatements{
    "SELECT Фамилия FROM Велирск WHERE Фамилия LIKE \"иван%\" ORDER BY Квартира",
    "SELECT Фамилия FROM Велирск WHERE Фамилия LIKE \"%ив%\" ORDER BY Квартира DESC, Телефон",
    "SELECT Фамилия FROM Велирск WHERE Фамилия LIKE \"_в%\" AND Телефон LIKE \"2%\" ORDER BY Квартира, Дом DESC",
    "SELECT Фамилия FROM Велирск WHERE Улица LIKE \"1%\" ORDER BY Улица",
    "SELECT Фамилия FROM Велирск WHERE Улица LIKE \"%e+%\" ORDER BY Телефон DESC",
    "SELECT Фамилия FROM Велирск WHERE Улица LIKE \"%.0\" ORDER BY Улица",
    "SELECT Фамилия FROM Велирск WHERE (Фамилия LIKE \"%%\") AND Дом LIKE \"1_\" ORDER BY Квартира",
    "SELECT Фамилия FROM Велирск WHERE Квартира LIKE \"%я1\" ORDER BY Квартира DESC",
    "SELECT Фамилия FROM Велирск WHERE Квартира LIKE \"яя%\" ORDER BY Квартира",
    "SELECT Фамилия FROM Велирск WHERE Корпус LIKE \"%\" AND Фамилия LIKE \"%%\" ORDER BY Организация, Квартира",
    "SELECT Фамилия FROM Велирск WHERE Фамилия LIKE \"1%\"",
    "SELECT Фамилия FROM Велирск ORDER BY Квартира DESC, Телефон",
    "SELECT Фамилия FROM Велирск WHERE Корпус LIKE \"%\" ORDER BY Квартира",
};

} // namespace

TEST(TablePages, giveTheEngineRowsInTheEngineOrderOnOneThreadAndOnMany)
{
    SqliteFixture fixture;
    MakeAwkwardTable(fixture);
    const ReadingConnection reading(fixture.Path());
    for (const QString &statement : kAwkwardStatements) {
        const TQueryPlan plan = PlanQuery(statement);
        ASSERT_FALSE(plan.scanTerms.columnsSql.isEmpty()) << statement.toStdString();
        // A cursor of every row lists those of a NULL key first, apart.
        std::vector<qint64> expected =
            plan.nullCursorSql.isEmpty() ? std::vector<qint64>() : reading.EngineRows(plan.nullCursorSql);
        const std::vector<qint64> rest = reading.EngineRows(plan.cursorSql);
        expected.insert(expected.end(), rest.begin(), rest.end());
        for (const TTableScan::TThreads threads : {TTableScan::TThreads{1, 0}, TTableScan::TThreads{5, 1}}) {
            const std::optional<std::vector<qint64>> rows = reading.PageRows(plan, threads);
            ASSERT_TRUE(rows.has_value()) << statement.toStdString();
            EXPECT_EQ(*rows, expected) << statement.toStdString() << " on " << threads.count << " threads";
        }
    }
}

// A column added after rows were written is absent from their records: it
// reads NULL, or its default, which only the engine knows.
TEST(TablePages, aColumnAddedLaterReadsNullAndOneWithADefaultIsLeftToTheEngine)
{
    SqliteFixture fixture;
    MakeAwkwardTable(fixture);
    {
        SqliteFixture::OtherConnection other(fixture.Path());
        other.Execute(QStringLiteral("ALTER TABLE Велирск ADD COLUMN Примечание TEXT"));
        other.Execute(QStringLiteral("ALTER TABLE Велирск ADD COLUMN Отметка TEXT DEFAULT 'да'"));
        other.Execute(QStringLiteral("UPDATE Велирск SET Примечание = 'новое' WHERE rowid % 5 = 0"));
    }
    const ReadingConnection reading(fixture.Path());
    const TQueryPlan added = PlanQuery("SELECT Фамилия FROM Велирск WHERE Примечание LIKE \"%%\" ORDER BY Примечание");
    ASSERT_TRUE(reading.PageRows(added).has_value());
    EXPECT_EQ(*reading.PageRows(added), reading.EngineRows(added.cursorSql));
    EXPECT_FALSE(reading.EngineRows(added.cursorSql).empty());

    const TQueryPlan defaulted = PlanQuery("SELECT Фамилия FROM Велирск WHERE Отметка LIKE \"д%\"");
    EXPECT_FALSE(reading.PageRows(defaulted).has_value());
    SqliteFixture::OtherConnection(fixture.Path()).Execute(QStringLiteral("UPDATE Велирск SET Отметка = Отметка"));
    ASSERT_TRUE(reading.PageRows(defaulted).has_value());
    EXPECT_EQ(*reading.PageRows(defaulted), reading.EngineRows(defaulted.cursorSql));
}

// Forms whose records do not hold the columns as written, or whose file
// does not hold the latest pages, are left to the engine.
TEST(TablePages, formsNotReadHereAreLeftToTheEngine)
{
    SqliteFixture fixture;
    fixture.CreateDirectory({Record({"1", "Иванов", "Мира", "1", "", "1", "Школа"})});
    {
        SqliteFixture::OtherConnection other(fixture.Path());
        other.Execute(QStringLiteral("CREATE TABLE Ключи (Номер INTEGER PRIMARY KEY, Имя TEXT)"));
        other.Execute(QStringLiteral("INSERT INTO Ключи VALUES (5, 'Иванов')"));
        other.Execute(QStringLiteral("CREATE TABLE Без (Имя TEXT PRIMARY KEY, Улица TEXT) WITHOUT ROWID"));
        other.Execute(QStringLiteral("CREATE TABLE Счёт (Имя TEXT, Длина INT AS (length(Имя)), Улица TEXT)"));
        other.Execute(QStringLiteral("CREATE VIEW Вид AS SELECT * FROM Велирск WHERE Дом = '2'"));
    }
    const ReadingConnection reading(fixture.Path());
    for (const char *statement :
         {"SELECT Имя FROM Ключи WHERE Номер LIKE \"5\"", "SELECT Имя FROM Без WHERE Улица LIKE \"М%\"",
          "SELECT Имя FROM Счёт WHERE Улица LIKE \"М%\"", "SELECT Фамилия FROM Вид WHERE Фамилия LIKE \"И%\""}) {
        const TQueryPlan plan = PlanQuery(QString::fromUtf8(statement));
        ASSERT_FALSE(plan.scanTerms.columnsSql.isEmpty()) << statement;
        EXPECT_FALSE(reading.PageRows(plan).has_value()) << statement;
    }
    const TQueryPlan named = PlanQuery("SELECT Имя FROM Ключи WHERE Имя LIKE \"и%\" ORDER BY Номер");
    EXPECT_FALSE(reading.PageRows(named).has_value());
    const TQueryPlan plain = PlanQuery("SELECT Имя FROM Ключи WHERE Имя LIKE \"и%\"");
    ASSERT_TRUE(reading.PageRows(plain).has_value());
    EXPECT_EQ(*reading.PageRows(plain), std::vector<qint64>{5});

    SqliteFixture::OtherConnection wal(fixture.Path());
    wal.Execute(QStringLiteral("PRAGMA journal_mode = WAL"));
    EXPECT_FALSE(reading.PageRows(plain).has_value());
}

// Pages that are not as they should be end the reading without a crash, and
// the store then lists the rows through the engine.
TEST(TablePages, damagedPagesAreNotReadAndTheEngineListsInstead)
{
    SqliteFixture fixture;
    MakeAwkwardTable(fixture);
    QFile file(fixture.Path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray image = file.readAll();
    file.close();
    constexpr quint32 kRoot = 2;
    constexpr qsizetype kPage = 512;
    const std::unique_ptr<TTableFile> whole = TTableFile::FromImage({image.constData(), size_t(image.size())});
    ASSERT_TRUE(whole && whole->LeafPages(kRoot).has_value());

    // The root's right child names the root itself; a leaf's first cell
    // points into its pointer array; a leaf's cell count runs past its page.
    const qsizetype root = kPage * (kRoot - 1);
    const quint32 firstLeaf = whole->LeafPages(kRoot)->front();
    const qsizetype leaf = kPage * (firstLeaf - 1);
    std::vector<std::pair<qsizetype, QByteArray>> damages{
        {root + 8, QByteArray::fromHex("00000002")},
        {leaf + 8, QByteArray::fromHex("0008")},
        {leaf + 3, QByteArray::fromHex("FFFF")},
    };
    const TQueryPlan plan = PlanQuery("SELECT Фамилия FROM Велирск WHERE Фамилия LIKE \"и%\" ORDER BY Квартира");
    for (const auto &[offset, bytes] : damages) {
        QByteArray damaged = image;
        damaged.replace(offset, bytes.size(), bytes);
        const std::unique_ptr<TTableFile> pages = TTableFile::FromImage({damaged.constData(), size_t(damaged.size())});
        ASSERT_TRUE(pages);
        const std::atomic<bool> stop = false;
        TTableScan scan({{1, TLikePattern(QStringLiteral("и%"), 0), false}}, {{5, false, false}},
                        [](double) { return std::string(); });
        EXPECT_FALSE(scan.List(*pages, kRoot, {3, 1}, stop).has_value()) << offset;

        fixture.WriteFile(damaged, QStringLiteral("damaged.dat"));
        const ReadingConnection reading(fixture.Path(QStringLiteral("damaged.dat")));
        EXPECT_FALSE(reading.PageRows(plan).has_value()) << offset;
    }
}

TEST(TablePages, aStoppedReadingGivesNothing)
{
    SqliteFixture fixture;
    MakeAwkwardTable(fixture);
    const ReadingConnection reading(fixture.Path());
    const TQueryPlan plan = PlanQuery("SELECT Фамилия FROM Велирск WHERE Фамилия LIKE \"и%\"");
    EXPECT_FALSE(reading.PageRows(plan, {1, 0}, true).has_value());
}

// A reader at rest is kept for the next one; one that a cancel may have
// reached is closed, and no interrupt outlives it.
TEST(TablePages, readersAreKeptForTheNextSearchUnlessInterrupted)
{
    SqliteFixture fixture;
    fixture.CreateDirectory({Record({"1", "Иванов", "Мира", "1", "", "1", "Школа"})});
    const std::unique_ptr<TSqliteStore> store = TSqliteStore::Open(fixture.Path());
    sqlite3 *first = nullptr;
    {
        const std::unique_ptr<TStore> reader = store->OpenReader();
        first = static_cast<TSqliteStore &>(*reader).Handle();
    }
    {
        const std::unique_ptr<TStore> again = store->OpenReader();
        EXPECT_EQ(static_cast<TSqliteStore &>(*again).Handle(), first);
        again->Interrupt();
    }
    const std::unique_ptr<TStore> next = store->OpenReader();
    EXPECT_EQ(next->ListCursor(QStringLiteral("SELECT rowid FROM Велирск")), std::vector<qint64>{1});
}
