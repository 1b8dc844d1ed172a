// The check of every page of a directory file for damage, which runs in the
// background after a file too big for it to run while the file opens, at
// 100,000 and 1,000,000 rows. The check keeps a read lock on the file while
// it runs: its time is how long another clerk's commit may have to wait.

#include "data/SqliteStore.h"
#include "support/BenchDirectory.h"

#include <QFileInfo>
#include <benchmark/benchmark.h>

namespace {

constexpr long kSmallDirectory = 100'000;
constexpr long kLargeDirectory = 1'000'000;

void FindDamage(benchmark::State &state)
{
    const QString path = DirectoryFile(state.range(0));
    const std::unique_ptr<TSqliteStore> store = TSqliteStore::Open(path);
    for (auto _ : state)
        benchmark::DoNotOptimize(store->FindDamage());
    state.counters["file_mb"] = double(QFileInfo(path).size()) / (1024 * 1024);
}

} // namespace

BENCHMARK(FindDamage)->Arg(kSmallDirectory)->Arg(kLargeDirectory)->Unit(benchmark::kMillisecond)->UseRealTime();
