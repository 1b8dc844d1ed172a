// The directory's data layer beside the sqlite3 shell doing the same work on
// the same files of 100,000 and 1,000,000 rows (generated once under
// <build>/bench-data by tools/make_directory).
//
//   OpenTable      connect and open the table until its exact count is known
//                  (shell: SELECT count(*))
//   WalkTable      open and visit a row every 4096, which lists every rowid;
//                  reports the memory the open table holds
//   LastRow        open, move to the last row and read it
//                  (shell: the last row by OFFSET)
//   SearchOne      the search statement with one criterion (surname "Иван")
//   SearchSeven    the search statement with all seven criteria filled
//                  ("process_cpu_ms" counts the time of every thread)
//   SearchInner, SearchEnds, SearchAnyOne, SearchDigits
//                  the search statement with one criterion holding
//                  wildcards: "%ван", "Ив%ов", "С_р" (surname), "%5%0"
//                  (telephone)
//   SearchAll      the search statement with all seven criteria empty
//                  (shell: the same SQL with its built-in LIKE, which finds
//                  the same rows here since the criteria are typed in the
//                  data's case)
//   ScanFloor      the least a search that looks at every row costs here:
//                  every row read, its first column tested, nothing called
//   CallFloor      the same with one SQL function called per row: the least
//                  a condition of LIKE terms can cost while SQLite scans
//   ShellStart     starting the shell and running nothing
//   FollowTable    another connection commits a change to one row; the open
//                  table, standing in its middle, follows the file and reads
//                  a screen of rows around its current row, as the main grid
//                  paints them (on a copy of the file); "longest_step_ms" is
//                  the longest time the event loop was kept from running
//   FollowOne      the same for an open result of the one-criterion search,
//   FollowAll      and of the search with all criteria empty (which runs
//                  again in the background: the time is until it is shown)
//
// Each shell benchmark includes starting the shell and is measured in the
// child's CPU time too ("shell_cpu_ms"); the machine is shared, so compare
// CPU times. The counter "bytes_per_row" is the heap the open table, or the
// open result per row found, holds beyond SQLite's own.

#include "data/ADOConnection.h"
#include "data/ADOQuery.h"
#include "data/ADOTable.h"
#include "data/SqlDialect.h"
#include "forms/SearchStatement.h"
#include "support/BenchDirectory.h"
#include "support/CountedHeap.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <sqlite3.h>
#include <sys/resource.h>

