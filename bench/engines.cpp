// The directory on its two engines side by side: the SQLite file and its copy
// on a PostgreSQL server (VELIRSK_BENCH_SERVER, a libpq connection string;
// the server's cases are skipped without it), at 100,000 and 1,000,000 rows.
//
//   Open        connect and open the table until its exact count is known
//   LastRow     open, move to the last row and read it
//   PageStep    from the middle, a page down (20 rows) and reading them, as
//               the grid does on Page Down
//   SearchOne, SearchSeven, SearchAll
//               the search statement with one criterion, all seven filled,
//               and none, until every found row is counted
//
// The second argument is the engine: 0 the file, 1 the server. Compare real
// times: the server's work happens in another process. "bytes_per_row" is
// the heap the open table holds beyond SQLite's own.

#include "data/ADOConnection.h"
#include "data/ADOQuery.h"
#include "data/ADOTable.h"
#include "support/BenchDirectory.h"
#include "support/CountedHeap.h"

#include <benchmark/benchmark.h>
#include <optional>

namespace {

constexpr long kSmallDirectory = 100'000;
constexpr long kLargeDirectory = 1'000'000;
constexpr int kPageRows = 20;
enum TEngine { kFile = 0, kServer = 1 };

// Where the state's arguments point: the file's connection string, or the
// server's; empty (and the case skipped) when there is no server for it.
struct TDirectory {
    QString file;
    QString server;
};

std::optional<TDirectory> DirectoryFor(benchmark::State &state)
{
    const long rows = state.range(0);
    if (state.range(1) != kServer)
        return TDirectory{ConnectionStringFor(DirectoryFile(rows)), QString()};
    const QString server = DirectoryOnServer(rows);
    if (server.isEmpty()) {
        state.SkipWithError("VELIRSK_BENCH_SERVER names no server");
        return std::nullopt;
    }
    return TDirectory{QString(), server};
}

void Connect(TADOConnection &connection, const TDirectory &directory)
{
    connection.SetConnectionString(directory.file);
    connection.SetServer(directory.server);
}

void OpenTable(TADOConnection &connection, TADOTable &table)
{
    table.SetConnection(&connection);
    table.SetTableName(QStringLiteral("Велирск"));
    table.Open();
}

void Open(benchmark::State &state)
{
    const std::optional<TDirectory> directory = DirectoryFor(state);
    if (!directory)
        return;
    long long heapPerRow = 0;
    for (auto _ : state) {
        const long long heapBefore = HeapBytesInUse();
        TADOConnection connection;
        Connect(connection, *directory);
        TADOTable table;
        OpenTable(connection, table);
        benchmark::DoNotOptimize(table.RecordCount());
        heapPerRow = (HeapBytesInUse() - heapBefore) / std::max(1, table.RecordCount());
    }
    state.counters["bytes_per_row"] = double(heapPerRow);
}

void LastRow(benchmark::State &state)
{
    const std::optional<TDirectory> directory = DirectoryFor(state);
    if (!directory)
        return;
    for (auto _ : state) {
        TADOConnection connection;
        Connect(connection, *directory);
        TADOTable table;
        OpenTable(connection, table);
        table.Last();
        benchmark::DoNotOptimize(table.Fields(1)->AsString());
    }
}

void PageStep(benchmark::State &state)
{
    const std::optional<TDirectory> directory = DirectoryFor(state);
    if (!directory)
        return;
    TADOConnection connection;
    Connect(connection, *directory);
    TADOTable table;
    OpenTable(connection, table);
    table.SetRecNo(table.RecordCount() / 2);
    for (auto _ : state) {
        if (table.MoveBy(kPageRows) < kPageRows)
            table.SetRecNo(table.RecordCount() / 2);
        for (int row = table.ActiveDisplayRow(); row < table.ActiveDisplayRow() + kPageRows; ++row) {
            TDataSet::DisplayRowScope scope(table, row);
            benchmark::DoNotOptimize(table.Fields(1)->AsString());
        }
    }
}

void Search(benchmark::State &state, const QStringList &criteria)
{
    const std::optional<TDirectory> directory = DirectoryFor(state);
    if (!directory)
        return;
    TADOConnection connection;
    Connect(connection, *directory);
    TADOQuery query;
    query.SetConnection(&connection);
    int found = 0;
    for (auto _ : state) {
        query.Close();
        query.SQL()->SetText(SearchText(criteria));
        query.Open();
        found = query.RecordCount();
    }
    state.counters["found"] = found;
}

void SearchOne(benchmark::State &state)
{
    Search(state, kOneCriterion);
}
void SearchSeven(benchmark::State &state)
{
    Search(state, kSevenCriteria);
}
void SearchAll(benchmark::State &state)
{
    Search(state, {});
}

void BothEngines(benchmark::internal::Benchmark *benchmark)
{
    for (const long rows : {kSmallDirectory, kLargeDirectory}) {
        for (const TEngine engine : {kFile, kServer})
            benchmark->Args({rows, engine});
    }
    benchmark->Unit(benchmark::kMillisecond)->UseRealTime();
}

} // namespace

BENCHMARK(Open)->Apply(BothEngines);
BENCHMARK(LastRow)->Apply(BothEngines);
BENCHMARK(PageStep)->Apply(BothEngines);
BENCHMARK(SearchOne)->Apply(BothEngines);
BENCHMARK(SearchSeven)->Apply(BothEngines);
BENCHMARK(SearchAll)->Apply(BothEngines);
