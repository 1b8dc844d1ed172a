// Any file where the directory's database should be, opened as the program
// opens it at start: the checks of the file before SQLite reads it, the
// schema and the quick check of its pages, the directory's table and its
// seven fields, the count of its rows and the first rows' values as the
// grid shows them. Any file is opened or refused with EDatabaseError, and
// either way it is left byte for byte as it was: the program never writes to
// a file that it refuses or only reads. The one write allowed is that of
// leaving WAL, to a file in WAL mode that opened as the directory.
//
// Every SQLite connection of the process has tight limits, so that no file
// makes one input run long or take much memory.
#include "data/ConnectionString.h"
#include "data/DirectoryData.h"
#include "toolkit/db/DatabaseError.h"
#include "toolkit/db/Field.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <sqlite3.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

constexpr int kLongestValueBytes = 1 << 20;
constexpr int kLongestStatementBytes = 64 * 1024;
constexpr int kDeepestExpression = 100;
constexpr int kMostStatementSteps = 50'000;
constexpr int kMostAttachedFiles = 0;
constexpr sqlite3_int64 kHeapLimitBytes = sqlite3_int64(256) << 20;
// Rows read after opening: the first screen of the grid and then some.
constexpr int kRowsRead = 40;

// Called for every connection as it opens, in the place of an extension's entry point.
int LimitConnection(sqlite3 *db, char **, const sqlite3_api_routines *)
{
    sqlite3_limit(db, SQLITE_LIMIT_LENGTH, kLongestValueBytes);
    sqlite3_limit(db, SQLITE_LIMIT_SQL_LENGTH, kLongestStatementBytes);
    sqlite3_limit(db, SQLITE_LIMIT_EXPR_DEPTH, kDeepestExpression);
    sqlite3_limit(db, SQLITE_LIMIT_VDBE_OP, kMostStatementSteps);
    sqlite3_limit(db, SQLITE_LIMIT_ATTACHED, kMostAttachedFiles);
    return SQLITE_OK;
}

struct TWorkspace {
    TWorkspace()
    {
        sqlite3_hard_heap_limit64(kHeapLimitBytes);
        sqlite3_auto_extension(reinterpret_cast<void (*)()>(&LimitConnection));
        TConnectionString entries = TConnectionString::Parse(DirectoryConnectionString());
        QList<TConnectionString::TEntry> withFile = entries.Entries();
        for (TConnectionString::TEntry &entry : withFile) {
            if (entry.key == QStringLiteral("Data Source"))
                entry.value = path;
        }
        connectionString = TConnectionString(withFile).ToString();
    }

    int argc = 1;
    char name[sizeof "FuzzDatabaseFile"] = "FuzzDatabaseFile";
    char *argv[2] = {name, nullptr};
    QCoreApplication application{argc, argv};
    QTemporaryDir folder;
    QString path = folder.filePath(QStringLiteral("velirsk.dat"));
    QString connectionString;
};

TWorkspace &Workspace()
{
    static TWorkspace workspace;
    return workspace;
}

// In the file header: the formats for writing and for reading (2 for WAL,
// 1 for the rollback journal), and the fields that any commit rewrites
// (the change counter, the page count, the counter they are valid for and
// the library's version).
constexpr int kWriteFormatOffset = 18;
constexpr int kReadFormatOffset = 19;
constexpr char kWalFormat = 2;
constexpr char kRollbackFormat = 1;
constexpr int kCommitFieldsFrom = 24;
constexpr int kCommitFieldsTo = 32;
constexpr int kVersionFieldsFrom = 92;
constexpr int kVersionFieldsTo = 100;

bool OnlyLeftWal(const QByteArray &before, const QByteArray &after)
{
    if (before.size() != after.size() || before.size() <= kVersionFieldsTo || before[kReadFormatOffset] != kWalFormat
        || after[kWriteFormatOffset] != kRollbackFormat || after[kReadFormatOffset] != kRollbackFormat)
        return false;
    for (qsizetype at = 0; at < before.size(); ++at) {
        const bool rewritten = at == kWriteFormatOffset || at == kReadFormatOffset
                               || (at >= kCommitFieldsFrom && at < kCommitFieldsTo)
                               || (at >= kVersionFieldsFrom && at < kVersionFieldsTo);
        if (!rewritten && before[at] != after[at])
            return false;
    }
    return true;
}

// Whether the file opened as the directory.
bool OpenAndRead(const TWorkspace &workspace)
{
    TDirectoryData data;
    data.ADOConnection1->SetServer(QString());
    data.ADOConnection1->SetConnectionString(workspace.connectionString);
    bool accepted = false;
    try {
        data.ADOConnection1->Open();
        data.Open();
        accepted = true;
        TADOTable &table = *data.ADOTable1;
        table.RecordCount();
        int read = 0;
        for (table.First(); !table.Eof() && read < kRowsRead; table.Next(), ++read) {
            for (int field = 0; field < table.FieldCount(); ++field)
                table.Fields(field)->AsString();
        }
    } catch (const EDatabaseError &) {
    }
    return accepted;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const TWorkspace &workspace = Workspace();
    if (!workspace.folder.isValid())
        __builtin_trap();
    // What an earlier input left beside the file is not this one's.
    for (const char *suffix : {"-journal", "-wal", "-shm"})
        QFile::remove(workspace.path + QLatin1String(suffix));
    const QByteArray written(reinterpret_cast<const char *>(data), qsizetype(size));
    {
        QFile file(workspace.path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(written) != written.size())
            __builtin_trap();
    }

    const bool accepted = OpenAndRead(workspace);

    QFile file(workspace.path);
    if (!file.open(QIODevice::ReadOnly))
        __builtin_trap();
    const QByteArray after = file.readAll();
    if (after != written && !(accepted && OnlyLeftWal(written, after)))
        __builtin_trap();
    return 0;
}
