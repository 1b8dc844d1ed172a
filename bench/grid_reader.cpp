// What a screen reader costs the data grid on a directory of 1,000,000
// rows (and 1,000 for comparison): opening the directory into the grid, one
// PgDn step and a jump to the last row, each with the repaint it causes.
//
// Qt's accessibility is active only where the platform connects it to a
// reader; run the benchmark twice on one X display and compare: once as is
// (no reader), once with the AT-SPI bus up and QT_LINUX_ACCESSIBILITY_ALWAYS_ON
// set, as tests/system/screen_reader.sh starts them. With a reader, every
// event goes to a handler that asks what a reader asks of it. Each run's
// label tells which of the two it was.
#include "support/BenchDirectory.h"
#include "support/BenchGrid.h"

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

long heardEvents = 0;

// What a reader asks of every event: the object, its role and name, and for
// a cell its place in the table.
void ReadOut(QAccessibleEvent *event)
{
    ++heardEvents;
    QAccessibleInterface *iface = event->accessibleInterface();
    if (!iface)
        return;
    QString heard = iface->text(QAccessible::Name);
    heard += QString::number(iface->role());
    if (QAccessibleTableCellInterface *cell = iface->tableCellInterface()) {
        heard += QString::number(cell->rowIndex());
        for (QAccessibleInterface *title : cell->columnHeaderCells())
            heard += title->text(QAccessible::Name);
    }
    benchmark::DoNotOptimize(heard);
}

constexpr int kActivationWaitMs = 5000;

// Whether a reader listens: the bridge to the bus is made on first asking and
// comes up as the bus answers. While one does, the handler reads every event.
bool ReaderListens()
{
    static const bool listening = [] {
        QElapsedTimer clock;
        clock.start();
        while (!QAccessible::isActive() && QGuiApplication::platformName() == QLatin1String("xcb")
               && clock.elapsed() < kActivationWaitMs)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        if (QAccessible::isActive())
            QAccessible::installUpdateHandler(&ReadOut);
        return QAccessible::isActive();
    }();
    return listening;
}

void Label(benchmark::State &state)
{
    state.SetLabel(ReaderListens() ? "reader" : "no reader");
    heardEvents = 0;
}

// Events the reader heard per step, to show that it was told of each.
void CountHeard(benchmark::State &state)
{
    state.counters["heard"] = benchmark::Counter(double(heardEvents), benchmark::Counter::kAvgIterations);
}

// The grid as the main window shows it, in the active window, with the focus.
struct TReadGrid : TBenchGrid {
    explicit TReadGrid(long rows)
        : TBenchGrid(ConnectionStringFor(DirectoryFile(rows)))
    {
        grid.show();
        QApplication::setActiveWindow(&grid);
        grid.setFocus();
    }

    void Open()
    {
        connection.Open();
        data.Open();
        Paint();
    }
};

TReadGrid &OpenGridOf(long rows)
{
    static std::map<long, std::unique_ptr<TReadGrid>> grids;
    auto &grid = grids[rows];
    if (!grid) {
        grid = std::make_unique<TReadGrid>(rows);
        grid->Open();
    }
    return *grid;
}

void BM_Open(benchmark::State &state)
{
    Label(state);
    for (auto _ : state) {
        auto grid = std::make_unique<TReadGrid>(state.range(0));
        grid->Open();
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
    CountHeard(state);
}

void BM_PageDown(benchmark::State &state)
{
    Label(state);
    PageDownThroughTable(state, OpenGridOf(state.range(0)));
    CountHeard(state);
}

void BM_JumpToLast(benchmark::State &state)
{
    Label(state);
    JumpFromFirstToLast(state, OpenGridOf(state.range(0)));
    CountHeard(state);
}

BENCHMARK(BM_Open)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageDown)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JumpToLast)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace
