// The search's rows, row for row and in order, against the plain reference
// of ReferenceSearch.h.

#include "ReferenceSearch.h"
#include "ServerFixture.h"
#include "SqliteFixture.h"

#include "data/ADOConnection.h"
#include "data/ADOQuery.h"
#include "data/StoredValue.h"
#include "forms/SearchStatement.h"

#include <QFile>
#include <algorithm>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

std::vector<ReferenceRow> ReadAll(const QString &path)
{
    std::vector<ReferenceRow> rows;
    sqlite3 *db = nullptr;
    EXPECT_EQ(sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt *statement = nullptr;
    sqlite3_prepare_v2(db, "SELECT rowid, * FROM \"Велирск\"", -1, &statement, nullptr);
    while (sqlite3_step(statement) == SQLITE_ROW) {
        ReferenceRow row{sqlite3_column_int64(statement, 0), {}};
        for (int column = 1; column < sqlite3_column_count(statement); ++column) {
            TStoredValue value;
            const int type = sqlite3_column_type(statement, column);
            if (type != SQLITE_NULL) {
                value.storageClass = type == SQLITE_INTEGER ? TStoredValue::Integer
                                     : type == SQLITE_FLOAT ? TStoredValue::Real
                                     : type == SQLITE_BLOB  ? TStoredValue::Blob
                                                            : TStoredValue::Text;
                value.integer = sqlite3_column_int64(statement, column);
                value.real = sqlite3_column_double(statement, column);
                const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, column));
                value.bytes = QByteArray(text, sqlite3_column_bytes(statement, column));
            }
            row.values.push_back(value);
        }
        rows.push_back(std::move(row));
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return rows;
}

QList<QStringList> ProviderSearch(TADOQuery &query, const QStringList &criteria)
{
    query.SQL()->Clear();
    for (const QString &line : SearchStatement::Lines(criteria))
        query.SQL()->Add(line);
    query.Open();
    QList<QStringList> result;
    for (query.First(); !query.Eof(); query.Next()) {
        QStringList shown;
        for (int field = 0; field < query.FieldCount(); ++field)
            shown << (query.Fields(field)->IsNull() ? QStringLiteral("<NULL>") : query.Fields(field)->AsString());
        result << shown;
    }
    return result;
}

// The rows as a server holds them after transfer_directory: every value
// present as the text the grid shows.
std::vector<ReferenceRow> AsOnTheServer(std::vector<ReferenceRow> rows)
{
    for (ReferenceRow &row : rows) {
        for (TStoredValue &value : row.values) {
            if (value.storageClass == TStoredValue::Null)
                continue;
            const QByteArray shown = value.Shown()->toUtf8();
            value = {};
            value.storageClass = TStoredValue::Text;
            value.bytes = shown;
        }
    }
    return rows;
}

// Searches the directory of the file at `path`, or of the server when
// `server` names one that holds the file's rows, and compares with the
// reference over the file's rows.
void ExpectSameAsReference(const QString &connectionString, const QString &path, const QList<QStringList> &searches,
                           const QString &server = {})
{
    TADOConnection connection;
    connection.SetConnectionString(connectionString);
    connection.SetServer(server);
    TADOQuery query;
    query.SetConnection(&connection);
    const std::vector<ReferenceRow> rows = server.isEmpty() ? ReadAll(path) : AsOnTheServer(ReadAll(path));
    for (const QStringList &criteria : searches) {
        const QList<QStringList> expected = ReferenceSearch(rows, criteria);
        const QList<QStringList> actual = ProviderSearch(query, criteria);
        EXPECT_EQ(actual.size(), expected.size()) << criteria.join(u'|').toStdString();
        const qsizetype differs =
            std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end()).first - actual.begin();
        EXPECT_EQ(differs, std::min(actual.size(), expected.size()))
            << "first difference at row " << differs << " for " << criteria.join(u'|').toStdString();
    }
}

} // namespace