namespace {

void RunShell(benchmark::State &state, const QString &path, const QString &sql)
{
    QString quoted = sql;
    quoted.replace(u'\'', QStringLiteral("'\\''"));
    const QByteArray command = QStringLiteral("sqlite3 '%1' '%2' >/dev/null").arg(path, quoted).toUtf8();
    rusage before{};
    getrusage(RUSAGE_CHILDREN, &before);
    for (auto _ : state) {
        if (std::system(command.constData()) != 0)
            state.SkipWithError("the sqlite3 shell failed");
    }
    rusage after{};
    getrusage(RUSAGE_CHILDREN, &after);
    const auto ms = [](const timeval &t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    const double cpu = ms(after.ru_utime) + ms(after.ru_stime) - ms(before.ru_utime) - ms(before.ru_stime);
    state.counters["shell_cpu_ms"] = cpu / double(std::max<benchmark::IterationCount>(1, state.iterations()));
}

// The CPU time of every thread of the process so far: the search lists its
// rows on threads other than the one that measures.
double ProcessCpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval &t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// The heap an open search result holds beyond SQLite's own, per row found.
// Measured on a data set of its own, opened once: a closed data set keeps
// the capacity of its last lists, which its next open then reuses.
long long HeldPerFoundRow(TADOConnection &connection, const QString &sql)
{
    const long long heapBefore = HeapBytesInUse();
    const sqlite3_int64 sqliteBefore = sqlite3_memory_used();
    TADOQuery query;
    query.SetConnection(&connection);
    query.SQL()->SetText(sql);
    query.Open();
    const long long ours = (HeapBytesInUse() - heapBefore) - (sqlite3_memory_used() - sqliteBefore);
    return ours / std::max(1, query.RecordCount());
}

// Opens the directory table of the file at `path`, as the main window does.
void OpenDirectoryTable(TADOConnection &connection, TADOTable &table, const QString &path)
{
    connection.SetConnectionString(ConnectionStringFor(path));
    table.SetConnection(&connection);
    table.SetTableName(QStringLiteral("Велирск"));
    table.Open();
}

void OpenTable(benchmark::State &state)
{
    const QString path = DirectoryFile(state.range(0));
    long long heapPerRow = 0;
    for (auto _ : state) {
        const long long heapBefore = HeapBytesInUse();
        const sqlite3_int64 sqliteBefore = sqlite3_memory_used();
        TADOConnection connection;
        TADOTable table;
        OpenDirectoryTable(connection, table, path);
        benchmark::DoNotOptimize(table.RecordCount());
        const long long ours = (HeapBytesInUse() - heapBefore) - (sqlite3_memory_used() - sqliteBefore);
        heapPerRow = ours / std::max(1, table.RecordCount());
    }
    state.counters["bytes_per_row"] = double(heapPerRow);
}

// Visits the whole table a screen now and then, so that every rowid gets
// listed; reports the heap the table then holds beyond SQLite's own.
void WalkTable(benchmark::State &state)
{
    const QString path = DirectoryFile(state.range(0));
    constexpr int kStride = 4096;
    long long heapPerRow = 0;
    for (auto _ : state) {
        const long long heapBefore = HeapBytesInUse();
        const sqlite3_int64 sqliteBefore = sqlite3_memory_used();
        TADOConnection connection;
        TADOTable table;
        OpenDirectoryTable(connection, table, path);
        for (int recNo = 1; recNo <= table.RecordCount(); recNo += kStride) {
            table.SetRecNo(recNo);
            benchmark::DoNotOptimize(table.Fields(1)->AsString());
        }
        const long long ours = (HeapBytesInUse() - heapBefore) - (sqlite3_memory_used() - sqliteBefore);
        heapPerRow = ours / std::max(1, table.RecordCount());
    }
    state.counters["bytes_per_row"] = double(heapPerRow);
}

void ShellCount(benchmark::State &state)
{
    RunShell(state, DirectoryFile(state.range(0)), QStringLiteral("SELECT count(*) FROM Велирск"));
}

void LastRow(benchmark::State &state)
{
    const QString path = DirectoryFile(state.range(0));
    for (auto _ : state) {
        TADOConnection connection;
        TADOTable table;
        OpenDirectoryTable(connection, table, path);
        table.Last();
        benchmark::DoNotOptimize(table.Fields(1)->AsString());
    }
}

void ShellLastRow(benchmark::State &state)
{
    const long rows = state.range(0);
    RunShell(state, DirectoryFile(rows), QStringLiteral("SELECT * FROM Велирск LIMIT 1 OFFSET %1").arg(rows - 1));
}

void Search(benchmark::State &state, const QStringList &criteria)
{
    const QString path = DirectoryFile(state.range(0));
    TADOConnection connection;
    connection.SetConnectionString(ConnectionStringFor(path));
    connection.Open();
    TADOQuery query;
    query.SetConnection(&connection);
    int found = 0;
    double processCpuMs = 0;
    for (auto _ : state) {
        query.Close();
        const double cpuBefore = ProcessCpuMs();
        query.SQL()->Clear();
        query.SQL()->SetText(SearchText(criteria));
        query.Open();
        processCpuMs += ProcessCpuMs() - cpuBefore;
        found = query.RecordCount();
    }
    state.counters["found"] = found;
    state.counters["process_cpu_ms"] =
        processCpuMs / double(std::max<benchmark::IterationCount>(1, state.iterations()));
    query.Close();
    state.counters["bytes_per_row"] = double(HeldPerFoundRow(connection, SearchText(criteria)));
}

void ShellSearch(benchmark::State &state, const QStringList &criteria)
{
    RunShell(state, DirectoryFile(state.range(0)), TranslateDialect(SearchText(criteria)));
}

// Runs `sql` to its end on a connection opened as the program's.
void RunToEnd(benchmark::State &state, const char *sql)
{
    TADOConnection connection;
    connection.SetConnectionString(ConnectionStringFor(DirectoryFile(state.range(0))));
    connection.Open();
    for (auto _ : state) {
        sqlite3_stmt *statement = nullptr;
        if (sqlite3_prepare_v2(connection.Handle(), sql, -1, &statement, nullptr) != SQLITE_OK) {
            state.SkipWithError(sqlite3_errmsg(connection.Handle()));
            break;
        }
        while (sqlite3_step(statement) == SQLITE_ROW)
            benchmark::DoNotOptimize(sqlite3_column_int64(statement, 0));
        sqlite3_finalize(statement);
    }
}

void ScanFloor(benchmark::State &state)
{
    RunToEnd(state, "SELECT rowid FROM \"Велирск\" WHERE \"Телефон\" IS NULL");
}

void CallFloor(benchmark::State &state)
{
    RunToEnd(state, "SELECT rowid FROM \"Велирск\" WHERE typeof(\"Телефон\") = 'none'");
}

void ShellStart(benchmark::State &state)
{
    RunShell(state, DirectoryFile(state.range(0)), QStringLiteral("SELECT 1"));
}

// Criteria with wildcards of their own, as a clerk types them: a piece
// anywhere in the surname, its beginning and end, one letter left open, and
// digits of the telephone number in order anywhere in it.
const QStringList kInnerPiece{QString(), QStringLiteral("%ван")};
const QStringList kBothEnds{QString(), QStringLiteral("Ив%ов")};
const QStringList kOneLetterOpen{QString(), QStringLiteral("С_р")};
const QStringList kDigitsInOrder{QStringLiteral("%5%0")};

// Runs the event loop until `done` holds, and returns the longest time
// between two turns of it (the longest step some event took).
qint64 LongestStepUntil(const std::function<bool()> &done)
{
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    qint64 longest = 0;
    QEventLoop loop;
    QTimer tick;
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        longest = std::max(longest, now - last);
        last = now;
        if (done())
            loop.quit();
    });
    tick.start();
    if (!done())
        loop.exec();
    return longest;
}

