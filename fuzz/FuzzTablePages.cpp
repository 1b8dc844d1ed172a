// Any file read page by page as a search reads its table: the reading never
// crashes, never runs away on pages that point in circles, and, whenever it
// gives rows for a file that SQLite's own check finds whole, they are the
// rows SQLite gives in SQLite's order.
//
// Every SQLite connection of the process has tight limits, so that no file
// makes one input run long or take much memory.
#include "data/CaseInsensitiveLike.h"
#include "data/PageListing.h"
#include "data/SqlDialect.h"
#include "data/TableFile.h"
#include "toolkit/db/DatabaseError.h"

#include <QFile>
#include <QTemporaryDir>
#include <sqlite3.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

constexpr int kLongestValueBytes = 1 << 20;
constexpr int kMostStatementSteps = 200'000;
constexpr sqlite3_int64 kHeapLimitBytes = sqlite3_int64(256) << 20;
constexpr quint32 kDirectoryRoot = 2;

int LimitConnection(sqlite3 *db, char **, const sqlite3_api_routines *)
{
    sqlite3_limit(db, SQLITE_LIMIT_LENGTH, kLongestValueBytes);
    sqlite3_limit(db, SQLITE_LIMIT_VDBE_OP, kMostStatementSteps);
    sqlite3_limit(db, SQLITE_LIMIT_ATTACHED, 0);
    return SQLITE_OK;
}

struct TWorkspace {
    TWorkspace()
    {
        sqlite3_hard_heap_limit64(kHeapLimitBytes);
        sqlite3_auto_extension(reinterpret_cast<void (*)()>(&LimitConnection));
    }
    QTemporaryDir folder;
    QString path = folder.filePath(QStringLiteral("velirsk.dat"));
};

TWorkspace &Workspace()
{
    static TWorkspace workspace;
    return workspace;
}

// Searches as the dialog writes them, and sorts of every kind.
const char *const kStatements[] = {
    "SELECT * FROM Велирск WHERE Фамилия LIKE \"Ив%\" ORDER BY Квартира",
    "SELECT * FROM Велирск WHERE Телефон LIKE \"%2%\" AND Улица LIKE \"%%\" ORDER BY Квартира DESC, Дом",
    "SELECT * FROM Велирск WHERE Организация LIKE \"_%\"",
    "SELECT * FROM Велирск ORDER BY Квартира",
};

std::vector<qint64> EngineRows(sqlite3 *db, const QString &cursorSql, bool &failed)
{
    std::vector<qint64> rowids;
    sqlite3_stmt *cursor = nullptr;
    if (sqlite3_prepare_v2(db, cursorSql.toUtf8().constData(), -1, &cursor, nullptr) != SQLITE_OK) {
        failed = true;
        return rowids;
    }
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(cursor)) == SQLITE_ROW)
        rowids.push_back(sqlite3_column_int64(cursor, 0));
    failed = rc != SQLITE_DONE;
    sqlite3_finalize(cursor);
    return rowids;
}

bool PassesQuickCheck(sqlite3 *db)
{
    sqlite3_stmt *check = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA quick_check", -1, &check, nullptr) != SQLITE_OK)
        return false;
    const bool whole = sqlite3_step(check) == SQLITE_ROW
                       && std::string(reinterpret_cast<const char *>(sqlite3_column_text(check, 0))) == "ok"
                       && sqlite3_step(check) == SQLITE_DONE;
    sqlite3_finalize(check);
    return whole;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const TWorkspace &workspace = Workspace();
    const std::string_view image(reinterpret_cast<const char *>(data), size);

    // The pages alone, read straight from the input.
    if (const std::unique_ptr<TTableFile> pages = TTableFile::FromImage(image)) {
        const std::atomic<bool> stop = false;
        TTableScan scan({{1, TLikePattern(QStringLiteral("и%"), 0), false}, {0, std::nullopt, false}},
                        {{5, true, false}}, [](double) { return std::string("0.0"); });
        scan.List(*pages, kDirectoryRoot, {2, 1}, stop);
    }

    for (const char *suffix : {"", "-journal", "-wal", "-shm"})
        QFile::remove(workspace.path + QLatin1String(suffix));
    {
        QFile file(workspace.path);
        if (!file.open(QIODevice::WriteOnly) || file.write(image.data(), qint64(size)) != qint64(size))
            __builtin_trap();
    }
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(workspace.path).constData(), &db, SQLITE_OPEN_READONLY, nullptr)
        == SQLITE_OK) {
        InstallCaseInsensitiveLike(db);
        sqlite3_exec(db, "PRAGMA mmap_size = 268435456", nullptr, nullptr, nullptr);
        const bool whole = PassesQuickCheck(db);
        for (const char *statement : kStatements) {
            const TQueryPlan plan = PlanQuery(QString::fromUtf8(statement));
            const std::atomic<bool> stop = false;
            if (sqlite3_exec(db, "BEGIN; PRAGMA schema_version", nullptr, nullptr, nullptr) != SQLITE_OK)
                break;
            std::optional<std::vector<qint64>> rows;
            try {
                rows = ListFromPages(db, plan.table, plan.scanTerms, plan.rangeKeysDescending, {2, 1}, stop);
            } catch (const EDatabaseError &) {
                // No such table or column in this file: the engine says so.
            }
            // A cursor of every row lists those of a NULL key first, apart.
            bool failed = false;
            bool restFailed = false;
            std::vector<qint64> expected =
                plan.nullCursorSql.isEmpty() ? std::vector<qint64>() : EngineRows(db, plan.nullCursorSql, failed);
            const std::vector<qint64> rest = EngineRows(db, plan.cursorSql, restFailed);
            expected.insert(expected.end(), rest.begin(), rest.end());
            failed = failed || restFailed;
            sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
            if (rows && whole && !failed && *rows != expected)
                __builtin_trap();
        }
    }
    sqlite3_close_v2(db);
    return 0;
}