// Values that trip matchers up: case variants, Cyrillic and Latin, wildcards
// and quotes in the data, NULLs and empty texts, legacy and stray bytes, a
// blob, a number, and duplicate rows.
void MakeAwkwardDirectory(const SqliteFixture &fixture)
{
    fixture.CreateDirectory({
        Record({"21-00-01", "Иванов", "Мира", "1", "А", "10", "Школа № 1"}),
        Record({"21-00-02", "иванова", "мира", "1", "а", "2", "школа"}),
        Record({"21-00-03", "ИВАНОВ", "МИРА", "2", "1", "10", "ШКОЛА"}),
        Record({"21-00-04", "Ёлкин", "Ленина", "3", "NULL", "7", "Почта"}),
        Record({"21-00-05", "елкин", "ленина", "3", "2", "7", "NULL"}),
        Record({"NULL", "Петров", "Садовая", "4", "Б", "1", "Больница"}),
        Record({"21-00-07", "100% Ivanov", "a_b", "5", "В", "", "O\"Brien's"}),
        Record({"21-00-08", "O\"Brien; --", "'", "5", "В", "10", "100%"}),
        Record({"21-00-09", "Smith", "SMITH STREET", "6", "1", "2", "Ünterweg"}),
        Record({"21-00-10", "", "", "", "", "", ""}),
        Record({"21-00-15", "Иванов", "Мира", "1", "А", "NULL", "NULL"}),
        Record({"21-00-11", " Иванов", "Мира ", "1", "А", "10", "Школа № 1"}),
    });
    SqliteFixture::OtherConnection other(fixture.Path());
    // Windows-1251 "Иванов", "Мира"; a lone 0xFF; an over-long "и" and "a"; a blob;
    // a number stored as such.
    other.Execute(QStringLiteral("INSERT INTO Велирск VALUES ('21-00-12', CAST(X'C8E2E0EDEEE2' AS TEXT), "
                                 "CAST(X'CCE8F0E0' AS TEXT), '1', 'А', '10', 'Школа № 1')"));
    other.Execute(
        QStringLiteral("INSERT INTO Велирск VALUES ('21-00-13', CAST(X'FF' AS TEXT), CAST(X'E090B8' AS TEXT), "
                       "'2', CAST(X'C1A1' AS TEXT), CAST(X'FF31' AS TEXT), X'4142')"));
    other.Execute(
        QStringLiteral("INSERT INTO Велирск VALUES ('21-00-14', 'Иванов', 'Мира', 1, 'А', X'3130', 'Школа')"));
    other.Execute(QStringLiteral("INSERT INTO Велирск SELECT * FROM Велирск WHERE Фамилия IN ('Иванов', 'Smith')"));
}

const QList<QStringList> kAwkwardSearches{
    {},
    {"", "иван"},
    {"", "ИВАНОВ"},
    {"", "Иванов "},
    {"", " "},
    {"21"},
    {"", "", "мира"},
    {"", "", "и"},
    {"", "", "\u00E0"},
    {"", "%ов"},
    {"", "_в"},
    {"", "%"},
    {"", "_%"},
    {"", "100%"},
    {"", "", "a_b"},
    {"", "", "a%b"},
    {"", "O\"Brien"},
    {"", "", "'"},
    {"", "ё"},
    {"", "Е"},
    {"", "\uFFFD"},
    {"", "", "", "", "", "", "AB"},
    {"", "", "", "", "a"},
    {"", "", "\uFFFD\uFFFD\uFFFD"},
    {"", "", "", "1", "", "1"},
    {"", "s", "sm", "6", "1", "2", "ü"},
    {"21-00-0", "и", "м", "1", "а", "1", "ш"},
    {"", "", "", "", "", "", "school"},
};

TEST(SearchEquivalence, awkwardValuesGiveTheReferenceRowsInTheReferenceOrder)
{
    SqliteFixture fixture;
    MakeAwkwardDirectory(fixture);
    ExpectSameAsReference(fixture.ConnectionString(), fixture.Path(), kAwkwardSearches);
}

// However small the table, the search is listed in ranges of rowid on
// threads of their own and merged: some ranges empty, some a row each.
TEST(SearchEquivalence, rangesListedSideBySideGiveTheReferenceRowsInTheReferenceOrder)
{
    SqliteFixture fixture;
    MakeAwkwardDirectory(fixture);
    for (const int ranges : {2, 5, 40}) {
        SCOPED_TRACE(ranges);
        ExpectSameAsReference(fixture.ConnectionString()
                                  + QStringLiteral(";Search Threads=%1;Search Threads From Rows=1").arg(ranges),
                              fixture.Path(), kAwkwardSearches);
    }
}

