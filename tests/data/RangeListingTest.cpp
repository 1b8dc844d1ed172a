// A search listed in ranges of rowid side by side, then merged, against the
// same search listed whole.

#include "SqliteFixture.h"

#include "data/ADOConnection.h"
#include "data/ADOQuery.h"
#include "data/SqliteStore.h"
#include "toolkit/db/DatabaseError.h"

#include <QStringList>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace {

// The rows of `statement`, each with its values joined by "|", on a
// connection that lists in `ranges` ranges however small the table.
QStringList Rows(const SqliteFixture &fixture, int ranges, const QString &statement)
{
    TADOConnection connection;
    connection.SetConnectionString(fixture.ConnectionString()
                                   + QStringLiteral(";Search Threads=%1;Search Threads From Rows=1").arg(ranges));
    TADOQuery query;
    query.SetConnection(&connection);
    query.SQL()->SetText(statement);
    query.Open();
    QStringList rows;
    for (query.First(); !query.Eof(); query.Next()) {
        QStringList values;
        for (int field = 0; field < query.FieldCount(); ++field)
            values << (query.Fields(field)->IsNull() ? QStringLiteral("NULL") : query.Fields(field)->AsString());
        rows << values.join(u'|');
    }
    return rows;
}

// Keys of every storage class, with ties in each: integers and reals of
// equal value, integers beyond a double's precision, texts that are
// prefixes of each other or differ past the first byte, blobs, NULLs.
void MakeKeyTable(const SqliteFixture &fixture)
{
    fixture.CreateDirectory({});
    SqliteFixture::OtherConnection other(fixture.Path());
    other.Execute(QStringLiteral("CREATE TABLE keys (id INTEGER, tag TEXT, k, m)"));
    const QStringList values{
        "NULL",
        "2",
        "2.0",
        "-1",
        "1.5",
        "9007199254740993",
        "9007199254740992.0",
        "'2'",
        "'10'",
        "'1'",
        "''",
        "'я'",
        "'Я'",
        "'ab'",
        "'abc'",
        "'a'",
        "X'00'",
        "X''",
        "X'0001'",
        "'b'",
        "NULL",
        "-9223372036854775808",
    };
    int id = 0;
    for (int copy = 0; copy < 3; ++copy) {
        for (int at = 0; at < values.size(); ++at) {
            // Every fifth row is left out by the condition.
            const QString tag = id % 5 == 4 ? QStringLiteral("b") : QStringLiteral("a%1").arg(id);
            other.Execute(QStringLiteral("INSERT INTO keys VALUES (%1, '%2', %3, %4)")
                              .arg(id)
                              .arg(tag, values[at], values[(at * 7 + copy) % values.size()]));
            ++id;
        }
    }
    // Gaps in the rowids make some ranges hold few rows or none.
    other.Execute(QStringLiteral("DELETE FROM keys WHERE rowid BETWEEN 20 AND 40"));
}

} // namespace

TEST(RangeListing, mergedRangesGiveTheRowsAndOrderOfTheWholeListing)
{
    SqliteFixture fixture;
    MakeKeyTable(fixture);
    for (const QString &order : {QStringLiteral(""), QStringLiteral(" ORDER BY k"), QStringLiteral(" ORDER BY k DESC"),
                                 QStringLiteral(" ORDER BY k, m DESC"), QStringLiteral(" ORDER BY m DESC, k")}) {
        const QString statement = QStringLiteral("SELECT id, k, m FROM keys WHERE tag LIKE \"a%\"") + order;
        const QStringList whole = Rows(fixture, 1, statement);
        ASSERT_FALSE(whole.isEmpty());
        for (const int ranges : {2, 3, 7, 200})
            EXPECT_EQ(Rows(fixture, ranges, statement), whole) << ranges << " ranges," << order.toStdString();
    }
}

// Interrupted from another thread (the search was cancelled), the listing
// ends with an error and holds no lock: a writer commits at once after it.
TEST(RangeListing, anInterruptedListingEndsAndLeavesTheFileUnlocked)
{
    constexpr int kRows = 200000;
    SqliteFixture fixture;
    fixture.CreateDirectory({});
    SqliteFixture::OtherConnection other(fixture.Path());
    other.Execute(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                                 "INSERT INTO Велирск (Фамилия, Квартира) SELECT 'Иванов' || i, i % 97 FROM n")
                      .arg(kRows));
    std::unique_ptr<TSqliteStore> store = TSqliteStore::Open(fixture.Path());
    store->SetRanges(4, 1);
    std::atomic<bool> done = false;
    bool interrupted = false;
    std::thread listing([&] {
        try {
            store->ListCursorInRanges(QStringLiteral("Велирск"),
                                      QStringLiteral("SELECT rowid, Квартира FROM Велирск WHERE Фамилия LIKE 'иван%' "
                                                     "AND rowid BETWEEN ?1 AND ?2 ORDER BY Квартира"),
                                      {false}, {});
        } catch (const EDatabaseError &) {
            interrupted = true;
        }
        done = true;
    });
    // Most likely while the ranges are read.
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    while (!done) {
        store->Interrupt();
        std::this_thread::yield();
    }
    listing.join();
    EXPECT_TRUE(interrupted);
    other.SetBusyTimeout(0);
    other.Execute(QStringLiteral("UPDATE Велирск SET Дом = '1' WHERE rowid = 1"));
}
