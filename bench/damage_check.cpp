// The check of every page of a directory file for damage, which runs in the
// background after a file too big for it to run while the file opens, at
// 100,000 and 1,000,000 rows. While it runs another clerk commits a few
// times; the longest wait of those commits for the check's read locks is
// counted as well.

#include "data/SqliteStore.h"
#include "support/BenchDirectory.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <thread>

namespace {

constexpr long kSmallDirectory = 100'000;
constexpr long kLargeDirectory = 1'000'000;
constexpr int kCommitsDuringCheck = 5;
constexpr int kCommitIntervalMs = 100;
// Long enough that no commit gives up: the wait itself is what is measured.
constexpr int kClerkLockTimeoutMs = 120'000;

// Another clerk's commits, spaced out while the check runs; each writes a
// row back as it was. Returns the longest time one took, in milliseconds.
double CommitWhileChecking(const QString &path)
{
    sqlite3 *clerk = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &clerk, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_busy_timeout(clerk, kClerkLockTimeoutMs);
    double longestMs = 0;
    for (int commit = 0; commit < kCommitsDuringCheck; ++commit) {
        QThread::msleep(kCommitIntervalMs);
        QElapsedTimer wait;
        wait.start();
        sqlite3_exec(clerk, "BEGIN IMMEDIATE; UPDATE Велирск SET Дом = Дом WHERE rowid = 1; COMMIT", nullptr, nullptr,
                     nullptr);
        longestMs = std::max(longestMs, wait.nsecsElapsed() / 1e6);
    }
    sqlite3_close(clerk);
    return longestMs;
}

void FindDamage(benchmark::State &state)
{
    const QString path = DirectoryFile(state.range(0));
    const std::unique_ptr<TSqliteStore> store = TSqliteStore::Open(path);
    double longestCommitMs = 0;
    for (auto _ : state) {
        std::thread clerk([&] { longestCommitMs = std::max(longestCommitMs, CommitWhileChecking(path)); });
        QElapsedTimer check;
        check.start();
        benchmark::DoNotOptimize(store->FindDamage());
        state.SetIterationTime(check.nsecsElapsed() / 1e9);
        clerk.join();
    }
    state.counters["file_mb"] = double(QFileInfo(path).size()) / (1024 * 1024);
    state.counters["longest_commit_ms"] = longestCommitMs;
}

} // namespace

BENCHMARK(FindDamage)->Arg(kSmallDirectory)->Arg(kLargeDirectory)->Unit(benchmark::kMillisecond)->UseManualTime();