TEST(SearchEquivalence, theServerGivesTheSameRowsInTheSameOrder)
{
    if (ServerFixture::TestServer().isEmpty())
        GTEST_SKIP() << "VELIRSK_TEST_SERVER names no test server";
    SqliteFixture fixture;
    MakeAwkwardDirectory(fixture);
    ServerFixture server(fixture);
    ASSERT_TRUE(server.Ready());
    ExpectSameAsReference(fixture.ConnectionString(), fixture.Path(), kAwkwardSearches, server.ConnectionString());
}

// Set VELIRSK_SEARCH_FILE to a directory made by tools/make_directory to
// compare on it too (slow on a million rows).
TEST(SearchEquivalence, generatedDirectoryGivesTheReferenceRowsInTheReferenceOrder)
{
    const QString path = qEnvironmentVariable("VELIRSK_SEARCH_FILE");
    if (path.isEmpty())
        GTEST_SKIP() << "VELIRSK_SEARCH_FILE names no generated directory";
    const QList<QStringList> searches{
        {},
        {"", "иван"},
        {"", "Иванова"},
        {"2", "", "", "1"},
        {"", "%ская"},
        {"", "п_тр"},
        {"2", "с", "л", "1", "", "1", "ш"},
    };
    // Whole on one thread, and in as many ranges as the machine has cores
    // and in more.
    for (const QString &ranges :
         {QStringLiteral(";Search Threads=1"), QString(), QStringLiteral(";Search Threads=7")}) {
        SCOPED_TRACE(ranges.toStdString());
        ExpectSameAsReference(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1%2").arg(path, ranges),
                              path, searches);
    }
}

// Old rows hold Windows-1251 bytes or stray ones; a search reads them as the
// grid shows them, while the criteria typed stay UTF-8.
TEST(SearchEquivalence, legacyBytesAreSearchedAsTheGridShowsThem)
{
    SqliteFixture fixture;
    fixture.CreateDirectory({Record({"1", "Иванова", "Мира", "1", "", "1", ""})});
    SqliteFixture::OtherConnection other(fixture.Path());
    // Windows-1251 "Иванов"; "И", the one byte Windows-1251 leaves unassigned
    // and "и"; "Сёмин"; a byte-order mark before "Ivan"; no surname at all.
    // "И" and the byte after it, like "Сёмин"'s first two, would alone be UTF-8.
    for (const char *surname : {"CAST(X'C8E2E0EDEEE2' AS TEXT)", "CAST(X'C898E8' AS TEXT)",
                                "CAST(X'D1B8ECE8ED' AS TEXT)", "CAST(X'EFBBBF4976616E' AS TEXT)", "NULL"}) {
        other.Execute(QStringLiteral("INSERT INTO Велирск VALUES ('2', %1, 'Мира', '1', '', '1', '')").arg(surname));
    }
    TADOConnection connection;
    connection.SetConnectionString(fixture.ConnectionString());
    TADOQuery query;
    query.SetConnection(&connection);
    const auto surnames = [&](const QString &criterion) {
        QStringList found;
        for (const QStringList &row : ProviderSearch(query, {"", criterion}))
            found << row[1];
        return found;
    };

    EXPECT_EQ(surnames("иван"), QStringList({"Иванова", "Иванов"}));
    EXPECT_EQ(surnames("ИВАН"), QStringList({"Иванова", "Иванов"}));
    EXPECT_EQ(surnames("сём"), QStringList({"Сёмин"}));
    EXPECT_EQ(surnames("С"), QStringList({"Сёмин"}));
    EXPECT_EQ(surnames("и\uFFFD"), QStringList({"И\uFFFDи"}));
    EXPECT_EQ(surnames("_\uFFFDИ"), QStringList({"И\uFFFDи"}));
    EXPECT_EQ(surnames("Ivan"), QStringList({"Ivan"}));
    EXPECT_EQ(surnames(QString(QChar(0xFEFF))), QStringList()) << "the grid drops a byte-order mark";
    EXPECT_EQ(surnames("_").size(), 5) << "NULL matches no typed pattern";
    EXPECT_EQ(surnames("%").size(), 5) << "NULL matches no typed pattern";
    EXPECT_EQ(surnames("").size(), 6) << "an empty criterion finds an empty field too";
}
