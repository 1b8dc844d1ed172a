#include "data/PageListing.h"

#include "data/SqliteStatement.h"
#include "data/TableFile.h"
#include "data/TableScan.h"
#include "toolkit/db/DatabaseError.h"

#include <sqlite3.h>

#include <cstring>
#include <limits>

namespace {

struct TStoredColumn {
    QByteArray name;
    bool primaryKey = false; // maybe the rowid itself, stored as NULL
    bool hasDefault = false;
};

// The table's columns by their place in its records; nothing when a column
// is generated (its place then differs) or the table is not ordinary.
std::optional<std::vector<TStoredColumn>> StoredColumns(sqlite3 *db, const QByteArray &table)
{
    TSqliteStatement info(db, QStringLiteral("SELECT name, pk, dflt_value IS NOT NULL, hidden "
                                             "FROM pragma_table_xinfo(?1, 'main')"));
    sqlite3_bind_text(info.Handle(), 1, table.constData(), int(table.size()), SQLITE_TRANSIENT);
    std::vector<TStoredColumn> columns;
    while (info.Step()) {
        if (sqlite3_column_int(info.Handle(), 3) != 0)
            return std::nullopt;
        columns.push_back({QByteArray(reinterpret_cast<const char *>(sqlite3_column_text(info.Handle(), 0))),
                           sqlite3_column_int(info.Handle(), 1) != 0, sqlite3_column_int(info.Handle(), 2) != 0});
    }
    if (columns.empty())
        return std::nullopt;
    return columns;
}

std::optional<quint32> RootPage(sqlite3 *db, const QByteArray &table)
{
    TSqliteStatement root(db, QStringLiteral("SELECT rootpage FROM main.sqlite_schema WHERE type = 'table' "
                                             "AND name = ?1"));
    sqlite3_bind_text(root.Handle(), 1, table.constData(), int(table.size()), SQLITE_TRANSIENT);
    if (!root.Step())
        return std::nullopt;
    const qint64 page = root.Int64(0);
    if (page < 1 || page > std::numeric_limits<quint32>::max())
        return std::nullopt;
    return quint32(page);
}

// Where each column of `columnsSql` lies in the records of `table`,
// whether it has a default, and the table's first page.
struct TScanPlaces {
    std::vector<int> places;
    std::vector<bool> hasDefault;
    quint32 root = 0;
};

std::optional<TScanPlaces> ScanPlaces(sqlite3 *db, const QString &table, const TScanTerms &scanTerms, size_t keys)
{
    // A statement the engine refuses is left to it, to say why.
    TSqliteStatement columns;
    try {
        columns = TSqliteStatement(db, scanTerms.columnsSql);
    } catch (const EDatabaseError &) {
        return std::nullopt;
    }
    const int count = sqlite3_column_count(columns.Handle());
    if (size_t(count) != scanTerms.patterns.size() + keys)
        return std::nullopt;
    QByteArray stored;
    std::optional<std::vector<TStoredColumn>> tableColumns;
    TScanPlaces result;
    for (int column = 0; column < count; ++column) {
        const char *database = sqlite3_column_database_name(columns.Handle(), column);
        const char *origin = sqlite3_column_table_name(columns.Handle(), column);
        const char *name = sqlite3_column_origin_name(columns.Handle(), column);
        if (!database || !origin || !name || std::strcmp(database, "main") != 0)
            return std::nullopt;
        if (column == 0) {
            // The source must be the table itself, not a view of it.
            stored = origin;
            if (QString::fromUtf8(stored).compare(table, Qt::CaseInsensitive) != 0)
                return std::nullopt;
            tableColumns = StoredColumns(db, stored);
            if (!tableColumns)
                return std::nullopt;
        } else if (stored != origin) {
            return std::nullopt;
        }
        int place = 0;
        while (place < int(tableColumns->size()) && (*tableColumns)[size_t(place)].name != name)
            ++place;
        if (place == int(tableColumns->size()) || (*tableColumns)[size_t(place)].primaryKey)
            return std::nullopt;
        if (size_t(column) >= scanTerms.patterns.size() && !SortsByBytes(db, database, origin, name))
            return std::nullopt;
        result.places.push_back(place);
        result.hasDefault.push_back((*tableColumns)[size_t(place)].hasDefault);
    }
    const std::optional<quint32> root = RootPage(db, stored);
    if (!root)
        return std::nullopt;
    result.root = *root;
    return result;
}

} // namespace

std::optional<std::vector<qint64>> ListFromPages(sqlite3 *db, const QString &table, const TScanTerms &scanTerms,
                                                 const std::vector<bool> &keysDescending, TTableScan::TThreads threads,
                                                 const std::atomic<bool> &stop)
{
    if (scanTerms.columnsSql.isEmpty())
        return std::nullopt;
    const std::optional<TScanPlaces> places = ScanPlaces(db, table, scanTerms, keysDescending.size());
    if (!places)
        return std::nullopt;
    std::vector<TTableScan::TTerm> terms;
    for (size_t term = 0; term < scanTerms.patterns.size(); ++term) {
        const std::optional<QString> &pattern = scanTerms.patterns[term];
        terms.push_back({places->places[term],
                         pattern ? std::optional<TLikePattern>(TLikePattern(*pattern, 0)) : std::nullopt,
                         places->hasDefault[term]});
    }
    std::vector<TTableScan::TKey> keys;
    for (size_t key = 0; key < keysDescending.size(); ++key) {
        const size_t column = scanTerms.patterns.size() + key;
        keys.push_back({places->places[column], keysDescending[key], places->hasDefault[column]});
    }
    // A real number reads as the engine writes it.
    std::optional<TSqliteStatement> cast;
    const auto realText = [&](double real) {
        if (!cast)
            cast.emplace(db, QStringLiteral("SELECT CAST(?1 AS TEXT)"));
        sqlite3_bind_double(cast->Handle(), 1, real);
        cast->Step();
        std::string text(reinterpret_cast<const char *>(sqlite3_column_text(cast->Handle(), 0)),
                         size_t(sqlite3_column_bytes(cast->Handle(), 0)));
        cast->Reset();
        return text;
    };
    const std::unique_ptr<TTableFile> file = TTableFile::Map(db);
    if (!file)
        return std::nullopt;
    return TTableScan(std::move(terms), std::move(keys), realText).List(*file, places->root, threads, stop);
}
