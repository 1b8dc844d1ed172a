// The search over rows of any content, held against the plain reference of
// the tests (tests/data/ReferenceSearch.h): the statement that the search
// dialog builds from seven criteria gives exactly the reference's rows in
// the reference's order, both as the data layer runs it (planned, its LIKE
// terms in their faster form, rows without an apartment listed apart), also
// listed in ranges of rowid merged together, and as written, straight
// through SQLite with the program's LIKE.
//
// The input: seven lines of criteria as typed, then a line per row, its
// fields split by tabs. A field "\N" is NULL, one that begins with "\B" a
// blob of the bytes after those two, any other the text of its bytes as they
// are, UTF-8 or not; fields missing at the end of a row are NULL.
#include "data/ADOConnection.h"
#include "data/ADOQuery.h"
#include "data/SqlDialect.h"
#include "data/SqliteStatement.h"
#include "forms/SearchStatement.h"
#include "tests/data/ReferenceSearch.h"
#include "toolkit/db/DatabaseError.h"
#include "toolkit/db/Field.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <sqlite3.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace {

constexpr int kFieldCount = SearchStatement::kCriterionCount;
constexpr int kMostRows = 24;
// More ranges than most inputs have rows: some come out empty.
constexpr int kRanges = 5;
const QByteArray kNullField = QByteArrayLiteral("\\N");
const QByteArray kBlobMark = QByteArrayLiteral("\\B");