// Another program's commit, then one look of the connection and a screen of
// rows read as a grid paints them; the commit is not timed.
void Follow(benchmark::State &state, const std::function<TDataSet &(TADOConnection &)> &open)
{
    constexpr int kScreenRows = 20;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("velirsk.dat"));
    QFile::copy(DirectoryFile(state.range(0)), path);
    TADOConnection connection;
    connection.SetConnectionString(ConnectionStringFor(path));
    connection.Open();
    TDataSet &dataSet = open(connection);
    dataSet.SetRecNo(dataSet.RecordCount() / 2);
    sqlite3 *other = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &other);
    int round = 0;
    int followed = 0;
    QObject::connect(&dataSet, &TDataSet::StoreFollowed, [&followed] { ++followed; });
    qint64 longestStep = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const QByteArray change = QStringLiteral("UPDATE \"Велирск\" SET \"Дом\" = '%1' WHERE rowid = %2")
                                      .arg(++round)
                                      .arg(state.range(0) / 2)
                                      .toUtf8();
        sqlite3_exec(other, change.constData(), nullptr, nullptr, nullptr);
        state.ResumeTiming();
        const int before = followed;
        QElapsedTimer step;
        step.start();
        if (!connection.FollowOtherWriters())
            state.SkipWithError("the change was not followed");
        longestStep = std::max(longestStep, step.elapsed());
        longestStep = std::max(longestStep, LongestStepUntil([&] { return followed > before; }));
        step.restart();
        const int first = std::max(0, dataSet.ActiveDisplayRow() - kScreenRows / 2);
        for (int row = first; row < std::min(first + kScreenRows, dataSet.DisplayRowCount()); ++row) {
            TDataSet::DisplayRowScope scope(dataSet, row);
            benchmark::DoNotOptimize(dataSet.Fields(1)->AsString());
        }
        longestStep = std::max(longestStep, step.elapsed());
    }
    state.counters["longest_step_ms"] = double(longestStep);
    sqlite3_close(other);
    state.counters["rows"] = dataSet.RecordCount();
}