struct TWorkspace {
    TWorkspace()
    {
        connection.SetConnectionString(QStringLiteral("Data Source=") + folder.filePath(QStringLiteral("velirsk.dat")));
        sqlite3 *db = nullptr;
        sqlite3_open_v2(QFile::encodeName(folder.filePath(QStringLiteral("velirsk.dat"))).constData(), &db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        const int rc = sqlite3_exec(db,
                                    "CREATE TABLE \"Велирск\" (\"Телефон\" VARCHAR(10), \"Фамилия\" VARCHAR(50), "
                                    "\"Улица\" VARCHAR(50), \"Дом\" VARCHAR(10), \"Корпус\" VARCHAR(10), "
                                    "\"Квартира\" VARCHAR(10), \"Организация\" VARCHAR(100))",
                                    nullptr, nullptr, nullptr);
        sqlite3_close(db);
        if (rc != SQLITE_OK)
            __builtin_trap();
        connection.Open();
        inRanges.SetConnectionString(QStringLiteral("Data Source=%1;Search Threads=%2;Search Threads From Rows=1")
                                         .arg(folder.filePath(QStringLiteral("velirsk.dat")))
                                         .arg(kRanges));
        inRangesQuery.SetConnection(&inRanges);
        // The rows change with every input and need not outlive the process.
        sqlite3_exec(connection.Handle(), "PRAGMA synchronous = OFF; PRAGMA journal_mode = MEMORY", nullptr, nullptr,
                     nullptr);
        query.SetConnection(&connection);
    }

    int argc = 1;
    char name[sizeof "FuzzSearchRows"] = "FuzzSearchRows";
    char *argv[2] = {name, nullptr};
    QCoreApplication application{argc, argv};
    QTemporaryDir folder;
    TADOConnection connection;
    TADOQuery query;
    // The same file, every search listed in ranges.
    TADOConnection inRanges;
    TADOQuery inRangesQuery;
};

TWorkspace &Workspace()
{
    static TWorkspace workspace;
    return workspace;
}

TStoredValue FieldValue(const QByteArray &field)
{
    TStoredValue value;
    if (field == kNullField)
        return value;
    value.storageClass = field.startsWith(kBlobMark) ? TStoredValue::Blob : TStoredValue::Text;
    value.bytes = value.storageClass == TStoredValue::Blob ? field.mid(kBlobMark.size()) : field;
    return value;
}

std::vector<ReferenceRow> Rows(const QList<QByteArray> &lines)
{
    std::vector<ReferenceRow> rows;
    for (qsizetype line = kFieldCount; line < lines.size() && rows.size() < size_t(kMostRows); ++line) {
        const QList<QByteArray> fields = lines[line].split('\t');
        ReferenceRow row{qint64(rows.size()) + 1, std::vector<TStoredValue>(kFieldCount)};
        for (int field = 0; field < kFieldCount && field < fields.size(); ++field)
            row.values[field] = FieldValue(fields[field]);
        rows.push_back(std::move(row));
    }
    return rows;
}

void Store(sqlite3 *db, const std::vector<ReferenceRow> &rows)
{
    TSqliteStatement(db, QStringLiteral("BEGIN")).Step();
    TSqliteStatement(db, QStringLiteral("DELETE FROM Велирск")).Step();
    for (const ReferenceRow &row : rows) {
        TSqliteStatement insert(db, QStringLiteral("INSERT INTO Велирск (rowid, Телефон, Фамилия, Улица, Дом, Корпус, "
                                                   "Квартира, Организация) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)"));
        insert.Bind(1, row.rowid);
        for (int field = 0; field < kFieldCount; ++field)
            insert.Bind(field + 2, row.values[field]);
        insert.Step();
    }
    TSqliteStatement(db, QStringLiteral("COMMIT")).Step();
}

QList<QStringList> AsTheDataLayerRunsIt(TADOQuery &query, const QStringList &lines)
{
    query.SQL()->Clear();
    for (const QString &line : lines)
        query.SQL()->Add(line);
    query.Open();
    QList<QStringList> found;
    for (query.First(); !query.Eof(); query.Next()) {
        QStringList shown;
        for (int field = 0; field < query.FieldCount(); ++field)
            shown << (query.Fields(field)->IsNull() ? QStringLiteral("<NULL>") : query.Fields(field)->AsString());
        found << shown;
    }
    return found;
}

QList<QStringList> AsWritten(sqlite3 *db, const QString &statement)
{
    TSqliteStatement select(db, TranslateDialect(statement));
    QList<QStringList> found;
    while (select.Step()) {
        std::vector<TStoredValue> values;
        for (int field = 0; field < select.ColumnCount(); ++field)
            values.push_back(select.Stored(field));
        found << ShownRow(values);
    }
    return found;
}

void Report(const char *what, const QList<QStringList> &found, const QList<QStringList> &expected)
{
    std::fprintf(stderr, "%s: %lld rows, the reference %lld\n", what, qint64(found.size()), qint64(expected.size()));
    for (const QStringList &row : found)
        std::fprintf(stderr, "  found     %s\n", qPrintable(row.join(u'|')));
    for (const QStringList &row : expected)
        std::fprintf(stderr, "  reference %s\n", qPrintable(row.join(u'|')));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TWorkspace &workspace = Workspace();
    const QList<QByteArray> lines = QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)).split('\n');
    QStringList criteria;
    for (int field = 0; field < kFieldCount; ++field) {
        criteria << QString::fromUtf8(lines.value(field));
        // The dialog refuses such a criterion before any search.
        if (SearchStatement::UnsearchableAt(criteria.back()) >= 0)
            return 0;
    }
    const std::vector<ReferenceRow> rows = Rows(lines);
    Store(workspace.connection.Handle(), rows);

    const QStringList statement = SearchStatement::Lines(criteria);
    const QList<QStringList> expected = ReferenceSearch(rows, criteria);
    const QList<QStringList> planned = AsTheDataLayerRunsIt(workspace.query, statement);
    const QList<QStringList> written = AsWritten(workspace.connection.Handle(), workspace.query.CommandText());
    if (planned != expected) {
        Report("as the data layer runs it", planned, expected);
        __builtin_trap();
    }
    const QList<QStringList> inRanges = AsTheDataLayerRunsIt(workspace.inRangesQuery, statement);
    if (inRanges != expected) {
        Report("listed in ranges", inRanges, expected);
        __builtin_trap();
    }
    if (written != expected) {
        Report("as written", written, expected);
        __builtin_trap();
    }
    return 0;
}