void FollowTable(benchmark::State &state)
{
    TADOTable table;
    Follow(state, [&table](TADOConnection &connection) -> TDataSet & {
        table.SetConnection(&connection);
        table.SetTableName(QStringLiteral("Велирск"));
        table.Open();
        return table;
    });
}

void FollowSearch(benchmark::State &state, const QStringList &criteria)
{
    TADOQuery query;
    Follow(state, [&](TADOConnection &connection) -> TDataSet & {
        query.SetConnection(&connection);
        query.SQL()->SetText(SearchText(criteria));
        query.Open();
        return query;
    });
}

void FollowOne(benchmark::State &state)
{
    FollowSearch(state, kOneCriterion);
}
void FollowAll(benchmark::State &state)
{
    FollowSearch(state, {});
}

constexpr long kSmallDirectory = 100'000;
constexpr long kLargeDirectory = 1'000'000;
constexpr long kTinyDirectory = 1'000;

// Each search runs beside the shell running the same statement, as
// Search<Name> and ShellSearch<Name>.
const bool kSearchesRegistered = [] {
    const std::pair<const char *, const QStringList *> searches[] = {
        {"One", &kOneCriterion}, {"Seven", &kSevenCriteria},  {"All", nullptr},           {"Inner", &kInnerPiece},
        {"Ends", &kBothEnds},    {"AnyOne", &kOneLetterOpen}, {"Digits", &kDigitsInOrder}};
    for (const auto &[name, criteria] : searches) {
        const QStringList typed = criteria ? *criteria : QStringList();
        const std::string suffix(name);
        benchmark::RegisterBenchmark(("Search" + suffix).c_str(),
                                     [typed](benchmark::State &state) { Search(state, typed); })
            ->Arg(kSmallDirectory)
            ->Arg(kLargeDirectory)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark(("ShellSearch" + suffix).c_str(),
                                     [typed](benchmark::State &state) { ShellSearch(state, typed); })
            ->Arg(kSmallDirectory)
            ->Arg(kLargeDirectory)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    return true;
}();

} // namespace

BENCHMARK(OpenTable)->Arg(kSmallDirectory)->Arg(kLargeDirectory)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(WalkTable)->Arg(kSmallDirectory)->Arg(kLargeDirectory)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ShellCount)->Arg(kSmallDirectory)->Arg(kLargeDirectory)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(LastRow)->Arg(kSmallDirectory)->Arg(kLargeDirectory)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ShellLastRow)->Arg(kSmallDirectory)->Arg(kLargeDirectory)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ScanFloor)->Arg(kSmallDirectory)->Arg(kLargeDirectory)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(CallFloor)->Arg(kSmallDirectory)->Arg(kLargeDirectory)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ShellStart)->Arg(kSmallDirectory)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(FollowTable)->Arg(kTinyDirectory)->Arg(kLargeDirectory)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(FollowOne)->Arg(kTinyDirectory)->Arg(kLargeDirectory)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(FollowAll)->Arg(kTinyDirectory)->Arg(kLargeDirectory)->Unit(benchmark::kMillisecond)->UseRealTime();
